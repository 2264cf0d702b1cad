// Reading a request body into JSON without trusting it: nesting depth is
// bounded while parsing (no recursion proportional to the input anywhere
// after), a key given twice in one object is refused, numbers beyond the
// double range and texts carrying a NUL character are refused. Every
// refusal is a ProtocolError with a Portuguese message.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace zor::server {

// Deepest nesting of arrays and objects a request may have; a delta needs 5.
constexpr int kMaxRequestDepth = 32;

nlohmann::ordered_json DecodeRequestBody(const std::string& body);

// What a caller sent, made safe for one log line: control characters and
// backslashes escaped, cut to at most maxBytes bytes of input.
std::string LogSafe(const std::string& text, size_t maxBytes = 200);

// A value echoed back in a message, cut to a readable length (whole UTF-8
// characters) with "…" when longer.
std::string EchoCut(const std::string& text, size_t maxChars = 40);

}  // namespace zor::server
