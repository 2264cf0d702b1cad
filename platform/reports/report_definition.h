// A report definition: its title, the query that yields its rows (with
// :NAME parameters the report screen fills in) and the columns it shows.
// Stored as text, one item per line:
//
//   title Vôos por companhia
//   group NRVOO "Vôos"
//   detail CDTRECHO "Trechos"
//   column NRVOO "Vôo" group
//   column IDSITVOO "Situação" group codes 1=Ativo 2=Inativo inactive 2
//   column HRDECOLVOO "Decolagem" time
//   sql
//   SELECT ... WHERE CDCIA = :P_CDCIA
//
// Everything after the line "sql" is the query. Consecutive rows with the
// same value of the `group` field make one group: its `group` columns are
// printed once on the group's line, the other columns on one indented line
// per row whose `detail` field is filled. The nouns name the totals.
// A column's codes map stored codes to message keys of the report screen's
// message table; `inactive CODE` marks a line whose column holds that code;
// a time column shows a stored "hhmm" as "hh:mm".
#pragma once

#include <map>
#include <string>
#include <vector>

namespace zor::plat {

struct ReportColumn {
  std::string Field;
  std::string Caption;
  std::map<std::string, std::string> CodeKeys;  // stored code -> message key
  bool Time = false;                            // "hhmm" shown as "hh:mm"
  bool Group = false;                           // printed on the group's line
  std::string InactiveCode;                     // this stored code marks the line inactive
};

struct ReportDefinition {
  std::string Title;
  std::string GroupField, GroupNoun;    // empty: every row is a line of its own
  std::string DetailField, DetailNoun;  // empty field: every row of a group is a detail
  std::vector<ReportColumn> Columns;
  std::string Sql;
};

// Raises EConvertError, naming the line, for a text that is not a definition.
ReportDefinition ParseReportDefinition(const std::string& text);

}  // namespace zor::plat
