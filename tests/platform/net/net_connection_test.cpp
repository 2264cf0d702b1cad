// The connection against small servers started inside the test on loopback.
#include "platform/net/net_connection.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>

#include <gtest/gtest.h>
#include <httplib.h>
#include <nlohmann/json.hpp>

#include "platform/core/exceptions.h"
#include "platform/net/server_result.h"

namespace zor::plat {

using namespace std::chrono_literals;
using nlohmann::json;

namespace {

const char* const kModule = "Zor12200.rdmVooTrecho";

// Connects are queued as soon as the port is bound; waiting for the accept
// loop only keeps stop() from racing its start.
void WaitUntilRunning(httplib::Server& server) {
  while (!server.is_running()) std::this_thread::sleep_for(1ms);
}

// An HTTP server on a free loopback port, running until destroyed. The
// handler gets the parsed JSON-RPC request and writes the response.
class TestServer {
 public:
  using Handler = std::function<void(const json& request, httplib::Response& res)>;

  explicit TestServer(Handler handler) : handler_(std::move(handler)) {
    server_.set_tcp_nodelay(true);
    // Stopping waits for open keep-alive sockets to time out.
    server_.set_keep_alive_timeout(1);
    server_.Post("/rpc/.*", [this](const httplib::Request& req, httplib::Response& res) {
      ++calls_;
      last_path_ = req.path;
      handler_(json::parse(req.body), res);
    });
    server_.Options("/rpc/.*", [](const httplib::Request&, httplib::Response& res) { res.status = 204; });
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    WaitUntilRunning(server_);
  }
  ~TestServer() { Stop(); }

  void Stop() {
    server_.stop();
    if (thread_.joinable()) thread_.join();
  }

  int Port() const { return port_; }
  int Calls() const { return calls_; }
  std::string LastPath() const { return last_path_; }
  httplib::Server& Http() { return server_; }

  // Answers {"ok": true, "data": data} to the request's id.
  static void Reply(const json& request, httplib::Response& res, const json& result) {
    json answer = {{"jsonrpc", "2.0"}, {"id", request["id"]}, {"result", result}};
    res.set_content(answer.dump(), "application/json");
  }

 private:
  Handler handler_;
  httplib::Server server_;
  std::thread thread_;
  int port_ = 0;
  std::atomic<int> calls_{0};
  std::string last_path_;
};

// A port on which nothing listens (bound, then released).
int FreePort() {
  int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
  socklen_t len = sizeof addr;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
  ::close(fd);
  return ntohs(addr.sin_port);
}

struct Connection : TNetConnection {
  explicit Connection(int port) {
    SetServerName(kModule);
    SetHost("127.0.0.1");
    SetPort(port);
  }
};

std::string FailureText(const Variant& r) {
  EXPECT_TRUE(IsServerResult(r));
  EXPECT_FALSE(IsGoodResult(r));
  return IsServerResult(r) ? r[1].AsString() : std::string();
}

}  // namespace

TEST(NetConnection, CallsTheModuleWithPositionalArguments) {
  json seen;
  TestServer server([&](const json& req, httplib::Response& res) {
    seen = req;
    TestServer::Reply(req, res, {{"ok", true}, {"data", {{"rows", json::array({json::array({"0001"})})}}}});
  });
  Connection net(server.Port());
  net.SetConnected(true);
  ASSERT_TRUE(net.Connected());

  Variant r = net.AppServer().Call("SetTrecho", Variant(JsonText{R"({"changes":[]})"}), "0002", nullptr);
  ASSERT_TRUE(IsGoodResult(r));
  EXPECT_EQ(json::parse(r[1].AsJson().Text)["rows"][0][0], "0001");
  EXPECT_EQ(server.LastPath(), "/rpc/Zor12200.rdmVooTrecho");
  EXPECT_EQ(seen["method"], "SetTrecho");
  EXPECT_EQ(seen["params"], json::parse(R"([{"changes":[]}, "0002", null])"));

  Variant none = net.AppServer().Call("GetTipoVoo");
  EXPECT_TRUE(IsGoodResult(none));
  EXPECT_EQ(seen["params"], json::array());
}

TEST(NetConnection, BeforeConnectSetsTheAddressAtEveryConnect) {
  TestServer server([](const json& req, httplib::Response& res) { TestServer::Reply(req, res, {{"ok", true}}); });
  Connection net(1);
  int connects = 0;
  net.BeforeConnect = [&](TObject* sender) {
    EXPECT_EQ(sender, &net);
    ++connects;
    net.SetPort(server.Port());
    net.SetHost("127.0.0.1");
  };
  net.SetConnected(true);
  EXPECT_TRUE(net.Connected());
  net.SetConnected(true);  // already connected: nothing runs again
  net.SetConnected(false);
  EXPECT_FALSE(net.Connected());
  EXPECT_EQ(FailureText(net.AppServer().Call("GetTipoVoo")), "A conexão com o servidor de aplicação não está aberta.");
  net.SetConnected(true);
  EXPECT_EQ(connects, 2);
  EXPECT_TRUE(IsGoodResult(net.AppServer().Call("GetTipoVoo")));
}

TEST(NetConnection, ServerFailuresComeBackAsFailureResults) {
  TestServer server([](const json& req, httplib::Response& res) {
    std::string m = req["method"];
    if (m == "SetVoo") {
      TestServer::Reply(req, res, {{"ok", false}, {"message", "Registro alterado por outro usuário."}});
    } else if (m == "Bad") {
      res.status = 400;
      res.set_content(R"({"jsonrpc":"2.0","id":null,"error":{"code":-32602,"message":"Parâmetros inválidos."}})",
                      "application/json");
    } else {
      res.status = 500;
      res.set_content("boom", "text/plain");
    }
  });
  Connection net(server.Port());
  net.SetConnected(true);
  EXPECT_EQ(FailureText(net.AppServer().Call("SetVoo", Variant(JsonText{"{}"}))), "Registro alterado por outro usuário.");
  EXPECT_EQ(FailureText(net.AppServer().Call("Bad")), "Parâmetros inválidos.");
  EXPECT_EQ(FailureText(net.AppServer().Call("Crash")), "O servidor de aplicação respondeu com o erro HTTP 500.");
  // An argument that cannot be sent fails the call before it leaves.
  EXPECT_EQ(FailureText(net.AppServer().Call("SetVoo", Variant(JsonText{"{"}))),
            "Pacote de dados inválido para envio ao servidor.");
  EXPECT_EQ(server.Calls(), 3);
  EXPECT_TRUE(net.Connected());  // the server answered every time
}

TEST(NetConnection, RefusedPort) {
  int port = FreePort();
  std::string expected = "Não foi possível conectar ao servidor de aplicação em 127.0.0.1:" + std::to_string(port) + ".";
  {
    Connection net(port);
    net.SetConnected(true);  // ThrowException is off: no exception here
    EXPECT_FALSE(net.Connected());
    EXPECT_EQ(net.LastError(), expected);
    EXPECT_EQ(FailureText(net.AppServer().Call("GetTipoVoo")), expected);
    EXPECT_EQ(FailureText(net.AppServer().Call("GetVoo", "0001", "0002")), expected);
  }
  {
    Connection net(port);
    net.SetThrowException(true);
    try {
      net.SetConnected(true);
      FAIL() << "connect should raise";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), expected);
    }
    EXPECT_FALSE(net.Connected());
  }
}

TEST(NetConnection, ServerThatComesUpLaterIsReached) {
  int port = FreePort();
  Connection net(port);
  net.SetConnected(true);
  ASSERT_FALSE(net.Connected());
  httplib::Server late;
  late.Post("/rpc/.*", [](const httplib::Request& req, httplib::Response& res) {
    TestServer::Reply(json::parse(req.body), res, {{"ok", true}});
  });
  ASSERT_TRUE(late.bind_to_port("127.0.0.1", port));
  std::thread t([&] { late.listen_after_bind(); });
  WaitUntilRunning(late);
  EXPECT_TRUE(IsGoodResult(net.AppServer().Call("GetTipoVoo")));
  EXPECT_TRUE(net.Connected());
  net.SetConnected(false);
  late.stop();
  t.join();
}

TEST(NetConnection, SlowServerTimesOut) {
  TestServer server([](const json& req, httplib::Response& res) {
    std::this_thread::sleep_for(1500ms);
    TestServer::Reply(req, res, {{"ok", true}});
  });
  Connection net(server.Port());
  net.SetReadTimeout(300ms);
  net.SetConnected(true);
  auto started = std::chrono::steady_clock::now();
  std::string text = FailureText(net.AppServer().Call("GetVoo", "0001", "0002"));
  auto took = std::chrono::steady_clock::now() - started;
  EXPECT_EQ(text, "O servidor de aplicação em 127.0.0.1:" + std::to_string(server.Port()) +
                      " não respondeu em 300 milissegundos.");
  EXPECT_LT(took, 1200ms);
}

TEST(NetConnection, ServerThatWentAway) {
  auto server = std::make_unique<TestServer>(
      [](const json& req, httplib::Response& res) { TestServer::Reply(req, res, {{"ok", true}}); });
  int port = server->Port();
  Connection net(port);
  net.SetConnected(true);
  ASSERT_TRUE(IsGoodResult(net.AppServer().Call("GetTipoVoo")));
  server.reset();
  EXPECT_EQ(FailureText(net.AppServer().Call("GetTipoVoo")),
            "Não foi possível conectar ao servidor de aplicação em 127.0.0.1:" + std::to_string(port) + ".");
  EXPECT_FALSE(net.Connected());
}

// Several calls in one request: each result is its own call's, whatever the
// order of the answers, the calls after the batch keep their own numbers, and
// a server gone fails every call of the batch with the connection's message.
TEST(NetConnection, ABatchIsOneRequestWithAResultPerCall) {
  auto server = std::make_unique<TestServer>([](const json& req, httplib::Response& res) {
    if (!req.is_array()) return TestServer::Reply(req, res, {{"ok", true}, {"data", req["method"]}});
    json answers = json::array();
    for (auto call = req.rbegin(); call != req.rend(); ++call)
      answers.push_back({{"jsonrpc", "2.0"}, {"id", (*call)["id"]}, {"result", {{"ok", true}, {"data", (*call)["params"]}}}});
    res.set_content(answers.dump(), "application/json");
  });
  const int port = server->Port();
  Connection net(port);
  net.SetConnected(true);
  auto results = net.AppServer().CallBatch({{"SetTrecho", {Variant("a")}}, {"GetTrecho", {Variant("b"), Variant(2)}}});
  EXPECT_EQ(server->Calls(), 1);
  ASSERT_EQ(results.size(), 2u);
  ASSERT_TRUE(IsGoodResult(results[0]));
  EXPECT_EQ(json::parse(results[0][1].AsJson().Text), json::parse(R"(["a"])"));
  ASSERT_TRUE(IsGoodResult(results[1]));
  EXPECT_EQ(json::parse(results[1][1].AsJson().Text), json::parse(R"(["b",2])"));
  EXPECT_TRUE(IsGoodResult(net.AppServer().Call("GetTipoVoo")));

  server.reset();
  results = net.AppServer().CallBatch({{"SetTrecho", {}}, {"GetTrecho", {}}});
  ASSERT_EQ(results.size(), 2u);
  for (const Variant& r : results)
    EXPECT_EQ(FailureText(r), "Não foi possível conectar ao servidor de aplicação em 127.0.0.1:" + std::to_string(port) + ".");
}

// The server reads the request and closes the socket without answering.
TEST(NetConnection, ServerClosingTheConnectionMidCall) {
  int listener = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  ASSERT_EQ(::listen(listener, 4), 0);
  socklen_t len = sizeof addr;
  ::getsockname(listener, reinterpret_cast<sockaddr*>(&addr), &len);
  std::thread rude([listener] {
    for (int i = 0; i < 2; ++i) {  // the connect check, then the call
      int fd = ::accept(listener, nullptr, nullptr);
      if (fd < 0) return;
      char buf[4096];
      (void)::recv(fd, buf, sizeof buf, 0);
      if (i == 0) {
        const char* ok = "HTTP/1.1 200 OK\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
        (void)::send(fd, ok, strlen(ok), 0);
      }
      ::close(fd);
    }
  });
  Connection net(ntohs(addr.sin_port));
  net.SetConnected(true);
  ASSERT_TRUE(net.Connected());
  std::string text = FailureText(net.AppServer().Call("GetVoo", "0001", "0002"));
  EXPECT_EQ(text, "A conexão com o servidor de aplicação em 127.0.0.1:" + std::to_string(ntohs(addr.sin_port)) +
                      " foi interrompida.");
  rude.join();
  ::close(listener);
}

// The server drops an idle keep-alive socket; the next call must not fail.
TEST(NetConnection, IdleSocketClosedByTheServerIsReopened) {
  TestServer server([](const json& req, httplib::Response& res) { TestServer::Reply(req, res, {{"ok", true}}); });
  Connection net(server.Port());
  net.SetConnected(true);
  ASSERT_TRUE(IsGoodResult(net.AppServer().Call("GetTipoVoo")));
  std::this_thread::sleep_for(1600ms);
  EXPECT_TRUE(IsGoodResult(net.AppServer().Call("GetTipoVoo")));
}

// One keep-alive client with TCP_NODELAY: a call on loopback takes well
// under a millisecond; with Nagle on it waits ~40 ms for a delayed ACK.
TEST(NetConnection, KeepAliveCallsAreFast) {
  TestServer server([](const json& req, httplib::Response& res) {
    TestServer::Reply(req, res, {{"ok", true}, {"data", {{"rows", json::array()}}}});
  });
  Connection net(server.Port());
  net.SetConnected(true);
  ASSERT_TRUE(IsGoodResult(net.AppServer().Call("GetTipoVoo")));
  auto started = std::chrono::steady_clock::now();
  for (int i = 0; i < 50; ++i) ASSERT_TRUE(IsGoodResult(net.AppServer().Call("GetVoo", "0001", std::to_string(i))));
  EXPECT_LT(std::chrono::steady_clock::now() - started, 1s);
}

// A server that accepts but never answers must not hold the connect for
// the long read timeout.
TEST(NetConnection, ConnectToAMuteServerGivesUpAtTheConnectTimeout) {
  int listener = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  ASSERT_EQ(::listen(listener, 4), 0);  // the kernel accepts; nobody reads
  socklen_t len = sizeof addr;
  ::getsockname(listener, reinterpret_cast<sockaddr*>(&addr), &len);
  Connection net(ntohs(addr.sin_port));
  net.SetConnectTimeout(200ms);
  net.SetReadTimeout(30s);
  auto started = std::chrono::steady_clock::now();
  net.SetConnected(true);
  EXPECT_LT(std::chrono::steady_clock::now() - started, 2s);
  EXPECT_FALSE(net.Connected());
  EXPECT_FALSE(net.LastError().empty());
  ::close(listener);
}

}  // namespace zor::plat
