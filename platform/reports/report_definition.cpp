// Reading report definitions.
#include "platform/reports/report_definition.h"

#include <sstream>

#include "platform/core/exceptions.h"
#include "platform/core/platform_texts.h"

namespace zor::plat {

namespace {

[[noreturn]] void Refuse(int line, const std::string& why) {
  throw EConvertError(PlatformText("report.bad_definition", {std::to_string(line), why}));
}

// `"Text"` at the reader's position.
std::string Quoted(std::istringstream& in, int line, const std::string& what) {
  in >> std::ws;
  if (in.peek() != '"') Refuse(line, PlatformText("report.def_quoted", {what}));
  in.get();
  std::string text;
  if (!std::getline(in, text, '"')) Refuse(line, PlatformText("report.def_unclosed_quote", {what}));
  return text;
}

// `FIELD "Noun"` of the group and detail items.
void ParseKey(const std::string& rest, int line, std::string& field, std::string& noun) {
  std::istringstream in(rest);
  if (!(in >> field)) Refuse(line, PlatformText("report.def_no_field"));
  noun = Quoted(in, line, PlatformText("report.def_total_name"));
}

// `column FIELD "Caption" [group] [time] [codes K=V ...] [inactive CODE]`
ReportColumn ParseColumn(const std::string& rest, int line) {
  std::istringstream in(rest);
  ReportColumn column;
  if (!(in >> column.Field)) Refuse(line, PlatformText("report.def_column_without_field"));
  column.Caption = Quoted(in, line, PlatformText("report.def_column_title"));
  std::string word;
  bool inCodes = false;
  while (in >> word) {
    if (word == "time") {
      column.Time = true;
      inCodes = false;
    } else if (word == "group") {
      column.Group = true;
      inCodes = false;
    } else if (word == "codes") {
      inCodes = true;
    } else if (word == "inactive") {
      if (!(in >> column.InactiveCode)) Refuse(line, PlatformText("report.def_no_inactive_code"));
      inCodes = false;
    } else if (inCodes) {
      const auto eq = word.find('=');
      if (eq == std::string::npos || eq == 0 || eq + 1 == word.size())
        Refuse(line, PlatformText("report.def_code_without_key", {word}));
      column.CodeKeys[word.substr(0, eq)] = word.substr(eq + 1);
    } else {
      Refuse(line, PlatformText("report.def_unexpected_option", {word}));
    }
  }
  if (column.Time && !column.CodeKeys.empty()) Refuse(line, PlatformText("report.def_time_and_codes"));
  return column;
}

}  // namespace

ReportDefinition ParseReportDefinition(const std::string& text) {
  ReportDefinition def;
  std::istringstream in(text);
  std::string line;
  int number = 0;
  bool inSql = false;
  while (std::getline(in, line)) {
    ++number;
    if (inSql) {
      def.Sql += line + "\n";
      continue;
    }
    if (line.empty() || line[0] == '#') continue;
    const auto space = line.find(' ');
    const std::string word = line.substr(0, space);
    const std::string rest = space == std::string::npos ? "" : line.substr(space + 1);
    if (word == "title")
      def.Title = rest;
    else if (word == "group")
      ParseKey(rest, number, def.GroupField, def.GroupNoun);
    else if (word == "detail")
      ParseKey(rest, number, def.DetailField, def.DetailNoun);
    else if (word == "column")
      def.Columns.push_back(ParseColumn(rest, number));
    else if (word == "sql")
      inSql = true;
    else
      Refuse(number, PlatformText("report.def_unknown_item", {word}));
  }
  if (def.Sql.find_first_not_of(" \t\n") == std::string::npos) Refuse(number, PlatformText("report.def_no_sql"));
  if (def.Columns.empty()) Refuse(number, PlatformText("report.def_no_column"));
  if (!def.DetailField.empty() && def.GroupField.empty()) Refuse(number, PlatformText("report.def_detail_without_group"));
  return def;
}

}  // namespace zor::plat
