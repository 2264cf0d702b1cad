// The printable form of a report: a paginated PDF, A4 landscape, typeset
// with pango on a cairo PDF surface (real text, fonts embedded). Every
// page carries the heading, the column titles and "Página N de M"; groups
// print as a line with their own fields and their detail lines indented
// under it; inactive lines carry a mark and a slanted face, which survive
// black-and-white printing.
#pragma once

#include <string>

#include "platform/reports/report_document.h"

namespace zor::flight_report {

// Writes `document` as a PDF to `path`. Raises plat::Exception with a
// message for the person when the file cannot be written.
void WriteReportPdf(const plat::ReportDocument& document, const std::string& path);

}  // namespace zor::flight_report
