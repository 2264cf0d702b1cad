// The administration commands of zor12200-server: `user add|passwd|disable|
// enable|list` and `audit`, and the demo user that --init-demo creates.
// Passwords are read from the terminal without echo, or from the first
// line of standard input when it is not a terminal; never from arguments.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "server/db_connection.h"

namespace zor::server {

// The demo user: every demo branch, branch not fixed.
constexpr const char* kDemoUser = "demo";
constexpr const char* kDemoPassword = "demo1234";
// Creates the demo user when it is missing and the database has branches;
// true when it was created.
bool EnsureDemoUser(Connection& c);

// Reads a password (twice on a terminal, which must agree); throws
// UserError when it cannot be read or the two differ.
std::string ReadPassword(const std::string& prompt, bool confirm);

struct AuditQuery {
  std::string branch, company, flight, since;
  bool csv = false;
};
void PrintAudit(Connection& c, const AuditQuery& q, std::ostream& out);
void PrintUsers(Connection& c, std::ostream& out);

}  // namespace zor::server
