// Who may call the server and what it records, over real HTTP on each
// database engine (one test binary per engine, chosen by
// ZOR_TEST_BACKEND_PG): calls without a valid session run nothing, sessions
// expire when idle, password guessing is slowed down, every call is scoped
// to the user's branches, and every accepted change leaves audit rows in
// the same transaction (a refused one none).
#include <atomic>

#include "server/dataset_catalog.h"
#include "server/password_hash.h"
#include "server/user_store.h"
#include "tests/server/server_harness.h"

namespace zor::server::testing {

namespace {

// A clock the tests move by hand.
std::atomic<std::int64_t> fakeNow{1'900'000'000};
std::int64_t ReadFakeClock() { return fakeNow.load(); }

std::string Message(const json& r) {
  if (r.contains("error")) return r["error"].value("message", "");
  return r["result"].value("message", "");
}

}  // namespace

class AccessTest : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    std::string why;
    db_ = TestDatabase::Create(GetParam(), why);
    if (!db_) GTEST_SKIP() << why;
    fakeNow = 1'900'000'000;
    server_ = std::make_unique<TestServer>(db_->Url(), true, 30, nullptr, SessionOptions{1, {}}, ReadFakeClock);
    admin_ = std::make_unique<RpcClient>(server_->Port());
    AddTestUser(server_->Pool(), "ana", {"0002"});
    AddTestUser(server_->Pool(), "bia", {"0002"}, true);
  }
  void TearDown() override {
    admin_.reset();
    server_.reset();
    db_.reset();
  }

  json Login(const std::string& user, const std::string& password = kTestPassword) {
    return RpcClient(server_->Port(), SessionModule::kName, "").Call("Login", {user, password});
  }
  RpcClient As(const std::string& user) {
    return RpcClient(server_->Port(), FlightModule::kName, LoginToken(server_->Port(), user, kTestPassword));
  }
  // A flight of company 0001 at branch 0002, as the desk loaded it.
  json Branch2Flight() { return admin_->Data("GetVoo", {"0002", "0001"})["rows"][0]; }
  json Branch1Flight() { return admin_->Data("GetVoo", {"0001", "0002"})["rows"][0]; }
  std::int64_t AuditRows() {
    auto r = server_->Pool().Acquire()->Query("SELECT COUNT(*) FROM ZORAUDITORIA");
    const auto& v = r.rows.at(0).at(0);
    if (auto* i = std::get_if<std::int64_t>(&v)) return *i;
    return std::stoll(std::get<std::string>(v));
  }
  // Audit entries (GetAuditoria as the test user) of one flight.
  json Trail(const std::string& branch, const std::string& cia, const std::string& nr) {
    RpcClient s(server_->Port(), SessionModule::kName, server_->Token());
    return s.Data("GetAuditoria", {branch, cia, nr, ""});
  }

  std::unique_ptr<TestDatabase> db_;
  std::unique_ptr<TestServer> server_;
  std::unique_ptr<RpcClient> admin_;
};

TEST_P(AccessTest, WithoutAValidSessionNothingRuns) {
  std::string before = Snapshot(server_->Pool());
  json insert = Delta(VooDataset(), {InsertChange(NewFlight("7301"))});
  for (const std::string& token : {std::string(), std::string("0123456789abcdef"), std::string(64, 'a')}) {
    RpcClient stranger(server_->Port(), FlightModule::kName, token);
    auto [status, r] = stranger.Post(
        json({{"jsonrpc", "2.0"}, {"id", 1}, {"method", "SetVoo"}, {"params", json::array({insert})}}).dump());
    EXPECT_EQ(status, 401) << token;
    EXPECT_EQ(r["error"]["code"], -32001);
    EXPECT_NE(Message(r).find("usuário e senha"), std::string::npos) << r.dump();
    json get = stranger.Call("GetVoo", {"0001", "0001"});
    EXPECT_FALSE(get.contains("result")) << get.dump();
  }
  EXPECT_EQ(Snapshot(server_->Pool()), before);
  EXPECT_EQ(AuditRows(), 0);

  // After logout the token is worth nothing.
  std::string token = LoginToken(server_->Port(), "ana", kTestPassword);
  RpcClient desk(server_->Port(), FlightModule::kName, token);
  EXPECT_EQ(desk.Call("GetVoo", {"0002", "0001"})["result"]["ok"], true);
  RpcClient(server_->Port(), SessionModule::kName, "").Data("Logout", {token});
  EXPECT_NE(Message(desk.Call("GetVoo", {"0002", "0001"})).find("Sessão encerrada"), std::string::npos);
}

TEST_P(AccessTest, ASessionEndsAfterTheIdleTimeButNotWhileUsed) {
  RpcClient desk = As("ana");
  for (int i = 0; i < 3; ++i) {  // 50 s apart: each call restarts the idle time
    fakeNow += 50;
    EXPECT_EQ(desk.Call("GetVoo", {"0002", "0001"})["result"]["ok"], true) << i;
  }
  fakeNow += 61;
  json r = desk.Call("GetVoo", {"0002", "0001"});
  EXPECT_EQ(r["error"]["code"], -32001);
  EXPECT_EQ(Message(r), "Sessão expirada por inatividade. Entre novamente com seu usuário e senha.");
  // Gone for good, not revived by the next call.
  EXPECT_NE(Message(desk.Call("GetVoo", {"0002", "0001"})).find("Sessão encerrada"), std::string::npos);
}

// Two instances on one database: each reads the session at every call,
// but a call writes its last use only once the recorded one is
// LastUseGranularity old. A session in use never expires; an idle one ends
// between the idle limit less that granularity and the idle limit after
// its last call; logout, a new password and disabling end it everywhere
// at the next call.
TEST_P(AccessTest, EveryInstanceChecksTheSessionAtEveryCallButWritesItsUseSeldom) {
  TestServer other(db_->Url(), false, 30, nullptr, SessionOptions{1, {}}, ReadFakeClock);
  const int idle = 60, step = LastUseGranularity(idle);
  ASSERT_EQ(step, 15);
  auto lastUse = [&](const std::string& token) -> std::int64_t {
    auto r = server_->Pool().Acquire()->Query("SELECT NRULTIMOUSO FROM ZORSESSAO WHERE DSTOKENHASH = ?",
                                              {TokenDigest(token)});
    if (r.rows.empty()) return -1;
    const auto& v = r.rows[0][0];
    if (auto* i = std::get_if<std::int64_t>(&v)) return *i;
    return std::stoll(std::get<std::string>(v));
  };
  auto ok = [](RpcClient& desk) { return desk.Call("GetVoo", {"0002", "0001"})["result"]["ok"] == true; };

  const std::string a = LoginToken(server_->Port(), "ana", kTestPassword);
  RpcClient aHere(server_->Port(), FlightModule::kName, a), aThere(other.Port(), FlightModule::kName, a);
  // Calls 10 s apart on alternate instances for over three idle limits:
  // every other one writes.
  int writes = 0;
  for (int i = 0; i < 20; ++i) {
    fakeNow += 10;
    std::int64_t before = lastUse(a);
    ASSERT_TRUE(ok(i % 2 ? aThere : aHere)) << i;
    writes += lastUse(a) != before;
    EXPECT_GT(lastUse(a), fakeNow.load() - step) << i;
  }
  EXPECT_EQ(writes, 10);

  // Two sessions whose last calls wrote nothing.
  const std::string b = LoginToken(other.Port(), "ana", kTestPassword);
  RpcClient bThere(other.Port(), FlightModule::kName, b);
  const std::int64_t written = fakeNow;
  fakeNow += 10;
  ASSERT_TRUE(ok(aHere));
  ASSERT_TRUE(ok(bThere));
  EXPECT_EQ(lastUse(a), written);
  EXPECT_EQ(lastUse(b), written);
  const std::int64_t lastCall = fakeNow;
  // Idle since: still open when the idle limit less the granularity passed,
  // ended once the idle limit passed.
  fakeNow = lastCall + idle - step;
  EXPECT_TRUE(ok(aThere));
  fakeNow = lastCall + idle + 1;
  json r = bThere.Call("GetVoo", {"0002", "0001"});
  EXPECT_EQ(Message(r), "Sessão expirada por inatividade. Entre novamente com seu usuário e senha.");
  EXPECT_TRUE(ok(aHere));

  // Ended on one instance: refused by the other at its next call.
  RpcClient(server_->Port(), SessionModule::kName, "").Data("Logout", {a});
  EXPECT_EQ(aThere.Call("GetVoo", {"0002", "0001"})["error"]["code"], -32001);
  const std::string c = LoginToken(server_->Port(), "ana", kTestPassword);
  RpcClient cThere(other.Port(), FlightModule::kName, c);
  ASSERT_TRUE(ok(cThere));
  SetPassword(*server_->Pool().Acquire(), "ana", "outra-senha-1", HashCost::Minimal);
  EXPECT_EQ(cThere.Call("GetVoo", {"0002", "0001"})["error"]["code"], -32001);
  const std::string d = LoginToken(server_->Port(), "ana", "outra-senha-1");
  RpcClient dThere(other.Port(), FlightModule::kName, d);
  ASSERT_TRUE(ok(dThere));
  SetEnabled(*server_->Pool().Acquire(), "ana", false);
  EXPECT_EQ(dThere.Call("GetVoo", {"0002", "0001"})["error"]["code"], -32001);
}

TEST_P(AccessTest, WrongPasswordsAreRefusedAndGuessingIsSlowedDown) {
  json ok = Login("ana");
  ASSERT_EQ(ok["result"]["ok"], true) << ok.dump();
  EXPECT_EQ(ok["result"]["data"]["token"].get<std::string>().size(), 64u);
  EXPECT_EQ(ok["result"]["data"]["filiais"], json::parse(R"([{"CDFILIAL":"0002","NMFILIAL":"Congonhas"}])"));
  EXPECT_EQ(ok["result"]["data"]["filialFixa"], false);
  // A wrong password and an unknown user read alike.
  EXPECT_EQ(Message(Login("ana", "errada-123")), "Usuário ou senha inválidos.");
  EXPECT_EQ(Message(Login("ninguem", "errada-123")), "Usuário ou senha inválidos.");
  for (int i = 0; i < 4; ++i) Login("ana", "errada-123");
  // Five failures: even the right password waits now, another user does not.
  EXPECT_NE(Message(Login("ana")).find("Muitas tentativas"), std::string::npos);
  EXPECT_EQ(Login("bia")["result"]["ok"], true);
  fakeNow += 15 * 60;
  EXPECT_EQ(Login("ana")["result"]["ok"], true);

  // A disabled user cannot log in, and their sessions end.
  RpcClient desk = As("ana");
  SetEnabled(*server_->Pool().Acquire(), "ana", false);
  EXPECT_EQ(desk.Call("GetVoo", {"0002", "0001"})["error"]["code"], -32001);
  EXPECT_NE(Message(Login("ana")).find("desativado"), std::string::npos);
}

TEST_P(AccessTest, ReadsOfAnotherBranchAreRefused) {
  RpcClient ana = As("ana");
  std::string nr = Field(VooDataset(), Branch1Flight(), "NRVOO");
  const std::string refused = "O usuário ana não tem acesso à filial 0001.";
  EXPECT_EQ(Message(ana.Call("GetVoo", {"0001", "0002"})), refused);
  EXPECT_EQ(Message(ana.Call("GetTrecho", {"0002", nr, "0001"})), refused);
  EXPECT_EQ(Message(ana.Call("GetClasseVoo", {"0001", "0002", "0001", nr})), refused);
  EXPECT_EQ(Message(ana.Call("GetVoo", {"", "0002"})), "Filial deve ser informada.");
  // Their own branch, and the tables every branch shares.
  EXPECT_EQ(ana.Data("GetVoo", {"0002", "0001"})["rows"].size(), 5u);
  EXPECT_GE(ana.Data("GetTipoVoo", json::array())["rows"].size(), 1u);
  EXPECT_GE(ana.Data("GetTurno", {"", "T"})["rows"].size(), 1u);
}

TEST_P(AccessTest, WritesToAnotherBranchAreRefusedWhole) {
  RpcClient ana = As("ana");
  std::string before = Snapshot(server_->Pool());
  json mine = Branch2Flight(), theirs = Branch1Flight();
  std::string theirNr = Field(VooDataset(), theirs, "NRVOO");
  const std::string refused = "O usuário ana não tem acesso à filial 0001.";

  EXPECT_EQ(Message(ana.Call("SetDelTdsTrechos", {"0001", "0002", theirNr})), refused);
  EXPECT_EQ(Message(ana.Call("SetVoo", json::array({Delta(VooDataset(), {InsertChange(NewFlight("7302"))})}))), refused);
  json changed = WithValues(VooDataset(), theirs, {{"SGPREFIXO", "PR-ZZZ"}});
  EXPECT_EQ(Message(ana.Call("SetVoo", json::array({Delta(VooDataset(), {ModifyChange(theirs, changed)})}))), refused);
  EXPECT_EQ(Message(ana.Call("SetVoo", json::array({Delta(VooDataset(), {DeleteChange(theirs)})}))), refused);
  // A key-changing modify may not carry a row of hers to another branch.
  json moved = WithValues(VooDataset(), mine, {{"CDFILIAL", "0001"}});
  EXPECT_EQ(Message(ana.Call("SetVoo", json::array({Delta(VooDataset(), {ModifyChange(mine, moved)})}))),
            "O usuário ana não pode transferir dados para a filial 0001.");
  // One foreign row refuses the rows of her own branch in the same delta.
  json ok = WithValues(VooDataset(), mine, {{"QTHRKDTCAR", "0030"}});
  EXPECT_EQ(Message(ana.Call("SetVoo", json::array({Delta(VooDataset(), {ModifyChange(mine, ok), DeleteChange(theirs)})}))),
            refused);
  // Legs and classes alike.
  json leg = admin_->Data("GetTrecho", {"0002", theirNr, "0001"})["rows"][0];
  EXPECT_EQ(Message(ana.Call("SetTrecho", json::array({Delta(TrechoDataset(), {DeleteChange(leg)})}))), refused);
  EXPECT_EQ(Message(ana.Call("SetTrecho", json::array({Delta(TrechoDataset(), {InsertChange(NewLeg(theirNr, "0001", "0009"))})}))),
            refused);
  EXPECT_EQ(Message(ana.Call("SetClasseVoo",
                             json::array({Delta(ClasseVooDataset(), {InsertChange(NewClass(theirNr, "0001", "0002"))})}))),
            refused);
  EXPECT_EQ(Snapshot(server_->Pool()), before);
  EXPECT_EQ(AuditRows(), 0);

  // Her own branch she changes.
  EXPECT_EQ(ana.Call("SetVoo", json::array({Delta(VooDataset(), {ModifyChange(mine, ok)})}))["result"]["ok"], true);
}

TEST_P(AccessTest, AFixedBranchUserHasTheirOneBranch) {
  json answer = Login("bia");
  ASSERT_EQ(answer["result"]["ok"], true);
  EXPECT_EQ(answer["result"]["data"]["filialFixa"], true);
  EXPECT_EQ(answer["result"]["data"]["filiais"].size(), 1u);
  RpcClient bia = As("bia");
  EXPECT_EQ(bia.Data("GetVoo", {"0002", "0001"})["rows"].size(), 5u);
  EXPECT_EQ(Message(bia.Call("GetVoo", {"0001", "0001"})), "O usuário bia não tem acesso à filial 0001.");
}

TEST_P(AccessTest, EveryAcceptedChangeIsAuditedInItsTransaction) {
  // Insert: every value given, and the leg code the server chose.
  admin_->Data("SetVoo", json::array({Delta(VooDataset(), {InsertChange(NewFlight("7310"))})}));
  admin_->Data("SetTrecho", json::array({Delta(TrechoDataset(), {InsertChange(NewLeg("7310", "0001", "0003"))})}));
  admin_->Data("SetClasseVoo", json::array({Delta(ClasseVooDataset(), {InsertChange(NewClass("7310", "0001", "0004"))})}));
  json t = Trail("0001", "0002", "7310");
  ASSERT_EQ(t.size(), 3u) << t.dump();
  EXPECT_EQ(t[0]["tabela"], "VOO");
  EXPECT_EQ(t[0]["tipo"], "inclusão");
  EXPECT_EQ(t[0]["usuario"], kTestUser);
  EXPECT_EQ(t[0]["endereco"], "127.0.0.1");
  EXPECT_EQ(t[0]["metodo"], "SetVoo");
  EXPECT_EQ(t[0]["chave"], "0001/0002/7310");
  EXPECT_NE(t[0]["campos"].dump().find(R"({"campo":"SGPREFIXO","antes":null,"depois":"PR-BCA"})"), std::string::npos)
      << t[0].dump();
  EXPECT_EQ(t[1]["chave"], "0001/0002/7310/0001");
  EXPECT_EQ(t[2]["tabela"], "CLASSEVOO");

  // Change: the changed column with both values, and the key.
  json row, flights = admin_->Data("GetVoo", {"0001", "0002"});
  for (const auto& r : flights["rows"])
    if (Field(VooDataset(), r, "NRVOO") == "7310") row = r;
  admin_->Data("SetVoo",
               json::array({Delta(VooDataset(), {ModifyChange(row, WithValues(VooDataset(), row, {{"SGPREFIXO", "PR-BCB"}}))})}));
  t = Trail("0001", "0002", "7310");
  ASSERT_EQ(t.size(), 4u);
  EXPECT_EQ(t[3]["tipo"], "alteração");
  EXPECT_NE(t[3]["campos"].dump().find(R"({"campo":"SGPREFIXO","antes":"PR-BCA","depois":"PR-BCB"})"),
            std::string::npos)
      << t[3].dump();
  EXPECT_EQ(t[3]["campos"].size(), 1u) << t[3].dump();  // only what changed

  // A refused change writes nothing, the audit included.
  std::int64_t before = AuditRows();
  admin_->Call("SetVoo", json::array({Delta(VooDataset(), {ModifyChange(row, WithValues(VooDataset(), row, {{"SGPREFIXO", "X"}}))})}));
  EXPECT_EQ(AuditRows(), before);

  // SetDelTdsTrechos: each leg and class removed.
  admin_->Data("SetDelTdsTrechos", {"0001", "0002", "7310"});
  t = Trail("0001", "0002", "7310");
  ASSERT_EQ(t.size(), 6u);
  EXPECT_EQ(t[4]["tabela"], "CLASSEVOO");
  EXPECT_EQ(t[5]["tabela"], "VOOTRECHO");
  EXPECT_EQ(t[5]["tipo"], "exclusão");
  EXPECT_EQ(t[5]["metodo"], "SetDelTdsTrechos");

  // A key-changing modify lists the key column it changed.
  flights = admin_->Data("GetVoo", {"0001", "0002"});
  for (const auto& r : flights["rows"])
    if (Field(VooDataset(), r, "NRVOO") == "7310") row = r;
  admin_->Data("SetVoo", json::array({Delta(VooDataset(), {ModifyChange(row, WithValues(VooDataset(), row, {{"NRVOO", "7311"}}))})}));
  t = Trail("0001", "0002", "7310");
  ASSERT_EQ(t.size(), 7u);
  EXPECT_EQ(t[6]["campos"].dump(), R"([{"campo":"NRVOO","antes":"7310","depois":"7311"}])");

  // Deleting a flight records it and the legs and classes that go with it.
  std::string nr = Field(VooDataset(), Branch1Flight(), "NRVOO");
  size_t legs = admin_->Data("GetTrecho", {"0002", nr, "0001"})["rows"].size();
  admin_->Data("SetVoo", json::array({Delta(VooDataset(), {DeleteChange(Branch1Flight())})}));
  t = Trail("0001", "0002", nr);
  ASSERT_GE(t.size(), 1 + legs);
  EXPECT_EQ(t.back()["tabela"], "VOO");
  EXPECT_EQ(t.back()["tipo"], "exclusão");
  EXPECT_NE(t.back()["campos"].dump().find(R"("campo":"NRVOO","antes":")" + nr + R"(","depois":null)"),
            std::string::npos);

  // The trail is read only for one's own branches.
  RpcClient ana(server_->Port(), SessionModule::kName, LoginToken(server_->Port(), "ana", kTestPassword));
  EXPECT_EQ(ana.Data("GetAuditoria", {"", "", "", ""}).size(), 0u);
  EXPECT_EQ(Message(ana.Call("GetAuditoria", {"0001", "", "", ""})), "O usuário ana não tem acesso à filial 0001.");
  EXPECT_EQ(RpcClient(server_->Port(), SessionModule::kName, "").Call("GetAuditoria", {"", "", "", ""})["error"]["code"],
            -32001);
}

// An entry keeps its changed columns in its own row; entries written
// before that keep them in rows of their own, and the trail reads both
// alike. A text another program spoiled is shown as it is.
// An audit entry travels with the commit on PostgreSQL: one that cannot be
// written still fails the save whole, and the flight is not kept.
TEST_P(AccessTest, AChangeWhoseAuditEntryCannotBeWrittenIsNotKept) {
  {
    auto c = server_->Pool().Acquire();
    if (c->Dialect() == SqlDialect::Postgresql)
      c->ExecScript("ALTER TABLE ZORAUDITORIA ADD CONSTRAINT ZT_SEM_VOO CHECK (NMTABELA <> 'VOO')");
    else
      c->ExecScript("CREATE TRIGGER ZT_SEM_VOO BEFORE INSERT ON ZORAUDITORIA WHEN NEW.NMTABELA = 'VOO' "
                    "BEGIN SELECT RAISE(ABORT, 'sem auditoria'); END");
  }
  json r = admin_->Call("SetVoo", json::array({Delta(VooDataset(), {InsertChange(NewFlight("7320"))})}));
  EXPECT_EQ(r["result"]["ok"], false) << r.dump();
  EXPECT_FALSE(Message(r).empty()) << r.dump();
  const json flights = admin_->Data("GetVoo", {"0001", "0002"});
  for (const auto& f : flights["rows"]) EXPECT_NE(Field(VooDataset(), f, "NRVOO"), "7320");
  EXPECT_EQ(AuditRows(), 0);
  // The connection that failed serves the next save.
  const std::string nr = Field(VooDataset(), Branch1Flight(), "NRVOO");
  r = admin_->Call("SetTrecho", json::array({Delta(TrechoDataset(), {InsertChange(NewLeg(nr, "0004", "0005"))})}));
  EXPECT_EQ(r["result"]["ok"], true) << r.dump();
  EXPECT_EQ(AuditRows(), 1);
}

// Values other programs stored, quotes, backslashes and control characters
// (and, where the database keeps them, bytes that are no UTF-8), stay
// readable in the trail: the entry's columns are not shown as one
// unreadable text.
TEST_P(AccessTest, TheTrailKeepsAnyStoredTextReadable) {
  admin_->Data("SetVoo", json::array({Delta(VooDataset(), {InsertChange(NewFlight("7330"))})}));
  admin_->Data("SetTrecho", json::array({Delta(TrechoDataset(), {InsertChange(NewLeg("7330", "0001", "0003"))})}));
  const bool bytesKept = GetParam() == "sqlite";  // PostgreSQL refuses them
  server_->Pool().Acquire()->Execute(
      "UPDATE VOOTRECHO SET HRDECOLVOO = ?, IDSITVOOTRE = ? WHERE NRVOO = '7330'",
      {std::string("\"\\\n\x01"), std::string(bytesKept ? "\xff" : "A")});
  admin_->Data("SetDelTdsTrechos", {"0001", "0002", "7330"});

  json t = Trail("0001", "0002", "7330");
  ASSERT_EQ(t.size(), 3u) << t.dump();
  EXPECT_EQ(t[2]["tipo"], "exclusão");
  json removed;
  for (const auto& c : t[2]["campos"]) removed[c["campo"].get<std::string>()] = c["antes"];
  EXPECT_EQ(removed["HRDECOLVOO"], "\"\\\n\x01") << t[2].dump();
  EXPECT_EQ(removed["IDSITVOOTRE"], bytesKept ? "\xEF\xBF\xBD" : "A");
  EXPECT_EQ(removed["CDBASEORI"], "0001");
}

TEST_P(AccessTest, TheTrailReadsEntriesOfEitherLayout) {
  const std::string entry =
      "INSERT INTO ZORAUDITORIA (DSCHAMADA, NRSEQUENCIA, DTAUDITORIA, NRMICROS, CDUSUARIO, DSENDERECO, NMMETODO,"
      " NMTABELA, DSCHAVE, CDFILIAL, CDCIA, NRVOO, IDTIPO, DSCAMPOS) VALUES (?, 1, '2025-01-02T03:04:05', ?,"
      " 'velho', '10.0.0.1', 'SetVoo', 'VOO', '0001/0002/7320', '0001', '0002', '7320', 'A', ?)";
  server_->Pool().Acquire()->Execute(entry, {std::string("antiga"), std::int64_t{1}, SqlValue{}});
  server_->Pool().Acquire()->Execute(
      "INSERT INTO ZORAUDITORIACAMPO (DSCHAMADA, NRSEQUENCIA, NMCAMPO, DSVALORANTIGO, DSVALORNOVO) VALUES"
      " ('antiga', 1, 'SGPREFIXO', 'PR-AAA', 'PR-AAB'), ('antiga', 1, 'CDEQUIP', NULL, '0001')");
  server_->Pool().Acquire()->Execute(entry, {std::string("estragada"), std::int64_t{2}, std::string("[{\"campo\":")});
  admin_->Data("SetVoo", json::array({Delta(VooDataset(), {InsertChange(NewFlight("7320"))})}));

  json t = Trail("0001", "0002", "7320");
  ASSERT_EQ(t.size(), 3u) << t.dump();
  EXPECT_EQ(t[0]["usuario"], "velho");
  EXPECT_EQ(t[0]["campos"].dump(),
            R"([{"campo":"CDEQUIP","antes":null,"depois":"0001"},{"campo":"SGPREFIXO","antes":"PR-AAA","depois":"PR-AAB"}])");
  EXPECT_EQ(t[1]["campos"].dump(), R"([{"campo":"DSCAMPOS","antes":null,"depois":"[{\"campo\":"}])");
  EXPECT_EQ(t[2]["tipo"], "inclusão");
  EXPECT_NE(t[2]["campos"].dump().find(R"({"campo":"SGPREFIXO","antes":null,"depois":"PR-BCA"})"), std::string::npos)
      << t[2].dump();
  // The new entry wrote no column rows.
  auto rows = server_->Pool().Acquire()->Query("SELECT DSCHAMADA FROM ZORAUDITORIACAMPO");
  ASSERT_EQ(rows.rows.size(), 2u);
}

#ifdef ZOR_TEST_BACKEND_PG
INSTANTIATE_TEST_SUITE_P(Postgres, AccessTest, ::testing::Values(std::string("pg")));
#else
INSTANTIATE_TEST_SUITE_P(Sqlite, AccessTest, ::testing::Values(std::string("sqlite")));
#endif

}  // namespace zor::server::testing
