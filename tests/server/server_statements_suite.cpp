// The statements a connection keeps prepared, on each engine (one test
// binary per engine, chosen by ZOR_TEST_BACKEND_PG): far more distinct
// statements than are kept still each run as written, a failed transaction
// leaves the kept ones usable, and a table changed under a kept statement
// is read in its new shape.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <stdexcept>
#include <thread>

#include "server/db_connection.h"
#include "tests/server/server_harness.h"

namespace zor::server::testing {

namespace {

// PostgreSQL hands every value back as text, SQLite integers as integers.
std::string AsText(const SqlValue& v) {
  if (auto* i = std::get_if<std::int64_t>(&v)) return std::to_string(*i);
  if (auto* s = std::get_if<std::string>(&v)) return *s;
  return "(null)";
}

}  // namespace

class StatementTest : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    std::string why;
    db_ = TestDatabase::Create(GetParam(), why);
    if (!db_) GTEST_SKIP() << why;
    c_ = OpenConnection(db_->Url());
    c_->ExecScript("CREATE TABLE PAR (K INTEGER PRIMARY KEY, V VARCHAR(10))");
    for (std::int64_t k = 0; k < 10; ++k)
      c_->Execute("INSERT INTO PAR (K, V) VALUES (?, ?)", {k, "v" + std::to_string(k)});
  }
  // V of the row K, read with the statement every loop below repeats.
  std::string ValueOf(std::int64_t k) {
    auto r = c_->Query("SELECT V FROM PAR WHERE K = ?", {k});
    return r.rows.size() == 1 ? AsText(r.rows[0][0]) : "(none)";
  }
  std::unique_ptr<TestDatabase> db_;
  std::unique_ptr<Connection> c_;
};

TEST_P(StatementTest, ManyMoreStatementsThanAreKeptEachRunAsWritten) {
  // Statements told apart only by their text, as lists of keys are; the one
  // run throughout must survive all the others coming and going.
  for (int i = 0; i < 400; ++i) {
    const std::string sql = "SELECT V, " + std::to_string(i) + " FROM PAR WHERE K = ? OR K = ? ORDER BY K";
    std::int64_t a = i % 10, b = (i * 7) % 10;
    auto r = c_->Query(sql, {a, b});
    ASSERT_EQ(r.rows.size(), a == b ? 1u : 2u) << sql;
    EXPECT_EQ(AsText(r.rows[0][0]), "v" + std::to_string(std::min(a, b))) << sql;
    EXPECT_EQ(AsText(r.rows[0][1]), std::to_string(i)) << sql;
    ASSERT_EQ(ValueOf(i % 10), "v" + std::to_string(i % 10)) << i;
  }
  // The first statements, long let go, are prepared again when they return.
  EXPECT_EQ(AsText(c_->Query("SELECT V, 3 FROM PAR WHERE K = ? OR K = ? ORDER BY K", {std::int64_t{4}, std::int64_t{4}})
                       .rows.at(0)
                       .at(1)),
            "3");
}

TEST_P(StatementTest, AFailedTransactionLeavesTheKeptStatementsUsable) {
  const std::string insert = "INSERT INTO PAR (K, V) VALUES (?, ?)";
  {
    WriteTransaction tx(*c_);
    c_->Execute(insert, {std::int64_t{20}, std::string("novo")});
    EXPECT_THROW(c_->Execute(insert, {std::int64_t{1}, std::string("repetido")}), DbError);
    // PostgreSQL refuses everything after a failure until the rollback, also
    // a statement it has not seen yet.
    if (c_->Dialect() == SqlDialect::Postgresql) {
      EXPECT_THROW(c_->Query("SELECT COUNT(*) FROM PAR WHERE V = ?", {std::string("novo")}), DbError);
    }
  }  // rolled back
  EXPECT_EQ(ValueOf(20), "(none)");
  // Both statements, the one prepared inside the failed transaction and the
  // one refused there, run normally afterwards.
  c_->Execute(insert, {std::int64_t{21}, std::string("depois")});
  EXPECT_EQ(ValueOf(21), "depois");
  EXPECT_EQ(AsText(c_->Query("SELECT COUNT(*) FROM PAR WHERE V = ?", {std::string("depois")}).rows.at(0).at(0)), "1");
}

// PostgreSQL gets a transaction's BEGIN together with its first statement;
// whatever that statement does, the transaction behaves as one begun alone.
TEST_P(StatementTest, ATransactionsFirstStatementStartsItWhateverItDoes) {
  const std::string insert = "INSERT INTO PAR (K, V) VALUES (?, ?)";
  {  // refused at once: its own fault is named, nothing stays
    WriteTransaction tx(*c_);
    try {
      c_->Execute(insert, {std::int64_t{1}, std::string("repetido")});
      ADD_FAILURE() << "a repeated key was stored";
    } catch (const DbError& e) {
      EXPECT_EQ(e.Kind(), DbError::FaultKind::UniqueViolation) << e.what();
      std::string message = e.what();  // names the table or its key, not another statement's fault
      std::transform(message.begin(), message.end(), message.begin(), ::tolower);
      EXPECT_NE(message.find("par"), std::string::npos) << e.what();
    }
  }
  EXPECT_EQ(ValueOf(1), "v1");
  {  // a read first: the rows it reads, then writes in the same transaction
    WriteTransaction tx(*c_);
    size_t rows = 0;
    c_->QueryEach("SELECT K FROM PAR WHERE K < ? ORDER BY K" + c_->LockRowsClause(), {std::int64_t{3}},
                  [&](const std::vector<SqlValueView>&) { ++rows; });
    EXPECT_EQ(rows, 3u);
    c_->Execute(insert, {std::int64_t{30}, std::string("lido")});
    tx.Commit();
  }
  EXPECT_EQ(ValueOf(30), "lido");
  {  // left without a commit: rolled back though it ran one statement only
    WriteTransaction tx(*c_);
    c_->Execute(insert, {std::int64_t{31}, std::string("desfeito")});
  }
  EXPECT_EQ(ValueOf(31), "(none)");
  {  // nothing run: commits, and the next transaction starts afresh
    WriteTransaction tx(*c_);
    tx.Commit();
  }
  {
    WriteTransaction tx(*c_);
    c_->Execute(insert, {std::int64_t{32}, std::string("depois")});
    tx.Commit();
  }
  EXPECT_EQ(ValueOf(32), "depois");
  // A script inside a transaction runs inside it too.
  {
    WriteTransaction tx(*c_);
    c_->ExecScript("DELETE FROM PAR WHERE K = 32");
  }
  EXPECT_EQ(ValueOf(32), "depois");
}

// A deferred write (an audit entry) runs before whatever the transaction
// runs next, and its failure fails the transaction whole, wherever the
// engine reports it.
TEST_P(StatementTest, ADeferredWriteKeepsItsPlaceAndItsFailureFailsTheTransaction) {
  const std::string insert = "INSERT INTO PAR (K, V) VALUES (?, ?)";
  {
    WriteTransaction tx(*c_);
    c_->Defer(insert, {std::int64_t{50}, std::string("adiado")});
    EXPECT_EQ(ValueOf(50), "adiado");  // read after it, in the same transaction
    c_->Defer(insert, {std::int64_t{51}, std::string("no fim")});
    tx.Commit();
  }
  EXPECT_EQ(ValueOf(51), "no fim");
  bool refused = false;
  {
    WriteTransaction tx(*c_);
    try {
      c_->Execute(insert, {std::int64_t{52}, std::string("antes")});
      c_->Defer(insert, {std::int64_t{1}, std::string("repetido")});
      c_->Defer(insert, {std::int64_t{53}, std::string("depois")});
      tx.Commit();
    } catch (const DbError& e) {
      refused = true;
      EXPECT_EQ(e.Kind(), DbError::FaultKind::UniqueViolation) << e.what();
      EXPECT_FALSE(e.MayHaveCommitted());
    }
  }
  EXPECT_TRUE(refused);
  EXPECT_EQ(ValueOf(52), "(none)");
  EXPECT_EQ(ValueOf(53), "(none)");
  // Outside a transaction it runs at once.
  c_->Defer(insert, {std::int64_t{54}, std::string("avulso")});
  EXPECT_EQ(ValueOf(54), "avulso");
}

// A read ahead sees what the transaction wrote before it, not what it
// writes after; its rows are there whether a later statement took it along
// or nothing did; and its own failure fails the transaction.
TEST_P(StatementTest, AReadAheadKeepsItsPlaceAndBringsItsRows) {
  const std::string insert = "INSERT INTO PAR (K, V) VALUES (?, ?)";
  const std::string read = "SELECT V FROM PAR WHERE K = ?";
  {
    WriteTransaction tx(*c_);
    c_->Defer(insert, {std::int64_t{60}, std::string("antes")});
    auto before = c_->ReadAhead(read, {std::int64_t{60}});
    c_->Defer(insert, {std::int64_t{61}, std::string("depois")});
    auto after = c_->ReadAhead(read, {std::int64_t{61}});
    auto alone = c_->ReadAhead(read, {std::int64_t{60}});
    EXPECT_EQ(ValueOf(61), "depois");  // a statement that takes them along
    ASSERT_EQ(before->Rows().rows.size(), 1u);
    EXPECT_EQ(AsText(before->Rows().rows[0][0]), "antes");
    EXPECT_EQ(after->Rows().rows.size(), 1u);
    EXPECT_EQ(alone->Rows().rows.size(), 1u);
    auto last = c_->ReadAhead(read, {std::int64_t{61}});
    EXPECT_EQ(last->Rows().rows.size(), 1u);  // nothing took it along: sent when read
    tx.Commit();
  }
  // A read the database refuses fails the transaction, the write sent
  // with it undone (SQLite reads the same statement without complaint).
  if (c_->Dialect() == SqlDialect::Postgresql) {
    bool refused = false;
    {
      WriteTransaction tx(*c_);
      try {
        auto broken = c_->ReadAhead("SELECT V FROM PAR WHERE K = CAST(? AS INTEGER)", {std::string("x")});
        c_->Execute(insert, {std::int64_t{62}, std::string("nunca")});
        (void)broken->Rows();
        tx.Commit();
      } catch (const DbError&) {
        refused = true;
      }
    }
    EXPECT_TRUE(refused);
    EXPECT_EQ(ValueOf(62), "(none)");
  }
  // Outside a transaction it runs at once.
  EXPECT_EQ(c_->ReadAhead(read, {std::int64_t{60}})->Rows().rows.size(), 1u);
}

// A link lost before a transaction's first statement is a lost link (the
// call may then run again elsewhere), and the connection says it is spent.
TEST_P(StatementTest, ALinkLostBeforeATransactionsFirstStatementIsReportedAsSuch) {
  if (c_->Dialect() != SqlDialect::Postgresql) GTEST_SKIP() << "an SQLite file has no link to lose";
  const std::string pid = AsText(c_->Query("SELECT pg_backend_pid()").rows.at(0).at(0));
  auto admin = OpenConnection(db_->Url());
  admin->Query("SELECT pg_terminate_backend(" + pid + ")");
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  WriteTransaction tx(*c_);
  try {
    c_->Execute("INSERT INTO PAR (K, V) VALUES (?, ?)", {std::int64_t{40}, std::string("perdido")});
    ADD_FAILURE() << "a statement ran on a closed link";
  } catch (const DbError& e) {
    EXPECT_EQ(e.Kind(), DbError::FaultKind::Connection) << e.what();
    EXPECT_FALSE(e.MayHaveCommitted());
  }
  EXPECT_FALSE(c_->Healthy());
}

TEST_P(StatementTest, ATableChangedUnderAKeptStatementIsReadInItsNewShape) {
  const std::string all = "SELECT * FROM PAR WHERE K = ?";
  EXPECT_EQ(c_->Query(all, {std::int64_t{2}}).rows.at(0).size(), 2u);
  c_->ExecScript("ALTER TABLE PAR ADD COLUMN W INTEGER");
  c_->Execute("UPDATE PAR SET W = ? WHERE K = ?", {std::int64_t{7}, std::int64_t{2}});
  auto r = c_->Query(all, {std::int64_t{2}});
  ASSERT_EQ(r.rows.at(0).size(), 3u);
  EXPECT_EQ(AsText(r.rows.at(0).at(2)), "7");
}

// A list whose length depends on its values (a company's flights) is
// planned for them each time: it reads the right rows whatever their
// share of the table, a failure in it leaves the connection usable, and
// PostgreSQL keeps no statement for it that would be planned once for
// any values.
TEST_P(StatementTest, AListPlannedForItsValuesIsNotKept) {
  const std::string list = "SELECT K, V FROM PAR WHERE K >= ? ORDER BY K";
  auto count = [&](std::int64_t from) {
    size_t n = 0;
    c_->QueryEachPlannedForValues(list, {from}, [&](const std::vector<SqlValueView>&) { ++n; });
    return n;
  };
  for (int run = 0; run < 8; ++run) {  // past the runs after which a kept statement gets a general plan
    EXPECT_EQ(count(0), 10u);
    EXPECT_EQ(count(9), 1u);
  }
  EXPECT_THROW(c_->QueryEachPlannedForValues("SELECT NADA FROM PAR WHERE K >= ?", {std::int64_t{0}},
                                             [](const std::vector<SqlValueView>&) {}),
               DbError);
  EXPECT_EQ(count(5), 5u);
  if (c_->Dialect() == SqlDialect::Postgresql) {
    EXPECT_EQ(AsText(c_->Query("SELECT COUNT(*) FROM pg_prepared_statements WHERE statement LIKE ?",
                               {std::string("%FROM PAR WHERE K >= %")})
                         .rows.at(0)
                         .at(0)),
              "0");
  }
}

// A long list comes whole and in order whatever its length (PostgreSQL
// reads it in blocks of 512 rows: none, part of one, exactly one or two,
// more); a failure after some rows, in the database or in the reader, reaches
// the caller and leaves the connection usable and outside any transaction.
TEST_P(StatementTest, ALongListComesWholeAndInOrder) {
  {
    WriteTransaction tx(*c_);
    for (std::int64_t k = 10; k < 1300; ++k) c_->Defer("INSERT INTO PAR (K, V) VALUES (?, ?)", {k, std::string("l")});
    tx.Commit();
  }
  const std::string list = "SELECT K FROM PAR WHERE K < ? ORDER BY K";
  for (std::int64_t n : {0, 1, 511, 512, 513, 1024, 1300}) {
    std::vector<std::int64_t> keys;
    c_->QueryEachPlannedForValues(list, {n}, [&](const std::vector<SqlValueView>& row) {
      const auto* text = std::get_if<std::string_view>(&row[0]);
      keys.push_back(text ? std::stoll(std::string(*text)) : std::get<std::int64_t>(row[0]));
    });
    ASSERT_EQ(keys.size(), static_cast<size_t>(n));
    for (size_t i = 0; i < keys.size(); ++i) ASSERT_EQ(keys[i], static_cast<std::int64_t>(i)) << n;
  }
  size_t seen = 0;
  EXPECT_THROW(c_->QueryEachPlannedForValues(list, {std::int64_t{1300}},
                                             [&](const std::vector<SqlValueView>&) {
                                               if (++seen == 600) throw std::runtime_error("the reader gave up");
                                             }),
               std::runtime_error);
  if (c_->Dialect() == SqlDialect::Postgresql) {
    // Division by zero at the row 700, in the second block.
    seen = 0;
    EXPECT_THROW(c_->QueryEachPlannedForValues("SELECT 1 / (K - 700) FROM PAR WHERE K < ? ORDER BY K",
                                               {std::int64_t{1300}}, [&](const std::vector<SqlValueView>&) { ++seen; }),
                 DbError);
    EXPECT_LE(seen, 700u);
  }
  EXPECT_TRUE(c_->Healthy());
  WriteTransaction tx(*c_);
  c_->Execute("UPDATE PAR SET V = ? WHERE K = ?", {std::string("depois"), std::int64_t{3}});
  tx.Commit();
  EXPECT_EQ(ValueOf(3), "depois");
}

#ifdef ZOR_TEST_BACKEND_PG
INSTANTIATE_TEST_SUITE_P(Postgres, StatementTest, ::testing::Values(std::string("pg")));
#else
INSTANTIATE_TEST_SUITE_P(Sqlite, StatementTest, ::testing::Values(std::string("sqlite")));
#endif

}  // namespace zor::server::testing
