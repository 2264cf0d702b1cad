// Builds the screen's lookup query components from the query catalogue:
// the query with its dialect texts, its persistent result fields (named
// query name + field name, e.g. qryCompanhiaCDCIA) and the data source that
// shows it, all owned by the given form.
#pragma once

#include <string_view>

#include "data_access/query_catalogue.h"
#include "platform/sql/adoib_query.h"

namespace zor::data_access {

plat::TADOIBQuery* CreateLookupQuery(plat::TComponent* owner, const QueryDefinition& definition);
// By catalogue name; raises plat::EComponentError for an unknown name.
plat::TADOIBQuery* CreateLookupQuery(plat::TComponent* owner, std::string_view name);

}  // namespace zor::data_access
