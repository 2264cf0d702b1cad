// Leg editing and saving against the real server: a new leg saved and read
// back with the code the server gave it, the checks before a leg is
// accepted, the duplicate pair of bases, a refused send undoing the local
// change, and the leg delete button. Demo data of ABR at Guarulhos: flight
// 1000 flies GRU-BSB-SSA-CWB-CNF in four legs.
#include <string>
#include <vector>

#include "data_access/server_methods.h"
#include "platform/data/client_data_set.h"
#include "platform/data/db_engine_error.h"
#include "platform/library/consiste.h"
#include "platform/library/vornia.h"
#include "tests/flight_screen/screen_fixture.h"

namespace zor::Cli_zor12200 {

using namespace plat;

class LegSavingTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    Open();
    LoadCompany("0001", "ABR");
    ASSERT_TRUE(form->cdsVoo->Active());
  }

  // Moves to a flight of the list by number.
  void GoToFlight(const std::string& flight) {
    ASSERT_TRUE(form->cdsVoo->Locate("NRVOO", Variant(flight)));
    ASSERT_EQ(form->cdstrechooNRVOO->AsString(), flight);
  }

  // The record tab chosen by the person, with the leg grid focused.
  void FocusLegGrid() {
    ASSERT_TRUE(form->pgcPadrao->SelectPage(form->tshFormulario));
    ASSERT_TRUE(form->UserFocus(form->dbgVooTrecho));
  }

  // The legs the server holds for a flight of ABR at Guarulhos.
  void LoadServerLegs(const std::string& flight, TClientDataSet& legs) {
    data_access::VooTrechoServer server(*form->netVooTrecho);
    legs.SetData(Consiste::CheckResultServ(server.GetTrecho("0001", flight, "0001"), true, 0));
  }
  std::vector<std::string> ServerRoute(const std::string& flight) {
    TClientDataSet legs;
    LoadServerLegs(flight, legs);
    std::vector<std::string> route;
    for (legs.First(); !legs.Eof(); legs.Next())
      route.push_back(legs.FieldByName("CDTRECHO")->AsString() + " " + legs.FieldByName("SGBASEORI")->AsString() +
                      "-" + legs.FieldByName("SGBASEDES")->AsString());
    return route;
  }

  // Someone else changes the landing time of a leg on the server.
  void ChangeLegElsewhere(const std::string& flight, const std::string& leg, const std::string& landing) {
    TClientDataSet legs;
    LoadServerLegs(flight, legs);
    ASSERT_TRUE(legs.Locate("CDTRECHO", Variant(leg)));
    legs.Edit();
    legs.FieldByName("HRPOUSOVOO")->SetAsString(landing);
    legs.Post();
    data_access::VooTrechoServer server(*form->netVooTrecho);
    Consiste::CheckResultServ(server.SetTrecho(legs.Delta()), true, 0);
  }

  // Starts a leg with the leg grid focused and fills it as the person would.
  void StartLeg(const std::string& origin, const std::string& destination, const std::string& takeOff) {
    FocusLegGrid();
    form->sbtIncluir->UserClick();
    ASSERT_EQ(form->cdstrechoo->State(), dsInsert);
    if (!origin.empty()) form->cdstrechooSGBASEORI->SetAsString(origin);
    if (!destination.empty()) form->cdstrechooSGBASEDES->SetAsString(destination);
    if (!takeOff.empty()) form->cdstrechooHRDECOLVOO->SetText(takeOff);
  }
};

// Each test that changes the server's data works on a database of its own.
class LegInsertTest : public LegSavingTest {};
class LegRepeatTest : public LegSavingTest {};
class LegChangeTest : public LegSavingTest {};
class LegDeletionTest : public LegSavingTest {};
class LegRefusalTest : public LegSavingTest {};
class LegDeletionRefusalTest : public LegSavingTest {};

// ---------------------------------------------------------------- new legs

TEST_F(LegInsertTest, ANewLegIsSavedAndShownWithTheCodeTheServerGaveIt) {
  TfrmVoo& f = *form;
  GoToFlight("1000");
  ASSERT_EQ(ServerRoute("1000").size(), 4u);
  StartLeg("CNF", "GRU", "22:10");  // no landing time: it may stay empty
  f.sbtConfirmar->UserClick();
  EXPECT_EQ(LastMessage(), "");
  EXPECT_EQ(f.cdstrechoo->State(), dsBrowse);
  EXPECT_EQ(f.cdsVoo->State(), dsBrowse);
  EXPECT_EQ(f.cdstrechoo->ChangeCount(), 0);
  EXPECT_EQ(ui.BusyDepth(), 0);

  const std::vector<std::string> route = ServerRoute("1000");
  ASSERT_EQ(route.size(), 5u);
  EXPECT_EQ(route.back(), "0005 CNF-GRU");
  // The screen shows the list as the server holds it, from its first leg,
  // with that leg's classes.
  EXPECT_EQ(f.cdstrechoo->RecordCount(), 5);
  EXPECT_EQ(f.cdstrechoo->RecNo(), 1);
  EXPECT_EQ(f.cdsClasseVooCDTRECHO->AsString(), "0001");
  f.cdstrechoo->Last();
  EXPECT_EQ(f.cdstrechooCDTRECHO->AsString(), "0005");
  EXPECT_EQ(f.cdstrechooCDFILIAL->AsString(), "0001");
  EXPECT_EQ(f.cdstrechooHRDECOLVOO->AsString(), "2210");
  EXPECT_TRUE(f.cdstrechooHRPOUSOVOO->IsNull());
  EXPECT_EQ(f.cdstrechooIDSITVOOTRE->AsString(), "1");
  EXPECT_EQ(Vornia::LastRefreshedTables(), std::vector<std::string>{"VOOTRECHO"});
}

TEST_F(LegSavingTest, TheChecksNameTheFirstMissingValueAndKeepTheLeg) {
  TfrmVoo& f = *form;
  GoToFlight("1000");
  StartLeg("", "", "");
  f.sbtConfirmar->UserClick();
  EXPECT_EQ(LastMessage(), "Base Origem deve ser informada.");
  EXPECT_EQ(f.dbgVooTrecho->SelectedField(), f.cdstrechooSGBASEORI);
  EXPECT_EQ(f.cdstrechoo->State(), dsInsert);

  f.cdstrechooSGBASEORI->SetAsString("CNF");
  f.sbtConfirmar->UserClick();
  EXPECT_EQ(LastMessage(), "Base Destino deve ser informada.");
  EXPECT_EQ(f.dbgVooTrecho->SelectedField(), f.cdstrechooSGBASEDES);

  f.cdstrechooSGBASEDES->SetAsString("POA");
  f.sbtConfirmar->UserClick();
  EXPECT_EQ(LastMessage(), "Hora de decolagem do vôo deve ser informada.");
  EXPECT_EQ(f.dbgVooTrecho->SelectedField(), f.cdstrechooHRDECOLVOO);
  EXPECT_EQ(f.cdstrechoo->State(), dsInsert);
  EXPECT_EQ(ServerRoute("1000").size(), 4u) << "nothing was sent";
}

TEST_F(LegRepeatTest, ANewLegMayNotRepeatThePairOfBasesOfAnotherLeg) {
  TfrmVoo& f = *form;
  GoToFlight("1000");
  StartLeg("GRU", "BSB", "09:00");
  f.sbtConfirmar->UserClick();
  EXPECT_EQ(LastMessage(), "Trecho já cadastrado.");
  EXPECT_EQ(f.cdstrechoo->State(), dsInsert);
  EXPECT_EQ(ServerRoute("1000").size(), 4u);

  // Another destination from the same origin is another leg.
  f.cdstrechooSGBASEDES->SetAsString("CNF");
  f.sbtConfirmar->UserClick();
  EXPECT_EQ(f.cdstrechoo->State(), dsBrowse);
  EXPECT_EQ(ServerRoute("1000").back(), "0005 GRU-CNF");
}

TEST_F(LegChangeTest, AnExistingLegIsSavedWhileTheFlightIsOnlyBrowsed) {
  TfrmVoo& f = *form;
  GoToFlight("1000");
  ASSERT_TRUE(f.cdstrechoo->Locate("CDTRECHO", Variant("0002")));
  // Changing a leg to the bases of another one is not held against it.
  f.cdstrechoo->Edit();
  f.cdstrechooSGBASEORI->SetAsString("GRU");
  f.cdstrechooSGBASEDES->SetAsString("BSB");
  f.cdstrechooHRPOUSOVOO->SetText("23:45");
  f.cdstrechoo->Post();
  EXPECT_EQ(LastMessage(), "");
  EXPECT_EQ(f.cdsVoo->State(), dsBrowse);
  EXPECT_EQ(f.cdstrechoo->RecordCount(), 4);
  EXPECT_EQ(f.cdstrechoo->RecNo(), 1) << "the list is reloaded from its first leg";
  const std::vector<std::string> route = ServerRoute("1000");
  EXPECT_EQ(route[1], "0002 GRU-BSB");
  ASSERT_TRUE(f.cdstrechoo->Locate("CDTRECHO", Variant("0002")));
  EXPECT_EQ(f.cdstrechooHRPOUSOVOO->AsString(), "2345");
}

TEST_F(LegSavingTest, AFailingFlightCheckKeepsBothFlightAndLegUnsent) {
  TfrmVoo& f = *form;
  GoToFlight("1000");
  StartLeg("CNF", "FOR", "21:00");
  ASSERT_EQ(f.cdsVoo->State(), dsEdit);
  f.cdsVooQTHRKDTCAR->Clear();
  f.sbtConfirmar->UserClick();
  EXPECT_EQ(LastMessage(), "Horas de KDT carrego deve ser informada.");
  EXPECT_EQ(f.cdsVoo->State(), dsEdit);
  EXPECT_EQ(f.cdstrechoo->State(), dsInsert);
  EXPECT_EQ(ServerRoute("1000").size(), 4u);
}

// A leg cannot be started without a flight to hang it on.
TEST_F(LegSavingTest, NoLegIsStartedWithoutAFlight) {
  LoadCompany("0001", "AMZ");
  ASSERT_TRUE(form->cdsVoo->IsEmpty());
  EXPECT_THROW(form->cdstrechoo->Insert(), EAbort);
  EXPECT_EQ(form->cdstrechoo->State(), dsBrowse);
  EXPECT_EQ(form->cdsVoo->State(), dsBrowse);
}

// ---------------------------------------------------------------- refusals

TEST_F(LegRefusalTest, ARefusedChangeIsUndoneWithTheServersMessageAndNotReloaded) {
  TfrmVoo& f = *form;
  GoToFlight("1000");
  ASSERT_TRUE(f.cdstrechoo->Locate("CDTRECHO", Variant("0003")));
  const std::string landing = f.cdstrechooHRPOUSOVOO->AsString();
  ChangeLegElsewhere("1000", "0003", "2350");

  f.cdstrechoo->Edit();
  f.cdstrechooHRDECOLVOO->SetText("20:00");
  EXPECT_THROW(f.cdstrechoo->Post(), EAbort);
  EXPECT_NE(LastMessage().find("alterado por outro usuário"), std::string::npos) << LastMessage();
  EXPECT_EQ(ui.BusyDepth(), 0);
  EXPECT_EQ(f.cdstrechoo->ChangeCount(), 0);
  // The local change is gone and the list was not reloaded: the leg shows
  // what it showed before, not the other person's value.
  EXPECT_EQ(f.cdstrechooCDTRECHO->AsString(), "0003");
  EXPECT_NE(f.cdstrechooHRDECOLVOO->AsString(), "2000");
  EXPECT_EQ(f.cdstrechooHRPOUSOVOO->AsString(), landing);
}

TEST_F(LegDeletionRefusalTest, ARefusedDeletionIsReportedAndTheLegComesBack) {
  TfrmVoo& f = *form;
  GoToFlight("1000");
  ASSERT_TRUE(f.cdstrechoo->Locate("CDTRECHO", Variant("0004")));
  ChangeLegElsewhere("1000", "0004", "2355");
  FocusLegGrid();
  ui.Answers.push_back(true);
  f.sbtExluTrecho->UserClick();
  EXPECT_NE(LastMessage().find("alterado por outro usuário"), std::string::npos) << LastMessage();
  EXPECT_EQ(ui.BusyDepth(), 0);
  EXPECT_EQ(f.cdstrechoo->RecordCount(), 4);
  EXPECT_EQ(f.cdstrechoo->ChangeCount(), 0);
  EXPECT_EQ(ServerRoute("1000").size(), 4u);
  ASSERT_TRUE(f.cdstrechoo->Locate("CDTRECHO", Variant("0004")));
  EXPECT_EQ(f.cdstrechooHRPOUSOVOO->AsString(), "2355") << "shown again as the server holds it";
}

// ---------------------------------------------------------------- deletion

TEST_F(LegDeletionTest, TheOnlyLegIsRefusedBeforeAnyQuestion) {
  TfrmVoo& f = *form;
  GoToFlight("1017");
  ASSERT_EQ(f.cdstrechoo->RecordCount(), 1);
  FocusLegGrid();
  ui.ClearEvents();
  f.sbtExluTrecho->UserClick();
  EXPECT_EQ(LastMessage(), "Exclusão não permitida, pois o vôo só possui este trecho.");
  EXPECT_FALSE(ui.LastQuestion().has_value());
  EXPECT_EQ(ServerRoute("1017").size(), 1u);
}

TEST_F(LegDeletionTest, ALegOfATwoLegFlightIsDeletedAfterTheQuestionAndStaysDeleted) {
  TfrmVoo& f = *form;
  GoToFlight("1001");
  ASSERT_EQ(f.cdstrechoo->RecordCount(), 2);
  f.cdstrechoo->Last();
  const std::string kept = ServerRoute("1001").front();
  FocusLegGrid();

  f.sbtExluTrecho->UserClick();  // answered No
  EXPECT_EQ(ui.LastQuestion().value_or(""), "Confirmar exclusão do trecho?");
  EXPECT_EQ(f.cdstrechoo->RecordCount(), 2);
  EXPECT_EQ(ServerRoute("1001").size(), 2u);

  ui.Answers.push_back(true);
  f.sbtExluTrecho->UserClick();
  EXPECT_EQ(LastMessage(), "");
  EXPECT_EQ(f.cdstrechoo->RecordCount(), 1);
  EXPECT_EQ(f.cdsVooNRVOO->AsString(), "1001") << "only the legs were reloaded";
  EXPECT_EQ(ServerRoute("1001"), std::vector<std::string>{kept});
  EXPECT_EQ(ui.BusyDepth(), 0);

  f.sbtVerificar->UserClick();
  EXPECT_EQ(f.cdstrechoo->RecordCount(), 1);
  // Now the only leg left, it cannot go.
  f.sbtExluTrecho->UserClick();
  EXPECT_EQ(LastMessage(), "Exclusão não permitida, pois o vôo só possui este trecho.");
}

// The reload after a deletion would throw away what is being typed.
TEST_F(LegDeletionTest, NoLegIsDeletedWhileAFlightOrLegIsBeingEdited) {
  TfrmVoo& f = *form;
  GoToFlight("1000");
  FocusLegGrid();
  f.sbtAlterar->UserClick();
  ASSERT_EQ(f.cdsVoo->State(), dsEdit);
  f.cdsVooQTHRKDTCAR->SetAsString("0245");
  ui.Answers.push_back(true);
  f.sbtExluTrecho->UserClick();
  EXPECT_EQ(LastMessage(), "Confirme ou cancele as alterações em andamento antes de excluir o trecho.");
  EXPECT_EQ(f.cdsVoo->State(), dsEdit);
  EXPECT_EQ(f.cdsVooQTHRKDTCAR->AsString(), "0245");
  EXPECT_EQ(ServerRoute("1000").size(), 4u);
}

// ---------------------------------------------------------------- post errors

TEST_F(LegSavingTest, AnEngineRuleErrorShowsOnlyTheFirstLineOfItsSecondEntry) {
  TfrmVoo& f = *form;
  TDataAction action = daFail;
  EDBEngineError rule("falha geral", {{1, "primeira"}, {20002, "Trecho fora da malha.\ndetalhe técnico da regra"}});
  f.cdstrechooPostError(nullptr, rule, action);
  EXPECT_EQ(rule.Message(), "Trecho fora da malha.");
  EXPECT_EQ(action, daFail) << "the post still fails";

  EDBEngineError other("falha geral", {{1, "primeira"}, {20001, "outra\nregra"}});
  f.cdstrechooPostError(nullptr, other, action);
  EXPECT_EQ(other.Message(), "falha geral");
}

}  // namespace zor::Cli_zor12200
