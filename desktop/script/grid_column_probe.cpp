// Grid column expectations (see grid_column_probe.h).
#include "desktop/script/grid_column_probe.h"

#include <cctype>

#include "platform/dbcontrols/db_grid.h"

namespace zor::script {

namespace {
std::string Lower(std::string s) {
  for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

const plat::TColumn* FindColumn(const plat::TDBGrid& grid, const std::string& key) {
  const auto& cols = grid.Columns();
  bool number = !key.empty();
  for (char c : key) number = number && std::isdigit(static_cast<unsigned char>(c));
  if (number) {
    const int i = std::stoi(key) - 1;
    return i >= 0 && i < cols.Count() ? cols.Items(i) : nullptr;
  }
  for (int i = 0; i < cols.Count(); ++i)
    if (Lower(cols.Items(i)->FieldName()) == Lower(key)) return cols.Items(i);
  return nullptr;
}
}  // namespace

bool IsColumnProperty(const std::string& property) { return Lower(property).rfind("column[", 0) == 0; }

ProbeResult ReadColumnProperty(const plat::TDBGrid& grid, const std::string& property) {
  const auto close = property.find(']');
  if (close == std::string::npos || close + 2 > property.size() || property[close + 1] != '.')
    return {false, {}, "use Column[CAMPO].Title, .Width ou .PickList"};
  const std::string key = property.substr(7, close - 7);
  const std::string what = Lower(property.substr(close + 2));
  const plat::TColumn* column = FindColumn(grid, key);
  if (!column) return {false, {}, grid.Name() + " não tem a coluna " + key};
  const plat::TColumn& col = *column;
  if (what == "title") return {true, col.Title().Caption(), {}};
  if (what == "width") return {true, std::to_string(col.Width()), {}};
  if (what == "picklist") {
    std::string joined;
    for (int i = 0; i < col.PickList().Count(); ++i) joined += (i ? "," : "") + col.PickList().Strings(i);
    return {true, joined, {}};
  }
  if (what == "visible") return {true, col.Visible() ? "true" : "false", {}};
  return {false, {}, "a coluna não tem a propriedade " + property.substr(close + 2) + " (Title, Width, PickList, Visible)"};
}

}  // namespace zor::script
