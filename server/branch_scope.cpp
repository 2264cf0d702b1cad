// Branch scoping (see branch_scope.h).
#include "server/branch_scope.h"

namespace zor::server {

namespace {

std::string Refusal(const Caller& caller, const std::string& branch) {
  if (branch.empty()) return "Filial deve ser informada.";
  return "O usuário " + caller.user + " não tem acesso à filial " + branch + ".";
}

}  // namespace

void CheckBranch(const Caller& caller, const std::string& branch) {
  if (!caller.MayUse(branch)) throw BranchRefused(Refusal(caller, branch));
}

void CheckDeltaBranches(const Caller& caller, const DatasetDef& d, const std::vector<Change>& changes) {
  int at = d.IndexOf("CDFILIAL");
  if (at < 0 || caller.unrestricted) return;
  for (const auto& ch : changes) {
    // A row without a branch is refused later for that, in the screen's words.
    auto branchOf = [&](const std::vector<SqlValue>& v) -> std::string {
      if (auto* s = std::get_if<std::string>(&v[static_cast<size_t>(at)])) return *s;
      return {};
    };
    if (ch.kind != wire::ChangeKind::Insert) {
      std::string b = branchOf(ch.oldValues);
      if (!b.empty() && !caller.MayUse(b)) throw BranchRefused(Refusal(caller, b));
    }
    if (ch.kind != wire::ChangeKind::Delete) {
      std::string b = branchOf(ch.newValues);
      if (!b.empty() && !caller.MayUse(b))
        throw BranchRefused(ch.kind == wire::ChangeKind::Modify && branchOf(ch.oldValues) != b
                                ? "O usuário " + caller.user + " não pode transferir dados para a filial " + b + "."
                                : Refusal(caller, b));
    }
  }
}

}  // namespace zor::server
