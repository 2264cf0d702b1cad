// The field base: presentation properties, typed access to the current
// record through the dataset, and the text events.
#include "platform/data/field.h"

#include <cmath>

#include "platform/core/exceptions.h"
#include "platform/core/platform_texts.h"
#include "platform/core/sysutils.h"
#include "platform/data/data_set.h"

namespace zor::plat {

TField::TField(TComponent* owner, FieldType type) : TComponent(owner), type_(type) {
  if (type == FieldType::Integer || type == FieldType::Float) alignment_ = taRightJustify;
}

TField::~TField() {
  if (data_set_) data_set_->RemoveField(this);
}

void TField::SetFieldName(std::string_view name) {
  if (data_set_ && data_set_->Active())
    throw EDatabaseError(PlatformText("data.field_renamed_while_open", {field_name_}));
  field_name_ = std::string(name);
}

void TField::SetSize(int size) {
  if (size < 0) throw EDatabaseError(PlatformText("data.field_bad_size", {field_name_}));
  size_ = size;
}

int TField::DisplayWidth() const {
  if (display_width_ > 0) return display_width_;
  switch (type_) {
    case FieldType::String: return size_ > 0 ? size_ : 20;
    case FieldType::DateTime: return 18;
    case FieldType::Boolean: return 5;
    default: return 10;
  }
}

int TField::Index() const {
  if (!data_set_) return -1;
  const TFields& fs = data_set_->Fields();
  for (int i = 0; i < fs.Count(); ++i)
    if (fs[i] == this) return i;
  return -1;
}

void TField::SetDataSet(TDataSet* ds) {
  if (ds == data_set_) return;
  if (ds) ds->AddField(this);  // raises before anything changes
  if (data_set_) data_set_->RemoveField(this);
  data_set_ = ds;
}

Variant TField::Value() const { return data_set_ ? data_set_->GetFieldValue(this) : Variant(); }

void TField::SetValue(const Variant& v) {
  if (!data_set_) throw EDatabaseError(PlatformText("data.field_without_dataset", {field_name_}));
  Variant native = Convert(v);
  CheckValue(native);
  data_set_->SetFieldValue(this, native);
}

Variant TField::OldValue() const { return data_set_ ? data_set_->GetOldFieldValue(this) : Variant(); }

std::string TField::AsString() const { return FormatValue(Value(), false); }

void TField::SetAsString(const std::string& s) { SetValue(ParseText(s)); }

namespace {
// Reads through the variant's own conversions, giving the user a message
// that names the field when the value does not convert.
template <typename F>
auto Read(const TField* f, const Variant& v, F conv) -> decltype(conv(v)) {
  try {
    return conv(v);
  } catch (const EVariantError&) {
    throw EConvertError(PlatformText("data.value_not_convertible", {v.AsString(), f->DisplayLabel()}));
  }
}
}  // namespace

int64_t TField::AsInteger() const {
  Variant v = Value();
  if (v.Type() == VarType::Bool) return v.AsBool() ? 1 : 0;
  return Read(this, v, [](const Variant& x) { return x.AsInteger(); });
}

double TField::AsFloat() const {
  return Read(this, Value(), [](const Variant& x) { return x.AsFloat(); });
}

TDateTime TField::AsDateTime() const {
  return Read(this, Value(), [](const Variant& x) { return x.AsDateTime(); });
}

bool TField::AsBoolean() const {
  Variant v = Value();
  if (v.Type() == VarType::String) return ParseText(v.AsString()).AsBool();
  return Read(this, v, [](const Variant& x) { return x.AsBool(); });
}

std::string TField::Text() {
  if (OnGetText) {
    std::string text;
    OnGetText(this, text, false);
    return text;
  }
  return FormatValue(Value(), false);
}

std::string TField::DisplayText() {
  if (OnGetText) {
    std::string text;
    OnGetText(this, text, true);
    return text;
  }
  return FormatValue(Value(), true);
}

void TField::SetText(const std::string& text) {
  if (OnSetText)
    OnSetText(this, text);
  else
    SetAsString(text);
}

void TField::FocusControl() {
  if (!data_set_) return;
  TField* self = this;
  TDataEventInfo info;
  info.FocusField = &self;
  data_set_->DataEvent(deFocusControl, info);
}

bool TField::CanModify() const { return !read_only_ && data_set_ && data_set_->CanModify(); }

FieldDef TField::Def() const { return FieldDef{field_name_, type_, type_ == FieldType::String ? size_ : 0, 0}; }

std::string TField::FormatValue(const Variant& v, bool) const {
  if (v.IsNull()) return "";
  if (type_ == FieldType::Integer) return IntToStr(v.AsInteger());
  if (type_ == FieldType::Float) return FloatToStr(v.AsFloat());
  if (type_ == FieldType::DateTime) return DateTimeToStr(v.AsDateTime());
  return v.AsString();
}

Variant TField::ParseText(const std::string& text) const {
  if (type_ == FieldType::String) return text.empty() ? Variant() : Variant(text);
  std::string t = Trim(text);
  if (t.empty()) return Variant();
  switch (type_) {
    case FieldType::Integer: {
      int64_t i;
      if (TryStrToInt(t, i)) return Variant(i);
      throw EConvertError(PlatformText("data.not_integer", {text}));
    }
    case FieldType::Float: {
      double d;
      if (TryStrToFloat(t, d) && std::isfinite(d)) return Variant(d);
      throw EConvertError(PlatformText("data.not_number", {text}));
    }
    case FieldType::DateTime: {
      try {
        return Variant(Variant(t).AsDateTime());
      } catch (const EVariantError&) {
        throw EConvertError(PlatformText("data.not_date_time", {text}));
      }
    }
    default: break;
  }
  throw EConvertError(PlatformText("data.not_value", {text}));
}

Variant TField::Convert(const Variant& v) const {
  if (v.IsNull()) return v;
  // Text goes through the same parser as typed text, so the message is the user's.
  if (v.Type() == VarType::String) return ParseText(v.AsString());
  if (type_ == FieldType::String) return Convert(Variant(v.AsString()));
  try {
    return ToFieldType(v, type_, field_name_);
  } catch (const EDatabaseError& e) {
    throw EConvertError(e.Message());
  }
}

}  // namespace zor::plat
