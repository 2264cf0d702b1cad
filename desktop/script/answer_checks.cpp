// Keeping the script's answers honest: `expect no-question`, and answers
// or picks that the gesture after them did not use (see
// script_interpreter.h). An answer carried over would silently answer a
// later, different question.
#include "desktop/script/script_interpreter.h"

namespace zor::script {

void ScriptInterpreter::ExpectNoQuestion(const Gesture& g) {
  ++expectations_;
  if (const auto& seen = ui_.PendingQuestion()) Fail(g, "nenhuma pergunta esperada, vista \"" + *seen + "\"");
  ui_.ForgetQuestion();
}

bool ScriptInterpreter::IsPersonGesture(GestureKind kind) {
  switch (kind) {
    case GestureKind::Open:
    case GestureKind::OpenFlight:
    case GestureKind::Close:
    case GestureKind::Focus:
    case GestureKind::Type:
    case GestureKind::Key:
    case GestureKind::Click:
    case GestureKind::Select:
    case GestureKind::Cell:
    case GestureKind::DblClick:
    case GestureKind::Ellipsis:
      return true;
    default:
      return false;
  }
}

void ScriptInterpreter::FailUnusedAnswers(const Gesture& g) {
  const size_t answers = ui_.Answers.size();
  const size_t picks = ui_.Picks.size();
  const size_t searches = ui_.Searches.size();
  if (answers + picks + searches == 0) return;
  std::string what;
  auto add = [&what](size_t n, const char* one, const char* many) {
    if (n == 0) return;
    if (!what.empty()) what += ", ";
    what += std::to_string(n) + " " + (n == 1 ? one : many);
  };
  add(answers, "resposta", "respostas");
  add(picks, "escolha de lista", "escolhas de lista");
  add(searches, "procura", "procuras");
  Fail(g, what + " preparada(s) para este gesto e não usada(s): a tela não perguntou o que o roteiro esperava");
  ui_.Answers.clear();
  ui_.Picks.clear();
  ui_.Searches.clear();
}

}  // namespace zor::script
