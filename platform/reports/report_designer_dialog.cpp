// Running reports and writing them as HTML.
#include "platform/reports/report_designer_dialog.h"

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "platform/core/exceptions.h"
#include "platform/core/sysutils.h"
#include "platform/data/client_data_set.h"
#include "platform/forms/application.h"
#include "platform/library/consiste.h"
#include "platform/library/dialog_caption.h"
#include "platform/library/messages.h"
#include "platform/library/showavi.h"
#include "platform/sql/adoib_query.h"
#include "platform/ui/ui_port.h"

namespace fs = std::filesystem;

namespace plat {

namespace {

std::map<std::string, std::string>& BuiltIn() {
  static std::map<std::string, std::string> reports;
  return reports;
}

std::string FromEnv(const char* name, const std::string& fallback) {
  const char* value = std::getenv(name);
  return value && *value ? std::string(value) : fallback;
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

std::string Escape(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string Stamp(const char* format) {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm local{};
  localtime_r(&now, &local);
  char buffer[32];
  std::strftime(buffer, sizeof buffer, format, &local);
  return buffer;
}

}  // namespace

TReportDesignerDialog::TReportDesignerDialog(TComponent* owner)
    : TComponent(owner),
      report_dir_(FromEnv("ZOR_REPORT_DIR", "relatorios")),
      output_dir_(FromEnv("ZOR_REPORT_OUTPUT", (fs::temp_directory_path() / "zor-relatorios").string())) {}

void TReportDesignerDialog::RegisterReport(const std::string& code, std::string definitionText) {
  BuiltIn()[AnsiUpperCase(code)] = std::move(definitionText);
}

std::string TReportDesignerDialog::Execute(const std::string& code, const TMessages& messages, bool print) {
  const fs::path file = fs::path(report_dir_) / (code + ".rel");
  std::string text;
  std::error_code ignored;
  if (fs::is_regular_file(file, ignored)) {
    text = ReadFile(file);
  } else if (auto found = BuiltIn().find(AnsiUpperCase(code)); found != BuiltIn().end()) {
    text = found->second;
  } else {
    Consiste::MensErro(FillIn(messages.Msg("Arq_Rel_Err"), code, report_dir_), true);
  }
  const ReportDefinition definition = ParseReportDefinition(text);

  TADOIBQuery query;
  query.SQL.SetText(definition.Sql);
  bool handled = false;
  if (BeforeGetQueryParams) BeforeGetQueryParams(query.Params(), handled);

  Showavi::ActiveShowAvi(Application->MainForm(), 6);
  std::string path;
  try {
    query.Open();
    fs::create_directories(output_dir_);
    path = (fs::path(output_dir_) / (code + "-" + Stamp("%Y%m%d-%H%M%S") + ".html")).string();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << RenderReportHtml(definition, *query.Query(), messages);
    if (!out.flush()) throw Exception("Não foi possível gravar o relatório em '" + path + "'.");
  } catch (const fs::filesystem_error& e) {
    Showavi::DeactiveShowAvi();
    throw Exception("Não foi possível gravar o relatório em '" + output_dir_ + "': " + e.code().message());
  } catch (...) {
    Showavi::DeactiveShowAvi();
    throw;
  }
  Showavi::DeactiveShowAvi();
  Ui().ShowInfo(DialogCaption("Relatório"), "Relatório gerado em " + path + ".");
  Ui().ShowDocument(definition.Title, path, print);
  return path;
}

std::string RenderReportHtml(const ReportDefinition& definition, TDataSet& rows, const TMessages& messages) {
  std::vector<TField*> fields;
  for (const ReportColumn& column : definition.Columns) fields.push_back(rows.FindField(column.Field));

  std::ostringstream html;
  html << "<!DOCTYPE html>\n<html lang=\"pt-BR\"><head><meta charset=\"utf-8\"><title>" << Escape(definition.Title)
       << "</title>\n<style>body{font-family:sans-serif;font-size:10pt}table{border-collapse:collapse}"
          "th,td{border:1px solid #999;padding:2px 6px;text-align:left}th{background:#eee}</style></head>\n<body>\n"
       << "<h1>" << Escape(definition.Title) << "</h1>\n<p>Emitido em " << Stamp("%d/%m/%Y %H:%M") << "</p>\n"
       << "<table>\n<tr>";
  for (const ReportColumn& column : definition.Columns) html << "<th>" << Escape(column.Caption) << "</th>";
  html << "</tr>\n";
  int count = 0;
  for (rows.First(); !rows.Eof(); rows.Next(), ++count) {
    html << "<tr>";
    for (size_t i = 0; i < fields.size(); ++i) {
      std::string text = fields[i] ? fields[i]->DisplayText() : std::string();
      if (definition.Columns[i].Time && text.size() == 4) text = text.substr(0, 2) + ":" + text.substr(2);
      const auto& codes = definition.Columns[i].CodeKeys;
      if (!codes.empty()) {
        const auto found = fields[i] ? codes.find(fields[i]->AsString()) : codes.end();
        text = found == codes.end() ? std::string() : messages.Msg(found->second);
      }
      html << "<td>" << Escape(text) << "</td>";
    }
    html << "</tr>\n";
  }
  html << "</table>\n<p>" << count << (count == 1 ? " registro." : " registros.") << "</p>\n</body></html>\n";
  return html.str();
}

bool Qrddlgs::ExistParam(const TParams& params, const std::string& name) { return params.FindParam(name) != nullptr; }

}  // namespace plat
