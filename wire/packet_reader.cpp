// Strict reading of packets and deltas (see packet_reader.h).
#include "wire/packet_reader.h"

#include <cmath>
#include <set>

namespace wire {

using nlohmann::json;

namespace {

const char* const kPacketError = "Pacote de dados inválido: ";
const char* const kDeltaError = "Delta inválido: ";

[[noreturn]] void Fail(const char* prefix, const std::string& what) { throw DecodeError(prefix + what); }

std::string Upper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

// Builds the tree through the library's own builder, except for the rows
// list at the path, whose rows go straight into neutral values.
class SplittingSax {
 public:
  SplittingSax(const std::vector<std::string>& path, ParsedDocument& out)
      : path_(path), out_(out), dom_(out.Tree, false) {}

  bool null() { return rows_ ? Scalar(Value()) : dom_.null(); }
  bool boolean(bool v) { return rows_ ? Scalar(Value(v)) : dom_.boolean(v); }
  bool number_integer(json::number_integer_t v) { return rows_ ? Scalar(Value(std::int64_t{v})) : dom_.number_integer(v); }
  bool number_unsigned(json::number_unsigned_t v) {
    if (!rows_) return dom_.number_unsigned(v);
    // Beyond the integers a field holds: kept as a number, refused by an integer field.
    if (v > static_cast<json::number_unsigned_t>(INT64_MAX)) return Scalar(Value(static_cast<double>(v)));
    return Scalar(Value(static_cast<std::int64_t>(v)));
  }
  bool number_float(json::number_float_t v, const json::string_t& s) {
    return rows_ ? Scalar(Value(double{v})) : dom_.number_float(v, s);
  }
  bool string(json::string_t& s) { return rows_ ? Scalar(Value(std::move(s))) : dom_.string(s); }
  bool binary(json::binary_t& b) { return dom_.binary(b); }

  bool start_object(std::size_t n) {
    if (rows_) return Open();
    keys_.emplace_back();
    objects_.push_back(true);
    return dom_.start_object(n);
  }
  bool key(json::string_t& k) {
    if (rows_) return true;
    keys_.back() = k;
    return dom_.key(k);
  }
  bool end_object() {
    if (rows_) return Close();
    keys_.pop_back();
    objects_.pop_back();
    return dom_.end_object();
  }
  bool start_array(std::size_t n) {
    if (rows_) return Open();
    if (AtRows()) {
      rows_ = 1;
      out_.RowsFound = true;
      // A key given twice: the last list counts, as in the tree.
      out_.Rows.clear();
      out_.RowsNotLists.clear();
      out_.NestedValues.clear();
      return dom_.start_array(0) && dom_.end_array();  // the tree keeps an empty list
    }
    keys_.emplace_back();
    objects_.push_back(false);
    return dom_.start_array(n);
  }
  bool end_array() {
    if (rows_) return Close();
    keys_.pop_back();
    objects_.pop_back();
    return dom_.end_array();
  }
  bool parse_error(std::size_t position, const std::string&, const nlohmann::detail::exception&) {
    position_ = position;
    return false;
  }
  size_t position() const { return position_; }

 private:
  bool AtRows() const {
    if (keys_.size() != path_.size() + 1 || keys_.back() != "rows") return false;
    for (size_t i = 0; i < path_.size(); ++i)
      if (!objects_[i] || keys_[i] != path_[i]) return false;
    return objects_.back();
  }
  bool Scalar(Value v) {
    if (skip_) return true;
    if (rows_ == 1) {  // a row that is a single value
      out_.RowsNotLists.push_back(out_.Rows.size());
      out_.Rows.emplace_back();
      return true;
    }
    out_.Rows.back().push_back(std::move(v));
    return true;
  }
  bool Open() {
    if (skip_) {
      ++skip_;
    } else if (rows_ == 1) {
      out_.Rows.emplace_back();
      out_.Rows.back().reserve(width_);
      rows_ = 2;
    } else {  // a list or object in place of a value
      out_.NestedValues.emplace_back(out_.Rows.size() - 1, out_.Rows.back().size());
      out_.Rows.back().emplace_back();
      skip_ = 1;
    }
    return true;
  }
  bool Close() {
    if (skip_) {
      --skip_;
    } else if (rows_ == 2) {
      width_ = out_.Rows.back().size();
      rows_ = 1;
    } else {
      rows_ = 0;
    }
    return true;
  }

  const std::vector<std::string>& path_;
  ParsedDocument& out_;
  nlohmann::detail::json_sax_dom_parser<json> dom_;
  std::vector<std::string> keys_;  // per open container: the current key (objects)
  std::vector<bool> objects_;      // per open container: an object (else a list)
  int rows_ = 0;                   // 0 outside the rows, 1 in the rows list, 2 in a row
  int skip_ = 0;                   // depth inside a value that is not a scalar
  size_t width_ = 0;
  size_t position_ = 0;
};

// Brings an untyped value to the field's type in place; false when it cannot be.
bool Type(Value& v, FieldType type) {
  if (IsNull(v)) return true;
  switch (type) {
    case FieldType::String: return std::holds_alternative<std::string>(v);
    case FieldType::Integer:
      if (std::holds_alternative<std::int64_t>(v)) return true;
      if (auto* d = std::get_if<double>(&v)) {
        if (std::isfinite(*d) && *d == std::trunc(*d) && std::fabs(*d) < 9.0e18) {
          v = static_cast<std::int64_t>(*d);
          return true;
        }
      }
      return false;
    case FieldType::Float:
      if (std::holds_alternative<double>(v)) return true;
      if (auto* i = std::get_if<std::int64_t>(&v)) {
        v = static_cast<double>(*i);
        return true;
      }
      return false;
    case FieldType::DateTime: {
      auto* s = std::get_if<std::string>(&v);
      DateTime dt;
      if (!s || !ParseDateTime(*s, dt)) return false;
      v = dt;
      return true;
    }
    case FieldType::Boolean: return std::holds_alternative<bool>(v);
  }
  return false;
}

template <typename Json>
Value Untyped(const Json& j) {
  if (j.is_string()) return j.template get<std::string>();
  if (j.is_boolean()) return j.template get<bool>();
  if (j.is_number_unsigned()) {
    auto u = j.template get<std::uint64_t>();
    if (u > static_cast<std::uint64_t>(INT64_MAX)) return static_cast<double>(u);
    return static_cast<std::int64_t>(u);
  }
  if (j.is_number_integer()) return j.template get<std::int64_t>();
  if (j.is_number_float()) return j.template get<double>();
  return Value();
}

// Declared fields as they come; `resolve` decides what each is read as.
template <typename Json>
std::vector<FieldDef> FieldsFromJson(const Json& doc, const char* prefix, const FieldResolver& resolve) {
  auto it = doc.find("fields");
  if (it == doc.end() || !it->is_array()) Fail(prefix, "falta a lista \"fields\".");
  std::vector<FieldDef> fields;
  std::set<std::string> seen;
  int n = 0;
  for (const auto& f : *it) {
    ++n;
    std::string where = "o campo " + std::to_string(n);
    if (!f.is_object()) Fail(prefix, where + " não é um objeto.");
    auto name = f.find("name");
    if (name == f.end() || !name->is_string() || name->template get<std::string>().empty())
      Fail(prefix, where + " não tem nome.");
    FieldDef def;
    def.Name = name->template get<std::string>();
    if (!seen.insert(Upper(def.Name)).second) Fail(prefix, "o campo '" + def.Name + "' está repetido.");
    auto type = f.find("type");
    bool typeGiven = type != f.end() && !type->is_null();
    if (typeGiven) {
      if (!type->is_string()) Fail(prefix, "o campo '" + def.Name + "' não tem tipo.");
      if (!TypeFromName(type->template get<std::string>(), def.Type))
        Fail(prefix, "tipo '" + type->template get<std::string>() + "' desconhecido no campo '" + def.Name + "'.");
    }
    for (const char* key : {"size", "precision"}) {
      auto v = f.find(key);
      if (v == f.end() || v->is_null()) continue;
      if (!v->is_number_integer() || v->template get<std::int64_t>() < 0 ||
          v->template get<std::int64_t>() > 1000000)
        Fail(prefix, std::string("\"") + key + "\" inválido no campo '" + def.Name + "'.");
      (std::string(key) == "size" ? def.Size : def.Precision) = v->template get<int>();
    }
    try {
      fields.push_back(resolve(def, typeGiven));
    } catch (const DecodeError& e) {
      Fail(prefix, e.what());
    }
  }
  return fields;
}

[[noreturn]] void BadValue(const char* prefix, const std::string& where, const FieldDef& f) {
  Fail(prefix, "valor inválido n" + where + ", campo '" + f.Name + "': esperado " + TypeLabel(f.Type) + ".");
}

template <typename Json>
std::vector<Value> RowFromJson(const Json& row, const std::vector<FieldDef>& fields, const std::string& where) {
  if (!row.is_array()) Fail(kDeltaError, where + " não é uma lista de valores.");
  if (row.size() != fields.size())
    Fail(kDeltaError, where + " tem " + std::to_string(row.size()) + " valores; esperados " +
                          std::to_string(fields.size()) + ".");
  std::vector<Value> out;
  out.reserve(row.size());
  for (size_t i = 0; i < row.size(); ++i) {
    const auto& j = row[i];
    if (j.is_structured()) BadValue(kDeltaError, where, fields[i]);
    Value v = Untyped(j);
    if (!Type(v, fields[i].Type)) BadValue(kDeltaError, where, fields[i]);
    out.push_back(std::move(v));
  }
  return out;
}

template <typename Json>
Delta DeltaFromJson(const Json& doc, const FieldResolver& resolve) {
  if (!doc.is_object()) Fail(kDeltaError, "era esperado um objeto JSON.");
  Delta delta;
  delta.Fields = FieldsFromJson(doc, kDeltaError, resolve);
  auto changes = doc.find("changes");
  if (changes == doc.end() || !changes->is_array()) Fail(kDeltaError, "falta a lista \"changes\".");
  size_t n = 0;
  for (const auto& c : *changes) {
    std::string where = "a alteração " + std::to_string(++n);
    if (!c.is_object()) Fail(kDeltaError, where + " não é um objeto.");
    auto kind = c.find("kind");
    if (kind == c.end() || !kind->is_string()) Fail(kDeltaError, where + " não tem \"kind\".");
    Change row;
    std::string k = kind->template get<std::string>();
    if (!ChangeKindFromName(k, row.Kind))
      Fail(kDeltaError, "tipo de alteração '" + k + "' desconhecido na alteração " + std::to_string(n) +
                            " (use insert, modify ou delete).");
    bool needOld = row.Kind != ChangeKind::Insert, needNew = row.Kind != ChangeKind::Delete;
    auto take = [&](const char* key, bool needed, std::vector<Value>& out) {
      auto it = c.find(key);
      if (it == c.end() || it->is_null()) {
        if (needed) Fail(kDeltaError, where + " (" + k + ") não tem a lista \"" + key + "\".");
        return;
      }
      if (!needed) Fail(kDeltaError, where + " (" + k + ") não pode ter a lista \"" + key + "\".");
      out = RowFromJson(*it, delta.Fields, where + " (\"" + key + "\")");
    };
    take("old", needOld, row.Old);
    take("new", needNew, row.New);
    delta.Changes.push_back(std::move(row));
  }
  return delta;
}

FieldDef TypedField(const FieldDef& declared, bool typeGiven) {
  if (!typeGiven) throw DecodeError("o campo '" + declared.Name + "' não tem tipo.");
  return declared;
}

}  // namespace

FieldDef DeclaredField(const FieldDef& declared, bool typeGiven) { return TypedField(declared, typeGiven); }

bool ParseDocument(std::string_view text, const std::vector<std::string>& path, ParsedDocument& out,
                   std::string& error) {
  SplittingSax sax(path, out);
  if (json::sax_parse(text.begin(), text.end(), &sax)) return true;
  error = "erro na posição " + std::to_string(sax.position());
  return false;
}

Packet PacketFromParts(const json& doc, ParsedDocument& parts) {
  if (!doc.is_object()) Fail(kPacketError, "era esperado um objeto JSON.");
  Packet packet;
  packet.Fields = FieldsFromJson(doc, kPacketError, TypedField);
  auto rows = doc.find("rows");
  if (rows == doc.end() || !rows->is_array() || !parts.RowsFound) Fail(kPacketError, "falta a lista \"rows\".");
  size_t notList = 0, nested = 0;
  for (size_t n = 0; n < parts.Rows.size(); ++n) {
    std::string where;
    auto here = [&]() { return "a linha " + std::to_string(n + 1); };
    if (notList < parts.RowsNotLists.size() && parts.RowsNotLists[notList] == n)
      Fail(kPacketError, here() + " não é uma lista de valores.");
    auto& row = parts.Rows[n];
    if (row.size() != packet.Fields.size())
      Fail(kPacketError, here() + " tem " + std::to_string(row.size()) + " valores; esperados " +
                             std::to_string(packet.Fields.size()) + ".");
    for (size_t i = 0; i < row.size(); ++i) {
      bool isNested = nested < parts.NestedValues.size() && parts.NestedValues[nested] == std::make_pair(n, i);
      if (isNested) ++nested;
      if (isNested || !Type(row[i], packet.Fields[i].Type)) BadValue(kPacketError, "a linha " + std::to_string(n + 1), packet.Fields[i]);
    }
  }
  packet.Rows = std::move(parts.Rows);
  parts.Rows.clear();
  return packet;
}

Packet DecodePacket(std::string_view text) {
  ParsedDocument parts;
  std::string error;
  if (!ParseDocument(text, {}, parts, error)) Fail(kPacketError, "o texto não é um documento JSON válido.");
  return PacketFromParts(parts.Tree, parts);
}

void RestoreRows(json& tree, const ParsedDocument& parts) {
  if (!tree.is_object() || !parts.RowsFound) return;
  json rows = json::array();
  for (const auto& row : parts.Rows) {
    json r = json::array();
    for (const Value& v : row)
      std::visit(
          [&](const auto& x) {
            using T = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<T, std::monostate>) r.push_back(nullptr);
            else if constexpr (std::is_same_v<T, DateTime>) r.push_back(FormatDateTime(x));
            else r.push_back(x);
          },
          v);
    rows.push_back(std::move(r));
  }
  tree["rows"] = std::move(rows);
}

Delta DecodeDelta(const json& doc, const FieldResolver& resolve) { return DeltaFromJson(doc, resolve); }
Delta DecodeDelta(const nlohmann::ordered_json& doc, const FieldResolver& resolve) {
  return DeltaFromJson(doc, resolve);
}

Delta DecodeDeltaText(std::string_view text, const FieldResolver& resolve) {
  json doc = json::parse(text.begin(), text.end(), nullptr, false);
  if (doc.is_discarded()) Fail(kDeltaError, "o texto não é um documento JSON válido.");
  return DeltaFromJson(doc, resolve);
}

}  // namespace wire
