// Variants as the values of packets and deltas: the wire's codec reads a
// server's answer straight into variants (each value built once, in the
// form the datasets keep) and writes variants as their fields' types.
#pragma once

#include <string>

#include "platform/core/variant.h"
#include "wire/packet.h"
#include "wire/value_codec.h"

namespace zor::plat {

// The variant type a field's values have once loaded.
VarType NativeType(wire::FieldType type);

// Converts a value to the native variant type of a column (null stays
// null); raises EDatabaseError naming the column when it cannot.
Variant ToFieldType(const Variant& value, wire::FieldType type, const std::string& fieldName);

}  // namespace zor::plat

namespace zor::wire {

template <>
struct ValueCodec<plat::Variant> {
  static plat::Variant Null() { return {}; }
  static plat::Variant Boolean(bool v) { return plat::Variant(v); }
  static plat::Variant Integer(std::int64_t v) { return plat::Variant(v); }
  static plat::Variant Float(double v) { return plat::Variant(v); }
  static plat::Variant Text(std::string& v) { return plat::Variant(std::string_view(v)); }
  static plat::Variant View(std::string_view v) { return plat::Variant(v); }
  static bool Type(plat::Variant& value, FieldType type);
  // Converted to the field's type first (ToFieldType); a number that is
  // not finite raises EDatabaseError.
  static void Write(ValueWriter& out, const plat::Variant& value, const FieldDef& field);
  // Arrays as lists, JSON documents and packets as the documents they are.
  static void WriteAsIs(ValueWriter& out, const plat::Variant& value);
};

}  // namespace zor::wire
