// The base form of report launchers.
#include "platform/forms/frm_dados_ger_rel.h"

#include "platform/forms/frm_dados_ger_rel_form.h"

namespace plat {

namespace {

std::vector<FormDefinitionSource>& Extensions() {
  static std::vector<FormDefinitionSource> extensions;
  return extensions;
}

}  // namespace

TfrmDadosGerRel::TfrmDadosGerRel(TComponent* owner) : TForm(owner) { BindFormMembers(); }

std::vector<FormDefinitionSource> TfrmDadosGerRel::Definitions() const {
  std::vector<FormDefinitionSource> out{{"frm_dados_ger_rel.form", kFrmDadosGerRelForm}};
  for (const auto& e : Extensions()) out.push_back(e);
  return out;
}

void TfrmDadosGerRel::AddBaseDefinition(FormDefinitionSource source) { Extensions().push_back(std::move(source)); }

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

}  // namespace plat
