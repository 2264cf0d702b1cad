// The backend a test binary runs against: the same test sources are built
// once for SQLite and once for PostgreSQL (zor_add_test POSTGRES: ZOR_TEST_BACKEND_PG, label pg).
#pragma once

#include <gtest/gtest.h>

#include "test_database.h"

namespace zor::sqltest {

#ifdef ZOR_TEST_BACKEND_PG
inline constexpr Backend kBackend = Backend::Postgres;
#define SQL_SUITE(name) name##OnPostgres
#else
inline constexpr Backend kBackend = Backend::Sqlite;
#define SQL_SUITE(name) name##OnSqlite
#endif
// Suites shared by both binaries carry the backend in their name, so the two
// register as distinct CTest tests and only the PostgreSQL ones get label pg.

// A fixture that owns a fresh database with the lookup schema; skips the
// test when PostgreSQL is wanted and ZOR_TEST_PG_URL is not set.
class DatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    db_ = OpenTestDatabase(kBackend);
    if (!db_) GTEST_SKIP() << "ZOR_TEST_PG_URL is not set";
    CreateLookupSchema(*db_->Conn);
  }
  plat::DbConnection& Db() { return *db_->Conn; }
  std::unique_ptr<TestDatabase> db_;
};

}  // namespace zor::sqltest
