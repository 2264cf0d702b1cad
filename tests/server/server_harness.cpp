// Test harness for the application server (see server_harness.h).
#include "tests/server/server_harness.h"

#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <iostream>
#include <mutex>
#include <random>

#include "server/db_connection.h"
#include "server/demo_data.h"
#include "server/packet.h"
#include "server/password_hash.h"
#include "server/schema.h"

namespace zor::server::testing {

namespace {
std::atomic<int> counter{0};

std::string UniqueName() {
  std::random_device rd;
  return std::to_string(getpid()) + "_" + std::to_string(counter++) + "_" + std::to_string(rd() % 100000);
}
}  // namespace

std::unique_ptr<TestDatabase> TestDatabase::Create(const std::string& backend, std::string& skipReason) {
  auto db = std::unique_ptr<TestDatabase>(new TestDatabase);
  if (backend == "sqlite") {
    db->file_ = ::testing::TempDir() + "zor_server_" + UniqueName() + ".db";
    db->url_ = "sqlite:" + db->file_;
    return db;
  }
  const char* pg = std::getenv("ZOR_TEST_PG_URL");
  if (!pg || !*pg) {
    skipReason = "ZOR_TEST_PG_URL is not set";
    return nullptr;
  }
  db->adminUrl_ = pg;
  db->schema_ = "zt_" + UniqueName();
  OpenConnection(db->adminUrl_)->ExecScript("CREATE SCHEMA " + db->schema_);
  db->url_ = db->adminUrl_ + (db->adminUrl_.find('?') == std::string::npos ? "?" : "&") +
             "options=-csearch_path%3D" + db->schema_;
  return db;
}

TestDatabase::~TestDatabase() {
  if (!file_.empty()) {
    for (const char* suffix : {"", "-wal", "-shm"}) std::remove((file_ + suffix).c_str());
  }
  if (!schema_.empty()) {
    try {
      OpenConnection(adminUrl_)->ExecScript("DROP SCHEMA " + schema_ + " CASCADE");
    } catch (const std::exception&) {
    }
  }
}

namespace {
std::mutex tokenMutex;
std::string lastToken;
}  // namespace

std::string RpcClient::DefaultToken() {
  std::lock_guard lock(tokenMutex);
  return lastToken;
}

void RpcClient::SetDefaultToken(const std::string& token) {
  std::lock_guard lock(tokenMutex);
  lastToken = token;
}

RpcClient::RpcClient(int port, std::string module, std::string token)
    : client_("127.0.0.1", port), path_("/rpc/" + module), token_(std::move(token)) {
  if (!token_.empty()) client_.set_bearer_token_auth(token_);
  client_.set_keep_alive(true);
  client_.set_tcp_nodelay(true);
  client_.set_read_timeout(30, 0);
}

std::pair<int, json> RpcClient::Post(const std::string& body) {
  auto res = client_.Post(path_.c_str(), body, "application/json");
  if (!res) {
    ADD_FAILURE() << "HTTP request failed: " << httplib::to_string(res.error());
    return {0, nullptr};
  }
  json parsed = res->body.empty() ? json(nullptr) : json::parse(res->body);
  return {res->status, parsed};
}

json RpcClient::Call(const std::string& method, const json& params) {
  json req = {{"jsonrpc", "2.0"}, {"id", nextId_++}, {"method", method}, {"params", params}};
  return Post(req.dump()).second;
}

json RpcClient::Data(const std::string& method, const json& params) {
  json r = Call(method, params);
  if (!r.contains("result") || r["result"]["ok"] != true) {
    ADD_FAILURE() << method << " failed: " << r.dump();
    return nullptr;
  }
  return r["result"]["data"];
}

std::string LoginToken(int port, const std::string& user, const std::string& password) {
  RpcClient session(port, SessionModule::kName, "");
  json r = session.Call("Login", {user, password});
  if (!r.contains("result") || r["result"]["ok"] != true) return "";
  return r["result"]["data"]["token"];
}

void AddTestUser(ConnectionPool& pool, const std::string& code, const std::vector<std::string>& branches, bool fixed,
                 const std::string& password) {
  auto c = pool.Acquire();
  WriteTransaction tx(*c);
  c->Execute("INSERT INTO ZORUSUARIO (CDUSUARIO, NMUSUARIO, DSSENHAHASH, IDFILIALFIXA, IDATIVO) VALUES (?, ?, ?, ?, 'S')",
             {code, "Usuário " + code, HashPassword(password, HashCost::Minimal), std::string(fixed ? "S" : "N")});
  for (const auto& b : branches)
    c->Execute("INSERT INTO ZORUSUARIOFILIAL (CDUSUARIO, CDFILIAL) VALUES (?, ?)", {code, b});
  tx.Commit();
}

TestServer::TestServer(const std::string& url, bool demo, int demoFlights, std::ostream* log,
                       SessionOptions sessionOptions, SecondsClock clock)
    : pool_(url),
      module_(pool_),
      sessions_(pool_, sessionOptions, std::move(clock)),
      // ZOR_TEST_SERVER_LOG=1 shows the server's per-call log while debugging.
      http_(module_, sessions_,
            HttpOptions{"127.0.0.1", 0, 24, log ? log : std::getenv("ZOR_TEST_SERVER_LOG") ? &std::cerr : nullptr}) {
  {
    auto c = pool_.Acquire();
    Migrate(*c);
    if (demo) LoadDemoData(*c, DemoOptions{demoFlights});
  }
  // Branch 9999 is registered nowhere: the tests of unknown branches reach
  // the checks behind the branch scoping.
  bool exists = !pool_.Acquire()->Query("SELECT 1 FROM ZORUSUARIO WHERE CDUSUARIO = ?", {std::string(kTestUser)})
                     .rows.empty();
  if (!exists) AddTestUser(pool_, kTestUser, {"0001", "0002", "0003", "0004", "0005", "9999"});
  token_ = sessions_.Sessions().Open(kTestUser, "127.0.0.1");
  RpcClient::SetDefaultToken(token_);
  port_ = http_.Bind();
  thread_ = std::thread([this] { http_.Run(); });
}

TestServer::~TestServer() {
  http_.Stop();
  thread_.join();
}

json Delta(const DatasetDef& d, const std::vector<json>& changes) {
  json c = json::array();
  for (const auto& x : changes) c.push_back(x);
  return {{"fields", FieldsJson(d)}, {"changes", c}};
}
json InsertChange(const json& row) { return {{"kind", "insert"}, {"new", row}}; }
json ModifyChange(const json& oldRow, const json& newRow) {
  return {{"kind", "modify"}, {"old", oldRow}, {"new", newRow}};
}
json DeleteChange(const json& oldRow) { return {{"kind", "delete"}, {"old", oldRow}}; }

json MakeRow(const DatasetDef& d, const json& values) {
  json row = json::array();
  for (size_t i = 0; i < d.fields.size(); ++i) row.push_back(nullptr);
  return WithValues(d, row, values);
}

json WithValues(const DatasetDef& d, json row, const json& values) {
  for (auto it = values.begin(); it != values.end(); ++it) {
    int idx = d.IndexOf(it.key());
    if (idx < 0) throw std::logic_error("no field " + it.key());
    row[idx] = it.value();
  }
  return row;
}

json Field(const DatasetDef& d, const json& row, const std::string& name) {
  int idx = d.IndexOf(name);
  if (idx < 0) throw std::logic_error("no field " + name);
  return row[idx];
}

json NewFlight(const std::string& nr) {
  return MakeRow(VooDataset(), {{"NRVOO", nr},          {"CDCIA", "0002"},        {"CDEQUIP", "0002"},
                                {"SGPREFIXO", "PR-BCA"}, {"IDNACIVOO", "1"},       {"IDSITVOO", "1"},
                                {"IDTIPVOO", "2"},       {"IDVOODOM", "1"},        {"IDVOOSEG", "1"},
                                {"IDCARREGO", "1"},      {"IDABASATEN", "3"},      {"IDBASETRAN", "1"},
                                {"QTHRKDTDES", "0045"},  {"QTHRKDTCAR", "0100"},   {"DTINIVIGVOO", "2026-02-01T00:00:00"},
                                {"DTFIMVIGVOO", "2026-02-28T00:00:00"},            {"IDINCDESDESV", "1"},
                                {"IDINCDESFIXO", "1"},   {"IDINCDESCOND", "1"},    {"CDFILIAL", "0001"},
                                {"CDEXPTIPOVOO", "3"},   {"VRPEROCUPACAO", 87.125}, {"QTDIASPROD", 0},
                                {"NRTURNOPROD", "01"}});
}

json NewLeg(const std::string& nr, const std::string& from, const std::string& to) {
  return MakeRow(TrechoDataset(), {{"CDFILIAL", "0001"},
                                   {"CDCIA", "0002"},
                                   {"NRVOO", nr},
                                   {"CDBASEORI", from},
                                   {"CDBASEDES", to},
                                   {"HRDECOLVOO", "0730"},
                                   {"IDTIPAJUSFAT", "1"},
                                   {"IDSITVOOTRE", "1"}});
}

json NewClass(const std::string& nr, const std::string& leg, const std::string& cls) {
  return MakeRow(ClasseVooDataset(), {{"CDCIA", "0002"},
                                      {"NRVOO", nr},
                                      {"CDCLASSE", cls},
                                      {"NRMULSERV", 0},
                                      {"CDFILIAL", "0001"},
                                      {"CDTRECHO", leg}});
}

std::string Snapshot(ConnectionPool& pool) {
  auto c = pool.Acquire();
  std::string out;
  for (const char* table : {"VOO", "VOOTRECHO", "CLASSEVOO"}) {
    const TableDef& t = SchemaTable(table);
    std::string cols, order;
    for (const auto& col : t.columns) cols += (cols.empty() ? "" : ", ") + col.name;
    for (const auto& k : t.primaryKey) order += (order.empty() ? "" : ", ") + k;
    auto r = c->Query("SELECT " + cols + " FROM " + t.name + " ORDER BY " + order);
    out += std::string(table) + ":" + std::to_string(r.rows.size()) + "\n";
    for (const auto& row : r.rows) {
      for (const auto& v : row) {
        if (auto* s = std::get_if<std::string>(&v)) out += *s;
        else if (auto* i = std::get_if<std::int64_t>(&v)) out += std::to_string(*i);
        else if (auto* d = std::get_if<double>(&v)) out += std::to_string(*d);
        else out += "∅";
        out += "|";
      }
      out += "\n";
    }
  }
  return out;
}

}  // namespace zor::server::testing
