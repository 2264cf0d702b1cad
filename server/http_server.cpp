// HTTP transport (see http_server.h).
#include "server/http_server.h"

#include <malloc.h>
#include <microhttpd.h>
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <ostream>
#include <stdexcept>

#include "server/db_fault_text.h"
#include "server/http_rules.h"
#include "server/packet.h"
#include "server/reply_buffers.h"
#include "server/request_decoder.h"
#include "server/rpc_dispatch.h"
#include "server/worker_pool.h"

namespace zor::server {

using json = nlohmann::ordered_json;
using Clock = std::chrono::steady_clock;

// The state of one request on one connection, from its headers to the
// completion of its answer.
struct RpcHttpServer::Exchange {
  Clock::time_point start = Clock::now();
  std::string module;
  std::string body;
  std::string token;    // of the Authorization header; never logged
  std::string address;  // the client's
  std::size_t held = 0;  // bytes counted against the body budget
  bool queued = false;   // an answer was handed to the transport
  bool dispatched = false;
  // A refusal found while the body arrives, answered once it is read.
  int lateStatus = 0, lateCode = 0;
  std::string lateMessage;
  bool health = false;  // GET /health: the worker checks the database
  // The answer of the call, written by a worker.
  RpcReply reply;
  bool ready = false;
};

namespace {

constexpr std::size_t kHeaderMemory = 32 * 1024;  // headers of one request
constexpr unsigned kMaxConnections = 900;          // below the usual 1024 descriptors

MHD_Result ToMhd(int r) { return r ? MHD_YES : MHD_NO; }

std::string ErrorBody(int code, const std::string& message) {
  return json({{"jsonrpc", "2.0"}, {"id", nullptr}, {"error", {{"code", code}, {"message", message}}}})
      .dump(-1, ' ', false, json::error_handler_t::replace);
}

std::string Header(MHD_Connection* c, const char* name) {
  const char* v = MHD_lookup_connection_value(c, MHD_HEADER_KIND, name);
  return v ? v : "";
}
bool HasHeader(MHD_Connection* c, const char* name) {
  return MHD_lookup_connection_value(c, MHD_HEADER_KIND, name) != nullptr;
}

std::string ClientAddress(MHD_Connection* c) {
  const MHD_ConnectionInfo* info = MHD_get_connection_info(c, MHD_CONNECTION_INFO_CLIENT_ADDRESS);
  if (!info || !info->client_addr) return "?";
  char buf[INET6_ADDRSTRLEN] = {};
  const sockaddr* a = info->client_addr;
  if (a->sa_family == AF_INET)
    inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(a)->sin_addr, buf, sizeof buf);
  else if (a->sa_family == AF_INET6)
    inet_ntop(AF_INET6, &reinterpret_cast<const sockaddr_in6*>(a)->sin6_addr, buf, sizeof buf);
  return buf[0] ? buf : "?";
}

// A worker builds a company's flight list, frees it, and builds the next
// one: by default glibc gives a freed stretch above 128 KiB back to the
// system at once and the next answer faults every page of it in again
// (a fifth of the server's CPU in a load of 2,000 flights on PostgreSQL).
// Blocks up to 4 MiB now come from the heap, and a heap keeps up to 16 MiB
// of freed memory for the next answer; larger blocks (a maximal request)
// are still mapped and given back at once.
void KeepFreedMemoryForReuse() {
  mallopt(M_MMAP_THRESHOLD, 4 * 1024 * 1024);
  mallopt(M_TRIM_THRESHOLD, 16 * 1024 * 1024);
}

std::string Mib(std::size_t bytes) { return std::to_string(bytes / (1024 * 1024)) + " MiB"; }

MHD_Result OnRequest(void* self, MHD_Connection* c, const char* url, const char* method, const char*,
                     const char* data, size_t* size, void** state) {
  return ToMhd(static_cast<RpcHttpServer*>(self)->Handle(c, url, method, data, size, state));
}

void OnCompleted(void* self, MHD_Connection*, void** state, MHD_RequestTerminationCode) {
  static_cast<RpcHttpServer*>(self)->Completed(state);
}

void OnConnection(void* self, MHD_Connection*, void**, MHD_ConnectionNotificationCode code) {
  auto& m = static_cast<RpcHttpServer*>(self)->ServerMetrics();
  if (code == MHD_CONNECTION_NOTIFY_STARTED) m.ConnectionOpened();
  if (code == MHD_CONNECTION_NOTIFY_CLOSED) m.ConnectionClosed();
}

void OnTransportMessage(void* self, const char* format, va_list args) {
  char buf[512];
  std::vsnprintf(buf, sizeof buf, format, args);
  std::string text = buf;
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  static_cast<RpcHttpServer*>(self)->Log("WARN http: " + LogSafe(text, 400));
}

}  // namespace

RpcHttpServer::RpcHttpServer(FlightModule& module, SessionModule& sessions, HttpOptions options)
    : module_(module), sessions_(sessions), options_(std::move(options)) {}

RpcHttpServer::~RpcHttpServer() {
  if (daemon_) MHD_stop_daemon(daemon_);
  if (listenFd_ >= 0) ::close(listenFd_);
}

int RpcHttpServer::Bind() {
  std::string where = options_.host + ":" + std::to_string(options_.port);
  if (options_.Tls() && MHD_is_feature_supported(MHD_FEATURE_TLS) != MHD_YES)
    throw std::runtime_error("Esta libmicrohttpd foi compilada sem TLS: não é possível servir HTTPS.");
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_PASSIVE;
  addrinfo* found = nullptr;
  if (getaddrinfo(options_.host.c_str(), std::to_string(options_.port).c_str(), &hints, &found) != 0 || !found)
    throw std::runtime_error("Não foi possível escutar em " + where + ": endereço desconhecido.");
  int err = 0;
  for (addrinfo* a = found; a && listenFd_ < 0; a = a->ai_next) {
    int fd = ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
    if (fd < 0) {
      err = errno;
      continue;
    }
    // SO_REUSEADDR only lets a restarted server take its port back from
    // connections in TIME_WAIT; on Linux it never lets two servers listen
    // on one port (SO_REUSEPORT would, and is deliberately not set).
    int one = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    if (::bind(fd, a->ai_addr, a->ai_addrlen) == 0 && ::listen(fd, 512) == 0) {
      listenFd_ = fd;
    } else {
      err = errno;
      ::close(fd);
    }
  }
  freeaddrinfo(found);
  if (listenFd_ < 0) {
    if (err == EADDRINUSE)
      throw std::runtime_error("Não foi possível escutar em " + where +
                               ": a porta já está em uso (outro servidor já está em execução?).");
    throw std::runtime_error("Não foi possível escutar em " + where + ": " + std::strerror(err) + ".");
  }
  sockaddr_storage addr{};
  socklen_t len = sizeof addr;
  getsockname(listenFd_, reinterpret_cast<sockaddr*>(&addr), &len);
  boundPort_ = ntohs(addr.ss_family == AF_INET6 ? reinterpret_cast<sockaddr_in6*>(&addr)->sin6_port
                                                : reinterpret_cast<sockaddr_in*>(&addr)->sin_port);
  hostNames_ = {options_.host};
  char name[256] = {};
  if (gethostname(name, sizeof name - 1) == 0 && name[0]) {
    hostNames_.emplace_back(name);
    std::string shortName(name);
    hostNames_.push_back(shortName.substr(0, shortName.find('.')));
  }
  return boundPort_;
}

void RpcHttpServer::Run() {
  {
    std::lock_guard lock(stateMutex_);
    if (stopRequested_ || listenFd_ < 0) return;
  }
  KeepFreedMemoryForReuse();
  workers_ = std::make_unique<WorkerPool>(options_.threads > 0 ? options_.threads : 16);
  MHD_OptionItem tls[] = {{MHD_OPTION_HTTPS_MEM_CERT, 0, const_cast<char*>(options_.tlsCertPem.c_str())},
                          {MHD_OPTION_HTTPS_MEM_KEY, 0, const_cast<char*>(options_.tlsKeyPem.c_str())},
                          {MHD_OPTION_END, 0, nullptr}};
  MHD_OptionItem plain[] = {{MHD_OPTION_END, 0, nullptr}};
  unsigned flags = MHD_USE_EPOLL_INTERNAL_THREAD | MHD_ALLOW_SUSPEND_RESUME | MHD_USE_ERROR_LOG;
  if (options_.Tls()) flags |= MHD_USE_TLS;
  daemon_ = MHD_start_daemon(
      flags, 0, nullptr, nullptr,
      &OnRequest, this, MHD_OPTION_EXTERNAL_LOGGER, &OnTransportMessage, this, MHD_OPTION_LISTEN_SOCKET,
      listenFd_, MHD_OPTION_NOTIFY_COMPLETED, &OnCompleted, this, MHD_OPTION_NOTIFY_CONNECTION, &OnConnection, this,
      MHD_OPTION_CONNECTION_TIMEOUT,
      options_.idleTimeoutSeconds, MHD_OPTION_CONNECTION_MEMORY_LIMIT, kHeaderMemory,
      MHD_OPTION_CONNECTION_LIMIT, kMaxConnections, MHD_OPTION_ARRAY, options_.Tls() ? tls : plain, MHD_OPTION_END);
  if (!daemon_) {
    Log(options_.Tls() ? "ERROR não foi possível iniciar o serviço HTTPS: verifique o certificado e a chave (PEM)."
                       : "ERROR não foi possível iniciar o serviço HTTP.");
    workers_.reset();
    return;
  }
  std::unique_lock lock(stateMutex_);
  stateChanged_.wait(lock, [this] { return stopRequested_; });
  // Stop accepting, let running calls answer, then close everything.
  int fd = MHD_quiesce_daemon(daemon_);
  if (fd >= 0) {
    ::close(fd);
    listenFd_ = -1;
  }
  stateChanged_.wait(lock, [this] { return callsRunning_ == 0; });
  lock.unlock();
  MHD_stop_daemon(daemon_);  // closes the listening socket unless quiesced above
  daemon_ = nullptr;
  listenFd_ = -1;
  workers_.reset();
}

void RpcHttpServer::Stop() {
  std::lock_guard lock(stateMutex_);
  stopRequested_ = true;
  stateChanged_.notify_all();
}

int RpcHttpServer::Answer(MHD_Connection* c, int status, std::string body, bool allowPost,
                          const char* contentType) {
  // The transport sends the text where it is and hands its buffer back
  // for a later answer once sent.
  const bool empty = body.empty();
  auto* owned = new std::string(std::move(body));
  MHD_Response* r = MHD_create_response_from_buffer_with_free_callback_cls(
      owned->size(), owned->data(),
      [](void* text) {
        auto* s = static_cast<std::string*>(text);
        reply_buffers::GiveBack(std::move(*s));
        delete s;
      },
      owned);
  if (!r) {
    delete owned;
    return 0;
  }
  if (!empty) MHD_add_response_header(r, "Content-Type", contentType);
  if (allowPost) MHD_add_response_header(r, "Allow", "POST");
  MHD_Result ok = MHD_queue_response(c, static_cast<unsigned>(status), r);
  MHD_destroy_response(r);
  return ok == MHD_YES;
}

int RpcHttpServer::Refuse(MHD_Connection* c, Exchange& ex, int status, int code, const std::string& message) {
  ex.queued = true;
  double ms = std::chrono::duration<double, std::milli>(Clock::now() - ex.start).count();
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.2f ms", ms);
  Log("WARN - " + std::string(buf) + " recusado (HTTP " + std::to_string(status) + "): " + LogSafe(message));
  return Answer(c, status, ErrorBody(code, message), status == 405);
}

// The operators' two paths. They read no data and change nothing, so they
// need neither a JSON body nor the browser and Host checks of the RPC path.
bool RpcHttpServer::ServeOperations(MHD_Connection* c, Exchange& ex, const char* url, const char* method) {
  if (std::strcmp(method, "GET") != 0) return false;
  if (std::strcmp(url, "/metrics") == 0) {
    ex.queued = true;
    Answer(c, 200, metrics_.Render(), false, "text/plain; version=0.0.4; charset=utf-8");
    return true;
  }
  if (std::strcmp(url, "/health") == 0) {
    ex.health = true;  // the database is asked on a worker, not on the transport's thread
    return true;
  }
  return false;
}

bool RpcHttpServer::Admit(MHD_Connection* c, Exchange& ex, const char* url, const char* method) {
  if (ServeOperations(c, ex, url, method)) return true;
  if (std::strcmp(method, "POST") != 0) {
    Refuse(c, ex, 405, rpc_code::kInvalidRequest, "Use POST com uma requisição JSON-RPC 2.0.");
    return false;
  }
  auto module = RpcModuleOfPath(url);
  if (!module) {
    Refuse(c, ex, 404, rpc_code::kMethodNotFound,
           "Caminho desconhecido: \"" + EchoCut(url) + "\". Use /rpc/" + FlightModule::kName + ".");
    return false;
  }
  if (*module != FlightModule::kName && *module != SessionModule::kName) {
    RpcReply r = UnknownModuleReply(*module);
    ex.queued = true;
    Log("WARN - recusado (HTTP 404): " + LogSafe(r.logNote));
    Answer(c, r.httpStatus, r.body);
    return false;
  }
  if (HasHeader(c, "Origin")) {
    Refuse(c, ex, 403, rpc_code::kInvalidRequest,
           "Requisição recusada: chamadas vindas de páginas da web (cabeçalho Origin) não são atendidas.");
    return false;
  }
  if (!IsAcceptedHost(Header(c, "Host"), hostNames_, boundPort_)) {
    Refuse(c, ex, 403, rpc_code::kInvalidRequest,
           "Requisição recusada: o cabeçalho Host (\"" + EchoCut(Header(c, "Host")) +
               "\") não nomeia este servidor.");
    return false;
  }
  if (!IsJsonContentType(Header(c, "Content-Type"))) {
    Refuse(c, ex, 415, rpc_code::kInvalidRequest,
           "Requisição recusada: envie o corpo como Content-Type: application/json.");
    return false;
  }
  std::string length = Header(c, "Content-Length");
  if (!length.empty()) {
    unsigned long long n = std::strtoull(length.c_str(), nullptr, 10);
    if (n > options_.maxBody) {
      Refuse(c, ex, 413, rpc_code::kInvalidRequest,
             "Requisição grande demais: o limite é de " + Mib(options_.maxBody) + ".");
      return false;
    }
    std::lock_guard lock(budgetMutex_);
    if (bodyBytesHeld_ + n > options_.bodyBudget) {
      Refuse(c, ex, 503, rpc_code::kInternalError,
             "O servidor está ocupado recebendo outras requisições grandes. Tente novamente em instantes.");
      return false;
    }
    bodyBytesHeld_ += n;
    ex.held = n;
    ex.body.reserve(n);
  }
  ex.module = *module;
  ex.address = ClientAddress(c);
  ex.token = BearerToken(Header(c, "Authorization"));
  // Without a token the body is not even read.
  if (ex.module == FlightModule::kName && ex.token.empty()) {
    Refuse(c, ex, 401, kUnauthorizedCode,
           "Acesso negado: entre no sistema com seu usuário e senha antes de chamar o servidor.");
    return false;
  }
  return true;
}

int RpcHttpServer::Handle(MHD_Connection* c, const char* url, const char* method, const char* data,
                          std::size_t* size, void** state) {
  if (!*state) {
    auto* ex = new Exchange;
    *state = ex;
    Admit(c, *ex, url, method);
    return 1;
  }
  auto& ex = *static_cast<Exchange*>(*state);
  if (*size > 0) {
    std::size_t n = *size;
    *size = 0;
    if (ex.queued || ex.lateStatus) return 1;  // discarded: the request is refused
    if (ex.body.size() + n > options_.maxBody) {
      ex.lateStatus = 413;
      ex.lateCode = rpc_code::kInvalidRequest;
      ex.lateMessage = "Requisição grande demais: o limite é de " + Mib(options_.maxBody) + ".";
      return 1;
    }
    if (ex.body.size() + n > ex.held) {  // no Content-Length: count as it comes
      std::size_t more = ex.body.size() + n - ex.held;
      std::lock_guard lock(budgetMutex_);
      if (bodyBytesHeld_ + more > options_.bodyBudget) {
        ex.lateStatus = 503;
        ex.lateCode = rpc_code::kInternalError;
        ex.lateMessage =
            "O servidor está ocupado recebendo outras requisições grandes. Tente novamente em instantes.";
        return 1;
      }
      bodyBytesHeld_ += more;
      ex.held += more;
    }
    ex.body.append(data, n);
    return 1;
  }
  if (ex.queued) return 1;
  if (ex.lateStatus) return Refuse(c, ex, ex.lateStatus, ex.lateCode, ex.lateMessage);
  if (ex.ready) {
    ex.queued = true;
    return Answer(c, ex.reply.httpStatus, std::move(ex.reply.body));
  }
  if (!ex.dispatched) Dispatch(c, ex);
  return 1;
}

void RpcHttpServer::Dispatch(MHD_Connection* c, Exchange& ex) {
  {
    std::lock_guard lock(stateMutex_);
    if (stopRequested_) {
      Refuse(c, ex, 503, rpc_code::kInternalError, "O servidor está sendo encerrado. Tente novamente em instantes.");
      return;
    }
    ++callsRunning_;
  }
  ex.dispatched = true;
  MHD_suspend_connection(c);
  workers_->Post([this, c, &ex] {
    if (ex.health) {
      std::string why;
      bool up = module_.DatabaseReachable(why);
      ex.reply.httpStatus = up ? 200 : 503;
      ex.reply.body = up ? json{{"status", "ok"}, {"database", "ok"}}.dump()
                         : json{{"status", "fora"}, {"database", "inacessível"}, {"message", why}}.dump();
      if (!up) {
        metrics_.RecordDatabaseError();
        Log("ERROR health: " + LogSafe(why, 400));
      }
      Finish(c, ex);
      return;
    }
    if (ex.body.size() > options_.bigBody) {
      std::lock_guard big(bigCallMutex_);
      RunCall(ex);
    } else {
      RunCall(ex);
    }
    std::string().swap(ex.body);
    {
      std::lock_guard lock(budgetMutex_);
      bodyBytesHeld_ -= ex.held;
      ex.held = 0;
    }
    double ms = std::chrono::duration<double, std::milli>(Clock::now() - ex.start).count();
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2f ms", ms);
    const char* level = ex.reply.internal ? "ERROR" : ex.reply.failed ? "WARN" : "INFO";
    Log(std::string(level) + " " + LogSafe(ex.reply.method, 80) + " " + buf + " " + LogSafe(ex.reply.logNote, 400));
    metrics_.RecordCall(ex.reply.method, ex.reply.internal ? "database_error" : ex.reply.failed ? "failed" : "ok",
                        ms / 1000.0);
    if (ex.reply.internal) metrics_.RecordDatabaseError();
    Finish(c, ex);
  });
}

// The session endpoint, or the data module on behalf of the session's user.
void RpcHttpServer::RunCall(Exchange& ex) {
  if (ex.module == SessionModule::kName) {
    ex.reply = DispatchRpc(
        [&](const std::string& m, const json& p) { return sessions_.Call(m, p, ex.address, ex.token); }, ex.body,
        Batches::Refused);
    return;
  }
  Caller caller;
  try {
    caller = sessions_.Sessions().Resolve(ex.token, ex.address);
  } catch (const AuthError& e) {
    ex.reply = UnauthorizedReply(e.what());
    return;
  } catch (const DbError& e) {
    // The session could not be read: answered as the call's database failure.
    CallOutcome out{FlightModule::Failure(DbFaultMessage(e)), std::string("erro de banco: ") + e.what()};
    ex.reply = DispatchRpc([&](const std::string&, const json&) { return out; }, ex.body);
    return;
  }
  ex.reply = DispatchRpc([&](const std::string& m, const json& p) { return module_.Call(m, p, caller); }, ex.body);
  ex.reply.logNote = "[" + caller.user + "] " + ex.reply.logNote;
}

void RpcHttpServer::Finish(MHD_Connection* c, Exchange& ex) {
  ex.ready = true;
  MHD_resume_connection(c);  // ex belongs to the transport from here on
  std::lock_guard lock(stateMutex_);
  --callsRunning_;
  stateChanged_.notify_all();
}

void RpcHttpServer::Completed(void** state) {
  auto* ex = static_cast<Exchange*>(*state);
  if (!ex) return;
  *state = nullptr;
  if (ex->held) {
    std::lock_guard lock(budgetMutex_);
    bodyBytesHeld_ -= ex->held;
  }
  delete ex;
}

void RpcHttpServer::Log(const std::string& line) {
  if (!options_.log) return;
  std::lock_guard lock(logMutex_);
  *options_.log << line << '\n' << std::flush;
}

}  // namespace zor::server
