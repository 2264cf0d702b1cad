// Data sources and data links: notification order, update-data before post,
// auto-edit, focus requests, and lifetime.
#include <gtest/gtest.h>

#include "platform/core/exceptions.h"
#include "platform/data/data_link.h"
#include "platform/data/data_source.h"
#include "tests/platform/data/data_fixture.h"

namespace zor::plat {
namespace {

using testing::FlightForm;

// A headless edit bound to one field, as a data-aware control would be.
struct FakeEdit {
  TFieldDataLink link;
  std::string text;
  int shown = 0;
  bool focused = false;

  FakeEdit(TDataSource* ds, const char* field) {
    link.OnDataChange = [this](TObject*) {
      ++shown;
      text = link.Field() ? link.Field()->Text() : "";
    };
    link.OnUpdateData = [this](TObject*) { link.Field()->SetText(text); };
    link.OnFocusControl = [this](TObject*) { focused = true; };
    link.SetDataSource(ds);
    link.SetFieldName(field);
  }
  // The user types: the dataset goes into edit, the text waits for UpdateData.
  bool Type(const std::string& t) {
    if (!link.Edit()) return false;
    text = t;
    link.Modified();
    return true;
  }
};

// Records what a plain link hears.
class RecordingLink : public TDataLink {
 public:
  std::vector<std::string> heard;

 protected:
  void ActiveChanged() override { heard.push_back(Active() ? "active" : "inactive"); }
  void EditingChanged() override { heard.push_back(Editing() ? "editing" : "browsing"); }
  void RecordChanged(TField* f) override { heard.push_back("record:" + (f ? f->FieldName() : std::string("*"))); }
  void DataSetChanged() override { heard.push_back("dataset"); }
  void DataSetScrolled(int n) override { heard.push_back("scrolled:" + std::to_string(n)); }
};

TEST(DataLinks, ControlTextIsWrittenBeforeThePost) {
  FlightForm f;
  TDataSource ds(f.form.get());
  ds.SetDataSet(f.cds);
  f.Load();
  FakeEdit edit(&ds, "SGEQUIP");
  EXPECT_EQ(edit.text, "B737");
  std::string seenInBeforePost;
  f.cds->BeforePost = [&](TDataSet*) { seenInBeforePost = f.sgequip->AsString(); };
  ASSERT_TRUE(edit.Type("E195"));  // typing in a browsing dataset puts it into edit
  EXPECT_EQ(f.cds->State(), dsEdit);
  EXPECT_EQ(f.sgequip->AsString(), "B737");  // not written yet
  f.cds->Post();
  EXPECT_EQ(seenInBeforePost, "E195");
  EXPECT_EQ(f.sgequip->AsString(), "E195");
  EXPECT_FALSE(edit.link.IsModified());
}

TEST(DataLinks, ARefusedTextStopsThePostAndKeepsTheEdit) {
  FlightForm f;
  TDataSource ds(f.form.get());
  ds.SetDataSet(f.cds);
  f.Load();
  FakeEdit edit(&ds, "SGEQUIP");
  f.sgequip->OnValidate = [](TField* s) {
    if (s->AsString() == "NO") Abort();
  };
  bool beforePost = false;
  f.cds->BeforePost = [&](TDataSet*) { beforePost = true; };
  edit.Type("NO");
  EXPECT_THROW(f.cds->Post(), EAbort);
  EXPECT_FALSE(beforePost);
  EXPECT_EQ(f.cds->State(), dsEdit);
  EXPECT_TRUE(edit.link.IsModified());  // still pending: the user corrects it
  edit.Type("YES");
  f.cds->Post();
  EXPECT_EQ(f.sgequip->AsString(), "YES");
}

// Cancel discards what was typed before anyone hears of the state change:
// a handler of the change that moves the focus (leaving the control, which
// writes pending text) finds nothing to write into the record no longer
// being edited.
TEST(DataLinks, CancelDiscardsTypingBeforeTheStateChangeIsHandled) {
  FlightForm f;
  TDataSource ds(f.form.get());
  ds.SetDataSet(f.cds);
  f.Load();
  FakeEdit edit(&ds, "SGEQUIP");
  bool modifiedWhenHeard = true;
  ds.OnStateChange = [&](TObject*) {
    if (f.cds->State() != dsBrowse) return;
    modifiedWhenHeard = edit.link.IsModified();
    edit.link.UpdateRecord();  // what leaving the control does
  };
  ASSERT_TRUE(edit.Type("E195"));
  EXPECT_NO_THROW(f.cds->Cancel());
  EXPECT_FALSE(modifiedWhenHeard);
  EXPECT_EQ(f.cds->State(), dsBrowse);
  EXPECT_EQ(f.sgequip->AsString(), "B737");
  EXPECT_EQ(edit.text, "B737");
}

TEST(DataLinks, UnmodifiedControlsDoNotOverwriteFields) {
  FlightForm f;
  TDataSource ds(f.form.get());
  ds.SetDataSet(f.cds);
  f.Load();
  FakeEdit edit(&ds, "SGEQUIP");
  f.cds->Edit();
  edit.text = "stale";  // not typed: no Modified()
  f.sgequip->SetAsString("CODE");
  EXPECT_EQ(edit.text, "CODE");  // the control follows the field
  f.cds->Post();
  EXPECT_EQ(f.sgequip->AsString(), "CODE");
}

TEST(DataLinks, AutoEditOffAndReadOnlyLinksDoNotEdit) {
  FlightForm f;
  TDataSource ds(f.form.get());
  ds.SetDataSet(f.cds);
  f.Load();
  FakeEdit edit(&ds, "SGEQUIP");
  ds.SetAutoEdit(false);
  EXPECT_FALSE(edit.Type("X"));
  EXPECT_EQ(f.cds->State(), dsBrowse);
  ds.SetAutoEdit(true);
  f.sgequip->SetReadOnly(true);
  EXPECT_FALSE(edit.Type("X"));
  EXPECT_EQ(f.cds->State(), dsBrowse);
}

TEST(DataLinks, FocusControlReachesTheControlOfThatFieldOnce) {
  FlightForm f;
  TDataSource ds(f.form.get());
  ds.SetDataSet(f.cds);
  f.Load();
  FakeEdit nr(&ds, "NRVOO"), eq1(&ds, "SGEQUIP"), eq2(&ds, "SGEQUIP");
  f.sgequip->FocusControl();
  EXPECT_FALSE(nr.focused);
  EXPECT_TRUE(eq1.focused);
  EXPECT_FALSE(eq2.focused);
}

TEST(DataLinks, LinksHearStateScrollAndFieldChanges) {
  FlightForm f;
  TDataSource ds(f.form.get());
  ds.SetDataSet(f.cds);
  RecordingLink link;
  link.SetDataSource(&ds);
  f.Load();
  f.cds->Next();
  f.cds->Edit();
  f.nrvoo->SetAsString("7");
  f.cds->Cancel();
  std::string all;
  for (const auto& h : link.heard) all += h + " ";
  EXPECT_EQ(all, "active scrolled:1 editing record:* record:NRVOO browsing dataset ");
  link.heard.clear();
  ds.SetEnabled(false);
  f.cds->Next();
  ds.SetEnabled(true);
  EXPECT_EQ(link.heard, (std::vector<std::string>{"inactive", "active"}));
}

TEST(DataSources, SeveralSourcesAreNotifiedInCreationOrder) {
  FlightForm f;
  TDataSource first(f.form.get()), second(f.form.get());
  second.SetDataSet(f.cds);  // attached first, created second
  first.SetDataSet(f.cds);
  std::vector<std::string> order;
  first.OnStateChange = [&](TObject*) { order.push_back("first:state"); };
  second.OnStateChange = [&](TObject*) { order.push_back("second:state"); };
  first.OnDataChange = [&](TObject*, TField* fld) { order.push_back("first:" + (fld ? fld->FieldName() : "*")); };
  second.OnDataChange = [&](TObject*, TField* fld) { order.push_back("second:" + (fld ? fld->FieldName() : "*")); };
  f.Load();
  f.cds->Edit();
  f.nrvoo->SetAsString("1");
  std::string all;
  for (const auto& o : order) all += o + " ";
  EXPECT_EQ(all, "first:state second:state first:state second:state first:* second:* first:NRVOO second:NRVOO ");
}

TEST(DataSources, StateFollowsTheDataSetAndUpdateDataFiresBeforePost) {
  FlightForm f;
  TDataSource ds(f.form.get());
  EXPECT_EQ(ds.State(), dsInactive);
  ds.SetDataSet(f.cds);
  f.Load();
  EXPECT_EQ(ds.State(), dsBrowse);
  int updates = 0;
  ds.OnUpdateData = [&](TObject*) { ++updates; };
  f.cds->Insert();
  EXPECT_EQ(ds.State(), dsInsert);
  f.cds->Post();
  EXPECT_EQ(updates, 1);
  ds.SetDataSet(nullptr);
  EXPECT_EQ(ds.State(), dsInactive);
}

TEST(DataSources, DestroyingEitherSideDetachesCleanly) {
  auto form = std::make_unique<TComponent>();
  auto* cds = new TClientDataSet(form.get());
  cds->SetData(testing::FlightPacket());
  auto* ds = new TDataSource(form.get());
  ds->SetDataSet(cds);
  FakeEdit edit(ds, "NRVOO");
  RecordingLink link;
  link.SetDataSource(ds);
  int stateChanges = 0;
  ds->OnStateChange = [&](TObject*) { ++stateChanges; };
  delete cds;  // no user event while it goes away
  EXPECT_EQ(stateChanges, 0);
  EXPECT_EQ(ds->DataSet(), nullptr);
  EXPECT_FALSE(edit.link.Active());
  EXPECT_EQ(edit.link.Field(), nullptr);
  delete ds;
  EXPECT_EQ(link.DataSource(), nullptr);
  EXPECT_EQ(edit.link.DataSet(), nullptr);
}

}  // namespace
}  // namespace zor::plat
