// The module's method table (see module.h).
#include "wire/module.h"

namespace zor::wire {

const std::vector<MethodDef>& Methods() {
  using enum ArgKind;
  static const std::vector<MethodDef> kMethods = {
      {method::GetTipoVoo, {}},
      {method::GetVoo, {{"CDFILIAL", Code}, {"CDCIA", Code}}},
      {method::GetTrecho, {{"CDCIA", Code}, {"NRVOO", Code}, {"CDFILIAL", Code}}},
      {method::GetClasseVoo, {{"CDFILIAL", Code}, {"CDCIA", Code}, {"CDTRECHO", Code}, {"NRVOO", Code}}},
      {method::GetTurno, {{"NRTURNO", Code}, {"lista", Code}}},
      {method::SetVoo, {{"delta", Delta}}},
      {method::SetTrecho, {{"delta", Delta}}},
      {method::SetClasseVoo, {{"delta", Delta}}},
      {method::SetDelTdsTrechos, {{"CDFILIAL", Code}, {"CDCIA", Code}, {"NRVOO", Code}}},
      {method::GetSsim, {{"CDFILIAL", Code}, {"CDCIA", Code}, {"inicio", Code}, {"fim", Code}}},
      {method::GetPlanoSsim, {{"CDFILIAL", Code}, {"CDCIA", Code}, {"arquivo", Code}, {"base", Code}}},
      {method::SetSsim, {{"CDFILIAL", Code}, {"CDCIA", Code}, {"arquivo", Code}, {"base", Code}, {"plano", Code}}},
  };
  return kMethods;
}

const MethodDef* FindMethod(std::string_view name) {
  for (const MethodDef& m : Methods())
    if (name == m.Name) return &m;
  return nullptr;
}

}  // namespace zor::wire
