// The concrete field classes, one per column type, and the factory that
// makes a default field from a packet's column description.
#pragma once

#include "platform/data/field.h"

namespace zor::plat {

// Text of at most Size characters (UTF-8 characters, not bytes). A longer
// value is refused with an error naming the field, never cut short: code
// that wants a shorter value must cut it itself. An empty text is stored as
// null, so IsNull and AsString() == "" always agree.
class TStringField : public TField {
 public:
  explicit TStringField(TComponent* owner = nullptr) : TField(owner, FieldType::String) {}

 protected:
  void CheckValue(const Variant& native) const override;
};

class TIntegerField : public TField {
 public:
  explicit TIntegerField(TComponent* owner = nullptr);
};

// Precision is the most decimals the display text shows (0: all); a
// DisplayFormat such as "0.00" or "0.##" (decimals only, no thousands
// grouping) overrides it. The edit text always shows every decimal.
class TFloatField : public TField {
 public:
  explicit TFloatField(TComponent* owner = nullptr);
  int Precision() const { return precision_; }
  void SetPrecision(int p) { precision_ = p; }
  const std::string& DisplayFormat() const { return display_format_; }
  void SetDisplayFormat(std::string_view f) { display_format_ = std::string(f); }
  FieldDef Def() const override;

 protected:
  std::string FormatValue(const Variant& native, bool display) const override;

 private:
  int precision_ = 0;
  std::string display_format_;
};

// Display text through DisplayFormat (FormatDateTime codes) when given,
// else "dd/mm/yyyy hh:nn:ss" without the time at midnight.
class TDateTimeField : public TField {
 public:
  explicit TDateTimeField(TComponent* owner = nullptr) : TField(owner, FieldType::DateTime) {}
  const std::string& DisplayFormat() const { return display_format_; }
  void SetDisplayFormat(std::string_view f) { display_format_ = std::string(f); }

 protected:
  std::string FormatValue(const Variant& native, bool display) const override;

 private:
  std::string display_format_;
};

// Shown and typed as the two DisplayValues "true text;false text"
// ("Sim;Não" by default); "true"/"false" and "1"/"0" are accepted as typed text too.
class TBooleanField : public TField {
 public:
  explicit TBooleanField(TComponent* owner = nullptr);
  const std::string& DisplayValues() const { return display_values_; }
  void SetDisplayValues(std::string_view v) { display_values_ = std::string(v); }

 protected:
  std::string FormatValue(const Variant& native, bool display) const override;
  Variant ParseText(const std::string& text) const override;

 private:
  std::string display_values_;
};

// A field of the class that suits the column, named and sized after it.
TField* CreateField(TComponent* owner, const FieldDef& def);

}  // namespace zor::plat
