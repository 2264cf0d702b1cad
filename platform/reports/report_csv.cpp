// Writing a report's rows as CSV.
#include "platform/reports/report_csv.h"

namespace zor::plat {

namespace {

// Quoted when it holds the separator, a quote or a line break.
std::string Field(const std::string& text) {
  if (text.find_first_of(";\"\r\n") == std::string::npos) return text;
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

void Line(std::string& out, const std::vector<std::string>& cells) {
  for (size_t i = 0; i < cells.size(); ++i) {
    if (i) out += ';';
    out += Field(cells[i]);
  }
  out += "\r\n";
}

}  // namespace

std::string ReportCsv(const ReportDocument& document) {
  std::string out = "\xEF\xBB\xBF";
  Line(out, document.FlatCaptions);
  for (const auto& row : document.FlatRows) Line(out, row);
  return out;
}

}  // namespace zor::plat
