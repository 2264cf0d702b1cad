// The base maintenance form and the base report form.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms_fixture.h"
#include "platform/forms/frm_dados_ger_rel.h"
#include "platform/forms/frm_padrao.h"
#include "platform/ui/scripted_ui.h"

namespace zor::plat {
namespace {

// A screen deriving from the base form, replacing a base handler and
// calling it explicitly, as screens do.
class TfrmTela : public TfrmPadrao {
 public:
  explicit TfrmTela(TComponent* owner) : TfrmPadrao(owner) {
    BindHandler<TNotifyEvent>("FormCreate", [this](TObject* s) { FormCreate(s); });
    BindHandler<TNotifyEvent>("sbtIncluirClick", [this](TObject* s) { senders.push_back(s); });
    BindHandler<TNotifyEvent>("mnuFormularioClick", [this](TObject* s) { mnuFormularioClick(s); });
  }
  std::vector<FormDefinitionSource> Definitions() const override {
    auto defs = TfrmPadrao::Definitions();
    defs.push_back({"tela.form", "form\n  Caption = \"Vôo/Trecho\"\nlblCodTela\n  Caption = \"ZOR12200\"\n"});
    return defs;
  }
  void FormCreate(TObject* sender) {
    TfrmPadrao::FormCreate(sender);
    created = true;
  }
  void mnuFormularioClick(TObject* sender) {
    TfrmPadrao::mnuFormularioClick(sender);
    ++menu_clicks;
  }
  bool created = false;
  int menu_clicks = 0;
  std::vector<TObject*> senders;
};

class BaseFormsTest : public FormsTest {};

TEST_F(BaseFormsTest, BaseFormComponentsAndDerivedDefinition) {
  TfrmTela* form = nullptr;
  Application->CreateForm(form);
  EXPECT_TRUE(form->created);
  EXPECT_EQ(form->Caption(), "Vôo/Trecho");
  EXPECT_EQ(form->lblCodTela->Caption(), "ZOR12200");
  EXPECT_EQ(form->FormStyle(), fsMDIChild);
  EXPECT_EQ(form->sbtIncluir->Parent(), form->panMenu);
  EXPECT_EQ(form->scbFolhaDados->Parent(), form->panDbgPadrao);
  EXPECT_EQ(form->panDbgPadrao->Parent(), form->tshFolhaDados);
  EXPECT_EQ(form->scbFormulario->Parent(), form->panFormulario);
  EXPECT_EQ(form->mnuFolhaDados->Parent(), form->mnuOperacao);
  EXPECT_EQ(form->mnuConfirmar->Parent(), form->mnuEdicao);
  EXPECT_EQ(form->pgcPadrao->ActivePage(), form->tshFolhaDados);
  EXPECT_TRUE(form->mnuFolhaDados->Checked());
  EXPECT_FALSE(form->sbtConfirmar->Enabled());
  EXPECT_FALSE(form->mnuCancelar->Enabled());
  EXPECT_FALSE(form->msgMensagensPadroes->Msg("Canc").empty());
  EXPECT_FALSE(form->msgMensagensPadroes->Msg("excl").empty());
}

// The help button asks for the page of the screen by the code it shows.
TEST_F(BaseFormsTest, HelpOpensThePageOfTheScreensCode) {
  struct HelpUi : ScriptedUi {
    std::vector<std::string> asked;
    void ShowHelp(const std::string& code) override { asked.push_back(code); }
  } ui;
  SetUi(&ui);
  TfrmTela* form = nullptr;
  Application->CreateForm(form);
  form->Show();
  EXPECT_TRUE(form->sbtAjuda->UserClick());
  SetUi(nullptr);
  EXPECT_EQ(ui.asked, std::vector<std::string>{"ZOR12200"});
}

TEST_F(BaseFormsTest, CommandButtonsAndMenuTwinsReachTheSameHandler) {
  TfrmTela* form = nullptr;
  Application->CreateForm(form);
  form->Show();
  form->sbtIncluir->UserClick();
  form->mnuIncluir->UserClick();
  EXPECT_EQ(form->senders, (std::vector<TObject*>{form->sbtIncluir, form->mnuIncluir}));
}

TEST_F(BaseFormsTest, TabMenuItemsShowTheirTabAndCheckLikeRadioItems) {
  TfrmTela* form = nullptr;
  Application->CreateForm(form);
  form->Show();
  form->mnuFormulario->UserClick();
  EXPECT_EQ(form->menu_clicks, 1);
  EXPECT_EQ(form->pgcPadrao->ActivePage(), form->tshFormulario);
  EXPECT_TRUE(form->mnuFormulario->Checked());
  EXPECT_FALSE(form->mnuFolhaDados->Checked());
  // The person's tab choice keeps the menu in step.
  EXPECT_TRUE(form->pgcPadrao->SelectPage(form->tshFolhaDados));
  EXPECT_TRUE(form->mnuFolhaDados->Checked());
  EXPECT_FALSE(form->mnuFormulario->Checked());
}

TEST_F(BaseFormsTest, ChangeAndFindGoThroughTheDataHooks) {
  TfrmTela* form = nullptr;
  Application->CreateForm(form);
  int edits = 0, searches = 0;
  form->sbtAlterarClick(form->sbtAlterar);  // no hook yet: nothing happens
  form->EditDataSet = [&] { ++edits; };
  form->SearchDataSet = [&] { ++searches; };
  form->sbtAlterar->Click();
  form->mnuProcurar->Click();
  EXPECT_EQ(edits, 1);
  EXPECT_EQ(searches, 1);
}

TEST_F(BaseFormsTest, CloseButtonFreesTheForm) {
  TfrmTela* main = nullptr;
  Application->CreateForm(main);
  TfrmTela* form = nullptr;
  Application->CreateForm(form);
  form->Show();
  const int before = Screen->FormCount();
  EXPECT_TRUE(form->sbtFechar->UserClick());
  EXPECT_EQ(Screen->FormCount(), before - 1);
}

TEST_F(BaseFormsTest, BaseDefinitionExtensionsApplyToEveryForm) {
  TfrmPadrao::AddBaseDefinition({"extensao.form", "panNavigator\n  Height = 40\n"});
  TfrmTela* form = nullptr;
  Application->CreateForm(form);
  EXPECT_EQ(form->panNavigator->Height(), 40);
}

TEST_F(BaseFormsTest, ReportFormRunsItsReportByCode) {
  TfrmDadosGerRel* main = nullptr;
  Application->CreateForm(main);
  TfrmDadosGerRel* form = nullptr;
  Application->CreateForm(form);
  form->SetReportCode("ZOR122");
  std::vector<std::pair<std::string, bool>> runs;
  form->RunReport = [&](const std::string& code, bool print) { runs.push_back({code, print}); };
  ui.ModalRunner = [&](TForm&) {
    form->sbtConfirmar->UserClick();
    form->sbtImprimir->UserClick();
    form->sbtFechar->UserClick();
    return mrNone;
  };
  EXPECT_EQ(form->ShowModal(), mrCancel);
  EXPECT_EQ(runs, (std::vector<std::pair<std::string, bool>>{{"ZOR122", false}, {"ZOR122", true}}));
  EXPECT_TRUE(form->Released());
  EXPECT_EQ(form->lblRelat->Parent(), form->panRelat);
}

}  // namespace
}  // namespace zor::plat
