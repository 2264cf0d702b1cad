// Running reports into documents.
#include "platform/reports/report_designer_dialog.h"

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

#include "platform/core/exceptions.h"
#include "platform/core/platform_texts.h"
#include "platform/core/sysutils.h"
#include "platform/data/client_data_set.h"
#include "platform/forms/application.h"
#include "platform/library/consiste.h"
#include "platform/library/dialog_caption.h"
#include "platform/library/messages.h"
#include "platform/library/showavi.h"
#include "platform/library/vornia.h"
#include "platform/reports/report_csv.h"
#include "platform/reports/report_files.h"
#include "platform/sql/adoib_query.h"
#include "platform/ui/ui_port.h"

namespace fs = std::filesystem;

namespace zor::plat {

namespace {

std::map<std::string, std::string>& BuiltIn() {
  static std::map<std::string, std::string> reports;
  return reports;
}

std::string FromEnv(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The first %s takes `first`, the second `second`.
std::string FillIn(std::string text, const std::string& first, const std::string& second) {
  for (const std::string* value : {&first, &second}) {
    const auto at = text.find("%s");
    if (at == std::string::npos) break;
    text.replace(at, 2, *value);
  }
  return text;
}

std::string Stamp(const std::tm& local, const char* format) {
  char buffer[32];
  std::strftime(buffer, sizeof buffer, format, &local);
  return buffer;
}

void WriteText(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  if (!out.flush()) throw Exception(PlatformText("report.write_failed", {path.string()}));
}

}  // namespace

TReportDesignerDialog::TReportDesignerDialog(TComponent* owner)
    : TComponent(owner), report_dir_(FromEnv("ZOR_REPORT_DIR")) {}

void TReportDesignerDialog::RegisterReport(const std::string& code, std::string definitionText) {
  BuiltIn()[AnsiUpperCase(code)] = std::move(definitionText);
}

std::string TReportDesignerDialog::DefinitionText(const std::string& code, const TMessages& messages,
                                                  std::string& source) const {
  if (!report_dir_.empty() && !fs::path(report_dir_).is_absolute())
    std::cerr << "warning: report folder '" << report_dir_ << "' is not an absolute path; it is not searched\n";
  const auto folders = ReportDefinitionFolders(report_dir_);
  if (const auto file = FindReportDefinition(folders, code)) {
    source = file->string();
    return ReadFile(*file);
  }
  if (auto found = BuiltIn().find(AnsiUpperCase(code)); found != BuiltIn().end()) return found->second;
  Consiste::MensErroAbort(FillIn(messages.Msg("Arq_Rel_Err"), code, folders.front().string()));
  return {};
}

std::string TReportDesignerDialog::Execute(const std::string& code, const TMessages& messages, bool print) {
  std::string source;
  const std::string text = DefinitionText(code, messages, source);
  const ReportDefinition definition = ParseReportDefinition(text);

  TADOIBQuery query;
  query.SetReadOnly(true);  // a definition may read, never change, the database
  query.SQL.SetText(definition.Sql);
  bool handled = false;
  if (BeforeGetQueryParams) BeforeGetQueryParams(query.Params(), handled);

  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm local{};
  localtime_r(&now, &local);

  fs::path path;
  {
    Showavi::BusyScope busy(Application->MainForm(), Showavi::BusyKind::Loading);
    try {
      query.Open();
    } catch (const EWriteRefused&) {
      Consiste::MensErroAbort(PlatformText(
          "report.writes_refused",
          {code, source.empty() ? std::string() : PlatformText("report.writes_refused_file", {source})}));
    }
    ReportDocument document = BuildReportDocument(definition, *query.Query(), messages);
    document.ReportCode = code;
    document.Heading.push_back({PlatformText("report.heading_report"), code});
    for (const auto& item : Heading) document.Heading.push_back(item);
    const std::string user = Vornia::Context().UserName;
    document.Heading.push_back({PlatformText("report.heading_user"), user.empty() ? std::string("—") : user});
    document.Heading.push_back({PlatformText("report.heading_issued"), Stamp(local, "%d/%m/%Y %H:%M")});

    const fs::path folder = ReportOutputFolder();
    const std::string stamp = Stamp(local, "%Y%m%d-%H%M%S");
    path = CreateUniqueReportFile(folder, code, stamp, Extension);
    // The CSV takes the document's name, so the two are found side by side.
    const fs::path csv = fs::path(path).replace_extension(".csv");
    try {
      if (Renderer)
        Renderer(document, path.string());
      else
        throw Exception(PlatformText("report.no_document_format", {code}));
      WriteText(csv, ReportCsv(document));
    } catch (...) {
      std::error_code ignored;
      fs::remove(path, ignored);
      fs::remove(csv, ignored);
      throw;
    }
    last_csv_ = csv.string();
  }
  if (!Ui().ShowDocument(definition.Title, path.string(), print))
    Ui().ShowInfo(DialogCaption(PlatformText("caption.report")), PlatformText("report.written", {path.string()}));
  return path.string();
}

bool Qrddlgs::ExistParam(const TParams& params, const std::string& name) { return params.FindParam(name) != nullptr; }

}  // namespace zor::plat
