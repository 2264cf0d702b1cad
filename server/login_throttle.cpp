// Failed-login limits (see login_throttle.h).
#include "server/login_throttle.h"

namespace zor::server {

namespace {
std::string PairKey(const std::string& user, const std::string& address) { return user + '\n' + address; }
}  // namespace

LoginThrottle::LoginThrottle(ThrottlePolicy policy, Clock now) : policy_(policy), now_(std::move(now)) {}

std::int64_t LoginThrottle::WaitFor(std::deque<std::int64_t>& times, int limit, std::int64_t now) {
  while (!times.empty() && times.front() <= now - policy_.windowSeconds) times.pop_front();
  if (static_cast<int>(times.size()) < limit) return 0;
  // Allowed again once enough failures left the window.
  return times[times.size() - limit] + policy_.windowSeconds - now;
}

void LoginThrottle::Prune(std::int64_t now) {
  // Bounded memory under a flood of invented user names.
  if (byUserAndAddress_.size() + byAddress_.size() < 10000) return;
  for (auto* m : {&byUserAndAddress_, &byAddress_})
    for (auto it = m->begin(); it != m->end();) {
      while (!it->second.empty() && it->second.front() <= now - policy_.windowSeconds) it->second.pop_front();
      it = it->second.empty() ? m->erase(it) : std::next(it);
    }
}

std::int64_t LoginThrottle::WaitBeforeAttempt(const std::string& user, const std::string& address) {
  std::lock_guard lock(mutex_);
  std::int64_t now = now_();
  std::int64_t a = WaitFor(byUserAndAddress_[PairKey(user, address)], policy_.perUserAndAddress, now);
  std::int64_t b = WaitFor(byAddress_[address], policy_.perAddress, now);
  return std::max(a, b);
}

void LoginThrottle::Failed(const std::string& user, const std::string& address) {
  std::lock_guard lock(mutex_);
  std::int64_t now = now_();
  Prune(now);
  byUserAndAddress_[PairKey(user, address)].push_back(now);
  byAddress_[address].push_back(now);
}

void LoginThrottle::Succeeded(const std::string& user, const std::string& address) {
  std::lock_guard lock(mutex_);
  byUserAndAddress_.erase(PairKey(user, address));
}

}  // namespace zor::server
