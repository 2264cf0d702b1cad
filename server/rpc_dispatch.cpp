// JSON-RPC envelope handling (see rpc_dispatch.h).
#include "server/rpc_dispatch.h"

#include "server/packet.h"
#include "server/reply_buffers.h"
#include "server/request_decoder.h"
#include "server/session_store.h"

namespace zor::server {

using json = nlohmann::ordered_json;

namespace {

std::string Dump(const json& j) { return j.dump(-1, ' ', false, json::error_handler_t::replace); }

RpcReply ErrorReply(int httpStatus, const json& id, int code, const std::string& message, std::string method) {
  RpcReply r;
  r.httpStatus = httpStatus;
  r.body = Dump({{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", message}}}});
  r.method = std::move(method);
  r.failed = true;
  r.logNote = "erro " + std::to_string(code) + ": " + message;
  return r;
}

}  // namespace

RpcReply UnknownModuleReply(const std::string& moduleName) {
  return ErrorReply(404, nullptr, rpc_code::kMethodNotFound,
                    "Módulo remoto desconhecido: \"" + EchoCut(moduleName) + "\". Este servidor atende " +
                        FlightModule::kName + ".",
                    "?");
}

RpcReply UnauthorizedReply(const std::string& message) {
  return ErrorReply(401, nullptr, kUnauthorizedCode, message, "?");
}

namespace {

RpcReply DispatchOne(const ModuleCall& call, const json& req) {
  if (!req.is_object())
    return ErrorReply(200, nullptr, rpc_code::kInvalidRequest,
                      "Requisição inválida: esperado um objeto JSON-RPC 2.0.", "?");

  // Only flat values are copied out of the request: the id is a text or a
  // number, and params are read in place.
  static const json kNone;
  auto idIt = req.find("id");
  bool notification = idIt == req.end();
  const json& idValue = notification ? kNone : *idIt;
  if (!idValue.is_null() && !idValue.is_string() && !idValue.is_number())
    return ErrorReply(200, nullptr, rpc_code::kInvalidRequest,
                      "Requisição inválida: \"id\" deve ser um texto ou um número.", "?");
  json id = idValue;
  auto version = req.find("jsonrpc");
  if (version == req.end() || *version != "2.0")
    return ErrorReply(200, id, rpc_code::kInvalidRequest, "Requisição inválida: \"jsonrpc\" deve ser \"2.0\".", "?");
  auto methodIt = req.find("method");
  if (methodIt == req.end() || !methodIt->is_string())
    return ErrorReply(200, id, rpc_code::kInvalidRequest,
                      "Requisição inválida: \"method\" deve ser o nome do método.", "?");
  std::string method = methodIt->get<std::string>();
  if (method.size() > 64)  // no method name is that long; keep the echo short
    return ErrorReply(200, id, rpc_code::kMethodNotFound,
                      "Método desconhecido: \"" + EchoCut(method) + "\" não existe em " + FlightModule::kName + ".",
                      "?");
  auto paramsIt = req.find("params");
  const json& params = paramsIt == req.end() ? kNone : *paramsIt;
  if (params.is_object())
    return ErrorReply(200, id, rpc_code::kInvalidParams,
                      "Parâmetros inválidos: os argumentos são posicionais; envie \"params\" como lista.", method);

  RpcReply reply;
  reply.method = method;
  json response = {{"jsonrpc", "2.0"}, {"id", id}};
  std::string data;
  try {
    CallOutcome out = call(method, params);
    reply.failed = !out.result.value("ok", false);
    reply.internal = out.logNote.rfind("erro de banco", 0) == 0;
    reply.logNote = out.logNote;
    data = std::move(out.data);
    response["result"] = std::move(out.result);
  } catch (const ProtocolError& e) {
    RpcReply r = ErrorReply(200, id, e.Code(), e.what(), method);
    if (notification) r.body.clear();
    return r;
  } catch (const std::exception& e) {
    RpcReply r = ErrorReply(200, id, rpc_code::kInternalError, "Erro interno do servidor ao executar " + method + ".",
                            method);
    r.internal = true;
    r.logNote += std::string(" (") + e.what() + ")";
    if (notification) r.body.clear();
    return r;
  }
  if (notification) {
    reply.httpStatus = 204;
    return reply;
  }
  if (reply.failed || data.empty()) {
    reply.body = Dump(response);
    return reply;
  }
  // The data is already JSON text: the envelope is written around it, in
  // its own buffer (no second copy of a large answer), not parsed again.
  data.insert(0, "{\"jsonrpc\":\"2.0\",\"id\":" + Dump(id) + ",\"result\":{\"ok\":true,\"data\":");
  data += "}}";
  reply.body = std::move(data);
  return reply;
}

// A call of a batch left unrun: its answer says why, under its own id (a
// notification gets none).
RpcReply NotRun(const json& req, const std::string& why) {
  if (!req.is_object()) return ErrorReply(200, nullptr, rpc_code::kInvalidRequest, why, "?");
  const auto id = req.find("id"), method = req.find("method");
  if (id == req.end()) return RpcReply{};
  const bool namedMethod =
      method != req.end() && method->is_string() && method->get_ref<const std::string&>().size() <= 64;
  return ErrorReply(200, id->is_string() || id->is_number() ? *id : json(), rpc_code::kInvalidRequest, why,
                    namedMethod ? method->get<std::string>() : "?");
}

}  // namespace

RpcReply DispatchRpc(const ModuleCall& call, const std::string& body, Batches batches) {
  json req;
  try {
    req = DecodeRequestBody(body);
  } catch (const ProtocolError& e) {
    return ErrorReply(200, nullptr, e.Code(), e.what(), "?");
  }
  if (!req.is_array()) return DispatchOne(call, req);
  if (batches == Batches::Refused)
    return ErrorReply(200, nullptr, rpc_code::kInvalidRequest,
                      "Chamadas em lote não são atendidas: envie uma chamada por requisição.", "?");
  if (req.empty())
    return ErrorReply(200, nullptr, rpc_code::kInvalidRequest, "Requisição inválida: o lote não tem chamadas.", "?");
  if (req.size() > kMaxBatchCalls)
    return ErrorReply(200, nullptr, rpc_code::kInvalidRequest,
                      "Requisição inválida: um lote leva no máximo " + std::to_string(kMaxBatchCalls) +
                          " chamadas; este leva " + std::to_string(req.size()) + ".",
                      "?");
  // One after the other, in the order sent, each as if it came alone; the
  // answers in the same order, without those of notifications.
  const auto append = [](std::string& to, const std::string& what, const char* between) {
    if (!to.empty() && !what.empty()) to += between;
    to += what;
  };
  RpcReply batch;
  batch.body = reply_buffers::Take();
  batch.body += '[';
  for (const json& one : req) {
    // A batch of large answers is cut short, so that one request cannot
    // hold many companies' flight lists at once.
    RpcReply r = batch.body.size() > kMaxBatchAnswerBytes
                     ? NotRun(one, "Chamada não executada: as respostas anteriores do lote já passam de " +
                                       std::to_string(kMaxBatchAnswerBytes >> 20) +
                                       " MiB. Envie-a em outra requisição.")
                     : DispatchOne(call, one);
    append(batch.method, r.method, "+");
    append(batch.logNote, r.logNote, "; ");
    batch.failed = batch.failed || r.failed;
    batch.internal = batch.internal || r.internal;
    if (r.body.empty()) continue;
    if (batch.body.size() > 1) batch.body += ',';
    batch.body += r.body;
    reply_buffers::GiveBack(std::move(r.body));
  }
  batch.body += ']';
  if (batch.body.size() == 2) {  // notifications only
    batch.body.clear();
    batch.httpStatus = 204;
  }
  return batch;
}

}  // namespace zor::server
