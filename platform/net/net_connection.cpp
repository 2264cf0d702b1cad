// The application-server connection over cpp-httplib.
#include "platform/net/net_connection.h"

#include <httplib.h>

#include "platform/core/exceptions.h"
#include "platform/core/platform_texts.h"
#include "platform/net/http_client_factory.h"
#include "platform/net/json_rpc.h"
#include "platform/net/server_result.h"
#include "platform/net/server_session.h"

namespace zor::plat {

// One keep-alive HTTP client, kept out of the header so that users of the
// connection do not compile httplib.
struct TNetConnection::Client {
  Client(const std::string& host, int port) : owned(MakeHttpClient(host, port)), http(*owned) {}
  std::unique_ptr<httplib::Client> owned;
  httplib::Client& http;
};

namespace {

using Clock = std::chrono::steady_clock;

std::string Seconds(std::chrono::milliseconds t) {
  auto ms = t.count();
  if (ms % 1000 == 0) return PlatformText(ms == 1000 ? "net.one_second" : "net.seconds", {std::to_string(ms / 1000)});
  return PlatformText("net.milliseconds", {std::to_string(ms)});
}

}  // namespace

Variant TAppServer::Call(const std::string& method, std::vector<Variant> args) {
  return connection_.Dispatch(method, args);
}

std::vector<Variant> TAppServer::CallBatch(const std::vector<json_rpc::Call>& calls) {
  return connection_.DispatchBatch(calls);
}

TNetConnection::TNetConnection(TComponent* owner) : TComponent(owner) {}

TNetConnection::~TNetConnection() = default;

std::string TNetConnection::Address() const { return host_ + ":" + std::to_string(port_); }

void TNetConnection::Fail(const std::string& message) {
  last_error_ = message;
  if (throw_exception_) throw Exception(message);
}

void TNetConnection::SetConnected(bool on) {
  if (!on) {
    if (!client_) return;
    client_.reset();
    connected_ = false;
    Fire(AfterDisconnect, this);
    return;
  }
  if (connected_) return;
  // A connect that failed earlier is tried again from the start.
  Fire(BeforeConnect, this);
  auto client = std::make_unique<Client>(host_, port_);
  auto& http = client->http;
  http.set_keep_alive(true);
  // Without it a keep-alive request waits for the delayed ACK of its body:
  // ~40 ms per call on loopback instead of a fraction of a millisecond.
  http.set_tcp_nodelay(true);
  http.set_connection_timeout(connect_timeout_);
  http.set_read_timeout(read_timeout_);
  http.set_write_timeout(read_timeout_);
  client_ = std::move(client);
  last_error_.clear();

  // Any HTTP answer, whatever its status, shows the server is there. A
  // server that accepts but does not answer gets the connect timeout, not
  // the long read timeout meant for slow methods. The health path is the
  // one the server answers to GET without logging a refusal.
  http.set_read_timeout(connect_timeout_);
  auto res = http.Get("/health");
  http.set_read_timeout(read_timeout_);
  if (!res) {
    connected_ = false;
    Fail(PlatformText("net.connect_failed", {Address(), ""}));
    return;
  }
  connected_ = true;
  Fire(AfterConnect, this);
}

Variant TNetConnection::Dispatch(const std::string& method, const std::vector<Variant>& args) {
  const int64_t id = next_id_;
  std::string body;
  try {
    body = json_rpc::EncodeRequest(id, method, args);
  } catch (const Exception& e) {
    return MakeFailedResult(e.Message());
  }
  ++next_id_;
  Answer answer = Send(std::move(body));
  if (!answer.failure.empty()) return MakeFailedResult(answer.failure);
  return json_rpc::DecodeResponse(id, answer.status, answer.text);
}

std::vector<Variant> TNetConnection::DispatchBatch(const std::vector<json_rpc::Call>& calls) {
  const int64_t firstId = next_id_;
  std::string body;
  try {
    body = json_rpc::EncodeBatch(firstId, calls);
  } catch (const Exception& e) {
    return std::vector<Variant>(calls.size(), MakeFailedResult(e.Message()));
  }
  next_id_ += static_cast<int64_t>(calls.size());
  Answer answer = Send(std::move(body));
  if (!answer.failure.empty()) return std::vector<Variant>(calls.size(), MakeFailedResult(answer.failure));
  return json_rpc::DecodeBatchResponse(firstId, calls.size(), answer.status, answer.text);
}

TNetConnection::Answer TNetConnection::Send(std::string body) {
  if (!client_) return {0, {}, PlatformText("net.not_open")};
  if (server_name_.empty()) return {0, {}, PlatformText("net.no_server_name")};

  // A kept socket that the server closed while we were idle is noticed by
  // httplib, which then opens a new one.
  auto& http = client_->http;
  auto started = Clock::now();
  // The session the host opened at start; the server refuses calls without one.
  httplib::Request req;
  req.method = "POST";
  req.path = "/rpc/" + server_name_;
  req.headers.emplace("Content-Type", "application/json");
  std::string token = SessionToken();
  if (!token.empty()) req.headers.emplace("Authorization", "Bearer " + token);
  req.body = std::move(body);
  // The answer goes into one block of the length its header gives (no
  // regrowth and copying of a large answer as it arrives).
  Answer answer;
  req.content_receiver = [&answer](const char* data, size_t n, uint64_t, uint64_t total) {
    if (answer.text.empty() && total > 0) answer.text.reserve(total);
    answer.text.append(data, n);
    return true;
  };
  auto res = http.send(req);
  if (!res) {
    std::string message;
    switch (res.error()) {
      case httplib::Error::Connection:
      case httplib::Error::ConnectionTimeout:
        message = PlatformText("net.connect_failed", {Address(), ""});
        break;
      case httplib::Error::Read:
      case httplib::Error::Write:
        // httplib reports a timeout and a closed connection alike; the
        // time spent tells them apart.
        if (Clock::now() - started >= read_timeout_)
          message = PlatformText("net.no_answer", {Address(), Seconds(read_timeout_)});
        else
          message = PlatformText("net.interrupted", {Address()});
        break;
      default:
        message = PlatformText("net.communication_failed", {Address(), httplib::to_string(res.error())});
    }
    // Start the next call on a fresh socket: the old one may carry the late
    // answer to this request.
    http.stop();
    connected_ = false;
    last_error_ = message;
    return {0, {}, message};
  }
  connected_ = true;
  last_error_.clear();
  answer.status = res->status;
  return answer;
}

}  // namespace zor::plat
