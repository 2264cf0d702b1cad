// Lookup query components from their catalogue entries.
#include "data_access/lookup_queries.h"

#include "platform/data/client_data_set.h"
#include "platform/data/data_source.h"
#include "platform/data/field_types.h"

namespace zor::data_access {

plat::TADOIBQuery* CreateLookupQuery(plat::TComponent* owner, const QueryDefinition& def) {
  auto* query = new plat::TADOIBQuery(owner);
  query->SetName(def.Name);
  query->SQL.SetLines(def.Sql);
  query->SQL_ORACLE.SetLines(def.SqlOracle);
  query->SQL_MSSQL.SetLines(def.SqlMsSql);
  query->SQL_IB.SetLines(def.SqlIb);
  for (const QueryField& f : def.Fields) {
    auto* field = new plat::TStringField(owner);
    field->SetName(def.Name + f.Name);
    field->SetFieldName(f.Name);
    field->SetSize(f.Size);
    if (!f.Label.empty()) field->SetDisplayLabel(f.Label);
    field->SetVisible(f.Visible);
    field->SetRequired(f.Required);
    field->SetDataSet(query->Query());
  }
  auto* source = new plat::TDataSource(owner);
  source->SetName(def.DataSource);
  source->SetDataSet(query->Query());
  query->SetDataSource(source);
  return query;
}

plat::TADOIBQuery* CreateLookupQuery(plat::TComponent* owner, std::string_view name) {
  const QueryDefinition* def = FindQueryDefinition(name);
  if (!def) throw plat::EComponentError("Consulta desconhecida: " + std::string(name) + ".");
  return CreateLookupQuery(owner, *def);
}

}  // namespace zor::data_access
