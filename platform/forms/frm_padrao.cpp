// The base maintenance form: its definition and default handlers.
#include "platform/forms/frm_padrao.h"

#include "platform/forms/frm_padrao_form.h"
#include "platform/ui/ui_port.h"

namespace zor::plat {

namespace {

std::vector<FormDefinitionSource>& Extensions() {
  static std::vector<FormDefinitionSource> extensions;
  return extensions;
}

}  // namespace

TfrmPadrao::TfrmPadrao(TComponent* owner) : TForm(owner) { BindFormMembers(); }

std::vector<FormDefinitionSource> TfrmPadrao::Definitions() const {
  std::vector<FormDefinitionSource> out{{"frm_padrao.form", kFrmPadraoForm}};
  for (const auto& e : Extensions()) out.push_back(e);
  return out;
}

void TfrmPadrao::AddBaseDefinition(FormDefinitionSource source) { Extensions().push_back(std::move(source)); }

// Shows the grid tab with its menu item checked.
void TfrmPadrao::FormCreate(TObject*) {
  pgcPadrao->SetActivePage(tshFolhaDados);
  mnuFolhaDados->SetChecked(true);
}

// Frees the form.
void TfrmPadrao::FormClose(TObject*, TCloseAction& Action) { Action = caFree; }

// No key handling of its own; present so screens can chain to it.
void TfrmPadrao::FormKeyDown(TObject*, Word&, TShiftState) {}

// Commands the screen gives meaning to; nothing happens until it does.
void TfrmPadrao::sbtIncluirClick(TObject*) {}
void TfrmPadrao::sbtExcluirClick(TObject*) {}
void TfrmPadrao::sbtVerificarClick(TObject*) {}
void TfrmPadrao::sbtCancelarClick(TObject*) {}
void TfrmPadrao::sbtConfirmarClick(TObject*) {}
void TfrmPadrao::sbtImprimirClick(TObject*) {}

// Help: the page of the screen, by the code the screen shows.
void TfrmPadrao::sbtAjudaClick(TObject*) { Ui().ShowHelp(lblCodTela ? lblCodTela->Caption() : Name()); }

// The tab menu items show their tab and are checked like radio items.
void TfrmPadrao::mnuFolhaDadosClick(TObject*) {
  pgcPadrao->SetActivePage(tshFolhaDados);
  mnuFolhaDados->SetChecked(true);
}

void TfrmPadrao::mnuFormularioClick(TObject*) {
  pgcPadrao->SetActivePage(tshFormulario);
  mnuFormulario->SetChecked(true);
}

// Keeps the tab menu items checked like the active page.
void TfrmPadrao::pgcPadraoChange(TObject*) {
  if (pgcPadrao->ActivePage() == tshFolhaDados)
    mnuFolhaDados->SetChecked(true);
  else if (pgcPadrao->ActivePage() == tshFormulario)
    mnuFormulario->SetChecked(true);
}

// A state change of dtsPadrao's dataset: no reaction until a screen gives one.
void TfrmPadrao::dtsPadraoStateChange(TObject*) {}

// Puts the dataset of dtsPadrao into edit (through EditDataSet).
void TfrmPadrao::sbtAlterarClick(TObject*) {
  if (EditDataSet) EditDataSet();
}

// Searches the dataset of dtsPadrao (through SearchDataSet).
void TfrmPadrao::sbtProcurarClick(TObject*) {
  if (SearchDataSet) SearchDataSet();
}

void TfrmPadrao::sbtFecharClick(TObject*) { Close(); }

// Keys in the grid: none handled here.
void TfrmPadrao::dbgPadraoKeyDown(TObject*, Word&, TShiftState) {}

}  // namespace zor::plat
