// The application object: standard error report and released forms.
#include "platform/forms/application.h"

#include <algorithm>

#include "platform/controls/gesture.h"
#include "platform/core/exceptions.h"
#include "platform/core/platform_texts.h"
#include "platform/forms/screen.h"
#include "platform/ui/ui_port.h"

namespace zor::plat {

TApplication::TApplication() {
  SetExceptionReporter([this](const std::exception& e) { HandleException(e); });
  SetIdleHandler([this] { FlushReleased(); });
}

void TApplication::HandleException(const std::exception& e) {
  if (dynamic_cast<const EAbort*>(&e)) return;
  Ui().ShowError(title_.empty() ? PlatformText("caption.error") : title_, e.what());
}

void TApplication::ProcessMessages() {
  if (GestureDepth() == 0) FlushReleased();
}

void TApplication::QueueRelease(TForm* form) {
  if (std::find(released_.begin(), released_.end(), form) == released_.end()) released_.push_back(form);
}

void TApplication::FormDestroyed(TForm* form) {
  std::erase(released_, form);
  if (main_form_ == form) main_form_ = nullptr;
}

void TApplication::FlushReleased() {
  while (!released_.empty()) {
    TForm* form = released_.front();
    released_.erase(released_.begin());
    form->Free();
  }
}

void TApplication::DestroyForms() {
  FlushReleased();
  // Forms owned by the application, the last created first.
  while (ComponentCount() > 0) {
    TComponent* c = Components(ComponentCount() - 1);
    if (auto* form = dynamic_cast<TForm*>(c))
      form->Free();
    else
      delete c;
  }
  main_form_ = nullptr;
  terminated_ = false;
}

// The screen comes first: forms register with it as they are made.
TScreen* const Screen = new TScreen();
TApplication* const Application = new TApplication();

}  // namespace zor::plat
