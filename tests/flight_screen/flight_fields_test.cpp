// The flight record's coded fields as the person sees and enters them.
#include "tests/flight_screen/screen_fixture.h"

namespace zor::Cli_zor12200 {

using namespace plat;

class FlightFieldsTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    Open();
    LoadCompany("0001", "ABR");
    ASSERT_FALSE(form->cdsVoo->IsEmpty());
  }
};

TEST_F(FlightFieldsTest, KdtHoursShowWithTheSeparatorAndStoreFourDigits) {
  TfrmVoo& f = *form;
  f.cdsVoo->Edit();
  f.cdsVooQTHRKDTCAR->SetText(" 2:5 ");
  EXPECT_EQ(f.cdsVooQTHRKDTCAR->AsString(), "0250");
  EXPECT_EQ(f.cdsVooQTHRKDTCAR->DisplayText(), "02:50");
  f.cdsVooQTHRKDTCAR->SetText("  :  ");
  EXPECT_TRUE(f.cdsVooQTHRKDTCAR->IsNull());
  EXPECT_EQ(f.cdsVooQTHRKDTCAR->DisplayText(), ":");
  EXPECT_EQ(LastMessage(), "");
}

TEST_F(FlightFieldsTest, AnInvalidKdtTimeIsRefusedAndTheOldValueKept) {
  TfrmVoo& f = *form;
  f.cdsVoo->Edit();
  f.cdsVooQTHRKDTDES->SetAsString("0730");
  EXPECT_THROW(f.cdsVooQTHRKDTDES->SetText("24:00"), EAbort);
  EXPECT_EQ(LastMessage(), "24:00 não é uma hora válida.");
  EXPECT_EQ(f.cdsVooQTHRKDTDES->AsString(), "0730");
  EXPECT_THROW(f.cdsVooQTHRKDTDES->SetAsString("2510"), EAbort);
  EXPECT_EQ(LastMessage(), "25:10 não é uma hora válida.");
}

TEST_F(FlightFieldsTest, IncidenceIndicatorsStoreTwoOnlyForTheExactText) {
  TfrmVoo& f = *form;
  f.cdsVoo->Edit();
  f.cdsVooIDINCDESDESV->SetText("Incide  ");
  EXPECT_EQ(f.cdsVooIDINCDESDESV->AsString(), "1");
  f.cdsVooIDINCDESDESV->SetText(" Não Incide ");
  EXPECT_EQ(f.cdsVooIDINCDESDESV->AsString(), "2");
  EXPECT_EQ(f.cdsVooIDINCDESDESV->DisplayText(), "Não Incide");
  f.cdsVooIDINCDESDESV->SetText("não incide");
  EXPECT_EQ(f.cdsVooIDINCDESDESV->AsString(), "1");
  f.cdsVooIDINCDESCOND->Clear();
  EXPECT_EQ(f.cdsVooIDINCDESCOND->DisplayText(), "Não Incide");
}

TEST_F(FlightFieldsTest, ComboCodesShowTheirTextsAndNeverChangeWhileBrowsing) {
  TfrmVoo& f = *form;
  const std::string stored = f.cdsVooIDSITVOO->AsString();
  f.dcbSituacao->SetItemIndex(stored == "1" ? 1 : 0);
  const std::string shown = f.cdsVooIDSITVOO->DisplayText();
  EXPECT_EQ(shown, stored == "1" ? "Ativo" : "Inativo");
  EXPECT_EQ(f.cdsVooIDSITVOO->AsString(), stored);
}

TEST_F(FlightFieldsTest, WhileEditingAComboCodeFollowsTheListsChoice) {
  TfrmVoo& f = *form;
  f.cdsVoo->Edit();
  f.dcbTipo->SetItemIndex(1);
  EXPECT_EQ(f.cdsVooIDTIPVOO->DisplayText(), "Extra");
  EXPECT_EQ(f.cdsVooIDTIPVOO->AsString(), "2");
  f.cdsVooIDNACIVOO->SetText("whatever");
  EXPECT_EQ(f.cdsVooIDNACIVOO->AsString(), std::to_string(f.dcbNacionalidade->ItemIndex() + 1));
}

TEST_F(FlightFieldsTest, ARegularTypeClearsBothValidityDates) {
  TfrmVoo& f = *form;
  f.cdsVoo->Edit();
  f.cdsVooIDTIPVOO->SetAsString("2");
  f.cdsVooDTINIVIGVOO->SetAsDateTime(EncodeDate(2026, 1, 1));
  f.cdsVooDTFIMVIGVOO->SetAsDateTime(EncodeDate(2026, 2, 1));
  f.cdsVooIDTIPVOO->SetAsString("1");
  EXPECT_TRUE(f.cdsVooDTINIVIGVOO->IsNull());
  EXPECT_TRUE(f.cdsVooDTFIMVIGVOO->IsNull());
  EXPECT_EQ(f.depDtIniVigVoo->Text().find_first_not_of(" /"), std::string::npos);
}

}  // namespace zor::Cli_zor12200
