// One-line text editors.
#include "platform/controls/edit.h"

#include "platform/controls/gesture.h"
#include "platform/core/sysutils.h"

namespace zor::plat {

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  SetDefaultSize(121, 21);
  SetColor(clWindow);
}

std::string TCustomEdit::ApplyCase(const std::string& v) const {
  switch (char_case_) {
    case ecUpperCase: return AnsiUpperCase(v);
    case ecLowerCase: return AnsiLowerCase(v);
    default: return v;
  }
}

void TCustomEdit::SetText(const std::string& v) {
  std::string t = ApplyCase(v);
  if (t == text_) return;
  text_ = std::move(t);
  sel_start_ = static_cast<int>(text_.size());
  Changed(Prop::Caption);
  Change();
}

void TCustomEdit::Change() { Fire(OnChange, this); }

void TCustomEdit::SetMaxLength(int v) {
  if (v == max_length_) return;
  max_length_ = v < 0 ? 0 : v;
  Changed(Prop::MaxLength);
}

void TCustomEdit::SetReadOnly(bool v) {
  if (v == read_only_) return;
  read_only_ = v;
  Changed(Prop::ReadOnly);
}

void TCustomEdit::SetCharCase(TEditCharCase c) {
  if (c == char_case_) return;
  char_case_ = c;
  Changed(Prop::CharCase);
  // The text already there follows the new case, as the person would see it.
  SetText(text_);
}

void TCustomEdit::SetSelStart(int v) {
  int size = static_cast<int>(text_.size());
  sel_start_ = v < 0 ? 0 : (v > size ? size : v);
}

void TCustomEdit::DoEnter() {
  modified_ = false;
  TWinControl::DoEnter();
}

void TCustomEdit::UserReplaceText(const std::string& text) {
  std::string t = ApplyCase(text);
  if (t == text_) return;
  modified_ = true;
  text_ = std::move(t);
  Changed(Prop::Caption);
  Change();
}

void TCustomEdit::DefaultKeyPress(char& key) {
  if (read_only_) return;
  std::string t = text_;
  int pos = sel_start_ > static_cast<int>(t.size()) ? static_cast<int>(t.size()) : sel_start_;
  if (key == '\b') {
    if (pos == 0) return;
    // Remove one whole UTF-8 character before the caret.
    int start = pos - 1;
    while (start > 0 && (static_cast<unsigned char>(t[start]) & 0xC0) == 0x80) --start;
    t.erase(start, pos - start);
    sel_start_ = start;
    UserReplaceText(t);
    return;
  }
  if (static_cast<unsigned char>(key) < 0x20) return;
  const bool continuation = (static_cast<unsigned char>(key) & 0xC0) == 0x80;
  if (!continuation && max_length_ > 0 && static_cast<int>(Utf8Length(t)) >= max_length_) return;
  t.insert(t.begin() + pos, key);
  std::string cased = ApplyCase(t);
  sel_start_ = pos + 1 + static_cast<int>(cased.size()) - static_cast<int>(t.size());
  UserReplaceText(t);
}

void TCustomEdit::DefaultKeyDown(Word& key, TShiftState) {
  if (key != VK_DELETE || read_only_) return;
  std::string t = text_;
  if (sel_start_ >= static_cast<int>(t.size())) return;
  int end = sel_start_ + 1;
  while (end < static_cast<int>(t.size()) && (static_cast<unsigned char>(t[end]) & 0xC0) == 0x80) ++end;
  t.erase(sel_start_, end - sel_start_);
  UserReplaceText(t);
}

bool TCustomEdit::UserType(const std::string& chars) {
  if (!Enabled() || !Showing()) return false;
  return RunGesture([&] {
    for (char c : chars) {
      char k = c;
      KeyPress(k);
    }
  });
}

bool TCustomEdit::UserSetText(const std::string& text) {
  if (!Enabled() || !Showing() || read_only_) return false;
  return RunGesture([&] {
    std::string t = text;
    if (max_length_ > 0 && static_cast<int>(Utf8Length(t)) > max_length_) t = Utf8Left(t, max_length_);
    UserReplaceText(t);
    sel_start_ = static_cast<int>(text_.size());
  });
}

}  // namespace zor::plat
