// Database faults seen through the real server, on each engine: a
// read-only or full database says which, and a pooled connection broken
// while idle (the database restarted) costs no call.
#include <chrono>
#include <thread>

#include "server/db_connection.h"
#include "tests/server/server_harness.h"

namespace zor::server::testing {

class DbFaultTest : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    std::string why;
    db_ = TestDatabase::Create(GetParam(), why);
    if (!db_) GTEST_SKIP() << why;
  }
  void Start(const std::string& url) {
    server_ = std::make_unique<TestServer>(url, true);
    client_ = std::make_unique<RpcClient>(server_->Port());
  }
  void TearDown() override {
    client_.reset();
    server_.reset();
    db_.reset();
  }
  // Runs a statement on the connection the next call will take (the pool
  // hands out the most recently returned one).
  void OnNextConnection(const std::string& sql) {
    auto lease = server_->Pool().Acquire();
    lease->ExecScript(sql);
  }
  std::string SaveMessage(const json& d) {
    json r = client_->Call("SetVoo", json::array({d}));
    EXPECT_EQ(r["result"]["ok"], false) << r.dump();
    return r["result"].value("message", std::string());
  }
  bool Pg() const { return GetParam() == "pg"; }

  std::unique_ptr<TestDatabase> db_;
  std::unique_ptr<TestServer> server_;
  std::unique_ptr<RpcClient> client_;
};

TEST_P(DbFaultTest, ReadOnlyAndFullDatabasesSayWhich) {
  Start(db_->Url());
  std::string before = Snapshot(server_->Pool());
  OnNextConnection(Pg() ? "SET default_transaction_read_only = on" : "PRAGMA query_only = 1");
  std::string m = SaveMessage(Delta(VooDataset(), {InsertChange(NewFlight("8801"))}));
  EXPECT_NE(m.find("somente para leitura"), std::string::npos) << m;
  EXPECT_EQ(Snapshot(server_->Pool()), before);
  if (Pg()) return;  // a full disk cannot be made on a shared cluster

  server_.reset();  // a new server: no connection left read-only
  Start(db_->Url());
  {
    auto lease = server_->Pool().Acquire();
    auto pages = lease->Query("PRAGMA page_count").rows.at(0).at(0);
    lease->ExecScript("PRAGMA max_page_count = " + std::to_string(std::get<std::int64_t>(pages)));
  }
  std::vector<json> many;
  for (int i = 0; i < 400; ++i) many.push_back(InsertChange(NewFlight(std::to_string(80000 + i))));
  m = SaveMessage(Delta(VooDataset(), many));
  EXPECT_NE(m.find("disco do banco de dados está cheio"), std::string::npos) << m;
}

TEST_P(DbFaultTest, ABrokenPooledConnectionIsReplacedWithoutFailingTheCall) {
  if (!Pg()) GTEST_SKIP() << "an SQLite file has no link to lose";
  std::string app = "zt_app_" + std::to_string(::getpid());
  Start(db_->Url() + "&application_name=" + app);
  // Several pooled connections, as after a busy moment.
  std::vector<std::unique_ptr<RpcClient>> desks;
  std::vector<std::thread> calls;
  for (int i = 0; i < 4; ++i) desks.push_back(std::make_unique<RpcClient>(server_->Port()));
  for (auto& d : desks) calls.emplace_back([&d] { d->Data("GetTipoVoo", json::array()); });
  for (auto& t : calls) t.join();
  // The database drops every connection of the server, as a restart does.
  auto admin = OpenConnection(std::getenv("ZOR_TEST_PG_URL"));
  auto killed = admin->Query("SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE application_name = ?",
                             {app});
  ASSERT_FALSE(killed.rows.empty());
  std::this_thread::sleep_for(std::chrono::milliseconds(300));

  EXPECT_FALSE(client_->Data("GetVoo", {"0001", "0002"}).is_null());
  json r = client_->Call("SetVoo", json::array({Delta(VooDataset(), {InsertChange(NewFlight("8802"))})}));
  EXPECT_EQ(r["result"]["ok"], true) << r.dump();
  for (auto& d : desks) EXPECT_FALSE(d->Data("GetTipoVoo", json::array()).is_null());
}

// A query whose rows are handed over one at a time, stopped by a fault of
// whoever reads them, leaves the connection (and its cached statement)
// ready for the next query; the rows read are the rows kept by query().
TEST_P(DbFaultTest, AReaderThatFailsMidwayLeavesTheConnectionUsable) {
  Start(db_->Url());
  auto c = OpenConnection(db_->Url());
  const std::string sql = "SELECT CDFILIAL, NMFILIAL FROM FILIAL ORDER BY CDFILIAL";
  size_t seen = 0;
  EXPECT_THROW(c->QueryEach(sql, {},
                            [&](const std::vector<SqlValueView>&) {
                              if (++seen == 2) throw std::runtime_error("leitor falhou");
                            }),
               std::runtime_error);
  EXPECT_EQ(seen, 2u);
  QueryResult all = c->Query(sql);
  ASSERT_GE(all.rows.size(), 2u);
  std::vector<std::string> streamed;
  c->QueryEach(sql, {}, [&](const std::vector<SqlValueView>& row) {
    ASSERT_EQ(row.size(), 2u);
    streamed.push_back(std::string(std::get<std::string_view>(row[0])));
  });
  ASSERT_EQ(streamed.size(), all.rows.size());
  for (size_t i = 0; i < streamed.size(); ++i) EXPECT_EQ(streamed[i], std::get<std::string>(all.rows[i][0]));
}

#ifdef ZOR_TEST_BACKEND_PG
INSTANTIATE_TEST_SUITE_P(Postgres, DbFaultTest, ::testing::Values(std::string("pg")));
#else
INSTANTIATE_TEST_SUITE_P(Sqlite, DbFaultTest, ::testing::Values(std::string("sqlite")));
#endif

}  // namespace zor::server::testing
