// TMaskEdit: an edit whose text follows an edit mask (see edit_mask.h).
// EditText is the full layout the person sees; Text is what the mask
// stores. Typing goes position by position from the caret: literals are
// skipped, a character the position does not take is refused, '>' upper-
// cases. Without a mask it behaves as a plain edit.
#pragma once

#include <string>

#include "platform/controls/edit.h"
#include "platform/controls/edit_mask.h"

namespace zor::plat {

class TMaskEdit : public TCustomEdit {
 public:
  explicit TMaskEdit(TComponent* owner = nullptr);

  const std::string& EditMask() const { return mask_text_; }
  // Keeps the current text, laid out in the new mask.
  void SetEditMask(const std::string& mask);
  bool IsMasked() const { return !mask_.Empty(); }

  std::string Text() const override;
  void SetText(const std::string& v) override;
  // The layout (only differs from Text for masked edits).
  std::string EditText() const { return text_; }
  void SetEditText(const std::string& layout);

  // Raises when a required position is empty (runs when a changed edit is left).
  void ValidateEdit() const;

  void DoExit() override;

 protected:
  void DefaultKeyPress(char& key) override;
  void DefaultKeyDown(Word& key, TShiftState shift) override;
  void UserReplaceText(const std::string& text) override;

 private:
  void StoreEdit(std::string edit, bool byPerson);
  std::string mask_text_;
  TEditMask mask_;
};

}  // namespace zor::plat
