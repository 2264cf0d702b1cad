// What only the PostgreSQL driver has to get right: parameters next to casts
// and quotes, numeric and time types, names folded to lower case.
#include <gtest/gtest.h>

#include <cmath>

#include "backend.h"
#include "platform/core/exceptions.h"

namespace zor::plat {

using namespace sqltest;

namespace {
class Pg : public DatabaseTest {};
}  // namespace

TEST_F(Pg, ParametersBesideCastsQuotesAndConcatenation) {
  auto r = Db().Query(
      "SELECT :A::varchar(3) || ':A' || $$:A$$ AS X, CAST(:N AS INTEGER) + 1 AS Y, "
      "'it''s :B' AS Z /* :C */, :A||:A AS W",
      {{"A", "abc"}, {"N", "41"}});
  ASSERT_EQ(r.Rows.size(), 1u);
  EXPECT_EQ(r.Rows[0][0].AsString(), "abc:A:A");
  EXPECT_EQ(r.Rows[0][1], Variant(int64_t{42}));
  EXPECT_EQ(r.Rows[0][2].AsString(), "it's :B");
  EXPECT_EQ(r.Rows[0][3].AsString(), "abcabc");
}

TEST_F(Pg, NumericTimeAndCharTypes) {
  auto r = Db().Query(
      "SELECT 12.375::numeric(8,3) AS N, TIME '10:30:15' AS T, 'ab'::char(4) AS C, 5::smallint AS S, "
      "'NaN'::float8 AS F, DATE 'infinity' AS D");
  EXPECT_EQ(r.Rows[0][0], Variant(12.375));
  EXPECT_EQ(r.Rows[0][1], Variant(EncodeTime(10, 30, 15)));
  EXPECT_EQ(r.Rows[0][2].AsString(), "ab  ");
  EXPECT_EQ(r.Columns[2].Size, 4);
  EXPECT_EQ(r.Rows[0][3], Variant(int64_t{5}));
  EXPECT_TRUE(std::isnan(r.Rows[0][4].AsFloat()));
  // A value with no counterpart in the variant stays text rather than failing.
  EXPECT_EQ(r.Rows[0][5].AsString(), "infinity");
}

TEST_F(Pg, NullParameterFitsAColumnOfAnyType) {
  Db().ExecuteScript("CREATE TABLE N (I INTEGER, D DATE, S VARCHAR(2))");
  EXPECT_EQ(Db().Execute("INSERT INTO N VALUES (:I, :D, :S)", {{"I", nullptr}, {"D", nullptr}}), 1);
  EXPECT_EQ(Db().Execute("INSERT INTO N VALUES (:I, :D, :S)", {{"I", 3}, {"S", "ok"}}), 1);
  EXPECT_EQ(Db().Query("SELECT COUNT(*) FROM N WHERE I IS NULL").Rows[0][0].AsInteger(), 1);
}

TEST_F(Pg, ErrorNamesTheDatabaseNotTheLogin) {
  try {
    Db().Query("SELECT * FROM nowhere");
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_NE(e.Message().find("Erro no banco de dados " + Db().DatabaseName() + ": "), std::string::npos)
        << e.Message();
    EXPECT_NE(e.Message().find("nowhere"), std::string::npos);
  }
}

TEST(PgSession, LostConnectionIsMadeAgainOnce) {
  if (PgUrl().empty()) GTEST_SKIP() << "ZOR_TEST_PG_URL is not set";
  auto db = OpenConnection(PgUrl());
  auto pid = db->Query("SELECT pg_backend_pid()").Rows.at(0).at(0).AsInteger();
  // The server ends this session, as a restart would.
  EXPECT_THROW(db->Execute("SELECT pg_terminate_backend(pg_backend_pid())"), EDatabaseError);
  auto again = db->Query("SELECT pg_backend_pid(), DATE '2026-01-31'");
  EXPECT_NE(again.Rows.at(0).at(0).AsInteger(), pid);
  EXPECT_EQ(again.Rows[0][1], Variant(EncodeDate(2026, 1, 31)));
}

}  // namespace zor::plat
