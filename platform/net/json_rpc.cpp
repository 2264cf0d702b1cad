// JSON-RPC 2.0 requests and responses, translated to and from variants.
#include "platform/net/json_rpc.h"

#include <cmath>

#include <nlohmann/json.hpp>

#include "platform/core/exceptions.h"
#include "platform/core/sysutils.h"
#include "platform/net/server_result.h"

namespace plat::json_rpc {

namespace {

using nlohmann::json;

const char* const kBadAnswer = "Resposta inválida do servidor de aplicação.";

json ToJson(const Variant& v) {
  switch (v.Type()) {
    case VarType::Null: return nullptr;
    case VarType::Bool: return v.AsBool();
    case VarType::Integer: return v.AsInteger();
    case VarType::Float: {
      double d = v.AsFloat();
      // JSON has no NaN or infinity; nlohmann would write null silently.
      if (!std::isfinite(d)) throw EVariantError("Valor numérico inválido para envio ao servidor.");
      return d;
    }
    case VarType::String: return v.AsString();
    case VarType::DateTime: return DateTimeToIso(v.AsDateTime());
    case VarType::Array: {
      json a = json::array();
      for (const Variant& e : v.AsArray()) a.push_back(ToJson(e));
      return a;
    }
    case VarType::Json: {
      json doc = json::parse(v.AsJson().Text, nullptr, /*allow_exceptions=*/false);
      if (doc.is_discarded()) throw EVariantError("Pacote de dados inválido para envio ao servidor.");
      return doc;
    }
  }
  return nullptr;
}

// The text of a JSON-RPC error object, or a generic one when it has none.
std::string ErrorMessage(const json& error) {
  if (error.is_object()) {
    auto it = error.find("message");
    if (it != error.end() && it->is_string() && !it->get<std::string>().empty())
      return it->get<std::string>();
  }
  return "O servidor de aplicação recusou a requisição.";
}

Variant DecodeResult(const json& result) {
  if (!result.is_object()) return MakeFailedResult(kBadAnswer);
  auto ok = result.find("ok");
  if (ok == result.end() || !ok->is_boolean()) return MakeFailedResult(kBadAnswer);
  if (!ok->get<bool>()) {
    auto msg = result.find("message");
    if (msg != result.end() && msg->is_string() && !msg->get<std::string>().empty())
      return MakeFailedResult(msg->get<std::string>());
    return MakeFailedResult("O servidor de aplicação recusou a operação.");
  }
  auto data = result.find("data");
  if (data == result.end() || data->is_null()) return MakeGoodResult(Variant());
  return MakeGoodResult(Variant(JsonText{data->dump()}));
}

}  // namespace

std::string EncodeRequest(int64_t id, const std::string& method, const std::vector<Variant>& args) {
  json params = json::array();
  for (const Variant& a : args) params.push_back(ToJson(a));
  json req = {{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", std::move(params)}};
  // Replace invalid UTF-8 rather than throw: a text typed by the user must
  // never take the call down with a library exception.
  return req.dump(-1, ' ', false, json::error_handler_t::replace);
}

Variant DecodeResponse(int64_t id, int status, const std::string& body) {
  json doc = json::parse(body, nullptr, /*allow_exceptions=*/false);
  bool is_response = doc.is_object() && (doc.contains("result") || doc.contains("error"));
  if (!is_response) {
    if (status != 200)
      return MakeFailedResult("O servidor de aplicação respondeu com o erro HTTP " + std::to_string(status) + ".");
    return MakeFailedResult(kBadAnswer);
  }
  // An error object is answered whatever the HTTP status (servers differ on
  // whether a JSON-RPC error is a 200 or a 4xx/5xx).
  if (auto err = doc.find("error"); err != doc.end() && !err->is_null()) return MakeFailedResult(ErrorMessage(*err));
  if (status != 200)
    return MakeFailedResult("O servidor de aplicação respondeu com o erro HTTP " + std::to_string(status) + ".");
  auto rid = doc.find("id");
  if (rid == doc.end() || !rid->is_number_integer() || rid->get<int64_t>() != id) return MakeFailedResult(kBadAnswer);
  return DecodeResult(doc["result"]);
}

}  // namespace plat::json_rpc
