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

  const ColumnDef* Column(const std::string& n) const;
};

// Every flight and lookup table, parents before children.
const std::vector<TableDef>& SchemaTables();
// The server's own tables: users, their branches, sessions, audit trail.
const std::vector<TableDef>& AccessTables();
const TableDef& SchemaTable(const std::string& name);

// CREATE TABLE text of one table in the connection's dialect.
std::string CreateTableSql(const Connection& c, const TableDef& t);

// The schema version this server writes.
int CurrentSchemaVersion();
// Version recorded in the database; 0 for an empty database.
int SchemaVersion(Connection& c);
// Runs the migrations the database lacks, each in its own transaction.
// Throws DbError when the database is newer than this server.
void Migrate(Connection& c);

}  // namespace zor::server
