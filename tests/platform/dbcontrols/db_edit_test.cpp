// The data-aware edit: what it shows, how typing starts the edit, and how
// the text reaches the field on exit and before a post.
#include <gtest/gtest.h>

#include "db_fixture.h"
#include "platform/controls/edit.h"
#include "platform/core/exceptions.h"
#include "platform/dbcontrols/db_edit.h"
#include "platform/dbcontrols/db_text.h"

namespace zor::plat::testing {
namespace {

class DbEditTest : public DbFixture {
 protected:
  void SetUp() override {
    DbFixture::SetUp();
    edit = Make<TDBEdit>("dbeSituacao");
    other = Make<TEdit>("edtOutro");
    edit->SetDataSource(dts);
    edit->SetDataField("SGEQUIP");
    // Display and edit text differ so the test can tell which is shown.
    sgequip->OnGetText = [](TField* f, std::string& text, bool display) {
      text = (display ? "mostra " : "edita ") + f->AsString();
    };
    Load();
  }
  TDBEdit* edit = nullptr;
  TEdit* other = nullptr;
};

TEST_F(DbEditTest, ShowsDisplayTextAndEditTextWhileFocused) {
  EXPECT_EQ(edit->Text(), "mostra B737");
  ASSERT_TRUE(edit->SetFocus());
  EXPECT_EQ(edit->Text(), "edita B737");
  ASSERT_TRUE(other->SetFocus());
  EXPECT_EQ(edit->Text(), "mostra B737");
  cds->Next();
  EXPECT_EQ(edit->Text(), "mostra A320");
}

TEST_F(DbEditTest, TypingIntoABrowsingDatasetPutsItIntoEdit) {
  sgequip->OnGetText = nullptr;
  edit->SetFocus();
  ASSERT_EQ(cds->State(), dsBrowse);
  EXPECT_TRUE(edit->UserType("2"));
  EXPECT_EQ(cds->State(), dsEdit);
  EXPECT_EQ(edit->Text(), "B7372");
  EXPECT_TRUE(edit->PendingText());
  EXPECT_EQ(sgequip->AsString(), "B737") << "the field is written only when the edit is left or before a post";
}

TEST_F(DbEditTest, TypingIsRefusedWhenTheDataSourceDoesNotAutoEdit) {
  dts->SetAutoEdit(false);
  edit->SetFocus();
  EXPECT_TRUE(edit->UserType("9"));
  EXPECT_EQ(cds->State(), dsBrowse);
  EXPECT_EQ(edit->Text(), "edita B737");
}

TEST_F(DbEditTest, TypingIsRefusedForAReadOnlyFieldOrEdit) {
  sgequip->SetReadOnly(true);
  edit->SetDataField("NRVOO");
  edit->SetDataField("SGEQUIP");  // picks the read-only state up again
  edit->SetFocus();
  edit->UserType("9");
  EXPECT_EQ(cds->State(), dsBrowse);
  sgequip->SetReadOnly(false);
  edit->SetReadOnly(true);
  edit->UserType("9");
  EXPECT_EQ(cds->State(), dsBrowse);
}

TEST_F(DbEditTest, LeavingWritesTheTextThroughSetText) {
  std::vector<std::string> seen;
  sgequip->OnSetText = [&](TField* f, const std::string& text) {
    seen.push_back(text);
    f->SetAsString(text == "Inativo" ? "INATIVO" : text);
  };
  edit->SetFocus();
  edit->UserSetText("Inativo");
  EXPECT_TRUE(form.UserFocus(other));
  EXPECT_EQ(seen, std::vector<std::string>{"Inativo"});
  EXPECT_EQ(sgequip->AsString(), "INATIVO");
  EXPECT_EQ(edit->Text(), "mostra INATIVO") << "the field's display text is shown again";
}

TEST_F(DbEditTest, TheExitHandlerSeesTheFieldAlreadyWritten) {
  sgequip->OnGetText = nullptr;
  std::string seen;
  edit->OnExit = [&](TObject*) { seen = sgequip->AsString(); };
  edit->SetFocus();
  edit->UserSetText("2");
  form.UserFocus(other);
  EXPECT_EQ(seen, "2");
}

TEST_F(DbEditTest, AValidateErrorOnExitKeepsTheFocusAndTheOldValue) {
  sgequip->OnGetText = nullptr;
  sgequip->OnValidate = [](TField* f) {
    if (f->AsString() == "9") throw Exception("Situação inválida.");
  };
  edit->SetFocus();
  edit->UserSetText("9");
  EXPECT_FALSE(form.UserFocus(other));
  EXPECT_EQ(form.ActiveControl(), edit);
  EXPECT_EQ(sgequip->AsString(), "B737");
  EXPECT_EQ(edit->Text(), "9") << "the typed text stays for the person to correct";
  EXPECT_EQ(ui.LastMessage(), "Situação inválida.");
  // Corrected, the edit may be left.
  edit->UserSetText("2");
  EXPECT_TRUE(form.UserFocus(other));
  EXPECT_EQ(sgequip->AsString(), "2");
}

TEST_F(DbEditTest, PostTakesTheTypedTextWithoutLeavingTheEdit) {
  sgequip->OnGetText = nullptr;
  edit->SetFocus();
  edit->UserSetText("2");
  cds->Post();
  EXPECT_EQ(cds->State(), dsBrowse);
  EXPECT_EQ(sgequip->AsString(), "2");
  EXPECT_EQ(form.ActiveControl(), edit);
}

TEST_F(DbEditTest, UntouchedEditWritesNothing) {
  int writes = 0;
  sgequip->OnSetText = [&](TField*, const std::string&) { ++writes; };
  edit->SetFocus();
  cds->Edit();
  form.UserFocus(other);
  cds->Post();
  EXPECT_EQ(writes, 0);
}

TEST_F(DbEditTest, TakesTheFieldsMaskAndSize) {
  edit->SetDataField("HRDECOLVOO");
  EXPECT_EQ(edit->EditMask(), "!99:99;1; ");
  EXPECT_EQ(edit->EditText(), "07:30");
  EXPECT_EQ(edit->MaxLength(), 0) << "the mask, not the stored size, limits a masked text";
  edit->SetDataField("NRVOO");
  EXPECT_EQ(edit->EditMask(), "");
  EXPECT_EQ(edit->MaxLength(), 5);
}

TEST_F(DbEditTest, MaskedTimeTypedIntoTheEditIsStoredByTheFieldsHandlers) {
  edit->SetDataField("HRDECOLVOO");
  edit->SetFocus();
  edit->UserSetText("09:40");
  form.UserFocus(other);
  ASSERT_FALSE(set_texts.empty());
  EXPECT_EQ(set_texts.back(), "09:40") << "the mask layout reaches the set-text handler";
  EXPECT_EQ(hrdecol->AsString(), "0940");
  EXPECT_EQ(edit->EditText(), "09:40");
}

TEST_F(DbEditTest, FocusControlOfTheFieldFocusesTheEdit) {
  other->SetFocus();
  sgequip->FocusControl();
  EXPECT_EQ(form.ActiveControl(), edit);
}

TEST_F(DbEditTest, DbTextFollowsTheFieldsDisplayText) {
  auto* label = Make<TDBText>("dbtNome");
  label->SetDataSource(dts);
  label->SetDataField("NRVOO");
  EXPECT_EQ(label->Caption(), "100");
  cds->Last();
  EXPECT_EQ(label->Caption(), "300");
  cds->Edit();
  nrvoo->SetAsString("301");
  EXPECT_EQ(label->Caption(), "301");
  cds->Close();
  EXPECT_EQ(label->Caption(), "");
}

}  // namespace
}  // namespace zor::plat::testing
