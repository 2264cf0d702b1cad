// The JSON-RPC 2.0 envelope: reads one request body addressed to a remote
// data module, calls the module and writes the response body. Nothing a
// client sends can make it throw; every refusal is a JSON-RPC error with a
// Portuguese message.
#pragma once

#include <string>

#include "server/flight_module.h"

namespace zor::server {

struct RpcReply {
  int httpStatus = 200;
  std::string body;         // empty for a notification
  std::string method;       // for the log ("?" when unreadable)
  bool failed = false;      // a JSON-RPC error or an "ok": false result
  bool internal = false;    // the database failed
  std::string logNote;
};

RpcReply dispatchRpc(FlightModule& module, const std::string& moduleName, const std::string& body);

}  // namespace zor::server
