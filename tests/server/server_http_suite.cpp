// The server over real HTTP on 127.0.0.1, run against each database engine
// (one test binary per engine, chosen by ZOR_TEST_BACKEND_PG):
// every method, a save round trip, conflicts between two desks, malformed
// input, concurrent desks and the keep-alive latency.
#include <atomic>
#include <functional>
#include <set>
#include <chrono>
#include <thread>

#include "server/dataset_catalog.h"
#include "tests/server/server_harness.h"

namespace zor::server::testing {

class ServerTest : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    std::string why;
    db_ = TestDatabase::Create(GetParam(), why);
    if (!db_) GTEST_SKIP() << why;
    server_ = std::make_unique<TestServer>(db_->Url(), true);
    client_ = std::make_unique<RpcClient>(server_->Port());
  }
  void TearDown() override {
    client_.reset();
    server_.reset();
    db_.reset();
  }

  json SaveOk(const std::string& method, const json& d) {
    json r = client_->Call(method, json::array({d}));
    EXPECT_EQ(r["result"]["ok"], true) << r.dump();
    return r;
  }
  std::string SaveRefused(const std::string& method, const json& d) {
    json r = client_->Call(method, json::array({d}));
    EXPECT_EQ(r["result"]["ok"], false) << r.dump();
    return r["result"].value("message", std::string());
  }
  json Flight(const std::string& nr) {
    json rows = client_->Data("GetVoo", {"0001", "0002"})["rows"];
    for (const auto& r : rows)
      if (Field(VooDataset(), r, "NRVOO") == nr) return r;
    return nullptr;
  }
  json Legs(const std::string& nr) { return client_->Data("GetTrecho", {"0002", nr, "0001"})["rows"]; }
  json Classes(const std::string& nr, const std::string& leg) {
    return client_->Data("GetClasseVoo", {"0001", "0002", leg, nr})["rows"];
  }
  // Inserts flight nr with one leg GRU -> GIG and class Y on it.
  void SeedFlight(const std::string& nr) {
    SaveOk("SetVoo", Delta(VooDataset(), {InsertChange(NewFlight(nr))}));
    SaveOk("SetTrecho", Delta(TrechoDataset(), {InsertChange(NewLeg(nr, "0001", "0003"))}));
    SaveOk("SetClasseVoo", Delta(ClasseVooDataset(), {InsertChange(NewClass(nr, "0001", "0004"))}));
  }

  std::unique_ptr<TestDatabase> db_;
  std::unique_ptr<TestServer> server_;
  std::unique_ptr<RpcClient> client_;
};

void ExpectFields(const json& packet, const DatasetDef& d) {
  ASSERT_EQ(packet["fields"].size(), d.fields.size());
  for (size_t i = 0; i < d.fields.size(); ++i) {
    EXPECT_EQ(packet["fields"][i]["name"], d.fields[i].Name);
    if (d.fields[i].Type == wire::FieldType::String) {
      EXPECT_EQ(packet["fields"][i]["size"], d.fields[i].Size);
    }
  }
  for (const auto& row : packet["rows"]) EXPECT_EQ(row.size(), d.fields.size());
}

TEST_P(ServerTest, GetMethodsAnswerWithTheReceivingDatasetsFields) {
  json tipos = client_->Data("GetTipoVoo", json::array());
  ExpectFields(tipos, TipoVooDataset());
  EXPECT_GE(tipos["rows"].size(), 3u);

  json voos = client_->Data("GetVoo", {"0001", "0001"});
  ExpectFields(voos, VooDataset());
  ASSERT_EQ(voos["fields"].size(), 37u);
  EXPECT_EQ(voos["fields"][36]["name"], "NRTURNOPROD");
  EXPECT_EQ(voos["fields"][34]["type"], "float");
  EXPECT_EQ(voos["rows"].size(), 30u);
  // Joined columns come with the flight.
  const json& first = voos["rows"][0];
  EXPECT_FALSE(Field(VooDataset(), first, "SGEQUIP").is_null());
  EXPECT_FALSE(Field(VooDataset(), first, "DSEQUIP").is_null());
  EXPECT_FALSE(Field(VooDataset(), first, "NMTIPOVOO").is_null());
  EXPECT_FALSE(Field(VooDataset(), first, "DSTURNO").is_null());

  std::string nr = Field(VooDataset(), first, "NRVOO");
  json trechos = client_->Data("GetTrecho", {"0001", nr, "0001"});
  ExpectFields(trechos, TrechoDataset());
  ASSERT_GE(trechos["rows"].size(), 1u);
  ASSERT_LE(trechos["rows"].size(), 4u);
  EXPECT_EQ(Field(TrechoDataset(), trechos["rows"][0], "SGBASEORI"), "GRU");
  EXPECT_FALSE(Field(TrechoDataset(), trechos["rows"][0], "SGBASEDES").is_null());

  json classesPacket = client_->Data("GetClasseVoo", {"0001", "0001", "0001", nr});
  ExpectFields(classesPacket, ClasseVooDataset());
  ASSERT_GE(classesPacket["rows"].size(), 1u);
  EXPECT_FALSE(Field(ClasseVooDataset(), classesPacket["rows"][0], "SGCLASSE").is_null());
  // A leg being inserted has no code yet: no classes, not an error.
  EXPECT_EQ(client_->Data("GetClasseVoo", {"0001", "0001", nullptr, nr})["rows"].size(), 0u);

  // Another branch, another company: their own flights only.
  EXPECT_EQ(client_->Data("GetVoo", {"0001", "0002"})["rows"].size(), 2u);
  EXPECT_EQ(client_->Data("GetVoo", {"9999", "0001"})["rows"].size(), 0u);
}

// Answers are written into buffers the server keeps between calls: a large
// and a small answer in turn each come whole, with nothing of the other.
TEST_P(ServerTest, LargeAndSmallAnswersInTurnComeWhole) {
  std::vector<json> flights;
  for (int nr = 5000; nr < 5600; ++nr) flights.push_back(InsertChange(NewFlight(std::to_string(nr))));
  SaveOk("SetVoo", Delta(VooDataset(), flights));
  json large = client_->Data("GetVoo", {"0001", "0002"});
  json small = client_->Data("GetVoo", {"0001", "0001"});
  ASSERT_GE(large["rows"].size(), 600u);
  ASSERT_GE(small["rows"].size(), 1u);
  ASSERT_LT(small["rows"].size(), large["rows"].size() / 4);
  for (int round = 0; round < 3; ++round) {
    EXPECT_EQ(client_->Data("GetVoo", {"0001", "0002"}), large);
    EXPECT_EQ(client_->Data("GetVoo", {"0001", "0001"}), small);
    EXPECT_EQ(client_->Data("GetTipoVoo", json::array())["fields"].size(), TipoVooDataset().fields.size());
  }
  ExpectFields(large, VooDataset());
}

TEST_P(ServerTest, GetTurnoListsAllOrOneOrNone) {
  json all = client_->Data("GetTurno", {"", "T"});
  ExpectFields(all, PesqTurnoDataset());
  EXPECT_EQ(all["rows"].size(), 4u);
  json one = client_->Data("GetTurno", {"02", ""});
  ASSERT_EQ(one["rows"].size(), 1u);
  EXPECT_EQ(one["rows"][0][0], "02");
  EXPECT_EQ(client_->Data("GetTurno", {"77", ""})["rows"].size(), 0u);
  EXPECT_EQ(client_->Data("GetTurno", {"", ""})["rows"].size(), 0u);
}

TEST_P(ServerTest, SaveRoundTripOfFlightLegsAndClasses) {
  SeedFlight("7001");
  json f = Flight("7001");
  ASSERT_FALSE(f.is_null());
  EXPECT_EQ(f, WithValues(VooDataset(), NewFlight("7001"),
                          {{"SGEQUIP", "A320"}, {"DSEQUIP", "Airbus A320"}, {"NMTIPOVOO", "Fretamento"},
                           {"DSTURNO", "Manhã (06h às 14h)"}, {"QTDIASPROD", 0.0}}));

  // Legs are numbered by the server, one after the other.
  SaveOk("SetTrecho", Delta(TrechoDataset(), {InsertChange(NewLeg("7001", "0003", "0005"))}));
  json l = Legs("7001");
  ASSERT_EQ(l.size(), 2u);
  EXPECT_EQ(Field(TrechoDataset(), l[0], "CDTRECHO"), "0001");
  EXPECT_EQ(Field(TrechoDataset(), l[1], "CDTRECHO"), "0002");
  EXPECT_EQ(Field(TrechoDataset(), l[1], "SGBASEORI"), "GIG");
  EXPECT_EQ(Field(TrechoDataset(), l[1], "SGBASEDES"), "BSB");

  // Modify the flight, a leg and a class (the class key changes too).
  json f2 = WithValues(VooDataset(), f, {{"SGPREFIXO", "PR-BCB"}, {"QTDIASPROD", 12.5}, {"IDTIPVOO", "1"}, {"DTFIMVIGVOO", nullptr}});
  SaveOk("SetVoo", Delta(VooDataset(), {ModifyChange(f, f2)}));
  EXPECT_EQ(Flight("7001"), f2);
  json leg2 = WithValues(TrechoDataset(), l[1], {{"HRPOUSOVOO", "0915"}});
  SaveOk("SetTrecho", Delta(TrechoDataset(), {ModifyChange(l[1], leg2)}));
  EXPECT_EQ(Legs("7001")[1], leg2);
  json c = Classes("7001", "0001")[0];
  json c2 = WithValues(ClasseVooDataset(), c, {{"CDCLASSE", "0002"}, {"SGCLASSE", "J"}, {"NRMULSERV", 2.25}});
  SaveOk("SetClasseVoo", Delta(ClasseVooDataset(), {ModifyChange(c, c2)}));
  ASSERT_EQ(Classes("7001", "0001").size(), 1u);
  EXPECT_EQ(Classes("7001", "0001")[0], c2);

  // Delete a class, a leg (its classes go with it), then everything.
  SaveOk("SetClasseVoo", Delta(ClasseVooDataset(), {DeleteChange(c2)}));
  EXPECT_EQ(Classes("7001", "0001").size(), 0u);
  SaveOk("SetClasseVoo", Delta(ClasseVooDataset(), {InsertChange(NewClass("7001", "0002", "0004"))}));
  SaveOk("SetTrecho", Delta(TrechoDataset(), {DeleteChange(leg2)}));
  EXPECT_EQ(Legs("7001").size(), 1u);
  EXPECT_EQ(Classes("7001", "0002").size(), 0u);

  // SetDelTdsTrechos removes every leg of a flight with their classes.
  SaveOk("SetClasseVoo", Delta(ClasseVooDataset(), {InsertChange(NewClass("7001", "0001", "0004"))}));
  json r = client_->Call("SetDelTdsTrechos", {"0001", "0002", "7001"});
  EXPECT_EQ(r["result"], json({{"ok", true}, {"data", nullptr}}));
  EXPECT_EQ(Legs("7001").size(), 0u);
  EXPECT_EQ(Classes("7001", "0001").size(), 0u);
  EXPECT_FALSE(Flight("7001").is_null());
  SaveOk("SetVoo", Delta(VooDataset(), {DeleteChange(f2)}));
  EXPECT_TRUE(Flight("7001").is_null());
}

// A flight's deletion takes its legs and their classes in the same
// transaction, and only after the flight was found as the desk loaded it:
// refused, it leaves all three as they were.
TEST_P(ServerTest, AFlightIsDeletedWithItsLegsAndClassesOrNotAtAll) {
  SeedFlight("7020");
  SeedFlight("7021");
  SaveOk("SetTrecho", Delta(TrechoDataset(), {InsertChange(NewLeg("7020", "0003", "0005"))}));
  SaveOk("SetClasseVoo", Delta(ClasseVooDataset(), {InsertChange(NewClass("7020", "0002", "0002"))}));
  json loaded = Flight("7020");

  RpcClient deskB(server_->Port());
  json changed = WithValues(VooDataset(), loaded, {{"QTHRKDTCAR", "0415"}});
  json r = deskB.Call("SetVoo", json::array({Delta(VooDataset(), {ModifyChange(loaded, changed)})}));
  ASSERT_EQ(r["result"]["ok"], true);
  std::string stored = Snapshot(server_->Pool());
  EXPECT_EQ(SaveRefused("SetVoo", Delta(VooDataset(), {DeleteChange(loaded)})),
            "O vôo 7020 foi alterado por outro usuário. Atualize os dados e tente novamente.");
  EXPECT_EQ(Snapshot(server_->Pool()), stored);

  SaveOk("SetVoo", Delta(VooDataset(), {DeleteChange(Flight("7020"))}));
  EXPECT_TRUE(Flight("7020").is_null());
  EXPECT_EQ(Legs("7020").size(), 0u);
  EXPECT_EQ(Classes("7020", "0001").size(), 0u);
  EXPECT_EQ(Classes("7020", "0002").size(), 0u);
  EXPECT_EQ(Legs("7021").size(), 1u);
  EXPECT_EQ(Classes("7021", "0001").size(), 1u);
  // Deleted meanwhile: said so, nothing else touched.
  EXPECT_EQ(SaveRefused("SetVoo", Delta(VooDataset(), {DeleteChange(loaded)})),
            "O vôo 7020 foi excluído por outro usuário. Atualize os dados e tente novamente.");
}

// A leg or a class another desk changed or removed is named in the
// messages by its own dataset's words: its code, its leg and its flight.
TEST_P(ServerTest, LegsAndClassesChangedByAnotherDeskAreNamedAsSuch) {
  SeedFlight("7030");
  json leg = Legs("7030")[0];
  json cls = Classes("7030", "0001")[0];
  RpcClient deskB(server_->Port());
  auto saveB = [&](const std::string& method, const json& d) {
    EXPECT_EQ(deskB.Call(method, json::array({d}))["result"]["ok"], true);
  };
  saveB("SetTrecho", Delta(TrechoDataset(), {ModifyChange(leg, WithValues(TrechoDataset(), leg, {{"HRPOUSOVOO", "0950"}}))}));
  saveB("SetClasseVoo",
        Delta(ClasseVooDataset(), {ModifyChange(cls, WithValues(ClasseVooDataset(), cls, {{"NRMULSERV", 3.0}}))}));
  const std::string reload = " por outro usuário. Atualize os dados e tente novamente.";
  EXPECT_EQ(SaveRefused("SetTrecho", Delta(TrechoDataset(), {DeleteChange(leg)})),
            "O trecho 0001 do vôo 7030 foi alterado" + reload);
  EXPECT_EQ(SaveRefused("SetClasseVoo", Delta(ClasseVooDataset(), {DeleteChange(cls)})),
            "A classe 0004 do trecho 0001 do vôo 7030 foi alterada" + reload);
  saveB("SetClasseVoo", Delta(ClasseVooDataset(), {DeleteChange(Classes("7030", "0001")[0])}));
  EXPECT_EQ(SaveRefused("SetClasseVoo", Delta(ClasseVooDataset(), {ModifyChange(cls, cls)})),
            "A classe 0004 do trecho 0001 do vôo 7030 foi excluída" + reload);
  saveB("SetTrecho", Delta(TrechoDataset(), {DeleteChange(Legs("7030")[0])}));
  EXPECT_EQ(SaveRefused("SetTrecho", Delta(TrechoDataset(), {ModifyChange(leg, leg)})),
            "O trecho 0001 do vôo 7030 foi excluído" + reload);
}

TEST_P(ServerTest, TwoDesksEditingTheSameFlight) {
  SeedFlight("7002");
  json loadedA = Flight("7002");
  json loadedB = Flight("7002");
  std::string before = Snapshot(server_->Pool());

  RpcClient deskB(server_->Port());
  json a = WithValues(VooDataset(), loadedA, {{"QTHRKDTCAR", "0200"}});
  SaveOk("SetVoo", Delta(VooDataset(), {ModifyChange(loadedA, a)}));
  std::string afterA = Snapshot(server_->Pool());
  EXPECT_NE(before, afterA);

  // B still holds the flight as loaded: its change and its delete are refused.
  json b = WithValues(VooDataset(), loadedB, {{"QTHRKDTDES", "0300"}});
  json r = deskB.Call("SetVoo", json::array({Delta(VooDataset(), {ModifyChange(loadedB, b)})}));
  ASSERT_EQ(r["result"]["ok"], false);
  EXPECT_EQ(r["result"]["message"],
            "O vôo 7002 foi alterado por outro usuário. Atualize os dados e tente novamente.");
  r = deskB.Call("SetVoo", json::array({Delta(VooDataset(), {DeleteChange(loadedB)})}));
  EXPECT_EQ(r["result"]["ok"], false);
  // An equipment that does not exist is named before the other desk's
  // change, as the screen would name it.
  json unknown = WithValues(VooDataset(), loadedB, {{"CDEQUIP", "9999"}});
  r = deskB.Call("SetVoo", json::array({Delta(VooDataset(), {ModifyChange(loadedB, unknown)})}));
  EXPECT_EQ(r["result"]["message"], "Equipamento não cadastrado.");
  EXPECT_EQ(Snapshot(server_->Pool()), afterA);

  // After reloading, B's change goes through and keeps A's.
  json reloaded = Flight("7002");
  json b2 = WithValues(VooDataset(), reloaded, {{"QTHRKDTDES", "0300"}});
  r = deskB.Call("SetVoo", json::array({Delta(VooDataset(), {ModifyChange(reloaded, b2)})}));
  EXPECT_EQ(r["result"]["ok"], true);
  EXPECT_EQ(Field(VooDataset(), Flight("7002"), "QTHRKDTCAR"), "0200");
  EXPECT_EQ(Field(VooDataset(), Flight("7002"), "QTHRKDTDES"), "0300");

  // A flight removed meanwhile is reported as removed.
  json gone = WithValues(VooDataset(), NewFlight("7003"), {});
  std::string msg = SaveRefused("SetVoo", Delta(VooDataset(), {ModifyChange(gone, gone)}));
  EXPECT_EQ(msg, "O vôo 7003 foi excluído por outro usuário. Atualize os dados e tente novamente.");
}

TEST_P(ServerTest, TwoDesksEditingTheSameLeg) {
  SeedFlight("7004");
  json leg = Legs("7004")[0];
  json a = WithValues(TrechoDataset(), leg, {{"HRDECOLVOO", "0800"}});
  SaveOk("SetTrecho", Delta(TrechoDataset(), {ModifyChange(leg, a)}));
  json b = WithValues(TrechoDataset(), leg, {{"IDSITVOOTRE", "2"}});
  EXPECT_EQ(SaveRefused("SetTrecho", Delta(TrechoDataset(), {ModifyChange(leg, b)})),
            "O trecho 0001 do vôo 7004 foi alterado por outro usuário. Atualize os dados e tente novamente.");
  EXPECT_EQ(Legs("7004")[0], a);
  // A deleted leg: B's change is refused as a removal.
  SaveOk("SetTrecho", Delta(TrechoDataset(), {InsertChange(NewLeg("7004", "0003", "0007"))}));
  json second = Legs("7004")[1];
  SaveOk("SetTrecho", Delta(TrechoDataset(), {DeleteChange(second)}));
  EXPECT_NE(SaveRefused("SetTrecho", Delta(TrechoDataset(), {ModifyChange(second, second)})).find("excluído"),
            std::string::npos);
}

// Rows another program stored in layouts the server reads but normalises:
// read in one form, changed and deleted from what was read, untouched
// columns left in their stored layout; a real change still conflicts.
TEST_P(ServerTest, RowsStoredInOtherLayoutsAreChangedAndDeletedAsRead) {
  const bool pg = GetParam() == "pg";
  auto sql = [&](const std::string& text) { server_->Pool().Acquire()->Execute(text); };
  auto raw = [&](const std::string& nr) {
    auto rows = server_->Pool().Acquire()->Query(
        "SELECT SGPREFIXO, DTINIVIGVOO, QTHRKDTCAR FROM VOO WHERE NRVOO = ?", {std::string(nr)});
    std::string out;
    for (const auto& v : rows.rows.at(0)) out += (IsNull(v) ? "null" : std::get<std::string>(v)) + "|";
    return out;
  };
  if (pg) sql("ALTER TABLE VOO ALTER COLUMN DTINIVIGVOO TYPE TIMESTAMP");
  const std::vector<std::pair<std::string, std::string>> layouts =
      pg ? std::vector<std::pair<std::string, std::string>>{{"2026-12-01 10:20:30.25", "2026-12-01T10:20:30"},
                                                            {"2026-12-01", "2026-12-01T00:00:00"}}
         : std::vector<std::pair<std::string, std::string>>{{"2026-12-01 10:20:30", "2026-12-01T10:20:30"},
                                                            {"2026-12-01 10:20:30.250", "2026-12-01T10:20:30"},
                                                            {"2026-12-01", "2026-12-01T00:00:00"},
                                                            {"2026-12-01 10:20", "2026-12-01T10:20:00"},
                                                            {"não é data", ""}};
  int n = 0;
  for (const auto& [stored, read] : layouts) {
    SCOPED_TRACE(stored);
    std::string nr = std::to_string(7030 + n++);
    SeedFlight(nr);
    sql("UPDATE VOO SET SGPREFIXO = '', DTINIVIGVOO = '" + stored + "' WHERE NRVOO = '" + nr + "'");
    json f = Flight(nr);
    EXPECT_EQ(Field(VooDataset(), f, "SGPREFIXO"), "");
    EXPECT_EQ(Field(VooDataset(), f, "DTINIVIGVOO"), read.empty() ? json(nullptr) : json(read));
    const std::string before = raw(nr);

    // What a desk sends back: the empty prefix as null, the date as read.
    json loaded = WithValues(VooDataset(), f, {{"SGPREFIXO", nullptr}});
    SaveOk("SetVoo", Delta(VooDataset(), {ModifyChange(loaded, WithValues(VooDataset(), loaded,
                                                                             {{"QTHRKDTCAR", "0345"}}))}));
    EXPECT_EQ(raw(nr), before.substr(0, before.rfind('|', before.size() - 2) + 1) + "0345|");

    // Another desk really changes the date: refused.
    json now = Flight(nr);
    sql("UPDATE VOO SET DTINIVIGVOO = '2027-01-01' WHERE NRVOO = '" + nr + "'");
    EXPECT_NE(SaveRefused("SetVoo", Delta(VooDataset(), {DeleteChange(now)})).find("alterado por outro usuário"),
              std::string::npos);
    SaveOk("SetVoo", Delta(VooDataset(), {DeleteChange(Flight(nr))}));
    EXPECT_TRUE(Flight(nr).is_null());
  }
}

// A new leg takes the number after the highest its flight holds, whatever
// codes other programs stored beside them; past 9999 it is refused.
TEST_P(ServerTest, ANewLegIsNumberedAfterTheHighestNumberItsFlightHolds) {
  SaveOk("SetVoo", Delta(VooDataset(), {InsertChange(NewFlight("7012"))}));
  auto sql = [&](const std::string& text) { server_->Pool().Acquire()->Execute(text); };
  SaveOk("SetTrecho", Delta(TrechoDataset(), {InsertChange(NewLeg("7012", "0001", "0003"))}));
  SaveOk("SetTrecho", Delta(TrechoDataset(), {InsertChange(NewLeg("7012", "0003", "0005"))}));
  sql("UPDATE VOOTRECHO SET CDTRECHO = 'A7' WHERE NRVOO = '7012' AND CDTRECHO = '0001'");
  sql("UPDATE VOOTRECHO SET CDTRECHO = '0041' WHERE NRVOO = '7012' AND CDTRECHO = '0002'");
  SaveOk("SetTrecho", Delta(TrechoDataset(), {InsertChange(NewLeg("7012", "0005", "0001"))}));
  std::vector<std::string> codes;
  for (const auto& l : Legs("7012")) codes.push_back(Field(TrechoDataset(), l, "CDTRECHO"));
  std::sort(codes.begin(), codes.end());
  EXPECT_EQ(codes, (std::vector<std::string>{"0041", "0042", "A7"}));
  // The same pair of bases again is refused.
  EXPECT_EQ(SaveRefused("SetTrecho", Delta(TrechoDataset(), {InsertChange(NewLeg("7012", "0003", "0005"))})),
            "Trecho já cadastrado.");
  sql("UPDATE VOOTRECHO SET CDTRECHO = '9999' WHERE NRVOO = '7012' AND CDTRECHO = '0042'");
  EXPECT_EQ(SaveRefused("SetTrecho", Delta(TrechoDataset(), {InsertChange(NewLeg("7012", "0004", "0005"))})),
            "O vôo 7012 já tem o número máximo de trechos.");
  EXPECT_EQ(Legs("7012").size(), 3u);
}

// A flight whose number changes while its legs still name it is refused
// in the screen's words, whichever statement brings the database's answer.
TEST_P(ServerTest, ANewNumberForAFlightWithLegsIsRefused) {
  SeedFlight("7040");
  json f = Flight("7040");
  std::string before = Snapshot(server_->Pool());
  EXPECT_EQ(SaveRefused("SetVoo", Delta(VooDataset(), {ModifyChange(f, WithValues(VooDataset(), f, {{"NRVOO", "7041"}})),
                                                       InsertChange(NewFlight("7042"))})),
            "Vôo possui trecho(s) e não pode ser excluído. Exclua-o(s) primeiro e tente novamente.");
  EXPECT_EQ(Snapshot(server_->Pool()), before);
}

TEST_P(ServerTest, OneRefusedChangeRefusesTheWholeDelta) {
  SeedFlight("7005");
  json f = Flight("7005");
  json stale = WithValues(VooDataset(), f, {{"SGPREFIXO", "PR-ZZZ"}});
  std::string before = Snapshot(server_->Pool());
  // A valid insert, a valid modify, then a stale modify: nothing is written.
  json d = Delta(VooDataset(), {InsertChange(NewFlight("7006")),
                                ModifyChange(f, WithValues(VooDataset(), f, {{"IDSITVOO", "2"}})),
                                ModifyChange(stale, f)});
  SaveRefused("SetVoo", d);
  EXPECT_EQ(Snapshot(server_->Pool()), before);
}

TEST_P(ServerTest, DuplicatesAndOverlongValuesAreRefused) {
  SeedFlight("7007");
  std::string before = Snapshot(server_->Pool());
  EXPECT_EQ(SaveRefused("SetVoo", Delta(VooDataset(), {InsertChange(NewFlight("7007"))})), "Vôo já cadastrado.");
  // A repeated flight before a new one: the refusal names the repetition
  // whichever later statement brings the database's answer back.
  EXPECT_EQ(SaveRefused("SetVoo", Delta(VooDataset(), {InsertChange(NewFlight("7007")), InsertChange(NewFlight("7009"))})),
            "Vôo já cadastrado.");
  EXPECT_EQ(Snapshot(server_->Pool()), before);
  EXPECT_EQ(SaveRefused("SetClasseVoo", Delta(ClasseVooDataset(), {InsertChange(NewClass("7007", "0001", "0004"))})),
            "Classe já cadastrada.");
  EXPECT_EQ(SaveRefused("SetTrecho", Delta(TrechoDataset(), {InsertChange(NewLeg("7007", "0001", "0003"))})),
            "Trecho já cadastrado.");
  // Too long: refused, never truncated (the count is in characters).
  std::string msg = SaveRefused(
      "SetVoo", Delta(VooDataset(), {InsertChange(WithValues(VooDataset(), NewFlight("7008"),
                                                             {{"SGPREFIXO", "PR-ÁÉÍÓÚÇÃÕX"}}))}));
  EXPECT_NE(msg.find("SGPREFIXO"), std::string::npos);
  EXPECT_NE(msg.find("o máximo é 10"), std::string::npos);
  SaveRefused("SetVoo", Delta(VooDataset(), {InsertChange(NewFlight("123456"))}));
  server_->Pool().Acquire()->Execute(
      "INSERT INTO PREFIXOCIA (CDFILIAL, CDCIA, CDEQUIP, SGPREFIXO) VALUES ('0001', '0002', '0002', 'PR-ÁÉÍÓÚÇ')");
  SaveOk("SetVoo", Delta(VooDataset(), {InsertChange(WithValues(VooDataset(), NewFlight("7009"),
                                                                {{"SGPREFIXO", "PR-ÁÉÍÓÚÇ"}}))}));
  EXPECT_EQ(Field(VooDataset(), Flight("7009"), "SGPREFIXO"), "PR-ÁÉÍÓÚÇ");
  // Parents must exist; keys must be given.
  EXPECT_NE(SaveRefused("SetTrecho", Delta(TrechoDataset(), {InsertChange(NewLeg("7999", "0001", "0003"))}))
                .find("não está cadastrado"),
            std::string::npos);
  SaveRefused("SetClasseVoo", Delta(ClasseVooDataset(), {InsertChange(NewClass("7007", "0009", "0004"))}));
  SaveRefused("SetVoo", Delta(VooDataset(), {InsertChange(WithValues(VooDataset(), NewFlight("7010"),
                                                                     {{"CDFILIAL", "9999"}}))}));
  // Missing keys are named in the person's terms; a flight number has no
  // blanks around it (a number of blanks only is no number).
  EXPECT_EQ(SaveRefused("SetVoo", Delta(VooDataset(), {InsertChange(WithValues(VooDataset(), NewFlight(""), {}))})),
            "Número do vôo deve ser informado.");
  EXPECT_EQ(SaveRefused("SetVoo", Delta(VooDataset(), {InsertChange(NewFlight("   "))})),
            "Número do vôo deve ser informado.");
  EXPECT_EQ(SaveRefused("SetVoo", Delta(VooDataset(), {InsertChange(NewFlight("7007 "))})),
            "O número do vôo (\"7007 \") não pode começar nem terminar com espaço.");
  SaveRefused("SetVoo", Delta(VooDataset(), {InsertChange(NewFlight(" 7012"))}));
  EXPECT_EQ(SaveRefused("SetClasseVoo", Delta(ClasseVooDataset(), {InsertChange(NewClass("7007", "", "0002"))})),
            "Inclua um trecho no vôo antes de configurar suas classes.");
  SaveOk("SetVoo", Delta(VooDataset(), {DeleteChange(Flight("7009"))}));
  EXPECT_EQ(Snapshot(server_->Pool()), before);
}

// A batch runs its calls one after the other in the order sent, each as if
// it came alone: a save is seen by the read after it, a refused call stops
// nothing, and every answer comes back in the order of the calls.
TEST_P(ServerTest, ABatchRunsItsCallsInOrderEachOnItsOwn) {
  SeedFlight("7020");
  auto call = [](int id, const std::string& method, const json& params) {
    return json({{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", params}});
  };
  auto post = [&](const json& batch) { return client_->Post(batch.dump()); };

  // A new leg and the reload of the flight's legs: the reload sees the leg.
  auto [status, answers] = post(json::array(
      {call(1, "SetTrecho", json::array({Delta(TrechoDataset(), {InsertChange(NewLeg("7020", "0003", "0005"))})})),
       call(2, "GetTrecho", {"0002", "7020", "0001"})}));
  EXPECT_EQ(status, 200);
  ASSERT_TRUE(answers.is_array()) << answers.dump();
  ASSERT_EQ(answers.size(), 2u);
  EXPECT_EQ(answers[0]["id"], 1);
  EXPECT_EQ(answers[0]["result"]["ok"], true) << answers.dump();
  EXPECT_EQ(answers[1]["id"], 2);
  EXPECT_EQ(answers[1]["result"]["data"]["rows"], Legs("7020"));
  EXPECT_EQ(answers[1]["result"]["data"]["rows"].size(), 2u);

  // A refused save (a repeated leg), a malformed call and a good save: the
  // refusal undoes its own call only, and the calls after it still run.
  const std::string before = Snapshot(server_->Pool());
  json f = Flight("7020");
  json changed = WithValues(VooDataset(), f, {{"IDSITVOO", "2"}});
  std::tie(status, answers) = post(json::array(
      {call(3, "SetTrecho", json::array({Delta(TrechoDataset(), {InsertChange(NewLeg("7020", "0001", "0003"))})})), json(3),
       call(4, "SetVoo", json::array({Delta(VooDataset(), {ModifyChange(f, changed)})}))}));
  EXPECT_EQ(status, 200);
  ASSERT_EQ(answers.size(), 3u) << answers.dump();
  EXPECT_EQ(answers[0]["result"]["ok"], false);
  EXPECT_FALSE(answers[0]["result"]["message"].get<std::string>().empty());
  EXPECT_TRUE(answers[1]["id"].is_null());
  EXPECT_EQ(answers[1]["error"]["code"], -32600);
  EXPECT_EQ(answers[2]["id"], 4);
  EXPECT_EQ(answers[2]["result"]["ok"], true);
  EXPECT_EQ(Flight("7020"), changed);
  EXPECT_EQ(Legs("7020").size(), 2u);
  EXPECT_NE(Snapshot(server_->Pool()), before);

  // Notifications run and are not answered; a batch of them alone gets no body.
  json quiet = call(0, "GetTipoVoo", json::array());
  quiet.erase("id");
  std::tie(status, answers) = post(json::array({quiet, call(5, "GetTurno", {"9999", "N"})}));
  ASSERT_EQ(answers.size(), 1u) << answers.dump();
  EXPECT_EQ(answers[0]["id"], 5);
  std::tie(status, answers) = post(json::array({quiet, quiet}));
  EXPECT_EQ(status, 204);
  EXPECT_TRUE(answers.is_null());

  // An empty batch and one beyond the limit are refused whole, with one error.
  std::tie(status, answers) = post(json::array());
  EXPECT_EQ(answers["error"]["code"], -32600) << answers.dump();
  json tooMany = json::array();
  for (int i = 0; i < 9; ++i) tooMany.push_back(call(10 + i, "GetTipoVoo", json::array()));
  std::tie(status, answers) = post(tooMany);
  EXPECT_EQ(answers["error"]["code"], -32600) << answers.dump();
  EXPECT_NE(answers["error"]["message"].get<std::string>().find("8"), std::string::npos);
  tooMany.erase(8);
  std::tie(status, answers) = post(tooMany);
  EXPECT_EQ(answers.size(), 8u);

  // Without a session the whole batch is refused before any call runs.
  RpcClient stranger(server_->Port(), FlightModule::kName, "no-such-token");
  const std::string now = Snapshot(server_->Pool());
  std::tie(status, answers) = stranger.Post(json::array({call(6, "SetVoo", json::array({Delta(VooDataset(), {DeleteChange(changed)})}))}).dump());
  EXPECT_EQ(status, 401);
  EXPECT_EQ(answers["error"]["code"], -32001);
  EXPECT_EQ(Snapshot(server_->Pool()), now);

  // The session endpoint takes one call at a time.
  RpcClient sessions(server_->Port(), SessionModule::kName, "");
  std::tie(status, answers) = sessions.Post(json::array({call(7, "Login", {kTestUser, kTestPassword})}).dump());
  EXPECT_EQ(answers["error"]["code"], -32600) << answers.dump();
}

TEST_P(ServerTest, MalformedInputIsAnsweredWithAnErrorAndChangesNothing) {
  SeedFlight("7011");
  std::string before = Snapshot(server_->Pool());
  json f = Flight("7011");
  json goodDelta = Delta(VooDataset(), {ModifyChange(f, WithValues(VooDataset(), f, {{"IDSITVOO", "2"}}))});
  auto req = [](const std::string& method, const json& params) {
    return json({{"jsonrpc", "2.0"}, {"id", 9}, {"method", method}, {"params", params}}).dump();
  };
  auto withDelta = [&](const std::function<void(json&)>& spoil) {
    json d = goodDelta;
    spoil(d);
    return req("SetVoo", json::array({d}));
  };
  std::vector<std::pair<std::string, std::string>> cases = {
      {"not JSON", "{\"jsonrpc\": \"2.0\", "},
      {"empty body", ""},
      {"binary", std::string("\x01\xff\xfe", 3)},
      {"JSON string", "\"GetVoo\""},
      {"wrong jsonrpc version", R"({"jsonrpc":"1.0","id":1,"method":"GetTipoVoo","params":[]})"},
      {"no method", R"({"jsonrpc":"2.0","id":1,"params":[]})"},
      {"method not a string", R"({"jsonrpc":"2.0","id":1,"method":5,"params":[]})"},
      {"id an object", R"({"jsonrpc":"2.0","id":{},"method":"GetTipoVoo","params":[]})"},
      {"unknown method", req("DropTables", json::array())},
      {"named params", R"({"jsonrpc":"2.0","id":1,"method":"GetVoo","params":{"CDFILIAL":"0001"}})"},
      {"params a string", req("GetVoo", "0001")},
      {"too few arguments", req("GetVoo", {"0001"})},
      {"too many arguments", req("GetTrecho", {"0002", "7011", "0001", "x"})},
      {"code as number", req("GetVoo", {1, 2})},
      {"delta as string", req("SetVoo", {"{}"})},
      {"delete-all with a missing argument", req("SetDelTdsTrechos", {"0001", "0002"})},
      {"delta without changes", withDelta([](json& d) { d.erase("changes"); })},
      {"delta without fields", withDelta([](json& d) { d.erase("fields"); })},
      {"unknown field", withDelta([](json& d) { d["fields"][0]["name"] = "DROPME"; })},
      {"stored field missing", withDelta([](json& d) {
         d["fields"].erase(0);
         for (auto& c : d["changes"]) {
           c["old"].erase(0);
           c["new"].erase(0);
         }
       })},
      {"field twice", withDelta([](json& d) { d["fields"][1]["name"] = "NRVOO"; })},
      {"field of the wrong type", withDelta([](json& d) { d["fields"][0]["type"] = "integer"; })},
      {"unknown change kind", withDelta([](json& d) { d["changes"][0]["kind"] = "upsert"; })},
      {"modify without old", withDelta([](json& d) { d["changes"][0].erase("old"); })},
      {"row too short", withDelta([](json& d) { d["changes"][0]["new"].erase(3); })},
      {"number in a text field", withDelta([](json& d) { d["changes"][0]["new"][0] = 7011; })},
      {"text in a float field", withDelta([](json& d) { d["changes"][0]["new"][34] = "abc"; })},
      {"invalid date", withDelta([](json& d) { d["changes"][0]["new"][25] = "2026-02-30T00:00:00"; })},
      {"date in another format", withDelta([](json& d) { d["changes"][0]["new"][25] = "01/02/2026"; })},
      {"row not a list", withDelta([](json& d) { d["changes"][0]["new"] = {{"NRVOO", "7011"}}; })},
      {"change not an object", withDelta([](json& d) { d["changes"][0] = 3; })},
      {"class delta sent to SetVoo", req("SetVoo", {Delta(ClasseVooDataset(), {})})},
  };
  ASSERT_GE(cases.size(), 20u);
  for (const auto& [what, body] : cases) {
    auto [status, reply] = client_->Post(body);
    EXPECT_TRUE(status == 200 || status == 404) << what;
    ASSERT_TRUE(reply.is_object()) << what;
    ASSERT_TRUE(reply.contains("error")) << what << ": " << reply.dump();
    std::string message = reply["error"]["message"];
    EXPECT_FALSE(message.empty()) << what;
  }
  // Another remote data module is refused.
  RpcClient other(server_->Port(), "Zor99999.rdmOutro");
  auto [status, reply] = other.Post(req("GetTipoVoo", json::array()));
  EXPECT_EQ(status, 404);
  EXPECT_EQ(reply["error"]["code"], -32601);

  EXPECT_EQ(Snapshot(server_->Pool()), before);
  // And the server still serves.
  EXPECT_EQ(client_->Data("GetTurno", {"01", ""})["rows"].size(), 1u);
}

// What the screen would refuse is refused by the server too, with the
// screen's own message, whoever sends it; values already stored and left
// unchanged are never refused.
TEST_P(ServerTest, TheServerRefusesWhatTheScreenWouldRefuse) {
  SeedFlight("7020");
  std::string before = Snapshot(server_->Pool());
  json f = Flight("7020");
  json leg = Legs("7020")[0];
  struct Bad {
    const DatasetDef& d;
    json values;
    std::string message;
  };
  std::vector<Bad> bad = {
      {VooDataset(), {{"IDSITVOO", "Z"}}, "Valor inválido para IDSITVOO: \"Z\" (aceitos: 0, 1, 2)."},
      {VooDataset(), {{"IDVOOSEG", "0"}}, "Valor inválido para IDVOOSEG: \"0\" (aceitos: 1, 2)."},
      {VooDataset(), {{"IDABASATEN", nullptr}}, "Informe abastecimento e/ou atendimento."},
      {VooDataset(), {{"CDEQUIP", ""}}, "Equipamento deve ser informado."},
      {VooDataset(), {{"CDEQUIP", "9999"}}, "Equipamento não cadastrado."},
      {VooDataset(), {{"SGPREFIXO", "PR-XXX"}}, "Prefixo não cadastrado."},
      {VooDataset(), {{"NRTURNOPROD", nullptr}}, "Turno deve ser informado."},
      {VooDataset(), {{"NRTURNOPROD", "99"}}, "Turno não cadastrado."},
      // With several faults, the first in the screen's order is named.
      {VooDataset(), {{"CDEQUIP", "9999"}, {"NRTURNOPROD", "99"}}, "Equipamento não cadastrado."},
      {VooDataset(), {{"SGPREFIXO", "PR-XXX"}, {"NRTURNOPROD", "99"}}, "Prefixo não cadastrado."},
      {VooDataset(), {{"CDEQUIP", ""}, {"NRTURNOPROD", "99"}}, "Equipamento deve ser informado."},
      {VooDataset(), {{"NRTURNOPROD", "99"}, {"QTHRKDTCAR", nullptr}}, "Turno não cadastrado."},
      {VooDataset(), {{"VRPEROCUPACAO", -500}}, "Percentual de ocupação deve estar entre 0 e 100%"},
      {VooDataset(), {{"VRPEROCUPACAO", 100.001}}, "Percentual de ocupação deve estar entre 0 e 100%"},
      {VooDataset(), {{"QTHRKDTCAR", nullptr}}, "Horas de KDT carrego deve ser informada."},
      {VooDataset(), {{"QTHRKDTDES", "2599"}}, "25:99 não é uma hora válida."},
      {VooDataset(), {{"QTHRKDTCAR", "ab:c"}}, "ab::c não é uma hora válida."},
      {VooDataset(), {{"DTINIVIGVOO", nullptr}}, "Data inicial de vigência deve ser informada."},
      {VooDataset(), {{"DTINIVIGVOO", "2026-03-01T00:00:00"}}, "Data final deve ser maior ou igual à data inicial'."},
      {TrechoDataset(), {{"CDBASEORI", "0099"}}, "Base não cadastrada."},
      {TrechoDataset(), {{"CDBASEDES", "0098"}}, "Base não cadastrada."},
      {TrechoDataset(), {{"CDBASEORI", "0099"}, {"HRDECOLVOO", ""}}, "Base não cadastrada."},
      {TrechoDataset(), {{"CDBASEDES", "0001"}}, "Base de destino não pode ser igual à de origem."},
      {TrechoDataset(), {{"CDBASEDES", nullptr}}, "Base Destino deve ser informada."},
      {TrechoDataset(), {{"HRDECOLVOO", "2400"}}, "24:00 não é uma hora válida."},
      {TrechoDataset(), {{"HRPOUSOVOO", "0960"}}, "09:60 não é uma hora válida."},
      {TrechoDataset(), {{"HRDECOLVOO", ""}}, "Hora de decolagem do vôo deve ser informada."},
      {TrechoDataset(), {{"IDSITVOOTRE", "3"}}, "Valor inválido para IDSITVOOTRE: \"3\" (aceitos: 1, 2)."},
  };
  for (const auto& b : bad) {
    bool isLeg = &b.d == &TrechoDataset();
    const char* method = isLeg ? "SetTrecho" : "SetVoo";
    json row = isLeg ? leg : f;
    // As a change of the stored row, and as a new row.
    EXPECT_EQ(SaveRefused(method, Delta(b.d, {ModifyChange(row, WithValues(b.d, row, b.values))})), b.message)
        << b.values.dump();
    json fresh = isLeg ? WithValues(b.d, NewLeg("7020", "0005", "0006"), b.values)
                       : WithValues(b.d, NewFlight("7021"), b.values);
    if (b.values.contains("CDBASEDES") && b.values["CDBASEDES"] == "0001")
      fresh = WithValues(b.d, fresh, {{"CDBASEORI", "0001"}});
    EXPECT_EQ(SaveRefused(method, Delta(b.d, {InsertChange(fresh)})), b.message) << b.values.dump();
  }
  EXPECT_EQ(SaveRefused("SetClasseVoo", Delta(ClasseVooDataset(), {InsertChange(NewClass("7020", "0001", "0099"))})),
            "Classe não cadastrada para a companhia nesta filial.");
  EXPECT_EQ(Snapshot(server_->Pool()), before);

  // Rows other programs stored with values the screen would not write stay
  // editable in every other column.
  server_->Pool().Acquire()->Execute(
      "UPDATE VOO SET IDSITVOO = 'Z', QTHRKDTCAR = '9999', VRPEROCUPACAO = 150 WHERE NRVOO = '7020'");
  server_->Pool().Acquire()->Execute("UPDATE VOOTRECHO SET HRDECOLVOO = 'ab:c' WHERE NRVOO = '7020'");
  f = Flight("7020");
  leg = Legs("7020")[0];
  SaveOk("SetVoo", Delta(VooDataset(), {ModifyChange(f, WithValues(VooDataset(), f, {{"QTDIASPROD", 3}}))}));
  SaveOk("SetTrecho", Delta(TrechoDataset(), {ModifyChange(leg, WithValues(TrechoDataset(), leg,
                                                                           {{"HRPOUSOVOO", "1010"}}))}));
}

// Eight desks at once, each with its own flight plus one flight they all
// change; every change of the shared flight is made from a fresh read and
// retried on conflict, so the final count proves no write was lost.
TEST_P(ServerTest, ConcurrentDesksLoseNoWrite) {
  constexpr int kDesks = 8, kCalls = 200;
  SeedFlight("7100");
  std::atomic<int> errors{0}, sharedWrites{0}, conflicts{0};
  std::vector<int> ownWrites(kDesks, 0);
  std::vector<std::thread> desks;
  for (int d = 0; d < kDesks; ++d) {
    desks.emplace_back([&, d] {
      RpcClient c(server_->Port());
      std::string nr = std::to_string(7200 + d);
      auto ok = [&](const json& r) {
        bool good = r.is_object() && r.contains("result") && r["result"]["ok"] == true;
        if (!good) {
          ++errors;
          ADD_FAILURE() << r.dump();
        }
        return good;
      };
      ok(c.Call("SetVoo", json::array({Delta(VooDataset(), {InsertChange(NewFlight(nr))})})));
      int legsAdded = 0;
      for (int i = 0; i < kCalls - 1; ++i) {
        switch (i % 8) {
          case 0: {  // a shared flight change, retried until it wins
            for (;;) {
              json got = c.Call("GetVoo", {"0001", "0002"});
              if (!ok(got)) return;
              json cur;
              for (const auto& r : got["result"]["data"]["rows"])
                if (Field(VooDataset(), r, "NRVOO") == "7100") cur = r;
              double n = Field(VooDataset(), cur, "QTDIASPROD").get<double>();
              json next = WithValues(VooDataset(), cur, {{"QTDIASPROD", n + 1}});
              json r = c.Call("SetVoo", json::array({Delta(VooDataset(), {ModifyChange(cur, next)})}));
              if (r.contains("error") || !r.contains("result")) return (void)ok(r);
              if (r["result"]["ok"] == true) {
                ++sharedWrites;
                break;
              }
              ++conflicts;
            }
            break;
          }
          case 1:
          case 4: {  // own flight change
            json got = c.Call("GetVoo", {"0001", "0002"});
            if (!ok(got)) return;
            for (const auto& r : got["result"]["data"]["rows"])
              if (Field(VooDataset(), r, "NRVOO") == nr) {
                json next = WithValues(VooDataset(), r, {{"QTDIASPROD", ownWrites[d] + 1.0}});
                if (ok(c.Call("SetVoo", json::array({Delta(VooDataset(), {ModifyChange(r, next)})})))) ++ownWrites[d];
              }
            break;
          }
          case 2:  // a leg on the shared flight (numbered concurrently)
            if (legsAdded < 5) {
              // 40 distinct pairs of the demo's bases (0001 -> 0003 is taken).
              int pair = d * 5 + legsAdded;
              char from[16], to[16];
              std::snprintf(from, sizeof from, "%04d", 2 + pair / 9);
              std::snprintf(to, sizeof to, "%04d", 1 + pair % 9 + (1 + pair % 9 >= 2 + pair / 9 ? 1 : 0));
              json leg = NewLeg("7100", from, to);
              ok(c.Call("SetTrecho", json::array({Delta(TrechoDataset(), {InsertChange(leg)})})));
              ++legsAdded;
            } else {
              ok(c.Call("GetTrecho", {"0002", "7100", "0001"}));
            }
            break;
          case 3:
            ok(c.Call("GetTurno", {"", "T"}));
            break;
          default:
            ok(c.Call("GetClasseVoo", {"0001", "0002", "0001", "7100"}));
        }
      }
    });
  }
  for (auto& t : desks) t.join();
  EXPECT_EQ(errors.load(), 0);
  json shared = Flight("7100");
  EXPECT_EQ(Field(VooDataset(), shared, "QTDIASPROD").get<double>(), static_cast<double>(sharedWrites.load()));
  EXPECT_EQ(sharedWrites.load(), kDesks * 25);
  RecordProperty("conflicts_retried", std::to_string(conflicts.load()));
  for (int d = 0; d < kDesks; ++d)
    EXPECT_EQ(Field(VooDataset(), Flight(std::to_string(7200 + d)), "QTDIASPROD").get<double>(), 50.0) << d;
  json l = Legs("7100");
  EXPECT_EQ(l.size(), 1u + kDesks * 5);
  std::set<std::string> codes;
  for (const auto& r : l) codes.insert(Field(TrechoDataset(), r, "CDTRECHO"));
  EXPECT_EQ(codes.size(), l.size());
}

// Without TCP_NODELAY a keep-alive call waits ~40 ms for a delayed
// acknowledgement; fifty calls then take two seconds instead of a few ms.
TEST_P(ServerTest, KeepAliveCallsAreFast) {
  client_->Data("GetTurno", {"01", ""});
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 50; ++i) client_->Data("GetTurno", {"01", ""});
  double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  EXPECT_LT(ms, 1000.0);
  RecordProperty("fifty_calls_ms", std::to_string(ms));
}

}  // namespace zor::server::testing

namespace zor::server::testing {
#ifdef ZOR_TEST_BACKEND_PG
INSTANTIATE_TEST_SUITE_P(Postgres, ServerTest, ::testing::Values(std::string("pg")));
#else
INSTANTIATE_TEST_SUITE_P(Sqlite, ServerTest, ::testing::Values(std::string("sqlite")));
#endif
}  // namespace zor::server::testing
