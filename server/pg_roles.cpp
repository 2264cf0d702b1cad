// PostgreSQL roles (see pg_roles.h).
#include "server/pg_roles.h"

#include "server/schema.h"

namespace zor::server {

namespace {

// Two servers may set up at once: a role created meanwhile is no error.
std::string CreateRole(const std::string& role) {
  return "DO $$ BEGIN IF NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = '" + role +
         "') THEN CREATE ROLE " + role +
         " NOLOGIN; END IF; EXCEPTION WHEN duplicate_object OR unique_violation THEN NULL; END $$";
}

}  // namespace

void SetUpRoles(Connection& c) {
  if (c.Dialect() != SqlDialect::Postgresql) return;
  c.ExecScript(CreateRole(kServerRole));
  c.ExecScript(CreateRole(kDesktopRole));
  // The schema the server's tables live in (the connection's search path).
  c.ExecScript(std::string("DO $$ BEGIN EXECUTE format('GRANT USAGE ON SCHEMA %I TO ") + kServerRole + ", " +
               kDesktopRole + "', current_schema()); END $$");
  std::string all;
  for (const auto& t : SchemaTables()) all += (all.empty() ? "" : ", ") + t.name;
  std::string mine = all;
  for (const auto& t : AccessTables()) mine += ", " + t.name;
  c.ExecScript("GRANT SELECT, INSERT, UPDATE, DELETE ON " + mine + ", ZOR_SCHEMA_VERSION TO " + kServerRole);
  c.ExecScript("GRANT SELECT ON " + all + " TO " + kDesktopRole);
  // Nothing else for the desks, also if granted before.
  c.ExecScript("REVOKE ALL ON ZOR_SCHEMA_VERSION, " +
               [] {
                 std::string s;
                 for (const auto& t : AccessTables()) s += (s.empty() ? "" : ", ") + t.name;
                 return s;
               }() +
               " FROM " + kDesktopRole);
  c.ExecScript("REVOKE INSERT, UPDATE, DELETE, TRUNCATE ON " + all + " FROM " + kDesktopRole);
}

}  // namespace zor::server
