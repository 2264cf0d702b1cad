// The server's core without a database: reading deltas, date-times and
// lengths, stored values in their normal form, the PostgreSQL placeholder
// numbering.
#include <gtest/gtest.h>

#include "server/packet.h"
#include "server/pg_connection.h"
#include "server/request_decoder.h"
#include "server/rpc_dispatch.h"
#include "server/schema.h"
#include "server/statement_cache.h"
#include "server/stored_value.h"
#include "tests/server/server_harness.h"

namespace zor::server::testing {

TEST(DeltaReading, ValuesAreTypedAndPlacedByFieldName) {
  const auto& d = ClasseVooDataset();
  // Fields in another order, the joined SGCLASSE left out.
  json delta = {{"fields", json::array({{{"name", "CDFILIAL"}, {"type", "string"}},
                                        {{"name", "CDCIA"}},
                                        {{"name", "NRVOO"}},
                                        {{"name", "CDTRECHO"}},
                                        {{"name", "CDCLASSE"}},
                                        {{"name", "NRMULSERV"}, {"type", "float"}}})},
                {"changes", json::array({{{"kind", "insert"}, {"new", {"0001", "0002", "3100", "0001", "0004", 2}}},
                                         {{"kind", "delete"}, {"old", {"0001", "0002", "3100", "0001", "0002", nullptr}}}})}};
  auto changes = ParseDelta(d, delta);
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[0].kind, wire::ChangeKind::Insert);
  EXPECT_EQ(std::get<std::string>(changes[0].newValues[d.IndexOf("CDCLASSE")]), "0004");
  EXPECT_EQ(std::get<double>(changes[0].newValues[d.IndexOf("NRMULSERV")]), 2.0);
  EXPECT_TRUE(IsNull(changes[0].newValues[d.IndexOf("SGCLASSE")]));
  EXPECT_EQ(changes[1].kind, wire::ChangeKind::Delete);
  EXPECT_TRUE(IsNull(changes[1].oldValues[d.IndexOf("NRMULSERV")]));
}

TEST(DeltaReading, RefusalsNameTheChangeAndField) {
  json d = Delta(TrechoDataset(), {InsertChange(WithValues(TrechoDataset(), NewLeg("1", "0001", "0002"),
                                                           {{"DTULTATUTREC", "2026-13-01T00:00:00"}}))});
  try {
    ParseDelta(TrechoDataset(), d);
    FAIL();
  } catch (const ProtocolError& e) {
    EXPECT_EQ(e.Code(), rpc_code::kInvalidParams);
    EXPECT_NE(std::string(e.what()).find("alteração 1"), std::string::npos);
    EXPECT_NE(std::string(e.what()).find("DTULTATUTREC"), std::string::npos);
  }
}

// A date-time in a delta is read in the wire's one format and bound in it.
TEST(DeltaReading, DateTimesAndLengths) {
  const auto& d = TrechoDataset();
  auto stampOf = [&](const char* text) {
    return std::get<std::string>(
        ParseDelta(d, Delta(d, {InsertChange(WithValues(d, NewLeg("1", "0001", "0002"), {{"DTULTATUTREC", text}}))}))[0]
            .newValues[d.IndexOf("DTULTATUTREC")]);
  };
  EXPECT_EQ(stampOf("2024-02-29T23:59:59"), "2024-02-29T23:59:59");
  EXPECT_EQ(stampOf("2024-02-29 10:00:00"), "2024-02-29T10:00:00");
  for (const char* no : {"2023-02-29T10:00:00", "2024-04-31T10:00:00", "2024-01-01T24:00:00", "2024-01-01",
                         "2024-1-01T10:00:000", "+024-01-01T10:00:00"})
    EXPECT_THROW(stampOf(no), ProtocolError) << no;
  EXPECT_EQ(Utf8Length("Vôo"), 3u);
  EXPECT_EQ(Utf8Length(""), 0u);
}

// Whatever layout another program stored, the server reads one form; what
// is no date at all reads as no date.
TEST(StoredValues, OneFormForEveryStoredLayout) {
  EXPECT_EQ(StoredDateTime("2026-12-01T08:05:09"), "2026-12-01T08:05:09");
  EXPECT_EQ(StoredDateTime("2026-12-01 08:05:09"), "2026-12-01T08:05:09");
  EXPECT_EQ(StoredDateTime("2026-12-01 08:05:09.250"), "2026-12-01T08:05:09");
  EXPECT_EQ(StoredDateTime("2026-12-01 08:05:09.999999"), "2026-12-01T08:05:09");
  EXPECT_EQ(StoredDateTime("2026-12-01 08:05"), "2026-12-01T08:05:00");
  EXPECT_EQ(StoredDateTime("2026-12-01"), "2026-12-01T00:00:00");
  EXPECT_EQ(StoredDateTime("2026-12-01 08:05:09-03"), "2026-12-01T08:05:09");
  EXPECT_EQ(StoredDateTime("2026-12-01T08:05:09.5+05:30"), "2026-12-01T08:05:09");
  EXPECT_EQ(StoredDateTime("2026-12-01T08:05:09Z"), "2026-12-01T08:05:09");
  for (const char* no : {"", "01/12/2026", "2026-12-01 8:05", "2026-12-01 08:05:09.", "2026-02-30",
                         "2026-12-01 24:00:00", "2026-12-01x", "2026-12-01 08:05:09 -03", "20261201"})
    EXPECT_EQ(StoredDateTime(no), "") << no;

  const DatasetField& text = VooDataset().fields[VooDataset().IndexOf("SGPREFIXO")];
  const DatasetField& stamp = VooDataset().fields[VooDataset().IndexOf("DTINIVIGVOO")];
  const DatasetField& number = ClasseVooDataset().fields[ClasseVooDataset().IndexOf("NRMULSERV")];
  EXPECT_TRUE(SameValue(text, std::string(), std::monostate{}));
  EXPECT_FALSE(SameValue(text, std::string(" "), std::monostate{}));
  EXPECT_FALSE(SameValue(text, std::string("PR-A"), std::string("PR-B")));
  EXPECT_TRUE(SameValue(stamp, std::string("2026-12-01"), std::string("2026-12-01T00:00:00")));
  EXPECT_FALSE(SameValue(stamp, std::string("2026-12-02"), std::string("2026-12-01T00:00:00")));
  EXPECT_FALSE(SameValue(stamp, std::monostate{}, std::string("2026-12-01T00:00:00")));
  EXPECT_TRUE(SameValue(number, std::int64_t{2}, 2.0));
  EXPECT_TRUE(SameValue(number, std::string("2.5"), 2.5));
  EXPECT_FALSE(SameValue(number, 2.5, 2.25));
}

// What the server answers a body with, or "" when it reads it.
std::string BodyRefusal(const std::string& body) {
  try {
    DecodeRequestBody(body);
    return "";
  } catch (const ProtocolError& e) {
    return e.what();
  }
}

// A key given twice in one object is refused wherever the object sits and
// however many keys it holds; the same key in sibling or nested objects is
// not a repetition.
TEST(RequestBody, AKeyRepeatedInOneObjectIsRefusedAndNowhereElse) {
  std::string many = "{";
  for (int i = 0; i < 40; ++i) many += "\"k" + std::to_string(i) + "\":" + std::to_string(i) + ",";
  EXPECT_EQ(BodyRefusal(many + "\"k39\":0}"), "Requisição inválida: a chave \"k39\" aparece duas vezes no mesmo objeto.");
  EXPECT_NE(BodyRefusal(many + "\"k3\":0}"), "");  // repeated among the first keys, found once the object is large
  EXPECT_EQ(DecodeRequestBody(many + "\"k40\":0}").size(), 41u);

  // The outer object's key after an inner object that used it, and after
  // a large inner one.
  EXPECT_EQ(BodyRefusal(R"({"a":{"b":1,"a":2},"b":3})"), "");
  EXPECT_NE(BodyRefusal(R"({"a":{"b":1},"c":2,"a":3})"), "");
  EXPECT_NE(BodyRefusal("{\"a\":1,\"in\":" + many + "\"z\":0},\"a\":2}"), "");
  EXPECT_EQ(BodyRefusal("{\"a\":1,\"in\":" + many + "\"z\":0},\"k1\":2}"), "");
  // Siblings in a list share their keys, as every field of a delta does.
  EXPECT_EQ(BodyRefusal(R"([{"name":"A","size":1},{"name":"B","size":2}])"), "");
  EXPECT_NE(BodyRefusal(R"([{"name":"A"},{"name":"B","name":"C"}])"), "");
}

// A body is read by the wire's fast reader and, when that refuses it, again
// by nlohmann-json: the document and every refusal are what nlohmann-json
// alone made of them, the position it names included.
TEST(RequestBody, ReadsAndRefusesAsNlohmannDoes) {
  auto position = [](const std::string& body) {
    try {
      nlohmann::ordered_json parsed = nlohmann::ordered_json::parse(body);
      (void)parsed;
    } catch (const nlohmann::json::parse_error& e) {
      return std::to_string(e.byte);
    }
    return std::string("none");
  };
  const std::string good =
      R"({"jsonrpc":"2.0","id":7,"params":[1,-2,3.5,1e2,"\u00e7\n",true,null,{"b":"x"},18446744073709551615]})";
  EXPECT_EQ(DecodeRequestBody(good), nlohmann::ordered_json::parse(good));
  for (const std::string& bad : {std::string(R"({"method":"GetTurno","params":["1",]})"), std::string("{\"a\":1} x"),
                                std::string("{\"a\":\"\\x\"}"), std::string("[\"\xC3\"]")})
    EXPECT_EQ(BodyRefusal(bad), "A requisição não é um JSON válido (erro na posição " + position(bad) + ").") << bad;
  EXPECT_EQ(BodyRefusal("[1,1e400]"), "A requisição não é um JSON válido: número fora do intervalo aceito (posição 8).");
  // A key with a NUL character and no colon after it: nlohmann-json meets
  // the key before the missing colon, and so does the person's message.
  EXPECT_EQ(BodyRefusal(R"({"a\u0000" 1})"),
            "Parâmetros inválidos: textos não podem conter o caractere nulo (\\u0000).");
  EXPECT_EQ(BodyRefusal(R"({"a":1,"a":2)"), "Requisição inválida: a chave \"a\" aparece duas vezes no mesmo objeto.");
  const std::string deep = std::string(kMaxRequestDepth + 1, '[') + std::string(kMaxRequestDepth + 1, ']');
  EXPECT_NE(BodyRefusal(deep).find("aninhamento"), std::string::npos);
}

// A batch whose answers grow past the limit runs no more calls: those left
// are answered under their own ids (notifications not at all), and the
// calls already run keep their answers.
TEST(RpcBatch, LargeAnswersCutABatchShort) {
  int runs = 0;
  const std::string large = "\"" + std::string(3 << 20, 'x') + "\"";
  const ModuleCall call = [&](const std::string&, const nlohmann::ordered_json&) {
    ++runs;
    return CallOutcome{{{"ok", true}}, "ok", large};
  };
  std::string body = "[";
  for (int id = 1; id <= 5; ++id) body += R"({"jsonrpc":"2.0","id":)" + std::to_string(id) + R"(,"method":"GetVoo","params":[]},)";
  body += R"({"jsonrpc":"2.0","method":"GetVoo","params":[]},{"jsonrpc":"2.0","id":"seis","method":"GetTrecho"}])";
  const RpcReply reply = DispatchRpc(call, body);
  EXPECT_EQ(runs, 3);  // 9 MiB of answers after the third
  const auto answers = nlohmann::json::parse(reply.body);
  ASSERT_EQ(answers.size(), 6u);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(answers[i]["result"]["data"].get_ref<const std::string&>().size(), size_t{3} << 20);
  for (int i = 3; i < 6; ++i) {
    EXPECT_EQ(answers[i]["error"]["code"], -32600);
    EXPECT_NE(answers[i]["error"]["message"].get<std::string>().find("8 MiB"), std::string::npos);
  }
  EXPECT_EQ(answers[3]["id"], 4);
  EXPECT_EQ(answers[5]["id"], "seis");
  EXPECT_TRUE(reply.failed);
  EXPECT_EQ(reply.method, "GetVoo+GetVoo+GetVoo+GetVoo+GetVoo+GetTrecho");
}

// Every dataset a delta writes says in its catalogue entry how its rows are
// named and refused: a dataset added without them would answer a conflict
// or a missing key with an empty message.
TEST(DatasetRules, EveryWrittenDatasetNamesItsRowsAndItsRefusals) {
  for (const DatasetDef* d : {&VooDataset(), &TrechoDataset(), &ClasseVooDataset()}) {
    SCOPED_TRACE(d->name);
    EXPECT_FALSE(d->save.subject.empty());
    EXPECT_FALSE(d->save.duplicate.empty());
    EXPECT_FALSE(d->save.missingParent.empty());
    for (const auto& k : d->key) {
      bool worded = false;
      for (const auto& [field, words] : d->save.missingKey) worded |= field == k && !words.empty();
      EXPECT_TRUE(worded) << k;
    }
    for (const auto& child : d->save.cascade) EXPECT_NO_THROW(SchemaTable(child)) << child;
    // A "{FIELD}" in a message names one of the dataset's fields.
    for (const std::string* m : {&d->save.subject, &d->save.missingParent, &d->save.numbersExhausted,
                                 &d->save.paddedKeyMessage})
      for (size_t open = m->find('{'); open != std::string::npos; open = m->find('{', open + 1))
        EXPECT_GE(d->IndexOf(m->substr(open + 1, m->find('}', open) - open - 1)), 0) << *m;
    if (!d->save.numberedKey.empty()) {
      EXPECT_GE(d->IndexOf(d->save.numberedKey), 0);
      EXPECT_NO_THROW(SchemaTable(d->save.parentTable));
    }
  }
}

// A database that cannot be reached is named as such to the person, and
// the cause goes to the log note.
TEST(DatabaseFaults, AnUnreachableDatabaseIsNamed) {
  ConnectionPool pool("postgresql://127.0.0.1:1/nada?connect_timeout=2");
  FlightModule module(pool);
  CallOutcome out = module.Call("GetTipoVoo", json::array());
  EXPECT_EQ(out.result["ok"], false);
  EXPECT_NE(out.result["message"].get<std::string>().find("parado ou inacessível"), std::string::npos)
      << out.result.dump();
  EXPECT_NE(out.logNote.find("127.0.0.1"), std::string::npos) << out.logNote;
}

// A statement in use stays kept however many others pass through; the one
// unused the longest is handed back to be freed.
TEST(StatementCache, LetsGoOfTheStatementUnusedTheLongest) {
  StatementCache<int> cache(2);
  EXPECT_FALSE(cache.Add("a", 1));
  EXPECT_FALSE(cache.Add("b", 2));
  ASSERT_NE(cache.Find("a"), nullptr);  // "a" used again: "b" is the oldest now
  EXPECT_EQ(cache.Add("c", 3), 2);
  EXPECT_EQ(cache.Find("b"), nullptr);
  EXPECT_EQ(*cache.Find("a"), 1);
  EXPECT_EQ(cache.Add("d", 4), 3);
  EXPECT_EQ(cache.Remove("a"), 1);
  EXPECT_EQ(cache.Remove("a"), std::nullopt);
  EXPECT_EQ(cache.Size(), 1u);
  std::vector<int> kept;
  cache.ForEach([&](int h) { kept.push_back(h); });
  EXPECT_EQ(kept, std::vector<int>{4});
}

TEST(PgDriver, PlaceholdersAreNumberedOutsideLiterals) {
  EXPECT_EQ(PgConnection::NumberPlaceholders("SELECT ? WHERE A = '?' AND B = ?"),
            "SELECT $1 WHERE A = '?' AND B = $2");
}

}  // namespace zor::server::testing
