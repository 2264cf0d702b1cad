// Request encoding and response decoding, without a network.
#include "platform/net/json_rpc.h"

#include <tuple>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "platform/core/exceptions.h"
#include "platform/net/server_result.h"

namespace zor::plat {

using nlohmann::json;

TEST(JsonRpcRequest, ArgumentsKeepTheirKinds) {
  std::string text = json_rpc::EncodeRequest(
      7, "SetVoo",
      {Variant("0001"), Variant(JsonText{R"({"fields":[],"changes":[]})"}), Variant(), Variant(3), Variant(true),
       VarArrayOf("a", 1)});
  json req = json::parse(text);
  EXPECT_EQ(req["jsonrpc"], "2.0");
  EXPECT_EQ(req["id"], 7);
  EXPECT_EQ(req["method"], "SetVoo");
  json expected = json::parse(R"(["0001", {"fields":[],"changes":[]}, null, 3, true, ["a", 1]])");
  EXPECT_EQ(req["params"], expected);
}

TEST(JsonRpcRequest, RefusesWhatJsonCannotCarry) {
  EXPECT_THROW(json_rpc::EncodeRequest(1, "SetVoo", {Variant(JsonText{"{not json"})}), EVariantError);
  EXPECT_THROW(json_rpc::EncodeRequest(1, "X", {Variant(std::nan(""))}), EVariantError);
  // Broken UTF-8 typed by a user is replaced, not a crash.
  EXPECT_NO_THROW(json::parse(json_rpc::EncodeRequest(1, "X", {Variant(std::string("\xC3("))})));
}

TEST(JsonRpcResponse, GoodResultCarriesThePacket) {
  Variant r = json_rpc::DecodeResponse(4, 200, R"({"jsonrpc":"2.0","id":4,"result":{"ok":true,"data":{"rows":[]}}})");
  ASSERT_TRUE(IsGoodResult(r));
  EXPECT_EQ(json::parse(r[1].AsJson().Text), json::parse(R"({"rows":[]})"));

  Variant none = json_rpc::DecodeResponse(4, 200, R"({"jsonrpc":"2.0","id":4,"result":{"ok":true,"data":null}})");
  ASSERT_TRUE(IsGoodResult(none));
  EXPECT_TRUE(none[1].IsNull());
}

// A packet in an answer arrives decoded, its values already variants of
// their fields' types (a whole number where a float is expected is a float,
// a date-time text a date-time); a packet that does not follow its own
// fields arrives as its text, for the dataset to say what is wrong.
TEST(JsonRpcResponse, APacketArrivesAsVariantsOfItsFieldsTypes) {
  const std::string fields =
      R"("fields":[{"name":"S","type":"string"},{"name":"I","type":"integer"},{"name":"F","type":"float"},)"
      R"({"name":"D","type":"datetime"},{"name":"B","type":"boolean"}])";
  Variant r = json_rpc::DecodeResponse(
      7, 200,
      R"({"jsonrpc":"2.0","id":7,"result":{"ok":true,"data":{)" + fields +
          R"(,"rows":[["Vôo \"1\"",2.0,3,"2026-01-31T08:05:00",true],[null,null,null,null,null]]}}})");
  ASSERT_TRUE(IsGoodResult(r));
  ASSERT_EQ(r[1].Type(), VarType::Packet);
  const auto& rows = r[1].AsPacket()->Rows;
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0][0], Variant("Vôo \"1\""));
  EXPECT_EQ(rows[0][1], Variant(int64_t{2}));
  EXPECT_EQ(rows[0][2], Variant(3.0));
  EXPECT_EQ(rows[0][3], Variant(TDateTime{EncodeDate(2026, 1, 31).Val + EncodeTime(8, 5, 0).Val}));
  EXPECT_EQ(rows[0][4], Variant(true));
  for (const Variant& v : rows[1]) EXPECT_TRUE(v.IsNull());

  Variant bad = json_rpc::DecodeResponse(
      7, 200,
      R"({"jsonrpc":"2.0","id":7,"result":{"ok":true,"data":{)" + fields +
          R"(,"rows":[["a",1,1.5,"2026-01-31T08:05:00",false],["b",1.5,0,null,null]]}}})");
  ASSERT_TRUE(IsGoodResult(bad));
  ASSERT_EQ(bad[1].Type(), VarType::Json);
  EXPECT_EQ(json::parse(bad[1].AsJson().Text)["rows"],
            json::parse(R"([["a",1,1.5,"2026-01-31T08:05:00",false],["b",1.5,0,null,null]])"));
}

TEST(JsonRpcResponse, FailuresBecomeFailureResults) {
  auto message = [](int status, const std::string& body) {
    Variant r = json_rpc::DecodeResponse(4, status, body);
    EXPECT_TRUE(IsServerResult(r));
    EXPECT_FALSE(IsGoodResult(r));
    return r[1].AsString();
  };
  EXPECT_EQ(message(200, R"({"jsonrpc":"2.0","id":4,"result":{"ok":false,"message":"Registro alterado por outro usuário."}})"),
            "Registro alterado por outro usuário.");
  EXPECT_EQ(message(200, R"({"jsonrpc":"2.0","id":4,"error":{"code":-32601,"message":"Método desconhecido: Foo."}})"),
            "Método desconhecido: Foo.");
  // Error objects are read whatever the HTTP status.
  EXPECT_EQ(message(400, R"({"jsonrpc":"2.0","id":null,"error":{"code":-32700,"message":"JSON malformado."}})"),
            "JSON malformado.");
  EXPECT_EQ(message(500, "Internal Server Error"), "O servidor de aplicação respondeu com o erro HTTP 500.");
  EXPECT_EQ(message(200, "<html>"), "Resposta inválida do servidor de aplicação.");
  EXPECT_EQ(message(200, R"({"jsonrpc":"2.0","id":5,"result":{"ok":true,"data":null}})"),
            "Resposta inválida do servidor de aplicação.");  // another request's answer
  EXPECT_EQ(message(200, R"({"jsonrpc":"2.0","id":4,"result":{"data":{}}})"),
            "Resposta inválida do servidor de aplicação.");
  EXPECT_EQ(message(200, R"({"jsonrpc":"2.0","id":4,"result":{"ok":false}})"),
            "O servidor de aplicação recusou a operação.");
}

// A batch's answers are matched to its calls by id, whatever their order;
// a call left unanswered fails on its own, and a refusal of the whole batch
// is every call's.
TEST(JsonRpcBatch, AnswersFindTheirCallsById) {
  json batch = json::parse(json_rpc::EncodeBatch(
      11, {{"SetTrecho", {Variant(JsonText{R"({"changes":[]})"})}}, {"GetTrecho", {Variant("0002"), Variant("7")}}}));
  ASSERT_EQ(batch.size(), 2u);
  EXPECT_EQ(batch[0]["id"], 11);
  EXPECT_EQ(batch[0]["method"], "SetTrecho");
  EXPECT_EQ(batch[0]["params"], json::parse(R"([{"changes":[]}])"));
  EXPECT_EQ(batch[1]["id"], 12);
  EXPECT_EQ(batch[1]["params"], json::parse(R"(["0002","7"])"));

  auto decoded = json_rpc::DecodeBatchResponse(
      11, 3, 200,
      R"( [ {"jsonrpc":"2.0","id":12,"result":{"ok":true,"data":{"rows":[]}}} ,)"
      R"({"jsonrpc":"2.0","id":11,"result":{"ok":false,"message":"Trecho \"] [cadastrado], {x}\\"}},)"
      R"({"jsonrpc":"2.0","id":11,"result":{"ok":true,"data":null}},)"
      R"({"jsonrpc":"2.0","id":14,"result":{"ok":true,"data":null}}, 5, "]", [] ] )");
  ASSERT_EQ(decoded.size(), 3u);
  EXPECT_FALSE(IsGoodResult(decoded[0]));  // the first answer of id 11 counts
  EXPECT_EQ(decoded[0][1].AsString(), "Trecho \"] [cadastrado], {x}\\");
  ASSERT_TRUE(IsGoodResult(decoded[1]));
  EXPECT_EQ(json::parse(decoded[1][1].AsJson().Text), json::parse(R"({"rows":[]})"));
  EXPECT_FALSE(IsGoodResult(decoded[2]));
  EXPECT_EQ(decoded[2][1].AsString(), "Resposta inválida do servidor de aplicação.");

  for (const auto& [status, body, message] : std::vector<std::tuple<int, std::string, std::string>>{
           {401, R"({"jsonrpc":"2.0","id":null,"error":{"code":-32001,"message":"Sessão encerrada."}})",
            "Sessão encerrada."},
           {200, R"({"jsonrpc":"2.0","id":11,"result":{"ok":true,"data":null}})",
            "Resposta inválida do servidor de aplicação."},
           {502, "Bad Gateway", "O servidor de aplicação respondeu com o erro HTTP 502."},
           {200, "[", "Resposta inválida do servidor de aplicação."}}) {
    auto all = json_rpc::DecodeBatchResponse(11, 2, status, body);
    ASSERT_EQ(all.size(), 2u) << body;
    for (const Variant& r : all) {
      EXPECT_FALSE(IsGoodResult(r)) << body;
      EXPECT_EQ(r[1].AsString(), message) << body;
    }
  }
}

}  // namespace zor::plat
