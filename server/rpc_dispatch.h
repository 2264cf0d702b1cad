// The JSON-RPC 2.0 envelope: reads one request body addressed to a remote
// data module, calls the module and writes the response body. Nothing a
// client sends can make it throw; every refusal is a JSON-RPC error with a
// Portuguese message.
#pragma once

#include <functional>
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

// Runs one method of a module: (method, params) -> outcome.
using ModuleCall = std::function<CallOutcome(const std::string&, const nlohmann::ordered_json&)>;

RpcReply DispatchRpc(const ModuleCall& call, const std::string& body);

// The answer to a call refused before it ran: no valid session.
RpcReply UnauthorizedReply(const std::string& message);

// The answer naming an unknown module.
RpcReply UnknownModuleReply(const std::string& moduleName);

}  // namespace zor::server
