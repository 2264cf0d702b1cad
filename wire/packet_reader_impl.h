// The readers of packet_reader.h, for the file that compiles them for a
// value type (wire/packet_reader.cpp for the neutral value; the file of
// another type's ValueCodec for that type). Others include packet_reader.h.
#pragma once

#include <cstdint>
#include <utility>

#include "wire/json_scanner.h"
#include "wire/packet_reader.h"
#include "wire/packet_writer.h"

namespace zor::wire {

namespace detail {

extern const char* const kPacketError;
extern const char* const kDeltaError;

[[noreturn]] void Fail(const char* prefix, const std::string& what);
[[noreturn]] void BadValue(const char* prefix, const std::string& where, const FieldDef& f);

// Declared fields as they come; `resolve` decides what each is read as.
std::vector<FieldDef> FieldsFromJson(const nlohmann::json& doc, const char* prefix, const FieldResolver& resolve);
std::vector<FieldDef> FieldsFromJson(const nlohmann::ordered_json& doc, const char* prefix,
                                     const FieldResolver& resolve);

// Builds the tree through the library's own builder, except for the rows
// list at the path, whose rows go straight into values.
template <class V>
class SplittingSax {
  using json = nlohmann::json;
  using Codec = ValueCodec<V>;

 public:
  SplittingSax(const std::vector<std::string>& path, BasicParsedDocument<V>& out)
      : path_(path), out_(out), dom_(out.Tree, false) {}

  bool null() { return rows_ ? Scalar(Codec::Null()) : dom_.null(); }
  bool boolean(bool v) { return rows_ ? Scalar(Codec::Boolean(v)) : dom_.boolean(v); }
  bool number_integer(json::number_integer_t v) {
    return rows_ ? Scalar(Codec::Integer(std::int64_t{v})) : dom_.number_integer(v);
  }
  bool number_unsigned(json::number_unsigned_t v) {
    if (!rows_) return dom_.number_unsigned(v);
    // Beyond the integers a field holds: kept as a number, refused by an integer field.
    if (v > static_cast<json::number_unsigned_t>(INT64_MAX)) return Scalar(Codec::Float(static_cast<double>(v)));
    return Scalar(Codec::Integer(static_cast<std::int64_t>(v)));
  }
  bool number_float(json::number_float_t v, const json::string_t& s) {
    return rows_ ? Scalar(Codec::Float(double{v})) : dom_.number_float(v, s);
  }
  bool string(json::string_t& s) { return rows_ ? Scalar(Codec::Text(s)) : dom_.string(s); }
  bool text(std::string_view v) {
    if (rows_) return Scalar(Codec::View(v));
    std::string s(v);
    return dom_.string(s);
  }
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
    // A key given again on the way to the rows replaces, in the tree, what
    // held the rows met before: they go with it.
    if (OnTheWay()) ForgetRows();
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

 private:
  // The current key is the path's at its depth (or "rows" just below it).
  bool OnTheWay() const {
    const size_t depth = keys_.size();
    if (depth > path_.size() + 1 || !objects_.back()) return false;
    for (size_t i = 0; i + 1 < depth; ++i)
      if (!objects_[i] || keys_[i] != path_[i]) return false;
    return keys_.back() == (depth <= path_.size() ? path_[depth - 1] : std::string("rows"));
  }
  void ForgetRows() {
    out_.RowsFound = false;
    out_.Rows.clear();
    out_.RowsNotLists.clear();
    out_.NestedValues.clear();
    width_ = 0;
  }
  bool AtRows() const {
    if (keys_.size() != path_.size() + 1 || keys_.back() != "rows") return false;
    for (size_t i = 0; i < path_.size(); ++i)
      if (!objects_[i] || keys_[i] != path_[i]) return false;
    return objects_.back();
  }
  bool Scalar(V v) {
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
      out_.Rows.back().push_back(Codec::Null());
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
  BasicParsedDocument<V>& out_;
  nlohmann::detail::json_sax_dom_parser<json> dom_;
  std::vector<std::string> keys_;  // per open container: the current key (objects)
  std::vector<bool> objects_;      // per open container: an object (else a list)
  int rows_ = 0;                   // 0 outside the rows, 1 in the rows list, 2 in a row
  int skip_ = 0;                   // depth inside a value that is not a scalar
  size_t width_ = 0;
};

// A value of a tree as the parser would have met it.
template <class V, class Json>
V Untyped(const Json& j) {
  using Codec = ValueCodec<V>;
  if (j.is_string()) {
    std::string s = j.template get<std::string>();
    return Codec::Text(s);
  }
  if (j.is_boolean()) return Codec::Boolean(j.template get<bool>());
  if (j.is_number_unsigned()) {
    auto u = j.template get<std::uint64_t>();
    if (u > static_cast<std::uint64_t>(INT64_MAX)) return Codec::Float(static_cast<double>(u));
    return Codec::Integer(static_cast<std::int64_t>(u));
  }
  if (j.is_number_integer()) return Codec::Integer(j.template get<std::int64_t>());
  if (j.is_number_float()) return Codec::Float(j.template get<double>());
  return Codec::Null();
}

template <class V, class Json>
std::vector<V> RowFromJson(const Json& row, const std::vector<FieldDef>& fields, const std::string& where) {
  if (!row.is_array()) Fail(kDeltaError, where + " não é uma lista de valores.");
  if (row.size() != fields.size())
    Fail(kDeltaError, where + " tem " + std::to_string(row.size()) + " valores; esperados " +
                          std::to_string(fields.size()) + ".");
  std::vector<V> out;
  out.reserve(row.size());
  for (size_t i = 0; i < row.size(); ++i) {
    const auto& j = row[i];
    if (j.is_structured()) BadValue(kDeltaError, where, fields[i]);
    V v = Untyped<V>(j);
    if (!ValueCodec<V>::Type(v, fields[i].Type)) BadValue(kDeltaError, where, fields[i]);
    out.push_back(std::move(v));
  }
  return out;
}

template <class V, class Json>
BasicDelta<V> DeltaFromJson(const Json& doc, const FieldResolver& resolve) {
  if (!doc.is_object()) Fail(kDeltaError, "era esperado um objeto JSON.");
  BasicDelta<V> delta;
  delta.Fields = FieldsFromJson(doc, kDeltaError, resolve);
  auto changes = doc.find("changes");
  if (changes == doc.end() || !changes->is_array()) Fail(kDeltaError, "falta a lista \"changes\".");
  size_t n = 0;
  for (const auto& c : *changes) {
    std::string where = "a alteração " + std::to_string(++n);
    if (!c.is_object()) Fail(kDeltaError, where + " não é um objeto.");
    auto kind = c.find("kind");
    if (kind == c.end() || !kind->is_string()) Fail(kDeltaError, where + " não tem \"kind\".");
    BasicChange<V> row;
    std::string k = kind->template get<std::string>();
    if (!ChangeKindFromName(k, row.Kind))
      Fail(kDeltaError, "tipo de alteração '" + k + "' desconhecido na alteração " + std::to_string(n) +
                            " (use insert, modify ou delete).");
    bool needOld = row.Kind != ChangeKind::Insert, needNew = row.Kind != ChangeKind::Delete;
    auto take = [&](const char* key, bool needed, std::vector<V>& out) {
      auto it = c.find(key);
      if (it == c.end() || it->is_null()) {
        if (needed) Fail(kDeltaError, where + " (" + k + ") não tem a lista \"" + key + "\".");
        return;
      }
      if (!needed) Fail(kDeltaError, where + " (" + k + ") não pode ter a lista \"" + key + "\".");
      out = RowFromJson<V>(*it, delta.Fields, where + " (\"" + key + "\")");
    };
    take("old", needOld, row.Old);
    take("new", needNew, row.New);
    delta.Changes.push_back(std::move(row));
  }
  return delta;
}

}  // namespace detail

template <class V>
bool ParseDocument(std::string_view text, const std::vector<std::string>& path, BasicParsedDocument<V>& out,
                   std::string& error) {
  detail::SplittingSax<V> sax(path, out);
  size_t at = 0;
  if (ScanJson(text, sax, at)) return true;
  error = "erro na posição " + std::to_string(at);
  return false;
}

template <class V>
BasicPacket<V> PacketFromParts(const nlohmann::json& doc, BasicParsedDocument<V>& parts) {
  using detail::Fail;
  using detail::kPacketError;
  if (!doc.is_object()) Fail(kPacketError, "era esperado um objeto JSON.");
  BasicPacket<V> packet;
  packet.Fields = detail::FieldsFromJson(doc, kPacketError, DeclaredField);
  auto rows = doc.find("rows");
  if (rows == doc.end() || !rows->is_array() || !parts.RowsFound) Fail(kPacketError, "falta a lista \"rows\".");
  size_t notList = 0, nested = 0;
  for (size_t n = 0; n < parts.Rows.size(); ++n) {
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
      if (isNested || !ValueCodec<V>::Type(row[i], packet.Fields[i].Type))
        detail::BadValue(kPacketError, here(), packet.Fields[i]);
    }
  }
  packet.Rows = std::move(parts.Rows);
  parts.Rows.clear();
  return packet;
}

template <class V>
BasicPacket<V> DecodePacket(std::string_view text) {
  BasicParsedDocument<V> parts;
  std::string error;
  if (!ParseDocument(text, {}, parts, error))
    detail::Fail(detail::kPacketError, "o texto não é um documento JSON válido.");
  return PacketFromParts(parts.Tree, parts);
}

template <class V>
void RestoreRows(nlohmann::json& tree, const BasicParsedDocument<V>& parts) {
  if (!tree.is_object() || !parts.RowsFound) return;
  std::string text;
  ValueWriter w(text);
  w.BeginList();
  for (const auto& row : parts.Rows) {
    w.BeginList();
    for (const V& v : row) ValueCodec<V>::WriteAsIs(w, v);
    w.EndList();
  }
  w.EndList();
  tree["rows"] = nlohmann::json::parse(text);
}

template <class V>
BasicDelta<V> DecodeDelta(const nlohmann::json& doc, const FieldResolver& resolve) {
  return detail::DeltaFromJson<V>(doc, resolve);
}

template <class V>
BasicDelta<V> DecodeDelta(const nlohmann::ordered_json& doc, const FieldResolver& resolve) {
  return detail::DeltaFromJson<V>(doc, resolve);
}

template <class V>
BasicDelta<V> DecodeDeltaText(std::string_view text, const FieldResolver& resolve) {
  nlohmann::json doc = nlohmann::json::parse(text.begin(), text.end(), nullptr, false);
  if (doc.is_discarded()) detail::Fail(detail::kDeltaError, "o texto não é um documento JSON válido.");
  return detail::DeltaFromJson<V>(doc, resolve);
}

// Compiles every reader for the value type V (in the file of V's codec).
#define ZOR_WIRE_READERS_FOR(V)                                                                                                \
  template bool zor::wire::ParseDocument(std::string_view, const std::vector<std::string>&,                                    \
                                    zor::wire::BasicParsedDocument<V>&, std::string&);                                         \
  template zor::wire::BasicPacket<V> zor::wire::PacketFromParts(const nlohmann::json&, zor::wire::BasicParsedDocument<V>&);    \
  template zor::wire::BasicPacket<V> zor::wire::DecodePacket<V>(std::string_view);                                             \
  template void zor::wire::RestoreRows(nlohmann::json&, const zor::wire::BasicParsedDocument<V>&);                             \
  template zor::wire::BasicDelta<V> zor::wire::DecodeDelta<V>(const nlohmann::json&, const zor::wire::FieldResolver&);         \
  template zor::wire::BasicDelta<V> zor::wire::DecodeDelta<V>(const nlohmann::ordered_json&, const zor::wire::FieldResolver&); \
  template zor::wire::BasicDelta<V> zor::wire::DecodeDeltaText<V>(std::string_view, const zor::wire::FieldResolver&)

}  // namespace zor::wire
