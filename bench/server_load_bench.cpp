// The application server under a branch's load, run against the real
// executable: many desks each keeping one connection open and calling every
// 1 to 2 seconds, optionally with slow clients that trickle header bytes
// and never finish a request. Reports the latency percentiles, calls per
// second and the loaded 99th percentile as a ratio of one call on an idle
// server; also the size of the largest real delta (every flight of a
// company changed at once) and the server's peak memory under maximal
// concurrent requests.
//
//   server_load_bench [--desks 200] [--seconds 20] [--slow 50]
#include <httplib.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <nlohmann/json.hpp>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "tests/server/hostile/raw_http.h"

using json = nlohmann::ordered_json;
using Clock = std::chrono::steady_clock;
using zor::server::testing::ConnectLoopback;

namespace {

const char* kPath = "/rpc/Zor12200.rdmVooTrecho";
std::string token;  // the demo user's session, sent by every desk
constexpr std::size_t kMaxBody = 4u * 1024 * 1024;  // the server's limit

struct Server {
  pid_t pid = 0;
  int port = 0;
};

Server StartServer(const std::string& db, int flights) {
  int out[2];
  if (pipe(out) != 0) std::exit(1);
  Server s;
  s.pid = fork();
  if (s.pid == 0) {
    dup2(out[1], 1);
    std::freopen("/dev/null", "w", stderr);
    std::string f = std::to_string(flights);
    execl(ZOR_SERVER_EXE, ZOR_SERVER_EXE, "--db", ("sqlite:" + db).c_str(), "--init-demo", "--demo-flights",
          f.c_str(), "--listen", "127.0.0.1:0", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(out[1]);
  std::string line;
  char ch;
  while (read(out[0], &ch, 1) == 1 && ch != '\n') line += ch;
  close(out[0]);
  s.port = std::stoi(line.substr(line.rfind(':') + 1));
  return s;
}

long PeakKiB(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/status");
  std::string key;
  long v = 0;
  while (in >> key) {
    if (key == "VmHWM:") {
      in >> v;
      return v;
    }
    in.ignore(1 << 20, '\n');
  }
  return 0;
}

std::string Request(const std::string& method, const json& params) {
  return json({{"jsonrpc", "2.0"}, {"id", 1}, {"method", method}, {"params", params}}).dump();
}

double Percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[std::min(v.size() - 1, static_cast<size_t>(p * static_cast<double>(v.size())))];
}

// One desk's call: the legs of one of the company's flights.
double TimedCall(httplib::Client& c, const std::string& body) {
  auto t = Clock::now();
  auto res = c.Post(kPath, body, "application/json");
  double ms = std::chrono::duration<double, std::milli>(Clock::now() - t).count();
  if (!res || res->status != 200 || res->body.find("\"ok\":true") == std::string::npos) return -1;
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  int desks = 200, seconds = 20, slow = 50, flights = 300;
  for (int i = 1; i + 1 < argc; i += 2) {
    std::string a = argv[i];
    int v = std::atoi(argv[i + 1]);
    if (a == "--desks") desks = v;
    if (a == "--seconds") seconds = v;
    if (a == "--slow") slow = v;
    if (a == "--flights") flights = v;
  }
  std::signal(SIGPIPE, SIG_IGN);
  std::string db = "/tmp/zor_load_bench_" + std::to_string(getpid()) + ".db";
  Server server = StartServer(db, flights);
  {
    httplib::Client c("127.0.0.1", server.port);
    c.set_bearer_token_auth(token);
    auto res = c.Post("/rpc/Sessao", Request("Login", {"demo", "demo1234"}), "application/json");
    if (res) token = json::parse(res->body, nullptr, false)["result"]["data"].value("token", std::string());
    if (token.empty()) {
      std::fprintf(stderr, "could not log in as the demo user\n");
      return 1;
    }
  }
  std::string legs;

  // The largest real delta: every flight of the company changed at once.
  std::size_t deltaBytes = 0;
  std::string maximal;  // a delta of real rows as large as the server accepts
  {
    httplib::Client c("127.0.0.1", server.port);
    c.set_bearer_token_auth(token);
    auto res = c.Post(kPath, Request("GetVoo", {"0001", "0001"}), "application/json");
    json packet = json::parse(res->body)["result"]["data"];
    legs = Request("GetTrecho", {"0001", packet["rows"][0][0], "0001"});
    json changes = json::array();
    for (const auto& row : packet["rows"]) changes.push_back({{"kind", "modify"}, {"old", row}, {"new", row}});
    deltaBytes = Request("SetVoo", json::array({{{"fields", packet["fields"]}, {"changes", changes}}})).size();
    json many = json::array();
    std::size_t perChange = deltaBytes / std::max<size_t>(1, changes.size()) + 1;
    for (std::size_t i = 0; i < (kMaxBody - 4096) / perChange; ++i) many.push_back(changes[i % changes.size()]);
    maximal = Request("SetVoo", json::array({{{"fields", packet["fields"]}, {"changes", many}}}));
    std::printf("largest delta: %d flights changed at once = %zu bytes (%.0f bytes per flight)\n",
                static_cast<int>(packet["rows"].size()), deltaBytes,
                static_cast<double>(deltaBytes) / static_cast<double>(std::max<size_t>(1, packet["rows"].size())));
  }

  // One call on an idle server.
  std::vector<double> idle;
  {
    httplib::Client c("127.0.0.1", server.port);
    c.set_bearer_token_auth(token);
    c.set_keep_alive(true);
    c.set_tcp_nodelay(true);
    for (int i = 0; i < 200; ++i) idle.push_back(TimedCall(c, legs));
  }
  double idleP50 = Percentile(idle, 0.5);

  // Slow clients: each sends part of a request line, then a byte a second.
  std::atomic<bool> stop{false};
  std::vector<int> slowFds;
  for (int i = 0; i < slow; ++i) {
    int fd = ConnectLoopback(server.port);
    if (fd >= 0) {
      ::send(fd, "POST /rpc/", 10, MSG_NOSIGNAL);
      slowFds.push_back(fd);
    }
  }
  std::thread trickle([&] {
    while (!stop) {
      for (int fd : slowFds) ::send(fd, "x", 1, MSG_NOSIGNAL);
      std::this_thread::sleep_for(std::chrono::seconds(1));
    }
  });

  std::mutex mutex;
  std::vector<double> loaded;
  std::atomic<int> failures{0};
  std::vector<std::thread> threads;
  auto until = Clock::now() + std::chrono::seconds(seconds);
  for (int d = 0; d < desks; ++d) {
    threads.emplace_back([&, d] {
      httplib::Client c("127.0.0.1", server.port);
      c.set_bearer_token_auth(token);
      c.set_keep_alive(true);
      c.set_tcp_nodelay(true);
      c.set_read_timeout(30, 0);
      std::mt19937 rng(static_cast<unsigned>(d));
      std::uniform_int_distribution<int> pause(1000, 2000);
      std::this_thread::sleep_for(std::chrono::milliseconds(pause(rng) - 1000));  // spread the starts
      std::vector<double> mine;
      while (Clock::now() < until) {
        double ms = TimedCall(c, legs);
        if (ms < 0) ++failures;
        else mine.push_back(ms);
        std::this_thread::sleep_for(std::chrono::milliseconds(pause(rng)));
      }
      std::lock_guard lock(mutex);
      loaded.insert(loaded.end(), mine.begin(), mine.end());
    });
  }
  for (auto& t : threads) t.join();
  stop = true;
  trickle.join();
  for (int fd : slowFds) ::close(fd);

  double p50 = Percentile(loaded, 0.5), p99 = Percentile(loaded, 0.99);
  std::printf("idle call: p50 %.2f ms\n", idleP50);
  std::printf("%d keep-alive desks, %d slow clients, %d s: %zu calls (%.1f calls/s), %d failed\n", desks,
              static_cast<int>(slowFds.size()), seconds, loaded.size(),
              static_cast<double>(loaded.size()) / seconds, failures.load());
  std::printf("loaded: p50 %.2f ms, p99 %.2f ms, max %.2f ms; p99 / idle call = %.1f\n", p50, p99,
              Percentile(loaded, 1.0), p99 / std::max(idleP50, 1e-3));

  // Four concurrent requests of the maximal body size, real flight rows
  // (all refused: the second desk's copy conflicts): the server's peak
  // memory stays bounded.
  long before = PeakKiB(server.pid);
  {
    std::printf("maximal request: %zu bytes\n", maximal.size());
    const std::string& big = maximal;
    std::vector<std::thread> bigs;
    for (int i = 0; i < 4; ++i)
      bigs.emplace_back([&] {
        httplib::Client c("127.0.0.1", server.port);
        c.set_bearer_token_auth(token);
        c.set_read_timeout(60, 0);
        c.Post(kPath, big, "application/json");
      });
    for (auto& t : bigs) t.join();
  }
  std::printf("server peak memory: %ld KiB before, %ld KiB after four concurrent maximal requests\n", before,
              PeakKiB(server.pid));

  kill(server.pid, SIGTERM);
  waitpid(server.pid, nullptr, 0);
  for (const char* suffix : {"", "-wal", "-shm"}) std::remove((db + suffix).c_str());
  return failures.load() == 0 && p99 < 50.0 ? 0 : 1;
}
