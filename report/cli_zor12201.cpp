// The flight report screen: close hook, and the branch and company it was
// given as the report's query parameters.
#include "report/cli_zor12201.h"

#include "platform/library/messages.h"
#include "platform/ui/ui_port.h"
#include "report/frm_rel_voo_form.h"
#include "report/report_pdf.h"

namespace zor::Cli_zor12201 {

using namespace plat;

TfrmRelVoo* frmRelVoo = nullptr;
bool boStCriado = false;

namespace {

// Every flight of the company at the branch, each with its legs under it,
// in flight and leg order. Flights without legs still show.
const char* const kFlightReport = R"(title Vôos e trechos
group NRVOO "Vôos"
detail CDTRECHO "Trechos"
column NRVOO "Vôo" group
column SGEQUIP "Equipamento" group
column SGPREFIXO "Prefixo" group
column IDTIPVOO "Tipo" group codes 1=Regular 2=Extra
column IDSITVOO "Situação do vôo" group codes 1=Ativo 2=Inativo inactive 2
column CDTRECHO "Trecho"
column SGBASEORI "Origem"
column SGBASEDES "Destino"
column HRDECOLVOO "Decolagem" time
column HRPOUSOVOO "Pouso" time
column IDTIPAJUSFAT "Horário" codes 1=Plano_Voo_Atual 2=Plano_Voo_Seguinte
column IDSITVOOTRE "Situação do trecho" codes 1=Ativo 2=Inativo inactive 2
sql
SELECT V.NRVOO, E.SGEQUIP, V.SGPREFIXO, V.IDTIPVOO, V.IDSITVOO,
       T.CDTRECHO, BO.SGBASE AS SGBASEORI, BD.SGBASE AS SGBASEDES, T.HRDECOLVOO, T.HRPOUSOVOO,
       T.IDTIPAJUSFAT, T.IDSITVOOTRE
FROM VOO V
LEFT JOIN EQUIPAMENTO E ON E.CDEQUIP = V.CDEQUIP
LEFT JOIN VOOTRECHO T ON T.CDFILIAL = V.CDFILIAL AND T.CDCIA = V.CDCIA AND T.NRVOO = V.NRVOO
LEFT JOIN BASE BO ON BO.CDBASE = T.CDBASEORI
LEFT JOIN BASE BD ON BD.CDBASE = T.CDBASEDES
WHERE V.CDFILIAL = :P_CDFILIAL AND V.CDCIA = :P_CDCIA
ORDER BY V.NRVOO, T.CDTRECHO
)";

}  // namespace

TfrmRelVoo::TfrmRelVoo(TComponent* owner) : TfrmDadosGerRel(owner) {
  RegisterReportClasses();
  TReportDesignerDialog::RegisterReport("ZOR122", kFlightReport);
  BindFormMembers();
  RunReport = [this](const std::string& code, bool print) {
    rpddPadrao->Renderer = flight_report::WriteReportPdf;
    rpddPadrao->Heading = {{"Filial", BranchText()}, {"Companhia", CompanyText()}};
    rpddPadrao->Execute(code, *msgPadrao, print);
  };
}

void TfrmRelVoo::SetCoverage(const Filial& branch, const Companhia& company) {
  filial_ = branch;
  companhia_ = company;
}

// "0001 – Matriz": code and name as the flight screen shows them.
std::string TfrmRelVoo::BranchText() const {
  return filial_.name.empty() ? filial_.code : filial_.code + " – " + filial_.name;
}

// "0001 – ABR – Name": the code the report selects on, then what the person knows it by.
std::string TfrmRelVoo::CompanyText() const {
  std::string text = companhia_.code;
  for (const std::string& part : {companhia_.abbreviation, companhia_.name})
    if (!part.empty()) text += (text.empty() ? "" : " – ") + part;
  return text;
}

// The person sees what the report will cover before confirming.
void TfrmRelVoo::FormShow(TObject*) {
  lblFilial->SetCaption("Filial: " + BranchText());
  lblCompanhia->SetCaption("Companhia: " + CompanyText());
}

std::vector<FormDefinitionSource> TfrmRelVoo::Definitions() const {
  std::vector<FormDefinitionSource> out = TfrmDadosGerRel::Definitions();
  out.push_back({"frm_rel_voo.form", kFrmRelVooForm});
  return out;
}

void TfrmRelVoo::FormClose(TObject* Sender, TCloseAction& Action) {
  TfrmDadosGerRel::FormClose(Sender, Action);
  boStCriado = false;
}

void TfrmRelVoo::rpddPadraoBeforeGetQueryParams(TParams& Params, bool&) {
  if (Qrddlgs::ExistParam(Params, "P_CDCIA")) Params.ParamByName("P_CDCIA").SetAsString(companhia_.code);
  if (Qrddlgs::ExistParam(Params, "P_CDFILIAL")) Params.ParamByName("P_CDFILIAL").SetAsString(filial_.code);
}

}  // namespace zor::Cli_zor12201
