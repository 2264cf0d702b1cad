// The flight's equipment, prefix, production shift and occupancy: what the
// person sees when leaving each control, the lookup buttons, the checks the
// flight's validation calls again, and the key filters of the number edits.
// Company ABR (0001) at branch 0001 has A320, A321, B737 and E190; each has
// three prefixes, the third registered in lower case (A320: PR-ACA, PR-ACB,
// pr-acc); the shifts are 01 to 04.
#include <algorithm>

#include "tests/flight_screen/screen_fixture.h"

namespace zor::Cli_zor12200 {

using namespace plat;

class FlightReferencesTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    Open();
    LoadCompany("0001", "ABR");
    ASSERT_FALSE(form->cdsVoo->IsEmpty());
    form->pgcPadrao->SetActivePage(form->tshFormulario);
  }

  // Edits the first flight that has a prefix, with the focus on the production days.
  void EditFlightWithPrefix() {
    TfrmVoo& f = *form;
    f.cdsVoo->First();
    while (!f.cdsVoo->Eof() && f.cdsVooSGPREFIXO->IsNull()) f.cdsVoo->Next();
    ASSERT_FALSE(f.cdsVoo->Eof());
    f.cdsVoo->Edit();
    ASSERT_TRUE(f.UserFocus(f.dbeDiasProducao));
    ui.ClearEvents();
  }

  bool Focused(TWinControl* control) const { return form->ActiveControl() == control; }

  bool BusyShown(int kind) const {
    const auto& events = ui.Events();
    return std::any_of(events.begin(), events.end(), [kind](const ScriptedUi::Event& e) {
      return e.kind == ScriptedUi::Kind::Busy && e.text == std::to_string(kind);
    });
  }
};

TEST_F(FlightReferencesTest, EmptyEquipmentIsSilentOnExitButRequiredByTheFlightCheck) {
  TfrmVoo& f = *form;
  EditFlightWithPrefix();
  EXPECT_TRUE(TypeAndLeave(f.dbeSgEquip, "", f.dbeSgPrefixo));
  EXPECT_EQ(LastMessage(), "");

  EXPECT_THROW(f.Vd_Equipamento(true), EAbort);
  EXPECT_EQ(LastMessage(), "Equipamento deve ser informado.");
  EXPECT_TRUE(Focused(f.dbeSgEquip));
}

TEST_F(FlightReferencesTest, EquipmentIsNotCheckedWhileBrowsing) {
  TfrmVoo& f = *form;
  f.dbeSgEquip->SetText("");
  EXPECT_NO_THROW(f.Vd_Equipamento(true));
  f.dbeSgEquip->SetText("XYZ");
  EXPECT_NO_THROW(f.Vd_Equipamento(true));
  EXPECT_EQ(LastMessage(), "");
}

TEST_F(FlightReferencesTest, EquipmentTheCompanyLacksHereIsRefusedAndKeepsTheFocus) {
  TfrmVoo& f = *form;
  EditFlightWithPrefix();
  // A319 exists, but ABR does not fly it from this branch.
  EXPECT_FALSE(TypeAndLeave(f.dbeSgEquip, "A319", f.dbeSgPrefixo));
  EXPECT_EQ(LastMessage(), "Equipamento não cadastrado.");
  EXPECT_TRUE(Focused(f.dbeSgEquip));
}

TEST_F(FlightReferencesTest, TypingAnotherEquipmentDropsThePrefixAndFindsItsCode) {
  TfrmVoo& f = *form;
  EditFlightWithPrefix();
  const std::string other = f.cdsVooSGEQUIP->AsString() == "A321" ? "b737" : "a321";
  ASSERT_TRUE(f.UserFocus(f.dbeSgEquip));
  f.dbeSgEquip->UserSetText(other);
  EXPECT_TRUE(f.cdsVooSGPREFIXO->IsNull());
  EXPECT_TRUE(f.cdsVooCDEQUIP->IsNull());
  EXPECT_EQ(f.dbeSgPrefixo->Text(), "");

  EXPECT_TRUE(f.UserFocus(f.dbeSgPrefixo));
  EXPECT_EQ(f.cdsVooSGEQUIP->AsString(), other == "a321" ? "A321" : "B737");
  EXPECT_EQ(f.cdsVooCDEQUIP->AsString(), other == "a321" ? "0003" : "0004");
  EXPECT_EQ(LastMessage(), "");
}

TEST_F(FlightReferencesTest, PrefixIsOptionalAndNotCheckedWithoutEquipment) {
  TfrmVoo& f = *form;
  EditFlightWithPrefix();
  EXPECT_TRUE(TypeAndLeave(f.dbeSgPrefixo, "", f.dbeDiasProducao));
  EXPECT_NO_THROW(f.Vd_Prefixo());

  EXPECT_TRUE(TypeAndLeave(f.dbeSgEquip, "", f.dbeSgPrefixo));
  EXPECT_TRUE(TypeAndLeave(f.dbeSgPrefixo, "ZZ-ZZZ", f.dbeDiasProducao));
  EXPECT_NO_THROW(f.Vd_Prefixo());
  EXPECT_EQ(LastMessage(), "");
}

TEST_F(FlightReferencesTest, PrefixIsFoundWhateverItsCaseAndTheRegisteredFormIsKept) {
  TfrmVoo& f = *form;
  EditFlightWithPrefix();
  ASSERT_TRUE(TypeAndLeave(f.dbeSgEquip, "A320", f.dbeSgPrefixo));
  f.dbeSgPrefixo->UserSetText("pr-acc");
  EXPECT_EQ(f.dbeSgPrefixo->Text(), "PR-ACC");  // the edit types in upper case
  EXPECT_TRUE(f.UserFocus(f.dbeDiasProducao));
  EXPECT_EQ(f.cdsVooSGPREFIXO->AsString(), "pr-acc");
  EXPECT_EQ(LastMessage(), "");

  EXPECT_TRUE(TypeAndLeave(f.dbeSgPrefixo, "PR-ACB", f.dbeDiasProducao));
  EXPECT_EQ(f.cdsVooSGPREFIXO->AsString(), "PR-ACB");
}

TEST_F(FlightReferencesTest, PrefixOfAnotherEquipmentIsRefusedAndKeepsTheFocus) {
  TfrmVoo& f = *form;
  EditFlightWithPrefix();
  ASSERT_TRUE(TypeAndLeave(f.dbeSgEquip, "A320", f.dbeSgPrefixo));
  // PR-ADA belongs to the A321.
  EXPECT_FALSE(TypeAndLeave(f.dbeSgPrefixo, "PR-ADA", f.dbeDiasProducao));
  EXPECT_EQ(LastMessage(), "Prefixo não cadastrado.");
  EXPECT_TRUE(Focused(f.dbeSgPrefixo));
}

TEST_F(FlightReferencesTest, EquipmentButtonPutsTheChoiceIntoTheFlight) {
  TfrmVoo& f = *form;
  f.cdsVoo->First();
  ASSERT_EQ(f.cdsVoo->State(), dsBrowse);
  ui.Picks.push_back(1);  // A320, A321, B737, E190
  EXPECT_TRUE(f.btnPesqEquip->UserClick());
  ASSERT_EQ(ui.PickLists().size(), 1u);
  EXPECT_EQ(f.cdsVoo->State(), dsEdit);
  EXPECT_EQ(f.dbeSgEquip->Text(), "A321");
  EXPECT_EQ(f.cdsVooSGEQUIP->AsString(), "A321");
  EXPECT_EQ(f.cdsVooCDEQUIP->AsString(), "0003");
  if (f.cdsVooSGEQUIP->OldValue().AsString() != "A321") {
    EXPECT_TRUE(f.cdsVooSGPREFIXO->IsNull());
  }
}

TEST_F(FlightReferencesTest, PrefixButtonWithoutEquipmentAsksForTheEquipment) {
  TfrmVoo& f = *form;
  EditFlightWithPrefix();
  ASSERT_TRUE(TypeAndLeave(f.dbeSgEquip, "", f.dbeDiasProducao));
  EXPECT_FALSE(f.btnPesqPrefixo->UserClick());
  EXPECT_EQ(LastMessage(), "Equipamento deve ser informado.");
  EXPECT_TRUE(ui.PickLists().empty());
  EXPECT_TRUE(Focused(f.dbeSgEquip));
}

TEST_F(FlightReferencesTest, PrefixButtonListsThePrefixesOfAnEquipmentTypedButNotYetLeft) {
  TfrmVoo& f = *form;
  EditFlightWithPrefix();
  ASSERT_TRUE(f.UserFocus(f.dbeSgEquip));
  f.dbeSgEquip->UserSetText("B737");
  ui.Picks.push_back(2);  // PR-AEA, PR-AEB, pr-aec
  EXPECT_TRUE(f.btnPesqPrefixo->UserClick());
  ASSERT_EQ(ui.PickLists().size(), 1u);
  EXPECT_EQ(f.cdsVooCDEQUIP->AsString(), "0004");
  EXPECT_EQ(f.cdsVooSGPREFIXO->AsString(), "pr-aec");
  EXPECT_TRUE(f.UserFocus(f.dbeDiasProducao));
  EXPECT_EQ(f.cdsVooSGEQUIP->AsString(), "B737");
  EXPECT_EQ(f.cdsVooSGPREFIXO->AsString(), "pr-aec");
}

TEST_F(FlightReferencesTest, OccupancyAcceptsZeroToOneHundredAtThreeDecimals) {
  TfrmVoo& f = *form;
  EditFlightWithPrefix();
  EXPECT_TRUE(TypeAndLeave(f.dbePercentOcupacao, "0", f.dbeDiasProducao));
  EXPECT_EQ(f.cdsVooVRPEROCUPACAO->AsFloat(), 0.0);
  EXPECT_TRUE(TypeAndLeave(f.dbePercentOcupacao, "100", f.dbeDiasProducao));
  EXPECT_TRUE(TypeAndLeave(f.dbePercentOcupacao, "100,0004", f.dbeDiasProducao));
  EXPECT_EQ(f.cdsVooVRPEROCUPACAO->AsFloat(), 100.0);
  EXPECT_TRUE(TypeAndLeave(f.dbePercentOcupacao, "72,12349", f.dbeDiasProducao));
  EXPECT_DOUBLE_EQ(f.cdsVooVRPEROCUPACAO->AsFloat(), 72.123);
  EXPECT_EQ(LastMessage(), "");

  EXPECT_FALSE(TypeAndLeave(f.dbePercentOcupacao, "100,001", f.dbeDiasProducao));
  EXPECT_EQ(LastMessage(), "Percentual de ocupação deve estar entre 0 e 100%");
  EXPECT_TRUE(Focused(f.dbePercentOcupacao));
}

TEST_F(FlightReferencesTest, EmptyOccupancyBecomesZeroWhileEditing) {
  TfrmVoo& f = *form;
  EditFlightWithPrefix();
  EXPECT_TRUE(TypeAndLeave(f.dbePercentOcupacao, "", f.dbeDiasProducao));
  EXPECT_FALSE(f.cdsVooVRPEROCUPACAO->IsNull());
  EXPECT_EQ(f.cdsVooVRPEROCUPACAO->AsFloat(), 0.0);

  f.cdsVooVRPEROCUPACAO->SetAsFloat(-1);
  EXPECT_THROW(f.vd_Ocupacao(), EAbort);
  EXPECT_EQ(LastMessage(), "Percentual de ocupação deve estar entre 0 e 100%");
}

TEST_F(FlightReferencesTest, ShortShiftCodeIsWidenedAndItsDescriptionShown) {
  TfrmVoo& f = *form;
  EditFlightWithPrefix();
  EXPECT_TRUE(TypeAndLeave(f.dbeTurnoProd, "2", f.dbeDiasProducao));
  EXPECT_EQ(f.cdsVooNRTURNOPROD->AsString(), "02");
  EXPECT_EQ(f.cdsVooDSTURNO->AsString(), "Tarde (14h às 22h)");
  EXPECT_EQ(f.dbeTurnoProd->Text(), "02");
  EXPECT_EQ(f.dbeDsTurno->Text(), "Tarde (14h às 22h)");
  EXPECT_TRUE(BusyShown(1));
  EXPECT_EQ(ui.BusyDepth(), 0);
  // The check leaves the one shift it found in the list.
  EXPECT_EQ(f.cdsPesqTurno->RecordCount(), 1);
  EXPECT_EQ(LastMessage(), "");
}

TEST_F(FlightReferencesTest, UnknownShiftIsRefusedAndKeepsTheFocus) {
  TfrmVoo& f = *form;
  EditFlightWithPrefix();
  EXPECT_FALSE(TypeAndLeave(f.dbeTurnoProd, "9", f.dbeDiasProducao));
  EXPECT_EQ(LastMessage(), "Turno não cadastrado.");
  EXPECT_TRUE(Focused(f.dbeTurnoProd));
  EXPECT_EQ(f.dbeDsTurno->Text(), "");
  EXPECT_EQ(ui.BusyDepth(), 0);
}

TEST_F(FlightReferencesTest, EmptyShiftIsSilentOnExitButRequiredByTheFlightCheck) {
  TfrmVoo& f = *form;
  EditFlightWithPrefix();
  EXPECT_TRUE(TypeAndLeave(f.dbeTurnoProd, "", f.dbeDiasProducao));
  EXPECT_TRUE(f.cdsVooDSTURNO->IsNull());
  EXPECT_EQ(LastMessage(), "");
  EXPECT_THROW(f.vd_Turno(true), EAbort);
  EXPECT_EQ(LastMessage(), "Turno deve ser informado.");
  EXPECT_TRUE(Focused(f.dbeTurnoProd));
}

TEST_F(FlightReferencesTest, ShiftButtonListsEveryShiftAndFillsCodeAndDescription) {
  TfrmVoo& f = *form;
  f.cdsVoo->First();
  ui.Picks.push_back(2);
  EXPECT_TRUE(f.btpTurnoProd->UserClick());
  EXPECT_TRUE(BusyShown(6));
  EXPECT_EQ(ui.BusyDepth(), 0);
  EXPECT_EQ(f.cdsPesqTurno->RecordCount(), 4);
  EXPECT_EQ(f.cdsVoo->State(), dsEdit);
  EXPECT_EQ(f.cdsVooNRTURNOPROD->AsString(), "03");
  EXPECT_EQ(f.cdsVooDSTURNO->AsString(), "Noite (22h às 06h)");
  EXPECT_EQ(f.dbeDsTurno->Text(), "Noite (22h às 06h)");
}

TEST_F(FlightReferencesTest, NumberEditsTakeOnlyTheirKeys) {
  TfrmVoo& f = *form;
  EditFlightWithPrefix();
  ASSERT_TRUE(f.UserFocus(f.dbeDiasProducao));
  f.dbeDiasProducao->UserSetText("");
  f.dbeDiasProducao->UserType("1a2,\b3 -");
  EXPECT_EQ(f.dbeDiasProducao->Text(), "13");

  ASSERT_TRUE(f.UserFocus(f.dbePercentOcupacao));
  f.dbePercentOcupacao->UserSetText("");
  f.dbePercentOcupacao->UserType("5x.5,2\b7-");
  EXPECT_EQ(f.dbePercentOcupacao->Text(), "55,7");
  EXPECT_TRUE(f.UserFocus(f.dbeDiasProducao));
  EXPECT_DOUBLE_EQ(f.cdsVooVRPEROCUPACAO->AsFloat(), 55.7);
}

}  // namespace zor::Cli_zor12200

