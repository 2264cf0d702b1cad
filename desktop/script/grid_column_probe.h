// Reading one column of a data grid for `expect GRID.Column[FIELD].WHAT`:
// its Title, Width (pixels) and PickList (the entries joined by commas).
// A column is named by its field or by its 1-based position.
#pragma once

#include <string>

#include "desktop/script/component_probe.h"

namespace zor::plat {
class TDBGrid;
}

namespace zor::script {

// True when `property` is a column path (starts with "Column[").
bool IsColumnProperty(const std::string& property);
ProbeResult ReadColumnProperty(const plat::TDBGrid& grid, const std::string& property);

}  // namespace zor::script
