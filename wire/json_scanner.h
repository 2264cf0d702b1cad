// A strict JSON reader (RFC 8259) that hands each value to an event
// handler as it meets it, in the protocol of nlohmann-json's SAX parser
// (null, boolean, number_integer, number_unsigned, number_float, string,
// start_object, key, end_object, start_array, end_array), so that the same
// handler serves both. It reads a packet's rows several times faster: a
// text runs to its closing quote in one step, a number is read where it
// stands, and nothing is copied character by character.
//
// It accepts exactly what nlohmann-json's strict parser accepts: one value
// with blanks around it (and, as there, anything after a NUL byte that
// follows it); texts of valid UTF-8 without control characters,
// with the escapes of JSON (a \u surrogate only in a pair); integers read
// as such when they fit (negative: 64-bit signed, else 64-bit unsigned),
// other numbers as doubles, refused beyond the double range. Nesting is
// not limited by the call stack.
#pragma once

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "wire/plain_bytes.h"
#include "wire/utf8.h"

namespace zor::wire {

template <class Sax>
class JsonScanner {
 public:
  JsonScanner(std::string_view text, Sax& sax) : s_(text), sax_(sax) {}

  // False at the first fault (or when the handler stops); ErrorAt() says where.
  bool Run() {
    if (s_.substr(0, 3) == "\xEF\xBB\xBF") i_ = 3;  // a byte order mark, skipped as nlohmann-json does
    Blanks();
    if (!Value()) return false;
    for (;;) {
      Blanks();
      if (open_.empty()) break;
      const bool object = open_.back();
      const char closer = object ? '}' : ']';
      if (At(closer)) {
        ++i_;
        first_ = false;
        open_.pop_back();
        if (!(object ? sax_.end_object() : sax_.end_array())) return false;
        continue;
      }
      if (!first_) {
        if (!At(',')) return false;
        ++i_;
        Blanks();
      }
      first_ = false;
      if (object && !Key()) return false;
      if (!Value()) return false;
    }
    // A NUL byte ends the text for nlohmann-json too (what follows it is not read).
    return i_ == s_.size() || s_[i_] == '\0';
  }

  size_t ErrorAt() const { return i_; }

 private:
  bool At(char c) const { return i_ < s_.size() && s_[i_] == c; }

  void Blanks() {
    while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\n' || s_[i_] == '\r' || s_[i_] == '\t')) ++i_;
  }

  // `"key":` of an object's member.
  bool Key() {
    if (!At('"') || !Text()) return false;
    Blanks();
    if (!At(':')) return false;
    ++i_;
    Blanks();
    return sax_.key(Materialized());
  }

  // A value; a list or object is opened here, its members read and the
  // list or object closed by Run.
  bool Value() {
    if (i_ >= s_.size()) return false;
    switch (s_[i_]) {
      case '{':
        ++i_;
        open_.push_back(true);
        first_ = true;
        return sax_.start_object(static_cast<std::size_t>(-1));
      case '[':
        ++i_;
        open_.push_back(false);
        first_ = true;
        return sax_.start_array(static_cast<std::size_t>(-1));
      case '"': return Text() && String();
      case 't': return Word("true") && sax_.boolean(true);
      case 'f': return Word("false") && sax_.boolean(false);
      case 'n': return Word("null") && sax_.null();
      default: return Number();
    }
  }

  bool Word(std::string_view word) {
    if (s_.compare(i_, word.size(), word) != 0) return false;
    i_ += word.size();
    return true;
  }

  // A text as a handler takes it: as a view where it has a `text` event
  // for one (the text is gone after the call), else as nlohmann-json's
  // `string`, which may take the storage.
  bool String() {
    if constexpr (requires(Sax& sax, std::string_view v) { sax.text(v); }) {
      return sax_.text(plain_ ? view_ : std::string_view(text_));
    } else {
      return sax_.string(Materialized());
    }
  }

  // The last text read, in text_.
  std::string& Materialized() {
    if (plain_) {
      text_.assign(view_);
      plain_ = false;
    }
    return text_;
  }

  // The text starting at the quote at i_: one that holds nothing escaped
  // and only ASCII (most do) is left where it stands, as view_; any other
  // is unescaped into text_.
  bool Text() {
    const size_t begin = ++i_;
    i_ = PlainRunEnd(s_, i_);
    if (i_ < s_.size() && s_[i_] == '"') {
      view_ = s_.substr(begin, i_ - begin);
      plain_ = true;
      ++i_;
      return true;
    }
    plain_ = false;
    text_.assign(s_.data() + begin, i_ - begin);
    for (;;) {
      size_t plain = i_;
      i_ = PlainRunEnd(s_, i_);
      text_.append(s_.data() + plain, i_ - plain);
      if (i_ >= s_.size()) return false;
      auto c = static_cast<unsigned char>(s_[i_]);
      if (c == '"') {
        ++i_;
        return true;
      }
      if (c < 0x20) return false;
      if (c >= 0x80) {
        size_t n = Utf8SequenceAt(s_, i_);
        if (n == 0) return false;
        text_.append(s_.data() + i_, n);
        i_ += n;
        continue;
      }
      if (!Escape()) return false;
    }
  }

  bool Escape() {
    if (++i_ >= s_.size()) return false;
    char c = s_[i_++];
    switch (c) {
      case '"': text_ += '"'; return true;
      case '\\': text_ += '\\'; return true;
      case '/': text_ += '/'; return true;
      case 'b': text_ += '\b'; return true;
      case 'f': text_ += '\f'; return true;
      case 'n': text_ += '\n'; return true;
      case 'r': text_ += '\r'; return true;
      case 't': text_ += '\t'; return true;
      case 'u': break;
      default: return false;
    }
    unsigned code;
    if (!Hex4(code)) return false;
    if (code >= 0xDC00 && code <= 0xDFFF) return false;  // a low surrogate alone
    if (code >= 0xD800 && code <= 0xDBFF) {
      unsigned low;
      if (!Word("\\u") || !Hex4(low) || low < 0xDC00 || low > 0xDFFF) return false;
      code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
    }
    AppendUtf8(code);
    return true;
  }

  bool Hex4(unsigned& out) {
    if (s_.size() - i_ < 4) return false;
    out = 0;
    for (int k = 0; k < 4; ++k) {
      char c = s_[i_++];
      unsigned d = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : 16;
      if (d > 15) return false;
      out = out * 16 + d;
    }
    return true;
  }

  void AppendUtf8(unsigned code) {
    if (code < 0x80) {
      text_ += static_cast<char>(code);
    } else if (code < 0x800) {
      text_ += static_cast<char>(0xC0 | (code >> 6));
      text_ += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      text_ += static_cast<char>(0xE0 | (code >> 12));
      text_ += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      text_ += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      text_ += static_cast<char>(0xF0 | (code >> 18));
      text_ += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
      text_ += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      text_ += static_cast<char>(0x80 | (code & 0x3F));
    }
  }

  bool Digits() {
    size_t from = i_;
    while (i_ < s_.size() && s_[i_] >= '0' && s_[i_] <= '9') ++i_;
    return i_ > from;
  }

  // -?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?
  bool Number() {
    const size_t start = i_;
    const bool negative = At('-');
    if (negative) ++i_;
    if (At('0')) {
      ++i_;
    } else if (i_ >= s_.size() || s_[i_] < '1' || s_[i_] > '9' || !Digits()) {
      return false;
    }
    bool integral = true;
    if (At('.')) {
      ++i_;
      integral = false;
      if (!Digits()) return false;
    }
    if (At('e') || At('E')) {
      ++i_;
      integral = false;
      if (At('+') || At('-')) ++i_;
      if (!Digits()) return false;
    }
    const char* first = s_.data() + start;
    const char* last = s_.data() + i_;
    if (integral) {
      if (negative) {
        std::int64_t v;
        if (std::from_chars(first, last, v).ec == std::errc()) return sax_.number_integer(v);
      } else {
        std::uint64_t v;
        if (std::from_chars(first, last, v).ec == std::errc()) return sax_.number_unsigned(v);
      }
    }
    // Too large for an integer, or not integral: a double, refused beyond
    // its range; one too small for it reads as what strtod makes of it.
    double d;
    auto r = std::from_chars(first, last, d);
    if (r.ec == std::errc::result_out_of_range) d = std::strtod(std::string(first, last).c_str(), nullptr);
    else if (r.ec != std::errc()) d = NAN;
    if (!std::isfinite(d)) {
      i_ = start;
      return false;
    }
    return sax_.number_float(d, kNoText);
  }

  inline static const std::string kNoText;

  std::string_view s_;
  Sax& sax_;
  size_t i_ = 0;
  std::vector<bool> open_;  // per open container: an object (else a list)
  bool first_ = false;      // the innermost container has no member yet
  std::string text_;        // the last text or key read, unless plain_
  std::string_view view_;   // the last text read, when plain_
  bool plain_ = false;
};

// Reads `text` into `sax`; false when it is not one JSON value (errorAt:
// where reading stopped).
template <class Sax>
bool ScanJson(std::string_view text, Sax& sax, size_t& errorAt) {
  JsonScanner<Sax> scanner(text, sax);
  if (scanner.Run()) return true;
  errorAt = scanner.ErrorAt();
  return false;
}

// Whether `text` is one JSON value, read without keeping anything of it.
inline bool IsJson(std::string_view text) {
  struct Nothing {
    bool null() { return true; }
    bool boolean(bool) { return true; }
    bool number_integer(std::int64_t) { return true; }
    bool number_unsigned(std::uint64_t) { return true; }
    bool number_float(double, const std::string&) { return true; }
    bool string(std::string&) { return true; }
    bool text(std::string_view) { return true; }
    bool key(std::string&) { return true; }
    bool start_object(std::size_t) { return true; }
    bool end_object() { return true; }
    bool start_array(std::size_t) { return true; }
    bool end_array() { return true; }
  } nothing;
  size_t errorAt = 0;
  return ScanJson(text, nothing, errorAt);
}

}  // namespace zor::wire
