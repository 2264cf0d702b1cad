// The base form of report launchers.
#include "platform/forms/frm_dados_ger_rel.h"

#include "platform/forms/frm_dados_ger_rel_form.h"

namespace zor::plat {

TfrmDadosGerRel::TfrmDadosGerRel(TComponent* owner) : TForm(owner) { BindFormMembers(); }

std::vector<FormDefinitionSource> TfrmDadosGerRel::Definitions() const {
  return {{"frm_dados_ger_rel.form", kFrmDadosGerRelForm}};
}

void TfrmDadosGerRel::FormCreate(TObject*) {}

void TfrmDadosGerRel::FormClose(TObject*, TCloseAction& Action) { Action = caFree; }

// Confirm shows the report, print sends it to the printer; both through RunReport.
void TfrmDadosGerRel::sbtConfirmarClick(TObject*) {
  if (RunReport) RunReport(ReportCode(), false);
}

void TfrmDadosGerRel::sbtImprimirClick(TObject*) {
  if (RunReport) RunReport(ReportCode(), true);
}

void TfrmDadosGerRel::sbtFecharClick(TObject*) { Close(); }

}  // namespace zor::plat
