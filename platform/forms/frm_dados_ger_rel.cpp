// The base form of report launchers.
#include "platform/forms/frm_dados_ger_rel.h"

namespace plat {

namespace {

const char* const kDefinition = R"(# Base report launcher: screen and report codes, report frame, confirm/print pair.
form
  Caption = "Relatório"
  Width = 400
  Height = 200
  BorderStyle = bsDialog
  BorderIcons = [biSystemMenu]
  Position = poScreenCenter
  OnCreate = FormCreate
  OnClose = FormClose

panMenu: TPanel in form
  Align = alTop
  Height = 27
  BevelOuter = bvNone
  BevelInner = bvRaised
sbtConfirmar: TSpeedButton in panMenu
  Left = 4
  Top = 2
  Width = 23
  Height = 22
  Flat = true
  Hint = "Confirmar"
  ShowHint = true
  Glyph = "confirmar"
  OnClick = sbtConfirmarClick
sbtImprimir: TSpeedButton in panMenu
  Left = 27
  Top = 2
  Width = 23
  Height = 22
  Flat = true
  Hint = "Imprimir"
  ShowHint = true
  Glyph = "imprimir"
  OnClick = sbtImprimirClick
sbtFechar: TSpeedButton in panMenu
  Left = 56
  Top = 2
  Width = 23
  Height = 22
  Flat = true
  Hint = "Fechar"
  ShowHint = true
  Glyph = "fechar"
  OnClick = sbtFecharClick
lblCodRel: TLabel in panMenu
  Left = 250
  Top = 7
  Font.Bold = true
lblCodTela: TLabel in panMenu
  Left = 320
  Top = 7
  Font.Bold = true

grbDadosRel: TGroupBox in form
  Align = alClient
  Caption = "Dados do Relatório"
bvlSeparator: TBevel in grbDadosRel
  Shape = bsTopLine
  Left = 8
  Top = 40
  Width = 380
  Height = 2
panRelat: TPanel in grbDadosRel
  Left = 8
  Top = 16
  Width = 380
  Height = 22
  BevelOuter = bvNone
lblRelat: TLabel in panRelat
  Left = 0
  Top = 4

msgPadrao: TMessages
ppmSalvarRelatorio: TPopupMenu
)";

std::vector<FormDefinitionSource>& Extensions() {
  static std::vector<FormDefinitionSource> extensions;
  return extensions;
}

}  // namespace

TfrmDadosGerRel::TfrmDadosGerRel(TComponent* owner) : TForm(owner) {
  BindHandler<TNotifyEvent>("FormCreate", [this](TObject* s) { FormCreate(s); });
  BindHandler<TCloseEvent>("FormClose", [this](TObject* s, TCloseAction& a) { FormClose(s, a); });
  BindHandler<TNotifyEvent>("sbtConfirmarClick", [this](TObject* s) { sbtConfirmarClick(s); });
  BindHandler<TNotifyEvent>("sbtImprimirClick", [this](TObject* s) { sbtImprimirClick(s); });
  BindHandler<TNotifyEvent>("sbtFecharClick", [this](TObject* s) { sbtFecharClick(s); });
  BindField("lblCodTela", lblCodTela);
  BindField("panMenu", panMenu);
  BindField("lblCodRel", lblCodRel);
  BindField("sbtConfirmar", sbtConfirmar);
  BindField("sbtImprimir", sbtImprimir);
  BindField("sbtFechar", sbtFechar);
  BindField("grbDadosRel", grbDadosRel);
  BindField("bvlSeparator", bvlSeparator);
  BindField("panRelat", panRelat);
  BindField("lblRelat", lblRelat);
  BindField("msgPadrao", msgPadrao);
  BindField("ppmSalvarRelatorio", ppmSalvarRelatorio);
}

std::vector<FormDefinitionSource> TfrmDadosGerRel::Definitions() const {
  std::vector<FormDefinitionSource> out{{"frm_dados_ger_rel.form", kDefinition}};
  for (const auto& e : Extensions()) out.push_back(e);
  return out;
}

void TfrmDadosGerRel::AddBaseDefinition(FormDefinitionSource source) { Extensions().push_back(std::move(source)); }

void TfrmDadosGerRel::FormCreate(TObject*) {}

void TfrmDadosGerRel::FormClose(TObject*, TCloseAction& Action) { Action = caFree; }

void TfrmDadosGerRel::sbtConfirmarClick(TObject*) {
  if (RunReport) RunReport(ReportCode(), false);
}

void TfrmDadosGerRel::sbtImprimirClick(TObject*) {
  if (RunReport) RunReport(ReportCode(), true);
}

void TfrmDadosGerRel::sbtFecharClick(TObject*) { Close(); }

}  // namespace plat
