// The command bar and the screen's modes: which commands, tabs, menu items
// and fields are open while flights, legs and classes are browsed or edited,
// what each command acts on, and the deletions with their questions.
#include <functional>

#include "data_access/server_methods.h"
#include "flight_screen/screen_state.h"
#include "platform/data/client_data_set.h"
#include "platform/library/consiste.h"
#include "platform/library/vornia.h"
#include "tests/flight_screen/screen_fixture.h"

namespace zor::Cli_zor12200 {

using namespace plat;

namespace {

struct Commands {
  bool insert, others, confirmCancel;
};

// The seven commands as the menu shows them; the buttons must agree.
Commands CommandState(const TfrmVoo& f) {
  EXPECT_EQ(f.sbtIncluir->Enabled(), f.mnuIncluir->Enabled());
  EXPECT_EQ(f.sbtAlterar->Enabled(), f.mnuAlterar->Enabled());
  EXPECT_EQ(f.sbtExcluir->Enabled(), f.mnuExcluir->Enabled());
  EXPECT_EQ(f.sbtProcurar->Enabled(), f.mnuProcurar->Enabled());
  EXPECT_EQ(f.sbtVerificar->Enabled(), f.mnuVerificar->Enabled());
  EXPECT_EQ(f.sbtCancelar->Enabled(), f.mnuCancelar->Enabled());
  EXPECT_EQ(f.sbtConfirmar->Enabled(), f.mnuConfirmar->Enabled());
  const bool others = f.mnuAlterar->Enabled();
  EXPECT_EQ(f.mnuExcluir->Enabled(), others);
  EXPECT_EQ(f.mnuProcurar->Enabled(), others);
  EXPECT_EQ(f.mnuVerificar->Enabled(), others);
  EXPECT_EQ(f.mnuCancelar->Enabled(), f.mnuConfirmar->Enabled());
  return {f.mnuIncluir->Enabled(), others, f.mnuConfirmar->Enabled()};
}

void ExpectCommands(const TfrmVoo& f, bool insert, bool others, bool confirmCancel) {
  Commands c = CommandState(f);
  EXPECT_EQ(c.insert, insert);
  EXPECT_EQ(c.others, others);
  EXPECT_EQ(c.confirmCancel, confirmCancel);
}

void ExpectContextOpen(const TfrmVoo& f, bool open) {
  EXPECT_EQ(f.medSgCia->Enabled(), open);
  EXPECT_EQ(f.btpCompanhia->Enabled(), open);
  EXPECT_EQ(f.lblCia->Enabled(), open);
  EXPECT_EQ(f.medCdFilial->Enabled(), open);
  EXPECT_EQ(f.btnPesqFilial->Enabled(), open);
  EXPECT_EQ(f.lblFilial->Enabled(), open);
}

}  // namespace

class CommandBarTest : public ScreenTest {
 protected:
  TfrmVoo& OpenAbr(bool branchFixed = false) {
    Open(branchFixed);
    LoadCompany("0001", "ABR");
    EXPECT_TRUE(form->cdsVoo->Active());
    return *form;
  }
  // Moves the flight cursor to the first flight whose legs satisfy `pred`.
  bool FindFlight(const std::function<bool(int legs)>& pred) {
    for (form->cdsVoo->First(); !form->cdsVoo->Eof(); form->cdsVoo->Next())
      if (pred(form->cdstrechoo->RecordCount())) return true;
    return false;
  }
  // The record tab chosen by the person, with the leg grid focused.
  void FocusLegGrid() {
    ASSERT_TRUE(form->pgcPadrao->SelectPage(form->tshFormulario));
    ASSERT_TRUE(form->UserFocus(form->dbgVooTrecho));
  }
  // The legs the server holds for a flight of ABR at Guarulhos.
  int ServerLegs(const std::string& flight) {
    data_access::VooTrechoServer server(*form->netVooTrecho);
    TClientDataSet legs;
    legs.SetData(Consiste::CheckResultServ(server.GetTrecho("0001", flight, "0001"), true, 0));
    return legs.RecordCount();
  }
};

// Each destructive group works on a database of its own.
class CommandBarDeleteTest : public CommandBarTest {};
class CommandBarClassTest : public CommandBarTest {};

// ---------------------------------------------------------------- flights

TEST_F(CommandBarTest, BrowsingFlightsAndLegsOpensEverythingButConfirmAndCancel) {
  TfrmVoo& f = OpenAbr();
  ExpectCommands(f, true, true, false);
  EXPECT_TRUE(f.dbnPadrao->Enabled());
  EXPECT_TRUE(f.tshConfigVoo->Enabled());
  EXPECT_TRUE(f.mnuConfigVoo->Enabled());
  ExpectContextOpen(f, true);
  EXPECT_FALSE(f.dbeNrVoo->Enabled());
  EXPECT_EQ(f.pgcPadrao->ActivePage(), f.tshFolhaDados);
  EXPECT_EQ(f.lblNome->Caption(), f.cdsVooNRVOO->AsString());
  EXPECT_TRUE(f.sbtExluTrecho->Enabled());
}

TEST_F(CommandBarTest, InsertingAFlightLocksTheBarAndTheContextUntilCancelled) {
  TfrmVoo& f = OpenAbr();
  f.sbtIncluir->UserClick();
  ASSERT_EQ(f.cdsVoo->State(), dsInsert);
  EXPECT_EQ(f.pgcPadrao->ActivePage(), f.tshFormulario);
  EXPECT_TRUE(f.mnuFormulario->Checked());
  EXPECT_FALSE(f.mnuFolhaDados->Checked());
  ExpectCommands(f, false, false, true);
  EXPECT_FALSE(f.dbnPadrao->Enabled());
  EXPECT_FALSE(f.tshConfigVoo->Enabled());
  EXPECT_FALSE(f.mnuConfigVoo->Enabled());
  ExpectContextOpen(f, false);
  EXPECT_TRUE(f.dbeNrVoo->Enabled());
  // A new flight starts without legs.
  EXPECT_TRUE(f.cdstrechoo->IsEmpty());
  EXPECT_FALSE(f.sbtExluTrecho->Enabled());

  ui.Answers.push_back(false);
  f.sbtCancelar->UserClick();
  EXPECT_EQ(ui.LastQuestion().value_or(""), "Deseja cancelar as alterações?");
  EXPECT_EQ(f.cdsVoo->State(), dsInsert);

  ui.Answers.push_back(true);
  f.sbtCancelar->UserClick();
  EXPECT_EQ(f.cdsVoo->State(), dsBrowse);
  EXPECT_EQ(f.cdsVoo->RecordCount(), 30);
  ExpectCommands(f, true, true, false);
  ExpectContextOpen(f, true);
  EXPECT_FALSE(f.dbeNrVoo->Enabled());
  EXPECT_TRUE(f.tshConfigVoo->Enabled());
  EXPECT_TRUE(f.dbnPadrao->Enabled());
  // The legs shown are again those of the current flight.
  EXPECT_FALSE(f.cdstrechoo->IsEmpty());
  EXPECT_EQ(f.cdstrechooNRVOO->AsString(), f.cdsVooNRVOO->AsString());
}

TEST_F(CommandBarTest, ChangingAFlightFromTheGridOpensTheRecordTabAndClosesTheGridTab) {
  TfrmVoo& f = OpenAbr();
  f.cdsVoo->MoveBy(4);
  const std::string flight = f.cdsVooNRVOO->AsString();
  f.sbtAlterar->UserClick();
  ASSERT_EQ(f.cdsVoo->State(), dsEdit);
  EXPECT_EQ(f.pgcPadrao->ActivePage(), f.tshFormulario);
  EXPECT_FALSE(f.tshFolhaDados->Enabled());
  EXPECT_TRUE(f.dbeSgEquip->Focused());
  EXPECT_FALSE(f.dbeNrVoo->Enabled());
  ExpectCommands(f, false, false, true);
  EXPECT_FALSE(f.tshConfigVoo->Enabled());
  ExpectContextOpen(f, false);

  // Confirm with only the flight in edit posts it and does not reload.
  f.sbtConfirmar->UserClick();
  EXPECT_EQ(f.cdsVoo->State(), dsBrowse);
  EXPECT_EQ(f.cdsVooNRVOO->AsString(), flight);
  EXPECT_EQ(f.cdsVoo->RecNo(), 5);
  ExpectCommands(f, true, true, false);
  EXPECT_TRUE(f.tshFolhaDados->Enabled());
  ExpectContextOpen(f, true);
}

TEST_F(CommandBarTest, AFixedBranchStaysClosedWhenTheFlightIsEdited) {
  TfrmVoo& f = OpenAbr(true);
  f.sbtIncluir->UserClick();
  EXPECT_FALSE(f.medCdFilial->Enabled());
  ui.Answers.push_back(true);
  f.sbtCancelar->UserClick();
  EXPECT_TRUE(f.medSgCia->Enabled());
  EXPECT_FALSE(f.medCdFilial->Enabled());
  EXPECT_FALSE(f.btnPesqFilial->Enabled());
}

// ---------------------------------------------------------------- legs

TEST_F(CommandBarTest, InsertWithTheLegGridFocusedStartsALegOfTheCurrentFlight) {
  TfrmVoo& f = OpenAbr();
  const std::string flight = f.cdsVooNRVOO->AsString();
  const int legs = f.cdstrechoo->RecordCount();
  FocusLegGrid();
  f.sbtIncluir->UserClick();
  ASSERT_EQ(f.cdstrechoo->State(), dsInsert);
  EXPECT_EQ(f.cdsVooNRVOO->AsString(), flight);
  ExpectCommands(f, false, false, true);
  EXPECT_FALSE(f.dbnPadrao->Enabled());
  EXPECT_FALSE(f.tshConfigVoo->Enabled());
  // The flight goes into edit with its new leg (the leg's post posts it
  // first): its context closes and its number stays locked.
  EXPECT_EQ(f.cdsVoo->State(), dsEdit);
  ExpectContextOpen(f, false);
  EXPECT_FALSE(f.dbeNrVoo->Enabled());
  EXPECT_EQ(f.pgcPadrao->ActivePage(), f.tshFormulario);

  ui.Answers.push_back(true);
  f.sbtCancelar->UserClick();
  EXPECT_EQ(f.cdstrechoo->State(), dsBrowse);
  EXPECT_EQ(f.cdsVoo->State(), dsBrowse);
  EXPECT_EQ(f.cdstrechoo->RecordCount(), legs);
  ExpectCommands(f, true, true, false);
  EXPECT_TRUE(f.tshConfigVoo->Enabled());
  ExpectContextOpen(f, true);
}

TEST_F(CommandBarTest, ChangeWithTheLegGridFocusedEditsFlightAndLeg) {
  TfrmVoo& f = OpenAbr();
  FocusLegGrid();
  f.sbtAlterar->UserClick();
  EXPECT_EQ(f.cdsVoo->State(), dsEdit);
  EXPECT_EQ(f.cdstrechoo->State(), dsEdit);
  ExpectCommands(f, false, false, true);
  EXPECT_FALSE(f.tshConfigVoo->Enabled());

  ui.Answers.push_back(true);
  f.sbtCancelar->UserClick();
  EXPECT_EQ(f.cdsVoo->State(), dsBrowse);
  EXPECT_EQ(f.cdstrechoo->State(), dsBrowse);
  ExpectCommands(f, true, true, false);
  EXPECT_TRUE(f.tshFolhaDados->Enabled());
}

TEST_F(CommandBarTest, CheckReloadsOnlyTheLegsWhileTheLegGridIsFocused) {
  TfrmVoo& f = OpenAbr();
  f.cdsVoo->MoveBy(6);
  const std::string flight = f.cdsVooNRVOO->AsString();
  FocusLegGrid();
  ui.ClearEvents();
  f.sbtVerificar->UserClick();
  EXPECT_EQ(f.cdsVoo->RecNo(), 7);
  EXPECT_EQ(f.cdstrechooNRVOO->AsString(), flight);
  EXPECT_EQ(ui.BusyDepth(), 0);
  bool busyShown = false;
  for (const auto& e : ui.Events()) busyShown = busyShown || e.kind == ScriptedUi::Kind::Busy;
  EXPECT_TRUE(busyShown);

  // Elsewhere it reloads the flights, which brings back the first one.
  ASSERT_TRUE(f.UserFocus(f.dbeSgEquip));
  f.sbtVerificar->UserClick();
  EXPECT_EQ(f.cdsVoo->RecNo(), 1);
  EXPECT_EQ(f.cdsVoo->RecordCount(), 30);
  EXPECT_EQ(f.cdstrechooNRVOO->AsString(), f.cdsVooNRVOO->AsString());
}

TEST_F(CommandBarTest, ConfirmWithALegInEditPostsFlightAndLegAndReloadsTheLegs) {
  TfrmVoo& f = OpenAbr();
  f.cdsVoo->MoveBy(2);
  const int flightRow = f.cdsVoo->RecNo();
  FocusLegGrid();
  f.sbtAlterar->UserClick();
  ASSERT_EQ(f.cdstrechoo->State(), dsEdit);
  ui.ClearEvents();
  f.sbtConfirmar->UserClick();
  EXPECT_EQ(f.cdsVoo->State(), dsBrowse);
  EXPECT_EQ(f.cdstrechoo->State(), dsBrowse);
  bool busyShown = false;
  for (const auto& e : ui.Events()) busyShown = busyShown || e.kind == ScriptedUi::Kind::Busy;
  EXPECT_TRUE(busyShown) << "the legs are reloaded after a leg is confirmed";
  EXPECT_EQ(f.cdsVoo->RecNo(), flightRow);
  ExpectCommands(f, true, true, false);
}

TEST_F(CommandBarTest, FindMovesToTheFlightAndShowsItsLegs) {
  TfrmVoo& f = OpenAbr();
  f.cdsVoo->MoveBy(11);
  const std::string wanted = f.cdsVooNRVOO->AsString();
  f.cdsVoo->First();
  ui.Searches.push_back(SearchAnswer{"NRVOO", wanted});
  f.sbtProcurar->UserClick();
  EXPECT_EQ(f.cdsVooNRVOO->AsString(), wanted);
  EXPECT_EQ(f.cdstrechooNRVOO->AsString(), wanted);
  EXPECT_EQ(f.lblNome->Caption(), wanted);
}

TEST_F(CommandBarTest, MovingToAnotherFlightReloadsItsLegsAndTheirClasses) {
  TfrmVoo& f = OpenAbr();
  f.cdsVoo->Last();
  EXPECT_EQ(f.cdstrechooNRVOO->AsString(), f.cdsVooNRVOO->AsString());
  ASSERT_FALSE(f.cdsClasseVoo->IsEmpty());
  EXPECT_EQ(f.cdsClasseVooNRVOO->AsString(), f.cdsVooNRVOO->AsString());
  EXPECT_EQ(f.cdsClasseVooCDTRECHO->AsString(), f.cdstrechooCDTRECHO->AsString());
  if (f.cdstrechoo->RecordCount() > 1) {
    f.cdstrechoo->Next();
    EXPECT_EQ(f.cdsClasseVooCDTRECHO->AsString(), f.cdstrechooCDTRECHO->AsString());
  }
}

// ---------------------------------------------------------------- record fields

TEST_F(CommandBarTest, TheRecordShowsServicesValidityAndNumberFromTheCurrentFlight) {
  TfrmVoo& f = OpenAbr();
  int clicks = 0;
  f.ccbAbast->OnClick = [&](TObject*) { ++clicks; };
  f.ccbAtend->OnClick = [&](TObject*) { ++clicks; };
  bool seen[4] = {false, false, false, false};
  bool seenExtra = false, seenRegular = false;
  for (f.cdsVoo->First(); !f.cdsVoo->Eof(); f.cdsVoo->Next()) {
    const std::string services = f.cdsVooIDABASATEN->AsString();
    if (services == "1" || services == "2" || services == "3") {
      seen[services[0] - '0'] = true;
      EXPECT_EQ(f.ccbAbast->Checked(), services != "2") << f.cdsVooNRVOO->AsString();
      EXPECT_EQ(f.ccbAtend->Checked(), services != "1") << f.cdsVooNRVOO->AsString();
    }
    const bool extra = f.cdsVooIDTIPVOO->AsString() == "2";
    (extra ? seenExtra : seenRegular) = true;
    EXPECT_EQ(f.grbVig->Enabled(), extra);
    EXPECT_EQ(f.lblDtInicio->Enabled(), extra);
    EXPECT_EQ(f.lblDtFim->Enabled(), extra);
    EXPECT_EQ(f.lblNome->Caption(), f.cdsVooNRVOO->AsString());
  }
  EXPECT_TRUE(seen[1] && seen[2] && seen[3]);
  EXPECT_TRUE(seenExtra && seenRegular);
  EXPECT_EQ(clicks, 0) << "showing a flight must not run the boxes' click handlers";
  ASSERT_TRUE(f.ccbAbast->OnClick);  // attached again

  // While editing, the boxes are left to the person.
  f.cdsVoo->First();
  f.sbtAlterar->UserClick();
  const bool abast = f.ccbAbast->Checked();
  f.cdsVooIDABASATEN->SetAsString(abast ? "2" : "1");
  EXPECT_EQ(f.ccbAbast->Checked(), abast);
  ui.Answers.push_back(true);
  f.sbtCancelar->UserClick();
}

// ---------------------------------------------------------------- tabs and menus

TEST_F(CommandBarTest, TheConfigurationMenuShowsTheClassTabAndChecksOnlyItsItem) {
  TfrmVoo& f = OpenAbr();
  f.mnuConfigVoo->UserClick();
  EXPECT_EQ(f.pgcPadrao->ActivePage(), f.tshConfigVoo);
  EXPECT_TRUE(f.mnuConfigVoo->Checked());
  EXPECT_FALSE(f.mnuFolhaDados->Checked());
  EXPECT_FALSE(f.mnuFormulario->Checked());
  ExpectCommands(f, true, !f.cdsClasseVoo->IsEmpty(), false);

  f.mnuFormulario->UserClick();
  EXPECT_EQ(f.pgcPadrao->ActivePage(), f.tshFormulario);
  EXPECT_TRUE(f.mnuFormulario->Checked());
  EXPECT_FALSE(f.mnuConfigVoo->Checked());
  f.mnuFolhaDados->UserClick();
  EXPECT_EQ(f.pgcPadrao->ActivePage(), f.tshFolhaDados);
  EXPECT_TRUE(f.mnuFolhaDados->Checked());
  EXPECT_FALSE(f.mnuConfigVoo->Checked());
  ExpectCommands(f, true, true, false);
}

TEST_F(CommandBarTest, AnEmptyFlightListKeepsTheRecordAndClassTabsClosedUntilAFlightIsStarted) {
  Open();
  LoadCompany("0001", "AMZ");
  TfrmVoo& f = *form;
  EXPECT_FALSE(f.tshConfigVoo->Enabled());
  EXPECT_FALSE(f.tshFormulario->Enabled());
  ExpectCommands(f, true, true, false);

  f.sbtIncluir->UserClick();
  EXPECT_EQ(f.pgcPadrao->ActivePage(), f.tshFormulario);
  EXPECT_TRUE(f.tshFormulario->Enabled());
  EXPECT_FALSE(f.tshConfigVoo->Enabled());
  ui.Answers.push_back(true);
  f.sbtCancelar->UserClick();
  EXPECT_TRUE(f.cdsVoo->IsEmpty());
  EXPECT_FALSE(f.tshFormulario->Enabled());
  EXPECT_FALSE(f.mnuFormulario->Enabled());
  EXPECT_EQ(f.pgcPadrao->ActivePage(), f.tshFolhaDados);
  EXPECT_TRUE(f.tshFolhaDados->Enabled());
}

TEST_F(CommandBarTest, InTheModalDialogEveryFlightStateChangeClosesTheCompanyFields) {
  boShowModal = true;
  TfrmVoo& f = Open();
  LoadCompany("0001", "ABR");
  ASSERT_TRUE(f.cdsVoo->Active());
  f.sbtAlterarClick(f.sbtAlterar);
  EXPECT_FALSE(f.medSgCia->Enabled());
  EXPECT_FALSE(f.btpCompanhia->Enabled());
  f.sbtCancelarClick(f.sbtCancelar);  // answered No: still editing
  EXPECT_EQ(f.cdsVoo->State(), dsEdit);
  ui.Answers.push_back(true);
  f.sbtCancelarClick(f.sbtCancelar);
  EXPECT_EQ(f.cdsVoo->State(), dsBrowse);
  EXPECT_FALSE(f.medSgCia->Enabled());
  EXPECT_FALSE(f.btpCompanhia->Enabled());
}

// ---------------------------------------------------------------- classes

TEST_F(CommandBarClassTest, TheClassTabHasItsOwnModes) {
  TfrmVoo& f = OpenAbr();
  ASSERT_TRUE(f.pgcPadrao->SelectPage(f.tshConfigVoo));
  ASSERT_FALSE(f.cdsClasseVoo->IsEmpty());
  EXPECT_EQ(f.cdsClasseVooCDTRECHO->AsString(), f.cdstrechooCDTRECHO->AsString());
  ExpectCommands(f, true, true, false);
  EXPECT_TRUE(f.tshFolhaDados->Enabled());
  EXPECT_TRUE(f.tshFormulario->Enabled());

  const int classes = f.cdsClasseVoo->RecordCount();
  f.sbtIncluir->UserClick();
  ASSERT_EQ(f.cdsClasseVoo->State(), dsInsert);
  EXPECT_EQ(f.cdsVoo->State(), dsBrowse);
  ExpectCommands(f, false, false, true);
  EXPECT_FALSE(f.dbnPadrao->Enabled());
  EXPECT_FALSE(f.tshFolhaDados->Enabled());
  EXPECT_FALSE(f.tshFormulario->Enabled());
  EXPECT_FALSE(f.mnuFolhaDados->Enabled());
  EXPECT_FALSE(f.mnuFormulario->Enabled());

  f.sbtCancelar->UserClick();  // answered No
  EXPECT_EQ(f.cdsClasseVoo->State(), dsInsert);
  ui.Answers.push_back(true);
  f.sbtCancelar->UserClick();
  EXPECT_EQ(f.cdsClasseVoo->State(), dsBrowse);
  EXPECT_EQ(f.cdsClasseVoo->RecordCount(), classes);
  ExpectCommands(f, true, true, false);
  EXPECT_TRUE(f.tshFolhaDados->Enabled());
  EXPECT_TRUE(f.mnuFormulario->Enabled());

  // Back on the grid tab the flight modes return.
  ASSERT_TRUE(f.pgcPadrao->SelectPage(f.tshFolhaDados));
  ExpectCommands(f, true, true, false);
}

TEST_F(CommandBarClassTest, DeletingTheLastClassLeavesOnlyInsert) {
  TfrmVoo& f = OpenAbr();
  ASSERT_TRUE(f.pgcPadrao->SelectPage(f.tshConfigVoo));
  ui.Answers.push_back(false);
  f.sbtExcluir->UserClick();
  EXPECT_EQ(ui.LastQuestion().value_or(""), "Confirma a exclusão do registro?");
  const int classes = f.cdsClasseVoo->RecordCount();
  ASSERT_GT(classes, 0);
  for (int i = 0; i < classes; ++i) {
    ui.Answers.push_back(true);
    f.sbtExcluir->UserClick();
  }
  EXPECT_TRUE(f.cdsClasseVoo->IsEmpty());
  ExpectCommands(f, true, false, false);
}

// ---------------------------------------------------------------- deletion

TEST_F(CommandBarDeleteTest, DeleteWithoutFlightsSaysThereIsNothingToDeleteWithoutAsking) {
  Open();
  LoadCompany("0001", "AMZ");
  ui.ClearEvents();
  form->sbtExcluir->UserClick();
  EXPECT_EQ(LastMessage(), "Não existem dados a serem excluídos.");
  EXPECT_FALSE(ui.LastQuestion().has_value());
}

TEST_F(CommandBarDeleteTest, DeletingAFlightWithLegsNamesThemAndRemovesThemFirst) {
  TfrmVoo& f = OpenAbr();
  ASSERT_TRUE(FindFlight([](int legs) { return legs >= 2; }));
  const std::string flight = f.cdsVooNRVOO->AsString();
  const int legs = f.cdstrechoo->RecordCount();

  f.sbtExcluir->UserClick();  // answered No
  EXPECT_EQ(ui.LastQuestion().value_or(""),
            "Este vôo possui trecho(s) que também será(ão) excluído(s). Confirma exclusão?");
  EXPECT_EQ(ServerLegs(flight), legs);
  EXPECT_EQ(f.cdsVooNRVOO->AsString(), flight);

  ui.Answers.push_back(true);
  const int flights = f.cdsVoo->RecordCount();
  f.sbtExcluir->UserClick();
  EXPECT_EQ(ServerLegs(flight), 0);
  // The flight itself is gone on the server too: the reload no longer has it.
  EXPECT_EQ(f.cdsVoo->RecordCount(), flights - 1);
  EXPECT_FALSE(f.cdsVoo->Locate("NRVOO", Variant(flight)));
  EXPECT_EQ(Vornia::LastRefreshedTables(), std::vector<std::string>{"VOO"});
  f.cdsVoo->First();
  // The screen reloads from the server and stands on the first flight.
  EXPECT_EQ(f.cdsVoo->RecNo(), 1);
  EXPECT_EQ(f.cdsVoo->State(), dsBrowse);
  EXPECT_EQ(ui.BusyDepth(), 0);
}

TEST_F(CommandBarDeleteTest, DeletingAFlightWithoutLegsAsksThePlainQuestion) {
  TfrmVoo& f = OpenAbr();
  f.cdsVoo->Last();
  const std::string flight = f.cdsVooNRVOO->AsString();
  {
    data_access::VooTrechoServer server(*f.netVooTrecho);
    Consiste::CheckResultServ(server.SetDelTdsTrechos("0001", "0001", flight), true, 0);
  }
  f.cdsVoo->First();
  f.cdsVoo->Last();  // back on it: its legs are reloaded, none left
  ASSERT_TRUE(f.cdstrechoo->IsEmpty());
  EXPECT_TRUE(f.cdsClasseVoo->IsEmpty()) << "the classes of the flight left behind must not stay";
  EXPECT_FALSE(f.sbtExluTrecho->Enabled());
  f.sbtExcluir->UserClick();  // answered No
  EXPECT_EQ(ui.LastQuestion().value_or(""), "Confirmar Exclusão?");
  EXPECT_EQ(f.cdsVooNRVOO->AsString(), flight);
}

TEST_F(CommandBarDeleteTest, TheOnlyLegOfAFlightCannotBeDeleted) {
  TfrmVoo& f = OpenAbr();
  ASSERT_TRUE(FindFlight([](int legs) { return legs == 1; }));
  const std::string flight = f.cdsVooNRVOO->AsString();
  FocusLegGrid();

  ui.ClearEvents();
  f.sbtExcluir->UserClick();  // answered No: nothing said, nothing done
  EXPECT_EQ(ui.LastQuestion().value_or(""), "Confirmar Exclusão?");
  EXPECT_FALSE(ui.LastMessage().has_value());

  ui.Answers.push_back(true);
  f.sbtExcluir->UserClick();
  EXPECT_EQ(LastMessage(), "Exclusão não permitida, pois o vôo só possui este trecho.");
  EXPECT_EQ(f.cdstrechoo->RecordCount(), 1);
  EXPECT_EQ(ServerLegs(flight), 1);
}

TEST_F(CommandBarDeleteTest, DeletingALegAsksAndThenReloadsOnlyTheLegs) {
  TfrmVoo& f = OpenAbr();
  ASSERT_TRUE(FindFlight([](int legs) { return legs >= 2; }));
  const int flightRow = f.cdsVoo->RecNo();
  const std::string flight = f.cdsVooNRVOO->AsString();
  FocusLegGrid();
  ui.Answers.push_back(true);
  f.sbtExcluir->UserClick();
  EXPECT_EQ(ui.LastQuestion().value_or(""), "Confirmar Exclusão?");
  EXPECT_EQ(f.cdsVoo->RecNo(), flightRow);
  EXPECT_EQ(f.cdstrechooNRVOO->AsString(), flight);
  EXPECT_EQ(f.cdstrechoo->State(), dsBrowse);
  EXPECT_EQ(f.cdstrechoo->RecordCount(), ServerLegs(flight));
  EXPECT_EQ(ui.BusyDepth(), 0);
}

}  // namespace zor::Cli_zor12200
