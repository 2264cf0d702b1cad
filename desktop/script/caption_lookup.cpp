// Controls by caption (see caption_lookup.h).
#include "desktop/script/caption_lookup.h"

#include "platform/controls/control.h"
#include "platform/controls/menus.h"
#include "platform/core/sysutils.h"
#include "platform/forms/form.h"

namespace zor::script {

namespace {
std::string Drawn(const std::string& caption) {
  std::string out;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size() && caption[i + 1] == '&') {
      out += '&';
      ++i;
    } else if (caption[i] != '&') {
      out += caption[i];
    }
  }
  return out;
}

bool Reads(const plat::TComponent* c, const std::string& text) {
  if (auto* item = dynamic_cast<const plat::TMenuItem*>(c)) return plat::SameText(Drawn(item->Caption()), text);
  auto* control = dynamic_cast<const plat::TControl*>(c);
  if (!control) return false;
  return (!control->Caption().empty() && plat::SameText(Drawn(control->Caption()), text)) ||
         (!control->Hint().empty() && plat::SameText(control->Hint(), text));
}
}  // namespace

plat::TComponent* FindByCaption(const std::vector<plat::TForm*>& forms, const std::string& text) {
  plat::TComponent* hidden = nullptr;
  for (plat::TForm* f : forms)
    for (int i = 0; i < f->ComponentCount(); ++i) {
      plat::TComponent* c = f->Components(i);
      if (!Reads(c, text)) continue;
      auto* control = dynamic_cast<plat::TControl*>(c);
      if (!control || control->Showing()) return c;
      if (!hidden) hidden = c;
    }
  return hidden;
}

}  // namespace zor::script
