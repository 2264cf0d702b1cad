// The caption of the library's message boxes. The library sits below the
// forms, so it cannot ask for the active form itself: the layer that knows
// (the forms layer or the host) installs a provider returning the active
// form's caption. Without one, or when it returns an empty text, the
// message box gets a caption naming its kind.
#pragma once

#include <functional>
#include <string>

namespace zor::plat {

using DialogCaptionProvider = std::function<std::string()>;

// Installs the provider for the whole process; nullptr removes it.
void SetDialogCaptionProvider(DialogCaptionProvider provider);

// The provider's caption, or `fallback` when there is none.
std::string DialogCaption(const std::string& fallback);

}  // namespace zor::plat
