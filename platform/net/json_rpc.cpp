// JSON-RPC 2.0 requests and responses, translated to and from variants.
#include "platform/net/json_rpc.h"

#include <cmath>
#include <optional>
#include <string_view>

#include <nlohmann/json.hpp>

#include "platform/core/exceptions.h"
#include "platform/core/platform_texts.h"
#include "platform/core/sysutils.h"
#include "platform/core/variant_codec.h"
#include "platform/net/server_result.h"
#include "wire/json_scanner.h"
#include "wire/packet_reader.h"
#include "wire/packet_writer.h"

namespace zor::plat::json_rpc {

namespace {

using nlohmann::json;

using Parts = wire::BasicParsedDocument<Variant>;

void WriteArg(wire::ValueWriter& w, const Variant& v) {
  switch (v.Type()) {
    case VarType::Null: w.Null(); return;
    case VarType::Bool: w.Boolean(v.AsBool()); return;
    case VarType::Integer: w.Integer(v.AsInteger()); return;
    case VarType::Float: {
      double d = v.AsFloat();
      // JSON has no NaN or infinity.
      if (!std::isfinite(d)) throw EVariantError(PlatformText("net.bad_number_to_send"));
      w.Float(d);
      return;
    }
    // Texts typed by the user with broken UTF-8 have the broken bytes
    // replaced: they must never take the call down.
    case VarType::String: w.String(v.AsString()); return;
    case VarType::DateTime: w.String(DateTimeToIso(v.AsDateTime())); return;
    case VarType::Array:
      w.BeginList();
      for (const Variant& e : v.AsArray()) WriteArg(w, e);
      w.EndList();
      return;
    case VarType::Json: {
      // A delta travels as the document it is, checked but not rebuilt.
      const std::string& text = v.AsJson().Text;
      if (!wire::IsJson(text)) throw EVariantError(PlatformText("net.bad_packet_to_send"));
      w.Raw(text);
      return;
    }
    case VarType::Packet: {
      w.Raw(wire::EncodePacket(*v.AsPacket()));
      return;
    }
  }
}

// The text of a JSON-RPC error object, or a generic one when it has none.
std::string ErrorMessage(const json& error) {
  if (error.is_object()) {
    auto it = error.find("message");
    if (it != error.end() && it->is_string() && !it->get<std::string>().empty())
      return it->get<std::string>();
  }
  return PlatformText("net.request_refused");
}

// The call's data: a packet is typed and handed over with its rows as they
// were parsed; any other document, or a packet that does not follow its
// own fields (the dataset that loads it says what is wrong), as its text.
Variant DecodeData(json& data, Parts& parts) {
  if (data.is_object() && data.contains("fields") && parts.RowsFound) {
    try {
      return Variant(std::make_shared<SharedPacket::element_type>(wire::PacketFromParts(data, parts)));
    } catch (const wire::DecodeError&) {
    }
  }
  wire::RestoreRows(data, parts);
  return Variant(JsonText{data.dump()});
}

Variant DecodeResult(json& result, Parts& parts) {
  if (!result.is_object()) return MakeFailedResult(PlatformText("server.invalid_answer"));
  auto ok = result.find("ok");
  if (ok == result.end() || !ok->is_boolean()) return MakeFailedResult(PlatformText("server.invalid_answer"));
  if (!ok->get<bool>()) {
    auto msg = result.find("message");
    if (msg != result.end() && msg->is_string() && !msg->get<std::string>().empty())
      return MakeFailedResult(msg->get<std::string>());
    return MakeFailedResult(PlatformText("server.refused"));
  }
  auto data = result.find("data");
  if (data == result.end() || data->is_null()) return MakeGoodResult(Variant());
  return MakeGoodResult(DecodeData(*data, parts));
}

}  // namespace

namespace {

void WriteRequest(wire::ValueWriter& w, int64_t id, const std::string& method, const std::vector<Variant>& args) {
  w.BeginObject();
  w.Key("jsonrpc");
  w.String("2.0");
  w.Key("id");
  w.Integer(id);
  w.Key("method");
  w.String(method);
  w.Key("params");
  w.BeginList();
  for (const Variant& a : args) WriteArg(w, a);
  w.EndList();
  w.EndObject();
}

}  // namespace

std::string EncodeRequest(int64_t id, const std::string& method, const std::vector<Variant>& args) {
  std::string out;
  wire::ValueWriter w(out);
  WriteRequest(w, id, method, args);
  return out;
}

std::string EncodeBatch(int64_t firstId, const std::vector<Call>& calls) {
  std::string out;
  wire::ValueWriter w(out);
  w.BeginList();
  for (const Call& c : calls) WriteRequest(w, firstId++, c.method, c.args);
  w.EndList();
  return out;
}

namespace {

// One answer, parsed apart: the rows of a packet in the result go straight
// into variants.
struct ParsedAnswer {
  explicit ParsedAnswer(std::string_view text) {
    std::string error;
    parsed = wire::ParseDocument(text, {"result", "data"}, parts, error);
  }
  // Its id, when it is an answer with a whole-number id.
  std::optional<int64_t> Id() const {
    if (!parsed || !parts.Tree.is_object()) return std::nullopt;
    auto id = parts.Tree.find("id");
    if (id == parts.Tree.end() || !id->is_number_integer()) return std::nullopt;
    return id->get<int64_t>();
  }
  bool parsed = false;
  Parts parts;
};

Variant Decode(int64_t id, int status, ParsedAnswer& answer) {
  json& doc = answer.parts.Tree;
  bool isResponse = answer.parsed && doc.is_object() && (doc.contains("result") || doc.contains("error"));
  if (!isResponse) {
    if (status != 200) return MakeFailedResult(PlatformText("net.http_error", {std::to_string(status)}));
    return MakeFailedResult(PlatformText("server.invalid_answer"));
  }
  // An error object is answered whatever the HTTP status (servers differ on
  // whether a JSON-RPC error is a 200 or a 4xx/5xx).
  if (auto err = doc.find("error"); err != doc.end() && !err->is_null()) return MakeFailedResult(ErrorMessage(*err));
  if (status != 200) return MakeFailedResult(PlatformText("net.http_error", {std::to_string(status)}));
  if (answer.Id() != id) return MakeFailedResult(PlatformText("server.invalid_answer"));
  return DecodeResult(doc["result"], answer.parts);
}

// The texts of the elements of `list`, a JSON list known to be valid JSON:
// each runs from its first character to the comma or bracket that ends it
// at the list's own depth.
std::vector<std::string_view> Elements(std::string_view list) {
  std::vector<std::string_view> out;
  size_t depth = 0, start = 0;
  bool inText = false;
  for (size_t i = 0; i < list.size(); ++i) {
    const char c = list[i];
    if (inText) {
      if (c == '\\') ++i;
      else if (c == '"') inText = false;
      continue;
    }
    if (c == '"') {
      inText = true;
    } else if (c == '[' || c == '{') {
      if (++depth == 1) start = i + 1;
    } else if (c == ']' || c == '}' || (c == ',' && depth == 1)) {
      if (depth == 1) {
        std::string_view element = list.substr(start, i - start);
        if (element.find_first_not_of(" \t\r\n") != std::string_view::npos) out.push_back(element);
        start = i + 1;
      }
      if (c != ',') --depth;
    }
  }
  return out;
}

}  // namespace

Variant DecodeResponse(int64_t id, int status, const std::string& body) {
  ParsedAnswer answer(body);
  return Decode(id, status, answer);
}

std::vector<Variant> DecodeBatchResponse(int64_t firstId, size_t count, int status, const std::string& body) {
  const size_t first = body.find_first_not_of(" \t\r\n");
  if (first == std::string::npos || body[first] != '[' || !wire::IsJson(body)) {
    // The batch refused as a whole: no id here can match a call's.
    return std::vector<Variant>(count, DecodeResponse(firstId - 1, status, body));
  }
  std::vector<Variant> results(count, MakeFailedResult(PlatformText("server.invalid_answer")));
  std::vector<bool> answered(count, false);
  // Each answer is read once, on its own, wherever it stands in the list.
  for (std::string_view text : Elements(std::string_view(body).substr(first))) {
    ParsedAnswer answer(text);
    const std::optional<int64_t> id = answer.Id();
    if (!id || *id < firstId || *id - firstId >= static_cast<int64_t>(count) || answered[*id - firstId]) continue;
    answered[*id - firstId] = true;
    results[*id - firstId] = Decode(*id, status, answer);
  }
  return results;
}

}  // namespace zor::plat::json_rpc
