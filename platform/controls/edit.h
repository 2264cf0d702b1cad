// TCustomEdit / TEdit: a one-line text editor. Changing the text, from code
// too, runs OnChange (only when the text really changes). The person's
// typing arrives as key presses at the caret.
#pragma once

#include <string>

#include "platform/controls/control.h"

namespace zor::plat {

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

class TCustomEdit : public TWinControl {
 public:
  explicit TCustomEdit(TComponent* owner = nullptr);

  void SetText(const std::string& v) override;
  void Clear() { SetText(""); }

  // Limits typing (in characters); 0 means no limit. Text set from code is
  // taken whole.
  int MaxLength() const { return max_length_; }
  void SetMaxLength(int v);
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool v);
  TEditCharCase CharCase() const { return char_case_; }
  void SetCharCase(TEditCharCase c);
  // Caret position in bytes of the text (the edit text for masked edits).
  int SelStart() const { return sel_start_; }
  void SetSelStart(int v);
  // True once the person changed the text since the control was entered.
  bool Modified() const { return modified_; }
  void SetModified(bool v) { modified_ = v; }

  // Gestures: the person types these characters at the caret (one key
  // press each; '\b' is backspace), or replaces the whole text.
  bool UserType(const std::string& chars);
  bool UserSetText(const std::string& text);

  TNotifyEvent OnChange;

  void DoEnter() override;

 protected:
  // Runs OnChange.
  virtual void Change();
  std::string ApplyCase(const std::string& v) const;
  void DefaultKeyPress(char& key) override;
  void DefaultKeyDown(Word& key, TShiftState shift) override;
  // Stores a new text as the person's change.
  virtual void UserReplaceText(const std::string& text);
  int sel_start_ = 0;

 private:
  int max_length_ = 0;
  bool read_only_ = false;
  TEditCharCase char_case_ = ecNormal;
  bool modified_ = false;
};

class TEdit : public TCustomEdit {
 public:
  explicit TEdit(TComponent* owner = nullptr) : TCustomEdit(owner) {}
};

}  // namespace zor::plat
