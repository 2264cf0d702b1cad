// Connection pool (see connection_pool.h).
#include "server/connection_pool.h"

namespace zor::server {

ConnectionPool::ConnectionPool(std::string url, size_t maxIdle) : url_(std::move(url)), maxIdle_(maxIdle) {}

ConnectionPool::Lease::~Lease() {
  if (c_ && pool_) pool_->Release(std::move(c_));
}

ConnectionPool::Lease ConnectionPool::Acquire() {
  {
    std::lock_guard lock(mutex_);
    while (!idle_.empty()) {
      auto c = std::move(idle_.back());
      idle_.pop_back();
      if (c->Healthy()) return Lease(*this, std::move(c), true);
    }
  }
  return Lease(*this, OpenConnection(url_), false);
}

void ConnectionPool::DropIdle() {
  std::vector<std::unique_ptr<Connection>> old;
  std::lock_guard lock(mutex_);
  old.swap(idle_);
}

void ConnectionPool::Release(std::unique_ptr<Connection> c) {
  c->Rollback();  // never hand on a connection inside a transaction
  if (!c->Healthy()) return;
  std::lock_guard lock(mutex_);
  if (idle_.size() < maxIdle_) idle_.push_back(std::move(c));
}

}  // namespace zor::server
