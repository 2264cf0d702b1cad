// Conversions of the variant value.
#include "platform/core/variant.h"

#include <cmath>

#include "platform/core/exceptions.h"
#include "platform/core/platform_texts.h"
#include "platform/core/sysutils.h"

namespace plat {

void Abort() { throw EAbort(); }

namespace {
[[noreturn]] void BadConversion(const std::string& what) {
  throw EVariantError(PlatformText("variant.bad_conversion", {what}));
}
}  // namespace

std::string Variant::AsString() const {
  switch (Type()) {
    case VarType::Null: return "";
    case VarType::Bool: return std::get<bool>(v_) ? "True" : "False";
    case VarType::Integer: return std::to_string(std::get<int64_t>(v_));
    case VarType::Float: return FloatToStr(std::get<double>(v_));
    case VarType::String: return std::get<std::string>(v_);
    case VarType::DateTime: return DateTimeToStr(std::get<TDateTime>(v_));
    case VarType::Array: BadConversion(PlatformText("variant.array_to_text"));
    case VarType::Json: return std::get<JsonText>(v_).Text;
  }
  return "";
}

int64_t Variant::AsInteger() const {
  switch (Type()) {
    case VarType::Null: return 0;
    case VarType::Bool: return std::get<bool>(v_) ? -1 : 0;
    case VarType::Integer: return std::get<int64_t>(v_);
    case VarType::Float: return std::llround(std::get<double>(v_));
    case VarType::String: {
      int64_t v;
      if (TryStrToInt(std::get<std::string>(v_), v)) return v;
      double f;
      if (TryStrToFloat(std::get<std::string>(v_), f)) return std::llround(f);
      BadConversion(PlatformText("variant.text_to_integer", {std::get<std::string>(v_)}));
    }
    case VarType::DateTime: return static_cast<int64_t>(std::get<TDateTime>(v_).Val);
    case VarType::Array:
    case VarType::Json: BadConversion(PlatformText("variant.array_to_integer"));
  }
  return 0;
}

double Variant::AsFloat() const {
  switch (Type()) {
    case VarType::Null: return 0.0;
    case VarType::Bool: return std::get<bool>(v_) ? -1.0 : 0.0;
    case VarType::Integer: return static_cast<double>(std::get<int64_t>(v_));
    case VarType::Float: return std::get<double>(v_);
    case VarType::String: {
      double f;
      if (TryStrToFloat(std::get<std::string>(v_), f)) return f;
      BadConversion(PlatformText("variant.text_to_number", {std::get<std::string>(v_)}));
    }
    case VarType::DateTime: return std::get<TDateTime>(v_).Val;
    case VarType::Array:
    case VarType::Json: BadConversion(PlatformText("variant.array_to_number"));
  }
  return 0.0;
}

bool Variant::AsBool() const {
  switch (Type()) {
    case VarType::Null: return false;
    case VarType::Bool: return std::get<bool>(v_);
    case VarType::String: {
      const std::string& s = std::get<std::string>(v_);
      if (SameText(s, "true")) return true;
      if (SameText(s, "false")) return false;
      return AsInteger() != 0;
    }
    case VarType::Array:
    case VarType::Json: BadConversion(PlatformText("variant.array_to_bool"));
    default: return AsFloat() != 0.0;
  }
}

TDateTime Variant::AsDateTime() const {
  switch (Type()) {
    case VarType::Null: return TDateTime{};
    case VarType::DateTime: return std::get<TDateTime>(v_);
    case VarType::Integer:
    case VarType::Float: return TDateTime{AsFloat()};
    case VarType::String: {
      const std::string& s = std::get<std::string>(v_);
      TDateTime dt;
      if (TryIsoToDateTime(s, dt)) return dt;
      std::string t = Trim(s);
      size_t sp = t.find(' ');
      TDateTime d, tm;
      if (sp == std::string::npos) {
        if (TryStrToDate(t, d)) return d;
        if (TryStrToTime(t, tm)) return tm;
      } else if (TryStrToDate(t.substr(0, sp), d) && TryStrToTime(t.substr(sp + 1), tm)) {
        return TDateTime{d.Val + tm.Val};
      }
      BadConversion(PlatformText("variant.text_to_date", {s}));
    }
    default: BadConversion(PlatformText("variant.value_to_date"));
  }
}

const Variant::Array& Variant::AsArray() const {
  if (!IsArray()) BadConversion(PlatformText("variant.not_array"));
  return std::get<Array>(v_);
}

Variant::Array& Variant::AsArray() {
  if (!IsArray()) BadConversion(PlatformText("variant.not_array"));
  return std::get<Array>(v_);
}

const Variant& Variant::operator[](size_t i) const {
  const Array& a = AsArray();
  if (i >= a.size()) BadConversion(PlatformText("variant.index_outside", {std::to_string(i)}));
  return a[i];
}

const JsonText& Variant::AsJson() const {
  if (Type() != VarType::Json) BadConversion(PlatformText("variant.not_json"));
  return std::get<JsonText>(v_);
}

size_t Variant::Length() const { return AsArray().size(); }

}  // namespace plat
