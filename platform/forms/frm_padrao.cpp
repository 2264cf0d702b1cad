// The base maintenance form: its definition and default handlers.
#include "platform/forms/frm_padrao.h"

#include "platform/ui/ui_port.h"

namespace plat {

namespace {

const char* const kDefinition = R"(# Base maintenance form: toolbar, menus, grid and record tabs, navigator.
form
  Caption = "Cadastro"
  Width = 640
  Height = 480
  FormStyle = fsMDIChild
  KeyPreview = true
  OnCreate = FormCreate
  OnClose = FormClose
  OnKeyDown = FormKeyDown

panMenu: TPanel in form
  Align = alTop
  Height = 27
  BevelOuter = bvNone
  BevelInner = bvRaised
sbtIncluir: TSpeedButton in panMenu
  Left = 4
  Top = 2
  Width = 23
  Height = 22
  Flat = true
  Hint = "Incluir"
  ShowHint = true
  Glyph = "incluir"
  OnClick = sbtIncluirClick
sbtAlterar: TSpeedButton in panMenu
  Left = 27
  Top = 2
  Width = 23
  Height = 22
  Flat = true
  Hint = "Alterar"
  ShowHint = true
  Glyph = "alterar"
  OnClick = sbtAlterarClick
sbtExcluir: TSpeedButton in panMenu
  Left = 50
  Top = 2
  Width = 23
  Height = 22
  Flat = true
  Hint = "Excluir"
  ShowHint = true
  Glyph = "excluir"
  OnClick = sbtExcluirClick
sbtProcurar: TSpeedButton in panMenu
  Left = 73
  Top = 2
  Width = 23
  Height = 22
  Flat = true
  Hint = "Procurar"
  ShowHint = true
  Glyph = "procurar"
  OnClick = sbtProcurarClick
sbtVerificar: TSpeedButton in panMenu
  Left = 96
  Top = 2
  Width = 23
  Height = 22
  Flat = true
  Hint = "Verificar"
  ShowHint = true
  Glyph = "verificar"
  OnClick = sbtVerificarClick
sbtCancelar: TSpeedButton in panMenu
  Left = 125
  Top = 2
  Width = 23
  Height = 22
  Flat = true
  Hint = "Cancelar"
  ShowHint = true
  Glyph = "cancelar"
  Enabled = false
  OnClick = sbtCancelarClick
sbtConfirmar: TSpeedButton in panMenu
  Left = 148
  Top = 2
  Width = 23
  Height = 22
  Flat = true
  Hint = "Confirmar"
  ShowHint = true
  Glyph = "confirmar"
  Enabled = false
  OnClick = sbtConfirmarClick
sbtImprimir: TSpeedButton in panMenu
  Left = 177
  Top = 2
  Width = 23
  Height = 22
  Flat = true
  Hint = "Imprimir"
  ShowHint = true
  Glyph = "imprimir"
  OnClick = sbtImprimirClick
sbtAjuda: TSpeedButton in panMenu
  Left = 200
  Top = 2
  Width = 23
  Height = 22
  Flat = true
  Hint = "Ajuda"
  ShowHint = true
  Glyph = "ajuda"
  OnClick = sbtAjudaClick
sbtFechar: TSpeedButton in panMenu
  Left = 223
  Top = 2
  Width = 23
  Height = 22
  Flat = true
  Hint = "Fechar"
  ShowHint = true
  Glyph = "fechar"
  OnClick = sbtFecharClick
lblCodTela: TLabel in panMenu
  Left = 560
  Top = 7
  Caption = "TELA"
  Font.Bold = true

panNavigator: TPanel in form
  Align = alBottom
  Height = 29
  BevelOuter = bvNone

pgcPadrao: TPageControl in form
  Align = alClient
  ActivePage = tshFolhaDados
  OnChange = pgcPadraoChange
tshFolhaDados: TTabSheet in pgcPadrao
  Caption = "Folha de Dados"
panDbgPadrao: TPanel in tshFolhaDados
  Align = alClient
  BevelOuter = bvNone
scbFolhaDados: TScrollBox in panDbgPadrao
  Align = alClient
tshFormulario: TTabSheet in pgcPadrao
  Caption = "Formulário"
panFormulario: TPanel in tshFormulario
  Align = alClient
  BevelOuter = bvNone
scbFormulario: TScrollBox in panFormulario
  Align = alClient

mnuMenu: TMainMenu
mnuOperacao: TMenuItem in mnuMenu
  Caption = "&Operação"
mnuFolhaDados: TMenuItem in mnuOperacao
  Caption = "&Folha de Dados"
  RadioItem = true
  GroupIndex = 1
  Checked = true
  OnClick = mnuFolhaDadosClick
mnuFormulario: TMenuItem in mnuOperacao
  Caption = "F&ormulário"
  RadioItem = true
  GroupIndex = 1
  OnClick = mnuFormularioClick
mnuEdicao: TMenuItem in mnuMenu
  Caption = "&Edição"
# Function keys for the commands (F2 Incluir ... F8 Cancelar): no key the
# screens give a meaning to (Insert, Delete, Escape, Tab, arrows, Ctrl+Delete,
# Ctrl+Break), and the same in edits, grids and lists.
mnuIncluir: TMenuItem in mnuEdicao
  ShortCut = 113
  Caption = "&Incluir"
  OnClick = sbtIncluirClick
mnuAlterar: TMenuItem in mnuEdicao
  ShortCut = 114
  Caption = "&Alterar"
  OnClick = sbtAlterarClick
mnuExcluir: TMenuItem in mnuEdicao
  ShortCut = 115
  Caption = "E&xcluir"
  OnClick = sbtExcluirClick
mnuProcurar: TMenuItem in mnuEdicao
  ShortCut = 117
  Caption = "&Procurar"
  OnClick = sbtProcurarClick
mnuVerificar: TMenuItem in mnuEdicao
  ShortCut = 116
  Caption = "&Verificar"
  OnClick = sbtVerificarClick
mnuCancelar: TMenuItem in mnuEdicao
  ShortCut = 119
  Caption = "&Cancelar"
  Enabled = false
  OnClick = sbtCancelarClick
mnuConfirmar: TMenuItem in mnuEdicao
  ShortCut = 118
  Caption = "Co&nfirmar"
  Enabled = false
  OnClick = sbtConfirmarClick

pmnNavegar: TPopupMenu

msgPadrao: TMessages
msgMensagensPadroes: TMessages
  Messages += "Canc|Deseja cancelar as alterações?"
  Messages += "Excl|Confirma a exclusão do registro?"
)";

std::vector<FormDefinitionSource>& Extensions() {
  static std::vector<FormDefinitionSource> extensions;
  return extensions;
}

}  // namespace

TfrmPadrao::TfrmPadrao(TComponent* owner) : TForm(owner) {
  BindHandler<TNotifyEvent>("FormCreate", [this](TObject* s) { FormCreate(s); });
  BindHandler<TCloseEvent>("FormClose", [this](TObject* s, TCloseAction& a) { FormClose(s, a); });
  BindHandler<TKeyEvent>("FormKeyDown", [this](TObject* s, Word& k, TShiftState sh) { FormKeyDown(s, k, sh); });
  BindHandler<TNotifyEvent>("mnuFolhaDadosClick", [this](TObject* s) { mnuFolhaDadosClick(s); });
  BindHandler<TNotifyEvent>("mnuFormularioClick", [this](TObject* s) { mnuFormularioClick(s); });
  BindHandler<TNotifyEvent>("pgcPadraoChange", [this](TObject* s) { pgcPadraoChange(s); });
  BindHandler<TNotifyEvent>("dtsPadraoStateChange", [this](TObject* s) { dtsPadraoStateChange(s); });
  BindHandler<TNotifyEvent>("sbtAlterarClick", [this](TObject* s) { sbtAlterarClick(s); });
  BindHandler<TNotifyEvent>("sbtProcurarClick", [this](TObject* s) { sbtProcurarClick(s); });
  BindHandler<TNotifyEvent>("sbtFecharClick", [this](TObject* s) { sbtFecharClick(s); });
  BindHandler<TKeyEvent>("dbgPadraoKeyDown",
                         [this](TObject* s, Word& k, TShiftState sh) { dbgPadraoKeyDown(s, k, sh); });
  // Commands the screen gives meaning to; nothing happens until it does.
  for (const char* name : {"sbtIncluirClick", "sbtExcluirClick", "sbtVerificarClick", "sbtCancelarClick",
                           "sbtConfirmarClick", "sbtImprimirClick"})
    BindHandler<TNotifyEvent>(name, [](TObject*) {});
  // Help: the page of the screen, by the code the screen shows.
  BindHandler<TNotifyEvent>("sbtAjudaClick", [this](TObject*) { Ui().ShowHelp(lblCodTela ? lblCodTela->Caption() : Name()); });

  BindField("lblCodTela", lblCodTela);
  BindField("panMenu", panMenu);
  BindField("sbtIncluir", sbtIncluir);
  BindField("sbtAlterar", sbtAlterar);
  BindField("sbtExcluir", sbtExcluir);
  BindField("sbtProcurar", sbtProcurar);
  BindField("sbtVerificar", sbtVerificar);
  BindField("sbtCancelar", sbtCancelar);
  BindField("sbtConfirmar", sbtConfirmar);
  BindField("sbtImprimir", sbtImprimir);
  BindField("sbtAjuda", sbtAjuda);
  BindField("sbtFechar", sbtFechar);
  BindField("mnuMenu", mnuMenu);
  BindField("mnuOperacao", mnuOperacao);
  BindField("mnuFolhaDados", mnuFolhaDados);
  BindField("mnuFormulario", mnuFormulario);
  BindField("mnuEdicao", mnuEdicao);
  BindField("mnuIncluir", mnuIncluir);
  BindField("mnuAlterar", mnuAlterar);
  BindField("mnuExcluir", mnuExcluir);
  BindField("mnuProcurar", mnuProcurar);
  BindField("mnuVerificar", mnuVerificar);
  BindField("mnuCancelar", mnuCancelar);
  BindField("mnuConfirmar", mnuConfirmar);
  BindField("pgcPadrao", pgcPadrao);
  BindField("tshFolhaDados", tshFolhaDados);
  BindField("panDbgPadrao", panDbgPadrao);
  BindField("scbFolhaDados", scbFolhaDados);
  BindField("tshFormulario", tshFormulario);
  BindField("panFormulario", panFormulario);
  BindField("scbFormulario", scbFormulario);
  BindField("panNavigator", panNavigator);
  BindField("msgPadrao", msgPadrao);
  BindField("msgMensagensPadroes", msgMensagensPadroes);
  BindField("pmnNavegar", pmnNavegar);
}

std::vector<FormDefinitionSource> TfrmPadrao::Definitions() const {
  std::vector<FormDefinitionSource> out{{"frm_padrao.form", kDefinition}};
  for (const auto& e : Extensions()) out.push_back(e);
  return out;
}

void TfrmPadrao::AddBaseDefinition(FormDefinitionSource source) { Extensions().push_back(std::move(source)); }

void TfrmPadrao::FormCreate(TObject*) {
  pgcPadrao->SetActivePage(tshFolhaDados);
  mnuFolhaDados->SetChecked(true);
}

void TfrmPadrao::FormClose(TObject*, TCloseAction& Action) { Action = caFree; }

void TfrmPadrao::FormKeyDown(TObject*, Word&, TShiftState) {}

void TfrmPadrao::mnuFolhaDadosClick(TObject*) {
  pgcPadrao->SetActivePage(tshFolhaDados);
  mnuFolhaDados->SetChecked(true);
}

void TfrmPadrao::mnuFormularioClick(TObject*) {
  pgcPadrao->SetActivePage(tshFormulario);
  mnuFormulario->SetChecked(true);
}

void TfrmPadrao::pgcPadraoChange(TObject*) {
  if (pgcPadrao->ActivePage() == tshFolhaDados)
    mnuFolhaDados->SetChecked(true);
  else if (pgcPadrao->ActivePage() == tshFormulario)
    mnuFormulario->SetChecked(true);
}

void TfrmPadrao::dtsPadraoStateChange(TObject*) {}

void TfrmPadrao::sbtAlterarClick(TObject*) {
  if (EditDataSet) EditDataSet();
}

void TfrmPadrao::sbtProcurarClick(TObject*) {
  if (SearchDataSet) SearchDataSet();
}

void TfrmPadrao::sbtFecharClick(TObject*) { Close(); }

void TfrmPadrao::dbgPadraoKeyDown(TObject*, Word&, TShiftState) {}

}  // namespace plat
