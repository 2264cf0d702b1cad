// The variant value that crosses every boundary of the platform: field
// values, query parameters, server arguments and results. It holds null, a
// bool, an integer, a float, a string (UTF-8), a date-time, an array, a
// JSON document or a data packet decoded from the wire.
//
// Datasets keep one variant per field of every record, so the value is kept
// to 24 bytes: texts up to 22 bytes (most codes and names) live inside it,
// longer texts, arrays, JSON documents and packets in one heap block of their own.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "platform/core/date_time.h"
#include "wire/packet.h"

namespace zor::plat {

enum class VarType { Null, Bool, Integer, Float, String, DateTime, Array, Json, Packet };

// An encoded JSON document carried whole: data packets and deltas travel
// between datasets and the server connection in this form.
struct JsonText {
  std::string Text;
  bool operator==(const JsonText&) const = default;
};

class Variant;

// A data packet as the server connection decoded it, its values already
// variants, shared by the copies of the variant that carries it: a
// server's answer is parsed once and its rows reach the dataset without
// being written back to text or converted.
using SharedPacket = std::shared_ptr<wire::BasicPacket<Variant>>;

class Variant {
 public:
  using Array = std::vector<Variant>;

  Variant() noexcept = default;
  Variant(std::nullptr_t) noexcept {}
  Variant(bool v) noexcept : tag_(Tag::Bool) { Store(v); }
  Variant(int v) noexcept : Variant(static_cast<int64_t>(v)) {}
  Variant(int64_t v) noexcept : tag_(Tag::Integer) { Store(v); }
  Variant(double v) noexcept : tag_(Tag::Float) { Store(v); }
  Variant(const char* v) : Variant(std::string_view(v)) {}
  Variant(const std::string& v) : Variant(std::string_view(v)) {}
  Variant(std::string_view v) { SetText(v); }
  Variant(TDateTime v) noexcept : tag_(Tag::DateTime) { Store(v); }
  Variant(Array v);
  Variant(JsonText v);
  Variant(SharedPacket v);

  // Moves, type checks and the end of a value without a heap block of its
  // own stay inline: a dataset load does each hundreds of thousands of times.
  Variant(const Variant& o);
  Variant(Variant&& o) noexcept : tag_(o.tag_) {
    std::memcpy(raw_, o.raw_, sizeof(raw_));
    o.tag_ = Tag::Null;
  }
  Variant& operator=(const Variant& o);
  Variant& operator=(Variant&& o) noexcept {
    if (this != &o) {
      if (OwnsBlock()) Release();
      std::memcpy(raw_, o.raw_, sizeof(raw_));
      tag_ = o.tag_;
      o.tag_ = Tag::Null;
    }
    return *this;
  }
  ~Variant() {
    if (OwnsBlock()) Release();
  }

  static Variant Null() { return Variant(); }

  VarType Type() const noexcept {
    static constexpr VarType kTypes[] = {VarType::Null,   VarType::Bool,     VarType::Integer,
                                         VarType::Float,  VarType::String,   VarType::String,
                                         VarType::DateTime, VarType::Array, VarType::Json,
                                         VarType::Packet};
    return kTypes[static_cast<int>(tag_)];
  }
  bool IsNull() const noexcept { return tag_ == Tag::Null; }
  bool IsArray() const noexcept { return tag_ == Tag::Array; }

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
  // The text of a string without copying it; empty for any other type.
  std::string_view TextView() const noexcept;

  // Array access; raises EVariantError when this is not an array or the
  // index is out of range.
  const Variant& operator[](size_t i) const;
  size_t Length() const;

  // Same type and value; null equals null.
  bool operator==(const Variant& o) const;

 private:
  // In the order of the types Type() gives for them.
  enum class Tag : uint8_t { Null, Bool, Integer, Float, ShortText, LongText, DateTime, Array, Json, Packet };
  bool OwnsBlock() const noexcept { return tag_ == Tag::LongText || tag_ >= Tag::Array; }
  // Inline text capacity: the bytes before the length byte.
  static constexpr size_t kInlineText = 22;

  template <typename T>
  void Store(const T& v) noexcept {
    static_assert(sizeof(T) <= sizeof(raw_) && std::is_trivially_copyable_v<T>);
    std::memcpy(raw_, &v, sizeof(T));
  }
  template <typename T>
  T Load() const noexcept {
    T v;
    std::memcpy(&v, raw_, sizeof(T));
    return v;
  }
  void SetText(std::string_view text);
  void Release() noexcept;

  // The payload: a number, a pointer (with the text's length after it), or
  // up to 22 bytes of text with their length in the last byte.
  alignas(8) unsigned char raw_[kInlineText + 1] = {};
  Tag tag_ = Tag::Null;
};

// Builds an array variant from its elements.
template <typename... T>
Variant VarArrayOf(T&&... elems) {
  return Variant(Variant::Array{Variant(std::forward<T>(elems))...});
}

}  // namespace zor::plat
