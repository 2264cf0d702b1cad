// Call counters and latency histograms in the Prometheus text format (see metrics.h).
#include "server/metrics.h"

#include <cctype>
#include <cstdio>

namespace zor::server {

namespace {

// Label values come from callers (a method name may be anything a client
// sent): only letters, digits and '_' pass, so the exposition stays valid.
std::string LabelValue(const std::string& text) {
  std::string out;
  for (char c : text.substr(0, 64))
    out += (std::isalnum(static_cast<unsigned char>(c)) || c == '_') ? c : '_';
  return out.empty() ? "_" : out;
}

std::string Number(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.6g", v);
  return buf;
}

}  // namespace

void Metrics::RecordCall(const std::string& method, const std::string& outcome, double seconds) {
  std::string m = LabelValue(method);
  std::lock_guard lock(mutex_);
  // Callers may send any method name: past a handful of names, the rest
  // share one series, so the table cannot grow without bound.
  if (latency_.size() >= kMaxMethods && !latency_.count(m)) m = "other";
  ++calls_[{m, outcome}];
  Latency& l = latency_[m];
  for (size_t i = 0; i < kBuckets.size(); ++i)
    if (seconds <= kBuckets[i]) ++l.buckets[i];
  ++l.count;
  l.sum += seconds;
}

std::string Metrics::Render() const {
  std::string out;
  out += "# HELP zor_calls_total Chamadas atendidas, por método e resultado.\n";
  out += "# TYPE zor_calls_total counter\n";
  std::lock_guard lock(mutex_);
  for (const auto& [key, n] : calls_)
    out += "zor_calls_total{method=\"" + key.first + "\",outcome=\"" + key.second + "\"} " + std::to_string(n) + "\n";
  out += "# HELP zor_call_duration_seconds Duração das chamadas, por método.\n";
  out += "# TYPE zor_call_duration_seconds histogram\n";
  for (const auto& [method, l] : latency_) {
    const std::string name = "zor_call_duration_seconds";
    for (size_t i = 0; i < kBuckets.size(); ++i)
      out += name + "_bucket{method=\"" + method + "\",le=\"" + Number(kBuckets[i]) + "\"} " +
             std::to_string(l.buckets[i]) + "\n";
    out += name + "_bucket{method=\"" + method + "\",le=\"+Inf\"} " + std::to_string(l.count) + "\n";
    out += name + "_sum{method=\"" + method + "\"} " + Number(l.sum) + "\n";
    out += name + "_count{method=\"" + method + "\"} " + std::to_string(l.count) + "\n";
  }
  out += "# HELP zor_database_errors_total Falhas de acesso ao banco de dados.\n";
  out += "# TYPE zor_database_errors_total counter\n";
  out += "zor_database_errors_total " + std::to_string(databaseErrors_.load()) + "\n";
  out += "# HELP zor_open_connections Conexões de clientes abertas agora.\n";
  out += "# TYPE zor_open_connections gauge\n";
  out += "zor_open_connections " + std::to_string(openConnections_.load()) + "\n";
  return out;
}

}  // namespace zor::server
