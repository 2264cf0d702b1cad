// The remote data module the server serves and the desks call: its name
// and its methods, each with its positional arguments (a code is a text or
// null; a delta is one JSON object). The server binds a routine to each
// method by name; the desks call them by these names.
#pragma once

#include <string_view>
#include <vector>

namespace zor::wire {

inline constexpr const char* kModuleName = "Zor12200.rdmVooTrecho";

enum class ArgKind { Code, Delta };

struct ArgDef {
  const char* Name;
  ArgKind Kind;
};

struct MethodDef {
  const char* Name;
  std::vector<ArgDef> Args;
};

namespace method {
inline constexpr const char* GetTipoVoo = "GetTipoVoo";
inline constexpr const char* GetVoo = "GetVoo";
inline constexpr const char* GetTrecho = "GetTrecho";
inline constexpr const char* GetClasseVoo = "GetClasseVoo";
inline constexpr const char* GetTurno = "GetTurno";
inline constexpr const char* SetVoo = "SetVoo";
inline constexpr const char* SetTrecho = "SetTrecho";
inline constexpr const char* SetClasseVoo = "SetClasseVoo";
inline constexpr const char* SetDelTdsTrechos = "SetDelTdsTrechos";
// The schedule exchange with the airlines (docs/ssim.md).
inline constexpr const char* GetSsim = "GetSsim";
inline constexpr const char* GetPlanoSsim = "GetPlanoSsim";
inline constexpr const char* SetSsim = "SetSsim";
}  // namespace method

// Every method of the module, in the order the protocol document lists them.
const std::vector<MethodDef>& Methods();
// Null when the module has no such method.
const MethodDef* FindMethod(std::string_view name);

}  // namespace zor::wire
