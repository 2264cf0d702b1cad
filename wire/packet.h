// The two documents desks and server exchange: the data packet (a
// dataset's fields and rows) and the delta (a dataset's change log: per
// changed row its kind and its values as loaded and as they are now).
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "wire/field.h"
#include "wire/value.h"

namespace wire {

// Every row holds one value per field, in field order, of the field's type or null.
struct Packet {
  std::vector<FieldDef> Fields;
  std::vector<std::vector<Value>> Rows;
  bool operator==(const Packet&) const = default;
};

enum class ChangeKind { Insert, Modify, Delete };

// On the wire: "insert", "modify", "delete".
const char* ChangeKindName(ChangeKind kind);
bool ChangeKindFromName(std::string_view name, ChangeKind& out);

// Old is the row as loaded (empty for Insert), New the row as it is now
// (empty for Delete).
struct Change {
  ChangeKind Kind = ChangeKind::Insert;
  std::vector<Value> Old;
  std::vector<Value> New;
  bool operator==(const Change&) const = default;
};

// The changed rows in the order they were first changed.
struct Delta {
  std::vector<FieldDef> Fields;
  std::vector<Change> Changes;
  bool operator==(const Delta&) const = default;
};

// A document that does not follow the contract; the message, in
// Portuguese, names what is wrong and is shown to the person unchanged.
class DecodeError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace wire
