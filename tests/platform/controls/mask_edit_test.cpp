// Edit masks: the branch code mask, the time mask and the mask language.
#include <gtest/gtest.h>

#include "platform/controls/custom_form.h"
#include "platform/controls/mask_edit.h"
#include "platform/core/exceptions.h"
#include "platform/ui/scripted_ui.h"

namespace zor::plat {
namespace {

class MaskEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetUi(&ui);
    edit = new TMaskEdit(&form);
    edit->SetParent(&form);
    other = new TMaskEdit(&form);
    other->SetParent(&form);
    edit->OnChange = [this](TObject*) { ++changes; };
  }
  void TearDown() override { SetUi(nullptr); }
  ScriptedUi ui;
  TCustomForm form;
  TMaskEdit* edit;
  TMaskEdit* other;
  int changes = 0;
};

TEST_F(MaskEditTest, BranchMaskUpperCasesAndStoresNoLiteralsOrBlanks) {
  edit->SetEditMask(">aaaa;0; ");
  EXPECT_EQ(edit->EditText(), "    ");
  EXPECT_EQ(edit->Text(), "");
  edit->UserType("a-b1");  // '-' is not a letter or digit: refused
  EXPECT_EQ(edit->EditText(), "AB1 ");
  EXPECT_EQ(edit->Text(), "AB1");
  EXPECT_EQ(changes, 3);
  edit->UserType("cz");  // only four positions
  EXPECT_EQ(edit->Text(), "AB1C");
  edit->UserType("\b\b");
  EXPECT_EQ(edit->Text(), "AB");
}

TEST_F(MaskEditTest, BranchMaskTextFromCode) {
  edit->SetEditMask(">aaaa;0; ");
  edit->SetText("1");
  EXPECT_EQ(edit->Text(), "1");
  EXPECT_EQ(edit->EditText(), "1   ");
  EXPECT_EQ(changes, 1);
  edit->SetText("0001");
  EXPECT_EQ(edit->Text(), "0001");
  edit->SetText("0001");  // unchanged: no change event
  EXPECT_EQ(changes, 2);
  edit->SetText("sp01");
  EXPECT_EQ(edit->Text(), "SP01");
  edit->SetText("");
  EXPECT_EQ(edit->Text(), "");
}

TEST_F(MaskEditTest, TimeMaskKeepsTheLiteralAndBlanks) {
  edit->SetEditMask("!99:99;1; ");
  EXPECT_EQ(edit->EditText(), "  :  ");
  EXPECT_EQ(edit->Text(), "  :  ");
  edit->UserType("0730");
  EXPECT_EQ(edit->EditText(), "07:30");
  EXPECT_EQ(edit->Text(), "07:30");
  EXPECT_EQ(changes, 4);
}

TEST_F(MaskEditTest, TimeMaskTypingIsPositional) {
  edit->SetEditMask("!99:99;1; ");
  edit->UserType("7");
  EXPECT_EQ(edit->Text(), "7 :  ");
  edit->UserType(":3");  // the typed literal steps over the colon
  EXPECT_EQ(edit->Text(), "7 :3 ");
  edit->UserType("x");  // not a digit
  EXPECT_EQ(edit->Text(), "7 :3 ");
  edit->SetSelStart(0);
  form.SetActiveControl(edit);
  form.UserKeyDown(VK_DELETE);
  EXPECT_EQ(edit->Text(), "  :3 ");
}

TEST_F(MaskEditTest, TimeMaskTextFromCode) {
  edit->SetEditMask("!99:99;1; ");
  edit->SetText("09:30");
  EXPECT_EQ(edit->EditText(), "09:30");
  // A short section is aligned right: missing digits become leading blanks.
  edit->SetText("7:3");
  EXPECT_EQ(edit->EditText(), " 7: 3");
  edit->SetText("");
  EXPECT_EQ(edit->Text(), "  :  ");
  other->SetEditMask("99:99;1;_");  // without '!' sections are aligned left
  other->SetText("7:3");
  EXPECT_EQ(other->EditText(), "7_:3_");
  EXPECT_EQ(other->Text(), "7 :3 ");
}

TEST_F(MaskEditTest, MaskWithoutStoredLiterals) {
  edit->SetEditMask("!99:99;0; ");
  edit->SetText("0730");
  EXPECT_EQ(edit->EditText(), "07:30");
  EXPECT_EQ(edit->Text(), "0730");
  edit->UserSetText("12:4 ");
  EXPECT_EQ(edit->Text(), "124");
}

TEST_F(MaskEditTest, MaskLanguageCasesLettersAndEscapedLiterals) {
  TEditMask m("<LL\\-0;1;_");
  EXPECT_EQ(m.Length(), 4);
  EXPECT_TRUE(m.IsLiteral(2));
  EXPECT_EQ(m.LiteralAt(2), '-');
  EXPECT_EQ(m.Accept(0, 'Q'), 'q');
  EXPECT_EQ(m.Accept(0, '1'), 0);
  EXPECT_EQ(m.Accept(3, 'a'), 0);
  EXPECT_TRUE(m.Required(3));
  EXPECT_EQ(m.EmptyEditText(), "__-_");
  EXPECT_EQ(m.FirstMissing("ab-_"), 3);
  EXPECT_TRUE(m.IsBlank("__-_"));
  TEditMask defaults("999");
  EXPECT_TRUE(defaults.SaveLiterals());
  EXPECT_EQ(defaults.Blank(), '_');
}

TEST_F(MaskEditTest, IncompleteRequiredPositionsRefuseToLeaveAfterAChange) {
  edit->SetEditMask("00/00;1;_");
  edit->SetFocus();
  EXPECT_TRUE(form.UserFocus(other));  // untouched: may leave
  edit->SetFocus();
  edit->UserType("1");
  EXPECT_FALSE(form.UserFocus(other));
  EXPECT_EQ(form.ActiveControl(), edit);
  ASSERT_TRUE(ui.LastMessage());
  EXPECT_NE(ui.LastMessage()->find("inválido"), std::string::npos);
  edit->UserType("2/34");
  EXPECT_EQ(edit->Text(), "12/34");
  EXPECT_TRUE(form.UserFocus(other));
}

TEST_F(MaskEditTest, ChangingTheMaskKeepsTheText) {
  edit->SetText("ab12");
  edit->SetEditMask(">aaaa;0; ");
  EXPECT_EQ(edit->Text(), "AB12");
  edit->SetEditMask("");
  EXPECT_EQ(edit->Text(), "AB12");
  edit->SetCharCase(ecUpperCase);
  edit->SetMaxLength(5);
  edit->SetText("");
  edit->UserType("gol12x");
  EXPECT_EQ(edit->Text(), "GOL12");
}

}  // namespace
}  // namespace zor::plat
