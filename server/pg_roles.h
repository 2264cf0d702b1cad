// The two PostgreSQL roles of a shared installation: zor_servidor, which
// the application server logs in with (reads and writes every table of
// the schema), and zor_desktop, which the desks' direct lookups use (reads
// the flight and lookup tables, writes nothing, and cannot see users,
// sessions or the audit trail). Both are group roles without login: an
// installation gives its login roles membership in them. Created by
// --init-demo and by `zor12200-server roles`; needs a database user that
// may create roles and grant on the schema.
#pragma once

#include "server/db_connection.h"

namespace zor::server {

constexpr const char* kServerRole = "zor_servidor";
constexpr const char* kDesktopRole = "zor_desktop";

// Creates the roles when missing and grants them their tables in the
// current schema. Does nothing on SQLite (a file has no roles).
void SetUpRoles(Connection& c);

}  // namespace zor::server
