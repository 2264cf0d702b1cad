// The wire codec: every type and null survive a packet and a delta written
// and read back; the one date-time format; texts and numbers written as
// JSON readers expect; malformed documents refused whole with a message
// naming the row or change and the field.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include <nlohmann/json.hpp>

#include "wire/packet_reader.h"
#include "wire/packet_writer.h"

namespace zor::wire {
namespace {

using nlohmann::json;

std::vector<FieldDef> EveryType() {
  return {{"S", FieldType::String, 20, 0},
          {"I", FieldType::Integer, 0, 0},
          {"F", FieldType::Float, 0, 3},
          {"D", FieldType::DateTime, 0, 0},
          {"B", FieldType::Boolean, 0, 0}};
}

std::string PacketError(const std::string& text) {
  try {
    DecodePacket(text);
  } catch (const DecodeError& e) {
    return e.what();
  }
  return "(aceito)";
}

std::string DeltaError(const std::string& text) {
  try {
    DecodeDeltaText(text);
  } catch (const DecodeError& e) {
    return e.what();
  }
  return "(aceito)";
}

TEST(WirePacket, EveryTypeAndNullRoundTrip) {
  Packet p{EveryType(),
           {{std::string("Vôo \"3900\"\n"), std::int64_t{-42}, 2.5, DateTime{2026, 12, 8, 23, 59, 1}, true},
            {std::string(""), std::int64_t{9007199254740993}, -0.001, DateTime{1, 1, 1, 0, 0, 0}, false},
            {Value(), Value(), Value(), Value(), Value()}}};
  EXPECT_EQ(DecodePacket(EncodePacket(p)), p);
  // Each type alone, so that a fault names its type.
  for (size_t i = 0; i < p.Fields.size(); ++i) {
    Packet one{{p.Fields[i]}, {{p.Rows[0][i]}, {p.Rows[2][i]}}};
    EXPECT_EQ(DecodePacket(EncodePacket(one)), one) << TypeName(p.Fields[i].Type);
  }
}

TEST(WirePacket, WrittenAsTheProtocolDescribes) {
  json j = json::parse(EncodePacket({EveryType(), {{std::string("0001"), std::int64_t{3}, 80.0,
                                                    DateTime{2026, 1, 31, 0, 0, 0}, true}}}));
  EXPECT_EQ(j["fields"][0], json::parse(R"({"name":"S","type":"string","size":20})"));
  EXPECT_EQ(j["fields"][2], json::parse(R"({"name":"F","type":"float","precision":3})"));
  EXPECT_EQ(j["fields"][3], json::parse(R"({"name":"D","type":"datetime"})"));
  EXPECT_EQ(j["rows"][0], json::parse(R"(["0001",3,80.0,"2026-01-31T00:00:00",true])"));
  EXPECT_TRUE(j["rows"][0][2].is_number_float());  // 80.0, not 80
}

TEST(WireDelta, EveryKindRoundTrips) {
  Delta d{EveryType(),
          {{ChangeKind::Insert, {}, {std::string("a"), std::int64_t{1}, 1.5, DateTime{2026, 2, 28, 1, 2, 3}, true}},
           {ChangeKind::Modify,
            {std::string("b"), std::int64_t{2}, Value(), Value(), false},
            {std::string("b"), Value(), 0.25, DateTime{2024, 2, 29, 0, 0, 0}, Value()}},
           {ChangeKind::Delete, {Value(), Value(), Value(), Value(), Value()}, {}}}};
  EXPECT_EQ(DecodeDeltaText(EncodeDelta(d)), d);
  json j = json::parse(EncodeDelta(d));
  EXPECT_EQ(j["changes"][0]["kind"], "insert");
  EXPECT_FALSE(j["changes"][0].contains("old"));
  EXPECT_FALSE(j["changes"][2].contains("new"));
}

TEST(WireDateTime, OneFormat) {
  EXPECT_EQ(FormatDateTime({2026, 1, 31, 8, 5, 0}), "2026-01-31T08:05:00");
  DateTime dt;
  ASSERT_TRUE(ParseDateTime("2024-02-29T23:59:59", dt));
  EXPECT_EQ(dt, (DateTime{2024, 2, 29, 23, 59, 59}));
  ASSERT_TRUE(ParseDateTime("2024-02-29 10:00:00", dt));  // a blank for the T is read too
  EXPECT_EQ(FormatDateTime(dt), "2024-02-29T10:00:00");
  for (const char* no : {"2023-02-29T10:00:00", "2024-04-31T10:00:00", "2024-01-01T24:00:00", "2024-01-01",
                         "2024-01-01T10:00", "2024-1-01T10:00:000", "+024-01-01T10:00:00", "2024-01-01T10:00:00Z",
                         "2024-01-01T10:00:00.5", "0000-01-01T00:00:00", "2024-01-01x10:00:00", ""})
    EXPECT_FALSE(ParseDateTime(no, dt)) << no;
}

TEST(WireWriter, TextsAndNumbersAsJsonReadersExpect) {
  std::string out;
  AppendJsonString(out, std::string("a\"b\\c\x01\t\xC3\xA7\xC3(\xED\xA0\x80", 14));
  // Control characters escaped, "ç" kept, broken bytes replaced by U+FFFD.
  EXPECT_EQ(out, "\"a\\\"b\\\\c\\u0001\\t\xC3\xA7\xEF\xBF\xBD(\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\"");
  EXPECT_NO_THROW(json::parse(out));
  // Texts of every length around the one-piece limit, plain or ending in a
  // character that must be escaped, come back as they went, commas placed.
  std::string list;
  ValueWriter texts(list);
  texts.BeginList();
  std::vector<std::string> sent;
  for (size_t n = 0; n < 70; ++n) {
    sent.push_back(std::string(n, 'x'));
    sent.push_back(std::string(n, 'y') + "\"");
  }
  for (const auto& t : sent) texts.String(t);
  texts.EndList();
  EXPECT_EQ(json::parse(list).get<std::vector<std::string>>(), sent);
  std::string nums;
  ValueWriter w(nums);
  w.BeginList();
  w.Float(0.1);
  w.Float(1e21);
  w.Float(std::numeric_limits<double>::quiet_NaN());
  w.Float(-std::numeric_limits<double>::infinity());
  w.Integer(INT64_MIN);
  w.EndList();
  EXPECT_EQ(nums, "[0.1,1e+21,null,null,-9223372036854775808]");
}

TEST(WireReader, FieldsMayFollowTheRowsAndExtraKeysAreIgnored) {
  Packet p = DecodePacket(R"({"rows": [["2026-01-31T00:00:00", 2]], "note": {"rows": [1]},
                               "fields": [{"name": "D", "type": "datetime"}, {"name": "N", "type": "integer"}]})");
  ASSERT_EQ(p.Rows.size(), 1u);
  EXPECT_EQ(p.Rows[0][0], Value(DateTime{2026, 1, 31, 0, 0, 0}));
  EXPECT_EQ(p.Rows[0][1], Value(std::int64_t{2}));
}

TEST(WireReader, APacketInsideALargerDocumentIsParsedOnce) {
  ParsedDocument parts;
  std::string error;
  ASSERT_TRUE(ParseDocument(R"({"id": 1, "result": {"ok": true, "data": {"fields": [{"name": "S", "type": "string"}],
                                 "rows": [["x"], [null]]}}, "rows": [[1]]})",
                            {"result", "data"}, parts, error));
  EXPECT_EQ(parts.Tree["rows"], json::parse("[[1]]"));  // only the rows at the path are taken out
  EXPECT_EQ(parts.Tree["result"]["data"]["rows"], json::array());
  Packet p = PacketFromParts(parts.Tree["result"]["data"], parts);
  EXPECT_EQ(p.Rows, (std::vector<std::vector<Value>>{{std::string("x")}, {Value()}}));
  EXPECT_FALSE(ParseDocument(R"({"result": )", {"result"}, parts, error));
}

// A key given twice keeps the last value in the tree; the rows taken out
// on the way follow the tree, whichever key was repeated.
TEST(WireReader, AKeyGivenAgainOnTheWayToTheRowsReplacesThem) {
  ParsedDocument parts;
  std::string error;
  const std::string fields = R"("fields": [{"name": "S", "type": "string"}])";
  ASSERT_TRUE(ParseDocument(R"({"result": {"data": {)" + fields + R"(, "rows": [["old"]]}}, "result": {"data": {)" +
                                fields + R"(, "rows": [["new"]]}}})",
                            {"result", "data"}, parts, error));
  EXPECT_EQ(PacketFromParts(parts.Tree["result"]["data"], parts).Rows,
            (std::vector<std::vector<Value>>{{std::string("new")}}));
  for (const std::string& again : {std::string(R"("result": {"ok": true})"), R"("result": {"data": {)" + fields + "}}"}) {
    ASSERT_TRUE(ParseDocument(R"({"result": {"data": {)" + fields + R"(, "rows": [["old"]]}}, )" + again + "}",
                              {"result", "data"}, parts, error));
    EXPECT_FALSE(parts.RowsFound) << again;
  }
  ASSERT_TRUE(ParseDocument(R"({"result": {"data": {)" + fields + R"(, "rows": [["old"]], "rows": 3}}})",
                            {"result", "data"}, parts, error));
  EXPECT_FALSE(parts.RowsFound);
  // Keys elsewhere leave the rows alone.
  ASSERT_TRUE(ParseDocument(R"({"result": {"data": {)" + fields + R"(, "rows": [["x"]]}, "data2": 1}, "id": 1, "id": 2})",
                            {"result", "data"}, parts, error));
  EXPECT_TRUE(parts.RowsFound);
  EXPECT_EQ(parts.Rows.size(), 1u);
}

TEST(WireReader, MalformedPacketsAreRefusedWholeWithAClearMessage) {
  EXPECT_EQ(PacketError("{\"fields\": ["), "Pacote de dados inválido: o texto não é um documento JSON válido.");
  EXPECT_EQ(PacketError("[]"), "Pacote de dados inválido: era esperado um objeto JSON.");
  EXPECT_EQ(PacketError(R"({"rows": []})"), "Pacote de dados inválido: falta a lista \"fields\".");
  EXPECT_EQ(PacketError(R"({"fields": [], "rows": 3})"), "Pacote de dados inválido: falta a lista \"rows\".");
  EXPECT_EQ(PacketError(R"({"fields": [{"name": "A"}], "rows": []})"),
            "Pacote de dados inválido: o campo 'A' não tem tipo.");
  EXPECT_EQ(PacketError(R"({"fields": [{"name": "A", "type": "string"}], "rows": [["x"], "y"]})"),
            "Pacote de dados inválido: a linha 2 não é uma lista de valores.");
  EXPECT_EQ(PacketError(R"({"fields": [{"name": "A", "type": "string"}], "rows": [[["x"]]]})"),
            "Pacote de dados inválido: valor inválido na linha 1, campo 'A': esperado texto.");
  EXPECT_EQ(PacketError(R"({"fields": [{"name": "A", "type": "float"}], "rows": [[{"v": 1}]]})"),
            "Pacote de dados inválido: valor inválido na linha 1, campo 'A': esperado número.");
  EXPECT_EQ(PacketError(R"({"fields": [{"name": "N", "type": "integer"}], "rows": [[18446744073709551615]]})"),
            "Pacote de dados inválido: valor inválido na linha 1, campo 'N': esperado inteiro.");
  EXPECT_EQ(PacketError(R"({"fields": [{"name": "D", "type": "datetime"}], "rows": [["2026-01-31"]]})"),
            "Pacote de dados inválido: valor inválido na linha 1, campo 'D': esperado data e hora.");
}

TEST(WireReader, MalformedDeltasAreRefusedWithAClearMessage) {
  const std::string fields = R"("fields": [{"name": "A", "type": "string"}])";
  EXPECT_EQ(DeltaError("{" + fields + R"(, "changes": [{"kind": "insert", "new": [1]}]})"),
            "Delta inválido: valor inválido na alteração 1 (\"new\"), campo 'A': esperado texto.");
  EXPECT_EQ(DeltaError("{" + fields + R"(, "changes": ["insert"]})"),
            "Delta inválido: a alteração 1 não é um objeto.");
  EXPECT_EQ(DeltaError(R"({"fields": [{"name": "A"}], "changes": []})"), "Delta inválido: o campo 'A' não tem tipo.");
  // A reader that takes its types from elsewhere accepts a field without one.
  Delta d = DecodeDeltaText(R"({"fields": [{"name": "A"}], "changes": [{"kind": "delete", "old": [2]}]})",
                            [](const FieldDef& f, bool) { return FieldDef{f.Name, FieldType::Float, 0, 0}; });
  EXPECT_EQ(d.Changes[0].Old[0], Value(2.0));
}

}  // namespace
}  // namespace zor::wire
