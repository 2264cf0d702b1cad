// Deleting a flight from the screen while a second desk works on the same
// company: the flight goes with its legs and classes, or, when the server
// refuses (the other desk changed the flight after this desk loaded it),
// nothing is deleted and the screen shows the flight as the server holds it.
// Flights of CRZ at Guarulhos seeded per test by the second desk.
#include <string>

#include "server/dataset_catalog.h"
#include "tests/flight_screen/screen_fixture.h"

namespace zor::Cli_zor12200 {

using namespace plat;
namespace zt = zor::server::testing;
using zor::server::ClasseVooDataset;
using zor::server::TrechoDataset;
using zor::server::VooDataset;

class FlightDeletionTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    if (IsSkipped()) return;
    deskB = std::make_unique<zt::RpcClient>(server->Port());
  }

  // Desk B stores a flight of CRZ with two legs (GRU-GIG, GIG-BSB) and a
  // class on each leg.
  void Seed(const std::string& nr) {
    Save("SetVoo", zt::Delta(VooDataset(), {zt::InsertChange(zt::NewFlight(nr))}));
    Save("SetTrecho", zt::Delta(TrechoDataset(), {zt::InsertChange(zt::NewLeg(nr, "0001", "0003")),
                                                  zt::InsertChange(zt::NewLeg(nr, "0003", "0005"))}));
    Save("SetClasseVoo", zt::Delta(ClasseVooDataset(), {zt::InsertChange(zt::NewClass(nr, "0001", "0004")),
                                                        zt::InsertChange(zt::NewClass(nr, "0002", "0002"))}));
  }
  void Save(const std::string& method, const zt::json& delta) {
    zt::json r = deskB->Call(method, zt::json::array({delta}));
    ASSERT_EQ(r["result"]["ok"], true) << r.dump();
  }
  // Desk B changes the KDT hours of a flight it has just read.
  void ChangeElsewhere(const std::string& nr, const std::string& kdt) {
    zt::json row = ServerFlight(nr);
    ASSERT_FALSE(row.is_null()) << "no flight " << nr;
    Save("SetVoo", zt::Delta(VooDataset(), {zt::ModifyChange(row, zt::WithValues(VooDataset(), row,
                                                                                  {{"QTHRKDTCAR", kdt}}))}));
  }
  zt::json ServerFlight(const std::string& nr) {
    zt::json flights = deskB->Data("GetVoo", {"0001", "0002"});
    for (const auto& row : flights["rows"])
      if (zt::Field(VooDataset(), row, "NRVOO") == nr) return row;
    return nullptr;
  }
  int ServerLegs(const std::string& nr) {
    zt::json legs = deskB->Data("GetTrecho", {"0002", nr, "0001"});
    return static_cast<int>(legs["rows"].size());
  }
  int ServerClasses(const std::string& nr, const std::string& leg) {
    zt::json classes = deskB->Data("GetClasseVoo", {"0001", "0002", leg, nr});
    return static_cast<int>(classes["rows"].size());
  }
  bool OnServer(const std::string& nr) { return !ServerFlight(nr).is_null(); }

  std::unique_ptr<zt::RpcClient> deskB;
};

TEST_F(FlightDeletionTest, ARefusedDeletionLeavesFlightLegsAndClassesAndShowsThemAsStored) {
  Seed("7701");
  Seed("7702");
  Open();
  LoadCompany("0001", "CRZ");
  TfrmVoo& f = *form;
  const int flights = f.cdsVoo->RecordCount();
  ASSERT_TRUE(f.cdsVoo->Locate("NRVOO", Variant("7702")));
  ASSERT_EQ(f.cdstrechoo->RecordCount(), 2);

  ChangeElsewhere("7702", "0330");
  const std::string stored = zt::Snapshot(server->Pool());

  ui.Answers.push_back(true);
  f.sbtExcluir->UserClick();
  EXPECT_EQ(ui.LastQuestion().value_or(""),
            "Este vôo possui trecho(s) que também será(ão) excluído(s). Confirma exclusão?");
  EXPECT_EQ(LastMessage(), "O vôo 7702 foi alterado por outro usuário. Atualize os dados e tente novamente.");
  EXPECT_TRUE(zt::Snapshot(server->Pool()) == stored) << "nothing may be deleted";
  EXPECT_EQ(ServerLegs("7702"), 2);
  EXPECT_EQ(ServerClasses("7702", "0001"), 1);

  // The screen stands on that flight, as stored, with its legs and classes.
  EXPECT_EQ(ui.BusyDepth(), 0);
  EXPECT_EQ(f.cdsVoo->State(), dsBrowse);
  EXPECT_EQ(f.cdsVoo->ChangeCount(), 0);
  EXPECT_EQ(f.cdsVoo->RecordCount(), flights);
  EXPECT_EQ(f.cdsVooNRVOO->AsString(), "7702");
  EXPECT_EQ(f.cdsVooQTHRKDTCAR->AsString(), "0330");
  ASSERT_EQ(f.cdstrechoo->RecordCount(), 2);
  EXPECT_EQ(f.cdstrechooNRVOO->AsString(), "7702");
  EXPECT_EQ(f.cdsClasseVoo->RecordCount(), 1);
  EXPECT_EQ(f.cdsClasseVooNRVOO->AsString(), "7702");

  // Deleting again now deletes that flight, and only that one.
  ui.Answers.push_back(true);
  ui.ClearEvents();
  f.sbtExcluir->UserClick();
  EXPECT_EQ(LastMessage(), "");
  EXPECT_FALSE(OnServer("7702"));
  EXPECT_TRUE(OnServer("7701"));
  EXPECT_EQ(ServerLegs("7701"), 2);
  EXPECT_EQ(f.cdsVoo->RecordCount(), flights - 1);
}

TEST_F(FlightDeletionTest, AnAcceptedDeletionRemovesFlightLegsAndClasses) {
  Seed("7703");
  Open();
  LoadCompany("0001", "CRZ");
  TfrmVoo& f = *form;
  ASSERT_TRUE(f.cdsVoo->Locate("NRVOO", Variant("7703")));
  ui.Answers.push_back(true);
  f.sbtExcluir->UserClick();
  EXPECT_EQ(LastMessage(), "");
  EXPECT_FALSE(OnServer("7703"));
  EXPECT_EQ(ServerLegs("7703"), 0);
  EXPECT_EQ(ServerClasses("7703", "0001"), 0);
  EXPECT_EQ(ServerClasses("7703", "0002"), 0);
  EXPECT_FALSE(f.cdsVoo->Locate("NRVOO", Variant("7703")));
  EXPECT_EQ(ui.BusyDepth(), 0);
}

// A flight another desk deleted meanwhile: the screen says so and drops it.
TEST_F(FlightDeletionTest, AFlightAlreadyDeletedElsewhereIsReportedAndLeavesTheList) {
  Seed("7704");
  Seed("7705");
  Open();
  LoadCompany("0001", "CRZ");
  TfrmVoo& f = *form;
  const int flights = f.cdsVoo->RecordCount();
  ASSERT_TRUE(f.cdsVoo->Locate("NRVOO", Variant("7705")));
  Save("SetVoo", zt::Delta(VooDataset(), {zt::DeleteChange(ServerFlight("7705"))}));
  ASSERT_FALSE(OnServer("7705"));

  ui.Answers.push_back(true);
  f.sbtExcluir->UserClick();
  EXPECT_EQ(LastMessage(), "O vôo 7705 foi excluído por outro usuário. Atualize os dados e tente novamente.");
  EXPECT_EQ(f.cdsVoo->RecordCount(), flights - 1);
  EXPECT_FALSE(f.cdsVoo->Locate("NRVOO", Variant("7705")));
  EXPECT_TRUE(OnServer("7704"));
  EXPECT_EQ(ServerLegs("7704"), 2);
  // The legs shown belong to the flight now current.
  EXPECT_EQ(f.cdstrechooNRVOO->AsString(), f.cdsVooNRVOO->AsString());
}

}  // namespace zor::Cli_zor12200
