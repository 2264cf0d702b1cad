// The operators' paths: GET /health says whether the database answers
// (200, or 503 with the fault), GET /metrics counts calls per method and
// outcome with their latency, database errors and open connections.
#include <gtest/gtest.h>
#include <httplib.h>

#include <regex>
#include <sstream>
#include <thread>

#include "tests/server/server_harness.h"

namespace zor::server::testing {

namespace {

// The value of one sample line of the exposition, or -1 when absent.
double Sample(const std::string& text, const std::string& name) {
  auto at = text.find("\n" + name + " ");
  if (at == std::string::npos) return -1;
  return std::stod(text.substr(at + name.size() + 2));
}

}  // namespace

TEST(ServerOperations, HealthAndMetricsOfAWorkingServer) {
  std::string why;
  auto db = TestDatabase::Create("sqlite", why);
  TestServer server(db->Url(), true, 5);
  RpcClient desk(server.Port());
  desk.Data("GetTurno", {"01", ""});
  desk.Data("GetTurno", {"", ""});
  desk.Call("NoSuchMethod", json::array());

  httplib::Client ops("127.0.0.1", server.Port());
  auto health = ops.Get("/health");
  ASSERT_TRUE(health);
  EXPECT_EQ(health->status, 200);
  EXPECT_EQ(json::parse(health->body)["status"], "ok");

  auto metrics = ops.Get("/metrics");
  ASSERT_TRUE(metrics);
  EXPECT_EQ(metrics->status, 200);
  EXPECT_EQ(metrics->get_header_value("Content-Type").rfind("text/plain", 0), 0u);
  const std::string& m = metrics->body;
  EXPECT_EQ(Sample(m, R"(zor_calls_total{method="GetTurno",outcome="ok"})"), 2) << m;
  EXPECT_EQ(Sample(m, R"(zor_calls_total{method="NoSuchMethod",outcome="failed"})"), 1) << m;
  EXPECT_EQ(Sample(m, R"(zor_call_duration_seconds_count{method="GetTurno"})"), 2) << m;
  EXPECT_EQ(Sample(m, R"(zor_call_duration_seconds_bucket{method="GetTurno",le="+Inf"})"), 2) << m;
  EXPECT_EQ(Sample(m, "zor_database_errors_total"), 0) << m;
  // The desk's keep-alive connection and this one.
  EXPECT_GE(Sample(m, "zor_open_connections"), 2) << m;
  // Buckets never decrease.
  std::regex bucket(R"(zor_call_duration_seconds_bucket\{method="GetTurno",le="[^"]+"\} (\d+))");
  long last = 0;
  for (auto it = std::sregex_iterator(m.begin(), m.end(), bucket); it != std::sregex_iterator(); ++it) {
    long n = std::stol((*it)[1]);
    EXPECT_GE(n, last);
    last = n;
  }
}

// A method name is whatever a client sent: it may not break the exposition.
TEST(ServerOperations, ACallersMethodNameCannotForgeMetricLines) {
  std::string why;
  auto db = TestDatabase::Create("sqlite", why);
  TestServer server(db->Url(), false);
  RpcClient desk(server.Port());
  desk.Call("x\"} 99\nzor_database_errors_total 7", json::array());
  auto metrics = httplib::Client("127.0.0.1", server.Port()).Get("/metrics");
  ASSERT_TRUE(metrics);
  EXPECT_EQ(Sample(metrics->body, "zor_database_errors_total"), 0) << metrics->body;
  // Every line is a comment or a well-formed sample: no forged line.
  std::regex line(R"(#.*|zor_[a-z_]+(\{[a-z]+="[A-Za-z0-9_.+]+"(,[a-z]+="[A-Za-z0-9_.+]+")*\})? [-0-9.e+]+)");
  std::istringstream lines(metrics->body);
  for (std::string l; std::getline(lines, l);) EXPECT_TRUE(std::regex_match(l, line)) << l;

  // Endless invented names end in one shared series.
  for (int i = 0; i < 100; ++i) desk.Call("Invented" + std::to_string(i), json::array());
  metrics = httplib::Client("127.0.0.1", server.Port()).Get("/metrics");
  ASSERT_TRUE(metrics);
  EXPECT_EQ(metrics->body.find("Invented99"), std::string::npos);
  EXPECT_GT(Sample(metrics->body, R"(zor_calls_total{method="other",outcome="failed"})"), 60) << metrics->body;
}

TEST(ServerOperations, HealthIs503WhenTheDatabaseCannotBeReached) {
  ConnectionPool pool("postgresql://127.0.0.1:1/nada?connect_timeout=2");
  FlightModule module(pool);
  SessionModule sessions(pool, SessionOptions{});
  RpcHttpServer http(module, sessions, HttpOptions{"127.0.0.1", 0, 2, nullptr});
  int port = http.Bind();
  std::thread serving([&] { http.Run(); });
  httplib::Client ops("127.0.0.1", port);
  auto health = ops.Get("/health");
  auto metrics = ops.Get("/metrics");
  http.Stop();
  serving.join();
  ASSERT_TRUE(health);
  EXPECT_EQ(health->status, 503);
  json body = json::parse(health->body);
  EXPECT_EQ(body["database"], "inacessível");
  EXPECT_FALSE(body["message"].get<std::string>().empty());
  ASSERT_TRUE(metrics);
  EXPECT_EQ(Sample(metrics->body, "zor_database_errors_total"), 1) << metrics->body;
}

}  // namespace zor::server::testing
