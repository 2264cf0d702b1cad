// The methods of the flight data module (see flight_module.h).
#include "server/flight_module.h"

#include <functional>
#include <map>

#include "server/dataset_catalog.h"
#include "server/db_fault_text.h"
#include "server/delta_apply.h"
#include "server/packet.h"
#include "server/ssim/schedule_methods.h"
#include "wire/module.h"

namespace zor::server {

using json = nlohmann::ordered_json;

namespace {

using wire::ArgKind;
namespace method = wire::method;

// What a method answers: the JSON text of its data ("null" when it has none).
using Routine = std::function<std::string(Connection&, const std::vector<json>&)>;

struct Method {
  const wire::MethodDef& def;
  Routine run;
};

// A code argument: a text; null stands for an empty code (a field that has
// no value yet, such as the leg code of a leg being inserted).
std::string code(const json& v) { return v.is_null() ? std::string() : v.get<std::string>(); }

std::string fetch(Connection& c, const DatasetDef& d, const std::string& where, const std::vector<SqlValue>& params) {
  std::string sql = selectSql(d);
  if (!where.empty()) sql += " WHERE " + where;
  sql += " ORDER BY " + d.orderBy;
  return packetText(d, c.query(sql, params));
}

std::string save(Connection& c, const DatasetDef& d, const json& delta) {
  // The delta is read in full before anything is written.
  applyDelta(c, d, parseDelta(d, delta));
  return "null";
}

// The routine of each method of the wire's table, by name.
const std::map<std::string, Routine>& routines() {
  static const std::map<std::string, Routine> r = {
      {method::GetTipoVoo, [](Connection& c, const std::vector<json>&) { return fetch(c, tipoVooDataset(), "", {}); }},
      {method::GetVoo,
       [](Connection& c, const std::vector<json>& a) {
         return fetch(c, vooDataset(), "V.CDFILIAL = ? AND V.CDCIA = ?", {code(a[0]), code(a[1])});
       }},
      {method::GetTrecho,
       [](Connection& c, const std::vector<json>& a) {
         return fetch(c, trechoDataset(), "R.CDFILIAL = ? AND R.CDCIA = ? AND R.NRVOO = ?",
                      {code(a[2]), code(a[0]), code(a[1])});
       }},
      {method::GetClasseVoo,
       [](Connection& c, const std::vector<json>& a) {
         return fetch(c, classeVooDataset(), "C.CDFILIAL = ? AND C.CDCIA = ? AND C.NRVOO = ? AND C.CDTRECHO = ?",
                      {code(a[0]), code(a[1]), code(a[3]), code(a[2])});
       }},
      {method::GetTurno,
       [](Connection& c, const std::vector<json>& a) {
         if (code(a[1]) == "T") return fetch(c, pesqTurnoDataset(), "", {});
         return fetch(c, pesqTurnoDataset(), "T.NRTURNO = ?", {code(a[0])});
       }},
      {method::SetVoo, [](Connection& c, const std::vector<json>& a) { return save(c, vooDataset(), a[0]); }},
      {method::SetTrecho, [](Connection& c, const std::vector<json>& a) { return save(c, trechoDataset(), a[0]); }},
      {method::SetClasseVoo,
       [](Connection& c, const std::vector<json>& a) { return save(c, classeVooDataset(), a[0]); }},
      // The schedule exchange with the airlines (docs/ssim.md).
      {method::GetSsim,
       [](Connection& c, const std::vector<json>& a) {
         return ssim::exportMethod(c, code(a[0]), code(a[1]), code(a[2]), code(a[3])).dump();
       }},
      {method::GetPlanoSsim,
       [](Connection& c, const std::vector<json>& a) {
         return ssim::planMethod(c, code(a[0]), code(a[1]), code(a[2]), code(a[3])).dump();
       }},
      {method::SetSsim,
       [](Connection& c, const std::vector<json>& a) {
         return ssim::applyMethod(c, code(a[0]), code(a[1]), code(a[2]), code(a[3]), code(a[4])).dump();
       }},
      {method::SetDelTdsTrechos,
       [](Connection& c, const std::vector<json>& a) {
         deleteAllLegs(c, code(a[0]), code(a[1]), code(a[2]));
         return std::string("null");
       }},
  };
  return r;
}

// Every method of the wire's table with its routine; a method without one
// is a fault of this program, found when the module is first used.
const std::map<std::string, Method>& methods() {
  static const std::map<std::string, Method> m = [] {
    std::map<std::string, Method> out;
    for (const wire::MethodDef& def : wire::Methods()) {
      auto r = routines().find(def.Name);
      if (r == routines().end()) throw std::logic_error(std::string("método sem rotina: ") + def.Name);
      out.emplace(def.Name, Method{def, r->second});
    }
    return out;
  }();
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
  const auto& expectedArgs = m.def.Args;
  if (args.size() != expectedArgs.size()) {
    std::string expected;
    for (const auto& a : expectedArgs) expected += (expected.empty() ? "" : ", ") + std::string(a.Name);
    throw ProtocolError(rpc_code::invalidParams,
                        "Parâmetros inválidos: " + name + " recebe " + std::to_string(expectedArgs.size()) +
                            " argumento(s)" + (expected.empty() ? "" : " (" + expected + ")") + ", mas recebeu " +
                            std::to_string(args.size()) + ".");
  }
  for (size_t i = 0; i < args.size(); ++i) {
    const wire::ArgDef& a = expectedArgs[i];
    bool okType = a.Kind == ArgKind::Code ? (args[i].is_string() || args[i].is_null()) : args[i].is_object();
    if (!okType)
      throw ProtocolError(rpc_code::invalidParams,
                          "Parâmetros inválidos: o argumento " + std::to_string(i + 1) + " (" + a.Name + ") de " +
                              name + " deve ser " +
                              (a.Kind == ArgKind::Code ? "um texto." : "um delta (objeto JSON)."));
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

CallOutcome FlightModule::call(const std::string& method, const json& params) {
  auto it = methods().find(method);
  if (it == methods().end())
    throw ProtocolError(rpc_code::methodNotFound,
                        "Método desconhecido: \"" + method + "\" não existe em " + kName + ".");
  auto args = checkArgs(method, it->second, params);
  try {
    std::string data = pool_.run([&](Connection& c) { return it->second.run(c, args); });
    return {success(nullptr), "ok", std::move(data)};
  } catch (const SaveRefused& e) {
    return {failure(e.what()), std::string("recusado: ") + e.what()};
  } catch (const DbError& e) {
    return {failure(dbFaultMessage(e)), std::string("erro de banco: ") + e.what()};
  }
}

}  // namespace zor::server
