// The rows of a report as a spreadsheet file: UTF-8 (with the byte-order
// mark spreadsheets look for), fields separated by ';' and decimal commas,
// as Brazilian spreadsheets expect.
#pragma once

#include <string>

#include "platform/reports/report_document.h"

namespace zor::plat {

// The CSV text of the document's rows, every column on every row.
std::string ReportCsv(const ReportDocument& document);

}  // namespace zor::plat
