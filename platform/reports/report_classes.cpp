// The report designer dialog as a form-definition class.
#include "platform/forms/component_classes.h"
#include "platform/reports/report_designer_dialog.h"

namespace zor::plat {

void RegisterReportClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  ComponentClasses()
      .Register<TReportDesignerDialog>("TReportDesignerDialog", "TComponent")
      .Text<TReportDesignerDialog>("ReportDir", &TReportDesignerDialog::SetReportDir)
      .Event<TReportDesignerDialog, TGetQueryParamsEvent>("BeforeGetQueryParams",
                                                          &TReportDesignerDialog::BeforeGetQueryParams);
}

}  // namespace zor::plat
