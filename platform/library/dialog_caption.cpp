// The process-wide caption provider of the library's message boxes.
#include "platform/library/dialog_caption.h"

#include <utility>

namespace zor::plat {

namespace {
DialogCaptionProvider& Provider() {
  static DialogCaptionProvider provider;
  return provider;
}
}  // namespace

void SetDialogCaptionProvider(DialogCaptionProvider provider) { Provider() = std::move(provider); }

std::string DialogCaption(const std::string& fallback) {
  if (Provider()) {
    std::string caption = Provider()();
    if (!caption.empty()) return caption;
  }
  return fallback;
}

}  // namespace zor::plat
