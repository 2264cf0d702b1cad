// The wire's own JSON reader against nlohmann-json's strict parser, whose
// place it takes when a desk reads an answer: the same documents accepted
// and refused, and the same events for the accepted ones (values, types of
// numbers, unescaped texts, nesting).
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "wire/json_scanner.h"

namespace zor::wire {
namespace {

using nlohmann::json;

// Writes every event as a line, so that two readers can be compared.
struct Recorder {
  std::string log;
  bool null() { return Add("null"); }
  bool boolean(bool v) { return Add(v ? "true" : "false"); }
  bool number_integer(json::number_integer_t v) { return Add("int " + std::to_string(v)); }
  bool number_unsigned(json::number_unsigned_t v) { return Add("unsigned " + std::to_string(v)); }
  bool number_float(json::number_float_t v, const json::string_t&) { return Add("float " + json(v).dump()); }
  bool string(json::string_t& s) { return Add("string " + json(s).dump()); }
  bool binary(json::binary_t&) { return Add("binary"); }
  bool start_object(std::size_t) { return Add("{"); }
  bool key(json::string_t& k) { return Add("key " + json(k).dump()); }
  bool end_object() { return Add("}"); }
  bool start_array(std::size_t) { return Add("["); }
  bool end_array() { return Add("]"); }
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) { return false; }
  bool Add(const std::string& line) {
    log += line + "\n";
    return true;
  }
};

// A handler that takes texts as views of the input, as the packet reader does.
struct ViewRecorder : Recorder {
  bool text(std::string_view v) {
    std::string s(v);
    return string(s);
  }
};

// Empty when both readers agree, whichever way the wire's reader hands
// texts over; otherwise what each made of `text`.
std::string Disagreement(const std::string& text) {
  Recorder mine, theirs;
  ViewRecorder viewed;
  size_t at = 0;
  bool mineOk = ScanJson(text, mine, at);
  bool viewedOk = ScanJson(text, viewed, at);
  bool theirsOk = json::sax_parse(text, &theirs);
  if (mineOk != theirsOk || viewedOk != theirsOk)
    return std::string("accepted: ") + (theirsOk ? "nlohmann" : "wire") + " only";
  if (mineOk && mine.log != theirs.log) return "wire:\n" + mine.log + "nlohmann:\n" + theirs.log;
  if (viewedOk && viewed.log != theirs.log) return "wire (views):\n" + viewed.log + "nlohmann:\n" + theirs.log;
  return "";
}

TEST(JsonScanner, ReadsWhatNlohmannReadsAsItDoes) {
  for (const char* text : {
           R"({"jsonrpc":"2.0","id":1,"result":{"ok":true,"data":{"fields":[{"name":"S","type":"string","size":4}],"rows":[["0001",null,true,false,2.5,-3]]}}})",
           " [ 1 , [ ] , { } , [ [ [ ] ] ] , \"\" ]\n\t\r ", "0", "-0", "-0.0", "1e2", "1E+2", "1.5e-3", "123456789012",
           "9223372036854775807", "9223372036854775808", "18446744073709551615", "18446744073709551616",
           "-9223372036854775808", "-9223372036854775809", "1e308", "1e-400", "-1e-400", "4.9e-324",
           "0.1", "100000000000000000000000000000", R"("a\"b\\c\/d\b\f\n\r\t")", R"("\u00e7\u0041\u20AC")",
           R"("\ud83d\ude00")", "\"Vôo \xF0\x9F\x98\x80\"", R"({"a":1,"a":2})", "\xEF\xBB\xBF[1]", "true",
           "null", R"("\u0000")",
           // Plain texts beside escaped ones, keys after texts, a long plain text.
           R"({"k":"plain","e":"a\nb","":"","u":"x\u0041y","k2":"z"})", R"(["abc","d\"e","f","çg","h"])",
           R"(["0123456789012345678901234567890123456789012345678901234567890123456789","\\"])"})
    EXPECT_EQ(Disagreement(text), "") << text;
  // Both stop reading at a NUL byte after the value.
  EXPECT_EQ(Disagreement(std::string("{\"a\":1}\t\0,garbage", 17)), "");
  EXPECT_EQ(Disagreement(std::string("12\0x", 4)), "");
  EXPECT_EQ(Disagreement(std::string("[1,\0]", 5)), "");
}

TEST(JsonScanner, RefusesWhatNlohmannRefuses) {
  for (const char* text : {
           "", " ", "[", "]", "[1,]", "[,1]", "{\"a\"}", "{\"a\":}", "{\"a\":1,}", "{1:2}", "[1 2]", "{\"a\":1 \"b\":2}",
           "01", "-", "+1", "1.", ".5", "1e", "1e+", "0x10", "NaN", "Infinity", "-Infinity", "1e400", "-1e400",
           "tru", "nul", "True", "\"abc", "\"a\nb\"", "\"\\x\"", "\"\\u12\"", "\"\\u12G4\"", "\"\\ud800\"",
           "\"\\udc00\"", "\"\\ud800\\u0041\"", "\"\xC3\"", "\"\xC0\xAF\"", "\"\xED\xA0\x80\"", "\"\xF4\x90\x80\x80\"",
           "\"\xFF\"", "[1]x", "[1] [2]", "{}}", "[\"a\"", "\xEF\xBB", "/* */ 1"})
    EXPECT_EQ(Disagreement(text), "") << text;
}

TEST(JsonScanner, DeepNestingNeedsNoStack) {
  std::string deep = std::string(100000, '[') + std::string(100000, ']');
  Recorder r;
  size_t at = 0;
  EXPECT_TRUE(ScanJson(deep, r, at));
  EXPECT_FALSE(ScanJson(std::string(100000, '['), r, at));
}

}  // namespace
}  // namespace zor::wire
