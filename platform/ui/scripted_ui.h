// A UiPort that answers from queues prepared beforehand and records what it
// was shown. Used by the tests and by the headless script driver.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/ui_port.h"

namespace zor::plat {

class ScriptedUi : public UiPort {
 public:
  enum class Kind { Error, Info, Question, PickList, Search, Busy, Modal };
  struct Event {
    Kind kind;
    std::string caption;
    std::string text;  // message, question, pick list or search title
  };

  // Answers for the next question / pick list / search. Without a queued
  // answer a question is answered No and a pick list or search is cancelled.
  std::deque<bool> Answers;
  std::deque<std::optional<int>> Picks;
  std::deque<std::optional<SearchAnswer>> Searches;
  // Runs a modal form; without it RunModal returns 2 (cancelled).
  std::function<int(TForm&)> ModalRunner;

  const std::vector<Event>& Events() const { return events_; }
  void ClearEvents() { events_.clear(); }
  // The last error or information text shown, or nothing.
  std::optional<std::string> LastMessage() const;
  std::optional<std::string> LastQuestion() const;
  int BusyDepth() const { return busy_depth_; }
  const std::vector<PickListRequest>& PickLists() const { return pick_lists_; }

  void ShowError(const std::string& caption, const std::string& text) override;
  void ShowInfo(const std::string& caption, const std::string& text) override;
  bool AskYesNo(const std::string& caption, const std::string& text) override;
  std::optional<int> PickRow(const PickListRequest& request) override;
  std::optional<SearchAnswer> Search(const SearchRequest& request) override;
  void ShowBusy(int kind) override;
  void HideBusy() override;
  int RunModal(TForm& form) override;

 private:
  std::vector<Event> events_;
  std::vector<PickListRequest> pick_lists_;
  int busy_depth_ = 0;
};

}  // namespace zor::plat
