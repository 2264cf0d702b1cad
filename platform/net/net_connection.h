// TNetConnection: the connection to the application server. Calls go out as
// JSON-RPC 2.0 requests over HTTP POST to /rpc/<ServerName> on Host:Port,
// through one keep-alive HTTP client per connection.
//
// Every call returns a result variant in the layout of server_result.h:
// [true, data] or [false, message]. Transport failures (a refused or timed
// out connection, a server that went away, an HTTP error status, a JSON-RPC
// error object, an answer that is not JSON-RPC) come back as failure results
// with a Portuguese message: a call never throws for them and never hangs
// longer than the read timeout.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/core/component.h"
#include "platform/core/events.h"
#include "platform/core/variant.h"
#include "platform/net/json_rpc.h"

namespace zor::plat {

class TNetConnection;

// The connection's dispatch interface: a method call by name with
// positional arguments.
class TAppServer {
 public:
  explicit TAppServer(TNetConnection& connection) : connection_(connection) {}

  Variant Call(const std::string& method, std::vector<Variant> args = {});

  // Call("GetVoo", branch, company): each argument is converted to a Variant.
  template <typename... Rest>
  Variant Call(const std::string& method, const Variant& first, Rest&&... rest) {
    return Call(method, std::vector<Variant>{first, Variant(std::forward<Rest>(rest))...});
  }

  // Several calls in one request, run by the server one after the other in
  // this order: one result per call, in the same order. A call that fails
  // does not stop the ones after it.
  std::vector<Variant> CallBatch(const std::vector<json_rpc::Call>& calls);

 private:
  TNetConnection& connection_;
};

class TNetConnection : public TComponent {
 public:
  explicit TNetConnection(TComponent* owner = nullptr);
  ~TNetConnection() override;

  // Registered name of the remote data module; the request path is /rpc/<ServerName>.
  const std::string& ServerName() const { return server_name_; }
  void SetServerName(std::string name) { server_name_ = std::move(name); }
  const std::string& Host() const { return host_; }
  void SetHost(std::string host) { host_ = std::move(host); }
  int Port() const { return port_; }
  void SetPort(int port) { port_ = port; }

  // True: a failed connect raises Exception with the failure message.
  // False: a failed connect leaves Connected false without raising, and
  // every later call returns a failure result (each call tries the server
  // again, so a server that comes up later is reached).
  bool ThrowException() const { return throw_exception_; }
  void SetThrowException(bool on) { throw_exception_ = on; }

  // Timeouts of the HTTP client; they take effect at the next connect.
  std::chrono::milliseconds ConnectTimeout() const { return connect_timeout_; }
  void SetConnectTimeout(std::chrono::milliseconds t) { connect_timeout_ = t; }
  std::chrono::milliseconds ReadTimeout() const { return read_timeout_; }
  void SetReadTimeout(std::chrono::milliseconds t) { read_timeout_ = t; }

  // Whether the server was reached: true after a connect or call that got
  // an answer, false after one that did not (the connection stays open and
  // the next call tries again) and after Close. One thread at a time: the
  // screens call it from the user-interface thread only.
  bool Connected() const { return connected_; }
  // Setting true runs BeforeConnect (which sets Host and Port), opens the
  // HTTP client and checks that the server answers, then runs AfterConnect.
  // Setting true while connected does nothing; after a failed connect it
  // tries again. Setting false closes the client and runs AfterDisconnect.
  void SetConnected(bool on);
  void Open() { SetConnected(true); }
  void Close() { SetConnected(false); }

  // The message of the last failed connect or call; empty after a success.
  const std::string& LastError() const { return last_error_; }

  TAppServer& AppServer() { return app_server_; }

  TNotifyEvent BeforeConnect;
  TNotifyEvent AfterConnect;
  TNotifyEvent AfterDisconnect;

 private:
  friend class TAppServer;
  struct Client;

  Variant Dispatch(const std::string& method, const std::vector<Variant>& args);
  std::vector<Variant> DispatchBatch(const std::vector<json_rpc::Call>& calls);
  // The server's answer to a request body, or why there is none.
  struct Answer {
    int status = 0;
    std::string text;
    std::string failure;  // set when no answer came
  };
  Answer Send(std::string body);
  std::string Address() const;
  void Fail(const std::string& message);

  std::string server_name_;
  std::string host_ = "127.0.0.1";
  int port_ = 0;
  bool throw_exception_ = false;
  std::chrono::milliseconds connect_timeout_{3000};
  std::chrono::milliseconds read_timeout_{60000};
  bool connected_ = false;
  std::string last_error_;
  int64_t next_id_ = 1;
  std::unique_ptr<Client> client_;  // present from a connect request until Close
  TAppServer app_server_{*this};
};

}  // namespace zor::plat
