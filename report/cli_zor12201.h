// The flight report screen "ZOR12201" (report "ZOR122"): a report launcher
// whose query parameters take the branch and company it is given. It knows
// nothing of the flight screen; the package opens it with the flight
// screen's values (package/pkg_zor12200.h).
#pragma once

#include <string>

#include "platform/forms/frm_dados_ger_rel.h"
#include "platform/reports/report_designer_dialog.h"

namespace zor::Cli_zor12201 {

// The branch the report covers: its code, as the report selects on it, and its name.
struct Filial {
  std::string code;
  std::string name;
};
// The company the report covers: its code, as the report selects on it, then
// the abbreviation and name the person knows it by.
struct Companhia {
  std::string code;
  std::string abbreviation;
  std::string name;
};

class TfrmRelVoo : public plat::TfrmDadosGerRel {
 public:
  explicit TfrmRelVoo(plat::TComponent* owner = nullptr);

  std::vector<plat::FormDefinitionSource> Definitions() const override;

  // The components of frm_rel_voo.form (lblFilial and lblCompanhia show
  // what the report covers) and the handlers its events name; generated
  // from the definition at build time.
#include "report/frm_rel_voo_members.h"

  // The branch and company the report covers; kept until the next call.
  void SetCoverage(const Filial& branch, const Companhia& company);

 private:
  Filial filial_;
  Companhia companhia_;
  std::string BranchText() const;
  std::string CompanyText() const;
};

// The report form instance; valid while boStCriado is true.
extern TfrmRelVoo* frmRelVoo;

// A report form exists (this unit's own flag, apart from the flight screen's).
extern bool boStCriado;

}  // namespace zor::Cli_zor12201
