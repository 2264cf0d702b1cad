// The value types that carry a dataset's content and its change log between
// client datasets, the server connection and the server, and their JSON
// encoding (the wire format of docs/protocol.md).
#pragma once

#include <string>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "platform/core/variant.h"

namespace plat {

enum class FieldType { String, Integer, Float, DateTime, Boolean };

// One column of a packet. Size is the width in characters of a string
// column (0: unlimited); Precision the most decimals a float column shows
// (0: not given). Both are ignored for the other types.
struct FieldDef {
  std::string Name;
  FieldType Type = FieldType::String;
  int Size = 0;
  int Precision = 0;
  bool operator==(const FieldDef&) const = default;
};

// The complete row set of one dataset; every row holds one value per field,
// in field order, typed after its field (String, Integer, Float, DateTime,
// Bool) or null.
struct DataPacket {
  std::vector<FieldDef> Fields;
  std::vector<std::vector<Variant>> Rows;
  bool operator==(const DataPacket&) const = default;
};

enum class ChangeKind { Insert, Modify, Delete };

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

// Type names on the wire ("string", "integer", "float", "datetime", "boolean").
std::string FieldTypeName(FieldType type);

// Encoding never fails for values of the field's own type; a value of
// another type is converted to it (a value that cannot be converted raises
// EDatabaseError). Decoding checks the whole document and raises
// EDatabaseError with a Portuguese message naming what is wrong.
nlohmann::json PacketToJson(const DataPacket& packet);
DataPacket PacketFromJson(const nlohmann::json& json);
JsonText PacketToJsonText(const DataPacket& packet);
DataPacket PacketFromJsonText(const JsonText& text);

nlohmann::json DeltaToJson(const DeltaPacket& delta);
DeltaPacket DeltaFromJson(const nlohmann::json& json);
JsonText DeltaToJsonText(const DeltaPacket& delta);
DeltaPacket DeltaFromJsonText(const JsonText& text);

// A packet or delta carried in a variant: the variant holds the JSON text
// (VarType::Json; a plain string holding JSON is accepted when reading).
Variant PacketToVariant(const DataPacket& packet);
DataPacket PacketFromVariant(const Variant& value);
Variant DeltaToVariant(const DeltaPacket& delta);
DeltaPacket DeltaFromVariant(const Variant& value);

// Converts a value to the native variant type of a column (null stays
// null); raises EDatabaseError naming the column when it cannot.
Variant ToFieldType(const Variant& value, FieldType type, const std::string& fieldName);

}  // namespace plat
