// The columns a data packet or a delta carries: each one's name, its type
// on the wire and, for texts and numbers, its width or shown decimals.
// Desks and server read and write the same definitions.
#pragma once

#include <string>
#include <string_view>

namespace zor::wire {

enum class FieldType { String, Integer, Float, DateTime, Boolean };

// Size is the width in characters of a String column (0: unlimited);
// Precision the most decimals a Float column shows (0: not given). Both
// are ignored for the other types.
struct FieldDef {
  std::string Name;
  FieldType Type = FieldType::String;
  int Size = 0;
  int Precision = 0;
  bool operator==(const FieldDef&) const = default;
};

// The type's name on the wire: "string", "integer", "float", "datetime", "boolean".
const char* TypeName(FieldType type);
// False when `name` is none of the names above.
bool TypeFromName(std::string_view name, FieldType& out);
// How messages name the type: "texto", "inteiro", "número", "data e hora", "lógico".
const char* TypeLabel(FieldType type);

}  // namespace zor::wire
