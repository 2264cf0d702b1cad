// A dataset column as the screens see it: its name and presentation, its
// value in the dataset's current record with typed accessors, and the events
// that translate stored values to and from what the user reads and types
// (get-text, set-text), check a new value (validate) and follow a change.
//
// A field belongs to its owner component (usually the form, for persistent
// fields) and is attached to one dataset with SetDataSet before the dataset
// is opened. Fields created by the dataset itself from a packet's field list
// (default fields) are owned by the dataset.
//
// Assigning a value (Value, AsString, SetText, Clear, ...) needs the dataset
// in edit or insert state. The new value is stored, OnValidate runs reading
// the new value through the field, and when it raises the previous value is
// put back and the exception travels on; otherwise OnChange runs and the
// data sources hear of the change. Reading never needs edit state: with no
// current record (closed or empty dataset) a field reads as null.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/core/alignment.h"
#include "platform/core/component.h"
#include "platform/core/variant.h"
#include "platform/data/data_packet.h"

namespace zor::plat {

class TDataSet;
class TField;

using TFieldNotifyEvent = std::function<void(TField* sender)>;
// `text` arrives empty; `displayText` is true for display text, false for
// the text an editor edits.
using TFieldGetTextEvent = std::function<void(TField* sender, std::string& text, bool displayText)>;
using TFieldSetTextEvent = std::function<void(TField* sender, const std::string& text)>;

class TField : public TComponent {
 public:
  ~TField() override;

  FieldType DataType() const { return type_; }

  const std::string& FieldName() const { return field_name_; }
  void SetFieldName(std::string_view name);
  // The label shown to the user; the field name when none was given.
  const std::string& DisplayLabel() const { return display_label_.empty() ? field_name_ : display_label_; }
  void SetDisplayLabel(std::string_view label) { display_label_ = std::string(label); }
  bool Visible() const { return visible_; }
  void SetVisible(bool v) { visible_ = v; }
  // A required field left null fails the post with "Campo '<label>' deve ser informado.".
  bool Required() const { return required_; }
  void SetRequired(bool v) { required_ = v; }
  // A read-only field refuses every assignment.
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool v) { read_only_ = v; }
  // Width in characters of a string field (0: unlimited).
  int Size() const { return size_; }
  void SetSize(int size);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a) { alignment_ = a; }
  // Width in characters a grid column gives the field; follows Size for strings.
  int DisplayWidth() const;
  void SetDisplayWidth(int w) { display_width_ = w; }
  const std::string& EditMask() const { return edit_mask_; }
  void SetEditMask(std::string_view mask) { edit_mask_ = std::string(mask); }

  // Position in its dataset's field list; -1 when detached.
  int Index() const;
  TDataSet* DataSet() const { return data_set_; }
  // Attaches the field to a dataset (null detaches); the dataset must be closed.
  void SetDataSet(TDataSet* ds);

  // The value in the current record, of the field's own variant type or null.
  Variant Value() const;
  void SetValue(const Variant& v);
  bool IsNull() const { return Value().IsNull(); }
  void Clear() { SetValue(Variant()); }
  // The value as loaded or last merged (null for a record inserted since);
  // while editing it is the value before the edit began.
  Variant OldValue() const;

  // Typed access. Reading null gives "", 0, 0.0, zero date, false; a value
  // that does not convert raises EConvertError. Writing converts to the
  // field's type; text that does not convert raises EConvertError.
  std::string AsString() const;
  void SetAsString(const std::string& s);
  int64_t AsInteger() const;
  void SetAsInteger(int64_t v) { SetValue(Variant(v)); }
  double AsFloat() const;
  void SetAsFloat(double v) { SetValue(Variant(v)); }
  TDateTime AsDateTime() const;
  void SetAsDateTime(TDateTime v) { SetValue(Variant(v)); }
  bool AsBoolean() const;
  void SetAsBoolean(bool v) { SetValue(Variant(v)); }

  // The text an editor edits and the text shown, through OnGetText when
  // attached (which then decides alone), else the field's own formatting.
  std::string Text();
  std::string DisplayText();
  // Stores typed text through OnSetText when attached, else as AsString.
  void SetText(const std::string& text);

  // Asks the data-aware control showing this field to take the focus.
  void FocusControl();
  // Not read-only and attached to a dataset that can be modified.
  bool CanModify() const;

  // The column this field describes in a packet.
  virtual FieldDef Def() const;

  TFieldGetTextEvent OnGetText;
  TFieldSetTextEvent OnSetText;
  TFieldNotifyEvent OnValidate;
  TFieldNotifyEvent OnChange;

 protected:
  TField(TComponent* owner, FieldType type);

  // The field's own text of a value (no event); display selects the display
  // formatting over the editing one.
  virtual std::string FormatValue(const Variant& native, bool display) const;
  // Text typed by the user to the native value (empty text: null); raises
  // EConvertError with the user's message.
  virtual Variant ParseText(const std::string& text) const;
  // Any variant to the native type; raises EConvertError.
  virtual Variant Convert(const Variant& v) const;
  // Refuses a native value the field cannot hold (EDatabaseError).
  virtual void CheckValue(const Variant&) const {}

 private:
  friend class TDataSet;
  FieldType type_;
  std::string field_name_;
  std::string display_label_;
  std::string edit_mask_;
  bool visible_ = true;
  bool required_ = false;
  bool read_only_ = false;
  int size_ = 0;
  int display_width_ = 0;
  TAlignment alignment_ = taLeftJustify;
  TDataSet* data_set_ = nullptr;
  int slot_ = -1;  // column of the dataset's records holding this field
};

}  // namespace zor::plat
