// The scripted person of the script driver: a ScriptedUi that answers from
// the queues the script fills (answer, pick, find) and writes to the
// transcript everything the screen shows as it happens: messages,
// questions with the answer given, pick lists with their rows and the
// choice, searches, and the busy indicator shown and hidden.
#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <string>

#include "platform/ui/scripted_ui.h"

namespace zor::script {

class TranscriptUi : public plat::ScriptedUi {
 public:
  explicit TranscriptUi(std::ostream& out) : out_(out) {}

  // The last message (error or information) shown since it was last
  // forgotten, and the same for questions.
  const std::optional<std::string>& PendingMessage() const { return pending_message_; }
  const std::optional<std::string>& PendingQuestion() const { return pending_question_; }
  void ForgetMessage() { pending_message_.reset(); }
  void ForgetQuestion() { pending_question_.reset(); }

  // Lines written so far (lets a gesture tell whether anything was shown).
  int Written() const { return written_; }

  // Called when the script's queued answer cannot be used (a row past the
  // end of the pick list, a search field the dialog does not offer).
  std::function<void(const std::string&)> OnScriptFault;

  void ShowError(const std::string& caption, const std::string& text) override;
  void ShowInfo(const std::string& caption, const std::string& text) override;
  bool AskYesNo(const std::string& caption, const std::string& text) override;
  std::optional<int> PickRow(const plat::PickListRequest& request) override;
  std::optional<plat::SearchAnswer> Search(const plat::SearchRequest& request) override;
  void ShowBusy(int kind) override;
  void HideBusy() override;
  void ShowHelp(const std::string& screenCode) override;

  // Writes one transcript line, indented under the gesture that caused it.
  void Note(const std::string& text);

 private:
  std::ostream& out_;
  std::optional<std::string> pending_message_;
  std::optional<std::string> pending_question_;
  int written_ = 0;
};

}  // namespace zor::script
