// Who is making a call: the logged-in user behind the session token, the
// branches they may work in, and the address the call came from. The data
// module scopes every call by it and the audit trail records it.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

namespace zor::server {

struct Caller {
  std::string user;      // user code
  std::string name;      // user name
  std::string address;   // client address, as the transport saw it
  std::vector<std::string> branches;  // branches the user may work in
  bool branchFixed = false;
  // The server's own work (tests in process, administration): every branch.
  bool unrestricted = false;

  bool MayUse(const std::string& branch) const {
    return unrestricted || std::find(branches.begin(), branches.end(), branch) != branches.end();
  }

  static Caller Internal() {
    Caller c;
    c.user = "(servidor)";
    c.unrestricted = true;
    return c;
  }
};

}  // namespace zor::server
