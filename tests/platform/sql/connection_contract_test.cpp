// What every driver must do alike: named parameters, the PARAM row source
// and NVLSTR, typed values, result columns and errors.
#include <gtest/gtest.h>

#include "backend.h"
#include "platform/core/exceptions.h"
#include "platform/core/sysutils.h"

namespace zor::plat {

using namespace sqltest;

namespace {

class SQL_SUITE(Contract) : public DatabaseTest {};

std::vector<std::string> Column(const SqlResult& r, int col) {
  std::vector<std::string> out;
  for (auto& row : r.Rows) out.push_back(row[col].IsNull() ? "<null>" : row[col].AsString());
  return out;
}
using V = std::vector<std::string>;

}  // namespace

TEST_F(SQL_SUITE(Contract), DialectRunsInterBaseTexts) {
  EXPECT_EQ(Db().Dialect(), kBackend == Backend::Sqlite ? SqlDialect::Sqlite : SqlDialect::PostgreSql);
  EXPECT_TRUE(Db().Connected());
}

TEST_F(SQL_SUITE(Contract), NamedParametersBindByNameWithoutRegardToCase) {
  auto r = Db().Query("SELECT NMFILIAL FROM FILIAL WHERE CDFILIAL = :Cd OR CDFILIAL = :OTHER ORDER BY 1",
                      {{"other", "0003"}, {"CD", "0001"}});
  EXPECT_EQ(Column(r, 0), (V{"Filial Norte", "Matriz"}));
}

TEST_F(SQL_SUITE(Contract), RepeatedNameIsOneValue) {
  auto r = Db().Query("SELECT CDEQUIP FROM EQUIPAMENTO WHERE CDEQUIP = :P AND :P = CDEQUIP", {{"P", "0100"}});
  EXPECT_EQ(Column(r, 0), (V{"0100"}));
}

TEST_F(SQL_SUITE(Contract), ParameterLeftOutIsNull) {
  auto r = Db().Query("SELECT COUNT(*) FROM FILIAL WHERE COALESCE(:MISSING, 'none') = 'none'");
  EXPECT_EQ(r.Rows.at(0).at(0).AsInteger(), 3);
  r = Db().Query("SELECT COUNT(*) FROM FILIAL WHERE CDFILIAL = :MISSING");
  EXPECT_EQ(r.Rows.at(0).at(0).AsInteger(), 0);
}

TEST_F(SQL_SUITE(Contract), ParamYieldsOneRowForNullAndForValue) {
  auto r = Db().Query("SELECT P1.PARAM FROM PARAM(:X) P1", {{"X", nullptr}});
  ASSERT_EQ(r.Rows.size(), 1u);
  EXPECT_TRUE(r.Rows[0][0].IsNull());
  EXPECT_EQ(r.Columns[0].Name, "PARAM");
  r = Db().Query("SELECT P1.PARAM FROM PARAM(:X) P1", {{"X", "GRU"}});
  ASSERT_EQ(r.Rows.size(), 1u);
  EXPECT_EQ(r.Rows[0][0].AsString(), "GRU");
  r = Db().Query("SELECT P1.PARAM FROM PARAM(:X) P1", {{"X", ""}});
  ASSERT_EQ(r.Rows.size(), 1u);
  EXPECT_EQ(r.Rows[0][0].AsString(), "");
}

TEST_F(SQL_SUITE(Contract), NvlStrTakesTheFirstUnlessNull) {
  auto r = Db().Query("SELECT NVLSTR(:A, 'b'), NVLSTR(:N, 'b'), NVLSTR(:N, :N)", {{"A", "a"}});
  EXPECT_EQ(r.Rows[0][0].AsString(), "a");
  EXPECT_EQ(r.Rows[0][1].AsString(), "b");
  EXPECT_TRUE(r.Rows[0][2].IsNull());
}

TEST_F(SQL_SUITE(Contract), NullFilterKeepsEveryRowWhoseColumnIsNotNull) {
  const char* sql = "SELECT CDBASE FROM BASE, PARAM(:P_SGBASE) P1 WHERE (SGBASE = NVLSTR(P1.PARAM,SGBASE)) ORDER BY CDBASE";
  EXPECT_EQ(Column(Db().Query(sql, {{"P_SGBASE", nullptr}}), 0), (V{"0001", "0002", "0003"}));
  EXPECT_EQ(Column(Db().Query(sql, {{"P_SGBASE", "CGH"}}), 0), (V{"0002"}));
  EXPECT_EQ(Column(Db().Query(sql, {{"P_SGBASE", "XXX"}}), 0), V{});
  EXPECT_EQ(Column(Db().Query(sql, {{"P_SGBASE", ""}}), 0), V{});
}

TEST_F(SQL_SUITE(Contract), ParamTakesAColumnOfAnEarlierTable) {
  auto r = Db().Query("SELECT B.CDBASE, P.PARAM FROM BASE B, PARAM(B.SGBASE) P WHERE B.CDBASE IN ('0001', '0004') ORDER BY 1");
  ASSERT_EQ(r.Rows.size(), 2u);
  EXPECT_EQ(r.Rows[0][1].AsString(), "GRU");
  EXPECT_TRUE(r.Rows[1][1].IsNull());
}

TEST_F(SQL_SUITE(Contract), ValuesComeBackTyped) {
  Db().ExecuteScript(
      "CREATE TABLE TYPED (I INTEGER, F DOUBLE PRECISION, S VARCHAR(12), D DATE, TS TIMESTAMP, B BOOLEAN)");
  TDateTime when = TDateTime{EncodeDate(2026, 1, 31).Val + EncodeTime(13, 45, 10).Val};
  EXPECT_EQ(Db().Execute("INSERT INTO TYPED VALUES (:I, :F, :S, :D, :TS, :B)",
                         {{"I", 42}, {"F", 2.5}, {"S", "Açaí ção"}, {"D", EncodeDate(2026, 2, 1)}, {"TS", when},
                          {"B", true}}),
            1);
  Db().Execute("INSERT INTO TYPED VALUES (:I, :F, :S, :D, :TS, :B)", {{"I", -7}});
  auto r = Db().Query("SELECT I, F, S, D, TS, B FROM TYPED ORDER BY I DESC");
  ASSERT_EQ(r.Rows.size(), 2u);
  const auto& row = r.Rows[0];
  EXPECT_EQ(row[0], Variant(int64_t{42}));
  EXPECT_EQ(row[1], Variant(2.5));
  EXPECT_EQ(row[2], Variant("Açaí ção"));
  EXPECT_EQ(row[3], Variant(EncodeDate(2026, 2, 1)));
  EXPECT_EQ(row[4], Variant(when));
  EXPECT_EQ(row[5], Variant(true));
  EXPECT_EQ(r.Rows[1][0], Variant(int64_t{-7}));
  for (int c = 1; c < 6; ++c) EXPECT_TRUE(r.Rows[1][c].IsNull()) << c;
  EXPECT_EQ(r.Columns[0].Type, VarType::Integer);
  EXPECT_EQ(r.Columns[1].Type, VarType::Float);
  EXPECT_EQ(r.Columns[2].Type, VarType::String);
  EXPECT_EQ(r.Columns[2].Size, 12);
  EXPECT_EQ(r.Columns[3].Type, VarType::DateTime);
  EXPECT_EQ(r.Columns[5].Type, VarType::Bool);
}

TEST_F(SQL_SUITE(Contract), ColumnNamesComeBackUpperCaseAndAliased) {
  auto r = Db().Query("SELECT CO.CDCIA, UPPER(SGCIA) SGCIA, nmcia FROM COMPANHIA CO WHERE CDCIA = '0010'");
  ASSERT_EQ(r.Columns.size(), 3u);
  EXPECT_EQ(r.Columns[0].Name, "CDCIA");
  EXPECT_EQ(r.Columns[1].Name, "SGCIA");
  EXPECT_EQ(r.ColumnIndex("NMCIA"), 2);
  EXPECT_EQ(r.ColumnIndex("nope"), -1);
  EXPECT_EQ(r.Rows[0][1].AsString(), "TAM");
  EXPECT_EQ(r.Columns[0].Size, 4);
}

TEST_F(SQL_SUITE(Contract), ExecuteCountsChangedRows) {
  EXPECT_EQ(Db().Execute("UPDATE BASE SET DSBASE = :D WHERE SGBASE IS NOT NULL", {{"D", "x"}}), 3);
  EXPECT_EQ(Db().Execute("DELETE FROM BASE WHERE CDBASE = :C", {{"C", "none"}}), 0);
}

TEST_F(SQL_SUITE(Contract), DatabaseErrorsCarryTheDatabaseMessage) {
  try {
    Db().Query("SELECT NOPE FROM NO_SUCH_TABLE");
    FAIL() << "no error";
  } catch (const EDatabaseError& e) {
    std::string msg = e.Message();
    EXPECT_NE(msg.find("Erro no banco de dados"), std::string::npos) << msg;
    EXPECT_NE(LowerCase(msg).find("no_such_table"), std::string::npos) << msg;
  }
  EXPECT_THROW(Db().Execute("INSERT INTO FILIAL VALUES ('0001', 'dup', 'N')"), EDatabaseError);
  EXPECT_THROW(Db().ExecuteScript("THIS IS NOT SQL"), EDatabaseError);
}

TEST_F(SQL_SUITE(Contract), ClosedConnectionRefusesWork) {
  auto conn = OpenConnection(kBackend == Backend::Sqlite ? "sqlite::memory:" : PgUrl());
  conn->Close();
  conn->Close();
  EXPECT_FALSE(conn->Connected());
  EXPECT_THROW(conn->Query("SELECT 1"), EDatabaseError);
}

// Report definitions come from files: their queries run read-only, and one
// that would write is stopped with nothing changed, leaving the connection
// as usable as before.
TEST_F(SQL_SUITE(Contract), ReadOnlyQueriesReadButNeverWrite) {
  auto r = Db().QueryReadOnly("SELECT NMFILIAL FROM FILIAL WHERE CDFILIAL = :C", {{"C", "0001"}});
  EXPECT_EQ(Column(r, 0), (V{"Matriz"}));

  EXPECT_THROW(Db().QueryReadOnly("DELETE FROM FILIAL RETURNING CDFILIAL"), EWriteRefused);
  EXPECT_THROW(Db().QueryReadOnly("UPDATE FILIAL SET NMFILIAL = 'x' RETURNING CDFILIAL"), EWriteRefused);
  if (kBackend == Backend::Postgres) {
    EXPECT_THROW(Db().QueryReadOnly("WITH gone AS (DELETE FROM FILIAL RETURNING CDFILIAL) SELECT * FROM gone"),
                 EWriteRefused);
  }
  EXPECT_EQ(Db().Query("SELECT COUNT(*) FROM FILIAL").Rows.at(0).at(0).AsInteger(), 3);

  // A plain error stays a plain error, and the connection writes again afterwards.
  try {
    Db().QueryReadOnly("SELECT NOSUCHCOLUMN FROM FILIAL");
    ADD_FAILURE() << "accepted";
  } catch (const EWriteRefused&) {
    ADD_FAILURE() << "a read error is not a write";
  } catch (const EDatabaseError&) {
  }
  EXPECT_EQ(Db().Execute("UPDATE FILIAL SET NMFILIAL = 'Matriz SP' WHERE CDFILIAL = '0001'"), 1);
  EXPECT_EQ(Column(Db().Query("SELECT NMFILIAL FROM FILIAL WHERE CDFILIAL = '0001'"), 0), (V{"Matriz SP"}));
}

}  // namespace zor::plat
