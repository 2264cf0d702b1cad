// Data-aware edits: showing the field, starting the edit, writing on exit.
#include "platform/dbcontrols/db_edit.h"

#include "platform/data/field.h"

#include "platform/dbcontrols/db_classes.h"

namespace zor::plat {

namespace {
// Forms may name the data-aware classes as soon as they are linked in.
[[maybe_unused]] const bool kClassesRegistered = (RegisterDataControls(), true);
}  // namespace

TDBEdit::TDBEdit(TComponent* owner) : TMaskEdit(owner) {
  link_.SetControl(this);
  link_.OnDataChange = [this](TObject*) { ShowField(); };
  link_.OnActiveChange = [this](TObject*) { RefreshReadOnly(); };
  link_.OnEditingChange = [this](TObject*) { RefreshReadOnly(); };
  link_.OnUpdateData = [this](TObject*) {
    if (TField* f = link_.Field()) WriteField(f);
  };
  link_.OnFocusControl = [this](TObject*) {
    if (CanFocus()) SetFocus();
  };
  RefreshReadOnly();
}

TDBEdit::~TDBEdit() {
  link_.OnDataChange = nullptr;
  link_.OnActiveChange = nullptr;
  link_.OnEditingChange = nullptr;
  link_.SetDataSource(nullptr);
}

void TDBEdit::SetDataSource(TDataSource* source) {
  link_.SetDataSource(source);
  RefreshReadOnly();
  ShowField();
}

void TDBEdit::SetDataField(const std::string& name) {
  link_.SetFieldName(name);
  RefreshReadOnly();
  ShowField();
}

void TDBEdit::SetReadOnly(bool v) {
  own_read_only_ = v;
  link_.SetReadOnly(v);
  RefreshReadOnly();
}

void TDBEdit::SetEditMask(const std::string& mask) {
  own_mask_ = !mask.empty();
  TMaskEdit::SetEditMask(mask);
  ShowField();
}

void TDBEdit::RefreshReadOnly() {
  // What the person sees: an edit that takes no typing.
  TField* f = link_.Field();
  TCustomEdit::SetReadOnly(own_read_only_ || !f || !f->CanModify());
}

std::string TDBEdit::FieldText(TField* field, bool editing) const {
  return editing || !field->EditMask().empty() ? field->Text() : field->DisplayText();
}

void TDBEdit::ShowField() {
  TField* f = link_.Field();
  if (!own_mask_) {
    std::string mask = f ? f->EditMask() : std::string();
    if (mask != EditMask()) TMaskEdit::SetEditMask(mask);
  }
  // A string field limits typing to its size; a masked text carries its
  // literals, so the mask limits it instead.
  if (MaxLength() == 0 || MaxLength() == auto_max_length_) {
    const bool sized = f && f->DataType() == FieldType::String && !IsMasked();
    auto_max_length_ = sized ? f->Size() : 0;
    SetMaxLength(auto_max_length_);
  }
  std::string text = f ? FieldText(f, focused_) : std::string();
  int caret = sel_start_;
  bool same = text == Text();
  TMaskEdit::SetText(text);
  if (same) sel_start_ = caret;  // a refresh with the same text keeps the caret
}

bool TDBEdit::BeginChange() {
  if (own_read_only_) return false;
  return link_.Edit();
}

void TDBEdit::DefaultKeyPress(char& key) {
  const bool changes = key == '\b' || static_cast<unsigned char>(key) >= 0x20;
  if (changes && !BeginChange()) {
    key = 0;
    return;
  }
  std::string before = EditText();
  TMaskEdit::DefaultKeyPress(key);
  if (EditText() != before) link_.Modified();
}

void TDBEdit::DefaultKeyDown(Word& key, TShiftState shift) {
  if (key == VK_DELETE && !BeginChange()) {
    key = 0;
    return;
  }
  std::string before = EditText();
  TMaskEdit::DefaultKeyDown(key, shift);
  if (EditText() != before) link_.Modified();
}

void TDBEdit::UserReplaceText(const std::string& text) {
  if (!BeginChange()) return;
  std::string before = EditText();
  TMaskEdit::UserReplaceText(text);
  if (EditText() != before) link_.Modified();
}

void TDBEdit::WriteField(TField* field) { field->SetText(Text()); }

void TDBEdit::DoEnter() {
  focused_ = true;
  if (!link_.IsModified()) ShowField();
  TCustomEdit::DoEnter();
}

void TDBEdit::DoExit() {
  // The mask must be complete and the field must take the text before the
  // focus may leave; either failing keeps the focus here.
  if (Modified() && IsMasked() && link_.IsModified()) ValidateEdit();
  link_.UpdateRecord();
  focused_ = false;
  ShowField();
  try {
    TCustomEdit::DoExit();
  } catch (...) {
    // The exit handler refused the move: the edit keeps the focus.
    focused_ = true;
    ShowField();
    throw;
  }
}

}  // namespace zor::plat
