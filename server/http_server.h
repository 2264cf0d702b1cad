// The HTTP side of the server: POST /rpc/<remote data module> with
// cpp-httplib, TCP_NODELAY on (without it every keep-alive call waits for
// the peer's delayed acknowledgement, about 44 ms instead of a fraction of
// a millisecond), and one log line per call on the log stream.
#pragma once

#include <atomic>
#include <iosfwd>
#include <memory>
#include <mutex>
#include <string>

#include "server/flight_module.h"

namespace httplib {
class Server;
}

namespace zor::server {

struct HttpOptions {
  std::string host = "127.0.0.1";
  int port = 8211;      // 0: any free port (see bind())
  int threads = 16;     // concurrent connections served
  std::ostream* log = nullptr;  // one line per call; null: silent
};

class RpcHttpServer {
 public:
  static constexpr int kDefaultPort = 8211;

  RpcHttpServer(FlightModule& module, HttpOptions options);
  ~RpcHttpServer();

  // Binds the listening socket; returns the port. Throws std::runtime_error
  // with a Portuguese message when the address cannot be used.
  int bind();
  // Serves until stop(); call after bind().
  void run();
  // Safe from any thread; run() returns once running calls finish.
  void stop();

 private:
  void log(const std::string& line);

  std::atomic<bool> stopRequested_{false};
  std::atomic<bool> runStarted_{false};
  std::atomic<bool> runExited_{false};

  FlightModule& module_;
  HttpOptions options_;
  std::unique_ptr<httplib::Server> server_;
  std::mutex logMutex_;
};

}  // namespace zor::server
