// HTTP transport (see http_server.h).
#include "server/http_server.h"

#include <httplib.h>

#include <chrono>
#include <cstdio>
#include <ostream>
#include <stdexcept>
#include <thread>

#include "server/rpc_dispatch.h"

namespace zor::server {

namespace {
constexpr size_t kMaxBody = 64 * 1024 * 1024;
}

RpcHttpServer::RpcHttpServer(FlightModule& module, HttpOptions options)
    : module_(module), options_(std::move(options)), server_(std::make_unique<httplib::Server>()) {
  auto& s = *server_;
  s.set_tcp_nodelay(true);
  s.set_keep_alive_max_count(1000000);
  s.set_payload_max_length(kMaxBody);
  int threads = options_.threads > 0 ? options_.threads : 16;
  s.new_task_queue = [threads] { return new httplib::ThreadPool(static_cast<size_t>(threads)); };

  s.Post(R"(/rpc/([^/]+))", [this](const httplib::Request& req, httplib::Response& res) {
    auto start = std::chrono::steady_clock::now();
    RpcReply reply = dispatchRpc(module_, req.matches[1], req.body);
    res.status = reply.httpStatus;
    if (!reply.body.empty()) res.set_content(reply.body, "application/json; charset=utf-8");
    double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.2f ms", ms);
    const char* level = reply.internal ? "ERROR" : reply.failed ? "WARN" : "INFO";
    log(std::string(level) + " " + reply.method + " " + buf + " " + reply.logNote);
  });
  s.Get(R"(/rpc/([^/]+))", [](const httplib::Request&, httplib::Response& res) {
    res.status = 405;
    res.set_header("Allow", "POST");
    res.set_content(
        R"({"jsonrpc":"2.0","id":null,"error":{"code":-32600,"message":"Use POST com uma requisição JSON-RPC 2.0."}})",
        "application/json; charset=utf-8");
  });
}

RpcHttpServer::~RpcHttpServer() = default;

int RpcHttpServer::bind() {
  if (options_.port == 0) {
    int port = server_->bind_to_any_port(options_.host);
    if (port <= 0) throw std::runtime_error("Não foi possível escutar em " + options_.host + ".");
    return port;
  }
  if (!server_->bind_to_port(options_.host, options_.port))
    throw std::runtime_error("Não foi possível escutar em " + options_.host + ":" + std::to_string(options_.port) +
                             " (endereço em uso ou inválido).");
  return options_.port;
}

void RpcHttpServer::run() {
  runStarted_ = true;
  if (!stopRequested_) server_->listen_after_bind();
  runExited_ = true;
}

void RpcHttpServer::stop() {
  // The library ignores a stop that comes before its loop is running, so a
  // stop racing with run() waits until the loop can take it.
  stopRequested_ = true;
  for (;;) {
    if (server_->is_running()) {
      server_->stop();
      return;
    }
    if (!runStarted_ || runExited_) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

void RpcHttpServer::log(const std::string& line) {
  if (!options_.log) return;
  std::lock_guard lock(logMutex_);
  *options_.log << line << '\n' << std::flush;
}

}  // namespace zor::server
