// Test harness for the application server: a fresh database per test
// (a temporary SQLite file, or a schema of its own on the PostgreSQL
// cluster named by ZOR_TEST_PG_URL), an in-process server on a free
// loopback port and a keep-alive client, plus builders for deltas.
#pragma once

#include <gtest/gtest.h>
#include <httplib.h>

#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>

#include "server/connection_pool.h"
#include "server/dataset_catalog.h"
#include "server/flight_module.h"
#include "server/http_server.h"
#include "server/session_module.h"

namespace zor::server::testing {

using json = nlohmann::ordered_json;

// A database that exists only for one test.
class TestDatabase {
 public:
  // "sqlite" or "pg"; null (with a reason) when PostgreSQL is not configured.
  static std::unique_ptr<TestDatabase> Create(const std::string& backend, std::string& skipReason);
  ~TestDatabase();
  const std::string& Url() const { return url_; }

 private:
  std::string url_, file_, adminUrl_, schema_;
};

// A client connection that keeps its socket open between calls. It sends
// `token` as its bearer token; by default the session of the user "teste"
// that the last TestServer opened (see TestServer::token()).
class RpcClient {
 public:
  explicit RpcClient(int port, std::string module = FlightModule::kName, std::string token = DefaultToken());
  // The token new clients carry by default.
  static std::string DefaultToken();
  static void SetDefaultToken(const std::string& token);
  // Posts a raw body; returns the HTTP status and the parsed body (null
  // when the body is empty).
  std::pair<int, json> Post(const std::string& body);
  // A call with the given params; returns the whole response object.
  json Call(const std::string& method, const json& params);
  // A call that must succeed with "ok": true; returns its data.
  json Data(const std::string& method, const json& params);
  const std::string& Token() const { return token_; }

 private:
  httplib::Client client_;
  std::string path_;
  std::string token_;
  int nextId_ = 1;
};

// Logs in through POST /rpc/Sessao; the token, or "" when refused.
std::string LoginToken(int port, const std::string& user, const std::string& password);

// The user every TestServer creates: all five demo branches and the
// unregistered branch 9999, password
// kTestPassword (hashed at the cheapest cost, for speed).
constexpr const char* kTestUser = "teste";
constexpr const char* kTestPassword = "senha-de-teste";
// Adds a user straight into the tables (also without the branches existing).
void AddTestUser(ConnectionPool& pool, const std::string& code, const std::vector<std::string>& branches,
                 bool fixed = false, const std::string& password = kTestPassword);

// The server on a free port of 127.0.0.1, serving until destroyed. It
// creates the user kTestUser, opens a session for it and makes its token
// the default of new RpcClients.
class TestServer {
 public:
  // log: where the server's per-call lines go (default: nowhere, or
  // stderr when ZOR_TEST_SERVER_LOG is set).
  TestServer(const std::string& url, bool demo, int demoFlights = 30, std::ostream* log = nullptr,
             SessionOptions sessionOptions = {}, SecondsClock clock = SystemSeconds);
  ~TestServer();
  int Port() const { return port_; }
  ConnectionPool& Pool() { return pool_; }
  SessionModule& Sessions() { return sessions_; }
  const std::string& Token() const { return token_; }

 private:
  ConnectionPool pool_;
  FlightModule module_;
  SessionModule sessions_;
  RpcHttpServer http_;
  std::string token_;
  int port_ = 0;
  std::thread thread_;
};

// Delta builders.
json Delta(const DatasetDef& d, const std::vector<json>& changes);
json InsertChange(const json& row);
json ModifyChange(const json& oldRow, const json& newRow);
json DeleteChange(const json& oldRow);
// A row of the dataset with every field null but those given by name.
json MakeRow(const DatasetDef& d, const json& values);
// The same row with some fields replaced.
json WithValues(const DatasetDef& d, json row, const json& values);
// One field of a packet row by name.
json Field(const DatasetDef& d, const json& row, const std::string& name);

// A complete new flight of company 0002 at branch 0001 (demo data).
json NewFlight(const std::string& nr);
json NewLeg(const std::string& nr, const std::string& from, const std::string& to);
json NewClass(const std::string& nr, const std::string& leg, const std::string& cls);

// Every row of the flight, leg and class tables, to prove nothing changed.
std::string Snapshot(ConnectionPool& pool);

}  // namespace zor::server::testing
