// Slows down password guessing: after too many failed logins for one user
// from one address, or from one address for any users, within a window,
// further attempts are refused (without checking the password) until the
// oldest failure leaves the window. A success clears the user's count from
// that address. Kept in memory: each server instance counts on its own.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>

namespace zor::server {

struct ThrottlePolicy {
  int windowSeconds = 15 * 60;
  int perUserAndAddress = 5;
  int perAddress = 20;
};

class LoginThrottle {
 public:
  using Clock = std::function<std::int64_t()>;  // seconds
  explicit LoginThrottle(ThrottlePolicy policy, Clock now);

  // Seconds to wait before trying again; 0 when an attempt is allowed.
  std::int64_t WaitBeforeAttempt(const std::string& user, const std::string& address);
  void Failed(const std::string& user, const std::string& address);
  void Succeeded(const std::string& user, const std::string& address);

 private:
  std::int64_t WaitFor(std::deque<std::int64_t>& times, int limit, std::int64_t now);
  void Prune(std::int64_t now);

  ThrottlePolicy policy_;
  Clock now_;
  std::mutex mutex_;
  std::map<std::string, std::deque<std::int64_t>> byUserAndAddress_, byAddress_;
};

}  // namespace zor::server
