// The flight report screen "ZOR12201" (report "ZOR122"): a report launcher
// whose query parameters take the branch and company of the flight screen.
#pragma once

#include "platform/forms/frm_dados_ger_rel.h"
#include "platform/reports/report_designer_dialog.h"

class TfrmRelVoo : public plat::TfrmDadosGerRel {
 public:
  explicit TfrmRelVoo(plat::TComponent* owner = nullptr);

  std::vector<plat::FormDefinitionSource> Definitions() const override;

  plat::TReportDesignerDialog* rpddPadrao = nullptr;
  // What the report covers: the flight screen's branch and company.
  plat::TLabel* lblFilial = nullptr;
  plat::TLabel* lblCompanhia = nullptr;

  void FormClose(plat::TObject* Sender, plat::TCloseAction& Action);
  void FormShow(plat::TObject* Sender);
  void rpddPadraoBeforeGetQueryParams(plat::TParams& Params, bool& Handled);
 private:
  std::string BranchText() const;
  std::string CompanyText() const;
};

// The report form instance; valid while boStCriado is true.
extern TfrmRelVoo* frmRelVoo;

namespace Cli_zor12201 {
// A report form exists (this unit's own flag, apart from the flight screen's).
extern bool boStCriado;
}  // namespace Cli_zor12201

// Shows the report screen modally over the flight screen; returns when it closes.
void CriaRelVoo();
