// The variant value that crosses every boundary of the platform: field
// values, query parameters, server arguments and results. It holds null, a
// bool, an integer, a float, a string (UTF-8), a date-time, an array, a
// JSON document or a data packet decoded from the wire.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/core/date_time.h"
#include "wire/packet.h"

namespace plat {

enum class VarType { Null, Bool, Integer, Float, String, DateTime, Array, Json, Packet };

// An encoded JSON document carried whole: data packets and deltas travel
// between datasets and the server connection in this form.
struct JsonText {
  std::string Text;
  bool operator==(const JsonText&) const = default;
};

// A data packet as the server connection decoded it, shared by the copies
// of the variant that carries it: a server's answer is parsed once and its
// rows reach the dataset without being written back to text.
using SharedPacket = std::shared_ptr<wire::Packet>;

class Variant {
 public:
  using Array = std::vector<Variant>;

  Variant() = default;
  Variant(std::nullptr_t) {}
  Variant(bool v) : v_(v) {}
  Variant(int v) : v_(static_cast<int64_t>(v)) {}
  Variant(int64_t v) : v_(v) {}
  Variant(double v) : v_(v) {}
  Variant(const char* v) : v_(std::string(v)) {}
  Variant(std::string v) : v_(std::move(v)) {}
  Variant(std::string_view v) : v_(std::string(v)) {}
  Variant(TDateTime v) : v_(v) {}
  Variant(Array v) : v_(std::move(v)) {}
  Variant(JsonText v) : v_(std::move(v)) {}
  Variant(SharedPacket v) : v_(std::move(v)) {}

  static Variant Null() { return Variant(); }

  VarType Type() const { return static_cast<VarType>(v_.index()); }
  bool IsNull() const { return Type() == VarType::Null; }
  bool IsArray() const { return Type() == VarType::Array; }

  // Conversions as the classic desktop runtime does them. Null converts to
  // the empty string, to 0 and to false; a string that is not a number raises
  // EVariantError on the numeric conversions.
  std::string AsString() const;
  int64_t AsInteger() const;
  int AsInt() const { return static_cast<int>(AsInteger()); }
  double AsFloat() const;
  bool AsBool() const;
  TDateTime AsDateTime() const;
  const Array& AsArray() const;
  // The JSON document; raises EVariantError for any other type.
  const JsonText& AsJson() const;
  // The decoded packet; raises EVariantError for any other type. Whoever
  // holds the only copy may move the rows out.
  const SharedPacket& AsPacket() const;
  Array& AsArray();

  // Array access; raises EVariantError when this is not an array or the
  // index is out of range.
  const Variant& operator[](size_t i) const;
  size_t Length() const;

  // Same type and value; null equals null.
  bool operator==(const Variant& o) const { return v_ == o.v_; }

 private:
  std::variant<std::monostate, bool, int64_t, double, std::string, TDateTime, Array, JsonText, SharedPacket> v_;
};

// Builds an array variant from its elements.
template <typename... T>
Variant VarArrayOf(T&&... elems) {
  return Variant(Variant::Array{Variant(std::forward<T>(elems))...});
}

}  // namespace plat
