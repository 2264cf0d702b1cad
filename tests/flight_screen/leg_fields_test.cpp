// The leg record's times, code texts and base checks, on the demo data of
// company ABR at branch 0001 (every first leg there leaves GRU, code 0001).
#include "tests/flight_screen/screen_fixture.h"

namespace zor::Cli_zor12200 {

using namespace plat;

class LegFieldsTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    Open();
    LoadCompany("0001", "ABR");
    ASSERT_FALSE(form->cdstrechoo->IsEmpty());
    ASSERT_EQ(form->cdstrechooSGBASEORI->AsString(), "GRU");
  }

  // Shows the record tab, where the leg grid is edited.
  TDBGrid& LegGrid() {
    form->pgcPadrao->SetActivePage(form->tshFormulario);
    return *form->dbgVooTrecho;
  }
};

TEST_F(LegFieldsTest, TheGridsShowTheLegColumnsInTheirOrder) {
  const TDBGridColumns& cols = LegGrid().Columns();
  std::vector<std::string> names;
  for (int i = 0; i < cols.Count(); ++i) names.push_back(cols[i]->FieldName());
  EXPECT_EQ(names, (std::vector<std::string>{"SGBASEORI", "SGBASEDES", "HRPOUSOVOO", "HRDECOLVOO", "IDTIPAJUSFAT",
                                             "IDSITVOOTRE"}));
  EXPECT_EQ(cols[4]->PickList().Text(), "Plano Vôo Atual\nPlano Vôo GMT\n");
  EXPECT_EQ(cols[5]->PickList().Text(), "Ativo\nInativo\n");
  EXPECT_EQ(form->dbgTrecho->Columns().Count(), 3);
  EXPECT_FALSE(form->dbgTrecho->Options().Contains(dgEditing));
}

TEST_F(LegFieldsTest, TimesShowWithTheSeparatorAndAnEmptyTimeAsTheSeparatorAlone) {
  TfrmVoo& f = *form;
  const std::string stored = f.cdstrechooHRDECOLVOO->AsString();
  ASSERT_EQ(stored.size(), 4u);
  EXPECT_EQ(f.cdstrechooHRDECOLVOO->DisplayText(), stored.substr(0, 2) + ":" + stored.substr(2));
  EXPECT_EQ(f.cdstrechooHRDECOLVOO->Text(), f.cdstrechooHRDECOLVOO->DisplayText());
  f.cdstrechoo->Edit();
  f.cdstrechooHRPOUSOVOO->Clear();
  EXPECT_EQ(f.cdstrechooHRPOUSOVOO->DisplayText(), ":");
}

TEST_F(LegFieldsTest, EnteredTimesFillBlankPositionsWithZeros) {
  TfrmVoo& f = *form;
  f.cdstrechoo->Edit();
  f.cdstrechooHRDECOLVOO->SetText("  :15");
  EXPECT_EQ(f.cdstrechooHRDECOLVOO->AsString(), "0015");
  f.cdstrechooHRPOUSOVOO->SetText(" 9:05");
  EXPECT_EQ(f.cdstrechooHRPOUSOVOO->AsString(), "0905");
  f.cdstrechooHRPOUSOVOO->SetText("00:00");
  EXPECT_EQ(f.cdstrechooHRPOUSOVOO->AsString(), "0000");
  f.cdstrechooHRPOUSOVOO->SetText("23:59");
  EXPECT_EQ(f.cdstrechooHRPOUSOVOO->AsString(), "2359");
  // All four positions blank: the time is emptied, which the field accepts.
  f.cdstrechooHRDECOLVOO->SetText("  :  ");
  EXPECT_TRUE(f.cdstrechooHRDECOLVOO->IsNull());
  EXPECT_EQ(LastMessage(), "");
}

TEST_F(LegFieldsTest, AnImpossibleTimeIsRefusedAndTheFormerValueKept) {
  TfrmVoo& f = *form;
  f.cdstrechoo->Edit();
  f.cdstrechooHRDECOLVOO->SetAsString("0730");
  EXPECT_THROW(f.cdstrechooHRDECOLVOO->SetText("9 :3 "), EAbort);
  EXPECT_EQ(LastMessage(), "90:30 não é uma hora válida.");
  EXPECT_EQ(f.cdstrechooHRDECOLVOO->AsString(), "0730");
  EXPECT_THROW(f.cdstrechooHRDECOLVOO->SetText("24:00"), EAbort);
  EXPECT_EQ(LastMessage(), "24:00 não é uma hora válida.");
  EXPECT_THROW(f.cdstrechooHRPOUSOVOO->SetText("23:60"), EAbort);
  EXPECT_EQ(LastMessage(), "23:60 não é uma hora válida.");
  EXPECT_THROW(f.cdstrechooHRPOUSOVOO->SetAsString("2560"), EAbort);
  EXPECT_EQ(LastMessage(), "25:60 não é uma hora válida.");
  EXPECT_THROW(f.cdstrechooHRPOUSOVOO->SetText("ab:12"), EAbort);
  EXPECT_EQ(f.cdstrechooHRDECOLVOO->AsString(), "0730");
}

TEST_F(LegFieldsTest, ATimeTypedInTheGridIsStoredWhenTheCellIsLeft) {
  TfrmVoo& f = *form;
  TDBGrid& grid = LegGrid();
  ASSERT_TRUE(grid.UserSelectCell(0, "HRPOUSOVOO"));
  ASSERT_TRUE(grid.UserSetEditorText("  :15"));
  ASSERT_TRUE(grid.UserSelectCell(0, "HRDECOLVOO"));
  EXPECT_EQ(f.cdstrechooHRPOUSOVOO->AsString(), "0015");
  ASSERT_TRUE(grid.UserSetEditorText("9 :3 "));
  EXPECT_FALSE(grid.UserSelectCell(0, "IDTIPAJUSFAT"));
  EXPECT_EQ(LastMessage(), "90:30 não é uma hora válida.");
  EXPECT_EQ(grid.SelectedField(), f.cdstrechooHRDECOLVOO);
}

TEST_F(LegFieldsTest, CodesShowTheirTextsAndNothingForOtherValues) {
  TfrmVoo& f = *form;
  f.cdstrechoo->Edit();
  f.cdstrechooIDTIPAJUSFAT->SetAsString("1");
  EXPECT_EQ(f.cdstrechooIDTIPAJUSFAT->DisplayText(), "Plano Vôo Atual");
  f.cdstrechooIDTIPAJUSFAT->SetAsString("2");
  EXPECT_EQ(f.cdstrechooIDTIPAJUSFAT->DisplayText(), "Plano Vôo GMT");
  f.cdstrechooIDSITVOOTRE->SetAsString("2");
  EXPECT_EQ(f.cdstrechooIDSITVOOTRE->DisplayText(), "Inativo");
  for (const char* other : {"0", "3", "x"}) {
    f.cdstrechooIDTIPAJUSFAT->SetAsString(other);
    f.cdstrechooIDSITVOOTRE->SetAsString(other);
    EXPECT_EQ(f.cdstrechooIDTIPAJUSFAT->DisplayText(), "") << other;
    EXPECT_EQ(f.cdstrechooIDSITVOOTRE->DisplayText(), "") << other;
  }
  f.cdstrechooIDSITVOOTRE->Clear();
  EXPECT_EQ(f.cdstrechooIDSITVOOTRE->DisplayText(), "");
}

TEST_F(LegFieldsTest, TheTimeReferenceIsThePickedItemsPosition) {
  TfrmVoo& f = *form;
  TDBGrid& grid = LegGrid();
  ASSERT_TRUE(grid.UserSelectCell(0, "IDTIPAJUSFAT"));
  ASSERT_TRUE(grid.UserChoosePickItem("Plano Vôo GMT"));
  EXPECT_EQ(f.cdstrechooIDTIPAJUSFAT->AsString(), "2");
  EXPECT_EQ(grid.CellText(0, 4), "Plano Vôo GMT");
  ASSERT_TRUE(grid.UserChoosePickItem("Plano Vôo Atual"));
  EXPECT_EQ(f.cdstrechooIDTIPAJUSFAT->AsString(), "1");
  // A text outside the list, even one differing only in case, stores 0.
  f.cdstrechooIDTIPAJUSFAT->SetText("plano vôo gmt");
  EXPECT_EQ(f.cdstrechooIDTIPAJUSFAT->AsString(), "0");
  EXPECT_EQ(grid.CellText(0, 4), "");
}

TEST_F(LegFieldsTest, TheTimeReferenceNeverReadsAnotherColumnsPickList) {
  TfrmVoo& f = *form;
  TDBGrid& grid = LegGrid();
  ASSERT_TRUE(grid.UserSelectCell(0, "IDSITVOOTRE"));
  f.cdstrechoo->Edit();
  f.cdstrechooIDTIPAJUSFAT->SetText("Inativo");
  EXPECT_EQ(f.cdstrechooIDTIPAJUSFAT->AsString(), "0");
  f.cdstrechooIDTIPAJUSFAT->SetText("Plano Vôo GMT");
  EXPECT_EQ(f.cdstrechooIDTIPAJUSFAT->AsString(), "2");
}

TEST_F(LegFieldsTest, OnlyTheExactWordInativoMakesALegInactive) {
  TfrmVoo& f = *form;
  f.cdstrechoo->Edit();
  f.cdstrechooIDSITVOOTRE->SetText(" Inativo ");
  EXPECT_EQ(f.cdstrechooIDSITVOOTRE->AsString(), "2");
  f.cdstrechooIDSITVOOTRE->SetText("inativo");
  EXPECT_EQ(f.cdstrechooIDSITVOOTRE->AsString(), "1");
  f.cdstrechooIDSITVOOTRE->SetAsString("2");
  f.cdstrechooIDSITVOOTRE->SetText("");
  EXPECT_EQ(f.cdstrechooIDSITVOOTRE->AsString(), "1");
}

TEST_F(LegFieldsTest, AKnownAbbreviationSetsTheBaseCodeAndIsKeptAsTyped) {
  TfrmVoo& f = *form;
  f.cdstrechoo->Edit();
  f.cdstrechooSGBASEDES->SetAsString("CGH");
  EXPECT_EQ(f.cdstrechooCDBASEDES->AsString(), "0002");
  f.cdstrechooSGBASEORI->SetAsString("VCP");
  EXPECT_EQ(f.cdstrechooCDBASEORI->AsString(), "0015");
  EXPECT_EQ(f.cdstrechooSGBASEORI->AsString(), "VCP");
  EXPECT_EQ(LastMessage(), "");
}

TEST_F(LegFieldsTest, AnUnknownAbbreviationIsRefusedWithItsCode) {
  TfrmVoo& f = *form;
  f.cdstrechoo->Edit();
  EXPECT_THROW(f.cdstrechooSGBASEORI->SetAsString("XYZ"), EAbort);
  EXPECT_EQ(LastMessage(), "Base não cadastrada.");
  EXPECT_EQ(f.cdstrechooSGBASEORI->AsString(), "GRU");
  EXPECT_EQ(f.cdstrechooCDBASEORI->AsString(), "0001");
}

TEST_F(LegFieldsTest, AnEmptyAbbreviationIsDemandedAndItsColumnFocused) {
  TfrmVoo& f = *form;
  TDBGrid& grid = LegGrid();
  ASSERT_TRUE(grid.UserSelectCell(0, "HRDECOLVOO"));
  f.cdstrechoo->Edit();
  EXPECT_THROW(f.cdstrechooSGBASEDES->Clear(), EAbort);
  EXPECT_EQ(LastMessage(), "Base deve ser informada.");
  EXPECT_EQ(grid.SelectedField(), f.cdstrechooSGBASEDES);
  EXPECT_FALSE(f.cdstrechooSGBASEDES->IsNull());
  EXPECT_FALSE(f.cdstrechooCDBASEDES->IsNull());
}

TEST_F(LegFieldsTest, ALegCannotEndWhereItStartsWhicheverSideComesLast) {
  TfrmVoo& f = *form;
  f.cdstrechoo->Edit();
  const std::string destination = f.cdstrechooSGBASEDES->AsString();
  const std::string destinationCode = f.cdstrechooCDBASEDES->AsString();
  EXPECT_THROW(f.cdstrechooSGBASEDES->SetAsString("GRU"), EAbort);
  EXPECT_EQ(LastMessage(), "Base de destino não pode ser igual à de origem.");
  EXPECT_EQ(f.cdstrechooSGBASEDES->AsString(), destination);
  EXPECT_EQ(f.cdstrechooCDBASEDES->AsString(), destinationCode);

  ui.ClearEvents();
  EXPECT_THROW(f.cdstrechooSGBASEORI->SetAsString(destination), EAbort);
  EXPECT_EQ(LastMessage(), "Base de destino não pode ser igual à de origem.");
  EXPECT_EQ(f.cdstrechooSGBASEORI->AsString(), "GRU");
  EXPECT_EQ(f.cdstrechooCDBASEORI->AsString(), "0001");
}

TEST_F(LegFieldsTest, TheSameBaseTypedInTheGridKeepsTheCellOpen) {
  TfrmVoo& f = *form;
  TDBGrid& grid = LegGrid();
  ASSERT_TRUE(grid.UserSelectCell(0, "SGBASEDES"));
  ASSERT_TRUE(grid.UserSetEditorText("GRU"));
  EXPECT_FALSE(grid.UserSelectCell(0, "HRPOUSOVOO"));
  EXPECT_EQ(LastMessage(), "Base de destino não pode ser igual à de origem.");
  EXPECT_EQ(grid.SelectedField(), f.cdstrechooSGBASEDES);
  EXPECT_NE(f.cdstrechooSGBASEDES->AsString(), "GRU");
}

TEST_F(LegFieldsTest, ANewLegTakesAnyOriginWhileItsDestinationIsEmpty) {
  TfrmVoo& f = *form;
  f.cdstrechoo->Insert();
  ASSERT_TRUE(f.cdstrechooCDBASEDES->IsNull());
  f.cdstrechooSGBASEORI->SetAsString("GRU");
  f.cdstrechooSGBASEORI->SetAsString("GIG");
  EXPECT_EQ(f.cdstrechooCDBASEORI->AsString(), "0003");
  EXPECT_EQ(LastMessage(), "");
  EXPECT_THROW(f.cdstrechooSGBASEDES->SetAsString("GIG"), EAbort);
  EXPECT_EQ(LastMessage(), "Base de destino não pode ser igual à de origem.");
  EXPECT_TRUE(f.cdstrechooCDBASEDES->IsNull());
  f.cdstrechooSGBASEDES->SetAsString("GRU");
  EXPECT_EQ(f.cdstrechooCDBASEDES->AsString(), "0001");
}

}  // namespace zor::Cli_zor12200
