// Data-aware check boxes, radio groups and combo boxes: the stored values
// they show, and how the person's choice reaches the field.
#include <gtest/gtest.h>

#include "db_fixture.h"
#include "platform/core/exceptions.h"
#include "platform/dbcontrols/db_check_box.h"
#include "platform/dbcontrols/db_combo_box.h"
#include "platform/dbcontrols/db_radio_group.h"

namespace zor::plat::testing {
namespace {

class DbCheckBoxTest : public DbFixture {
 protected:
  void SetUp() override {
    DbFixture::SetUp();
    box = Make<TDBCheckBox>("dcbSeg");
    box->SetValueChecked("1");
    box->SetValueUnchecked("2");
    box->SetDataSource(dts);
    box->SetDataField("IDSITVOO");
    idsit->OnGetText = nullptr;
    idsit->OnSetText = nullptr;
    Load();
  }
  TDBCheckBox* box = nullptr;
};

TEST_F(DbCheckBoxTest, ShowsCheckedAndUncheckedValues) {
  EXPECT_EQ(box->State(), cbChecked);
  cds->Next();
  EXPECT_EQ(box->State(), cbUnchecked);
}

TEST_F(DbCheckBoxTest, AnyOtherValueShowsUncheckedOrGrayed) {
  cds->Last();  // "3"
  EXPECT_EQ(box->State(), cbUnchecked);
  box->SetAllowGrayed(true);
  box->SetValueChecked("1");  // shows the field again
  EXPECT_EQ(box->State(), cbGrayed);
}

TEST_F(DbCheckBoxTest, LoadingTheValueRunsTheClickHandler) {
  int clicks = 0;
  box->OnClick = [&](TObject*) { ++clicks; };
  cds->Next();  // "1" → "2"
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(cds->State(), dsBrowse) << "showing a record never starts an edit";
}

TEST_F(DbCheckBoxTest, ClickStartsTheEditAndWritesTheValue) {
  EXPECT_TRUE(box->UserClick());
  EXPECT_EQ(cds->State(), dsEdit);
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(idsit->AsString(), "2");
  box->UserClick();
  EXPECT_EQ(idsit->AsString(), "1");
}

TEST_F(DbCheckBoxTest, ClickIsRefusedWhenTheDatasetCannotEdit) {
  dts->SetAutoEdit(false);
  box->UserClick();
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(idsit->AsString(), "1");
}

TEST_F(DbCheckBoxTest, ARefusedValueShowsTheFieldAgain) {
  idsit->OnValidate = [](TField* f) {
    if (f->AsString() == "2") throw Exception("Não pode.");
  };
  EXPECT_FALSE(box->UserClick());
  EXPECT_EQ(idsit->AsString(), "1");
  EXPECT_TRUE(box->Checked());
}

class DbRadioGroupTest : public DbFixture {
 protected:
  void SetUp() override {
    DbFixture::SetUp();
    group = Make<TDBRadioGroup>("drgBaseTrans");
    group->Items().Assign({"Base", "Trânsito"});
    group->Values().Assign({"1", "2"});
    group->SetDataSource(dts);
    group->SetDataField("IDSITVOO");
    idsit->OnGetText = nullptr;
    idsit->OnSetText = nullptr;
    Load();
  }
  TDBRadioGroup* group = nullptr;
};

TEST_F(DbRadioGroupTest, ChoiceFollowsTheStoredValue) {
  EXPECT_EQ(group->ItemIndex(), 0);
  cds->Next();
  EXPECT_EQ(group->ItemIndex(), 1);
  EXPECT_EQ(group->Value(), "2");
  cds->Next();  // "3" is no item's value
  EXPECT_EQ(group->ItemIndex(), -1);
}

TEST_F(DbRadioGroupTest, ChoosingWritesTheItemsValue) {
  EXPECT_TRUE(group->UserSelect(1));
  EXPECT_EQ(cds->State(), dsEdit);
  EXPECT_EQ(idsit->AsString(), "2");
}

// As the other choices: the refusal is shown and the group goes back to
// the value the field keeps, with nothing left pending for the next post.
TEST_F(DbRadioGroupTest, ARefusedChoiceShowsTheFieldAgain) {
  idsit->OnValidate = [](TField* f) {
    if (f->AsString() == "2") throw Exception("Não pode.");
  };
  EXPECT_FALSE(group->UserSelect(1));
  EXPECT_EQ(group->ItemIndex(), 0);
  EXPECT_EQ(ui.LastMessage(), "Não pode.");
  cds->Post();
  EXPECT_EQ(idsit->AsString(), "1");
}

TEST_F(DbRadioGroupTest, WithoutValuesTheCaptionIsStored) {
  group->Values().Clear();
  group->Items().Assign({"1", "2"});
  EXPECT_EQ(group->ItemIndex(), 0);
  group->UserSelect(1);
  EXPECT_EQ(idsit->AsString(), "2");
}

class DbComboBoxTest : public DbFixture {
 protected:
  void SetUp() override {
    DbFixture::SetUp();
    combo = Make<TDBComboBox>("dcbSituacao");
    combo->SetStyle(csDropDownList);
    combo->Items().Assign({"Ativo", "Inativo"});
    combo->SetDataSource(dts);
    combo->SetDataField("IDSITVOO");
    Load();
  }
  TDBComboBox* combo = nullptr;
};

TEST_F(DbComboBoxTest, ItemIndexFollowsTheDisplayText) {
  EXPECT_EQ(combo->ItemIndex(), 0);
  cds->Next();
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(combo->Text(), "Inativo");
  cds->Next();  // "3" has no text: no choice in the list-only style
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(combo->Text(), "");
}

TEST_F(DbComboBoxTest, ChoosingWritesTheItemTextThroughSetText) {
  std::vector<std::string> texts;
  idsit->OnSetText = [&](TField* f, const std::string& text) {
    texts.push_back(text);
    f->SetAsString(text == "Inativo" ? "2" : "1");
  };
  std::vector<std::string> order;
  combo->OnChange = [&](TObject*) { order.push_back("change " + idsit->AsString()); };
  EXPECT_TRUE(combo->UserSelect(1));
  EXPECT_EQ(texts, std::vector<std::string>{"Inativo"});
  EXPECT_EQ(idsit->AsString(), "2");
  EXPECT_EQ(cds->State(), dsEdit);
  EXPECT_EQ(order, std::vector<std::string>{"change 1"}) << "the change handler runs before the write";
}

TEST_F(DbComboBoxTest, ListOnlyRefusesTextThatIsNoItem) {
  EXPECT_FALSE(combo->UserSetText("Cancelado"));
  EXPECT_EQ(idsit->AsString(), "1");
  EXPECT_EQ(cds->State(), dsBrowse);
}

TEST_F(DbComboBoxTest, ChoiceIsRefusedWhenTheDatasetCannotEdit) {
  cds->SetReadOnly(true);
  EXPECT_FALSE(combo->UserSelect(1));
  EXPECT_EQ(combo->ItemIndex(), 0);
  EXPECT_EQ(idsit->AsString(), "1");
}

TEST_F(DbComboBoxTest, ARefusedChoiceShowsTheFieldAgain) {
  idsit->OnValidate = [](TField* f) {
    if (f->AsString() == "2") throw Exception("Não pode.");
  };
  EXPECT_FALSE(combo->UserSelect(1));
  EXPECT_EQ(combo->ItemIndex(), 0);
  EXPECT_EQ(ui.LastMessage(), "Não pode.");
}

}  // namespace
}  // namespace zor::plat::testing
