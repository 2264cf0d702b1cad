// The nine methods of the flight data module (see flight_module.h).
#include "server/flight_module.h"

#include <functional>
#include <map>

#include "server/branch_scope.h"
#include "server/dataset_catalog.h"
#include "server/db_fault_text.h"
#include "server/delta_apply.h"
#include "server/packet.h"

namespace zor::server {

using json = nlohmann::ordered_json;

namespace {

enum class Arg { code, delta };

// What a method runs on: its connection, its arguments, who calls and the
// audit trail of the call.
struct Work {
  Connection& c;
  const std::vector<json>& a;
  const Caller& caller;
  const std::string& method;
};

struct Method {
  std::vector<const char*> argNames;  // for messages
  std::vector<Arg> args;
  int branchArg;  // the argument naming the branch; -1: none (lookup tables)
  std::function<json(const Work&)> run;
};

// A code argument: a text; null stands for an empty code (a field that has
// no value yet, such as the leg code of a leg being inserted).
std::string code(const json& v) { return v.is_null() ? std::string() : v.get<std::string>(); }

json fetch(Connection& c, const DatasetDef& d, const std::string& where, const std::vector<SqlValue>& params) {
  std::string sql = selectSql(d);
  if (!where.empty()) sql += " WHERE " + where;
  sql += " ORDER BY " + d.orderBy;
  return makePacket(d, c.query(sql, params));
}

json save(const Work& w, const DatasetDef& d) {
  // The delta is read in full, and every branch it names checked, before
  // anything is written.
  auto changes = parseDelta(d, w.a[0]);
  checkDeltaBranches(w.caller, d, changes);
  AuditRecorder audit(w.c, w.caller, w.method);
  applyDelta(w.c, d, changes, &audit);
  return nullptr;
}

const std::map<std::string, Method>& methods() {
  static const std::map<std::string, Method> m = {
      {"GetTipoVoo", {{}, {}, -1, [](const Work& w) { return fetch(w.c, tipoVooDataset(), "", {}); }}},
      {"GetVoo",
       {{"CDFILIAL", "CDCIA"},
        {Arg::code, Arg::code},
        0,
        [](const Work& w) {
          return fetch(w.c, vooDataset(), "V.CDFILIAL = ? AND V.CDCIA = ?", {code(w.a[0]), code(w.a[1])});
        }}},
      {"GetTrecho",
       {{"CDCIA", "NRVOO", "CDFILIAL"},
        {Arg::code, Arg::code, Arg::code},
        2,
        [](const Work& w) {
          return fetch(w.c, trechoDataset(), "R.CDFILIAL = ? AND R.CDCIA = ? AND R.NRVOO = ?",
                       {code(w.a[2]), code(w.a[0]), code(w.a[1])});
        }}},
      {"GetClasseVoo",
       {{"CDFILIAL", "CDCIA", "CDTRECHO", "NRVOO"},
        {Arg::code, Arg::code, Arg::code, Arg::code},
        0,
        [](const Work& w) {
          return fetch(w.c, classeVooDataset(), "C.CDFILIAL = ? AND C.CDCIA = ? AND C.NRVOO = ? AND C.CDTRECHO = ?",
                       {code(w.a[0]), code(w.a[1]), code(w.a[3]), code(w.a[2])});
        }}},
      {"GetTurno",
       {{"NRTURNO", "lista"},
        {Arg::code, Arg::code},
        -1,
        [](const Work& w) {
          if (code(w.a[1]) == "T") return fetch(w.c, pesqTurnoDataset(), "", {});
          return fetch(w.c, pesqTurnoDataset(), "T.NRTURNO = ?", {code(w.a[0])});
        }}},
      {"SetVoo", {{"delta"}, {Arg::delta}, -1, [](const Work& w) { return save(w, vooDataset()); }}},
      {"SetTrecho", {{"delta"}, {Arg::delta}, -1, [](const Work& w) { return save(w, trechoDataset()); }}},
      {"SetClasseVoo", {{"delta"}, {Arg::delta}, -1, [](const Work& w) { return save(w, classeVooDataset()); }}},
      {"SetDelTdsTrechos",
       {{"CDFILIAL", "CDCIA", "NRVOO"},
        {Arg::code, Arg::code, Arg::code},
        0,
        [](const Work& w) -> json {
          AuditRecorder audit(w.c, w.caller, w.method);
          deleteAllLegs(w.c, code(w.a[0]), code(w.a[1]), code(w.a[2]), &audit);
          return nullptr;
        }}},
  };
  return m;
}

std::vector<json> checkArgs(const std::string& name, const Method& m, const json& params) {
  std::vector<json> args;
  if (params.is_null()) {
    // "params" may be left out only by a method without arguments
  } else if (params.is_array()) {
    args.assign(params.begin(), params.end());
  } else {
    throw ProtocolError(rpc_code::invalidParams,
                        "Parâmetros inválidos: \"params\" deve ser a lista dos argumentos de " + name + ".");
  }
  if (args.size() != m.args.size()) {
    std::string expected;
    for (auto* a : m.argNames) expected += (expected.empty() ? "" : ", ") + std::string(a);
    throw ProtocolError(rpc_code::invalidParams,
                        "Parâmetros inválidos: " + name + " recebe " + std::to_string(m.args.size()) +
                            " argumento(s)" + (expected.empty() ? "" : " (" + expected + ")") + ", mas recebeu " +
                            std::to_string(args.size()) + ".");
  }
  for (size_t i = 0; i < args.size(); ++i) {
    bool okType = m.args[i] == Arg::code ? (args[i].is_string() || args[i].is_null()) : args[i].is_object();
    if (!okType)
      throw ProtocolError(rpc_code::invalidParams,
                          "Parâmetros inválidos: o argumento " + std::to_string(i + 1) + " (" + m.argNames[i] +
                              ") de " + name + " deve ser " +
                              (m.args[i] == Arg::code ? "um texto." : "um delta (objeto JSON)."));
  }
  return args;
}

}  // namespace

json FlightModule::success(json data) { return {{"ok", true}, {"data", std::move(data)}}; }
json FlightModule::failure(const std::string& message) { return {{"ok", false}, {"message", message}}; }

bool FlightModule::databaseReachable(std::string& message) {
  try {
    auto c = pool_.acquire();
    c->query("SELECT 1");
    return true;
  } catch (const DbError& e) {
    message = dbFaultMessage(e);
  } catch (const std::exception& e) {
    message = e.what();
  }
  return false;
}

CallOutcome FlightModule::call(const std::string& method, const json& params, const Caller& caller) {
  auto it = methods().find(method);
  if (it == methods().end())
    throw ProtocolError(rpc_code::methodNotFound,
                        "Método desconhecido: \"" + method + "\" não existe em " + kName + ".");
  auto args = checkArgs(method, it->second, params);
  try {
    if (it->second.branchArg >= 0) checkBranch(caller, code(args[static_cast<size_t>(it->second.branchArg)]));
    return {success(pool_.run([&](Connection& c) { return it->second.run(Work{c, args, caller, method}); })), "ok"};
  } catch (const BranchRefused& e) {
    return {failure(e.what()), std::string("recusado (filial): ") + e.what()};
  } catch (const SaveRefused& e) {
    return {failure(e.what()), std::string("recusado: ") + e.what()};
  } catch (const DbError& e) {
    return {failure(dbFaultMessage(e)), std::string("erro de banco: ") + e.what()};
  }
}

}  // namespace zor::server
