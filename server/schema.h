// The database schema the server owns (the flight tables and the lookup
// tables the desktop's queries read), described once and rendered into each
// engine's DDL, and the forward-only migrations that bring a database to the
// current version when the server starts.
#pragma once

#include <string>
#include <vector>

#include "server/db_connection.h"

namespace zor::server {

struct ColumnDef {
  std::string name;
  ColumnType type;
  int size = 0;  // characters, for text columns
  bool notNull = false;
};

struct ForeignKeyDef {
  std::vector<std::string> columns;
  std::string refTable;
  std::vector<std::string> refColumns;
};

struct TableDef {
  std::string name;
  std::vector<ColumnDef> columns;
  std::vector<std::string> primaryKey;
  std::vector<ForeignKeyDef> foreignKeys;

  const ColumnDef* column(const std::string& n) const;
};

// Every flight and lookup table, parents before children.
const std::vector<TableDef>& schemaTables();
// The server's own tables: users, their branches, sessions, audit trail.
const std::vector<TableDef>& accessTables();
const TableDef& schemaTable(const std::string& name);

// CREATE TABLE text of one table in the connection's dialect.
std::string createTableSql(const Connection& c, const TableDef& t);

// The schema version this server writes.
int currentSchemaVersion();
// Version recorded in the database; 0 for an empty database.
int schemaVersion(Connection& c);
// Runs the migrations the database lacks, each in its own transaction.
// Throws DbError when the database is newer than this server.
void migrate(Connection& c);

}  // namespace zor::server
