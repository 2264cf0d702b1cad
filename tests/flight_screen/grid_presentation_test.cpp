// How the flight list and the leg grid are painted by situation, the base
// lookup of the leg grid, and the keys the grids keep from the person. In the
// demo data flight 1000 (the first) is inactive and 1001 active; every leg
// is active until a test changes one.
#include "platform/dbcontrols/db_grid.h"
#include "tests/flight_screen/screen_fixture.h"

namespace zor::Cli_zor12200 {

using namespace plat;

class GridPresentationTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    Open();
    LoadCompany("0001", "ABR");
    ASSERT_EQ(form->cdsVooNRVOO->AsString(), "1000");
  }
  TDBGrid& LegGrid() {
    EXPECT_TRUE(form->pgcPadrao->SelectPage(form->tshFormulario));
    return *form->dbgVooTrecho;
  }
};

// ---------------------------------------------------------------- colours

TEST_F(GridPresentationTest, FlightRowsAreRedWhenInactiveAndBlackWhenActive) {
  TDBGrid& grid = *form->dbgPadrao;
  for (int col = 0; col < grid.Columns().Count(); ++col) {
    TCellPaint inactive = grid.PaintCell(0, col);
    TCellPaint active = grid.PaintCell(1, col);
    EXPECT_EQ(active.Background, clInfoBk) << col;
    EXPECT_EQ(active.TextColor, clBlack) << col;
    // The first row is the current one; only its selected cell changes colours.
    if (inactive.State.Contains(gdSelected)) {
      EXPECT_EQ(inactive.Background, clHighlight);
      EXPECT_EQ(inactive.TextColor, clCaptionText);
    } else {
      EXPECT_EQ(inactive.Background, clInfoBk) << col;
      EXPECT_EQ(inactive.TextColor, clRed) << col;
    }
  }
  // The text is the field's display text, unclipped, 2 pixels in.
  TCellPaint cell = grid.PaintCell(1, 0);
  ASSERT_FALSE(cell.Ops.empty());
  const TCanvasOp& text = cell.Ops.back().kind == TCanvasOp::Kind::FocusRect ? cell.Ops[cell.Ops.size() - 2]
                                                                             : cell.Ops.back();
  EXPECT_EQ(text.kind, TCanvasOp::Kind::TextOut);
  EXPECT_EQ(text.x, cell.Rect.Left + 2);
  EXPECT_EQ(text.y, cell.Rect.Top + 2);
  EXPECT_EQ(cell.Text, grid.CellText(1, 0));
}

TEST_F(GridPresentationTest, AnInactiveLegIsRedInEveryColumnAndOtherCodesKeepTheGridsColour) {
  TfrmVoo& f = *form;
  TDBGrid& grid = LegGrid();
  f.cdstrechoo->Next();  // row 2, so row 1 is neither current nor selected
  f.cdstrechoo->Prior();
  f.cdstrechoo->Edit();
  f.cdstrechooIDSITVOOTRE->SetAsString("2");
  f.cdstrechoo->Post();
  f.cdstrechoo->Next();
  for (int col = 0; col < grid.Columns().Count(); ++col) {
    TCellPaint cell = grid.PaintCell(0, col);
    EXPECT_EQ(cell.TextColor, clRed) << col;
    EXPECT_EQ(cell.Background, clInfoBk) << col;
    EXPECT_EQ(cell.Ops.back().kind == TCanvasOp::Kind::TextRect ||
                  cell.Ops[cell.Ops.size() - 2].kind == TCanvasOp::Kind::TextRect,
              true)
        << "leg cells are clipped to their rectangle";
  }
  // A situation that is no number (stored by another program: the server
  // refuses to store it) keeps the grid's own text colour.
  f.cdstrechoo->First();
  server->Pool().Acquire()->Execute(
      "UPDATE VOOTRECHO SET IDSITVOOTRE = 'x' WHERE CDFILIAL = '0001' AND CDCIA = '0001' AND NRVOO = '1000'"
      " AND CDTRECHO = ?",
      {f.cdstrechooCDTRECHO->AsString()});
  f.cdsVoo->Next();  // moving to another flight and back reloads the legs
  f.cdsVoo->Prior();
  f.cdstrechoo->First();
  f.cdstrechoo->Next();
  TCellPaint cell = grid.PaintCell(0, 0);
  EXPECT_EQ(cell.TextColor, grid.Font().Color);
  EXPECT_EQ(cell.Background, clInfoBk);
}

// ---------------------------------------------------------------- keys

TEST_F(GridPresentationTest, TheLegGridNeverDeletesALegByItself) {
  TfrmVoo& f = *form;
  TDBGrid& grid = LegGrid();
  const int legs = f.cdstrechoo->RecordCount();
  ASSERT_TRUE(grid.UserSelectCell(0, "SGBASEORI"));
  ui.ClearEvents();
  grid.UserKeyDown(VK_DELETE, TShiftState{ssCtrl});
  EXPECT_FALSE(ui.LastQuestion().has_value());
  EXPECT_EQ(f.cdstrechoo->RecordCount(), legs);
}

TEST_F(GridPresentationTest, CodedLegColumnsChangeOnlyThroughTheirLists) {
  TfrmVoo& f = *form;
  TDBGrid& grid = LegGrid();
  for (const char* column : {"IDSITVOOTRE", "IDTIPAJUSFAT"}) {
    ASSERT_TRUE(grid.UserSelectCell(0, column));
    const std::string before = f.cdstrechoo->FieldByName(column)->AsString();
    grid.UserType("In");
    grid.UserKeyDown(VK_DELETE);
    grid.UserSelectCell(0, "HRDECOLVOO");
    EXPECT_EQ(f.cdstrechoo->FieldByName(column)->AsString(), before) << column;
    EXPECT_EQ(LastMessage(), "") << column;
  }
  // The other columns still take typing.
  ASSERT_TRUE(grid.UserSelectCell(0, "HRDECOLVOO"));
  grid.UserKeyDown(VK_DELETE);
  EXPECT_TRUE(grid.EditorMode());
}

TEST_F(GridPresentationTest, DownAndTabTurnOffEditingInTheFlightListOtherKeysTurnItOn) {
  TfrmVoo& f = *form;
  TDBGrid& flights = *f.dbgPadrao;
  ASSERT_TRUE(f.UserFocus(&flights));
  const int count = f.cdsVoo->RecordCount();
  f.cdsVoo->Last();
  flights.UserKeyDown(VK_DOWN);
  EXPECT_FALSE(flights.Options().Contains(dgEditing));
  EXPECT_EQ(f.cdsVoo->State(), dsBrowse) << "Down on the last flight must not append one";
  EXPECT_EQ(f.cdsVoo->RecordCount(), count);
  flights.UserKeyDown(VK_LEFT);
  EXPECT_TRUE(flights.Options().Contains(dgEditing));
  flights.UserKeyDown(VK_TAB);
  EXPECT_FALSE(flights.Options().Contains(dgEditing));

  // A key in the class grid sets the flight list's option too.
  ASSERT_TRUE(f.pgcPadrao->SelectPage(f.tshConfigVoo));
  ASSERT_TRUE(f.UserFocus(f.dbgConfVoo));
  f.dbgConfVoo->UserKeyDown(VK_UP);
  EXPECT_TRUE(flights.Options().Contains(dgEditing));
}

TEST_F(GridPresentationTest, WithoutFlightsTheFlightListNeverEdits) {
  TfrmVoo& f = *form;
  LoadCompany("0001", "AMZ");
  ASSERT_TRUE(f.cdsVoo->IsEmpty());
  ASSERT_TRUE(f.dbgPadrao->Focused());
  f.dbgPadrao->UserKeyDown(VK_LEFT);
  EXPECT_FALSE(f.dbgPadrao->Options().Contains(dgEditing));
}

// ---------------------------------------------------------------- base lookup

TEST_F(GridPresentationTest, DoubleClickOnATimeOnlyStartsEditingTheLeg) {
  TfrmVoo& f = *form;
  TDBGrid& grid = LegGrid();
  ASSERT_TRUE(grid.UserSelectCell(0, "HRPOUSOVOO"));
  ui.ClearEvents();
  EXPECT_TRUE(grid.UserDblClickCell(0, grid.SelectedIndex()));
  EXPECT_EQ(f.cdstrechoo->State(), dsEdit);
  for (const auto& e : ui.Events()) EXPECT_NE(e.kind, ScriptedUi::Kind::PickList) << "no base list for a time";
}

TEST_F(GridPresentationTest, TheBaseListSetsOriginCodeAndAbbreviationAndOpensItsCell) {
  TfrmVoo& f = *form;
  TDBGrid& grid = LegGrid();
  ASSERT_TRUE(grid.UserSelectCell(0, "SGBASEORI"));
  ui.Picks.push_back(7);  // bases listed by abbreviation: BEL, BSB, CGH, CNF, CWB, FLN, FOR, GIG, ...
  EXPECT_TRUE(grid.UserEditButtonClick());
  ASSERT_FALSE(ui.PickLists().empty());
  EXPECT_EQ(ui.PickLists().back().Title, "Base Aérea");
  EXPECT_EQ(ui.PickLists().back().Rows.size(), 15u);
  EXPECT_EQ(f.cdstrechoo->State(), dsEdit);
  EXPECT_EQ(f.cdstrechooSGBASEORI->AsString(), "GIG");
  EXPECT_EQ(f.cdstrechooCDBASEORI->AsString(), "0003");
  EXPECT_EQ(grid.SelectedField(), f.cdstrechooSGBASEORI);
  EXPECT_TRUE(grid.EditorMode());
  EXPECT_EQ(LastMessage(), "");
}

TEST_F(GridPresentationTest, PickingTheDestinationAsOriginIsRefusedAndTheOriginKept) {
  TfrmVoo& f = *form;
  TDBGrid& grid = LegGrid();
  ASSERT_EQ(f.cdstrechooSGBASEDES->AsString(), "BSB");
  ASSERT_TRUE(grid.UserSelectCell(0, "SGBASEORI"));
  ui.Picks.push_back(1);  // BSB, code 0005
  grid.UserDblClickCell(0, grid.SelectedIndex());
  EXPECT_EQ(LastMessage(), "Base de destino não pode ser igual à de origem.");
  EXPECT_EQ(f.cdstrechoo->State(), dsEdit);
  EXPECT_EQ(f.cdstrechooSGBASEORI->AsString(), "GRU");
  EXPECT_EQ(f.cdstrechooCDBASEORI->AsString(), "0001");
}

TEST_F(GridPresentationTest, TheBaseListForTheDestinationLeavesTheCellWhereItIs) {
  TfrmVoo& f = *form;
  TDBGrid& grid = LegGrid();
  ASSERT_TRUE(grid.UserSelectCell(0, "SGBASEDES"));
  ui.Picks.push_back(14);  // VCP
  EXPECT_TRUE(grid.UserEditButtonClick());
  EXPECT_EQ(f.cdstrechooSGBASEDES->AsString(), "VCP");
  EXPECT_EQ(f.cdstrechooCDBASEDES->AsString(), "0015");
  EXPECT_EQ(grid.SelectedField(), f.cdstrechooSGBASEDES);

  // A list given up changes nothing.
  ui.Picks.push_back(std::nullopt);
  grid.UserEditButtonClick();
  EXPECT_EQ(f.cdstrechooSGBASEDES->AsString(), "VCP");
}

}  // namespace zor::Cli_zor12200
