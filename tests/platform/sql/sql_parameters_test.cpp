// Finding and rewriting named parameters: what must be a parameter and what
// must be left alone.
#include "platform/sql/sql_parameters.h"

#include <gtest/gtest.h>


namespace zor::plat {

namespace {
std::vector<std::string> Names(std::string_view sql) {
  std::vector<std::string> out;
  for (auto& use : FindSqlParameters(sql)) out.push_back(use.Name);
  return out;
}
using V = std::vector<std::string>;
}  // namespace

TEST(SqlParameters, FindsNamesInOrderOfOccurrence) {
  EXPECT_EQ(Names("WHERE (CDFILIAL = :CDFILIAL) AND (CDCIA=:CDCIA) AND NRVOO=:NRVOO"),
            (V{"CDFILIAL", "CDCIA", "NRVOO"}));
  EXPECT_EQ(Names("FROM FILIAL, PARAM(:P_CDFILIAL) P1"), (V{"P_CDFILIAL"}));
  EXPECT_EQ(Names("(PF.CDCIA   = :P_CDCIA  ) AND"), (V{"P_CDCIA"}));
  EXPECT_EQ(Names("X=:A1\n,:b_2"), (V{"A1", "b_2"}));
}

TEST(SqlParameters, LeavesLiteralsCommentsAndCastsAlone) {
  EXPECT_EQ(Names("SELECT ':NOT' , 'it''s :NOT', :YES"), (V{"YES"}));
  EXPECT_EQ(Names("SELECT \"a:NOT\" FROM T WHERE A = :YES"), (V{"YES"}));
  EXPECT_EQ(Names("SELECT 1 -- :NOT\n, :YES /* :NOT /* nested :NOT */ :NOT */ FROM T"), (V{"YES"}));
  EXPECT_EQ(Names("SELECT :YES::text, CAST(X AS INT)::varchar, '1'::date"), (V{"YES"}));
  EXPECT_EQ(Names("SELECT E'\\' :NOT', :YES"), (V{"YES"}));
  EXPECT_EQ(Names("SELECT $$ :NOT $$, $tag$ :NOT $ :NOT $tag$, :YES"), (V{"YES"}));
  EXPECT_EQ(Names("SELECT A||:YES||'x:NOT'"), (V{"YES"}));
  EXPECT_EQ(Names("SELECT ARR[1:2], ARR[lo:hi], TIME '10:30'"), V{});
  EXPECT_EQ(Names("SELECT ':' , : , :1"), V{});
}

TEST(SqlParameters, UnterminatedLiteralFindsNothingAfterIt) {
  EXPECT_EQ(Names("SELECT :A, 'open :NOT"), (V{"A"}));
  EXPECT_EQ(Names("SELECT :A /* open :NOT"), (V{"A"}));
}

TEST(SqlParameters, RepeatedNameIsOnePosition) {
  auto p = ToPositionalSql(
      "WHERE (PF.CDEQUIP = :P_CDEQUIP) AND (EQ.CDEQUIP = :p_cdequip) AND (X = :P_CDCIA)");
  EXPECT_EQ(p.Text, "WHERE (PF.CDEQUIP = $1) AND (EQ.CDEQUIP = $1) AND (X = $2)");
  EXPECT_EQ(p.Names, (V{"P_CDEQUIP", "P_CDCIA"}));
  EXPECT_EQ(SqlParameterNames("SELECT :B, :A, :b"), (V{"B", "A"}));
}

TEST(SqlParameters, RewriteKeepsEverythingElseByteForByte) {
  auto p = ToPositionalSql("SELECT 'a:B', X::int, :C||'é' -- :D\nFROM T");
  EXPECT_EQ(p.Text, "SELECT 'a:B', X::int, $1||'é' -- :D\nFROM T");
  EXPECT_EQ(p.Names, (V{"C"}));
  EXPECT_EQ(ToPositionalSql("SELECT 1").Text, "SELECT 1");
}

}  // namespace zor::plat
