// The record tab's editing aids: the defaults of a new flight, "Diário"
// against the seven weekday boxes, the two service boxes that make one code,
// the flight type against the validity dates, and the date check on leaving
// a date edit. Nothing here saves: every test ends with the flight unsent.
#include <array>
#include <functional>

#include "flight_screen/screen_state.h"
#include "tests/flight_screen/screen_fixture.h"

namespace zor::Cli_zor12200 {

using namespace plat;

class FlightEditingAidsTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    Open();
    LoadCompany("0001", "ABR");
    ASSERT_FALSE(form->cdsVoo->IsEmpty());
    form->pgcPadrao->SetActivePage(form->tshFormulario);
  }

  std::array<TField*, 7> Days() const {
    TfrmVoo& f = *form;
    return {f.cdsVooIDVOOSEG, f.cdsVooIDVOOTER, f.cdsVooIDVOOQUA, f.cdsVooIDVOOQUI,
            f.cdsVooIDVOOSEX, f.cdsVooIDVOOSAB, f.cdsVooIDVOODOM};
  }
  std::array<TDBCheckBox*, 7> DayBoxes() const {
    TfrmVoo& f = *form;
    return {f.dcbSeg, f.dcbTer, f.dcbQua, f.dcbQui, f.dcbSex, f.dcbSab, f.dcbDom};
  }
  int DaysSet() const {
    int n = 0;
    for (TField* d : Days()) n += d->AsString() == "1";
    return n;
  }
  void ExpectDays(const char* value) const {
    for (TField* d : Days()) EXPECT_EQ(d->AsString(), value) << d->FieldName();
  }
  void ExpectDayBoxesEnabled(bool enabled) const {
    for (TDBCheckBox* b : DayBoxes()) EXPECT_EQ(b->Enabled(), enabled) << b->Name();
  }
  bool FindFlight(const std::function<bool()>& pred) {
    for (form->cdsVoo->First(); !form->cdsVoo->Eof(); form->cdsVoo->Next())
      if (pred()) return true;
    return false;
  }
};

// ---------------------------------------------------------------- new flight

TEST_F(FlightEditingAidsTest, NewFlightStartsWithItsDefaults) {
  TfrmVoo& f = *form;
  // Start from an inactive international daily flight with attendance
  // only, so that nothing it shows is taken for the new one's defaults.
  ASSERT_TRUE(FindFlight([&] { return DaysSet() == 7 && f.cdsVooIDTIPVOO->AsString() == "2"; }));
  EXPECT_TRUE(f.ccbDiario->Checked());
  f.sbtIncluir->UserClick();
  ASSERT_EQ(f.cdsVoo->State(), dsInsert);

  ExpectDays("2");
  for (TField* activity : {f.cdsVooIDCARGA, f.cdsVooIDDESCAR, f.cdsVooIDTRANSLADO, f.cdsVooIDCARREGO})
    EXPECT_EQ(activity->AsString(), "2") << activity->FieldName();
  EXPECT_EQ(f.cdsVooIDBASETRAN->AsString(), "1");
  // The lists show the defaults, so they keep them when they refresh.
  EXPECT_EQ(f.cdsVooIDNACIVOO->AsString(), "1");
  EXPECT_EQ(f.cdsVooIDSITVOO->AsString(), "1");
  EXPECT_EQ(f.cdsVooIDTIPVOO->AsString(), "1");
  EXPECT_EQ(f.dcbTipo->Text(), "Regular");
  EXPECT_FALSE(f.grbVig->Enabled());
  EXPECT_EQ(f.cdsVooIDABASATEN->AsString(), "1");
  EXPECT_EQ(f.cdsVooCDCIA->AsString(), "0001");
  EXPECT_TRUE(f.cdsVooNRVOO->IsNull());
  EXPECT_TRUE(f.cdsVooQTHRKDTCAR->IsNull());
  EXPECT_FALSE(f.ccbDiario->Checked());
  ExpectDayBoxesEnabled(true);
  // The service boxes show the service the new flight holds.
  EXPECT_TRUE(f.ccbAbast->Checked());
  EXPECT_FALSE(f.ccbAtend->Checked());
  f.cdsVoo->Cancel();
}

TEST_F(FlightEditingAidsTest, NewFlightOfTheModalDialogIsExtra) {
  TfrmVoo& f = *form;
  boShowModal = true;
  ASSERT_TRUE(FindFlight([&] { return f.cdsVooIDTIPVOO->AsString() == "1"; }));
  f.cdsVoo->Insert();
  EXPECT_EQ(f.cdsVooIDTIPVOO->AsString(), "2");
  EXPECT_EQ(f.dcbTipo->Text(), "Extra");
  f.cdsVoo->Cancel();
}

// ---------------------------------------------------------------- daily box

TEST_F(FlightEditingAidsTest, BrowsingFollowsTheWeekdaysWithoutEditing) {
  TfrmVoo& f = *form;
  ASSERT_TRUE(FindFlight([&] { return DaysSet() == 7; }));
  EXPECT_TRUE(f.ccbDiario->Checked());
  ExpectDayBoxesEnabled(false);
  ASSERT_TRUE(FindFlight([&] { return DaysSet() < 7; }));
  EXPECT_FALSE(f.ccbDiario->Checked());
  ExpectDayBoxesEnabled(true);
  ASSERT_TRUE(FindFlight([&] { return DaysSet() == 7; }));
  EXPECT_TRUE(f.ccbDiario->Checked());
  EXPECT_EQ(f.cdsVoo->State(), dsBrowse);
  EXPECT_EQ(f.cdsVoo->ChangeCount(), 0);
  EXPECT_FALSE(boChecado);
}

TEST_F(FlightEditingAidsTest, DailyBoxWritesTheSevenDaysAndLocksThem) {
  TfrmVoo& f = *form;
  ASSERT_TRUE(FindFlight([&] { return DaysSet() < 7; }));
  ASSERT_TRUE(f.ccbDiario->UserClick());
  EXPECT_EQ(f.cdsVoo->State(), dsEdit);
  ExpectDays("1");
  ExpectDayBoxesEnabled(false);
  for (TDBCheckBox* b : DayBoxes()) EXPECT_TRUE(b->Checked());

  ASSERT_TRUE(f.ccbDiario->UserClick());
  ExpectDays("2");
  ExpectDayBoxesEnabled(true);
  EXPECT_FALSE(f.ccbDiario->Checked());
  f.cdsVoo->Cancel();
}

TEST_F(FlightEditingAidsTest, CheckingTheLastWeekdayMakesTheFlightDaily) {
  TfrmVoo& f = *form;
  f.sbtIncluir->UserClick();
  for (int i = 0; i < 6; ++i) ASSERT_TRUE(DayBoxes()[i]->UserClick());
  EXPECT_FALSE(f.ccbDiario->Checked());
  EXPECT_EQ(DaysSet(), 6);
  ASSERT_TRUE(f.dcbDom->UserClick());
  EXPECT_TRUE(f.ccbDiario->Checked());
  ExpectDays("1");
  ExpectDayBoxesEnabled(false);
  f.cdsVoo->Cancel();
}

// ---------------------------------------------------------------- services

TEST_F(FlightEditingAidsTest, ServiceBoxesMakeOneCodeAndBothOffKeepsTheLast) {
  TfrmVoo& f = *form;
  ASSERT_TRUE(FindFlight([&] { return f.cdsVooIDABASATEN->AsString() == "1"; }));
  ASSERT_TRUE(f.ccbAbast->Checked());
  ASSERT_FALSE(f.ccbAtend->Checked());

  ASSERT_TRUE(f.ccbAtend->UserClick());
  EXPECT_EQ(f.cdsVoo->State(), dsEdit);
  EXPECT_EQ(f.cdsVooIDABASATEN->AsString(), "3");
  ASSERT_TRUE(f.ccbAbast->UserClick());
  EXPECT_EQ(f.cdsVooIDABASATEN->AsString(), "2");
  ASSERT_TRUE(f.ccbAtend->UserClick());
  EXPECT_EQ(f.cdsVooIDABASATEN->AsString(), "2");
  ASSERT_TRUE(f.ccbAbast->UserClick());
  EXPECT_EQ(f.cdsVooIDABASATEN->AsString(), "1");
  f.cdsVoo->Cancel();
}

// ---------------------------------------------------------------- type and dates

TEST_F(FlightEditingAidsTest, RegularTypeEmptiesTheValidityAndExtraOpensIt) {
  TfrmVoo& f = *form;
  ASSERT_TRUE(FindFlight([&] { return f.cdsVooIDTIPVOO->AsString() == "2"; }));
  ASSERT_FALSE(f.cdsVooDTINIVIGVOO->IsNull());
  EXPECT_TRUE(f.grbVig->Enabled());
  ASSERT_TRUE(f.dcbTipo->UserSelect(0));
  EXPECT_EQ(f.cdsVooIDTIPVOO->AsString(), "1");
  EXPECT_TRUE(f.cdsVooDTINIVIGVOO->IsNull());
  EXPECT_TRUE(f.cdsVooDTFIMVIGVOO->IsNull());
  EXPECT_EQ(f.depDtIniVigVoo->Text(), "");
  EXPECT_EQ(f.depDtFimVigVoo->Text(), "");
  EXPECT_FALSE(f.grbVig->Enabled());
  EXPECT_FALSE(f.lblDtInicio->Enabled());
  EXPECT_FALSE(f.lblDtFim->Enabled());

  ASSERT_TRUE(f.dcbTipo->UserSelect(1));
  EXPECT_TRUE(f.grbVig->Enabled());
  EXPECT_TRUE(f.lblDtInicio->Enabled());
  ASSERT_TRUE(TypeAndLeave(f.depDtIniVigVoo, "01/02/2027", f.depDtFimVigVoo));
  // Choosing Extra again leaves the dates alone.
  ASSERT_TRUE(f.dcbTipo->UserSelect(1));
  EXPECT_EQ(f.depDtIniVigVoo->Text(), "01/02/2027");
  f.cdsVoo->Cancel();
}

TEST_F(FlightEditingAidsTest, AnImpossibleDateKeepsTheFocusInItsEdit) {
  TfrmVoo& f = *form;
  ASSERT_TRUE(FindFlight([&] { return f.cdsVooIDTIPVOO->AsString() == "2"; }));
  ASSERT_TRUE(f.sbtAlterar->UserClick());
  EXPECT_FALSE(TypeAndLeave(f.depDtFimVigVoo, "31/02/2027", f.depDtIniVigVoo));
  EXPECT_EQ(LastMessage(), "31/02/2027 não é uma data válida.");
  EXPECT_TRUE(f.depDtFimVigVoo->Focused());
  f.cdsVoo->Cancel();
}

}  // namespace zor::Cli_zor12200
