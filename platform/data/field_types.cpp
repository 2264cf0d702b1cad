// The concrete field classes: size check of text, number and date
// formatting, boolean texts.
#include "platform/data/field_types.h"

#include <cmath>

#include "platform/core/exceptions.h"
#include "platform/core/format_settings.h"
#include "platform/core/platform_texts.h"
#include "platform/core/sysutils.h"

namespace zor::plat {

void TStringField::CheckValue(const Variant& native) const {
  if (Size() <= 0 || native.IsNull()) return;
  const std::string& s = native.AsString();
  if (Utf8Length(s) > static_cast<size_t>(Size()))
    throw EDatabaseError(PlatformText(Size() == 1 ? "data.text_too_long_one" : "data.text_too_long",
                                      {s, DisplayLabel(), std::to_string(Size())}));
}

TIntegerField::TIntegerField(TComponent* owner) : TField(owner, FieldType::Integer) {}

TFloatField::TFloatField(TComponent* owner) : TField(owner, FieldType::Float) {}

FieldDef TFloatField::Def() const {
  FieldDef d = TField::Def();
  d.Precision = precision_;
  return d;
}

std::string TFloatField::FormatValue(const Variant& native, bool display) const {
  if (native.IsNull()) return "";
  double v = native.AsFloat();
  if (!display) return FloatToStr(v);
  if (!display_format_.empty()) {
    // "0.00" shows exactly two decimals, "0.##" at most two.
    size_t dot = display_format_.find('.');
    int fixed = 0, optional = 0;
    if (dot != std::string::npos)
      for (size_t i = dot + 1; i < display_format_.size(); ++i) {
        if (display_format_[i] == '0') ++fixed;
        else if (display_format_[i] == '#') ++optional;
        else break;
      }
    std::string s = FormatFloatFixed(v, fixed + optional);
    char sep = FormatSettings().DecimalSeparator;
    for (int i = 0; i < optional && !s.empty() && s.back() == '0'; ++i) s.pop_back();
    if (!s.empty() && s.back() == sep) s.pop_back();
    return s;
  }
  if (precision_ > 0) {
    double scale = std::pow(10.0, precision_);
    double r = std::round(v * scale) / scale;
    if (std::isfinite(r)) v = r;
  }
  return FloatToStr(v);
}

std::string TDateTimeField::FormatValue(const Variant& native, bool display) const {
  if (native.IsNull()) return "";
  if (display && !display_format_.empty()) return FormatDateTime(display_format_, native.AsDateTime());
  return DateTimeToStr(native.AsDateTime());
}

TBooleanField::TBooleanField(TComponent* owner)
    : TField(owner, FieldType::Boolean), display_values_(PlatformText("data.boolean_values")) {}

namespace {
void SplitValues(const std::string& values, std::string& yes, std::string& no) {
  size_t semi = values.find(';');
  yes = values.substr(0, semi);
  no = semi == std::string::npos ? "" : values.substr(semi + 1);
}
}  // namespace

std::string TBooleanField::FormatValue(const Variant& native, bool) const {
  if (native.IsNull()) return "";
  std::string yes, no;
  SplitValues(display_values_, yes, no);
  return native.AsBool() ? yes : no;
}

Variant TBooleanField::ParseText(const std::string& text) const {
  std::string t = Trim(text);
  if (t.empty()) return Variant();
  std::string yes, no;
  SplitValues(display_values_, yes, no);
  std::string up = AnsiUpperCase(t);
  if (up == AnsiUpperCase(yes) || up == "TRUE" || t == "1") return Variant(true);
  if (up == AnsiUpperCase(no) || up == "FALSE" || t == "0") return Variant(false);
  throw EConvertError(PlatformText("data.not_boolean", {text}));
}

TField* CreateField(TComponent* owner, const FieldDef& def) {
  TField* f = nullptr;
  switch (def.Type) {
    case FieldType::String: f = new TStringField(owner); f->SetSize(def.Size); break;
    case FieldType::Integer: f = new TIntegerField(owner); break;
    case FieldType::Float: {
      auto* ff = new TFloatField(owner);
      ff->SetPrecision(def.Precision);
      f = ff;
      break;
    }
    case FieldType::DateTime: f = new TDateTimeField(owner); break;
    case FieldType::Boolean: f = new TBooleanField(owner); break;
  }
  f->SetFieldName(def.Name);
  return f;
}

}  // namespace zor::plat
