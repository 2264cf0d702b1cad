// TMessages: a keyed message table stored with a form. Each line of
// `Messages` is a key, a vertical bar and the text; the text is everything
// after the first bar, so it may itself hold bars, and its blanks are kept
// (" não é uma data válida." starts with one on purpose).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/core/component.h"

namespace zor::plat {

enum class MessageType { Warning, Error, Information, Confirmation };
enum class MessageButtons { Ok, OkCancel, YesNo };

class TMessages : public TComponent {
 public:
  // Modal results returned by ShowMsg.
  static constexpr int kResultOk = 1;
  static constexpr int kResultCancel = 2;
  static constexpr int kResultYes = 6;
  static constexpr int kResultNo = 7;

  explicit TMessages(TComponent* owner = nullptr) : TComponent(owner) {}

  std::vector<std::string>& Messages() { return messages_; }
  const std::vector<std::string>& Messages() const { return messages_; }
  void SetMessages(std::vector<std::string> lines) { messages_ = std::move(lines); }

  // The text behind `key`, the keys compared without regard to case
  // (accented letters included) and to surrounding blanks. When a key is
  // listed twice the first line wins. A key that is not in the table gives
  // an empty text: every key the screens use is in their table, and an empty
  // text is easier to spot in a test than a raised error in a handler.
  std::string Msg(std::string_view key) const;
  bool HasMsg(std::string_view key) const;

  // Shows the text behind `key` and returns the modal result: Yes/No
  // buttons ask a question (ResultYes or ResultNo), Ok/Cancel too (ResultOk
  // or ResultCancel), a lone Ok shows an error (type Error) or an
  // information message (other types) and returns ResultOk. The help context
  // is accepted for the callers' sake; the ui port has no help to show.
  int ShowMsg(std::string_view key, MessageType type, MessageButtons buttons, int helpContext = 0) const;

 private:
  const std::string* Find(std::string_view key) const;
  std::vector<std::string> messages_;
};

}  // namespace zor::plat
