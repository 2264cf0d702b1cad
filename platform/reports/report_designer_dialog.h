// TReportDesignerDialog: runs a report by its code. It finds the report's
// definition (one built into the program, unless a trusted folder holds a
// file <CODE>.rel), lets its owner fill the query's parameters
// (BeforeGetQueryParams), runs the query read-only on the shared database
// connection, and writes the document (through the renderer its owner
// installs) and a CSV of the rows, each to a file of its own in the
// person's report folder.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/core/component.h"
#include "platform/reports/report_definition.h"
#include "platform/reports/report_document.h"
#include "platform/sql/param.h"

namespace zor::plat {

class TMessages;

using TGetQueryParamsEvent = std::function<void(TParams& Params, bool& Handled)>;
// Writes the document to the (already created, empty) file at `path`.
using ReportRenderer = std::function<void(const ReportDocument& document, const std::string& path)>;

class TReportDesignerDialog : public TComponent {
 public:
  explicit TReportDesignerDialog(TComponent* owner = nullptr);

  // A definition built into the program, used unless a trusted folder has a
  // file for the code.
  static void RegisterReport(const std::string& code, std::string definitionText);

  // The administrator's folder of replacement definitions; default:
  // $ZOR_REPORT_DIR. Used only when it is an absolute path; the installed
  // data folder is searched after it.
  const std::string& ReportDir() const { return report_dir_; }
  void SetReportDir(const std::string& dir) { report_dir_ = dir; }

  // Context lines for the page heading (label, value), after the report
  // code and before the user and the time of issue.
  std::vector<std::pair<std::string, std::string>> Heading;
  // Writes the printable document; its file name ends in `Extension`.
  ReportRenderer Renderer;
  std::string Extension = ".pdf";

  // Runs the report and returns the document's path. A missing definition
  // is reported with the message `Arq_Rel_Err` of `messages` (code and
  // folder in place of its two %s) and ends with the silent abort, as does
  // a definition whose query would change data; code columns read their
  // texts from `messages` too. The document is then shown through the ui
  // port (printed at once when `print` is set); a port with no viewer tells
  // where it was written.
  std::string Execute(const std::string& code, const TMessages& messages, bool print = false);

  // The CSV written beside the last document; empty before the first.
  const std::string& LastCsvPath() const { return last_csv_; }

  TGetQueryParamsEvent BeforeGetQueryParams;

 private:
  std::string DefinitionText(const std::string& code, const TMessages& messages, std::string& source) const;

  std::string report_dir_;
  std::string last_csv_;
};

// Makes TReportDesignerDialog known to form definitions.
void RegisterReportClasses();

namespace Qrddlgs {
// True when the list holds a parameter of that name (without regard to case).
bool ExistParam(const TParams& params, const std::string& name);
}  // namespace Qrddlgs

}  // namespace zor::plat
