// The HTTP side of the server: POST /rpc/<remote data module>, HTTP/1.1
// keep-alive, on libmicrohttpd. One event-driven thread (epoll) reads and
// writes every socket, so idle desks and slow or stalled clients hold no
// thread; complete requests run on a pool of workers. Request bodies are
// bounded one by one and all together, and one line per call goes to the
// log stream. GET /health and GET /metrics serve the operators: whether
// the database answers, and what the server has done (Prometheus text);
// they reveal no data and need no login. POST /rpc/Sessao opens and closes
// sessions; the data module answers only calls carrying a session's token.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <iosfwd>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "server/flight_module.h"
#include "server/metrics.h"
#include "server/session_module.h"

struct MHD_Daemon;
struct MHD_Connection;

namespace zor::server {

class WorkerPool;

struct HttpOptions {
  std::string host = "127.0.0.1";
  int port = 8211;      // 0: any free port (see bind())
  int threads = 16;     // workers running calls at the same time
  std::ostream* log = nullptr;  // one line per call; null: silent
  // The largest request body: a flight changed costs about 500 bytes in a
  // delta, so 4 MiB carries some 8,600 flights changed at once (the demo
  // company has 300). The most body bytes held at once by all requests
  // together: three maximal requests; beyond it a request is refused as
  // "busy". Decoding multiplies a body's size some thirtyfold in memory,
  // so bodies above bigBody are decoded one at a time.
  std::size_t maxBody = 4u * 1024 * 1024;
  std::size_t bodyBudget = 12u * 1024 * 1024;
  std::size_t bigBody = 512u * 1024;
  // A connection with no traffic for this long is closed; the desk's
  // client opens a new one on its next call.
  unsigned idleTimeoutSeconds = 120;
  // PEM texts of the certificate (chain) and its private key: both given,
  // the server speaks HTTPS only (libmicrohttpd's TLS, on GnuTLS).
  std::string tlsCertPem = {}, tlsKeyPem = {};
  bool Tls() const { return !tlsCertPem.empty(); }
};

class RpcHttpServer {
 public:
  static constexpr int kDefaultPort = 8211;

  // Calls to the data module need a session opened through `sessions`.
  RpcHttpServer(FlightModule& module, SessionModule& sessions, HttpOptions options);
  ~RpcHttpServer();

  // Binds the listening socket; returns the port. Throws std::runtime_error
  // with a Portuguese message when the address cannot be used (also when
  // another server already listens on the port).
  int Bind();
  // Serves until stop(); call after bind().
  void Run();
  // Safe from any thread; run() returns once running calls finish.
  void Stop();

  // Called by the transport's callbacks (public for them only).
  struct Exchange;
  int Handle(MHD_Connection* connection, const char* url, const char* method, const char* uploadData,
             std::size_t* uploadSize, void** state);
  void Completed(void** state);
  Metrics& ServerMetrics() { return metrics_; }
  void Log(const std::string& line);

 private:
  int Refuse(MHD_Connection* connection, Exchange& ex, int status, int code, const std::string& message);
  int Answer(MHD_Connection* connection, int status, std::string body, bool allowPost = false,
             const char* contentType = "application/json; charset=utf-8");
  bool ServeOperations(MHD_Connection* connection, Exchange& ex, const char* url, const char* method);
  bool Admit(MHD_Connection* connection, Exchange& ex, const char* url, const char* method);
  void Dispatch(MHD_Connection* connection, Exchange& ex);
  void Finish(MHD_Connection* connection, Exchange& ex);

  void RunCall(Exchange& ex);

  FlightModule& module_;
  SessionModule& sessions_;
  HttpOptions options_;
  int listenFd_ = -1;
  int boundPort_ = 0;
  std::vector<std::string> hostNames_;
  std::unique_ptr<WorkerPool> workers_;
  MHD_Daemon* daemon_ = nullptr;

  std::mutex bigCallMutex_;  // one big body decoded at a time
  std::mutex budgetMutex_;
  std::size_t bodyBytesHeld_ = 0;

  std::mutex stateMutex_;
  std::condition_variable stateChanged_;
  bool stopRequested_ = false;
  std::atomic<int> callsRunning_{0};
  std::mutex logMutex_;
  Metrics metrics_;
};

}  // namespace zor::server
