// TfrmVoo: construction, the binding of the lookup queries (the handlers
// and the form's components are bound by the code generated from
// frm_voo.form), form definitions.
#include "flight_screen/cli_zor12200.h"

#include "data_access/lookup_queries.h"
#include "flight_screen/frm_voo_form.h"
#include "platform/classes/library_classes.h"
#include "platform/dbcontrols/db_classes.h"

namespace zor::Cli_zor12200 {

using namespace plat;

TfrmVoo::TfrmVoo(TComponent* owner) : TfrmPadrao(owner) {
  RegisterLibraryClasses();
  RegisterDataControls();
  CreateLookupQueries();
  BindFormMembers();
  BindLookupQueries();
}

TfrmVoo::~TfrmVoo() {
  for (TTipoVoo* t : tipos_voo_) delete t;
}

std::vector<FormDefinitionSource> TfrmVoo::Definitions() const {
  std::vector<FormDefinitionSource> defs = TfrmPadrao::Definitions();
  defs.push_back({"frm_voo.form", kFrmVooForm});
  return defs;
}

void TfrmVoo::CreateLookupQueries() {
  for (const data_access::QueryDefinition& def : data_access::QueryCatalogue())
    data_access::CreateLookupQuery(this, def);
}

void TfrmVoo::BindLookupQueries() {
#define ZOR_BIND_LOOKUP_MEMBER(Type, name) BindField(#name, name);
  ZOR_FLIGHT_LOOKUP_MEMBERS(ZOR_BIND_LOOKUP_MEMBER)
#undef ZOR_BIND_LOOKUP_MEMBER
}

}  // namespace zor::Cli_zor12200
