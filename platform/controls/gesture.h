// User gestures (a click, a key, a focus move, a tab choice) arrive from the
// renderer or the script driver. Each runs inside a gesture scope: an
// exception that escapes the handlers is reported the standard way (the
// silent abort silently, anything else as an error shown to the person), and
// when the outermost gesture ends the idle work runs (forms released during
// the gesture are destroyed then).
#pragma once

#include <exception>
#include <functional>

namespace zor::plat {

// Reports an exception that ended a gesture or a handler chain: EAbort is
// ignored, any other exception is shown through Ui().ShowError.
void ReportException(const std::exception& e);
// Replaces the reporter (the application object installs its own); null
// restores the default.
void SetExceptionReporter(std::function<void(const std::exception&)> reporter);

// Work to run when no gesture is running any more.
void SetIdleHandler(std::function<void()> handler);
int GestureDepth();

class GestureScope {
 public:
  GestureScope();
  ~GestureScope();
  GestureScope(const GestureScope&) = delete;
  GestureScope& operator=(const GestureScope&) = delete;
};

// Runs `fn` as one gesture; false when an exception ended it (it has been
// reported already).
bool RunGesture(const std::function<void()>& fn);

}  // namespace zor::plat
