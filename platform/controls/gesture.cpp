// Standard error report and gesture scopes.
#include "platform/controls/gesture.h"

#include "platform/core/exceptions.h"
#include "platform/core/platform_texts.h"
#include "platform/ui/ui_port.h"

namespace zor::plat {

namespace {
std::function<void(const std::exception&)>& Reporter() {
  static std::function<void(const std::exception&)> reporter;
  return reporter;
}
std::function<void()>& IdleHandler() {
  static std::function<void()> handler;
  return handler;
}
int g_depth = 0;
}  // namespace

void ReportException(const std::exception& e) {
  if (Reporter()) {
    Reporter()(e);
    return;
  }
  if (dynamic_cast<const EAbort*>(&e)) return;
  Ui().ShowError(PlatformText("caption.error"), e.what());
}

void SetExceptionReporter(std::function<void(const std::exception&)> reporter) {
  Reporter() = std::move(reporter);
}

void SetIdleHandler(std::function<void()> handler) { IdleHandler() = std::move(handler); }

int GestureDepth() { return g_depth; }

GestureScope::GestureScope() { ++g_depth; }

GestureScope::~GestureScope() {
  if (--g_depth == 0 && IdleHandler()) {
    // Idle work must never take the gesture's caller down.
    try {
      ++g_depth;
      IdleHandler()();
    } catch (const std::exception& e) {
      --g_depth;
      ReportException(e);
      return;
    }
    --g_depth;
  }
}

bool RunGesture(const std::function<void()>& fn) {
  GestureScope scope;
  try {
    fn();
    return true;
  } catch (const std::exception& e) {
    ReportException(e);
    return false;
  }
}

}  // namespace zor::plat
