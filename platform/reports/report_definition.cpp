// Reading report definitions.
#include "platform/reports/report_definition.h"

#include <sstream>

#include "platform/core/exceptions.h"

namespace plat {

namespace {

[[noreturn]] void Refuse(int line, const std::string& why) {
  throw EConvertError("Definição de relatório inválida (linha " + std::to_string(line) + "): " + why);
}

// `"Text"` at the reader's position.
std::string Quoted(std::istringstream& in, int line, const std::string& what) {
  in >> std::ws;
  if (in.peek() != '"') Refuse(line, what + " vai entre aspas.");
  in.get();
  std::string text;
  if (!std::getline(in, text, '"')) Refuse(line, "aspas sem fim em " + what + ".");
  return text;
}

// `FIELD "Noun"` of the group and detail items.
void ParseKey(const std::string& rest, int line, std::string& field, std::string& noun) {
  std::istringstream in(rest);
  if (!(in >> field)) Refuse(line, "falta o campo.");
  noun = Quoted(in, line, "o nome do total");
}

// `column FIELD "Caption" [group] [time] [codes K=V ...] [inactive CODE]`
ReportColumn ParseColumn(const std::string& rest, int line) {
  std::istringstream in(rest);
  ReportColumn column;
  if (!(in >> column.Field)) Refuse(line, "coluna sem campo.");
  column.Caption = Quoted(in, line, "o título da coluna");
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
      if (!(in >> column.InactiveCode)) Refuse(line, "falta o código depois de 'inactive'.");
      inCodes = false;
    } else if (inCodes) {
      const auto eq = word.find('=');
      if (eq == std::string::npos || eq == 0 || eq + 1 == word.size())
        Refuse(line, "código sem chave de mensagem: '" + word + "'.");
      column.CodeKeys[word.substr(0, eq)] = word.substr(eq + 1);
    } else {
      Refuse(line, "esperado 'group', 'time', 'codes' ou 'inactive' e não '" + word + "'.");
    }
  }
  if (column.Time && !column.CodeKeys.empty()) Refuse(line, "uma coluna não pode ter 'time' e 'codes'.");
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
      Refuse(number, "item desconhecido '" + word + "'.");
  }
  if (def.Sql.find_first_not_of(" \t\n") == std::string::npos) Refuse(number, "falta a consulta (sql).");
  if (def.Columns.empty()) Refuse(number, "nenhuma coluna.");
  if (!def.DetailField.empty() && def.GroupField.empty()) Refuse(number, "'detail' pede um 'group'.");
  return def;
}

}  // namespace plat
