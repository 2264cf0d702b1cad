// Packet writing and delta reading (see packet.h).
#include "server/packet.h"

#include "server/reply_buffers.h"
#include "server/stored_value.h"
#include "wire/packet_reader.h"
#include "wire/packet_writer.h"

namespace zor::server {

using json = nlohmann::ordered_json;
using wire::FieldType;

namespace {

// A stored value as the packet carries it: in its normal form, except that
// an empty text stays an empty text. The forms the server itself stores
// (texts, numbers, canonical date-times) are written without a copy.
void WriteValue(wire::ValueWriter& w, const DatasetField& f, const SqlValueView& v) {
  if (std::holds_alternative<std::monostate>(v)) return w.Null();
  auto* text = std::get_if<std::string_view>(&v);
  switch (f.Type) {
    case FieldType::String:
      if (text) return w.String(*text);
      return w.String(AsText(Owned(v)));
    case FieldType::Float:
      if (auto* d = std::get_if<double>(&v)) return w.Float(*d);
      break;
    case FieldType::Integer:
      if (auto* i = std::get_if<std::int64_t>(&v)) return w.Integer(*i);
      break;
    case FieldType::DateTime: {
      wire::DateTime dt;
      if (text && wire::ParseDateTime(*text, dt)) return w.Date(dt);
      break;
    }
    case FieldType::Boolean: break;
  }
  SqlValue n = NormalForm(f, Owned(v));
  if (IsNull(n)) return w.Null();  // a date no one can read
  switch (f.Type) {
    case FieldType::Float: return w.Float(std::get<double>(n));
    case FieldType::Integer: return w.Integer(std::get<std::int64_t>(n));
    case FieldType::Boolean: return w.Boolean(std::get<std::int64_t>(n) != 0);
    case FieldType::DateTime: return w.Raw("\"" + std::get<std::string>(n) + "\"");
    case FieldType::String: break;
  }
  w.Null();
}

[[noreturn]] void Bad(const std::string& message) {
  throw ProtocolError(rpc_code::kInvalidParams, "Delta inválido: " + message);
}

// A declared field read as the dataset defines it: it must be one of the
// dataset's fields, declared at most once, with the dataset's type when it
// gives one.
wire::FieldDef ResolveField(const DatasetDef& d, const wire::FieldDef& declared, bool typeGiven) {
  int idx = d.IndexOf(declared.Name);
  if (idx < 0) throw wire::DecodeError("o campo " + declared.Name + " não pertence a " + d.name + ".");
  const DatasetField& f = d.fields[idx];
  if (typeGiven && declared.Type != f.Type)
    throw wire::DecodeError("o campo " + declared.Name + " deve ser do tipo " + wire::TypeName(f.Type) + ".");
  return f;
}

// A neutral value as the server binds it: logical values as 0/1, date-times as text.
SqlValue ToSql(wire::Value&& v) {
  return std::visit(
      [](auto&& x) -> SqlValue {
        using T = std::decay_t<decltype(x)>;
        if constexpr (std::is_same_v<T, std::monostate>) return std::monostate{};
        else if constexpr (std::is_same_v<T, bool>) return static_cast<std::int64_t>(x ? 1 : 0);
        else if constexpr (std::is_same_v<T, wire::DateTime>) return wire::FormatDateTime(x);
        else return std::move(x);
      },
      std::move(v));
}

std::vector<SqlValue> PlaceRow(const DatasetDef& d, const std::vector<int>& map, std::vector<wire::Value>&& row) {
  if (row.empty()) return {};
  std::vector<SqlValue> out(d.fields.size());
  for (size_t i = 0; i < map.size(); ++i) out[map[i]] = ToSql(std::move(row[i]));
  return out;
}

}  // namespace

size_t Utf8Length(const std::string& s) {
  size_t n = 0;
  for (unsigned char c : s)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}

json FieldsJson(const DatasetDef& d) {
  json fields = json::array();
  for (const auto& f : d.fields) {
    json j = {{"name", f.Name}, {"type", wire::TypeName(f.Type)}};
    if (f.Type == FieldType::String) j["size"] = f.Size;
    if (f.Type == FieldType::Float) j["precision"] = f.Precision;
    fields.push_back(std::move(j));
  }
  return fields;
}

std::string SelectSql(const DatasetDef& d) {
  std::string sql = "SELECT ";
  for (size_t i = 0; i < d.fields.size(); ++i) sql += (i ? ", " : "") + d.fields[i].source;
  return sql + " FROM " + d.from;
}

std::string PacketText(Connection& c, const DatasetDef& d, const std::string& sql,
                       const std::vector<SqlValue>& params, Plan plan) {
  std::vector<wire::FieldDef> fields(d.fields.begin(), d.fields.end());
  std::string out = reply_buffers::Take();
  wire::PacketWriter w(out, fields);
  auto write = [&](const std::vector<SqlValueView>& row) {
    w.BeginRow();
    for (size_t i = 0; i < d.fields.size(); ++i) WriteValue(w.Values(), d.fields[i], row[i]);
    w.EndRow();
  };
  if (plan == Plan::ForTheseValues)
    c.QueryEachPlannedForValues(sql, params, write);
  else
    c.QueryEach(sql, params, write);
  w.Finish();
  return out;
}

std::vector<Change> ParseDelta(const DatasetDef& d, const json& delta) {
  wire::Delta decoded;
  try {
    decoded = wire::DecodeDelta(delta, [&d](const wire::FieldDef& declared, bool typeGiven) {
      return ResolveField(d, declared, typeGiven);
    });
  } catch (const wire::DecodeError& e) {
    throw ProtocolError(rpc_code::kInvalidParams, e.what());
  }
  std::vector<int> map;
  std::vector<bool> seen(d.fields.size(), false);
  for (const auto& f : decoded.Fields) {
    int idx = d.IndexOf(f.Name);
    seen[idx] = true;
    map.push_back(idx);
  }
  for (size_t i = 0; i < d.fields.size(); ++i)
    if (d.fields[i].stored && !seen[i]) Bad("falta o campo " + d.fields[i].Name + ".");

  std::vector<Change> out;
  out.reserve(decoded.Changes.size());
  for (auto& c : decoded.Changes)
    out.push_back({c.Kind, PlaceRow(d, map, std::move(c.Old)), PlaceRow(d, map, std::move(c.New))});
  return out;
}

}  // namespace zor::server
