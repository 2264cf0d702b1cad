// The session endpoint (see session_module.h).
#include "server/session_module.h"

#include "server/audit_trail.h"
#include "server/db_fault_text.h"
#include "server/packet.h"
#include "server/user_store.h"

namespace zor::server {

using json = nlohmann::ordered_json;

namespace {

const char* kWrong = "Usuário ou senha inválidos.";

std::vector<std::string> TextArgs(const std::string& method, const json& params, size_t count,
                                  const char* names) {
  if (!params.is_array() || params.size() != count)
    throw ProtocolError(rpc_code::kInvalidParams, "Parâmetros inválidos: " + method + " recebe " +
                                                     std::to_string(count) + " argumento(s) (" + names + ").");
  std::vector<std::string> out;
  for (const auto& p : params) {
    if (!p.is_string() && !p.is_null())
      throw ProtocolError(rpc_code::kInvalidParams,
                          "Parâmetros inválidos: os argumentos de " + method + " devem ser textos.");
    out.push_back(p.is_null() ? "" : p.get<std::string>());
  }
  return out;
}

// A hash to check against when the user does not exist, so that the answer
// takes as long as for a wrong password.
const std::string& DecoyHash() {
  static const std::string kH = HashPassword("senha-de-referencia-inexistente");
  return kH;
}

std::string Minutes(std::int64_t seconds) {
  std::int64_t m = (seconds + 59) / 60;
  return std::to_string(m) + (m == 1 ? " minuto" : " minutos");
}

}  // namespace

SessionModule::SessionModule(ConnectionPool& pool, SessionOptions options, SecondsClock now)
    : pool_(pool), sessions_(pool, options.idleMinutes * 60, now), throttle_(options.throttle, now) {}

CallOutcome SessionModule::Call(const std::string& method, const json& params, const std::string& address,
                                const std::string& bearer) {
  try {
    if (method == "Login") {
      auto a = TextArgs(method, params, 2, "usuário, senha");
      return Login(a[0], a[1], address);
    }
    if (method == "Logout") {
      auto a = TextArgs(method, params, 1, "token");
      bool closed = sessions_.Close(a[0]);
      return {FlightModule::Success(closed), closed ? "ok" : "ok (sessão já encerrada)"};
    }
    if (method == "GetAuditoria") return Audit(params, address, bearer);
  } catch (const AuthError& e) {
    throw ProtocolError(kUnauthorizedCode, e.what());
  } catch (const DbError& e) {
    return {FlightModule::Failure(DbFaultMessage(e)), std::string("erro de banco: ") + e.what()};
  }
  throw ProtocolError(rpc_code::kMethodNotFound,
                      "Método desconhecido: \"" + method + "\" não existe em " + kName + ".");
}

CallOutcome SessionModule::Login(const std::string& user, const std::string& password, const std::string& address) {
  if (auto wait = throttle_.WaitBeforeAttempt(user, address); wait > 0)
    return {FlightModule::Failure("Muitas tentativas de entrada sem sucesso. Aguarde " + Minutes(wait) +
                                  " e tente novamente."),
            "recusado: tentativas demais para o usuário " + user};
  auto found = pool_.Run([&](Connection& c) { return FindUser(c, user); });
  bool match;
  {
    hashing_.acquire();
    struct Release {
      std::counting_semaphore<2>& s;
      ~Release() { s.release(); }
    } release{hashing_};
    match = VerifyPassword(password, found ? found->passwordHash : DecoyHash()) && found;
  }
  if (!match) {
    throttle_.Failed(user, address);
    return {FlightModule::Failure(kWrong), "recusado: senha inválida para o usuário " + user};
  }
  if (!found->enabled)
    return {FlightModule::Failure("O usuário " + user + " está desativado. Procure o administrador do sistema."),
            "recusado: usuário desativado " + user};
  throttle_.Succeeded(user, address);
  std::string token = sessions_.Open(found->code, address);
  json branches = json::array();
  pool_.Run([&](Connection& c) {
    for (const auto& b : found->branches) {
      auto r = c.Query("SELECT NMFILIAL FROM FILIAL WHERE CDFILIAL = ?", {b});
      std::string name = r.rows.empty() || IsNull(r.rows[0][0]) ? "" : std::get<std::string>(r.rows[0][0]);
      branches.push_back({{"CDFILIAL", b}, {"NMFILIAL", name}});
    }
    return 0;
  });
  json data = {{"token", token},
               {"usuario", found->code},
               {"nome", found->name},
               {"filiais", branches},
               {"filialFixa", found->branchFixed},
               {"inatividadeMinutos", sessions_.IdleSeconds() / 60}};
  return {FlightModule::Success(std::move(data)), "ok: usuário " + found->code};
}

CallOutcome SessionModule::Audit(const json& params, const std::string& address, const std::string& bearer) {
  auto a = TextArgs("GetAuditoria", params, 4, "CDFILIAL, CDCIA, NRVOO, desde");
  Caller caller = sessions_.Resolve(bearer, address);
  if (!a[0].empty() && !caller.MayUse(a[0]))
    return {FlightModule::Failure("O usuário " + caller.user + " não tem acesso à filial " + a[0] + "."),
            "recusado (filial)"};
  AuditFilter f;
  f.branches = caller.branches;
  f.branch = a[0];
  f.company = a[1];
  f.flight = a[2];
  f.since = a[3];
  auto entries = pool_.Run([&](Connection& c) { return ReadAudit(c, f); });
  json rows = json::array();
  for (const auto& e : entries) {
    json cols = json::array();
    for (const auto& col : e.columns)
      cols.push_back({{"campo", col.name},
                      {"antes", col.oldValue ? json(*col.oldValue) : json(nullptr)},
                      {"depois", col.newValue ? json(*col.newValue) : json(nullptr)}});
    rows.push_back({{"quando", e.when},
                    {"usuario", e.user},
                    {"endereco", e.address},
                    {"metodo", e.method},
                    {"tabela", e.table},
                    {"chave", e.key},
                    {"tipo", AuditKindName(e.kind)},
                    {"campos", cols}});
  }
  return {FlightModule::Success(std::move(rows)), "ok"};
}

}  // namespace zor::server
