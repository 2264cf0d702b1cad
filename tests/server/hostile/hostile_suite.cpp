// Hostile and malformed requests against the real server, on each database
// engine (one binary per engine, chosen by ZOR_TEST_BACKEND_PG): every
// request must get a JSON-RPC answer (an error, or a refused save), the
// server must keep serving, and the flight, leg and class tables must be
// exactly as before. Then the attacks that take time: slow and stalled
// clients and idle keep-alive desks must not delay anybody else.
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <sstream>
#include <thread>

#include "server/dataset_catalog.h"
#include "tests/server/hostile/raw_http.h"
#include "tests/server/server_harness.h"

namespace zor::server::testing {

namespace {

const std::string kPath = std::string("/rpc/") + FlightModule::kName;

enum class Expect {
  Error,    // a JSON-RPC error object
  Refused,  // an error, or a result with "ok": false
  Answer,   // any JSON-RPC response (the request was harmless)
};

struct Case {
  std::string what;
  std::string request;  // the whole HTTP request
  Expect expect = Expect::Error;
};

std::string Call(const std::string& method, const json& params, const json& id = 1) {
  return json({{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", params}}).dump();
}

std::string Nested(int depth, const std::string& inner = "1") {
  return std::string(static_cast<size_t>(depth), '[') + inner + std::string(static_cast<size_t>(depth), ']');
}

using Clock = std::chrono::steady_clock;
double MsSince(Clock::time_point t) { return std::chrono::duration<double, std::milli>(Clock::now() - t).count(); }

}  // namespace

class HostileTest : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    std::string why;
    db_ = TestDatabase::Create(GetParam(), why);
    if (!db_) GTEST_SKIP() << why;
    server_ = std::make_unique<TestServer>(db_->Url(), true, 30, &log_);
    client_ = std::make_unique<RpcClient>(server_->Port());
  }
  void TearDown() override {
    client_.reset();
    server_.reset();
    db_.reset();
  }

  std::string Host() const {
    return "Host: 127.0.0.1:" + std::to_string(server_->Port()) + "\r\nAuthorization: Bearer " + server_->Token() + "\r\n";
  }
  // A request as the desks send it, with a body of the caller's making.
  std::string Post(const std::string& body) {
    return RawPost(kPath, body, Host() + "Content-Type: application/json\r\n");
  }
  json FlightRow(const std::string& nr) {
    json rows = client_->Data("GetVoo", {"0001", "0002"})["rows"];
    for (const auto& r : rows)
      if (Field(VooDataset(), r, "NRVOO") == nr) return r;
    return nullptr;
  }
  std::vector<Case> Cases();

  std::ostringstream log_;
  std::unique_ptr<TestDatabase> db_;
  std::unique_ptr<TestServer> server_;
  std::unique_ptr<RpcClient> client_;
};

std::vector<Case> HostileTest::Cases() {
  json f = FlightRow("3100");
  json goodDelta = Delta(VooDataset(), {ModifyChange(f, WithValues(VooDataset(), f, {{"IDSITVOO", "2"}}))});
  auto spoiledBody = [&](const std::function<void(json&)>& spoil) {
    json d = goodDelta;
    spoil(d);
    return Call("SetVoo", json::array({d}));
  };
  auto spoiled = [&](const std::function<void(json&)>& spoil) { return Post(spoiledBody(spoil)); };
  auto newValue = [&](const std::string& name, const json& v) {
    return spoiled([&](json& d) { d["changes"][0]["new"][VooDataset().IndexOf(name)] = v; });
  };
  auto oldValue = [&](const std::string& name, const json& v) {
    return spoiled([&](json& d) { d["changes"][0]["old"][VooDataset().IndexOf(name)] = v; });
  };
  // A delta whose new value of a field is the raw JSON text given.
  auto rawValue = [&](const std::string& name, const std::string& raw) {
    std::string body = spoiledBody([&](json& d) { d["changes"][0]["new"][VooDataset().IndexOf(name)] = "@@RAW@@"; });
    return Post(body.replace(body.find("\"@@RAW@@\""), 9, raw));
  };
  const std::string json = Host() + "Content-Type: application/json\r\n";
  const std::string good = Call("GetTurno", {"01", ""});
  std::vector<Case> c = {
      // Nesting, numbers, duplicates.
      {"20000 brackets in params", Post(R"({"jsonrpc":"2.0","id":1,"method":"GetVoo","params":)" + Nested(20000) + "}")},
      {"20000 brackets in id", Post(R"({"jsonrpc":"2.0","method":"GetVoo","params":[],"id":)" + Nested(20000) + "}")},
      {"20000 brackets in a delta value", rawValue("SGPREFIXO", Nested(20000))},
      {"20000 objects nested", Post(R"({"jsonrpc":"2.0","id":1,"method":"GetVoo","params":[],"x":)" +
                                    [] { std::string s; for (int i = 0; i < 20000; ++i) s += "{\"a\":"; s += "1"; for (int i = 0; i < 20000; ++i) s += "}"; return s; }() + "}")},
      {"depth 33 in params", Post(R"({"jsonrpc":"2.0","id":1,"method":"GetVoo","params":)" + Nested(33) + "}")},
      {"1e400 in an ignored member", Post(R"({"jsonrpc":"2.0","id":1,"method":"GetTipoVoo","params":[],"x":1e400})")},
      {"-1e400 in params", Post(R"({"jsonrpc":"2.0","id":1,"method":"GetVoo","params":[-1e400,"0001"]})")},
      {"400-digit id", Post(R"({"jsonrpc":"2.0","method":"GetTipoVoo","params":[],"id":)" + std::string(400, '9') + "}")},
      {"1e400 in a delta value", rawValue("VRPEROCUPACAO", "1e400")},
      {"two method keys", Post(R"({"jsonrpc":"2.0","id":1,"method":"GetTipoVoo","method":"SetDelTdsTrechos","params":["0001","0002","3100"]})")},
      {"two params keys", Post(R"({"jsonrpc":"2.0","id":1,"method":"SetDelTdsTrechos","params":["0001","0002","3100"],"params":[]})")},
      {"duplicate key inside a delta change", Post(R"({"jsonrpc":"2.0","id":1,"method":"SetVoo","params":[{"fields":[],"changes":[{"kind":"insert","kind":"delete","new":[]}]}]})")},
      // NUL characters.
      {"NUL in a code argument", Post(Call("GetVoo", {std::string("0001\0", 5), "0002"}))},
      {"NUL after the key of delete-all", Post(Call("SetDelTdsTrechos", {"0001", "0002", std::string("3100\0", 5)}))},
      {"NUL inside a delta text", newValue("SGPREFIXO", std::string("AB\0CD", 5))},
      {"NUL in the method name", Post(Call(std::string("GetVoo\0x", 8), {"0001", "0002"}))},
      {"NUL in an object key", Post("{\"jsonrpc\":\"2.0\",\"id\":1,\"method\":\"GetTipoVoo\",\"params\":[],\"a\\u0000\":1}")},
      // Unicode edge cases.
      {"lone surrogate", Post(R"({"jsonrpc":"2.0","id":1,"method":"GetVoo","params":["\ud800","0002"]})")},
      {"invalid UTF-8 byte", Post("{\"jsonrpc\":\"2.0\",\"id\":1,\"method\":\"GetVoo\",\"params\":[\"\xff\",\"0002\"]}")},
      {"overlong UTF-8 slash", Post("{\"jsonrpc\":\"2.0\",\"id\":1,\"method\":\"GetVoo\",\"params\":[\"\xc0\xaf\",\"0002\"]}")},
      {"emoji as the flight number", newValue("NRVOO", "✈✈✈✈✈✈"), Expect::Refused},
      {"right-to-left override in a prefix", newValue("SGPREFIXO", "\u202ePR-A"), Expect::Refused},
      {"1 MiB text in a delta field", newValue("SGPREFIXO", std::string(1 << 20, 'A')), Expect::Refused},
      // Wrong types and shapes.
      {"params a number", Post(Call("GetVoo", 5))},
      {"params true", Post(Call("GetVoo", true))},
      {"id an array", Post(R"({"jsonrpc":"2.0","id":[1],"method":"GetTipoVoo","params":[]})")},
      {"id a boolean", Post(R"({"jsonrpc":"2.0","id":true,"method":"GetTipoVoo","params":[]})")},
      {"jsonrpc a number", Post(R"({"jsonrpc":2.0,"id":1,"method":"GetTipoVoo","params":[]})")},
      {"method an array", Post(R"({"jsonrpc":"2.0","id":1,"method":["GetTipoVoo"],"params":[]})")},
      {"a code as an object", Post(Call("GetVoo", {json::object(), "0002"}))},
      {"a code as a list", Post(Call("GetTrecho", {"0002", {"3100"}, "0001"}))},
      {"a delta as a list", Post(Call("SetVoo", {json::array()}))},
      {"a delta as null", Post(Call("SetVoo", {nullptr}))},
      {"changes an object", spoiled([](nlohmann::ordered_json& d) { d["changes"] = json::object(); })},
      {"a row of numbers", spoiled([](nlohmann::ordered_json& d) { for (auto& v : d["changes"][0]["new"]) v = 1; })},
      {"a float as text in a key", newValue("NRVOO", 3100.5)},
      {"a boolean in a text field", newValue("SGPREFIXO", true)},
      {"a huge integer in a float field", newValue("VRPEROCUPACAO", 18446744073709551615ull), Expect::Refused},
      {"a method name of 1 MiB", Post(Call(std::string(1 << 20, 'M'), json::array()))},
      {"a newline in the method name", Post(Call("GetVoo\nINFO SetVoo 0.10 ms ok", {"0001", "0002"}))},
      {"empty object", Post("{}")},
      {"whitespace only", Post("   \r\n ")},
      {"truncated body", Post(good.substr(0, good.size() / 2))},
      {"trailing garbage", Post(good + "}")},
      {"two requests in one body", Post(good + good)},
      // Injection attempts through every text argument.
      {"injection in CDFILIAL", Post(Call("GetVoo", {"0001' OR '1'='1", "0002"})), Expect::Answer},
      {"injection in CDCIA", Post(Call("GetVoo", {"0001", "0002'; DROP TABLE VOO; --"})), Expect::Answer},
      {"injection in NRVOO of GetTrecho", Post(Call("GetTrecho", {"0002", "3100' OR 1=1 --", "0001"})), Expect::Answer},
      {"injection in CDTRECHO of GetClasseVoo", Post(Call("GetClasseVoo", {"0001", "0002", "0001' OR 'a'='a", "3100"})), Expect::Answer},
      {"injection in GetTurno", Post(Call("GetTurno", {"01' UNION SELECT NRVOO, NRVOO FROM VOO --", ""})), Expect::Answer},
      {"injection in delete-all NRVOO", Post(Call("SetDelTdsTrechos", {"0001", "0002", "3100' OR '1'='1"})), Expect::Answer},
      {"injection in delete-all CDCIA", Post(Call("SetDelTdsTrechos", {"0001", "' OR 1=1 --", "3100"})), Expect::Answer},
      {"injection in a field name", spoiled([](nlohmann::ordered_json& d) { d["fields"][0]["name"] = "NRVOO = NRVOO; DROP TABLE VOO; --"; })},
      {"injection in a field type", spoiled([](nlohmann::ordered_json& d) { d["fields"][0]["type"] = "string'); DROP TABLE VOO; --"; })},
      {"injection in the change kind", spoiled([](nlohmann::ordered_json& d) { d["changes"][0]["kind"] = "delete' --"; })},
      {"injection in a new key value", newValue("NRVOO", "1' OR '1'='1"), Expect::Refused},
      {"injection in a new branch", newValue("CDFILIAL", "'--"), Expect::Refused},
      {"injection in an old value", oldValue("SGPREFIXO", "' OR '1'='1"), Expect::Refused},
      {"forged original values", oldValue("QTDIASPROD", 77), Expect::Refused},
      {"forged original key", oldValue("NRVOO", "3101"), Expect::Refused},
      {"delete with forged originals", spoiled([](nlohmann::ordered_json& d) {
         d["changes"][0]["kind"] = "delete";
         d["changes"][0].erase("new");
         d["changes"][0]["old"][VooDataset().IndexOf("IDSITVOO")] = "9";
       }), Expect::Refused},
      // HTTP: methods, paths, content types, origins, hosts, sizes.
      {"PUT", RawPost(kPath, good, json, "PUT")},
      {"DELETE", RawPost(kPath, good, json, "DELETE")},
      {"GET", "GET " + kPath + " HTTP/1.1\r\n" + Host() + "Connection: close\r\n\r\n"},
      {"trailing slash", RawPost(kPath + "/", good, json)},
      {"root path", RawPost("/", good, json)},
      {"path outside /rpc", RawPost("/admin/" + std::string(FlightModule::kName), good, json)},
      {"another module", RawPost("/rpc/Zor99999.rdmOutro", good, json)},
      {"text/plain with a browser origin", RawPost(kPath, good, Host() + "Content-Type: text/plain\r\nOrigin: http://evil.example\r\n")},
      {"JSON with a browser origin", RawPost(kPath, good, json + "Origin: http://evil.example\r\n")},
      {"JSON with a null origin", RawPost(kPath, good, json + "Origin: null\r\n")},
      {"foreign Host (DNS rebinding)", RawPost(kPath, good, "Host: evil.example:" + std::to_string(server_->Port()) + "\r\nContent-Type: application/json\r\n")},
      {"Host with another port", RawPost(kPath, good, "Host: 127.0.0.1:1\r\nContent-Type: application/json\r\n")},
      {"no Content-Type", RawPost(kPath, good, Host())},
      {"text/plain", RawPost(kPath, good, Host() + "Content-Type: text/plain\r\n")},
      {"multipart", RawPost(kPath, "--x\r\nContent-Disposition: form-data; name=\"a\"\r\n\r\n1\r\n--x--\r\n", Host() + "Content-Type: multipart/form-data; boundary=x\r\n")},
      {"form-encoded over 8 KB", RawPost(kPath, "a=" + std::string(9000, 'b'), Host() + "Content-Type: application/x-www-form-urlencoded\r\n")},
      {"application/jsonp", RawPost(kPath, good, Host() + "Content-Type: application/jsonx\r\n")},
      {"body over the limit (announced)", "POST " + kPath + " HTTP/1.1\r\n" + json + "Content-Length: 999999999\r\n\r\n{"},
      {"body over the limit (chunked)", [&] {
         std::string r = "POST " + kPath + " HTTP/1.1\r\n" + json + "Transfer-Encoding: chunked\r\nConnection: close\r\n\r\n";
         std::string chunk(1 << 20, ' ');
         for (int i = 0; i < 20; ++i) r += "100000\r\n" + chunk + "\r\n";
         return r + "0\r\n\r\n";
       }()},
  };
  return c;
}

TEST_P(HostileTest, EveryHostileRequestIsAnsweredAndChangesNothing) {
  ASSERT_FALSE(client_->Data("GetTrecho", {"0002", "3100", "0001"})["rows"].empty()) << "the demo's flight 3100 has legs";
  std::string before = Snapshot(server_->Pool());
  auto all = Cases();
  EXPECT_GE(all.size(), 60u);
  for (const auto& c : all) {
    RawReply r = RawExchange(server_->Port(), c.request);
    ASSERT_NE(r.status, 0) << c.what << ": no answer";
    nlohmann::ordered_json body;
    try {
      body = nlohmann::ordered_json::parse(r.body);
    } catch (const std::exception&) {
      ADD_FAILURE() << c.what << ": HTTP " << r.status << " answer is not JSON: " << r.body.substr(0, 200);
      continue;
    }
    EXPECT_TRUE(body.is_object() && body["jsonrpc"] == "2.0") << c.what << ": " << r.body.substr(0, 300);
    bool isError = body.contains("error");
    bool isRefusal = body.contains("result") && body["result"].is_object() && body["result"]["ok"] == false;
    if (c.expect == Expect::Error) {
      EXPECT_TRUE(isError) << c.what << ": " << r.body.substr(0, 300);
    } else if (c.expect == Expect::Refused) {
      EXPECT_TRUE(isError || isRefusal) << c.what << ": " << r.body.substr(0, 300);
    }
    if (isError) {
      std::string message = body["error"]["message"];
      EXPECT_FALSE(message.empty()) << c.what;
      EXPECT_LT(message.size(), 400u) << c.what << ": the message echoes too much";
    }
    EXPECT_EQ(r.headers.find("EXCEPTION"), std::string::npos) << c.what;
    // Still serving, nothing changed.
    ASSERT_EQ(client_->Call("GetTurno", {"01", ""})["result"]["ok"], true) << "after " << c.what;
  }
  EXPECT_EQ(Snapshot(server_->Pool()), before);
  // What callers send never starts a line of its own in the log.
  std::string log = log_.str();
  EXPECT_EQ(log.find("\nINFO SetVoo 0.10 ms ok"), std::string::npos);
  EXPECT_EQ(log.find(std::string(1000, 'M')), std::string::npos);
}

// Sixteen idle keep-alive desks, then fifty clients that send one header
// byte at a time or stop halfway: a desk's calls still answer at once.
TEST_P(HostileTest, SlowAndIdleClientsDoNotDelayOthers) {
  std::vector<std::unique_ptr<RpcClient>> idle;
  for (int i = 0; i < 40; ++i) {
    idle.push_back(std::make_unique<RpcClient>(server_->Port()));
    idle.back()->Data("GetTurno", {"01", ""});
  }
  std::vector<int> slow;
  const std::string partial = "POST " + kPath + " HTTP/1.1\r\n" + Host();
  for (int i = 0; i < 50; ++i) {
    int fd = ConnectLoopback(server_->Port());
    ASSERT_GE(fd, 0);
    ::send(fd, partial.data(), i % 2 ? partial.size() : 5, MSG_NOSIGNAL);
    slow.push_back(fd);
  }
  double worst = 0;
  for (int round = 0; round < 20; ++round) {
    for (int fd : slow) ::send(fd, "X", 1, MSG_NOSIGNAL);  // one more byte each, never a full header
    auto start = Clock::now();
    RpcClient fresh(server_->Port());
    ASSERT_EQ(fresh.Call("GetTurno", {"01", ""})["result"]["ok"], true);
    ASSERT_EQ(idle[static_cast<size_t>(round)]->Call("GetTipoVoo", json::array())["result"]["ok"], true);
    worst = std::max(worst, MsSince(start));
  }
  for (int fd : slow) ::close(fd);
  EXPECT_LT(worst, 500.0);
  RecordProperty("worst_call_pair_ms", std::to_string(worst));
}

}  // namespace zor::server::testing

namespace zor::server::testing {
#ifdef ZOR_TEST_BACKEND_PG
INSTANTIATE_TEST_SUITE_P(Postgres, HostileTest, ::testing::Values(std::string("pg")));
#else
INSTANTIATE_TEST_SUITE_P(Sqlite, HostileTest, ::testing::Values(std::string("sqlite")));
#endif
}  // namespace zor::server::testing
