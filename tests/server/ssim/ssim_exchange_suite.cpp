// The schedule exchange against a real database, once per engine
// (ZOR_TEST_BACKEND_PG chooses PostgreSQL): the plans of the hand-written
// samples against the demo data, applying a plan in one transaction that
// writes everything or nothing, the round trip through an empty branch,
// and the flights an export must leave out.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "server/delta_apply.h"
#include "server/demo_data.h"
#include "server/schema.h"
#include "server/ssim/held_schedule.h"
#include "server/ssim/schedule_apply.h"
#include "server/ssim/schedule_export.h"
#include "server/ssim/schedule_plan.h"
#include "server/ssim/ssim_file.h"
#include "tests/server/server_harness.h"

namespace zor::server::ssim {

namespace {

std::string Sample(const std::string& name) {
  std::ifstream in(std::string(ZOR_SSIM_DATA) + "/" + name, std::ios::binary);
  EXPECT_TRUE(in) << name;
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Every row of the flight tables, to prove what a step wrote or did not.
std::string Tables(Connection& c) {
  std::string out;
  for (const char* sql : {"SELECT * FROM VOO ORDER BY CDFILIAL, CDCIA, NRVOO",
                          "SELECT * FROM VOOTRECHO ORDER BY CDFILIAL, CDCIA, NRVOO, CDTRECHO",
                          "SELECT * FROM CLASSEVOO ORDER BY CDFILIAL, CDCIA, NRVOO, CDTRECHO, CDCLASSE"})
    for (const auto& r : c.Query(sql).rows) {
      for (const auto& v : r) out += Text(v) + "|";
      out += "\n";
    }
  return out;
}

std::string Scalar(Connection& c, const std::string& sql, const std::vector<SqlValue>& params = {}) {
  auto r = c.Query(sql, params);
  return r.rows.empty() ? "(nenhuma linha)" : Text(r.rows[0][0]);
}

// The carrier record's creation date and time are the only bytes two
// exports of the same flights may differ in.
std::string WithoutCreation(std::string file) {
  size_t carrier = file.find("\n2");
  if (carrier != std::string::npos) {
    file.replace(carrier + 1 + 28, 7, "DDMMMYY");
    file.replace(carrier + 1 + 190, 4, "HHMM");
  }
  return file;
}

}  // namespace

class SsimExchange : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    std::string why;
    db_ = testing::TestDatabase::Create(GetParam(), why);
    if (!db_) GTEST_SKIP() << why;
    c_ = OpenConnection(db_->Url());
    Migrate(*c_);
  }
  void LoadDemo(int flights) { LoadDemoData(*c_, DemoOptions{flights}); }
  Plan PlanOf(const std::string& file, const std::string& company, const std::string& station = "") {
    return PlanImport(*c_, ReadSchedule(Sample(file)), ImportOptions{"0001", company, station, {}, {}});
  }
  ExportResult ExportBranch(const std::string& branch, Date created) {
    ExportOptions o{branch, "0001", *MakeDate(2026, 1, 1), *MakeDate(2026, 12, 31), created, 8 * 60};
    return ExportSchedule(*c_, o);
  }
  std::unique_ptr<testing::TestDatabase> db_;
  std::unique_ptr<Connection> c_;
};

TEST_P(SsimExchange, PlansOfTheSamplesAreTheExpectedTablesAndWriteNothing) {
  LoadDemo(3);
  std::string before = Tables(*c_);
  EXPECT_EQ(PlanTable(PlanOf("abr_season.ssim", "0001")), Sample("abr_season.plan"));
  EXPECT_EQ(PlanTable(PlanOf("two_carriers.ssim", "0001")), Sample("two_carriers.abr.plan"));
  EXPECT_EQ(PlanTable(PlanOf("two_carriers.ssim", "0002")), Sample("two_carriers.crz.plan"));
  EXPECT_EQ(PlanTable(PlanOf("malformed.ssim", "0001")), Sample("malformed.plan"));
  try {
    PlanOf("two_carriers.ssim", "0003");
    FAIL() << "a company the file does not carry was planned";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "O arquivo não traz vôos da companhia PNT (companhias no arquivo: CRZ, ABR).");
  }
  EXPECT_EQ(Tables(*c_), before);
}

TEST_P(SsimExchange, AStationKeepsOnlyTheFlightsThatTouchIt) {
  LoadDemo(3);
  Plan p = PlanOf("abr_season.ssim", "0001", "bsb");  // typed in lower case
  ASSERT_EQ(p.items.size(), 2u);
  EXPECT_EQ(p.items[0].number, "1000");
  EXPECT_EQ(p.items[0].action, Action::Change);
  EXPECT_EQ(p.items[1].number, "2500");
  EXPECT_EQ(p.items[1].action, Action::Create);
}

TEST_P(SsimExchange, ApplyingWritesCreationsAndChangesAndDeletesNothing) {
  LoadDemo(3);
  ApplyResult r = ApplyPlan(*c_, PlanOf("abr_season.ssim", "0001"), "0001", "0001");
  EXPECT_EQ(r.created, 2);
  EXPECT_EQ(r.changed, 1);

  // The file is now what the branch holds; the flight it lacks is still there.
  Plan again = PlanOf("abr_season.ssim", "0001");
  for (const auto& i : again.items) {
    if (i.number == "1002") EXPECT_EQ(i.action, Action::Absent);
    else if (i.number >= "2502") EXPECT_EQ(i.action, Action::Skip) << i.number;
    else EXPECT_EQ(i.action, Action::Same) << i.number << ": " << (i.details.empty() ? "" : i.details[0]);
  }
  EXPECT_EQ(Scalar(*c_, "SELECT COUNT(*) FROM VOOTRECHO WHERE CDFILIAL = '0001' AND CDCIA = '0001' AND NRVOO = '1002'"), "2");

  // A new flight: the file's legs and classes, the screen's defaults.
  EXPECT_EQ(Scalar(*c_, "SELECT IDTIPVOO || IDVOOSEG || IDVOOTER || IDVOOQUA || IDVOOSEX || IDABASATEN || QTHRKDTCAR || "
                        "NRTURNOPROD || CDEXPTIPOVOO FROM VOO WHERE NRVOO = '2500'"),
            "1121110000011");
  EXPECT_EQ(Scalar(*c_, "SELECT COUNT(*) FROM VOOTRECHO WHERE NRVOO = '2500'"), "3");
  EXPECT_EQ(Scalar(*c_, "SELECT HRDECOLVOO || HRPOUSOVOO FROM VOOTRECHO WHERE NRVOO = '2500' AND CDTRECHO = '0003'"),
            "23300110");
  EXPECT_EQ(Scalar(*c_, "SELECT COUNT(*) FROM CLASSEVOO WHERE NRVOO = '2500' AND CDTRECHO = '0001'"), "2");
  EXPECT_EQ(Scalar(*c_, "SELECT IDTIPVOO || CDEXPTIPOVOO FROM VOO WHERE NRVOO = '2501'"), "23");
  EXPECT_EQ(Scalar(*c_, "SELECT DTFIMVIGVOO FROM VOO WHERE NRVOO = '2501'").substr(0, 10), "2026-03-15");
  // The changed flight became Regular and lost its validity.
  EXPECT_EQ(Scalar(*c_, "SELECT IDTIPVOO FROM VOO WHERE CDCIA = '0001' AND CDFILIAL = '0001' AND NRVOO = '1000'"), "1");
  EXPECT_EQ(Scalar(*c_, "SELECT COUNT(*) FROM VOO WHERE CDCIA = '0001' AND CDFILIAL = '0001' AND NRVOO = '1000'"
                        " AND DTINIVIGVOO IS NULL"),
            "1");
}

TEST_P(SsimExchange, AFlightRefusedWhileApplyingLeavesNothingWritten) {
  LoadDemo(3);
  Plan p = PlanOf("abr_season.ssim", "0001");
  // After the plan was shown, the B737 stops being the company's at the
  // branch: flight 2501 is refused after 1000 and 2500 were written.
  c_->Execute("DELETE FROM EQUIPCIA WHERE CDFILIAL = '0001' AND CDCIA = '0001' AND CDEQUIP = '0004'");
  std::string before = Tables(*c_);
  try {
    ApplyPlan(*c_, p, "0001", "0001");
    FAIL() << "the plan was applied";
  } catch (const SaveRefused& e) {
    EXPECT_STREQ(e.what(), "Vôo 2501: Equipamento não cadastrado.");
  }
  EXPECT_EQ(Tables(*c_), before);
}

TEST_P(SsimExchange, AFlightChangedByAnotherDeskSinceThePlanIsRefused) {
  LoadDemo(3);
  Plan p = PlanOf("abr_season.ssim", "0001");
  c_->Execute("UPDATE VOO SET QTHRKDTCAR = '0130' WHERE CDFILIAL = '0001' AND CDCIA = '0001' AND NRVOO = '1000'");
  std::string before = Tables(*c_);
  EXPECT_THROW(ApplyPlan(*c_, p, "0001", "0001"), SaveRefused);
  EXPECT_EQ(Tables(*c_), before);
}

TEST_P(SsimExchange, RoundTripThroughAnEmptyBranchGivesTheSameFile) {
  LoadDemo(40);
  ExportResult first = ExportBranch("0001", *MakeDate(2026, 12, 1));
  EXPECT_TRUE(first.refused.empty());
  EXPECT_EQ(first.flights + first.outsideSeason, 40);
  // The sample must hold what the exchange is about.
  EXPECT_NE(first.file.find("\n3 ABR"), std::string::npos);
  bool overnight = false, severalLegs = false;
  for (size_t at = 0; (at = first.file.find("\n3", at)) != std::string::npos; ++at) {
    overnight = overnight || first.file[at + 194] != '0';
    severalLegs = severalLegs || first.file.substr(at + 12, 2) == "03";
  }
  EXPECT_TRUE(overnight);
  EXPECT_TRUE(severalLegs);

  // An empty branch where the company has the same equipment and classes.
  c_->Execute("INSERT INTO FILIAL (CDFILIAL, NMFILIAL, IDCNTRRESC) VALUES ('0009', 'Nova', 'N')");
  c_->Execute("INSERT INTO CIAFILI (CDCIA, CDFILIAL) VALUES ('0001', '0009')");
  c_->Execute("INSERT INTO EQUIPCIA (CDFILIAL, CDCIA, CDEQUIP) SELECT '0009', CDCIA, CDEQUIP FROM EQUIPCIA"
              " WHERE CDFILIAL = '0001' AND CDCIA = '0001'");
  c_->Execute("INSERT INTO CLASSECIA (CDFILIAL, CDCIA, CDCLASSE) SELECT '0009', CDCIA, CDCLASSE FROM CLASSECIA"
              " WHERE CDFILIAL = '0001' AND CDCIA = '0001'");
  Plan p = PlanImport(*c_, ReadSchedule(first.file), ImportOptions{"0009", "0001", "", {}, {}});
  EXPECT_EQ(p.Count(Action::Create), first.flights);
  EXPECT_EQ(static_cast<int>(p.items.size()), first.flights);
  EXPECT_EQ(ApplyPlan(*c_, p, "0009", "0001").created, first.flights);

  ExportResult second = ExportBranch("0009", *MakeDate(2026, 12, 24));
  EXPECT_NE(second.file, first.file);  // the creation date differs...
  EXPECT_EQ(WithoutCreation(second.file), WithoutCreation(first.file));  // ...and nothing else
}

TEST_P(SsimExchange, ExportLeavesOutWhatAFileCannotSayAndWritesTheRest) {
  LoadDemo(3);
  c_->Execute("UPDATE EQUIPAMENTO SET CDIATA = NULL WHERE CDEQUIP = '0002'");  // the A320 of 1001 and 1002
  ExportResult r = ExportBranch("0001", *MakeDate(2026, 12, 1));
  ASSERT_EQ(r.refused.size(), 2u);
  EXPECT_EQ(r.refused[0], "Vôo 1001: o equipamento A320 não tem código IATA de tipo de aeronave.");
  EXPECT_EQ(r.flights, 1);
  EXPECT_NE(r.file.find("3 ABR10000101"), std::string::npos);
  EXPECT_EQ(r.file.find("3 ABR1001"), std::string::npos);

  c_->Execute("UPDATE VOOTRECHO SET HRPOUSOVOO = NULL WHERE NRVOO = '1000' AND CDTRECHO = '0002'"
              " AND CDFILIAL = '0001' AND CDCIA = '0001'");
  r = ExportBranch("0001", *MakeDate(2026, 12, 1));
  EXPECT_EQ(r.refused.at(0), "Vôo 1000: o trecho BSB-SSA não tem horário de decolagem e de pouso.");
  EXPECT_EQ(r.flights, 0);
  EXPECT_EQ(std::count(r.file.begin(), r.file.end(), '\n') % 5, 0);  // still a whole file
}

// The desktop runs the same exchange through the server's methods.
TEST_P(SsimExchange, TheServerMethodsPlanApplyOnlyTheConfirmedPlanAndExport) {
  testing::TestServer server(db_->Url(), true, 3);
  testing::RpcClient rpc(server.Port());
  std::string file = Sample("abr_season.ssim");
  auto plan = rpc.Data("GetPlanoSsim", {"0001", "0001", file, ""});
  EXPECT_EQ(plan["plano"], Sample("abr_season.plan"));
  EXPECT_EQ(plan["incluir"], 2);
  EXPECT_EQ(plan["ausentes"], 1);

  std::string before = Tables(*c_);
  auto stale = rpc.Call("SetSsim", {"0001", "0001", file, "", "um plano que a pessoa não viu"});
  EXPECT_EQ(stale["result"]["ok"], false);
  EXPECT_EQ(stale["result"]["message"],
            "Os vôos da filial mudaram desde que o plano foi mostrado; nada foi gravado. Veja o plano novamente.");
  EXPECT_EQ(Tables(*c_), before);
  const std::string audited = "SELECT COUNT(*) FROM ZORAUDITORIA WHERE NMMETODO = 'SetSsim' AND NMTABELA = 'VOO'";
  EXPECT_EQ(Scalar(*c_, audited), "0");  // a refused application leaves no trail

  auto done = rpc.Data("SetSsim", {"0001", "0001", file, "", plan["plano"]});
  EXPECT_EQ(done["incluidos"], 2);
  EXPECT_EQ(done["alterados"], 1);
  EXPECT_EQ(done["ausentes"], 1);
  // Each flight created or changed is in the audit trail under the caller's name.
  EXPECT_EQ(Scalar(*c_, audited), "3");
  EXPECT_EQ(Scalar(*c_, audited + " AND CDUSUARIO = ? AND IDTIPO = 'I'", {std::string("teste")}), "2");
  // The same confirmation again no longer matches what the branch holds.
  EXPECT_EQ(rpc.Call("SetSsim", {"0001", "0001", file, "", plan["plano"]})["result"]["ok"], false);

  auto other = rpc.Call("GetPlanoSsim", {"0001", "0003", Sample("two_carriers.ssim"), ""});
  EXPECT_EQ(other["result"]["message"], "O arquivo não traz vôos da companhia PNT (companhias no arquivo: CRZ, ABR).");

  auto exported = rpc.Data("GetSsim", {"0001", "0001", "2026-01-01", "2026-12-31"});
  EXPECT_EQ(exported["exportados"], 5);
  EXPECT_EQ(exported["naoExportados"].size(), 0u);
  EXPECT_NE(exported["arquivo"].get<std::string>().find("3 ABR25000103J01JAN2631DEC261 3 5   MAO23302330"),
            std::string::npos);
  EXPECT_EQ(rpc.Call("GetSsim", {"0001", "0001", "2026-13-01", ""})["result"]["message"],
            "Data inicial inválida: 2026-13-01 (use aaaa-mm-dd).");
}

#ifdef ZOR_TEST_BACKEND_PG
INSTANTIATE_TEST_SUITE_P(Postgres, SsimExchange, ::testing::Values(std::string("pg")));
#else
INSTANTIATE_TEST_SUITE_P(Sqlite, SsimExchange, ::testing::Values(std::string("sqlite")));
#endif

}  // namespace zor::server::ssim
