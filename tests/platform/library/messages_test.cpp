#include "platform/library/messages.h"

#include "library_fixture.h"


namespace zor::plat {

namespace {
struct Messages : LibraryTest {
  TMessages msg;
  void SetUp() override {
    LibraryTest::SetUp();
    msg.SetMessages({
        "IDVOO_OBR|Indicador do vôo deve ser informado.",
        "Data_Inv| não é uma data válida.",
        "Classe_Já_Cad|Classe já cadastrada.",
        "Trecho_Voo|Trecho de um Vôo|extra",
        "a line without a bar",
        "Excl|Confirma a exclusão?",
        "EXCL|second entry of the same key",
    });
  }
};
}  // namespace

TEST_F(Messages, KeysMatchWithoutRegardToCase) {
  EXPECT_EQ(msg.Msg("IdVoo_Obr"), "Indicador do vôo deve ser informado.");
  EXPECT_EQ(msg.Msg("classe_já_cad"), "Classe já cadastrada.");
  EXPECT_EQ(msg.Msg("CLASSE_JÁ_CAD"), "Classe já cadastrada.");
  EXPECT_EQ(msg.Msg("excl"), "Confirma a exclusão?");  // the first of two lines wins
}

TEST_F(Messages, TextIsEverythingAfterTheFirstBar) {
  EXPECT_EQ(msg.Msg("Trecho_Voo"), "Trecho de um Vôo|extra");
  EXPECT_EQ(msg.Msg("Data_Inv"), " não é uma data válida.");  // leading blank kept
}

TEST_F(Messages, MissingKeyGivesAnEmptyText) {
  EXPECT_EQ(msg.Msg("Nao_Existe"), "");
  EXPECT_FALSE(msg.HasMsg("Nao_Existe"));
  EXPECT_FALSE(msg.HasMsg("a line without a bar"));
  EXPECT_TRUE(msg.HasMsg("data_inv"));
}

TEST_F(Messages, ShowMsgReturnsTheModalResult) {
  ui.Answers = {true, false, true, false};
  EXPECT_EQ(msg.ShowMsg("Excl", MessageType::Confirmation, MessageButtons::YesNo, 0), TMessages::kResultYes);
  EXPECT_EQ(msg.ShowMsg("Excl", MessageType::Confirmation, MessageButtons::YesNo, 0), 7);
  EXPECT_EQ(msg.ShowMsg("Excl", MessageType::Confirmation, MessageButtons::OkCancel, 0), TMessages::kResultOk);
  EXPECT_EQ(msg.ShowMsg("Excl", MessageType::Confirmation, MessageButtons::OkCancel, 0), TMessages::kResultCancel);
  EXPECT_EQ(ui.LastQuestion(), "Confirma a exclusão?");
  EXPECT_EQ(ui.Events().front().caption, "Confirmação");
  // No queued answer: the scripted person says No, and so does the result.
  EXPECT_EQ(msg.ShowMsg("Excl", MessageType::Confirmation, MessageButtons::YesNo, 0), TMessages::kResultNo);
}

TEST_F(Messages, ShowMsgWithOkShowsAndUsesTheCaptionProvider) {
  SetDialogCaptionProvider([] { return std::string("Vôo/Trecho"); });
  EXPECT_EQ(msg.ShowMsg("IdVoo_Obr", MessageType::Error, MessageButtons::Ok), TMessages::kResultOk);
  EXPECT_EQ(msg.ShowMsg("Data_Inv", MessageType::Information, MessageButtons::Ok), TMessages::kResultOk);
  ASSERT_EQ(ui.Events().size(), 2u);
  EXPECT_EQ(ui.Events()[0].kind, ScriptedUi::Kind::Error);
  EXPECT_EQ(ui.Events()[0].caption, "Vôo/Trecho");
  EXPECT_EQ(ui.Events()[1].kind, ScriptedUi::Kind::Info);
}

}  // namespace zor::plat
