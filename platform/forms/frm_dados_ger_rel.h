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

namespace plat {

class TfrmDadosGerRel : public TForm {
 public:
  explicit TfrmDadosGerRel(TComponent* owner = nullptr);

  std::vector<FormDefinitionSource> Definitions() const override;
  // A definition applied to every report form after the base's own (the
  // report layer's non-visual components).
  static void AddBaseDefinition(FormDefinitionSource source);

  // The report code, shown by lblCodRel.
  std::string ReportCode() const { return lblCodRel ? lblCodRel->Caption() : std::string(); }
  void SetReportCode(const std::string& code) { lblCodRel->SetCaption(code); }

  TLabel* lblCodTela = nullptr;
  TPanel* panMenu = nullptr;
  TLabel* lblCodRel = nullptr;
  TSpeedButton* sbtConfirmar = nullptr;
  TSpeedButton* sbtImprimir = nullptr;
  TSpeedButton* sbtFechar = nullptr;
  TGroupBox* grbDadosRel = nullptr;
  TBevel* bvlSeparator = nullptr;
  TPanel* panRelat = nullptr;
  TLabel* lblRelat = nullptr;
  TMessages* msgPadrao = nullptr;
  TPopupMenu* ppmSalvarRelatorio = nullptr;

  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  // Confirm shows the report, print sends it to the printer; both through RunReport.
  void sbtConfirmarClick(TObject* Sender);
  void sbtImprimirClick(TObject* Sender);
  void sbtFecharClick(TObject* Sender);

  // Runs the report with this code; `print` true prints, false previews.
  std::function<void(const std::string& reportCode, bool print)> RunReport;
};

}  // namespace plat
