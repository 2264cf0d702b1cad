// The session endpoint "Sessao" beside the data module: Login(user,
// password) gives a token with the user's name and branches, Logout(token)
// ends it, and GetAuditoria reads the audit trail of the caller's branches
// (for a history view). The data module accepts a call only with a token
// of an open session (Authorization: Bearer TOKEN).
#pragma once

#include <nlohmann/json.hpp>
#include <semaphore>
#include <string>

#include "server/connection_pool.h"
#include "server/flight_module.h"
#include "server/login_throttle.h"
#include "server/session_store.h"

namespace zor::server {

struct SessionOptions {
  int idleMinutes = 30;  // a session without calls for this long ends
  ThrottlePolicy throttle;
};

class SessionModule {
 public:
  static constexpr const char* kName = "Sessao";

  SessionModule(ConnectionPool& pool, SessionOptions options, SecondsClock now = SystemSeconds);

  // `address`: the client's; `bearer`: the token of the Authorization
  // header ("" when none), needed by GetAuditoria only.
  CallOutcome Call(const std::string& method, const nlohmann::ordered_json& params, const std::string& address,
                   const std::string& bearer);

  SessionStore& Sessions() { return sessions_; }

 private:
  CallOutcome Login(const std::string& user, const std::string& password, const std::string& address);
  CallOutcome Audit(const nlohmann::ordered_json& args, const std::string& address, const std::string& bearer);

  ConnectionPool& pool_;
  SessionStore sessions_;
  LoginThrottle throttle_;
  // Each password check takes 64 MiB for a tenth of a second: two at a time.
  std::counting_semaphore<2> hashing_{2};
};

}  // namespace zor::server
