// The scripted person: queued answers in, recorded events out.
#include "platform/ui/scripted_ui.h"

namespace zor::plat {

namespace {
UiPort* g_port = nullptr;
}

UiPort& Ui() {
  static ScriptedUi fallback;
  return g_port ? *g_port : fallback;
}

void SetUi(UiPort* port) { g_port = port; }

std::optional<std::string> ScriptedUi::LastMessage() const {
  for (auto it = events_.rbegin(); it != events_.rend(); ++it)
    if (it->kind == Kind::Error || it->kind == Kind::Info) return it->text;
  return std::nullopt;
}

std::optional<std::string> ScriptedUi::LastQuestion() const {
  for (auto it = events_.rbegin(); it != events_.rend(); ++it)
    if (it->kind == Kind::Question) return it->text;
  return std::nullopt;
}

void ScriptedUi::ShowError(const std::string& caption, const std::string& text) {
  events_.push_back({Kind::Error, caption, text});
}

void ScriptedUi::ShowInfo(const std::string& caption, const std::string& text) {
  events_.push_back({Kind::Info, caption, text});
}

bool ScriptedUi::AskYesNo(const std::string& caption, const std::string& text) {
  events_.push_back({Kind::Question, caption, text});
  if (Answers.empty()) return false;
  bool a = Answers.front();
  Answers.pop_front();
  return a;
}

std::optional<int> ScriptedUi::PickRow(const PickListRequest& request) {
  events_.push_back({Kind::PickList, request.Title, request.Title});
  pick_lists_.push_back(request);
  if (Picks.empty()) return std::nullopt;
  auto p = Picks.front();
  Picks.pop_front();
  if (p && (*p < 0 || *p >= static_cast<int>(request.Rows.size()))) return std::nullopt;
  return p;
}

std::optional<SearchAnswer> ScriptedUi::Search(const SearchRequest& request) {
  events_.push_back({Kind::Search, request.Title, request.Title});
  if (Searches.empty()) return std::nullopt;
  auto s = Searches.front();
  Searches.pop_front();
  return s;
}

void ScriptedUi::ShowBusy(int kind) {
  events_.push_back({Kind::Busy, "", std::to_string(kind)});
  ++busy_depth_;
}

void ScriptedUi::HideBusy() {
  if (busy_depth_ > 0) --busy_depth_;
}

int ScriptedUi::RunModal(TForm& form) {
  events_.push_back({Kind::Modal, "", ""});
  return ModalRunner ? ModalRunner(form) : 2;
}

}  // namespace zor::plat
