// Lookup and display of keyed messages.
#include "platform/library/messages.h"

#include "platform/core/platform_texts.h"
#include "platform/core/sysutils.h"
#include "platform/library/dialog_caption.h"
#include "platform/ui/ui_port.h"

namespace zor::plat {

namespace {

const char* DefaultCaption(MessageType type) {
  switch (type) {
    case MessageType::Warning: return PlatformText("caption.warning").c_str();
    case MessageType::Error: return PlatformText("caption.error").c_str();
    case MessageType::Information: return PlatformText("caption.information").c_str();
    case MessageType::Confirmation: return PlatformText("caption.confirmation").c_str();
  }
  return "";
}

}  // namespace

const std::string* TMessages::Find(std::string_view key) const {
  std::string wanted = AnsiUpperCase(Trim(key));
  for (const std::string& line : messages_) {
    size_t bar = line.find('|');
    if (bar == std::string::npos) continue;
    if (AnsiUpperCase(Trim(std::string_view(line).substr(0, bar))) == wanted) return &line;
  }
  return nullptr;
}

std::string TMessages::Msg(std::string_view key) const {
  const std::string* line = Find(key);
  return line ? line->substr(line->find('|') + 1) : std::string();
}

bool TMessages::HasMsg(std::string_view key) const { return Find(key) != nullptr; }

int TMessages::ShowMsg(std::string_view key, MessageType type, MessageButtons buttons, int /*helpContext*/) const {
  std::string text = Msg(key);
  std::string caption = DialogCaption(DefaultCaption(type));
  switch (buttons) {
    case MessageButtons::YesNo: return Ui().AskYesNo(caption, text) ? kResultYes : kResultNo;
    case MessageButtons::OkCancel: return Ui().AskYesNo(caption, text) ? kResultOk : kResultCancel;
    case MessageButtons::Ok:
      if (type == MessageType::Error)
        Ui().ShowError(caption, text);
      else
        Ui().ShowInfo(caption, text);
      return kResultOk;
  }
  return kResultCancel;
}

}  // namespace zor::plat
