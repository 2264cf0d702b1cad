// A flight's validation and its trip to the server: a new flight with its
// first leg read back from the server, the checks in their order (only the
// first failure is reported, with the focus on its control), the validity
// dates of an occasional flight, a change refused by the server because
// someone else changed the flight meanwhile, and cancelling.
//
// The demo database is shared by the whole suite: every test that saves
// works on flight numbers of its own (7xxx).
#include "data_access/server_methods.h"
#include "flight_screen/screen_state.h"
#include "platform/core/sysutils.h"
#include "platform/data/client_data_set.h"
#include "platform/library/consiste.h"
#include "tests/flight_screen/screen_fixture.h"

namespace zor::Cli_zor12200 {

using namespace plat;

class FlightSavingTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    Open();
    LoadCompany("0001", "ABR");
    ASSERT_FALSE(form->cdsVoo->IsEmpty());
  }

  // Starts a new flight from the grid tab and fills every value the
  // validation asks for; the flight still has no leg.
  void StartValidFlight(const std::string& number) {
    TfrmVoo& f = *form;
    ASSERT_TRUE(f.sbtIncluir->UserClick());
    ASSERT_EQ(f.cdsVoo->State(), dsInsert);
    ASSERT_TRUE(TypeAndLeave(f.dbeNrVoo, number, f.dbeSgEquip));
    ASSERT_TRUE(TypeAndLeave(f.dbeSgEquip, "A320", f.dbeSgPrefixo));
    ASSERT_TRUE(TypeAndLeave(f.dbeSgPrefixo, "PR-ACB", f.dbeKDTCarrego));
    ASSERT_TRUE(TypeAndLeave(f.dbeKDTCarrego, "07:30", f.dbeKDTDescarrego));
    ASSERT_TRUE(TypeAndLeave(f.dbeKDTDescarrego, "08:15", f.dbeTurnoProd));
    ASSERT_TRUE(TypeAndLeave(f.dbeTurnoProd, "02", f.dbeDiasProducao));
    ASSERT_TRUE(f.dcbSeg->UserClick());
    ASSERT_TRUE(f.dcbSex->UserClick());
  }

  // Starts a leg in the leg grid, GRU to BSB at 09:00 (the commands are
  // closed while the flight is edited: the grid starts the leg itself).
  void StartLeg() {
    TfrmVoo& f = *form;
    ASSERT_TRUE(f.UserFocus(f.dbgVooTrecho));
    f.cdstrechoo->Append();
    ASSERT_EQ(f.cdstrechoo->State(), dsInsert);
    f.cdstrechooSGBASEORI->SetAsString("GRU");
    f.cdstrechooSGBASEDES->SetAsString("BSB");
    f.cdstrechooHRDECOLVOO->SetAsString("0900");
    f.cdstrechooHRPOUSOVOO->SetAsString("1045");
  }

  // What the server holds now.
  TClientDataSet* ServerFlights() {
    data_access::VooTrechoServer server(*form->netVooTrecho);
    flights_.SetData(Consiste::CheckResultServ(server.GetVoo("0001", "0001"), true, 0));
    return &flights_;
  }
  TClientDataSet* ServerLegs(const std::string& flight) {
    data_access::VooTrechoServer server(*form->netVooTrecho);
    legs_.SetData(Consiste::CheckResultServ(server.GetTrecho("0001", flight, "0001"), true, 0));
    return &legs_;
  }
  bool OnServer(const std::string& flight) { return ServerFlights()->Locate("NRVOO", Variant(flight)); }

  // Confirm refused with `message`, the focus on `control`, the record still editing.
  void ExpectRefused(const std::string& message, TWinControl* control) {
    TfrmVoo& f = *form;
    ui.ClearEvents();
    EXPECT_FALSE(f.sbtConfirmar->UserClick());
    EXPECT_EQ(LastMessage(), message);
    EXPECT_EQ(f.ActiveControl(), control) << (f.ActiveControl() ? f.ActiveControl()->Name() : "nothing");
    EXPECT_TRUE(f.cdsVoo->Editing());
  }

  TClientDataSet flights_, legs_;
};

// ---------------------------------------------------------------- saving

TEST_F(FlightSavingTest, NewFlightWithItsFirstLegIsSavedAndReadBack) {
  TfrmVoo& f = *form;
  StartValidFlight("7001");
  // Whatever incidence was shown, a new flight is saved incident.
  f.cdsVooIDINCDESFIXO->SetAsString("2");
  StartLeg();
  ASSERT_TRUE(f.sbtConfirmar->UserClick()) << LastMessage();
  EXPECT_EQ(f.cdsVoo->State(), dsBrowse);
  EXPECT_EQ(f.cdsVoo->ChangeCount(), 0);

  TClientDataSet* server = ServerFlights();
  ASSERT_TRUE(server->Locate("NRVOO", Variant("7001")));
  EXPECT_EQ(server->FieldByName("CDFILIAL")->AsString(), "0001");
  EXPECT_EQ(server->FieldByName("CDCIA")->AsString(), "0001");
  EXPECT_EQ(server->FieldByName("CDEQUIP")->AsString(), "0002");
  EXPECT_EQ(server->FieldByName("SGPREFIXO")->AsString(), "PR-ACB");
  EXPECT_EQ(server->FieldByName("QTHRKDTCAR")->AsString(), "0730");
  EXPECT_EQ(server->FieldByName("QTHRKDTDES")->AsString(), "0815");
  EXPECT_EQ(server->FieldByName("NRTURNOPROD")->AsString(), "02");
  EXPECT_EQ(server->FieldByName("IDVOOSEG")->AsString(), "1");
  EXPECT_EQ(server->FieldByName("IDVOOSEX")->AsString(), "1");
  EXPECT_EQ(server->FieldByName("IDVOOTER")->AsString(), "2");
  EXPECT_EQ(server->FieldByName("IDABASATEN")->AsString(), "1");
  EXPECT_EQ(server->FieldByName("IDTIPVOO")->AsString(), "1");
  EXPECT_EQ(server->FieldByName("QTDIASPROD")->AsFloat(), 0.0);
  EXPECT_TRUE(server->FieldByName("DTINIVIGVOO")->IsNull());
  for (const char* indicator : {"IDINCDESDESV", "IDINCDESFIXO", "IDINCDESCOND"})
    EXPECT_EQ(server->FieldByName(indicator)->AsString(), "1") << indicator;

  TClientDataSet* legs = ServerLegs("7001");
  ASSERT_EQ(legs->RecordCount(), 1);
  EXPECT_EQ(legs->FieldByName("CDBASEORI")->AsString(), "0001");
  EXPECT_EQ(legs->FieldByName("CDBASEDES")->AsString(), "0005");
  EXPECT_EQ(legs->FieldByName("HRDECOLVOO")->AsString(), "0900");
}

// "2000 " would be stored beside "2000" and look the same: a new number is
// taken without the blanks around it, for the repeat check and the save.
TEST_F(FlightSavingTest, ANewNumberIsTakenWithoutTheBlanksAroundIt) {
  TfrmVoo& f = *form;
  ASSERT_TRUE(f.sbtIncluir->UserClick());
  EXPECT_FALSE(TypeAndLeave(f.dbeNrVoo, "1001 ", f.dbeSgEquip));
  EXPECT_EQ(LastMessage(), "Vôo já cadastrado.");
  ui.Answers.push_back(true);
  ASSERT_TRUE(f.sbtCancelar->UserClick());

  StartValidFlight(" 7008 ");
  StartLeg();
  ASSERT_TRUE(f.sbtConfirmar->UserClick()) << LastMessage();
  EXPECT_EQ(f.cdsVooNRVOO->AsString(), "7008");
  EXPECT_TRUE(OnServer("7008"));
  EXPECT_FALSE(ServerFlights()->Locate("NRVOO", Variant(" 7008 ")));
  EXPECT_EQ(ServerLegs("7008")->RecordCount(), 1);
}

TEST_F(FlightSavingTest, AChangeSurvivesTheReloadFromTheServer) {
  TfrmVoo& f = *form;
  ASSERT_TRUE(f.cdsVoo->Locate("NRVOO", Variant("1001")));
  ASSERT_TRUE(f.sbtAlterar->UserClick());
  ASSERT_TRUE(TypeAndLeave(f.dbeKDTCarrego, "11:45", f.dbeKDTDescarrego));
  ASSERT_TRUE(f.sbtConfirmar->UserClick()) << LastMessage();
  EXPECT_EQ(f.cdsVoo->ChangeCount(), 0);

  ASSERT_TRUE(f.sbtVerificar->UserClick());
  ASSERT_TRUE(f.cdsVoo->Locate("NRVOO", Variant("1001")));
  EXPECT_EQ(f.cdsVooQTHRKDTCAR->AsString(), "1145");
}

TEST_F(FlightSavingTest, ConfirmWithNothingChangedCallsNoServerMethodForTheFlight) {
  TfrmVoo& f = *form;
  ASSERT_TRUE(f.cdsVoo->Locate("NRVOO", Variant("1001")));
  // Someone else changes the flight: a save from this screen would now be
  // refused, so a refusal would show that something was sent.
  {
    TClientDataSet other;
    other.SetData(ServerFlights()->Data());
    ASSERT_TRUE(other.Locate("NRVOO", Variant("1001")));
    other.Edit();
    other.FieldByName("QTDIASPROD")->SetAsFloat(other.FieldByName("QTDIASPROD")->AsFloat() + 1);
    other.Post();
    data_access::VooTrechoServer server(*f.netVooTrecho);
    Consiste::CheckResultServ(server.SetVoo(other.Delta()), true, 0);
  }
  ASSERT_TRUE(f.sbtAlterar->UserClick());
  ui.ClearEvents();
  EXPECT_TRUE(f.sbtConfirmar->UserClick()) << LastMessage();
  EXPECT_EQ(LastMessage(), "");
  EXPECT_EQ(f.cdsVoo->State(), dsBrowse);
}

TEST_F(FlightSavingTest, AChangeRefusedByTheServerIsUndoneAndItsMessageShown) {
  TfrmVoo& f = *form;
  ASSERT_TRUE(f.cdsVoo->Locate("NRVOO", Variant("1002")));
  const std::string before = f.cdsVooQTHRKDTDES->AsString();
  {
    TClientDataSet other;
    other.SetData(ServerFlights()->Data());
    ASSERT_TRUE(other.Locate("NRVOO", Variant("1002")));
    other.Edit();
    other.FieldByName("SGPREFIXO")->SetAsString("PR-ACA");
    other.FieldByName("QTDIASPROD")->SetAsFloat(9);
    other.Post();
    data_access::VooTrechoServer server(*f.netVooTrecho);
    Consiste::CheckResultServ(server.SetVoo(other.Delta()), true, 0);
  }
  ASSERT_TRUE(f.sbtAlterar->UserClick());
  ASSERT_TRUE(TypeAndLeave(f.dbeKDTDescarrego, "23:10", f.dbeKDTCarrego));
  EXPECT_FALSE(f.sbtConfirmar->UserClick());
  EXPECT_EQ(LastMessage(),
            "O vôo 1002 foi alterado por outro usuário. Atualize os dados e tente novamente.");
  EXPECT_EQ(f.cdsVoo->State(), dsBrowse);
  EXPECT_EQ(f.cdsVoo->ChangeCount(), 0);
  ASSERT_TRUE(f.cdsVoo->Locate("NRVOO", Variant("1002")));
  EXPECT_EQ(f.cdsVooQTHRKDTDES->AsString(), before);
  // The other desk's change stands.
  ASSERT_TRUE(ServerFlights()->Locate("NRVOO", Variant("1002")));
  EXPECT_EQ(flights_.FieldByName("QTDIASPROD")->AsFloat(), 9.0);
}

TEST_F(FlightSavingTest, ANewFlightRefusedByTheServerVanishes) {
  TfrmVoo& f = *form;
  const int count = f.cdsVoo->RecordCount();
  StartValidFlight("7002");
  // Another desk registers the same number between this screen's own check
  // and its save.
  auto check = f.cdsVoo->BeforePost;
  f.cdsVoo->BeforePost = [&](TDataSet* ds) {
    check(ds);
    TClientDataSet other;
    other.SetData(ServerFlights()->Data());
    std::vector<Variant> values;
    for (TField* field : other.Fields()) values.push_back(field->Value());
    other.Append();
    for (int i = 0; i < other.FieldCount(); ++i) other.Fields()[i]->SetValue(values[i]);
    other.FieldByName("NRVOO")->SetAsString("7002");
    other.Post();
    data_access::VooTrechoServer server(*f.netVooTrecho);
    Consiste::CheckResultServ(server.SetVoo(other.Delta()), true, 0);
  };
  StartLeg();
  EXPECT_FALSE(f.sbtConfirmar->UserClick());
  EXPECT_EQ(LastMessage(), "Vôo já cadastrado.");
  f.cdsVoo->BeforePost = check;
  EXPECT_EQ(f.cdsVoo->State(), dsBrowse);
  EXPECT_EQ(f.cdsVoo->RecordCount(), count);
  EXPECT_FALSE(f.cdsVoo->Locate("NRVOO", Variant("7002")));
  EXPECT_EQ(f.cdsVoo->ChangeCount(), 0);
  // The leg typed for it is dropped too, and the legs shown are those of
  // the flight now current: Confirm cannot file it under another flight.
  EXPECT_EQ(f.cdstrechoo->State(), dsBrowse);
  EXPECT_FALSE(f.cdstrechoo->IsEmpty());
  EXPECT_EQ(f.cdstrechooNRVOO->AsString(), f.cdsVooNRVOO->AsString());
}

TEST_F(FlightSavingTest, PendingLegChangesFollowTheFlightAndARefusalKeepsTheFlight) {
  TfrmVoo& f = *form;
  ASSERT_TRUE(f.cdsVoo->Locate("NRVOO", Variant("1003")));
  ASSERT_GE(f.cdstrechoo->RecordCount(), 1);
  // A leg change left in the log (its own save set aside for this test).
  auto legAfterPost = f.cdstrechoo->AfterPost;
  f.cdstrechoo->AfterPost = nullptr;
  f.cdstrechoo->First();
  f.cdstrechoo->Edit();
  f.cdstrechooHRPOUSOVOO->SetAsString("2222");
  f.cdstrechoo->Post();
  f.cdstrechoo->AfterPost = legAfterPost;
  ASSERT_EQ(f.cdstrechoo->ChangeCount(), 1);

  ASSERT_TRUE(f.sbtAlterar->UserClick());
  ASSERT_TRUE(TypeAndLeave(f.dbeKDTCarrego, "05:05", f.dbeKDTDescarrego));
  ASSERT_TRUE(f.sbtConfirmar->UserClick()) << LastMessage();
  EXPECT_EQ(f.cdstrechoo->ChangeCount(), 0);
  EXPECT_EQ(ServerLegs("1003")->FieldByName("HRPOUSOVOO")->AsString(), "2222");

  // A leg change the server refuses (another desk changed the leg
  // meanwhile): the flight is saved all the same and the leg change is gone.
  {
    TClientDataSet other;
    other.SetData(ServerLegs("1003")->Data());
    other.Edit();
    other.FieldByName("HRPOUSOVOO")->SetAsString("2323");
    other.Post();
    data_access::VooTrechoServer server(*f.netVooTrecho);
    Consiste::CheckResultServ(server.SetTrecho(other.Delta()), true, 0);
  }
  f.cdstrechoo->AfterPost = nullptr;
  f.cdstrechoo->First();
  f.cdstrechoo->Edit();
  f.cdstrechooHRDECOLVOO->SetAsString("0101");
  f.cdstrechoo->Post();
  f.cdstrechoo->AfterPost = legAfterPost;
  ASSERT_TRUE(f.sbtAlterar->UserClick());
  ASSERT_TRUE(TypeAndLeave(f.dbeKDTCarrego, "06:06", f.dbeKDTDescarrego));
  EXPECT_FALSE(f.sbtConfirmar->UserClick());
  EXPECT_EQ(LastMessage().rfind("O trecho", 0), 0u) << LastMessage();
  EXPECT_EQ(f.cdsVoo->State(), dsBrowse);
  EXPECT_EQ(f.cdstrechoo->ChangeCount(), 0);
  EXPECT_NE(f.cdstrechooHRDECOLVOO->AsString(), "0101");
  ASSERT_TRUE(ServerFlights()->Locate("NRVOO", Variant("1003")));
  EXPECT_EQ(flights_.FieldByName("QTHRKDTCAR")->AsString(), "0606");
}

// ---------------------------------------------------------------- validation

TEST_F(FlightSavingTest, FlightNumberIsRequiredOnlyWhenPostingAndMustBeNew) {
  TfrmVoo& f = *form;
  ASSERT_TRUE(f.sbtIncluir->UserClick());
  EXPECT_TRUE(f.dbeNrVoo->Focused());
  // Leaving the number empty says nothing yet.
  EXPECT_TRUE(TypeAndLeave(f.dbeNrVoo, "", f.dbeSgEquip));
  EXPECT_EQ(LastMessage(), "");
  ExpectRefused("Número do vôo deve ser informado.", f.dbeNrVoo);

  // An existing number is refused when the edit is left.
  EXPECT_FALSE(TypeAndLeave(f.dbeNrVoo, "1005", f.dbeSgEquip));
  EXPECT_EQ(LastMessage(), "Vôo já cadastrado.");
  EXPECT_TRUE(f.dbeNrVoo->Focused());
}

TEST_F(FlightSavingTest, ABlankNumberIsNoNumber) {
  TfrmVoo& f = *form;
  StartValidFlight("7003");
  f.dbeNrVoo->SetText("   ");
  ExpectRefused("Número do vôo deve ser informado.", f.dbeNrVoo);
}

TEST_F(FlightSavingTest, OnlyTheFirstFailingCheckIsReportedInOrder) {
  TfrmVoo& f = *form;
  ASSERT_TRUE(f.sbtIncluir->UserClick());
  ASSERT_TRUE(TypeAndLeave(f.dbeNrVoo, "7004", f.dbeSgEquip));
  // Nothing else given: the equipment comes first.
  ExpectRefused("Equipamento deve ser informado.", f.dbeSgEquip);
  ASSERT_TRUE(TypeAndLeave(f.dbeSgEquip, "A320", f.dbeTurnoProd));
  ExpectRefused("Turno deve ser informado.", f.dbeTurnoProd);
  ASSERT_TRUE(TypeAndLeave(f.dbeTurnoProd, "01", f.dbeKDTCarrego));
  // No KDT hours and no frequency: only the hours are reported.
  ExpectRefused("Horas de KDT carrego deve ser informada.", f.dbeKDTCarrego);
  ASSERT_TRUE(TypeAndLeave(f.dbeKDTCarrego, "01:00", f.dbeKDTDescarrego));
  ExpectRefused("Horas de KDT descarrego deve ser informada.", f.dbeKDTDescarrego);
  ASSERT_TRUE(TypeAndLeave(f.dbeKDTDescarrego, "02:00", f.dbeSgEquip));
  ExpectRefused("Frequência deve ser informada.", f.dcbSeg);
  ASSERT_TRUE(f.dcbDom->UserClick());
  // Both services unchecked.
  ASSERT_TRUE(f.ccbAbast->UserClick());
  ASSERT_FALSE(f.ccbAbast->Checked());
  ASSERT_FALSE(f.ccbAtend->Checked());
  ExpectRefused("Informe abastecimento e/ou atendimento.", f.ccbAbast);
  ASSERT_TRUE(f.ccbAtend->UserClick());
  // Values assigned by the checks passed stay assigned.
  EXPECT_EQ(f.cdsVooCDEQUIP->AsString(), "0002");
  EXPECT_EQ(f.cdsVooIDABASATEN->AsString(), "2");

  ExpectRefused("Vôo deve possuir no mínimo 1 trecho.", f.dbgVooTrecho);
  // Posted from the grid tab, the record tab comes forward.
  f.pgcPadrao->SetActivePage(f.tshFolhaDados);
  EXPECT_THROW(f.cdsVoo->Post(), EAbort);
  EXPECT_EQ(f.pgcPadrao->ActivePage(), f.tshFormulario);
  EXPECT_TRUE(f.dbgVooTrecho->Focused());
  EXPECT_FALSE(OnServer("7004"));
}

TEST_F(FlightSavingTest, AnImpossibleKdtHourIsReportedWithTheHourTyped) {
  TfrmVoo& f = *form;
  StartValidFlight("7005");
  // A stored value that never went through the edit.
  f.cdsVooQTHRKDTDES->OnValidate = nullptr;
  f.cdsVooQTHRKDTDES->SetAsString("2510");
  ExpectRefused("25:10 não é uma hora válida.", f.dbeKDTDescarrego);
}

TEST_F(FlightSavingTest, AnExtraFlightNeedsBothValidityDatesInOrder) {
  TfrmVoo& f = *form;
  StartValidFlight("7006");
  StartLeg();
  ASSERT_TRUE(f.dcbTipo->UserSelect(1));
  ASSERT_EQ(f.dcbTipo->Text(), "Extra");
  EXPECT_TRUE(f.grbVig->Enabled());
  ExpectRefused("Data inicial de vigência deve ser informada.", f.depDtIniVigVoo);
  ASSERT_TRUE(TypeAndLeave(f.depDtIniVigVoo, "10/03/2027", f.depDtFimVigVoo));
  ExpectRefused("Data final de vigência deve ser informada.", f.depDtFimVigVoo);
  ASSERT_TRUE(TypeAndLeave(f.depDtFimVigVoo, "09/03/2027", f.depDtIniVigVoo));
  ExpectRefused("Data final deve ser maior ou igual à data inicial'.", f.depDtFimVigVoo);

  // Equal dates pass.
  ASSERT_TRUE(TypeAndLeave(f.depDtFimVigVoo, "10/03/2027", f.depDtIniVigVoo));
  ASSERT_TRUE(f.sbtConfirmar->UserClick()) << LastMessage();
  ASSERT_TRUE(ServerFlights()->Locate("NRVOO", Variant("7006")));
  EXPECT_EQ(flights_.FieldByName("IDTIPVOO")->AsString(), "2");
  EXPECT_EQ(FormatDateTime("dd/mm/yyyy", flights_.FieldByName("DTINIVIGVOO")->AsDateTime()), "10/03/2027");
  EXPECT_EQ(FormatDateTime("dd/mm/yyyy", flights_.FieldByName("DTFIMVIGVOO")->AsDateTime()), "10/03/2027");
}

TEST_F(FlightSavingTest, DailyFlightPassesTheFrequencyCheckWithoutWeekdays) {
  TfrmVoo& f = *form;
  ASSERT_TRUE(f.sbtIncluir->UserClick());
  ASSERT_TRUE(TypeAndLeave(f.dbeNrVoo, "7007", f.dbeSgEquip));
  ASSERT_TRUE(TypeAndLeave(f.dbeSgEquip, "E190", f.dbeKDTCarrego));
  ASSERT_TRUE(TypeAndLeave(f.dbeKDTCarrego, "00:00", f.dbeKDTDescarrego));
  ASSERT_TRUE(TypeAndLeave(f.dbeKDTDescarrego, "23:59", f.dbeTurnoProd));
  ASSERT_TRUE(TypeAndLeave(f.dbeTurnoProd, "4", f.dbeDiasProducao));
  ASSERT_TRUE(f.ccbDiario->UserClick());
  ExpectRefused("Vôo deve possuir no mínimo 1 trecho.", f.dbgVooTrecho);
}

// ---------------------------------------------------------------- cancelling

TEST_F(FlightSavingTest, CancellingAFlightCancelsItsLegAndShowsTheServersLegsAgain) {
  TfrmVoo& f = *form;
  ASSERT_TRUE(f.cdsVoo->Locate("NRVOO", Variant("1000")));
  const int legs = f.cdstrechoo->RecordCount();
  ASSERT_TRUE(f.sbtAlterar->UserClick());
  StartLeg();
  ASSERT_EQ(f.cdstrechoo->RecordCount(), legs);
  ui.Answers.push_back(true);
  ASSERT_TRUE(f.sbtCancelar->UserClick());
  EXPECT_EQ(f.cdsVoo->State(), dsBrowse);
  EXPECT_EQ(f.cdstrechoo->State(), dsBrowse);
  EXPECT_EQ(f.cdstrechoo->RecordCount(), legs);
  EXPECT_EQ(f.cdstrechooNRVOO->AsString(), "1000");
  EXPECT_EQ(ServerLegs("1000")->RecordCount(), legs);
}

TEST_F(FlightSavingTest, InTheModalDialogANewFlightKeepsTheCompany) {
  TfrmVoo& f = *form;
  boShowModal = true;
  f.cdsVoo->Insert();
  EXPECT_FALSE(f.medSgCia->Enabled());
  EXPECT_FALSE(f.btpCompanhia->Enabled());
  f.cdsVoo->Cancel();
}

}  // namespace zor::Cli_zor12200
