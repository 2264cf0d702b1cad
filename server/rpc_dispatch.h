// The JSON-RPC 2.0 envelope: reads one request body addressed to a remote
// data module, calls the module and writes the response body. A body may
// carry a batch: a list of calls run one after the other, in order. Nothing a
// client sends can make it throw; every refusal is a JSON-RPC error with a
// Portuguese message.
#pragma once

#include <cstddef>
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

// Whether a body may hold a list of calls. The session endpoint takes one
// call at a time.
enum class Batches { Accepted, Refused };
// A batch holds at most this many calls, so one request's work stays bounded;
// once its answers hold more than kMaxBatchAnswerBytes, the calls left are
// answered with an error instead of being run.
constexpr size_t kMaxBatchCalls = 8;
constexpr size_t kMaxBatchAnswerBytes = size_t{8} << 20;

// A batch's reply joins its calls' answers in a list, in the order of the
// calls; its method and log note join theirs, and it failed when one did.
RpcReply DispatchRpc(const ModuleCall& call, const std::string& body, Batches batches = Batches::Accepted);

// The answer to a call refused before it ran: no valid session.
RpcReply UnauthorizedReply(const std::string& message);

// The answer naming an unknown module.
RpcReply UnknownModuleReply(const std::string& moduleName);

}  // namespace zor::server
