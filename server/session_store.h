// Login sessions, kept in the database so that every server instance
// sharing it accepts a token another one gave out. A token is a random
// 64-digit text handed to the desk once; the table holds only its digest.
// A session ends at logout, when the user is disabled or given a new
// password, or after a configurable time without calls.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

#include "server/caller.h"
#include "server/connection_pool.h"

namespace zor::server {

// A call without a valid session; the message is for the person.
class AuthError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// JSON-RPC error code of a call refused for want of a valid session.
constexpr int kUnauthorizedCode = -32001;

using SecondsClock = std::function<std::int64_t()>;
std::int64_t SystemSeconds();

// How stale a session's recorded last use may grow before a call writes it
// again: a quarter of the idle limit, at most 30 seconds. Most calls write
// nothing; a session may thus end up to that much before its idle limit.
int LastUseGranularity(int idleSeconds);

class SessionStore {
 public:
  SessionStore(ConnectionPool& pool, int idleSeconds, SecondsClock now = SystemSeconds);

  // Opens a session for the user; returns the token.
  std::string Open(const std::string& user, const std::string& address);
  // The caller behind a token, or AuthError. Notes the use, so the idle
  // time starts again (written once the recorded use is
  // LastUseGranularity old).
  Caller Resolve(const std::string& token, const std::string& address);
  // Ends the session of the token; false when there was none.
  bool Close(const std::string& token);

  int IdleSeconds() const { return idleSeconds_; }

 private:
  ConnectionPool& pool_;
  int idleSeconds_;
  SecondsClock now_;
};

// The token of an "Authorization: Bearer TOKEN" header, or "".
std::string BearerToken(const std::string& authorizationHeader);

}  // namespace zor::server
