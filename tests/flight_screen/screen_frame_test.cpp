// Opening, presentation modes and closing of the flight screen.
#include "flight_screen/screen_state.h"
#include "package/pkg_zor12200.h"
#include "platform/forms/application.h"
#include "platform/forms/screen.h"
#include "tests/flight_screen/screen_fixture.h"

namespace zor::Cli_zor12200 {

using namespace plat;

TEST_F(ScreenTest, OpensFromTheMenuWithTheUsersBranchAndTheFlightTypes) {
  TfrmVoo& f = Open();
  EXPECT_TRUE(boStCriado);
  EXPECT_EQ(StLocalCriacao, "MENU");
  EXPECT_EQ(f.Caption(), "Vôo/Trecho");
  EXPECT_EQ(f.lblCodTela->Caption(), "ZOR12200");
  EXPECT_EQ(f.medCdFilial->Text(), "0001");
  EXPECT_EQ(f.edtNmFilial->Text(), "Guarulhos");
  EXPECT_TRUE(f.medCdFilial->Enabled());
  EXPECT_EQ(f.medCdFilial->Tag(), 0);
  EXPECT_EQ(f.cbbTipoVoo->Items().Count(), 4);
  EXPECT_TRUE(f.panTipoVoo->Visible());
  auto* tipo = dynamic_cast<TTipoVoo*>(f.cbbTipoVoo->Items().Objects(1));
  ASSERT_NE(tipo, nullptr);
  EXPECT_EQ(tipo->CdExpTipoVoo, "2");
  EXPECT_EQ(tipo->NmTipoVoo, "Cargueiro");
  EXPECT_FALSE(f.tshFormulario->Enabled());
  EXPECT_FALSE(f.tshConfigVoo->Enabled());
  EXPECT_FALSE(f.panBotoes->Visible());
  EXPECT_EQ(f.msgPadrao->Messages().size(), 60u);
  EXPECT_EQ(f.msgPadrao->Msg("IdVoo_Obr"), "Frequência deve ser informada.");
  EXPECT_EQ(ui.BusyDepth(), 0);
}

TEST_F(ScreenTest, AFixedBranchLocksTheBranchFieldsAndFocusesTheCompany) {
  TfrmVoo& f = Open(true);
  EXPECT_FALSE(f.medCdFilial->Enabled());
  EXPECT_FALSE(f.btnPesqFilial->Enabled());
  EXPECT_FALSE(f.lblFilial->Enabled());
  EXPECT_EQ(f.medCdFilial->Tag(), 99);
  EXPECT_TRUE(f.medSgCia->Focused());
}

TEST_F(ScreenTest, ASecondOpenBringsTheSameScreenForward) {
  TfrmVoo& f = Open();
  f.SetWindowState(wsMinimized);
  Pkg_zor12200::CriaVoo("menu", "x", nullptr);
  EXPECT_EQ(frmVoo, &f);
  EXPECT_EQ(StLocalCriacao, "MENU");
  EXPECT_EQ(stCdsOriginal, "x");
  EXPECT_EQ(f.WindowState(), wsNormal);
  EXPECT_EQ(Screen->Cursor(), crDefault);
}

TEST_F(ScreenTest, AVgaDisplayMaximisesTheScreen) {
  Screen->SetWidth(640);
  Screen->SetHeight(480);
  TfrmVoo& f = Open();
  EXPECT_EQ(f.WindowState(), wsMaximized);
}

TEST_F(ScreenTest, TheModalDialogShowsItsBarAndEndsWithTheCancelKey) {
  boShowModal = true;
  TfrmVoo& f = Open();
  EXPECT_FALSE(f.panMenu->Visible());
  EXPECT_FALSE(f.mnuEdicao->Visible());
  EXPECT_FALSE(f.panNavigator->Visible());
  EXPECT_TRUE(f.panBotoes->Visible());
  EXPECT_TRUE(f.panBotoes->Enabled());
  EXPECT_GT(f.panBotoes->Width(), 0);
  EXPECT_EQ(f.FormStyle(), fsNormal);
  Word key = 3;
  f.FormKeyDown(&f, key, {});
  EXPECT_EQ(f.ModalResult(), mrCancel);
}

TEST_F(ScreenTest, TheLegDialogTakesItsCaptionFromTheMessages) {
  boTrechoOk = true;
  TfrmVoo& f = Open();
  EXPECT_EQ(f.Caption(), "Trecho de um Vôo");
  EXPECT_TRUE(f.panMenu->Visible());
  EXPECT_FALSE(f.panBotoes->Visible());
  EXPECT_TRUE(f.panBotoes->Enabled());
  EXPECT_FALSE(f.mnuOperacao->Visible());
  f.sbtConfirmaClick(f.sbtConfirma);
  EXPECT_EQ(f.ModalResult(), mrOk);
}

TEST_F(ScreenTest, TheCancelKeyDoesNothingInTheMdiChild) {
  TfrmVoo& f = Open();
  Word key = 3;
  f.FormKeyDown(&f, key, {});
  EXPECT_EQ(f.ModalResult(), mrNone);
}

TEST_F(ScreenTest, ClosingResetsTheFlagsAndTheNextOpenMakesAFreshScreen) {
  boShowModal = true;
  TfrmVoo& f = Open();
  f.Close();
  Application->ProcessMessages();
  EXPECT_FALSE(boStCriado);
  EXPECT_FALSE(boShowModal);
  EXPECT_FALSE(boTrechoOk);
  TfrmVoo& again = Open();
  EXPECT_TRUE(boStCriado);
  EXPECT_TRUE(again.panMenu->Visible());
}

TEST_F(ScreenTest, IniProcRejectsAValueThatIsNotAnArrayOfThree) {
  EXPECT_THROW(Pkg_zor12200::IniProc(Variant("ZOR12200")), EVariantError);
  EXPECT_THROW(Pkg_zor12200::IniProc(VarArrayOf("ZOR12200", "cds")), EVariantError);
}

}  // namespace zor::Cli_zor12200
