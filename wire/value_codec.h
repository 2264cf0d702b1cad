// How the codec builds, types and writes the values of one value type.
// ValueCodec<V> is specialised once per type: here for the neutral value;
// a side that keeps its data in values of its own specialises it for them
// (the desk, for its variants), so that the reader builds each value in
// the caller's type at once instead of converting rows afterwards.
//
//   static V Null(), Boolean(bool), Integer(std::int64_t), Float(double),
//            Text(std::string& text), View(std::string_view text)
//       a value as the parser meets it, untyped (a date-time is still its
//       text); Text may take the text's storage, View copies it
//   static bool Type(V& value, FieldType type)
//       brings an untyped value to the field's type in place (an integer
//       where a number is expected, an integral number where an integer is,
//       the text of a date-time); false when it cannot be
//   static void Write(ValueWriter& out, const V& value, const FieldDef& field)
//       writes a value as the field's type
//   static void WriteAsIs(ValueWriter& out, const V& value)
//       writes an untyped value as the parser met it
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "wire/field.h"
#include "wire/value.h"

namespace zor::wire {

class ValueWriter;

template <class V>
struct ValueCodec;

template <>
struct ValueCodec<Value> {
  static Value Null() { return {}; }
  static Value Boolean(bool v) { return v; }
  static Value Integer(std::int64_t v) { return v; }
  static Value Float(double v) { return v; }
  static Value Text(std::string& v) { return std::move(v); }
  static Value View(std::string_view v) { return std::string(v); }
  static bool Type(Value& value, FieldType type);
  // Neutral values are written as they are: whoever built them typed them.
  static void Write(ValueWriter& out, const Value& value, const FieldDef& field);
  static void WriteAsIs(ValueWriter& out, const Value& value);
};

}  // namespace zor::wire
