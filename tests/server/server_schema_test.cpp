// Schema, migrations, demo data and the lookup functions, against one
// engine per test binary (ZOR_TEST_BACKEND_PG chooses PostgreSQL).
#include <gtest/gtest.h>

#include "server/demo_data.h"
#include "server/pg_roles.h"
#include "server/schema.h"
#include "tests/server/server_harness.h"

namespace zor::server::testing {

class SchemaTest : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    std::string why;
    db_ = TestDatabase::Create(GetParam(), why);
    if (!db_) GTEST_SKIP() << why;
    c_ = OpenConnection(db_->Url());
  }
  std::unique_ptr<TestDatabase> db_;
  std::unique_ptr<Connection> c_;
};

TEST_P(SchemaTest, MigrationsRunOnceAndRefuseANewerDatabase) {
  EXPECT_EQ(SchemaVersion(*c_), 0);
  Migrate(*c_);
  EXPECT_EQ(SchemaVersion(*c_), CurrentSchemaVersion());
  Migrate(*c_);  // a second start changes nothing
  EXPECT_EQ(c_->Query("SELECT COUNT(*) FROM ZOR_SCHEMA_VERSION").rows.size(), 1u);
  for (const auto& t : SchemaTables()) EXPECT_NO_THROW(c_->Query("SELECT * FROM " + t.name)) << t.name;
  c_->Execute("INSERT INTO ZOR_SCHEMA_VERSION (VERSION) VALUES (?)", {std::int64_t{99}});
  EXPECT_THROW(Migrate(*c_), DbError);
}

TEST_P(SchemaTest, TheDatabaseItselfRefusesOverlongTextsAndOrphans) {
  Migrate(*c_);
  LoadDemoData(*c_, DemoOptions{3});
  EXPECT_THROW(c_->Execute("INSERT INTO TURNO (NRTURNO, DSTURNO) VALUES (?, ?)", {std::string("123"), std::string("x")}),
               DbError);
  try {
    c_->Execute("INSERT INTO VOOTRECHO (CDFILIAL, CDCIA, NRVOO, CDTRECHO) VALUES ('0001', '0001', '9999', '0001')");
    FAIL() << "a leg without its flight was stored";
  } catch (const DbError& e) {
    EXPECT_EQ(e.Kind(), DbError::FaultKind::ForeignKeyViolation);
  }
  try {
    c_->Execute("INSERT INTO TURNO (NRTURNO, DSTURNO) VALUES ('01', 'x')");
    FAIL();
  } catch (const DbError& e) {
    EXPECT_EQ(e.Kind(), DbError::FaultKind::UniqueViolation);
  }
}

TEST_P(SchemaTest, DemoDataCoversTheLookupCases) {
  Migrate(*c_);
  ASSERT_TRUE(LoadDemoData(*c_));
  EXPECT_FALSE(LoadDemoData(*c_));  // a filled database is left alone
  auto count = [&](const std::string& sql) {
    auto r = c_->Query(sql);
    const auto& v = r.rows.at(0).at(0);
    if (auto* i = std::get_if<std::int64_t>(&v)) return *i;
    return static_cast<std::int64_t>(std::stoll(std::get<std::string>(v)));
  };
  EXPECT_GE(count("SELECT COUNT(*) FROM FILIAL"), 3);
  EXPECT_EQ(count("SELECT COUNT(*) FROM FILIAL WHERE IDCNTRRESC = 'S'"), 1);
  EXPECT_GE(count("SELECT COUNT(*) FROM COMPANHIA WHERE CDCIA NOT IN "
                  "(SELECT CDCIA FROM CIAFILI WHERE CDFILIAL = '0001')"),
            1);
  EXPECT_GE(count("SELECT COUNT(*) FROM PREFIXOCIA WHERE SGPREFIXO <> UPPER(SGPREFIXO)"), 1);
  EXPECT_GE(count("SELECT COUNT(*) FROM BASE"), 10);
  EXPECT_EQ(count("SELECT COUNT(*) FROM VOO WHERE CDFILIAL = '0001' AND CDCIA = '0001'"), 300);
  // One to four legs per flight, classes on the legs.
  EXPECT_EQ(count("SELECT COUNT(*) FROM VOO V WHERE NOT EXISTS (SELECT 1 FROM VOOTRECHO T WHERE "
                  "T.CDFILIAL = V.CDFILIAL AND T.CDCIA = V.CDCIA AND T.NRVOO = V.NRVOO)"),
            0);
  EXPECT_EQ(count("SELECT COUNT(*) FROM (SELECT NRVOO FROM VOOTRECHO GROUP BY CDFILIAL, CDCIA, NRVOO "
                  "HAVING COUNT(*) > 4) X"),
            0);
  EXPECT_GE(count("SELECT COUNT(*) FROM CLASSEVOO"), 300);
  EXPECT_EQ(count("SELECT COUNT(*) FROM TIPOVOO"), 4);
  EXPECT_EQ(count("SELECT COUNT(*) FROM TURNO"), 4);
}

// The optional filters of the desktop's lookup queries on PostgreSQL: a
// null parameter keeps every row, a value keeps the equal ones.
TEST_P(SchemaTest, LookupFunctionsBehaveAsTheQueriesExpect) {
  if (c_->Dialect() != SqlDialect::Postgresql) GTEST_SKIP() << "PARAM and NVLSTR exist on PostgreSQL only";
  Migrate(*c_);
  LoadDemoData(*c_, DemoOptions{3});
  const std::string filial =
      "SELECT CDFILIAL, NMFILIAL, IDCNTRRESC FROM FILIAL, PARAM(?) P1 "
      "WHERE CDFILIAL = NVLSTR(P1.PARAM, CDFILIAL) ORDER BY CDFILIAL";
  auto all = c_->Query(filial, {std::monostate{}});
  ASSERT_EQ(all.rows.size(), 5u);
  EXPECT_EQ(std::get<std::string>(all.rows[0][0]), "0001");
  auto one = c_->Query(filial, {std::string("0003")});
  ASSERT_EQ(one.rows.size(), 1u);
  EXPECT_EQ(std::get<std::string>(one.rows[0][1]), "Galeão");
  EXPECT_EQ(c_->Query(filial, {std::string("9999")}).rows.size(), 0u);
  auto bases = c_->Query("SELECT CDBASE, SGBASE, DSBASE FROM BASE, PARAM(?) P1 "
                         "WHERE (SGBASE = NVLSTR(P1.PARAM,SGBASE)) ORDER BY SGBASE",
                         {std::monostate{}});
  EXPECT_EQ(bases.rows.size(), 15u);
  auto pref = c_->Query(
      "SELECT PF.SGPREFIXO FROM PREFIXOCIA PF, EQUIPAMENTO EQ WHERE (PF.CDFILIAL = ?) AND (PF.CDCIA = ?) AND "
      "(PF.CDEQUIP = ?) AND (EQ.CDEQUIP = ?) AND (UPPER(PF.SGPREFIXO) = UPPER(?))",
      {std::string("0001"), std::string("0001"), std::string("0002"), std::string("0002"), std::string("PR-ACC")});
  ASSERT_EQ(pref.rows.size(), 1u);
  EXPECT_EQ(std::get<std::string>(pref.rows[0][0]), "pr-acc");
}

#ifdef ZOR_TEST_BACKEND_PG
INSTANTIATE_TEST_SUITE_P(Postgres, SchemaTest, ::testing::Values(std::string("pg")));
#else
INSTANTIATE_TEST_SUITE_P(Sqlite, SchemaTest, ::testing::Values(std::string("sqlite")));
#endif

}  // namespace zor::server::testing

namespace zor::server::testing {

// The desks' role reads the flight and lookup tables and nothing else;
// the server's role writes them and its own tables.
TEST_P(SchemaTest, TheDesktopRoleOnlyReadsAndTheServerRoleWrites) {
  if (c_->Dialect() != SqlDialect::Postgresql) GTEST_SKIP() << "roles exist on PostgreSQL only";
  Migrate(*c_);
  SetUpRoles(*c_);
  SetUpRoles(*c_);  // again: nothing to do, no error
  c_->ExecScript("SET ROLE zor_desktop");
  EXPECT_NO_THROW(c_->Query("SELECT * FROM FILIAL"));
  EXPECT_NO_THROW(c_->Query("SELECT * FROM VOO"));
  for (const char* sql : {"INSERT INTO FILIAL (CDFILIAL) VALUES ('0099')", "DELETE FROM VOO",
                          "UPDATE CLASSE SET SGCLASSE = 'X'"})
    EXPECT_THROW(c_->Execute(sql), DbError) << sql;
  for (const char* table : {"ZORUSUARIO", "ZORSESSAO", "ZORAUDITORIA", "ZORAUDITORIACAMPO"})
    EXPECT_THROW(c_->Query(std::string("SELECT * FROM ") + table), DbError) << table;
  c_->ExecScript("RESET ROLE");
  c_->ExecScript("SET ROLE zor_servidor");
  EXPECT_NO_THROW(c_->Execute("INSERT INTO FILIAL (CDFILIAL) VALUES ('0099')"));
  EXPECT_NO_THROW(c_->Query("SELECT * FROM ZORSESSAO"));
  c_->ExecScript("RESET ROLE");
}

}  // namespace zor::server::testing
