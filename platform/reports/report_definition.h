// A report definition: its title, the query that yields its rows (with
// :NAME parameters the report screen fills in) and the columns it shows.
// Stored as text, one item per line:
//
//   title Vôos por companhia
//   column NRVOO "Vôo"
//   column IDSITVOO "Situação" codes 1=Ativo 2=Inativo
//   column HRDECOLVOO "Decolagem" time
//   sql
//   SELECT ... WHERE CDCIA = :P_CDCIA
//
// Everything after the line "sql" is the query. A column's codes map stored
// codes to message keys of the report screen's message table; a time column
// shows a stored "hhmm" as "hh:mm".
#pragma once

#include <map>
#include <string>
#include <vector>

namespace plat {

struct ReportColumn {
  std::string Field;
  std::string Caption;
  std::map<std::string, std::string> CodeKeys;  // stored code -> message key
  bool Time = false;                            // "hhmm" shown as "hh:mm"
};

struct ReportDefinition {
  std::string Title;
  std::vector<ReportColumn> Columns;
  std::string Sql;
};

// Raises EConvertError, naming the line, for a text that is not a definition.
ReportDefinition ParseReportDefinition(const std::string& text);

}  // namespace plat
