// The process-wide host context and the local cache refresh notice.
#include "platform/library/vornia.h"

namespace zor::plat::Vornia {

namespace {

struct State {
  HostContext context;
  int refreshes = 0;
  std::vector<std::string> last_tables;
  Observers<const std::vector<std::string>&> refreshed;
};

State& S() {
  static State state;
  return state;
}

}  // namespace

void SetHostContext(const HostContext& context) { S().context = context; }
const HostContext& Context() { return S().context; }

std::string FiliProc() { return S().context.BranchCode; }
std::string NomeFiliProc() { return S().context.BranchName; }
bool ModuFili() { return S().context.BranchFixed; }
std::string WebURL() { return S().context.ServerHost; }
int WebPort() { return S().context.ServerPort; }
std::string DatabaseUrl() { return S().context.DatabaseUrl; }

void AtualizaLocalCache(const Variant& tables) {
  std::vector<std::string> names;
  if (tables.IsArray()) {
    for (const Variant& t : tables.AsArray()) names.push_back(t.AsString());
  } else if (!tables.IsNull()) {
    names.push_back(tables.AsString());
  }
  ++S().refreshes;
  S().last_tables = names;
  S().refreshed.Notify(names);
}

int LocalCacheRefreshCount() { return S().refreshes; }
const std::vector<std::string>& LastRefreshedTables() { return S().last_tables; }
Observers<const std::vector<std::string>&>& LocalCacheRefreshed() { return S().refreshed; }

}  // namespace zor::plat::Vornia
