// The value types that carry a dataset's content and its change log between
// client datasets and the server connection: the wire's packet and delta
// over variants, with the field types, field definitions and change kinds
// of the wire contract, and their JSON (docs/protocol.md).
#pragma once

#include <string>
#include <vector>

#include "platform/core/variant.h"
#include "platform/core/variant_codec.h"
#include "wire/field.h"
#include "wire/packet.h"

namespace zor::plat {

using wire::ChangeKind;
using wire::FieldDef;
using wire::FieldType;

// The complete row set of one dataset; every row holds one value per field,
// in field order, typed after its field (String, Integer, Float, DateTime,
// Bool) or null.
using DataPacket = wire::BasicPacket<Variant>;

// One changed row: Old is the row as loaded (empty for Insert), New the row
// as it is now (empty for Delete).
using DeltaRow = wire::BasicChange<Variant>;

// The change log of one dataset since its last merge, in the order the rows
// were first changed.
using DeltaPacket = wire::BasicDelta<Variant>;

// Encoding never fails for values of the field's own type; a value of
// another type is converted to it (a value that cannot be converted, or a
// number that is not finite, raises EDatabaseError). Decoding checks the
// whole document and raises EDatabaseError with a Portuguese message naming
// what is wrong.
JsonText PacketToJsonText(const DataPacket& packet);
DataPacket PacketFromJsonText(const JsonText& text);
JsonText DeltaToJsonText(const DeltaPacket& delta);
DeltaPacket DeltaFromJsonText(const JsonText& text);

// A packet or delta carried in a variant: written as its JSON text
// (VarType::Json); read from a decoded packet (VarType::Packet), from JSON
// text, or from a plain string holding JSON. The rvalue form of
// PacketFromVariant moves the rows out of a decoded packet no one else holds.
Variant PacketToVariant(const DataPacket& packet);
DataPacket PacketFromVariant(const Variant& value);
DataPacket PacketFromVariant(Variant&& value);
Variant DeltaToVariant(const DeltaPacket& delta);
DeltaPacket DeltaFromVariant(const Variant& value);

}  // namespace zor::plat
