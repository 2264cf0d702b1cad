// Data packets and deltas of variants, to and from the wire's neutral
// values and its JSON codec.
#include "platform/data/data_packet.h"

#include <cmath>
#include <type_traits>

#include "platform/core/exceptions.h"
#include "platform/core/sysutils.h"
#include "wire/packet_reader.h"
#include "wire/packet_writer.h"

namespace plat {

namespace {

const char* const kPacketError = "Pacote de dados inválido: ";
const char* const kDeltaError = "Delta inválido: ";

[[noreturn]] void Fail(const char* prefix, const std::string& what) { throw EDatabaseError(prefix + what); }

wire::Value ToWire(const Variant& value, const FieldDef& def) {
  Variant v = ToFieldType(value, def.Type, def.Name);
  switch (v.Type()) {
    case VarType::Null: return {};
    case VarType::String: return v.AsString();
    case VarType::Integer: return v.AsInteger();
    case VarType::Float: {
      double d = v.AsFloat();
      if (!std::isfinite(d)) throw EDatabaseError("Valor numérico inválido no campo '" + def.Name + "'.");
      return d;
    }
    case VarType::DateTime: {
      int y, m, d, h, n, s, ms;
      DecodeDate(v.AsDateTime(), y, m, d);
      DecodeTime(v.AsDateTime(), h, n, s, ms);
      return wire::DateTime{y, m, d, h, n, s};
    }
    case VarType::Bool: return v.AsBool();
    default: throw EDatabaseError("Valor inválido no campo '" + def.Name + "'.");
  }
}

std::vector<wire::Value> RowToWire(const std::vector<Variant>& row, const std::vector<FieldDef>& fields) {
  if (row.size() != fields.size())
    throw EDatabaseError("Linha com " + std::to_string(row.size()) + " valores para " +
                         std::to_string(fields.size()) + " campos.");
  std::vector<wire::Value> out;
  out.reserve(row.size());
  for (size_t i = 0; i < row.size(); ++i) out.push_back(ToWire(row[i], fields[i]));
  return out;
}

template <typename V>
Variant FromWire(V&& value) {
  return std::visit(
      [](auto&& x) -> Variant {
        using T = std::decay_t<decltype(x)>;
        if constexpr (std::is_same_v<T, std::monostate>) return Variant();
        else if constexpr (std::is_same_v<T, wire::DateTime>)
          return Variant(TDateTime{EncodeDate(x.Year, x.Month, x.Day).Val + EncodeTime(x.Hour, x.Minute, x.Second).Val});
        else return Variant(std::forward<decltype(x)>(x));
      },
      std::forward<V>(value));
}

template <typename P>
DataPacket FromWirePacket(P&& packet) {
  DataPacket out;
  out.Fields = packet.Fields;
  out.Rows.reserve(packet.Rows.size());
  for (auto& row : packet.Rows) {
    std::vector<Variant> r;
    r.reserve(row.size());
    for (auto& v : row) {
      if constexpr (std::is_const_v<std::remove_reference_t<P>>) r.push_back(FromWire(v));
      else r.push_back(FromWire(std::move(v)));
    }
    out.Rows.push_back(std::move(r));
  }
  return out;
}

std::vector<Variant> RowFromWire(const std::vector<wire::Value>& row) {
  std::vector<Variant> out;
  out.reserve(row.size());
  for (const auto& v : row) out.push_back(FromWire(v));
  return out;
}

std::string TextOf(const Variant& value, const char* prefix) {
  if (value.Type() == VarType::Json) return value.AsJson().Text;
  if (value.Type() == VarType::String) return value.AsString();
  Fail(prefix, "o valor não contém um documento JSON.");
}

}  // namespace

Variant ToFieldType(const Variant& value, FieldType type, const std::string& fieldName) {
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

JsonText PacketToJsonText(const DataPacket& packet) {
  std::string out;
  wire::PacketWriter w(out, packet.Fields);
  for (const auto& row : packet.Rows) w.Values().Row(RowToWire(row, packet.Fields));
  w.Finish();
  return JsonText{std::move(out)};
}

DataPacket PacketFromWire(const wire::Packet& packet) { return FromWirePacket(packet); }
DataPacket PacketFromWire(wire::Packet&& packet) { return FromWirePacket(std::move(packet)); }

DataPacket PacketFromJsonText(const JsonText& text) {
  try {
    return PacketFromWire(wire::DecodePacket(text.Text));
  } catch (const wire::DecodeError& e) {
    throw EDatabaseError(e.what());
  }
}

JsonText DeltaToJsonText(const DeltaPacket& delta) {
  wire::Delta out;
  out.Fields = delta.Fields;
  for (const DeltaRow& c : delta.Changes) {
    wire::Change w;
    w.Kind = c.Kind;
    if (c.Kind != ChangeKind::Insert) w.Old = RowToWire(c.Old, delta.Fields);
    if (c.Kind != ChangeKind::Delete) w.New = RowToWire(c.New, delta.Fields);
    out.Changes.push_back(std::move(w));
  }
  return JsonText{wire::EncodeDelta(out)};
}

DeltaPacket DeltaFromJsonText(const JsonText& text) {
  wire::Delta d;
  try {
    d = wire::DecodeDeltaText(text.Text);
  } catch (const wire::DecodeError& e) {
    throw EDatabaseError(e.what());
  }
  DeltaPacket out;
  out.Fields = std::move(d.Fields);
  for (const wire::Change& c : d.Changes) out.Changes.push_back({c.Kind, RowFromWire(c.Old), RowFromWire(c.New)});
  return out;
}

Variant PacketToVariant(const DataPacket& packet) { return Variant(PacketToJsonText(packet)); }

DataPacket PacketFromVariant(const Variant& value) {
  if (value.Type() == VarType::Packet) return PacketFromWire(*value.AsPacket());
  return PacketFromJsonText(JsonText{TextOf(value, kPacketError)});
}

DataPacket PacketFromVariant(Variant&& value) {
  if (value.Type() == VarType::Packet && value.AsPacket().use_count() == 1)
    return PacketFromWire(std::move(*value.AsPacket()));
  return PacketFromVariant(static_cast<const Variant&>(value));
}

Variant DeltaToVariant(const DeltaPacket& delta) { return Variant(DeltaToJsonText(delta)); }

DeltaPacket DeltaFromVariant(const Variant& value) { return DeltaFromJsonText(JsonText{TextOf(value, kDeltaError)}); }

}  // namespace plat
