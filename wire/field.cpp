// Type names of the wire (see field.h).
#include "wire/field.h"

namespace zor::wire {

namespace {
struct TypeNames {
  FieldType Type;
  const char* Name;
  const char* Label;
};
constexpr TypeNames kTypes[] = {
    {FieldType::String, "string", "texto"},           {FieldType::Integer, "integer", "inteiro"},
    {FieldType::Float, "float", "número"},            {FieldType::DateTime, "datetime", "data e hora"},
    {FieldType::Boolean, "boolean", "lógico"},
};
}  // namespace

const char* TypeName(FieldType type) {
  for (const auto& t : kTypes)
    if (t.Type == type) return t.Name;
  return "";
}

const char* TypeLabel(FieldType type) {
  for (const auto& t : kTypes)
    if (t.Type == type) return t.Label;
  return "";
}

bool TypeFromName(std::string_view name, FieldType& out) {
  for (const auto& t : kTypes)
    if (name == t.Name) {
      out = t.Type;
      return true;
    }
  return false;
}

}  // namespace zor::wire
