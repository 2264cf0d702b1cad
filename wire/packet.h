// The two documents desks and server exchange: the data packet (a
// dataset's fields and rows) and the delta (a dataset's change log: per
// changed row its kind and its values as loaded and as they are now).
//
// Each is written once, over the type of its values: the wire's neutral
// value (Packet, Change, Delta: what the server binds to its statements)
// and any other value type a side keeps its data in (the desk's variants),
// which the codec then reads and writes directly (value_codec.h).
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "wire/field.h"
#include "wire/value.h"

namespace zor::wire {

// Every row holds one value per field, in field order, of the field's type or null.
template <class V>
struct BasicPacket {
  std::vector<FieldDef> Fields;
  std::vector<std::vector<V>> Rows;
  bool operator==(const BasicPacket&) const = default;
};

enum class ChangeKind { Insert, Modify, Delete };

// On the wire: "insert", "modify", "delete".
const char* ChangeKindName(ChangeKind kind);
bool ChangeKindFromName(std::string_view name, ChangeKind& out);

// Old is the row as loaded (empty for Insert), New the row as it is now
// (empty for Delete).
template <class V>
struct BasicChange {
  ChangeKind Kind = ChangeKind::Insert;
  std::vector<V> Old;
  std::vector<V> New;
  bool operator==(const BasicChange&) const = default;
};

// The changed rows in the order they were first changed.
template <class V>
struct BasicDelta {
  std::vector<FieldDef> Fields;
  std::vector<BasicChange<V>> Changes;
  bool operator==(const BasicDelta&) const = default;
};

using Packet = BasicPacket<Value>;
using Change = BasicChange<Value>;
using Delta = BasicDelta<Value>;

// A document that does not follow the contract; the message, in
// Portuguese, names what is wrong and is shown to the person unchanged.
class DecodeError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace zor::wire
