// Parameter lookup and re-declaration.
#include "platform/sql/param.h"

#include "platform/core/exceptions.h"
#include "platform/core/platform_texts.h"
#include "platform/core/sysutils.h"

namespace zor::plat {

TParam* TParams::FindParam(std::string_view name) const {
  for (auto& p : items_)
    if (SameText(p->Name(), name)) return p.get();
  return nullptr;
}

TParam& TParams::ParamByName(std::string_view name) const {
  TParam* p = FindParam(name);
  if (!p) throw EDatabaseError(PlatformText("db.param_not_found", {name}));
  return *p;
}

void TParams::Redeclare(const std::vector<std::string>& names) {
  std::vector<std::unique_ptr<TParam>> next;
  for (auto& name : names) {
    std::unique_ptr<TParam> kept;
    for (auto& p : items_)
      if (p && SameText(p->Name(), name)) kept = std::move(p);
    next.push_back(kept ? std::move(kept) : std::make_unique<TParam>(name));
  }
  items_ = std::move(next);
}

}  // namespace zor::plat
