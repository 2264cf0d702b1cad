// Change kind names (see packet.h).
#include "wire/packet.h"

namespace zor::wire {

const char* ChangeKindName(ChangeKind kind) {
  switch (kind) {
    case ChangeKind::Insert: return "insert";
    case ChangeKind::Modify: return "modify";
    case ChangeKind::Delete: return "delete";
  }
  return "";
}

bool ChangeKindFromName(std::string_view name, ChangeKind& out) {
  for (ChangeKind k : {ChangeKind::Insert, ChangeKind::Modify, ChangeKind::Delete})
    if (name == ChangeKindName(k)) {
      out = k;
      return true;
    }
  return false;
}

}  // namespace zor::wire
