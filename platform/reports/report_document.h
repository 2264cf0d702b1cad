// A report's content laid out for print but not yet on paper: the heading
// (title, code, context lines), the columns of the group line and of the
// detail lines, the groups with their lines already turned into text, and
// the totals. Renderers (PDF) and exports (CSV) read only this.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/reports/report_definition.h"

namespace zor::plat {

class TDataSet;
class TMessages;

struct ReportDocumentColumn {
  std::string Caption;
  bool AlignRight = false;  // numbers and times line up on their last digit
};

struct ReportLine {
  std::vector<std::string> Cells;  // one per column of its kind
  bool Inactive = false;
};

struct ReportGroup {
  ReportLine Head;
  std::vector<ReportLine> Details;
};

struct ReportDocument {
  std::string Title;
  std::string ReportCode;
  // Label and value of each context line of the page heading, in order
  // ("Filial", "0001 – Matriz").
  std::vector<std::pair<std::string, std::string>> Heading;
  std::vector<ReportDocumentColumn> HeadColumns;    // the group line's
  std::vector<ReportDocumentColumn> DetailColumns;  // the indented lines' (empty: no grouping)
  std::vector<ReportGroup> Groups;
  std::string GroupNoun = "Registros";
  std::string DetailNoun;
  int DetailCount = 0;

  // The rows as they came, every column, for a spreadsheet.
  std::vector<std::string> FlatCaptions;
  std::vector<std::vector<std::string>> FlatRows;
};

// Reads every row of `rows` into a document; code columns take their texts
// from `messages`, with runs of blanks shown as one.
ReportDocument BuildReportDocument(const ReportDefinition& definition, TDataSet& rows, const TMessages& messages);

}  // namespace zor::plat
