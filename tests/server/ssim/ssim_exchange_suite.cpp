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

std::string sample(const std::string& name) {
  std::ifstream in(std::string(ZOR_SSIM_DATA) + "/" + name, std::ios::binary);
  EXPECT_TRUE(in) << name;
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Every row of the flight tables, to prove what a step wrote or did not.
std::string tables(Connection& c) {
  std::string out;
  for (const char* sql : {"SELECT * FROM VOO ORDER BY CDFILIAL, CDCIA, NRVOO",
                          "SELECT * FROM VOOTRECHO ORDER BY CDFILIAL, CDCIA, NRVOO, CDTRECHO",
                          "SELECT * FROM CLASSEVOO ORDER BY CDFILIAL, CDCIA, NRVOO, CDTRECHO, CDCLASSE"})
    for (const auto& r : c.query(sql).rows) {
      for (const auto& v : r) out += text(v) + "|";
      out += "\n";
    }
  return out;
}

std::string scalar(Connection& c, const std::string& sql, const std::vector<SqlValue>& params = {}) {
  auto r = c.query(sql, params);
  return r.rows.empty() ? "(nenhuma linha)" : text(r.rows[0][0]);
}

// The carrier record's creation date and time are the only bytes two
// exports of the same flights may differ in.
std::string withoutCreation(std::string file) {
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
    db_ = testing::TestDatabase::create(GetParam(), why);
    if (!db_) GTEST_SKIP() << why;
    c_ = openConnection(db_->url());
    migrate(*c_);
  }
  void loadDemo(int flights) { loadDemoData(*c_, DemoOptions{flights}); }
  Plan plan(const std::string& file, const std::string& company, const std::string& station = "") {
    return planImport(*c_, readSchedule(sample(file)), ImportOptions{"0001", company, station, {}, {}});
  }
  ExportResult exportBranch(const std::string& branch, Date created) {
    ExportOptions o{branch, "0001", *makeDate(2026, 1, 1), *makeDate(2026, 12, 31), created, 8 * 60};
    return exportSchedule(*c_, o);
  }
  std::unique_ptr<testing::TestDatabase> db_;
  std::unique_ptr<Connection> c_;
};

TEST_P(SsimExchange, PlansOfTheSamplesAreTheExpectedTablesAndWriteNothing) {
  loadDemo(3);
  std::string before = tables(*c_);
  EXPECT_EQ(planTable(plan("abr_season.ssim", "0001")), sample("abr_season.plan"));
  EXPECT_EQ(planTable(plan("two_carriers.ssim", "0001")), sample("two_carriers.abr.plan"));
  EXPECT_EQ(planTable(plan("two_carriers.ssim", "0002")), sample("two_carriers.crz.plan"));
  EXPECT_EQ(planTable(plan("malformed.ssim", "0001")), sample("malformed.plan"));
  try {
    plan("two_carriers.ssim", "0003");
    FAIL() << "a company the file does not carry was planned";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "O arquivo não traz vôos da companhia PNT (companhias no arquivo: CRZ, ABR).");
  }
  EXPECT_EQ(tables(*c_), before);
}

TEST_P(SsimExchange, AStationKeepsOnlyTheFlightsThatTouchIt) {
  loadDemo(3);
  Plan p = plan("abr_season.ssim", "0001", "bsb");  // typed in lower case
  ASSERT_EQ(p.items.size(), 2u);
  EXPECT_EQ(p.items[0].number, "1000");
  EXPECT_EQ(p.items[0].action, Action::change);
  EXPECT_EQ(p.items[1].number, "2500");
  EXPECT_EQ(p.items[1].action, Action::create);
}

TEST_P(SsimExchange, ApplyingWritesCreationsAndChangesAndDeletesNothing) {
  loadDemo(3);
  ApplyResult r = applyPlan(*c_, plan("abr_season.ssim", "0001"), "0001", "0001");
  EXPECT_EQ(r.created, 2);
  EXPECT_EQ(r.changed, 1);

  // The file is now what the branch holds; the flight it lacks is still there.
  Plan again = plan("abr_season.ssim", "0001");
  for (const auto& i : again.items) {
    if (i.number == "1002") EXPECT_EQ(i.action, Action::absent);
    else if (i.number >= "2502") EXPECT_EQ(i.action, Action::skip) << i.number;
    else EXPECT_EQ(i.action, Action::same) << i.number << ": " << (i.details.empty() ? "" : i.details[0]);
  }
  EXPECT_EQ(scalar(*c_, "SELECT COUNT(*) FROM VOOTRECHO WHERE CDFILIAL = '0001' AND CDCIA = '0001' AND NRVOO = '1002'"), "2");

  // A new flight: the file's legs and classes, the screen's defaults.
  EXPECT_EQ(scalar(*c_, "SELECT IDTIPVOO || IDVOOSEG || IDVOOTER || IDVOOQUA || IDVOOSEX || IDABASATEN || QTHRKDTCAR || "
                        "NRTURNOPROD || CDEXPTIPOVOO FROM VOO WHERE NRVOO = '2500'"),
            "1121110000011");
  EXPECT_EQ(scalar(*c_, "SELECT COUNT(*) FROM VOOTRECHO WHERE NRVOO = '2500'"), "3");
  EXPECT_EQ(scalar(*c_, "SELECT HRDECOLVOO || HRPOUSOVOO FROM VOOTRECHO WHERE NRVOO = '2500' AND CDTRECHO = '0003'"),
            "23300110");
  EXPECT_EQ(scalar(*c_, "SELECT COUNT(*) FROM CLASSEVOO WHERE NRVOO = '2500' AND CDTRECHO = '0001'"), "2");
  EXPECT_EQ(scalar(*c_, "SELECT IDTIPVOO || CDEXPTIPOVOO FROM VOO WHERE NRVOO = '2501'"), "23");
  EXPECT_EQ(scalar(*c_, "SELECT DTFIMVIGVOO FROM VOO WHERE NRVOO = '2501'").substr(0, 10), "2026-03-15");
  // The changed flight became Regular and lost its validity.
  EXPECT_EQ(scalar(*c_, "SELECT IDTIPVOO FROM VOO WHERE CDCIA = '0001' AND CDFILIAL = '0001' AND NRVOO = '1000'"), "1");
  EXPECT_EQ(scalar(*c_, "SELECT COUNT(*) FROM VOO WHERE CDCIA = '0001' AND CDFILIAL = '0001' AND NRVOO = '1000'"
                        " AND DTINIVIGVOO IS NULL"),
            "1");
}

TEST_P(SsimExchange, AFlightRefusedWhileApplyingLeavesNothingWritten) {
  loadDemo(3);
  Plan p = plan("abr_season.ssim", "0001");
  // After the plan was shown, the B737 stops being the company's at the
  // branch: flight 2501 is refused after 1000 and 2500 were written.
  c_->execute("DELETE FROM EQUIPCIA WHERE CDFILIAL = '0001' AND CDCIA = '0001' AND CDEQUIP = '0004'");
  std::string before = tables(*c_);
  try {
    applyPlan(*c_, p, "0001", "0001");
    FAIL() << "the plan was applied";
  } catch (const SaveRefused& e) {
    EXPECT_STREQ(e.what(), "Vôo 2501: Equipamento não cadastrado.");
  }
  EXPECT_EQ(tables(*c_), before);
}

TEST_P(SsimExchange, AFlightChangedByAnotherDeskSinceThePlanIsRefused) {
  loadDemo(3);
  Plan p = plan("abr_season.ssim", "0001");
  c_->execute("UPDATE VOO SET QTHRKDTCAR = '0130' WHERE CDFILIAL = '0001' AND CDCIA = '0001' AND NRVOO = '1000'");
  std::string before = tables(*c_);
  EXPECT_THROW(applyPlan(*c_, p, "0001", "0001"), SaveRefused);
  EXPECT_EQ(tables(*c_), before);
}

TEST_P(SsimExchange, RoundTripThroughAnEmptyBranchGivesTheSameFile) {
  loadDemo(40);
  ExportResult first = exportBranch("0001", *makeDate(2026, 12, 1));
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
  c_->execute("INSERT INTO FILIAL (CDFILIAL, NMFILIAL, IDCNTRRESC) VALUES ('0009', 'Nova', 'N')");
  c_->execute("INSERT INTO CIAFILI (CDCIA, CDFILIAL) VALUES ('0001', '0009')");
  c_->execute("INSERT INTO EQUIPCIA (CDFILIAL, CDCIA, CDEQUIP) SELECT '0009', CDCIA, CDEQUIP FROM EQUIPCIA"
              " WHERE CDFILIAL = '0001' AND CDCIA = '0001'");
  c_->execute("INSERT INTO CLASSECIA (CDFILIAL, CDCIA, CDCLASSE) SELECT '0009', CDCIA, CDCLASSE FROM CLASSECIA"
              " WHERE CDFILIAL = '0001' AND CDCIA = '0001'");
  Plan p = planImport(*c_, readSchedule(first.file), ImportOptions{"0009", "0001", "", {}, {}});
  EXPECT_EQ(p.count(Action::create), first.flights);
  EXPECT_EQ(static_cast<int>(p.items.size()), first.flights);
  EXPECT_EQ(applyPlan(*c_, p, "0009", "0001").created, first.flights);

  ExportResult second = exportBranch("0009", *makeDate(2026, 12, 24));
  EXPECT_NE(second.file, first.file);  // the creation date differs...
  EXPECT_EQ(withoutCreation(second.file), withoutCreation(first.file));  // ...and nothing else
}

TEST_P(SsimExchange, ExportLeavesOutWhatAFileCannotSayAndWritesTheRest) {
  loadDemo(3);
  c_->execute("UPDATE EQUIPAMENTO SET CDIATA = NULL WHERE CDEQUIP = '0002'");  // the A320 of 1001 and 1002
  ExportResult r = exportBranch("0001", *makeDate(2026, 12, 1));
  ASSERT_EQ(r.refused.size(), 2u);
  EXPECT_EQ(r.refused[0], "Vôo 1001: o equipamento A320 não tem código IATA de tipo de aeronave.");
  EXPECT_EQ(r.flights, 1);
  EXPECT_NE(r.file.find("3 ABR10000101"), std::string::npos);
  EXPECT_EQ(r.file.find("3 ABR1001"), std::string::npos);

  c_->execute("UPDATE VOOTRECHO SET HRPOUSOVOO = NULL WHERE NRVOO = '1000' AND CDTRECHO = '0002'"
              " AND CDFILIAL = '0001' AND CDCIA = '0001'");
  r = exportBranch("0001", *makeDate(2026, 12, 1));
  EXPECT_EQ(r.refused.at(0), "Vôo 1000: o trecho BSB-SSA não tem horário de decolagem e de pouso.");
  EXPECT_EQ(r.flights, 0);
  EXPECT_EQ(std::count(r.file.begin(), r.file.end(), '\n') % 5, 0);  // still a whole file
}

// The desktop runs the same exchange through the server's methods.
TEST_P(SsimExchange, TheServerMethodsPlanApplyOnlyTheConfirmedPlanAndExport) {
  testing::TestServer server(db_->url(), true, 3);
  testing::RpcClient rpc(server.port());
  std::string file = sample("abr_season.ssim");
  auto plan = rpc.data("GetPlanoSsim", {"0001", "0001", file, ""});
  EXPECT_EQ(plan["plano"], sample("abr_season.plan"));
  EXPECT_EQ(plan["incluir"], 2);
  EXPECT_EQ(plan["ausentes"], 1);

  std::string before = tables(*c_);
  auto stale = rpc.call("SetSsim", {"0001", "0001", file, "", "um plano que a pessoa não viu"});
  EXPECT_EQ(stale["result"]["ok"], false);
  EXPECT_EQ(stale["result"]["message"],
            "Os vôos da filial mudaram desde que o plano foi mostrado; nada foi gravado. Veja o plano novamente.");
  EXPECT_EQ(tables(*c_), before);
  const std::string audited = "SELECT COUNT(*) FROM ZORAUDITORIA WHERE NMMETODO = 'SetSsim' AND NMTABELA = 'VOO'";
  EXPECT_EQ(scalar(*c_, audited), "0");  // a refused application leaves no trail

  auto done = rpc.data("SetSsim", {"0001", "0001", file, "", plan["plano"]});
  EXPECT_EQ(done["incluidos"], 2);
  EXPECT_EQ(done["alterados"], 1);
  EXPECT_EQ(done["ausentes"], 1);
  // Each flight created or changed is in the audit trail under the caller's name.
  EXPECT_EQ(scalar(*c_, audited), "3");
  EXPECT_EQ(scalar(*c_, audited + " AND CDUSUARIO = ? AND IDTIPO = 'I'", {std::string("teste")}), "2");
  // The same confirmation again no longer matches what the branch holds.
  EXPECT_EQ(rpc.call("SetSsim", {"0001", "0001", file, "", plan["plano"]})["result"]["ok"], false);

  auto other = rpc.call("GetPlanoSsim", {"0001", "0003", sample("two_carriers.ssim"), ""});
  EXPECT_EQ(other["result"]["message"], "O arquivo não traz vôos da companhia PNT (companhias no arquivo: CRZ, ABR).");

  auto exported = rpc.data("GetSsim", {"0001", "0001", "2026-01-01", "2026-12-31"});
  EXPECT_EQ(exported["exportados"], 5);
  EXPECT_EQ(exported["naoExportados"].size(), 0u);
  EXPECT_NE(exported["arquivo"].get<std::string>().find("3 ABR25000103J01JAN2631DEC261 3 5   MAO23302330"),
            std::string::npos);
  EXPECT_EQ(rpc.call("GetSsim", {"0001", "0001", "2026-13-01", ""})["result"]["message"],
            "Data inicial inválida: 2026-13-01 (use aaaa-mm-dd).");
}

#ifdef ZOR_TEST_BACKEND_PG
INSTANTIATE_TEST_SUITE_P(Postgres, SsimExchange, ::testing::Values(std::string("pg")));
#else
INSTANTIATE_TEST_SUITE_P(Sqlite, SsimExchange, ::testing::Values(std::string("sqlite")));
#endif

}  // namespace zor::server::ssim
