// Writing packets and deltas as JSON text, value by value, straight into
// the output: no document tree is built, so a server can write thousands of
// rows as it reads them. Texts that are not valid UTF-8 have the broken
// bytes replaced by U+FFFD; numbers that are not finite are written as null.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "wire/packet.h"
#include "wire/value_codec.h"

namespace zor::wire {

// Appends one JSON value at a time to `out`, placing the commas.
class ValueWriter {
 public:
  explicit ValueWriter(std::string& out) : out_(out) {}

  void Null();
  void String(std::string_view text);
  void Integer(std::int64_t value);
  void Float(double value);
  void Boolean(bool value);
  void Date(const DateTime& value);
  void Write(const Value& value);
  // A value already encoded as JSON, copied as it is (the caller vouches for it).
  void Raw(std::string_view encoded);

  void BeginList();
  void EndList();
  // `{"key":` … `}`: Key writes the key of the next value.
  void BeginObject();
  void Key(std::string_view key);
  void EndObject();

  void Fields(const std::vector<FieldDef>& fields);
  // One row, each value written as its field's type (ValueCodec<V>::Write).
  template <class V>
  void Row(const std::vector<V>& row, const std::vector<FieldDef>& fields);

 private:
  void Separate();
  std::string& out_;
  bool first_ = true;  // no value yet in the innermost list or object
};

// A packet written row by row: the constructor writes the fields, each
// BeginRow … EndRow one row of exactly one value per field (the writer
// does not check it), Finish closes the document.
class PacketWriter {
 public:
  PacketWriter(std::string& out, const std::vector<FieldDef>& fields);
  void BeginRow() { values_.BeginList(); }
  void EndRow() { values_.EndList(); }
  ValueWriter& Values() { return values_; }
  void Finish();

 private:
  ValueWriter values_;
};

// The JSON text of a packet or delta of any value type; every row must hold
// one value per field (a row of another width is a fault of the caller:
// std::length_error).
template <class V>
std::string EncodePacket(const BasicPacket<V>& packet);
template <class V>
std::string EncodeDelta(const BasicDelta<V>& delta);
std::string EncodePacket(const Packet& packet);
std::string EncodeDelta(const Delta& delta);

// `text` as a JSON string literal, quotes included, appended to `out`.
void AppendJsonString(std::string& out, std::string_view text);
// The shortest text that reads back as `value`, with ".0" when integral (as JSON libraries write it).
void AppendJsonNumber(std::string& out, double value);

template <class V>
void ValueWriter::Row(const std::vector<V>& row, const std::vector<FieldDef>& fields) {
  if (row.size() != fields.size()) throw std::length_error("a row of another width than its fields");
  BeginList();
  for (size_t i = 0; i < row.size(); ++i) ValueCodec<V>::Write(*this, row[i], fields[i]);
  EndList();
}

template <class V>
std::string EncodePacket(const BasicPacket<V>& packet) {
  std::string out;
  PacketWriter w(out, packet.Fields);
  for (const auto& row : packet.Rows) w.Values().Row(row, packet.Fields);
  w.Finish();
  return out;
}

template <class V>
std::string EncodeDelta(const BasicDelta<V>& delta) {
  std::string out;
  ValueWriter w(out);
  w.BeginObject();
  w.Key("fields");
  w.Fields(delta.Fields);
  w.Key("changes");
  w.BeginList();
  for (const BasicChange<V>& c : delta.Changes) {
    w.BeginObject();
    w.Key("kind");
    w.String(ChangeKindName(c.Kind));
    if (c.Kind != ChangeKind::Insert) {
      w.Key("old");
      w.Row(c.Old, delta.Fields);
    }
    if (c.Kind != ChangeKind::Delete) {
      w.Key("new");
      w.Row(c.New, delta.Fields);
    }
    w.EndObject();
  }
  w.EndList();
  w.EndObject();
  return out;
}

}  // namespace zor::wire
