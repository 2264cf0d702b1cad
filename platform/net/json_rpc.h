// Encoding of a JSON-RPC 2.0 call and decoding of its answer into the
// result layout of server_result.h. Kept apart from the transport so both
// halves can be tested without a network.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/variant.h"

namespace zor::plat::json_rpc {

// The request text. Strings travel as JSON strings, a JsonText argument (a
// delta) as the JSON document it holds, null as null, numbers and booleans
// as such, date-times as ISO 8601 text and arrays as JSON arrays. Raises
// EVariantError with a Portuguese message when a JsonText is not valid JSON.
std::string EncodeRequest(int64_t id, const std::string& method, const std::vector<Variant>& args);

// One call of a batch: a method and its positional arguments.
struct Call {
  std::string method;
  std::vector<Variant> args;
};

// A batch: the calls as one JSON list, numbered from `firstId` on.
std::string EncodeBatch(int64_t firstId, const std::vector<Call>& calls);

// The result variant for an HTTP answer to request `id`: `status` is the
// HTTP status and `body` its text. A JSON-RPC error object, an HTTP error
// status or an answer that is not a JSON-RPC response to this request all
// give a failure result.
Variant DecodeResponse(int64_t id, int status, const std::string& body);

// The result variants of a batch of `count` calls numbered from `firstId`
// on, in the order of the calls, whatever order the answers came in. A call
// left without an answer gets a failure result; an answer that refuses the
// whole batch (an error object alone, an HTTP error) is every call's.
std::vector<Variant> DecodeBatchResponse(int64_t firstId, size_t count, int status, const std::string& body);

}  // namespace zor::plat::json_rpc
