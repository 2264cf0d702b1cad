// Turning a report's rows into its printable content.
#include "platform/reports/report_document.h"

#include <algorithm>

#include "platform/core/platform_texts.h"
#include "platform/data/data_set.h"
#include "platform/data/field.h"
#include "platform/library/messages.h"

namespace zor::plat {

namespace {

// Runs of blanks collapsed into one and the ends trimmed: a cell is one
// line, and a doubled blank in a message text is not meant for print.
std::string Tidy(const std::string& text) {
  std::string out;
  bool blank = false;
  for (char c : text) {
    const bool space = c == ' ' || c == '\t' || c == '\n' || c == '\r';
    if (space) {
      blank = !out.empty();
      continue;
    }
    if (blank) out += ' ';
    blank = false;
    out += c;
  }
  return out;
}

std::string CellText(const ReportColumn& column, TField* field, const TMessages& messages) {
  if (!field || field->IsNull()) return std::string();
  if (!column.CodeKeys.empty()) {
    const auto found = column.CodeKeys.find(field->AsString());
    return found == column.CodeKeys.end() ? field->AsString() : Tidy(messages.Msg(found->second));
  }
  std::string text = Tidy(field->DisplayText());
  if (column.Time && text.size() == 4) return text.substr(0, 2) + ":" + text.substr(2);
  // Brazilian readers and spreadsheets expect the decimal comma.
  if (field->DataType() == FieldType::Float) std::replace(text.begin(), text.end(), '.', ',');
  return text;
}

bool RightAligned(const ReportColumn& column, TField* field) {
  if (column.Time) return true;
  if (!column.CodeKeys.empty() || !field) return false;
  return field->DataType() == FieldType::Integer || field->DataType() == FieldType::Float;
}

}  // namespace

ReportDocument BuildReportDocument(const ReportDefinition& definition, TDataSet& rows, const TMessages& messages) {
  ReportDocument doc;
  doc.Title = definition.Title;
  const bool grouped = !definition.GroupField.empty();
  if (grouped) {
    doc.GroupNoun = definition.GroupNoun;
    doc.DetailNoun = definition.DetailNoun.empty() ? PlatformText("report.detail_lines") : definition.DetailNoun;
  }

  std::vector<TField*> fields;
  std::vector<bool> onHead;  // the column is printed on the group's line
  for (const ReportColumn& column : definition.Columns) {
    TField* field = rows.FindField(column.Field);
    fields.push_back(field);
    onHead.push_back(!grouped || column.Group);
    (onHead.back() ? doc.HeadColumns : doc.DetailColumns).push_back({column.Caption, RightAligned(column, field)});
    doc.FlatCaptions.push_back(column.Caption);
  }
  TField* groupField = grouped ? rows.FindField(definition.GroupField) : nullptr;
  TField* detailField = definition.DetailField.empty() ? nullptr : rows.FindField(definition.DetailField);

  std::string lastKey;
  for (rows.First(); !rows.Eof(); rows.Next()) {
    ReportLine head, detail;
    std::vector<std::string> flat;
    for (size_t i = 0; i < fields.size(); ++i) {
      const ReportColumn& column = definition.Columns[i];
      std::string text = CellText(column, fields[i], messages);
      const bool inactive =
          !column.InactiveCode.empty() && fields[i] && !fields[i]->IsNull() && fields[i]->AsString() == column.InactiveCode;
      ReportLine& line = onHead[i] ? head : detail;
      line.Inactive = line.Inactive || inactive;
      line.Cells.push_back(text);
      flat.push_back(std::move(text));
    }
    doc.FlatRows.push_back(std::move(flat));

    const std::string key = groupField ? groupField->AsString() : std::string();
    if (!grouped || doc.Groups.empty() || key != lastKey) doc.Groups.push_back({std::move(head), {}});
    lastKey = key;
    const bool hasDetail = grouped && (detailField ? !detailField->IsNull() : true);
    if (hasDetail) {
      doc.Groups.back().Details.push_back(std::move(detail));
      ++doc.DetailCount;
    }
  }
  return doc;
}

}  // namespace zor::plat
