// A fresh database per test on either driver, and the small lookup schema
// with data that the query tests run against.
#pragma once

#include <memory>
#include <string>

#include "platform/sql/connection.h"

namespace zor::sqltest {

enum class Backend { Sqlite, Postgres };

// A database that one test owns: a private in-memory SQLite database, or a
// schema of its own (first on the search path, with NVLSTR and PARAM) on the
// PostgreSQL server named by ZOR_TEST_PG_URL, dropped with the object.
class TestDatabase {
 public:
  ~TestDatabase();
  std::shared_ptr<plat::DbConnection> Conn;
  std::string Schema;
};

// Null when the backend is not available (PostgreSQL without ZOR_TEST_PG_URL).
std::unique_ptr<TestDatabase> OpenTestDatabase(Backend backend);
std::string PgUrl();  // empty when unset

// Creates the lookup tables and fills them:
//   branches 0001 "Matriz", 0002 "Filial Sul" (rescinded "S"), 0003 "Filial Norte";
//   companies 0010 "tam" (lower case stored), 0020 "GLO", 0030 "AZU";
//   CIAFILI: 0001 with 0010 and 0020; 0002 with 0030;
//   equipment 0100 "B737", 0200 "A320", 0300 "E190" (0300 not linked);
//   prefixes of (0001, 0010, 0100): "PT-ABC", "pt-xyz", and one without prefix (null);
//   bases 0001 "GRU", 0002 "CGH", 0003 "SDU", and 0004 with a null abbreviation;
//   flight (0001, 0010, "1234") with leg 01 from 0001 to 0002, classes "0001" "0002";
//   CLASSE 0001 "Y", 0002 "C", 0003 "F"; CLASSECIA for (0001, 0010): 0002 then 0001.
void CreateLookupSchema(plat::DbConnection& db);

}  // namespace zor::sqltest
