// Variants through the wire's codec (see variant_codec.h), and the wire's
// readers compiled for them.
#include "platform/core/variant_codec.h"

#include <cmath>

#include "platform/core/exceptions.h"
#include "platform/core/sysutils.h"
#include "wire/packet_reader_impl.h"
#include "wire/packet_writer.h"

namespace zor::plat {

namespace {

wire::DateTime ToWireDateTime(TDateTime value) {
  int y, m, d, h, n, s, ms;
  DecodeDate(value, y, m, d);
  DecodeTime(value, h, n, s, ms);
  return wire::DateTime{y, m, d, h, n, s};
}

TDateTime FromWireDateTime(const wire::DateTime& x) {
  return TDateTime{EncodeDate(x.Year, x.Month, x.Day).Val + EncodeTime(x.Hour, x.Minute, x.Second).Val};
}

}  // namespace

VarType NativeType(wire::FieldType type) {
  switch (type) {
    case wire::FieldType::String: return VarType::String;
    case wire::FieldType::Integer: return VarType::Integer;
    case wire::FieldType::Float: return VarType::Float;
    case wire::FieldType::DateTime: return VarType::DateTime;
    case wire::FieldType::Boolean: return VarType::Bool;
  }
  return VarType::Null;
}

Variant ToFieldType(const Variant& value, wire::FieldType type, const std::string& fieldName) {
  using wire::FieldType;
  if (value.IsNull()) return value;
  try {
    switch (type) {
      case FieldType::String:
        return value.Type() == VarType::String ? value : Variant(value.AsString());
      case FieldType::Integer:
        if (value.Type() == VarType::Integer) return value;
        if (value.Type() == VarType::Float) {
          double d = value.AsFloat();
          if (std::isfinite(d) && d == std::trunc(d)) return Variant(static_cast<int64_t>(d));
          break;
        }
        if (value.Type() == VarType::String) {
          int64_t i;
          if (TryStrToInt(value.AsString(), i)) return Variant(i);
          break;
        }
        return Variant(value.AsInteger());
      case FieldType::Float:
        if (value.Type() == VarType::Float) return value;
        return Variant(value.AsFloat());
      case FieldType::DateTime:
        if (value.Type() == VarType::DateTime) return value;
        return Variant(value.AsDateTime());
      case FieldType::Boolean:
        if (value.Type() == VarType::Bool) return value;
        return Variant(value.AsBool());
    }
  } catch (const EVariantError&) {
  } catch (const EConvertError&) {
  }
  std::string shown = value.Type() == VarType::Array ? "matriz" : value.AsString();
  throw EDatabaseError("Valor '" + shown + "' inválido para o campo '" + fieldName + "' (" +
                       wire::TypeLabel(type) + ").");
}

}  // namespace zor::plat

namespace zor::wire {

using plat::Variant;
using plat::VarType;

bool ValueCodec<Variant>::Type(Variant& v, FieldType type) {
  switch (v.Type()) {
    case VarType::Null: return true;
    case VarType::String:
      if (type == FieldType::String) return true;
      if (type == FieldType::DateTime) {
        DateTime dt;
        if (!ParseDateTime(v.TextView(), dt)) return false;
        v = Variant(plat::FromWireDateTime(dt));
        return true;
      }
      return false;
    case VarType::Integer:
      if (type == FieldType::Integer) return true;
      if (type != FieldType::Float) return false;
      v = Variant(static_cast<double>(v.AsInteger()));
      return true;
    case VarType::Float: {
      if (type == FieldType::Float) return true;
      double d = v.AsFloat();
      if (type != FieldType::Integer || !std::isfinite(d) || d != std::trunc(d) || std::fabs(d) >= 9.0e18)
        return false;
      v = Variant(static_cast<int64_t>(d));
      return true;
    }
    case VarType::Bool: return type == FieldType::Boolean;
    default: return false;
  }
}

void ValueCodec<Variant>::Write(ValueWriter& out, const Variant& value, const FieldDef& field) {
  auto write = [&](const Variant& v) {
    switch (v.Type()) {
      case VarType::Null: return out.Null();
      case VarType::String: return out.String(v.TextView());
      case VarType::Integer: return out.Integer(v.AsInteger());
      case VarType::Float:
        if (!std::isfinite(v.AsFloat()))
          throw plat::EDatabaseError("Valor numérico inválido no campo '" + field.Name + "'.");
        return out.Float(v.AsFloat());
      case VarType::DateTime: return out.Date(plat::ToWireDateTime(v.AsDateTime()));
      case VarType::Bool: return out.Boolean(v.AsBool());
      default: throw plat::EDatabaseError("Valor inválido no campo '" + field.Name + "'.");
    }
  };
  if (value.IsNull() || value.Type() == plat::NativeType(field.Type)) return write(value);
  write(plat::ToFieldType(value, field.Type, field.Name));
}

void ValueCodec<Variant>::WriteAsIs(ValueWriter& out, const Variant& v) {
  switch (v.Type()) {
    case VarType::Null: return out.Null();
    case VarType::Bool: return out.Boolean(v.AsBool());
    case VarType::Integer: return out.Integer(v.AsInteger());
    case VarType::Float: return out.Float(v.AsFloat());
    case VarType::String: return out.String(v.TextView());
    case VarType::DateTime: return out.Date(plat::ToWireDateTime(v.AsDateTime()));
    case VarType::Array:
      out.BeginList();
      for (const Variant& e : v.AsArray()) WriteAsIs(out, e);
      return out.EndList();
    case VarType::Json: return out.Raw(v.AsJson().Text);
    case VarType::Packet: return out.Raw(EncodePacket(*v.AsPacket()));
  }
}

}  // namespace zor::wire

ZOR_WIRE_READERS_FOR(zor::plat::Variant);
