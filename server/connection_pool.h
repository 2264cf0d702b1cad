// Database connections shared by the request threads: each call takes one
// connection for its whole duration and gives it back afterwards, so calls
// never share a transaction. Connections that lost their link are dropped,
// and a call whose idle connection broke meanwhile (the database restarted)
// runs once more on a new one.
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
    Lease(ConnectionPool& pool, std::unique_ptr<Connection> c, bool reused)
        : pool_(&pool), c_(std::move(c)), reused_(reused) {}
    Lease(Lease&& other) noexcept = default;
    Lease& operator=(Lease&&) = delete;
    ~Lease();
    Connection& operator*() const { return *c_; }
    Connection* operator->() const { return c_.get(); }
    bool Reused() const { return reused_; }

   private:
    ConnectionPool* pool_;
    std::unique_ptr<Connection> c_;
    bool reused_;
  };

  Lease Acquire();

  // Runs work(Connection&) on a pooled connection. When a connection taken
  // from the pool turns out broken and nothing of the work can have been
  // committed, the other idle connections (broken alike) are dropped and
  // the work runs once more on a new connection.
  template <class Work>
  auto Run(Work&& work) {
    {
      Lease lease = Acquire();
      try {
        return work(*lease);
      } catch (const DbError& e) {
        if (!lease.Reused() || e.Kind() != DbError::FaultKind::Connection || e.MayHaveCommitted()) throw;
      }
    }
    DropIdle();
    Lease fresh = Acquire();
    return work(*fresh);
  }

  void DropIdle();
  const std::string& Url() const { return url_; }

 private:
  void Release(std::unique_ptr<Connection> c);

  std::string url_;
  size_t maxIdle_;
  std::mutex mutex_;
  std::vector<std::unique_ptr<Connection>> idle_;
};

}  // namespace zor::server
