// The gestures that look at the window: `screenshot FILE` and
// `check-window`. The headless driver has no window and notes that it
// skipped them, so one scenario runs in both drivers.
#include "desktop/script/script_interpreter.h"

namespace zor::script {

void ScriptInterpreter::Screenshot(const Gesture& g) {
  std::string error;
  if (host_.TakeScreenshot(g.Target, error)) {
    ui_.Note("imagem: " + g.Target);
    return;
  }
  if (error.empty())
    ui_.Note("sem janela: imagem não tirada");
  else
    Fail(g, error);
}

void ScriptInterpreter::CheckWindow(const Gesture& g) {
  ++expectations_;
  std::vector<std::string> problems;
  if (!host_.CheckWindow(problems)) {
    ui_.Note("sem janela: nada a conferir");
    return;
  }
  for (const std::string& p : problems) Fail(g, "na janela, " + p);
}

}  // namespace zor::script
