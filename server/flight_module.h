// The remote data module "Zor12200.rdmVooTrecho": its nine methods with
// their positional arguments, each run on a connection of its own. A Get
// answers with a packet of exactly the receiving dataset's fields; a Set
// writes one delta in one transaction.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "server/caller.h"
#include "server/connection_pool.h"

namespace zor::server {

// What one call produced: the JSON-RPC result (the layout the client's
// result check reads) and, for the log, a short note on the outcome.
struct CallOutcome {
  nlohmann::ordered_json result;
  std::string logNote;  // "ok", or why the call was refused
};

class FlightModule {
 public:
  static constexpr const char* kName = "Zor12200.rdmVooTrecho";

  explicit FlightModule(ConnectionPool& pool) : pool_(pool) {}

  // Throws ProtocolError for an unknown method or wrong arguments; database
  // failures, refused saves and branches the caller may not use come back
  // as an "ok": false result. Every change accepted is audited in the name
  // of the caller.
  CallOutcome call(const std::string& method, const nlohmann::ordered_json& params,
                   const Caller& caller = Caller::internal());

  // Whether the database answers a trivial query; the message says what
  // failed (in Portuguese) when it does not.
  bool databaseReachable(std::string& message);

  static nlohmann::ordered_json success(nlohmann::ordered_json data);
  static nlohmann::ordered_json failure(const std::string& message);

 private:
  ConnectionPool& pool_;
};

}  // namespace zor::server
