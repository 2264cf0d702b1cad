// The host's context as the screens read it: the user's branch, whether
// the branch is fixed, where the application server and the database are.
// The host sets it once at start (and again when the user changes it);
// the screens only read it.
#pragma once

#include <string>
#include <vector>

#include "platform/core/observers.h"
#include "platform/core/variant.h"

namespace zor::plat {

struct HostContext {
  std::string UserCode;      // the logged-in user's code
  std::string UserName;
  std::string BranchCode;    // the user's current branch
  std::string BranchName;
  bool BranchFixed = false;  // true: the user may not change the branch
  std::string ServerHost = "127.0.0.1";
  int ServerPort = 0;
  std::string DatabaseUrl;   // the shared database's URL (SQLite file or PostgreSQL)
};

}  // namespace zor::plat

namespace zor::plat::Vornia {

void SetHostContext(const HostContext& context);
const HostContext& Context();

std::string FiliProc();      // code of the user's current branch
std::string NomeFiliProc();  // its name
bool ModuFili();             // true when the branch may not be changed
std::string WebURL();        // host of the application server
int WebPort();               // its port
std::string DatabaseUrl();

// Tells that the tables named in `tables` (an array of names, or one name)
// changed on the server. There is no local copy of any table yet: the call
// is counted, its names kept, and the subscribers told, so that a local
// cache can hook in later without touching the screens.
void AtualizaLocalCache(const Variant& tables);
int LocalCacheRefreshCount();
const std::vector<std::string>& LastRefreshedTables();
Observers<const std::vector<std::string>&>& LocalCacheRefreshed();

}  // namespace zor::plat::Vornia
