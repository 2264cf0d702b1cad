// JSON text of packets and deltas (see packet_writer.h).
#include "wire/packet_writer.h"

#include "wire/plain_bytes.h"
#include "wire/utf8.h"

#include <charconv>
#include <cstring>
#include <cmath>
#include <type_traits>

namespace zor::wire {

namespace {

// Texts up to this length are written in one piece when nothing in them is escaped.
constexpr size_t kShort = 62;

// A JSON text, after a comma when `comma`.
void AppendText(std::string& out, std::string_view text, bool comma) {
  static const char* const kHex = "0123456789abcdef";
  size_t i = PlainRunEnd(text, 0);
  if (i == text.size() && text.size() <= kShort) {
    // Most values (codes, names, times) are short and need no escape: one
    // append, separator and quotes included.
    char quoted[kShort + 3];
    size_t n = 0;
    if (comma) quoted[n++] = ',';
    quoted[n++] = '"';
    std::memcpy(quoted + n, text.data(), text.size());
    n += text.size();
    quoted[n++] = '"';
    out.append(quoted, n);
    return;
  }
  if (comma) out += ',';
  out += '"';
  size_t plain = 0;  // start of the bytes not yet copied
  while (i < text.size()) {
    auto c = static_cast<unsigned char>(text[i]);
    if (kPlainByte[c]) {
      i = PlainRunEnd(text, i);
      continue;
    }
    if (c >= 0x80) {
      if (size_t n = Utf8SequenceAt(text, i)) {
        i += n;
        continue;
      }
    }
    out.append(text.data() + plain, i - plain);
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) {
          out += "\\u00";
          out += kHex[c >> 4];
          out += kHex[c & 15];
        } else {
          out += "\xEF\xBF\xBD";  // a byte that starts no valid UTF-8 character
        }
    }
    plain = ++i;
  }
  out.append(text.data() + plain, text.size() - plain);
  out += '"';
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view text) { AppendText(out, text, false); }

void AppendJsonNumber(std::string& out, double value) {
  char buf[32];
  auto r = std::to_chars(buf, buf + sizeof buf, value);
  std::string_view s(buf, static_cast<size_t>(r.ptr - buf));
  out += s;
  if (s.find_first_of(".e") == std::string_view::npos) out += ".0";
}

void ValueWriter::Separate() {
  if (!first_) out_ += ',';
  first_ = false;
}

void ValueWriter::Null() {
  Separate();
  out_ += "null";
}

void ValueWriter::String(std::string_view text) {
  AppendText(out_, text, !first_);
  first_ = false;
}

void ValueWriter::Integer(std::int64_t value) {
  Separate();
  char buf[24];
  auto r = std::to_chars(buf, buf + sizeof buf, value);
  out_.append(buf, r.ptr);
}

void ValueWriter::Float(double value) {
  Separate();
  if (!std::isfinite(value)) {
    out_ += "null";  // JSON has no NaN nor infinity
    return;
  }
  AppendJsonNumber(out_, value);
}

void ValueWriter::Boolean(bool value) {
  Separate();
  out_ += value ? "true" : "false";
}

void ValueWriter::Date(const DateTime& value) {
  Separate();
  if (!IsValid(value)) {  // written as it is; no reader takes it
    out_ += '"' + FormatDateTime(value) + '"';
    return;
  }
  // "yyyy-mm-ddThh:nn:ss" in place: two of these in every flight.
  char buf[22] = "\"0000-00-00T00:00:00\"";
  auto put = [&buf](int at, int digits, int n) {
    for (int i = at + digits - 1; i >= at; --i, n /= 10) buf[i] = static_cast<char>('0' + n % 10);
  };
  put(1, 4, value.Year);
  put(6, 2, value.Month);
  put(9, 2, value.Day);
  put(12, 2, value.Hour);
  put(15, 2, value.Minute);
  put(18, 2, value.Second);
  out_.append(buf, 21);
}

void ValueWriter::Write(const Value& value) {
  std::visit(
      [this](const auto& v) {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::monostate>) Null();
        else if constexpr (std::is_same_v<T, bool>) Boolean(v);
        else if constexpr (std::is_same_v<T, std::int64_t>) Integer(v);
        else if constexpr (std::is_same_v<T, double>) Float(v);
        else if constexpr (std::is_same_v<T, std::string>) String(v);
        else Date(v);
      },
      value);
}

void ValueWriter::Raw(std::string_view encoded) {
  Separate();
  out_ += encoded;
}

void ValueWriter::BeginList() {
  Separate();
  out_ += '[';
  first_ = true;
}

void ValueWriter::EndList() {
  out_ += ']';
  first_ = false;
}

void ValueWriter::BeginObject() {
  Separate();
  out_ += '{';
  first_ = true;
}

void ValueWriter::Key(std::string_view key) {
  Separate();
  AppendJsonString(out_, key);
  out_ += ':';
  first_ = true;  // the value follows without a comma
}

void ValueWriter::EndObject() {
  out_ += '}';
  first_ = false;
}

void ValueWriter::Fields(const std::vector<FieldDef>& fields) {
  BeginList();
  for (const FieldDef& f : fields) {
    BeginObject();
    Key("name");
    String(f.Name);
    Key("type");
    String(TypeName(f.Type));
    if (f.Type == FieldType::String && f.Size > 0) {
      Key("size");
      Integer(f.Size);
    }
    if (f.Type == FieldType::Float && f.Precision > 0) {
      Key("precision");
      Integer(f.Precision);
    }
    EndObject();
  }
  EndList();
}

PacketWriter::PacketWriter(std::string& out, const std::vector<FieldDef>& fields) : values_(out) {
  values_.BeginObject();
  values_.Key("fields");
  values_.Fields(fields);
  values_.Key("rows");
  values_.BeginList();
}

void PacketWriter::Finish() {
  values_.EndList();
  values_.EndObject();
}

std::string EncodePacket(const Packet& packet) { return EncodePacket<Value>(packet); }
std::string EncodeDelta(const Delta& delta) { return EncodeDelta<Value>(delta); }

void ValueCodec<Value>::Write(ValueWriter& out, const Value& value, const FieldDef&) { out.Write(value); }
void ValueCodec<Value>::WriteAsIs(ValueWriter& out, const Value& value) { out.Write(value); }

size_t Utf8SequenceAt(std::string_view s, size_t i) {
  auto b = [&](size_t k) { return static_cast<unsigned char>(s[i + k]); };
  unsigned char c = b(0);
  size_t n = c < 0xC2 ? 0 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : c < 0xF5 ? 4 : 0;
  if (n == 0 || i + n > s.size()) return 0;
  for (size_t k = 1; k < n; ++k)
    if ((b(k) & 0xC0) != 0x80) return 0;
  if (n == 3 && ((c == 0xE0 && b(1) < 0xA0) || (c == 0xED && b(1) > 0x9F))) return 0;
  if (n == 4 && ((c == 0xF0 && b(1) < 0x90) || (c == 0xF4 && b(1) > 0x8F))) return 0;
  return n;
}

}  // namespace zor::wire
