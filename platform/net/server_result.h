// The layout of a server call's result as the client hands it to the
// result check. Every call through TAppServer::Call returns an array variant:
//
//   [true,  data]      the call succeeded; `data` is the data packet as a
//                      JsonText variant, or null when the method returns none
//   [false, message]   the call failed; `message` is the Portuguese text to
//                      show the user, unchanged (a refused save, a database
//                      error, an unreachable server, a malformed request)
//
// More payloads may follow `data` ([true, data0, data1, ...]); the result
// check's index picks one. Anything else is not a result.
#pragma once

#include <string>

#include "platform/core/variant.h"

namespace zor::plat {

inline Variant MakeGoodResult(Variant data) {
  return Variant(Variant::Array{Variant(true), std::move(data)});
}

inline Variant MakeFailedResult(const std::string& message) {
  return Variant(Variant::Array{Variant(false), Variant(message)});
}

// True when `result` has the layout above (at least the flag and one payload).
inline bool IsServerResult(const Variant& result) {
  return result.IsArray() && result.Length() >= 2 && result[0].Type() == VarType::Bool;
}

inline bool IsGoodResult(const Variant& result) {
  return IsServerResult(result) && result[0].AsBool();
}

}  // namespace zor::plat
