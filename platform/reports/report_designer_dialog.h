// TReportDesignerDialog: runs a report by its code. It finds the report's
// definition (a file <CODE>.rel in the report folder, else one built into
// the program), lets its owner fill the query's parameters
// (BeforeGetQueryParams), runs the query on the shared database connection
// and writes the rows as an HTML document, whose place it tells the person.
#pragma once

#include <functional>
#include <string>

#include "platform/core/component.h"
#include "platform/reports/report_definition.h"
#include "platform/sql/param.h"

namespace plat {

class TDataSet;
class TMessages;

using TGetQueryParamsEvent = std::function<void(TParams& Params, bool& Handled)>;

class TReportDesignerDialog : public TComponent {
 public:
  explicit TReportDesignerDialog(TComponent* owner = nullptr);

  // A definition built into the program, used when the report folder has no
  // file for the code.
  static void RegisterReport(const std::string& code, std::string definitionText);

  // Where definition files are looked for; default: $ZOR_REPORT_DIR, else "relatorios".
  const std::string& ReportDir() const { return report_dir_; }
  void SetReportDir(const std::string& dir) { report_dir_ = dir; }
  // Where documents are written; default: $ZOR_REPORT_OUTPUT, else a folder in the temporary directory.
  const std::string& OutputDir() const { return output_dir_; }
  void SetOutputDir(const std::string& dir) { output_dir_ = dir; }

  // Runs the report and returns the document's path. A missing definition
  // is reported with the message `Arq_Rel_Err` of `messages` (code and
  // folder in place of its two %s) and ends with the silent abort; code
  // columns read their texts from `messages` too.
  // The document is then shown through the ui port, printed at once when
  // `print` is set.
  std::string Execute(const std::string& code, const TMessages& messages, bool print = false);

  TGetQueryParamsEvent BeforeGetQueryParams;

 private:
  std::string report_dir_;
  std::string output_dir_;
};

// The rows of a report as a complete HTML document.
std::string RenderReportHtml(const ReportDefinition& definition, TDataSet& rows, const TMessages& messages);

// Makes TReportDesignerDialog known to form definitions.
void RegisterReportClasses();

namespace Qrddlgs {
// True when the list holds a parameter of that name (without regard to case).
bool ExistParam(const TParams& params, const std::string& name);
}  // namespace Qrddlgs

}  // namespace plat
