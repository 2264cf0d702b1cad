// Conversions of the variant value.
#include "platform/core/variant.h"

#include <cmath>
#include <cstring>

#include "platform/core/exceptions.h"
#include "platform/core/platform_texts.h"
#include "platform/core/sysutils.h"
#include "platform/core/variant_codec.h"
#include "wire/packet_writer.h"

namespace zor::plat {

static_assert(sizeof(Variant) == 24, "a dataset keeps one variant per field of every record");

void Abort() { throw EAbort(); }

namespace {
[[noreturn]] void BadConversion(const std::string& what) {
  throw EVariantError(PlatformText("variant.bad_conversion", {what}));
}
}  // namespace

// ---------------------------------------------------------------- storage

namespace {
// A long text: its bytes in a heap block, the pointer then the length in the payload.
struct LongText {
  char* Data;
  size_t Size;
};
}  // namespace

void Variant::SetText(std::string_view text) {
  if (text.size() <= kInlineText) {
    std::memcpy(raw_, text.data(), text.size());
    raw_[kInlineText] = static_cast<unsigned char>(text.size());
    tag_ = Tag::ShortText;
    return;
  }
  char* data = new char[text.size()];
  std::memcpy(data, text.data(), text.size());
  Store(LongText{data, text.size()});
  tag_ = Tag::LongText;
}

Variant::Variant(Array v) : tag_(Tag::Array) { Store(new Array(std::move(v))); }

Variant::Variant(JsonText v) : tag_(Tag::Json) { Store(new JsonText(std::move(v))); }

Variant::Variant(SharedPacket v) : tag_(Tag::Packet) { Store(new SharedPacket(std::move(v))); }

Variant::Variant(const Variant& o) : tag_(Tag::Null) {
  switch (o.tag_) {
    case Tag::LongText: SetText(o.TextView()); break;
    case Tag::Array: Store(new Array(*o.Load<Array*>())); tag_ = Tag::Array; break;
    case Tag::Json: Store(new JsonText(*o.Load<JsonText*>())); tag_ = Tag::Json; break;
    case Tag::Packet: Store(new SharedPacket(*o.Load<SharedPacket*>())); tag_ = Tag::Packet; break;
    default:
      std::memcpy(raw_, o.raw_, sizeof(raw_));
      tag_ = o.tag_;
  }
}

Variant& Variant::operator=(const Variant& o) {
  if (this != &o) {
    Variant copy(o);
    *this = std::move(copy);
  }
  return *this;
}

void Variant::Release() noexcept {
  switch (tag_) {
    case Tag::LongText: delete[] Load<LongText>().Data; break;
    case Tag::Array: delete Load<Array*>(); break;
    case Tag::Json: delete Load<JsonText*>(); break;
    case Tag::Packet: delete Load<SharedPacket*>(); break;
    default: break;
  }
  tag_ = Tag::Null;
}

std::string_view Variant::TextView() const noexcept {
  if (tag_ == Tag::ShortText) return {reinterpret_cast<const char*>(raw_), raw_[kInlineText]};
  if (tag_ == Tag::LongText) {
    LongText t = Load<LongText>();
    return {t.Data, t.Size};
  }
  return {};
}

bool Variant::operator==(const Variant& o) const {
  VarType type = Type();
  if (type != o.Type()) return false;
  switch (type) {
    case VarType::Null: return true;
    case VarType::Bool: return Load<bool>() == o.Load<bool>();
    case VarType::Integer: return Load<int64_t>() == o.Load<int64_t>();
    case VarType::Float: return Load<double>() == o.Load<double>();
    case VarType::String: return TextView() == o.TextView();
    case VarType::DateTime: return Load<TDateTime>() == o.Load<TDateTime>();
    case VarType::Array: return *Load<Array*>() == *o.Load<Array*>();
    case VarType::Json: return *Load<JsonText*>() == *o.Load<JsonText*>();
    // Packets are shared, not compared: the same packet is equal.
    case VarType::Packet: return *Load<SharedPacket*>() == *o.Load<SharedPacket*>();
  }
  return false;
}

// ---------------------------------------------------------------- conversions

std::string Variant::AsString() const {
  switch (Type()) {
    case VarType::Null: return "";
    case VarType::Bool: return Load<bool>() ? "True" : "False";
    case VarType::Integer: return std::to_string(Load<int64_t>());
    case VarType::Float: return FloatToStr(Load<double>());
    case VarType::String: return std::string(TextView());
    case VarType::DateTime: return DateTimeToStr(Load<TDateTime>());
    case VarType::Array: BadConversion(PlatformText("variant.array_to_text"));
    case VarType::Json: return Load<JsonText*>()->Text;
    case VarType::Packet: return wire::EncodePacket(**Load<SharedPacket*>());
  }
  return "";
}

int64_t Variant::AsInteger() const {
  switch (Type()) {
    case VarType::Null: return 0;
    case VarType::Bool: return Load<bool>() ? -1 : 0;
    case VarType::Integer: return Load<int64_t>();
    case VarType::Float: return std::llround(Load<double>());
    case VarType::String: {
      int64_t v;
      if (TryStrToInt(std::string(TextView()), v)) return v;
      double f;
      if (TryStrToFloat(std::string(TextView()), f)) return std::llround(f);
      BadConversion(PlatformText("variant.text_to_integer", {std::string(TextView())}));
    }
    case VarType::DateTime: return static_cast<int64_t>(Load<TDateTime>().Val);
    case VarType::Array:
    case VarType::Json:
    case VarType::Packet: BadConversion(PlatformText("variant.array_to_integer"));
  }
  return 0;
}

double Variant::AsFloat() const {
  switch (Type()) {
    case VarType::Null: return 0.0;
    case VarType::Bool: return Load<bool>() ? -1.0 : 0.0;
    case VarType::Integer: return static_cast<double>(Load<int64_t>());
    case VarType::Float: return Load<double>();
    case VarType::String: {
      double f;
      if (TryStrToFloat(std::string(TextView()), f)) return f;
      BadConversion(PlatformText("variant.text_to_number", {std::string(TextView())}));
    }
    case VarType::DateTime: return Load<TDateTime>().Val;
    case VarType::Array:
    case VarType::Json:
    case VarType::Packet: BadConversion(PlatformText("variant.array_to_number"));
  }
  return 0.0;
}

bool Variant::AsBool() const {
  switch (Type()) {
    case VarType::Null: return false;
    case VarType::Bool: return Load<bool>();
    case VarType::String: {
      const std::string s(TextView());
      if (SameText(s, "true")) return true;
      if (SameText(s, "false")) return false;
      return AsInteger() != 0;
    }
    case VarType::Array:
    case VarType::Json:
    case VarType::Packet: BadConversion(PlatformText("variant.array_to_bool"));
    default: return AsFloat() != 0.0;
  }
}

TDateTime Variant::AsDateTime() const {
  switch (Type()) {
    case VarType::Null: return TDateTime{};
    case VarType::DateTime: return Load<TDateTime>();
    case VarType::Integer:
    case VarType::Float: return TDateTime{AsFloat()};
    case VarType::String: {
      const std::string s(TextView());
      TDateTime dt;
      if (TryIsoToDateTime(s, dt)) return dt;
      std::string t = Trim(s);
      size_t sp = t.find(' ');
      TDateTime d, tm;
      if (sp == std::string::npos) {
        if (TryStrToDate(t, d)) return d;
        if (TryStrToTime(t, tm)) return tm;
      } else if (TryStrToDate(t.substr(0, sp), d) && TryStrToTime(t.substr(sp + 1), tm)) {
        return TDateTime{d.Val + tm.Val};
      }
      BadConversion(PlatformText("variant.text_to_date", {s}));
    }
    default: BadConversion(PlatformText("variant.value_to_date"));
  }
}

const Variant::Array& Variant::AsArray() const {
  if (!IsArray()) BadConversion(PlatformText("variant.not_array"));
  return *Load<Array*>();
}

Variant::Array& Variant::AsArray() {
  if (!IsArray()) BadConversion(PlatformText("variant.not_array"));
  return *Load<Array*>();
}

const Variant& Variant::operator[](size_t i) const {
  const Array& a = AsArray();
  if (i >= a.size()) BadConversion(PlatformText("variant.index_outside", {std::to_string(i)}));
  return a[i];
}

const JsonText& Variant::AsJson() const {
  if (Type() != VarType::Json) BadConversion(PlatformText("variant.not_json"));
  return *Load<JsonText*>();
}

const SharedPacket& Variant::AsPacket() const {
  if (Type() != VarType::Packet || !*Load<SharedPacket*>()) BadConversion(PlatformText("variant.not_packet"));
  return *Load<SharedPacket*>();
}

size_t Variant::Length() const { return AsArray().size(); }

}  // namespace zor::plat
