// Reading report definitions.
#include "platform/reports/report_definition.h"

#include <sstream>

#include "platform/core/exceptions.h"

namespace plat {

namespace {

[[noreturn]] void Refuse(int line, const std::string& why) {
  throw EConvertError("Definição de relatório inválida (linha " + std::to_string(line) + "): " + why);
}

// `column FIELD "Caption" [codes K=V ...]`
ReportColumn ParseColumn(const std::string& rest, int line) {
  std::istringstream in(rest);
  ReportColumn column;
  if (!(in >> column.Field)) Refuse(line, "coluna sem campo.");
  in >> std::ws;
  if (in.peek() != '"') Refuse(line, "o título da coluna vai entre aspas.");
  in.get();
  if (!std::getline(in, column.Caption, '"')) Refuse(line, "aspas sem fim no título da coluna.");
  std::string word;
  if (in >> word) {
    if (word == "time") {
      column.Time = true;
      if (in >> word) Refuse(line, "nada pode seguir 'time'.");
      return column;
    }
    if (word != "codes") Refuse(line, "esperado 'codes' ou 'time' e não '" + word + "'.");
    while (in >> word) {
      const auto eq = word.find('=');
      if (eq == std::string::npos || eq == 0 || eq + 1 == word.size())
        Refuse(line, "código sem chave de mensagem: '" + word + "'.");
      column.CodeKeys[word.substr(0, eq)] = word.substr(eq + 1);
    }
  }
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
    else if (word == "column")
      def.Columns.push_back(ParseColumn(rest, number));
    else if (word == "sql")
      inSql = true;
    else
      Refuse(number, "item desconhecido '" + word + "'.");
  }
  if (def.Sql.find_first_not_of(" \t\n") == std::string::npos) Refuse(number, "falta a consulta (sql).");
  if (def.Columns.empty()) Refuse(number, "nenhuma coluna.");
  return def;
}

}  // namespace plat
