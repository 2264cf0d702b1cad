// TfrmDadosGerRel: the base form of report launchers. It shows the screen
// code and the report code, a frame for the report's choices, and the
// confirm/print button pair; running the report is the report layer's
// (RunReport). Closing frees the form.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/controls/containers.h"
#include "platform/controls/label.h"
#include "platform/controls/menus.h"
#include "platform/controls/speed_button.h"
#include "platform/forms/form.h"
#include "platform/library/messages.h"

namespace zor::plat {

class TfrmDadosGerRel : public TForm {
 public:
  explicit TfrmDadosGerRel(TComponent* owner = nullptr);

  std::vector<FormDefinitionSource> Definitions() const override;

  // The report code, shown by lblCodRel.
  std::string ReportCode() const { return lblCodRel ? lblCodRel->Caption() : std::string(); }
  void SetReportCode(const std::string& code) { lblCodRel->SetCaption(code); }

  // The components of frm_dados_ger_rel.form and the handlers its events
  // name, generated from the definition at build time.
#include "platform/forms/frm_dados_ger_rel_members.h"

  // Runs the report with this code; `print` true prints, false previews.
  std::function<void(const std::string& reportCode, bool print)> RunReport;
};

}  // namespace zor::plat
