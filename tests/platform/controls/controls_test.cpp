// Edits, check boxes, combo boxes, radio groups, speed buttons, menus,
// page controls and the change notifications a renderer follows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/controls/check_box.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/containers.h"
#include "platform/controls/custom_form.h"
#include "platform/controls/edit.h"
#include "platform/controls/label.h"
#include "platform/controls/menus.h"
#include "platform/controls/page_control.h"
#include "platform/controls/radio_group.h"
#include "platform/controls/speed_button.h"
#include "platform/core/exceptions.h"
#include "platform/ui/scripted_ui.h"

namespace zor::plat {
namespace {

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override { SetUi(&ui); }
  void TearDown() override { SetUi(nullptr); }
  template <typename T>
  T* Make(TWinControl* parent) {
    T* c = new T(&form);
    c->SetParent(parent);
    return c;
  }
  ScriptedUi ui;
  TCustomForm form;
};

class Item : public TObject {
 public:
  explicit Item(std::string code) : code(std::move(code)) {}
  std::string code;
};

TEST_F(ControlsTest, EditTextFromCodeRunsOnChangeOnlyWhenItChanges) {
  auto* edit = Make<TEdit>(&form);
  int changes = 0;
  edit->OnChange = [&](TObject*) { ++changes; };
  edit->SetText("GOL");
  edit->SetText("GOL");
  EXPECT_EQ(changes, 1);
  edit->OnChange = nullptr;  // detached: the screen's quiet update
  edit->SetText("TAM");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(edit->Text(), "TAM");
}

TEST_F(ControlsTest, EditCaseMaxLengthAndReadOnly) {
  auto* edit = Make<TEdit>(&form);
  edit->SetCharCase(ecUpperCase);
  edit->SetMaxLength(3);
  edit->SetText("abcdef");  // code is not limited
  EXPECT_EQ(edit->Text(), "ABCDEF");
  edit->Clear();
  EXPECT_TRUE(edit->UserType("vôo!"));
  EXPECT_EQ(edit->Text(), "VÔO");
  edit->SetReadOnly(true);
  EXPECT_FALSE(edit->UserSetText("x"));
  EXPECT_EQ(edit->Text(), "VÔO");
  edit->SetReadOnly(false);
  edit->OnKeyPress = [](TObject*, char& key) { key = 0; };  // a handler may discard keys
  edit->UserType("\b");
  EXPECT_EQ(edit->Text(), "VÔO");
}

TEST_F(ControlsTest, CheckBoxProgrammaticChangeRunsOnClickUnlessDetached) {
  auto* box = Make<TCheckBox>(&form);
  int clicks = 0;
  TNotifyEvent handler = [&](TObject*) { ++clicks; };
  box->OnClick = handler;
  box->SetChecked(true);
  box->SetChecked(true);
  EXPECT_EQ(clicks, 1);
  box->OnClick = nullptr;
  box->SetChecked(false);
  box->OnClick = handler;
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(box->Checked());
  EXPECT_TRUE(box->UserClick());
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(clicks, 2);
  box->SetEnabled(false);
  EXPECT_FALSE(box->UserClick());
  EXPECT_TRUE(box->Checked());
}

TEST_F(ControlsTest, ComboListOnlyAcceptsItemsOnly) {
  auto* combo = Make<TComboBox>(&form);
  Item regular("R"), extra("E");
  combo->SetStyle(csDropDownList);
  combo->Items().AddObject("Regular", &regular);
  combo->Items().AddObject("Extra", &extra);
  std::vector<std::string> events;
  combo->OnChange = [&](TObject*) { events.push_back("change"); };
  combo->OnClick = [&](TObject*) { events.push_back("click"); };

  combo->SetText("extra");  // an item, case aside
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(combo->Text(), "Extra");
  EXPECT_EQ(static_cast<Item*>(combo->SelectedObject())->code, "E");
  combo->SetText("Charter");  // not an item: no choice
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(combo->Text(), "");
  EXPECT_TRUE(events.empty());  // changes from code run no events

  EXPECT_FALSE(combo->UserSetText("Charter"));
  EXPECT_TRUE(combo->UserSelect(0));
  EXPECT_EQ(events, (std::vector<std::string>{"change", "click"}));
  EXPECT_EQ(combo->Items().IndexOfObject(&regular), 0);
  EXPECT_THROW(combo->SetItemIndex(5), Exception);
  combo->Items().Clear();
  EXPECT_EQ(combo->ItemIndex(), -1);
}

TEST_F(ControlsTest, ComboDropDownKeepsFreeText) {
  auto* combo = Make<TComboBox>(&form);
  combo->Items().Add("A");
  int changes = 0;
  combo->OnChange = [&](TObject*) { ++changes; };
  EXPECT_TRUE(combo->UserSetText("livre"));
  EXPECT_EQ(combo->Text(), "livre");
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(changes, 1);
}

TEST_F(ControlsTest, RadioGroupItemIndexRunsOnClick) {
  auto* group = Make<TRadioGroup>(&form);
  group->Items().Assign({"Nacional", "Internacional"});
  group->SetColumns(2);
  int clicks = 0;
  group->OnClick = [&](TObject*) { ++clicks; };
  group->SetItemIndex(1);
  group->SetItemIndex(1);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(group->UserSelect(0));
  EXPECT_EQ(group->ItemIndex(), 0);
  EXPECT_EQ(clicks, 2);
  EXPECT_THROW(group->SetItemIndex(2), Exception);
}

TEST_F(ControlsTest, SpeedButtonClicksOnlyWhenEnabledAndGroupsStayExclusive) {
  auto* panel = Make<TPanel>(&form);
  auto* a = new TSpeedButton(&form);
  auto* b = new TSpeedButton(&form);
  a->SetParent(panel);
  b->SetParent(panel);
  int clicks = 0;
  a->OnClick = [&](TObject*) { ++clicks; };
  a->Click();
  a->SetEnabled(false);
  a->Click();
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(a->UserClick());
  a->SetEnabled(true);
  a->SetGroupIndex(1);
  b->SetGroupIndex(1);
  a->Click();
  EXPECT_TRUE(a->Down());
  b->Click();
  EXPECT_TRUE(b->Down());
  EXPECT_FALSE(a->Down());
  b->SetDown(false);  // one must stay down
  EXPECT_TRUE(b->Down());
}

TEST_F(ControlsTest, MenuRadioItemsAndDisabledItems) {
  TMainMenu menu(&form);
  TMenuItem* op = new TMenuItem(&form);
  op->SetCaption("&Operação");
  menu.Items()->Add(op);
  TMenuItem* grid = new TMenuItem(&form);
  TMenuItem* record = new TMenuItem(&form);
  TMenuItem* other = new TMenuItem(&form);
  for (TMenuItem* i : {grid, record, other}) op->Add(i);
  grid->SetCaption("&Vôo(s)");
  for (TMenuItem* i : {grid, record}) {
    i->SetRadioItem(true);
    i->SetGroupIndex(1);
  }
  other->SetRadioItem(true);
  other->SetGroupIndex(2);
  other->SetChecked(true);
  grid->SetChecked(true);
  record->SetChecked(true);
  EXPECT_FALSE(grid->Checked());
  EXPECT_TRUE(record->Checked());
  EXPECT_TRUE(other->Checked());  // another group

  EXPECT_EQ(op->Find("vôo(s)"), grid);
  EXPECT_EQ(StripHotkey("Confi&gurações"), "Configurações");
  EXPECT_EQ(StripHotkey("A&&B"), "A&B");

  int clicks = 0;
  grid->OnClick = [&](TObject* sender) {
    EXPECT_EQ(sender, grid);
    ++clicks;
  };
  EXPECT_TRUE(grid->UserClick());
  grid->SetEnabled(false);
  grid->Click();
  EXPECT_FALSE(grid->UserClick());
  grid->SetEnabled(true);
  op->SetEnabled(false);  // a disabled parent hides the way to it
  EXPECT_FALSE(grid->UserClick());
  EXPECT_EQ(clicks, 1);
}

class PageControlTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    pages = Make<TPageControl>(&form);
    grid = new TTabSheet(&form);
    grid->SetPageControl(pages);
    record = new TTabSheet(&form);
    record->SetPageControl(pages);
    classes = new TTabSheet(&form);
    classes->SetPageControl(pages);
    inGrid = Make<TEdit>(grid);
    inRecord = Make<TEdit>(record);
    pages->OnChanging = [this](TObject*, bool& allow) {
      events.push_back("changing");
      allow = allowChange;
    };
    pages->OnChange = [this](TObject*) { events.push_back("change"); };
  }
  TPageControl* pages;
  TTabSheet *grid, *record, *classes;
  TEdit *inGrid, *inRecord;
  std::vector<std::string> events;
  bool allowChange = true;
};

TEST_F(PageControlTest, FirstPageIsActiveAndOnlyTheActivePageShows) {
  EXPECT_EQ(pages->ActivePage(), grid);
  EXPECT_TRUE(inGrid->CanFocus());
  EXPECT_FALSE(inRecord->CanFocus());
  EXPECT_EQ(record->PageIndex(), 1);
}

TEST_F(PageControlTest, ActivePageFromCodeRunsNoEvents) {
  pages->SetActivePage(record);
  EXPECT_EQ(pages->ActivePage(), record);
  EXPECT_TRUE(events.empty());
  EXPECT_TRUE(inRecord->CanFocus());
}

TEST_F(PageControlTest, PersonsChoiceRunsChangingThenChange) {
  EXPECT_TRUE(pages->SelectPage(record));
  EXPECT_EQ(events, (std::vector<std::string>{"changing", "change"}));
  allowChange = false;
  EXPECT_FALSE(pages->SelectPage(classes));
  EXPECT_EQ(pages->ActivePage(), record);
}

TEST_F(PageControlTest, DisabledOrHiddenTabsCannotBeChosen) {
  classes->SetEnabled(false);
  EXPECT_FALSE(pages->SelectPage(classes));
  record->SetTabVisible(false);
  EXPECT_FALSE(pages->SelectPage(record));
  EXPECT_EQ(classes->TabIndex(), 1);
  EXPECT_TRUE(events.empty());
  pages->SetActivePage(classes);  // code may still show it
  EXPECT_EQ(pages->ActivePage(), classes);
}

TEST_F(PageControlTest, HidingThePageWithTheFocusLeavesItFirst) {
  std::vector<std::string> log;
  inGrid->OnExit = [&](TObject*) { log.push_back("inGrid.exit"); };
  inGrid->SetFocus();
  pages->SetActivePage(record);
  EXPECT_EQ(log, (std::vector<std::string>{"inGrid.exit"}));
  EXPECT_EQ(form.ActiveControl(), pages);
  // A refusing exit keeps the page.
  inRecord->SetFocus();
  inRecord->OnExit = [](TObject*) { Abort(); };
  EXPECT_FALSE(pages->SelectPage(grid));
  EXPECT_EQ(pages->ActivePage(), record);
  EXPECT_EQ(form.ActiveControl(), inRecord);
}

TEST_F(ControlsTest, ChangeNotificationsNameTheProperty) {
  auto* panel = Make<TPanel>(&form);
  auto* edit = Make<TEdit>(panel);
  auto* box = Make<TCheckBox>(panel);
  auto* combo = Make<TComboBox>(panel);
  auto* label = Make<TLabel>(panel);
  std::vector<std::string> seen;
  auto record = [&](TComponent*, Prop p) { seen.push_back(PropName(p)); };
  for (TControl* c : std::initializer_list<TControl*>{edit, box, combo, label}) c->Changes.Subscribe(record);
  edit->SetText("x");
  edit->SetEnabled(false);
  edit->SetVisible(false);
  edit->SetColor(clInfoBk);
  box->SetChecked(true);
  combo->Items().Add("a");
  combo->SetItemIndex(0);
  label->SetCaption("Filial");
  label->SetFontBold(true);
  label->SetFocusControl(edit);
  EXPECT_EQ(seen, (std::vector<std::string>{"Caption", "Enabled", "Visible", "Color", "Checked", "Items", "ItemIndex",
                                            "Caption", "Caption", "Font", "FocusControl"}));
  delete edit;  // the label forgets a destroyed focus control
  EXPECT_EQ(label->FocusControl(), nullptr);
}

TEST_F(ControlsTest, ColourNamesAndSystemColours) {
  TColor c;
  EXPECT_TRUE(ColorFromName("clRed", c));
  EXPECT_EQ(c, 0x0000FF);
  EXPECT_TRUE(ColorFromName("clInfoBk", c));
  EXPECT_TRUE(IsSystemColor(c));
  EXPECT_EQ(SystemColorIndex(c), 24);
  EXPECT_TRUE(ColorFromName("$00FF00", c));
  EXPECT_EQ(c, 0x00FF00);
  EXPECT_FALSE(ColorFromName("clNada", c));
}

}  // namespace
}  // namespace zor::plat
