// Kept answer buffers (see reply_buffers.h).
#include "server/reply_buffers.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace zor::server::reply_buffers {

namespace {

constexpr size_t kKept = 4;
constexpr size_t kSmallest = 64 * 1024;           // smaller answers gain nothing
constexpr size_t kLargest = 64 * 1024 * 1024;

std::mutex mutex;
std::vector<std::string> kept;  // by room, largest last

}  // namespace

std::string Take() {
  std::lock_guard lock(mutex);
  if (kept.empty()) return {};
  std::string out = std::move(kept.back());
  kept.pop_back();
  return out;
}

void GiveBack(std::string&& buffer) {
  if (buffer.capacity() < kSmallest || buffer.capacity() > kLargest) return;
  buffer.clear();
  std::lock_guard lock(mutex);
  auto at = std::lower_bound(kept.begin(), kept.end(), buffer,
                             [](const std::string& a, const std::string& b) { return a.capacity() < b.capacity(); });
  kept.insert(at, std::move(buffer));
  if (kept.size() > kKept) kept.erase(kept.begin());  // the smallest goes
}

}  // namespace zor::server::reply_buffers
