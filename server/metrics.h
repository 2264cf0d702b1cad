// What the server has done since it started, for GET /metrics in the
// Prometheus text format: calls per method and outcome, a latency histogram
// per method, database errors and the connections open now. Thread-safe;
// recording a call costs one short lock.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>

namespace zor::server {

class Metrics {
 public:
  // Upper bounds of the latency buckets, in seconds.
  static constexpr std::array<double, 10> kBuckets = {0.0005, 0.001, 0.0025, 0.005, 0.01,
                                                      0.025,  0.05,  0.1,    0.25,  1.0};

  static constexpr size_t kMaxMethods = 32;

  // outcome: "ok", "failed" (a JSON-RPC error or a refused save),
  // "database_error".
  void RecordCall(const std::string& method, const std::string& outcome, double seconds);
  void RecordDatabaseError() { databaseErrors_.fetch_add(1, std::memory_order_relaxed); }
  void ConnectionOpened() { openConnections_.fetch_add(1, std::memory_order_relaxed); }
  void ConnectionClosed() { openConnections_.fetch_sub(1, std::memory_order_relaxed); }

  std::string Render() const;

 private:
  struct Latency {
    std::array<std::uint64_t, kBuckets.size()> buckets{};
    std::uint64_t count = 0;
    double sum = 0;
  };
  mutable std::mutex mutex_;
  std::map<std::pair<std::string, std::string>, std::uint64_t> calls_;
  std::map<std::string, Latency> latency_;
  std::atomic<std::uint64_t> databaseErrors_{0};
  std::atomic<std::int64_t> openConnections_{0};
};

}  // namespace zor::server
