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
  // A statement kept on the lost link is prepared again on the new one.
  EXPECT_EQ(db->Query("SELECT pg_backend_pid()").Rows.at(0).at(0), again.Rows[0][0]);
}

// Statements are prepared once per connection and kept: each run still
// reads what it asks for, whatever its values and their types, a table
// changed under a kept statement is read in its new shape, and far more
// statements than are kept each run as written.
TEST_F(Pg, StatementsArePreparedOnceAndKept) {
  Db().ExecuteScript("CREATE TABLE K (I INTEGER, S VARCHAR(5))");
  for (int i = 0; i < 6; ++i) Db().Execute("INSERT INTO K VALUES (:I, :S)", {{"I", i}, {"S", "v" + std::to_string(i)}});
  const std::string lookup = "SELECT S FROM K WHERE I = :I";
  for (int run = 0; run < 8; ++run) {  // past the runs after which a kept statement gets a general plan
    EXPECT_EQ(Db().Query(lookup, {{"I", run % 6}}).Rows.at(0).at(0).AsString(), "v" + std::to_string(run % 6));
    EXPECT_TRUE(Db().Query(lookup, {{"I", nullptr}}).Rows.empty());
  }
  EXPECT_EQ(Db().Query("SELECT COUNT(*) FROM pg_prepared_statements WHERE statement = 'SELECT S FROM K WHERE I = $1'")
                .Rows.at(0)
                .at(0)
                .AsInteger(),
            2);  // one per type of the value given: an integer, none

  const std::string all = "SELECT * FROM K WHERE I = :I";
  EXPECT_EQ(Db().Query(all, {{"I", 2}}).Columns.size(), 2u);
  Db().ExecuteScript("ALTER TABLE K ADD COLUMN D DATE");
  auto wider = Db().Query(all, {{"I", 2}});
  ASSERT_EQ(wider.Columns.size(), 3u);
  EXPECT_EQ(wider.Rows.at(0).at(1).AsString(), "v2");

  for (int i = 0; i < 250; ++i) {
    const std::string sql = "SELECT S, " + std::to_string(i) + " AS N FROM K WHERE I = :I";
    auto r = Db().Query(sql, {{"I", i % 6}});
    ASSERT_EQ(r.Rows.size(), 1u) << sql;
    EXPECT_EQ(r.Rows[0][1].AsInteger(), i) << sql;
    ASSERT_EQ(Db().Query(lookup, {{"I", i % 6}}).Rows.at(0).at(0).AsString(), "v" + std::to_string(i % 6));
  }
}

}  // namespace zor::plat
