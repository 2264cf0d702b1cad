// Failed-login limits (see login_throttle.h).
#include "server/login_throttle.h"

namespace zor::server {

namespace {
std::string pairKey(const std::string& user, const std::string& address) { return user + '\n' + address; }
}  // namespace

LoginThrottle::LoginThrottle(ThrottlePolicy policy, Clock now) : policy_(policy), now_(std::move(now)) {}

std::int64_t LoginThrottle::waitFor(std::deque<std::int64_t>& times, int limit, std::int64_t now) {
  while (!times.empty() && times.front() <= now - policy_.windowSeconds) times.pop_front();
  if (static_cast<int>(times.size()) < limit) return 0;
  // Allowed again once enough failures left the window.
  return times[times.size() - limit] + policy_.windowSeconds - now;
}

void LoginThrottle::prune(std::int64_t now) {
  // Bounded memory under a flood of invented user names.
  if (byUserAndAddress_.size() + byAddress_.size() < 10000) return;
  for (auto* m : {&byUserAndAddress_, &byAddress_})
    for (auto it = m->begin(); it != m->end();) {
      while (!it->second.empty() && it->second.front() <= now - policy_.windowSeconds) it->second.pop_front();
      it = it->second.empty() ? m->erase(it) : std::next(it);
    }
}

std::int64_t LoginThrottle::waitBeforeAttempt(const std::string& user, const std::string& address) {
  std::lock_guard lock(mutex_);
  std::int64_t now = now_();
  std::int64_t a = waitFor(byUserAndAddress_[pairKey(user, address)], policy_.perUserAndAddress, now);
  std::int64_t b = waitFor(byAddress_[address], policy_.perAddress, now);
  return std::max(a, b);
}

void LoginThrottle::failed(const std::string& user, const std::string& address) {
  std::lock_guard lock(mutex_);
  std::int64_t now = now_();
  prune(now);
  byUserAndAddress_[pairKey(user, address)].push_back(now);
  byAddress_[address].push_back(now);
}

void LoginThrottle::succeeded(const std::string& user, const std::string& address) {
  std::lock_guard lock(mutex_);
  byUserAndAddress_.erase(pairKey(user, address));
}

}  // namespace zor::server
