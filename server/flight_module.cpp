// The methods of the flight data module (see flight_module.h).
#include "server/flight_module.h"

#include <functional>
#include <map>

#include "server/branch_scope.h"
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

// What a method runs on: its connection, its arguments, who calls and the
// audit trail of the call.
struct Work {
  Connection& c;
  const std::vector<json>& a;
  const Caller& caller;
  const std::string& method;
};

// What a method answers: the JSON text of its data ("null" when it has none).
using Routine = std::function<std::string(const Work&)>;

struct Method {
  const wire::MethodDef& def;
  int branchArg;  // the argument naming the branch (CDFILIAL); -1: none (lookup tables)
  Routine run;
};

// A code argument: a text; null stands for an empty code (a field that has
// no value yet, such as the leg code of a leg being inserted).
std::string Code(const json& v) { return v.is_null() ? std::string() : v.get<std::string>(); }

std::string Fetch(Connection& c, const DatasetDef& d, const std::string& where, const std::vector<SqlValue>& params,
                  Plan plan = Plan::KeptForAnyValues) {
  std::string sql = SelectSql(d);
  if (!where.empty()) sql += " WHERE " + where;
  sql += " ORDER BY " + d.orderBy;
  return PacketText(c, d, sql, params, plan);
}

std::string Save(const Work& w, const DatasetDef& d) {
  // The delta is read in full, and every branch it names checked, before
  // anything is written.
  auto changes = ParseDelta(d, w.a[0]);
  CheckDeltaBranches(w.caller, d, changes);
  AuditRecorder audit(w.c, w.caller, w.method);
  ApplyDelta(w.c, d, changes, &audit);
  return "null";
}

// The routine of each method of the wire's table, by name.
const std::map<std::string, Routine>& Routines() {
  static const std::map<std::string, Routine> kR = {
      {method::GetTipoVoo, [](const Work& w) { return Fetch(w.c, TipoVooDataset(), "", {}); }},
      {method::GetVoo,
       [](const Work& w) {
         // A company's share of the branch's flights varies from none to all.
         return Fetch(w.c, VooDataset(), "V.CDFILIAL = ? AND V.CDCIA = ?", {Code(w.a[0]), Code(w.a[1])},
                      Plan::ForTheseValues);
       }},
      {method::GetTrecho,
       [](const Work& w) {
         return Fetch(w.c, TrechoDataset(), "R.CDFILIAL = ? AND R.CDCIA = ? AND R.NRVOO = ?",
                      {Code(w.a[2]), Code(w.a[0]), Code(w.a[1])});
       }},
      {method::GetClasseVoo,
       [](const Work& w) {
         return Fetch(w.c, ClasseVooDataset(), "C.CDFILIAL = ? AND C.CDCIA = ? AND C.NRVOO = ? AND C.CDTRECHO = ?",
                      {Code(w.a[0]), Code(w.a[1]), Code(w.a[3]), Code(w.a[2])});
       }},
      {method::GetTurno,
       [](const Work& w) {
         if (Code(w.a[1]) == "T") return Fetch(w.c, PesqTurnoDataset(), "", {});
         return Fetch(w.c, PesqTurnoDataset(), "T.NRTURNO = ?", {Code(w.a[0])});
       }},
      {method::SetVoo, [](const Work& w) { return Save(w, VooDataset()); }},
      {method::SetTrecho, [](const Work& w) { return Save(w, TrechoDataset()); }},
      {method::SetClasseVoo,
       [](const Work& w) { return Save(w, ClasseVooDataset()); }},
      // The schedule exchange with the airlines (docs/ssim.md).
      {method::GetSsim,
       [](const Work& w) {
         return ssim::ExportMethod(w.c, Code(w.a[0]), Code(w.a[1]), Code(w.a[2]), Code(w.a[3])).dump();
       }},
      {method::GetPlanoSsim,
       [](const Work& w) {
         return ssim::PlanMethod(w.c, Code(w.a[0]), Code(w.a[1]), Code(w.a[2]), Code(w.a[3])).dump();
       }},
      {method::SetSsim,
       [](const Work& w) {
         AuditRecorder audit(w.c, w.caller, w.method);
         return ssim::ApplyMethod(w.c, &audit, Code(w.a[0]), Code(w.a[1]), Code(w.a[2]), Code(w.a[3]), Code(w.a[4])).dump();
       }},
      {method::SetDelTdsTrechos,
       [](const Work& w) {
         AuditRecorder audit(w.c, w.caller, w.method);
         DeleteAllLegs(w.c, Code(w.a[0]), Code(w.a[1]), Code(w.a[2]), &audit);
         return std::string("null");
       }},
  };
  return kR;
}

// Every method of the wire's table with its routine; a method without one
// is a fault of this program, found when the module is first used.
const std::map<std::string, Method>& Methods() {
  static const std::map<std::string, Method> kM = [] {
    std::map<std::string, Method> out;
    for (const wire::MethodDef& def : wire::Methods()) {
      auto r = Routines().find(def.Name);
      if (r == Routines().end()) throw std::logic_error(std::string("método sem rotina: ") + def.Name);
      // The branch a call works in is checked before its routine runs.
      int branchArg = -1;
      for (size_t i = 0; i < def.Args.size(); ++i)
        if (std::string_view(def.Args[i].Name) == "CDFILIAL") branchArg = static_cast<int>(i);
      out.emplace(def.Name, Method{def, branchArg, r->second});
    }
    return out;
  }();
  return kM;
}

std::vector<json> CheckArgs(const std::string& name, const Method& m, const json& params) {
  std::vector<json> args;
  if (params.is_null()) {
    // "params" may be left out only by a method without arguments
  } else if (params.is_array()) {
    args.assign(params.begin(), params.end());
  } else {
    throw ProtocolError(rpc_code::kInvalidParams,
                        "Parâmetros inválidos: \"params\" deve ser a lista dos argumentos de " + name + ".");
  }
  const auto& expectedArgs = m.def.Args;
  if (args.size() != expectedArgs.size()) {
    std::string expected;
    for (const auto& a : expectedArgs) expected += (expected.empty() ? "" : ", ") + std::string(a.Name);
    throw ProtocolError(rpc_code::kInvalidParams,
                        "Parâmetros inválidos: " + name + " recebe " + std::to_string(expectedArgs.size()) +
                            " argumento(s)" + (expected.empty() ? "" : " (" + expected + ")") + ", mas recebeu " +
                            std::to_string(args.size()) + ".");
  }
  for (size_t i = 0; i < args.size(); ++i) {
    const wire::ArgDef& a = expectedArgs[i];
    bool okType = a.Kind == ArgKind::Code ? (args[i].is_string() || args[i].is_null()) : args[i].is_object();
    if (!okType)
      throw ProtocolError(rpc_code::kInvalidParams,
                          "Parâmetros inválidos: o argumento " + std::to_string(i + 1) + " (" + a.Name + ") de " +
                              name + " deve ser " +
                              (a.Kind == ArgKind::Code ? "um texto." : "um delta (objeto JSON)."));
  }
  return args;
}

}  // namespace

json FlightModule::Success(json data) { return {{"ok", true}, {"data", std::move(data)}}; }
json FlightModule::Failure(const std::string& message) { return {{"ok", false}, {"message", message}}; }

bool FlightModule::DatabaseReachable(std::string& message) {
  try {
    auto c = pool_.Acquire();
    c->Query("SELECT 1");
    return true;
  } catch (const DbError& e) {
    message = DbFaultMessage(e);
  } catch (const std::exception& e) {
    message = e.what();
  }
  return false;
}

CallOutcome FlightModule::Call(const std::string& method, const json& params, const Caller& caller) {
  auto it = Methods().find(method);
  if (it == Methods().end())
    throw ProtocolError(rpc_code::kMethodNotFound,
                        "Método desconhecido: \"" + method + "\" não existe em " + kName + ".");
  auto args = CheckArgs(method, it->second, params);
  try {
    if (it->second.branchArg >= 0) CheckBranch(caller, Code(args[static_cast<size_t>(it->second.branchArg)]));
    std::string data = pool_.Run([&](Connection& c) { return it->second.run(Work{c, args, caller, method}); });
    return {Success(nullptr), "ok", std::move(data)};
  } catch (const BranchRefused& e) {
    return {Failure(e.what()), std::string("recusado (filial): ") + e.what()};
  } catch (const SaveRefused& e) {
    return {Failure(e.what()), std::string("recusado: ") + e.what()};
  } catch (const DbError& e) {
    return {Failure(DbFaultMessage(e)), std::string("erro de banco: ") + e.what()};
  }
}

}  // namespace zor::server
