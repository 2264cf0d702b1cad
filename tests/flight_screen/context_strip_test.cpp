// The branch and company strip: checks, messages and the load on leaving it.
#include <map>
#include <sstream>
#include <string>

#include "tests/flight_screen/screen_fixture.h"

namespace zor::Cli_zor12200 {

using namespace plat;

TEST_F(ScreenTest, AShortBranchCodeIsPaddedAndClearsTheCompany) {
  TfrmVoo& f = Open();
  f.medSgCia->SetText("ABR");
  EXPECT_TRUE(TypeAndLeave(f.medCdFilial, "2", f.medSgCia));
  EXPECT_EQ(f.medCdFilial->Text(), "0002");
  EXPECT_EQ(f.edtNmFilial->Text(), "Congonhas");
  EXPECT_EQ(f.medSgCia->Text(), "");
  EXPECT_EQ(f.edtNmCia->Text(), "");
}

TEST_F(ScreenTest, UnknownAndRescindedBranchesAreRefusedWithTheFocusKept) {
  TfrmVoo& f = Open();
  EXPECT_FALSE(TypeAndLeave(f.medCdFilial, "9999", f.medSgCia));
  EXPECT_EQ(LastMessage(), "Filial não cadastrada.");
  EXPECT_TRUE(f.medCdFilial->Focused());
  EXPECT_EQ(f.edtNmFilial->Text(), "");
  EXPECT_FALSE(TypeAndLeave(f.medCdFilial, "0005", f.medSgCia));
  EXPECT_EQ(LastMessage(), "Filial com contrato rescindido.");
  EXPECT_EQ(f.edtNmFilial->Text(), "Recife");
}

TEST_F(ScreenTest, LeavingTheStripWithoutBranchOrCompanyNamesWhatIsMissing) {
  TfrmVoo& f = Open();
  EXPECT_TRUE(TypeAndLeave(f.medCdFilial, "", f.medSgCia));
  EXPECT_FALSE(f.UserFocus(f.dbgPadrao));
  EXPECT_EQ(LastMessage(), "Filial deve ser informada.");
  EXPECT_TRUE(TypeAndLeave(f.medCdFilial, "0001", f.medSgCia));
  EXPECT_FALSE(f.UserFocus(f.dbgPadrao));
  EXPECT_EQ(LastMessage(), "Companhia deve ser informada.");
  EXPECT_TRUE(f.medSgCia->Focused());
}

TEST_F(ScreenTest, ACompanyNotLinkedToTheBranchIsNotRegistered) {
  TfrmVoo& f = Open();
  // Amazônia flies from Guarulhos but not from Congonhas.
  TypeAndLeave(f.medCdFilial, "0002", f.medSgCia);
  EXPECT_FALSE(TypeAndLeave(f.medSgCia, "AMZ", f.dbgPadrao));
  EXPECT_EQ(LastMessage(), "Companhia não cadastrada.");
  EXPECT_FALSE(f.cdsVoo->Active());
}

TEST_F(ScreenTest, LeavingTheStripLoadsFlightsLegsAndClasses) {
  TfrmVoo& f = Open();
  LoadCompany("0001", "abr");
  EXPECT_EQ(f.edtNmCia->Text(), "Aerobrasil Linhas Aéreas");
  EXPECT_EQ(f.qryCompanhiaCDCIA->AsString(), "0001");
  ASSERT_TRUE(f.cdsVoo->Active());
  EXPECT_EQ(f.cdsVoo->RecordCount(), 30);
  EXPECT_EQ(f.cdsVoo->RecNo(), 1);
  ASSERT_TRUE(f.cdstrechoo->Active());
  EXPECT_GE(f.cdstrechoo->RecordCount(), 1);
  EXPECT_EQ(f.cdstrechooNRVOO->AsString(), f.cdsVooNRVOO->AsString());
  ASSERT_TRUE(f.cdsClasseVoo->Active());
  if (!f.cdsClasseVoo->IsEmpty()) {
    EXPECT_EQ(f.cdsClasseVooCDTRECHO->AsString(), f.cdstrechooCDTRECHO->AsString());
  }
  EXPECT_TRUE(f.tshFormulario->Enabled());
  EXPECT_TRUE(f.mnuConfigVoo->Enabled());
  EXPECT_EQ(ui.BusyDepth(), 0);
}

namespace {

// How many calls of each method the server has answered, read from its
// GET /metrics counters (every outcome summed).
std::map<std::string, long> ServerCalls(int port) {
  httplib::Client client("127.0.0.1", port);
  auto res = client.Get("/metrics");
  std::map<std::string, long> calls;
  if (!res || res->status != 200) return calls;
  std::istringstream lines(res->body);
  const std::string prefix = "zor_calls_total{method=\"";
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind(prefix, 0) != 0) continue;
    const size_t end = line.find('"', prefix.size());
    calls[line.substr(prefix.size(), end - prefix.size())] += std::stol(line.substr(line.rfind(' ') + 1));
  }
  return calls;
}

// The calls answered between `before` and `after`, by method.
std::map<std::string, long> CallsBetween(const std::map<std::string, long>& before,
                                         const std::map<std::string, long>& after) {
  std::map<std::string, long> diff;
  for (const auto& [method, n] : after) {
    const auto it = before.find(method);
    const long d = n - (it == before.end() ? 0 : it->second);
    if (d != 0) diff[method] = d;
  }
  return diff;
}

}  // namespace

// Leaving the strip asks the server once for the flights, once for the
// first flight's legs and once for the first leg's classes, with or without
// flights to show.
TEST_F(ScreenTest, LeavingTheStripAsksOnceForEachDataset) {
  const std::map<std::string, long> once = {{"GetClasseVoo", 1}, {"GetTrecho", 1}, {"GetVoo", 1}};
  TfrmVoo& f = Open();
  for (const char* company : {"ABR", "AMZ"}) {
    SCOPED_TRACE(company);
    TypeAndLeave(f.medCdFilial, "0001", f.medSgCia);
    f.UserFocus(f.medSgCia);
    f.medSgCia->UserSetText(company);
    const auto before = ServerCalls(server->Port());
    ASSERT_TRUE(f.UserFocus(f.dbgPadrao));
    EXPECT_EQ(CallsBetween(before, ServerCalls(server->Port())), once);
    ASSERT_TRUE(f.cdstrechoo->Active());
    ASSERT_TRUE(f.cdsClasseVoo->Active());
    EXPECT_EQ(f.cdstrechoo->IsEmpty(), f.cdsVoo->IsEmpty());
  }
}

TEST_F(ScreenTest, ACompanyWithoutFlightsLeavesTheTabsDisabled) {
  TfrmVoo& f = Open();
  // Amazônia has no flights in the demo data.
  LoadCompany("0001", "AMZ");
  ASSERT_TRUE(f.cdsVoo->Active());
  EXPECT_TRUE(f.cdsVoo->IsEmpty());
  EXPECT_FALSE(f.tshFormulario->Enabled());
  EXPECT_FALSE(f.tshConfigVoo->Enabled());
  EXPECT_FALSE(f.mnuFolhaDados->Enabled());
}

TEST_F(ScreenTest, EnteringTheStripAgainClosesTheFlightData) {
  TfrmVoo& f = Open();
  LoadCompany("0001", "ABR");
  f.UserFocus(f.medSgCia);
  EXPECT_FALSE(f.cdsVoo->Active());
  EXPECT_FALSE(f.cdstrechoo->Active());
  EXPECT_EQ(f.pgcPadrao->ActivePage(), f.tshFolhaDados);
  EXPECT_FALSE(f.tshFormulario->Enabled());
}

TEST_F(ScreenTest, TheLookupButtonsFillBranchAndCompany) {
  TfrmVoo& f = Open();
  ui.Picks.push_back(2);  // Galeão, third branch by code
  f.btnPesqFilial->UserClick();
  EXPECT_EQ(f.medCdFilial->Text(), "0003");
  EXPECT_EQ(f.edtNmFilial->Text(), "Galeão");
  ui.Picks.push_back(0);
  f.btpCompanhia->UserClick();
  EXPECT_EQ(f.medSgCia->Text(), "ABR");
  EXPECT_EQ(f.edtNmCia->Text(), "Aerobrasil Linhas Aéreas");
  ASSERT_FALSE(ui.PickLists().empty());
  EXPECT_EQ(ui.PickLists().back().Title, "Companhia");
}

namespace {

// The busy indicators the person saw put up since the events were cleared.
int BusyShows(const ScriptedUi& ui) {
  int shows = 0;
  for (const auto& e : ui.Events()) shows += e.kind == ScriptedUi::Kind::Busy;
  return shows;
}

}  // namespace

// Every call shows that the screen is busy, the loads that follow a cursor
// move included; the calls that run inside another keep its indicator, so
// the person sees one indicator for the whole wait, not one per call.
TEST_F(ScreenTest, EveryLoadShowsTheBusyIndicatorOnceForTheWholeWait) {
  TfrmVoo& f = Open();
  TypeAndLeave(f.medCdFilial, "0001", f.medSgCia);
  f.medSgCia->UserSetText("ABR");
  ui.ClearEvents();
  ASSERT_TRUE(f.UserFocus(f.dbgPadrao));  // flights, the first one's legs, its first leg's classes
  EXPECT_EQ(BusyShows(ui), 1);
  EXPECT_EQ(ui.BusyDepth(), 0);

  // A move of the flight cursor loads that flight's legs and their first
  // leg's classes.
  ui.ClearEvents();
  auto before = ServerCalls(server->Port());
  ASSERT_TRUE(f.dbgPadrao->UserKeyDown(VK_DOWN));
  ASSERT_EQ(f.cdsVoo->RecNo(), 2);
  EXPECT_EQ(CallsBetween(before, ServerCalls(server->Port())),
            (std::map<std::string, long>{{"GetClasseVoo", 1}, {"GetTrecho", 1}}));
  EXPECT_EQ(BusyShows(ui), 1);
  EXPECT_EQ(ui.Events().back().text, "6");
  EXPECT_EQ(ui.BusyDepth(), 0);

  // A move of the leg cursor loads that leg's classes.
  ASSERT_GE(f.cdstrechoo->RecordCount(), 2);
  ASSERT_TRUE(f.UserFocus(f.dbgTrecho));
  ui.ClearEvents();
  before = ServerCalls(server->Port());
  ASSERT_TRUE(f.dbgTrecho->UserKeyDown(VK_DOWN));
  ASSERT_EQ(f.cdstrechoo->RecNo(), 2);
  EXPECT_EQ(CallsBetween(before, ServerCalls(server->Port())), (std::map<std::string, long>{{"GetClasseVoo", 1}}));
  EXPECT_EQ(BusyShows(ui), 1);
  EXPECT_EQ(ui.BusyDepth(), 0);
}

}  // namespace zor::Cli_zor12200
