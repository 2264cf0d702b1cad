// The catalogue of the screen's lookup queries: name, data source, SQL text
// per dialect and result fields. The screen builds its query components from
// it; the tests run every text on each supported database.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zor::data_access {

struct QueryField {
  std::string Name;
  int Size;
  std::string Label;  // empty: the field name serves
  bool Visible;
  bool Required;
};

struct QueryDefinition {
  std::string Name;
  std::string DataSource;
  // Lines of each dialect's text; an empty list means the dialect runs SQL.
  std::vector<std::string> Sql, SqlOracle, SqlMsSql, SqlIb;
  std::vector<QueryField> Fields;
};

const std::vector<QueryDefinition>& QueryCatalogue();
const QueryDefinition* FindQueryDefinition(std::string_view name);

}  // namespace zor::data_access
