// JSON encoding of data packets and deltas, with a strict decoder: a packet
// that does not match its own field list is refused whole, never loaded in part.
#include "platform/data/data_packet.h"

#include <cmath>
#include <set>

#include <nlohmann/json.hpp>

#include "platform/core/exceptions.h"
#include "platform/core/sysutils.h"

namespace plat {

using nlohmann::json;

namespace {

const char* const kPacketError = "Pacote de dados inválido: ";
const char* const kDeltaError = "Pacote de alterações inválido: ";

[[noreturn]] void Fail(const char* prefix, const std::string& what) {
  throw EDatabaseError(prefix + what);
}

std::string TypeLabel(FieldType type) {
  switch (type) {
    case FieldType::String: return "texto";
    case FieldType::Integer: return "inteiro";
    case FieldType::Float: return "número";
    case FieldType::DateTime: return "data e hora";
    case FieldType::Boolean: return "lógico";
  }
  return "";
}

bool TypeFromName(const std::string& name, FieldType& out) {
  static const std::pair<const char*, FieldType> kNames[] = {
      {"string", FieldType::String},     {"integer", FieldType::Integer}, {"float", FieldType::Float},
      {"datetime", FieldType::DateTime}, {"boolean", FieldType::Boolean},
  };
  for (const auto& [n, t] : kNames)
    if (name == n) {
      out = t;
      return true;
    }
  return false;
}

json FieldsToJson(const std::vector<FieldDef>& fields) {
  json out = json::array();
  for (const FieldDef& f : fields) {
    json j = {{"name", f.Name}, {"type", FieldTypeName(f.Type)}};
    if (f.Type == FieldType::String && f.Size > 0) j["size"] = f.Size;
    if (f.Type == FieldType::Float && f.Precision > 0) j["precision"] = f.Precision;
    out.push_back(std::move(j));
  }
  return out;
}

json ValueToJson(const Variant& value, const FieldDef& def) {
  Variant v = ToFieldType(value, def.Type, def.Name);
  switch (v.Type()) {
    case VarType::Null: return nullptr;
    case VarType::String: return v.AsString();
    case VarType::Integer: return v.AsInteger();
    case VarType::Float: {
      double d = v.AsFloat();
      if (!std::isfinite(d))
        throw EDatabaseError("Valor numérico inválido no campo '" + def.Name + "'.");
      return d;
    }
    case VarType::DateTime: return DateTimeToIso(v.AsDateTime());
    case VarType::Bool: return v.AsBool();
    default: throw EDatabaseError("Valor inválido no campo '" + def.Name + "'.");
  }
}

json RowToJson(const std::vector<Variant>& row, const std::vector<FieldDef>& fields) {
  if (row.size() != fields.size())
    throw EDatabaseError("Linha com " + std::to_string(row.size()) + " valores para " +
                         std::to_string(fields.size()) + " campos.");
  json out = json::array();
  for (size_t i = 0; i < row.size(); ++i) out.push_back(ValueToJson(row[i], fields[i]));
  return out;
}

std::vector<FieldDef> FieldsFromJson(const json& doc, const char* prefix) {
  auto it = doc.find("fields");
  if (it == doc.end() || !it->is_array()) Fail(prefix, "falta a lista \"fields\".");
  std::vector<FieldDef> fields;
  std::set<std::string> seen;
  int n = 0;
  for (const json& f : *it) {
    ++n;
    std::string where = "o campo " + std::to_string(n);
    if (!f.is_object()) Fail(prefix, where + " não é um objeto.");
    auto name = f.find("name");
    if (name == f.end() || !name->is_string() || name->get<std::string>().empty())
      Fail(prefix, where + " não tem nome.");
    FieldDef def;
    def.Name = name->get<std::string>();
    if (!seen.insert(UpperCase(def.Name)).second) Fail(prefix, "o campo '" + def.Name + "' está repetido.");
    auto type = f.find("type");
    if (type == f.end() || !type->is_string()) Fail(prefix, "o campo '" + def.Name + "' não tem tipo.");
    if (!TypeFromName(type->get<std::string>(), def.Type))
      Fail(prefix, "tipo '" + type->get<std::string>() + "' desconhecido no campo '" + def.Name + "'.");
    for (const char* key : {"size", "precision"}) {
      auto v = f.find(key);
      if (v == f.end() || v->is_null()) continue;
      if (!v->is_number_integer() || v->get<int64_t>() < 0 || v->get<int64_t>() > 1000000)
        Fail(prefix, std::string("\"") + key + "\" inválido no campo '" + def.Name + "'.");
      (std::string(key) == "size" ? def.Size : def.Precision) = v->get<int>();
    }
    fields.push_back(std::move(def));
  }
  return fields;
}

Variant ValueFromJson(const json& v, const FieldDef& def, const char* prefix, const std::string& where) {
  if (v.is_null()) return Variant();
  auto bad = [&]() {
    return EDatabaseError(prefix + ("valor inválido n" + where + ", campo '" + def.Name +
                                    "': esperado " + TypeLabel(def.Type) + "."));
  };
  switch (def.Type) {
    case FieldType::String:
      if (!v.is_string()) throw bad();
      return Variant(v.get<std::string>());
    case FieldType::Integer:
      if (v.is_number_integer()) {
        if (v.is_number_unsigned() && v.get<uint64_t>() > static_cast<uint64_t>(INT64_MAX)) throw bad();
        return Variant(v.get<int64_t>());
      }
      if (v.is_number_float()) {
        double d = v.get<double>();
        if (std::isfinite(d) && d == std::trunc(d) && std::fabs(d) < 9.0e18) return Variant(static_cast<int64_t>(d));
      }
      throw bad();
    case FieldType::Float:
      if (!v.is_number()) throw bad();
      return Variant(v.get<double>());
    case FieldType::DateTime: {
      TDateTime dt;
      if (!v.is_string() || !TryIsoToDateTime(v.get<std::string>(), dt)) throw bad();
      return Variant(dt);
    }
    case FieldType::Boolean:
      if (!v.is_boolean()) throw bad();
      return Variant(v.get<bool>());
  }
  throw bad();
}

std::vector<Variant> RowFromJson(const json& row, const std::vector<FieldDef>& fields, const char* prefix,
                                 const std::string& where) {
  if (!row.is_array()) Fail(prefix, where + " não é uma lista de valores.");
  if (row.size() != fields.size())
    Fail(prefix, where + " tem " + std::to_string(row.size()) + " valores; esperados " +
                     std::to_string(fields.size()) + ".");
  std::vector<Variant> out;
  out.reserve(row.size());
  for (size_t i = 0; i < row.size(); ++i) out.push_back(ValueFromJson(row[i], fields[i], prefix, where));
  return out;
}

json ParseText(const JsonText& text, const char* prefix) {
  try {
    return json::parse(text.Text);
  } catch (const json::exception&) {
    Fail(prefix, "o texto não é um documento JSON válido.");
  }
}

const JsonText& TextOf(const Variant& value, const char* prefix, JsonText& holder) {
  if (value.Type() == VarType::Json) return value.AsJson();
  if (value.Type() == VarType::String) {
    holder.Text = value.AsString();
    return holder;
  }
  Fail(prefix, "o valor não contém um documento JSON.");
}

}  // namespace

std::string FieldTypeName(FieldType type) {
  switch (type) {
    case FieldType::String: return "string";
    case FieldType::Integer: return "integer";
    case FieldType::Float: return "float";
    case FieldType::DateTime: return "datetime";
    case FieldType::Boolean: return "boolean";
  }
  return "";
}

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
  throw EDatabaseError("Valor '" + shown + "' inválido para o campo '" + fieldName + "' (" + TypeLabel(type) + ").");
}

json PacketToJson(const DataPacket& packet) {
  json rows = json::array();
  for (const auto& row : packet.Rows) rows.push_back(RowToJson(row, packet.Fields));
  return json{{"fields", FieldsToJson(packet.Fields)}, {"rows", std::move(rows)}};
}

DataPacket PacketFromJson(const json& doc) {
  if (!doc.is_object()) Fail(kPacketError, "era esperado um objeto JSON.");
  DataPacket packet;
  packet.Fields = FieldsFromJson(doc, kPacketError);
  auto rows = doc.find("rows");
  if (rows == doc.end() || !rows->is_array()) Fail(kPacketError, "falta a lista \"rows\".");
  packet.Rows.reserve(rows->size());
  size_t n = 0;
  for (const json& row : *rows)
    packet.Rows.push_back(RowFromJson(row, packet.Fields, kPacketError, "a linha " + std::to_string(++n)));
  return packet;
}

JsonText PacketToJsonText(const DataPacket& packet) { return JsonText{PacketToJson(packet).dump()}; }

DataPacket PacketFromJsonText(const JsonText& text) { return PacketFromJson(ParseText(text, kPacketError)); }

json DeltaToJson(const DeltaPacket& delta) {
  json changes = json::array();
  for (const DeltaRow& c : delta.Changes) {
    json j;
    switch (c.Kind) {
      case ChangeKind::Insert: j = {{"kind", "insert"}, {"new", RowToJson(c.New, delta.Fields)}}; break;
      case ChangeKind::Modify:
        j = {{"kind", "modify"}, {"old", RowToJson(c.Old, delta.Fields)}, {"new", RowToJson(c.New, delta.Fields)}};
        break;
      case ChangeKind::Delete: j = {{"kind", "delete"}, {"old", RowToJson(c.Old, delta.Fields)}}; break;
    }
    changes.push_back(std::move(j));
  }
  return json{{"fields", FieldsToJson(delta.Fields)}, {"changes", std::move(changes)}};
}

DeltaPacket DeltaFromJson(const json& doc) {
  if (!doc.is_object()) Fail(kDeltaError, "era esperado um objeto JSON.");
  DeltaPacket delta;
  delta.Fields = FieldsFromJson(doc, kDeltaError);
  auto changes = doc.find("changes");
  if (changes == doc.end() || !changes->is_array()) Fail(kDeltaError, "falta a lista \"changes\".");
  size_t n = 0;
  for (const json& c : *changes) {
    std::string where = "a alteração " + std::to_string(++n);
    if (!c.is_object()) Fail(kDeltaError, where + " não é um objeto.");
    auto kind = c.find("kind");
    if (kind == c.end() || !kind->is_string()) Fail(kDeltaError, where + " não tem \"kind\".");
    DeltaRow row;
    std::string k = kind->get<std::string>();
    if (k == "insert") row.Kind = ChangeKind::Insert;
    else if (k == "modify") row.Kind = ChangeKind::Modify;
    else if (k == "delete") row.Kind = ChangeKind::Delete;
    else Fail(kDeltaError, "tipo de alteração '" + k + "' desconhecido na alteração " + std::to_string(n) + ".");
    bool needOld = row.Kind != ChangeKind::Insert, needNew = row.Kind != ChangeKind::Delete;
    auto take = [&](const char* key, bool needed, std::vector<Variant>& out) {
      auto it = c.find(key);
      if (it == c.end() || it->is_null()) {
        if (needed) Fail(kDeltaError, where + " (" + k + ") não tem a lista \"" + key + "\".");
        return;
      }
      if (!needed) Fail(kDeltaError, where + " (" + k + ") não pode ter a lista \"" + key + "\".");
      out = RowFromJson(*it, delta.Fields, kDeltaError, where + " (\"" + key + "\")");
    };
    take("old", needOld, row.Old);
    take("new", needNew, row.New);
    delta.Changes.push_back(std::move(row));
  }
  return delta;
}

JsonText DeltaToJsonText(const DeltaPacket& delta) { return JsonText{DeltaToJson(delta).dump()}; }

DeltaPacket DeltaFromJsonText(const JsonText& text) { return DeltaFromJson(ParseText(text, kDeltaError)); }

Variant PacketToVariant(const DataPacket& packet) { return Variant(PacketToJsonText(packet)); }

DataPacket PacketFromVariant(const Variant& value) {
  JsonText holder;
  return PacketFromJsonText(TextOf(value, kPacketError, holder));
}

Variant DeltaToVariant(const DeltaPacket& delta) { return Variant(DeltaToJsonText(delta)); }

DeltaPacket DeltaFromVariant(const Variant& value) {
  JsonText holder;
  return DeltaFromJsonText(TextOf(value, kDeltaError, holder));
}

}  // namespace plat
