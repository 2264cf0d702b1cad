// Conversions of the variant value.
#include "platform/core/variant.h"

#include <cmath>

#include "platform/core/exceptions.h"
#include "platform/core/sysutils.h"
#include "wire/packet_writer.h"

namespace plat {

void Abort() { throw EAbort(); }

namespace {
[[noreturn]] void BadConversion(const std::string& what) {
  throw EVariantError("Conversão de variante inválida: " + what);
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
    case VarType::Array: BadConversion("matriz para texto");
    case VarType::Json: return std::get<JsonText>(v_).Text;
    case VarType::Packet: return wire::EncodePacket(*std::get<SharedPacket>(v_));
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
      BadConversion("'" + std::get<std::string>(v_) + "' para inteiro");
    }
    case VarType::DateTime: return static_cast<int64_t>(std::get<TDateTime>(v_).Val);
    case VarType::Array:
    case VarType::Json:
    case VarType::Packet: BadConversion("matriz para inteiro");
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
      BadConversion("'" + std::get<std::string>(v_) + "' para número");
    }
    case VarType::DateTime: return std::get<TDateTime>(v_).Val;
    case VarType::Array:
    case VarType::Json:
    case VarType::Packet: BadConversion("matriz para número");
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
    case VarType::Json:
    case VarType::Packet: BadConversion("matriz para lógico");
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
      BadConversion("'" + s + "' para data");
    }
    default: BadConversion("valor para data");
  }
}

const Variant::Array& Variant::AsArray() const {
  if (!IsArray()) BadConversion("valor não é uma matriz");
  return std::get<Array>(v_);
}

Variant::Array& Variant::AsArray() {
  if (!IsArray()) BadConversion("valor não é uma matriz");
  return std::get<Array>(v_);
}

const Variant& Variant::operator[](size_t i) const {
  const Array& a = AsArray();
  if (i >= a.size()) BadConversion("índice " + std::to_string(i) + " fora da matriz");
  return a[i];
}

const JsonText& Variant::AsJson() const {
  if (Type() != VarType::Json) BadConversion("valor não é um documento JSON");
  return std::get<JsonText>(v_);
}

const SharedPacket& Variant::AsPacket() const {
  if (Type() != VarType::Packet || !std::get<SharedPacket>(v_)) BadConversion("valor não é um pacote de dados");
  return std::get<SharedPacket>(v_);
}

size_t Variant::Length() const { return AsArray().size(); }

}  // namespace plat
