// Database connections shared by the request threads: each call takes one
// connection for its whole duration and gives it back afterwards, so calls
// never share a transaction. Connections that lost their link are dropped.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "server/db_connection.h"

namespace zor::server {

class ConnectionPool {
 public:
  explicit ConnectionPool(std::string url, size_t maxIdle = 32);

  class Lease {
   public:
    Lease(ConnectionPool& pool, std::unique_ptr<Connection> c) : pool_(&pool), c_(std::move(c)) {}
    Lease(Lease&& other) noexcept = default;
    Lease& operator=(Lease&&) = delete;
    ~Lease();
    Connection& operator*() const { return *c_; }
    Connection* operator->() const { return c_.get(); }

   private:
    ConnectionPool* pool_;
    std::unique_ptr<Connection> c_;
  };

  Lease acquire();
  const std::string& url() const { return url_; }

 private:
  void release(std::unique_ptr<Connection> c);

  std::string url_;
  size_t maxIdle_;
  std::mutex mutex_;
  std::vector<std::unique_ptr<Connection>> idle_;
};

}  // namespace zor::server
