// Packets and deltas of variants through the wire codec: their JSON, the
// refusal of malformed ones as a database error, and the passage of a
// packet the server connection decoded.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "platform/core/exceptions.h"
#include "platform/data/data_packet.h"

namespace zor::plat {
namespace {

DataPacket Sample() {
  DataPacket p;
  p.Fields = {{"CDFILIAL", FieldType::String, 4, 0},
              {"QTHORA", FieldType::Float, 0, 3},
              {"DTINICIO", FieldType::DateTime, 0, 0},
              {"NRORDEM", FieldType::Integer, 0, 0},
              {"IDATIVO", FieldType::Boolean, 0, 0}};
  p.Rows = {{Variant("0001"), Variant(1.5), Variant(EncodeDate(2026, 1, 31)), Variant(3), Variant(true)},
            {Variant("Não"), Variant(), Variant(), Variant(), Variant()}};
  return p;
}

std::string PacketError(const std::string& text) {
  try {
    PacketFromJsonText(JsonText{text});
  } catch (const EDatabaseError& e) {
    return e.Message();
  }
  return "(aceito)";
}

std::string DeltaError(const std::string& text) {
  try {
    DeltaFromJsonText(JsonText{text});
  } catch (const EDatabaseError& e) {
    return e.Message();
  }
  return "(aceito)";
}

TEST(PacketJson, EncodesAsTheProtocolDescribes) {
  nlohmann::json j = nlohmann::json::parse(PacketToJsonText(Sample()).Text);
  EXPECT_EQ(j["fields"][0], nlohmann::json::parse(R"({"name":"CDFILIAL","type":"string","size":4})"));
  EXPECT_EQ(j["fields"][1], nlohmann::json::parse(R"({"name":"QTHORA","type":"float","precision":3})"));
  EXPECT_EQ(j["fields"][2], nlohmann::json::parse(R"({"name":"DTINICIO","type":"datetime"})"));
  EXPECT_EQ(j["rows"][0], nlohmann::json::parse(R"(["0001",1.5,"2026-01-31T00:00:00",3,true])"));
  EXPECT_EQ(j["rows"][1], nlohmann::json::parse(R"(["Não",null,null,null,null])"));
}

TEST(PacketJson, RoundTripsThroughTextAndVariant) {
  DataPacket p = Sample();
  EXPECT_EQ(PacketFromJsonText(PacketToJsonText(p)), p);
  Variant v = PacketToVariant(p);
  EXPECT_EQ(v.Type(), VarType::Json);
  EXPECT_EQ(PacketFromVariant(v), p);
  EXPECT_EQ(PacketFromVariant(Variant(v.AsJson().Text)), p);  // plain text holding JSON
  EXPECT_THROW(PacketFromVariant(Variant(3)), EDatabaseError);
}

// A packet the server connection decoded is already a packet of variants:
// the dataset gets a copy while someone else holds it, its rows when no
// one does.
TEST(PacketJson, DecodedPacketsAreCopiedWhileSharedAndMovedWhenAlone) {
  const std::string longText = "um texto longo o bastante para morar no heap";
  auto decoded = std::make_shared<DataPacket>(DataPacket{
      {{"S", FieldType::String, 60, 0}, {"D", FieldType::DateTime, 0, 0}, {"B", FieldType::Boolean, 0, 0}},
      {{Variant(longText), Variant(TDateTime{EncodeDate(2026, 1, 31).Val + EncodeTime(8, 5, 0).Val}), Variant(true)},
       {Variant(), Variant(), Variant()}}});
  const DataPacket original = *decoded;
  Variant shared(decoded);
  EXPECT_EQ(PacketFromVariant(shared), original);
  // Another holder keeps its rows whole.
  EXPECT_EQ(PacketFromVariant(std::move(shared)), original);
  EXPECT_EQ(*decoded, original);
  // The only holder gives them up.
  Variant alone(std::move(decoded));
  EXPECT_EQ(PacketFromVariant(std::move(alone)), original);
}

// Every type and null, written and read back as variants of the field's type.
TEST(PacketJson, EveryTypeAndNullRoundTripsAsVariants) {
  DataPacket p = Sample();
  p.Rows.push_back({Variant(std::string(300, 'x')), Variant(-0.125), Variant(EncodeDate(1, 1, 1)),
                    Variant(int64_t{-9007199254740993}), Variant(false)});
  DataPacket back = PacketFromJsonText(PacketToJsonText(p));
  ASSERT_EQ(back, p);
  for (size_t i = 0; i < p.Fields.size(); ++i) {
    EXPECT_EQ(back.Rows[0][i].Type(), NativeType(p.Fields[i].Type)) << p.Fields[i].Name;
    EXPECT_TRUE(back.Rows[1][i].IsNull() || i == 0) << p.Fields[i].Name;
  }
}

TEST(PacketJson, ProtocolExampleDecodes) {
  DataPacket p = PacketFromJsonText(JsonText{R"({
    "fields": [{"name": "CDFILIAL", "type": "string", "size": 4},
               {"name": "QTHORA", "type": "float", "precision": 3},
               {"name": "DTINICIO", "type": "datetime"},
               {"name": "NRORDEM", "type": "integer"}],
    "rows": [["0001", 1.5, "2026-01-31T00:00:00", 3], ["0002", null, null, null]]})"});
  ASSERT_EQ(p.Rows.size(), 2u);
  EXPECT_EQ(p.Fields[0].Size, 4);
  EXPECT_EQ(p.Fields[1].Precision, 3);
  EXPECT_EQ(p.Rows[0][2], Variant(EncodeDate(2026, 1, 31)));
  EXPECT_EQ(p.Rows[0][3], Variant(3));
  EXPECT_TRUE(p.Rows[1][1].IsNull());
}

TEST(PacketJson, MalformedPacketsAreRefusedWithAClearMessage) {
  EXPECT_EQ(PacketError("{\"fields\": ["), "Pacote de dados inválido: o texto não é um documento JSON válido.");
  EXPECT_EQ(PacketError("[]"), "Pacote de dados inválido: era esperado um objeto JSON.");
  EXPECT_EQ(PacketError(R"({"rows": []})"), "Pacote de dados inválido: falta a lista \"fields\".");
  EXPECT_EQ(PacketError(R"({"fields": []})"), "Pacote de dados inválido: falta a lista \"rows\".");
  EXPECT_EQ(PacketError(R"({"fields": [{"type": "string"}], "rows": []})"),
            "Pacote de dados inválido: o campo 1 não tem nome.");
  EXPECT_EQ(PacketError(R"({"fields": [{"name": "A", "type": "money"}], "rows": []})"),
            "Pacote de dados inválido: tipo 'money' desconhecido no campo 'A'.");
  EXPECT_EQ(PacketError(R"({"fields": [{"name": "A", "type": "string"}, {"name": "a", "type": "string"}],
                            "rows": []})"),
            "Pacote de dados inválido: o campo 'a' está repetido.");
  // A repeat is found however many fields come before it: among the first
  // names, and among those after them.
  auto manyFields = [](const std::string& repeat) {
    std::string fields;
    for (int i = 0; i < 70; ++i) fields += "{\"name\": \"F" + std::to_string(i) + "\", \"type\": \"string\"},";
    return "{\"fields\": [" + fields + "{\"name\": \"" + repeat + "\", \"type\": \"string\"}], \"rows\": []}";
  };
  EXPECT_EQ(PacketError(manyFields("f3")), "Pacote de dados inválido: o campo 'f3' está repetido.");
  EXPECT_EQ(PacketError(manyFields("f63")), "Pacote de dados inválido: o campo 'f63' está repetido.");
  EXPECT_EQ(PacketError(manyFields("f69")), "Pacote de dados inválido: o campo 'f69' está repetido.");
  EXPECT_EQ(PacketError(manyFields("F70")), "(aceito)");
  EXPECT_EQ(PacketError(R"({"fields": [{"name": "A", "type": "string", "size": -1}], "rows": []})"),
            "Pacote de dados inválido: \"size\" inválido no campo 'A'.");
  EXPECT_EQ(PacketError(R"({"fields": [{"name": "A", "type": "string"}], "rows": [["x"], ["y", "z"]]})"),
            "Pacote de dados inválido: a linha 2 tem 2 valores; esperados 1.");
  EXPECT_EQ(PacketError(R"({"fields": [{"name": "N", "type": "integer"}], "rows": [[1.5]]})"),
            "Pacote de dados inválido: valor inválido na linha 1, campo 'N': esperado inteiro.");
  EXPECT_EQ(PacketError(R"({"fields": [{"name": "D", "type": "datetime"}], "rows": [["2026-02-30T00:00:00"]]})"),
            "Pacote de dados inválido: valor inválido na linha 1, campo 'D': esperado data e hora.");
  EXPECT_EQ(PacketError(R"({"fields": [{"name": "S", "type": "string"}], "rows": [[12]]})"),
            "Pacote de dados inválido: valor inválido na linha 1, campo 'S': esperado texto.");
  EXPECT_EQ(PacketError(R"({"fields": [{"name": "B", "type": "boolean"}], "rows": [["true"]]})"),
            "Pacote de dados inválido: valor inválido na linha 1, campo 'B': esperado lógico.");
  // A whole-number float is a fine integer.
  EXPECT_EQ(PacketError(R"({"fields": [{"name": "N", "type": "integer"}], "rows": [[2.0]]})"), "(aceito)");
}

TEST(DeltaJson, RoundTripsEveryKind) {
  DeltaPacket d;
  d.Fields = {{"NRVOO", FieldType::String, 5, 0}, {"QT", FieldType::Integer, 0, 0}};
  d.Changes = {{ChangeKind::Insert, {}, {Variant("1"), Variant(1)}},
               {ChangeKind::Modify, {Variant("2"), Variant(2)}, {Variant("2"), Variant()}},
               {ChangeKind::Delete, {Variant("3"), Variant(3)}, {}}};
  nlohmann::json j = nlohmann::json::parse(DeltaToJsonText(d).Text);
  EXPECT_EQ(j["changes"][0], nlohmann::json::parse(R"({"kind":"insert","new":["1",1]})"));
  EXPECT_EQ(j["changes"][1], nlohmann::json::parse(R"({"kind":"modify","old":["2",2],"new":["2",null]})"));
  EXPECT_EQ(j["changes"][2], nlohmann::json::parse(R"({"kind":"delete","old":["3",3]})"));
  EXPECT_EQ(DeltaFromJsonText(DeltaToJsonText(d)), d);
  EXPECT_EQ(DeltaFromVariant(DeltaToVariant(d)), d);
}

TEST(DeltaJson, MalformedDeltasAreRefused) {
  const std::string fields = R"("fields": [{"name": "A", "type": "string"}])";
  EXPECT_EQ(DeltaError("{" + fields + "}"), "Delta inválido: falta a lista \"changes\".");
  EXPECT_EQ(DeltaError("{" + fields + R"(, "changes": [{"kind": "upsert", "new": ["x"]}]})"),
            "Delta inválido: tipo de alteração 'upsert' desconhecido na alteração 1 (use insert, modify ou delete).");
  EXPECT_EQ(DeltaError("{" + fields + R"(, "changes": [{"kind": "modify", "new": ["x"]}]})"),
            "Delta inválido: a alteração 1 (modify) não tem a lista \"old\".");
  EXPECT_EQ(DeltaError("{" + fields + R"(, "changes": [{"kind": "delete", "old": ["x"], "new": ["y"]}]})"),
            "Delta inválido: a alteração 1 (delete) não pode ter a lista \"new\".");
  EXPECT_EQ(DeltaError("{" + fields + R"(, "changes": [{"kind": "insert", "new": ["x", "y"]}]})"),
            "Delta inválido: a alteração 1 (\"new\") tem 2 valores; esperados 1.");
}

TEST(PacketJson, EncodingConvertsOrRefusesValuesOfAnotherType) {
  DataPacket p;
  p.Fields = {{"N", FieldType::Integer, 0, 0}};
  p.Rows = {{Variant("12")}};
  EXPECT_EQ(nlohmann::json::parse(PacketToJsonText(p).Text)["rows"][0][0], 12);
  p.Rows = {{Variant("doze")}};
  EXPECT_THROW(PacketToJsonText(p), EDatabaseError);
  p.Rows = {{Variant("1"), Variant("2")}};
  EXPECT_THROW(PacketToJsonText(p), EDatabaseError);
}

}  // namespace
}  // namespace zor::plat
