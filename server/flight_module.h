// The remote data module of the wire contract (wire/module.h): a routine
// for each of its methods (the nine of the screen and the three of the
// schedule exchange), each run on a connection of its own. A Get answers
// with a packet of exactly the receiving dataset's fields; a Set writes one
// delta in one transaction.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "server/caller.h"
#include "server/connection_pool.h"
#include "wire/module.h"

namespace zor::server {

// What one call produced: the JSON-RPC result (the layout the client's
// result check reads) and, for the log, a short note on the outcome. The
// data of a call that succeeded is its JSON text, written apart (a packet
// is never built as a tree): the result's "data" is that text.
struct CallOutcome {
  nlohmann::ordered_json result;
  std::string logNote;  // "ok", or why the call was refused
  std::string data = {};  // JSON text of "data" when ok ("null": none)
};

class FlightModule {
 public:
  static constexpr const char* kName = wire::kModuleName;

  explicit FlightModule(ConnectionPool& pool) : pool_(pool) {}

  // Throws ProtocolError for an unknown method or wrong arguments; database
  // failures, refused saves and branches the caller may not use come back
  // as an "ok": false result. Every change accepted is audited in the name
  // of the caller.
  CallOutcome Call(const std::string& method, const nlohmann::ordered_json& params,
                   const Caller& caller = Caller::Internal());

  // Whether the database answers a trivial query; the message says what
  // failed (in Portuguese) when it does not.
  bool DatabaseReachable(std::string& message);

  static nlohmann::ordered_json Success(nlohmann::ordered_json data);
  static nlohmann::ordered_json Failure(const std::string& message);

 private:
  ConnectionPool& pool_;
};

}  // namespace zor::server
