// TDBEdit: an edit bound to one field of a data source.
//
// It shows the field's display text, and the field's edit text while it has
// the focus (a field with an edit mask is always shown as edit text, laid
// out in the mask, which the edit borrows unless it has a mask of its own).
// The person's typing first puts a browsing dataset into edit, when the data
// source's AutoEdit allows; otherwise (or with a read-only field) the typing
// is refused. The text is written into the field through the field's
// set-text when the edit is left and whenever the dataset asks its controls
// for their pending text (UpdateRecord, before every post). A value that the
// field refuses on the way out (a validate handler raising) leaves the field
// with its old value and the edit with the typed text, and the error
// travels on, so the focus move is refused and the focus stays here.
#pragma once

#include <string>

#include "platform/controls/mask_edit.h"
#include "platform/data/data_link.h"
#include "platform/data/data_source.h"

namespace zor::plat {

class TDBEdit : public TMaskEdit {
 public:
  explicit TDBEdit(TComponent* owner = nullptr);
  ~TDBEdit() override;

  TDataSource* DataSource() const { return link_.DataSource(); }
  void SetDataSource(TDataSource* source);
  const std::string& DataField() const { return link_.FieldName(); }
  void SetDataField(const std::string& name);
  // The bound field; null while the dataset is closed or has no such field.
  TField* Field() const { return link_.Field(); }

  // The edit's own read-only flag; the person cannot type either when the
  // field cannot be modified.
  bool ReadOnly() const { return own_read_only_; }
  void SetReadOnly(bool v);
  // An edit mask of the edit's own; empty: the field's, when it has one.
  void SetEditMask(const std::string& mask);

  // Writes the pending text into the field now (what leaving does).
  void UpdateRecord() { link_.UpdateRecord(); }
  // The person changed the text since it was last shown from the field.
  bool PendingText() const { return link_.IsModified(); }

  void DoEnter() override;
  void DoExit() override;

 protected:
  void DefaultKeyPress(char& key) override;
  void DefaultKeyDown(Word& key, TShiftState shift) override;
  void UserReplaceText(const std::string& text) override;

  // The text shown for the field (focused: the edit text).
  virtual std::string FieldText(TField* field, bool editing) const;
  // Writes the text into the field (through its set-text).
  virtual void WriteField(TField* field);
  // Shows the field again, dropping pending text.
  void ShowField();
  // Puts the dataset into edit for the person's change; false refuses it.
  bool BeginChange();
  TFieldDataLink& Link() { return link_; }

 private:
  void RefreshReadOnly();
  TFieldDataLink link_;
  bool own_read_only_ = false;
  bool own_mask_ = false;
  bool focused_ = false;
  int auto_max_length_ = 0;
};

}  // namespace zor::plat
