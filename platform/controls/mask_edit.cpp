// Masked edits.
#include "platform/controls/mask_edit.h"

#include "platform/core/exceptions.h"
#include "platform/core/platform_texts.h"

namespace zor::plat {

TMaskEdit::TMaskEdit(TComponent* owner) : TCustomEdit(owner) {}

void TMaskEdit::SetEditMask(const std::string& mask) {
  if (mask == mask_text_) return;
  std::string current = Text();
  mask_text_ = mask;
  mask_ = TEditMask(mask);
  Changed(Prop::EditMask);
  if (IsMasked()) {
    std::string edit = mask_.EditTextFromText(ApplyCase(current));
    if (edit != text_) {
      text_ = edit;
      Changed(Prop::Caption);
    }
    sel_start_ = 0;
  } else if (current != text_) {
    text_ = current;
    Changed(Prop::Caption);
  }
}

std::string TMaskEdit::Text() const { return IsMasked() ? mask_.TextFromEditText(text_) : text_; }

void TMaskEdit::StoreEdit(std::string edit, bool byPerson) {
  if (edit == text_) return;
  if (byPerson) SetModified(true);
  text_ = std::move(edit);
  Changed(Prop::Caption);
  Change();
}

void TMaskEdit::SetText(const std::string& v) {
  if (!IsMasked()) {
    TCustomEdit::SetText(v);
    return;
  }
  StoreEdit(mask_.EditTextFromText(ApplyCase(v)), false);
  sel_start_ = 0;
}

void TMaskEdit::SetEditText(const std::string& layout) {
  if (!IsMasked()) {
    TCustomEdit::SetText(layout);
    return;
  }
  StoreEdit(mask_.EditTextFromInput(ApplyCase(layout)), false);
}

void TMaskEdit::UserReplaceText(const std::string& text) {
  if (!IsMasked()) {
    TCustomEdit::UserReplaceText(text);
    return;
  }
  StoreEdit(mask_.EditTextFromInput(ApplyCase(text)), true);
}

void TMaskEdit::DefaultKeyPress(char& key) {
  if (!IsMasked()) {
    TCustomEdit::DefaultKeyPress(key);
    return;
  }
  if (ReadOnly()) return;
  char typed = key;
  if (typed != '\b' && static_cast<unsigned char>(typed) >= 0x20) typed = ApplyCase(std::string(1, typed))[0];
  std::string edit = text_;
  if (mask_.TypeKey(edit, sel_start_, typed)) StoreEdit(edit, true);
}

void TMaskEdit::DefaultKeyDown(Word& key, TShiftState shift) {
  if (!IsMasked()) {
    TCustomEdit::DefaultKeyDown(key, shift);
    return;
  }
  if (ReadOnly()) return;
  if (key == VK_DELETE) {
    if (sel_start_ >= mask_.Length() || mask_.IsLiteral(sel_start_)) return;
    std::string edit = text_;
    edit[sel_start_] = mask_.Blank();
    StoreEdit(edit, true);
  } else if (key == VK_HOME) {
    sel_start_ = 0;
  } else if (key == VK_END) {
    sel_start_ = mask_.Length();
  } else if (key == VK_LEFT && sel_start_ > 0) {
    --sel_start_;
  } else if (key == VK_RIGHT && sel_start_ < mask_.Length()) {
    ++sel_start_;
  }
}

void TMaskEdit::ValidateEdit() const {
  if (!IsMasked()) return;
  int missing = mask_.FirstMissing(text_);
  if (missing >= 0)
    throw Exception(PlatformText("mask.incomplete"));
}

void TMaskEdit::DoExit() {
  // A changed masked text must be complete before the focus may leave.
  if (Modified() && IsMasked()) {
    int missing = mask_.FirstMissing(text_);
    if (missing >= 0) {
      sel_start_ = missing;
      ValidateEdit();
    }
  }
  TCustomEdit::DoExit();
}

}  // namespace zor::plat
