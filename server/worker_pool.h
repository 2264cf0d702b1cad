// A fixed set of threads running queued jobs: the database work of calls,
// kept off the thread that reads and writes sockets so that a slow query
// never delays the reading of other desks' requests.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace zor::server {

class WorkerPool {
 public:
  explicit WorkerPool(int threads);
  ~WorkerPool();  // runs every queued job, then joins
  void Post(std::function<void()> job);

 private:
  void Work();

  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::function<void()>> jobs_;
  bool stopping_ = false;
  std::vector<std::thread> threads_;
};

}  // namespace zor::server
