// The value types that carry a dataset's content and its change log between
// client datasets and the server connection, with the field types, field
// definitions and change kinds of the wire contract, and their passage to
// and from the wire's neutral values and JSON (docs/protocol.md).
#pragma once

#include <string>
#include <vector>

#include "platform/core/variant.h"
#include "wire/field.h"
#include "wire/packet.h"

namespace plat {

using wire::ChangeKind;
using wire::FieldDef;
using wire::FieldType;

// The complete row set of one dataset; every row holds one value per field,
// in field order, typed after its field (String, Integer, Float, DateTime,
// Bool) or null.
struct DataPacket {
  std::vector<FieldDef> Fields;
  std::vector<std::vector<Variant>> Rows;
  bool operator==(const DataPacket&) const = default;
};

// One changed row: Old is the row as loaded (empty for Insert), New the row
// as it is now (empty for Delete).
struct DeltaRow {
  ChangeKind Kind = ChangeKind::Insert;
  std::vector<Variant> Old;
  std::vector<Variant> New;
  bool operator==(const DeltaRow&) const = default;
};

// The change log of one dataset since its last merge, in the order the rows
// were first changed.
struct DeltaPacket {
  std::vector<FieldDef> Fields;
  std::vector<DeltaRow> Changes;
  bool operator==(const DeltaPacket&) const = default;
};

// Encoding never fails for values of the field's own type; a value of
// another type is converted to it (a value that cannot be converted, or a
// number that is not finite, raises EDatabaseError). Decoding checks the
// whole document and raises EDatabaseError with a Portuguese message naming
// what is wrong.
JsonText PacketToJsonText(const DataPacket& packet);
DataPacket PacketFromJsonText(const JsonText& text);
JsonText DeltaToJsonText(const DeltaPacket& delta);
DeltaPacket DeltaFromJsonText(const JsonText& text);

// A packet the wire decoded, its values made variants. The rvalue form
// moves the texts instead of copying them.
DataPacket PacketFromWire(const wire::Packet& packet);
DataPacket PacketFromWire(wire::Packet&& packet);

// A packet or delta carried in a variant: written as its JSON text
// (VarType::Json); read from a decoded packet (VarType::Packet), from JSON
// text, or from a plain string holding JSON. The rvalue form of
// PacketFromVariant moves the rows out of a decoded packet no one else holds.
Variant PacketToVariant(const DataPacket& packet);
DataPacket PacketFromVariant(const Variant& value);
DataPacket PacketFromVariant(Variant&& value);
Variant DeltaToVariant(const DeltaPacket& delta);
DeltaPacket DeltaFromVariant(const Variant& value);

// Converts a value to the native variant type of a column (null stays
// null); raises EDatabaseError naming the column when it cannot.
Variant ToFieldType(const Variant& value, FieldType type, const std::string& fieldName);

}  // namespace plat
