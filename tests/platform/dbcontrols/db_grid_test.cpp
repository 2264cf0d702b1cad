// The data grid: columns, the in-place editor and pick lists, keys and
// their handlers, drawing per cell, selection and the person's gestures.
#include <gtest/gtest.h>

#include "db_fixture.h"
#include "platform/controls/edit.h"
#include "platform/core/exceptions.h"
#include "platform/dbcontrols/db_grid.h"

namespace zor::plat::testing {
namespace {

class DbGridTest : public DbFixture {
 protected:
  void SetUp() override {
    DbFixture::SetUp();
    grid = Make<TDBGrid>("dbgVooTrecho");
    other = Make<TEdit>("edtOutro");
    dtini->SetVisible(false);
    grid->SetDataSource(dts);
    Load();
  }
  // Columns NRVOO, IDSITVOO (pick list), HRDECOLVOO.
  void CustomColumns() {
    grid->Columns().Add()->SetFieldName("NRVOO");
    TColumn* sit = grid->Columns().Add();
    sit->SetFieldName("IDSITVOO");
    sit->PickList().Assign({"Ativo", "Inativo  "});
    grid->Columns().Add()->SetFieldName("HRDECOLVOO");
  }
  TDBGrid* grid = nullptr;
  TEdit* other = nullptr;
};

TEST_F(DbGridTest, DefaultColumnsAreTheVisibleFields) {
  ASSERT_EQ(grid->Columns().Count(), 4);
  EXPECT_EQ(grid->Columns().State(), csDefault);
  EXPECT_EQ(grid->Columns()[0]->FieldName(), "NRVOO");
  EXPECT_EQ(grid->Columns()[3]->FieldName(), "SGEQUIP");
  EXPECT_EQ(grid->Columns()[0]->Field(), nrvoo);
  nrvoo->SetDisplayLabel("Vôo");
  EXPECT_EQ(grid->Columns()[0]->Title().Caption(), "Vôo");
  EXPECT_EQ(grid->RowCount(), 3);
  EXPECT_EQ(grid->CellText(1, 1), "Inativo");
}

TEST_F(DbGridTest, AddedColumnsReplaceTheDefaultOnes) {
  CustomColumns();
  EXPECT_EQ(grid->Columns().State(), csCustomized);
  ASSERT_EQ(grid->Columns().Count(), 3);
  EXPECT_EQ(grid->Columns()[2]->Field(), hrdecol);
  EXPECT_TRUE(grid->Columns()[1]->ShowsPickList());
  grid->Columns().Clear();
  EXPECT_EQ(grid->Columns().State(), csDefault);
  EXPECT_EQ(grid->Columns().Count(), 4);
}

TEST_F(DbGridTest, SelectedFieldFollowsTheSelectedColumn) {
  CustomColumns();
  EXPECT_EQ(grid->SelectedIndex(), 0);
  EXPECT_EQ(grid->SelectedField(), nrvoo);
  grid->SetSelectedField(hrdecol);
  EXPECT_EQ(grid->SelectedIndex(), 2);
  EXPECT_EQ(grid->SelectedField(), hrdecol);
  grid->SetSelectedField(sgequip);  // no column shows it
  EXPECT_EQ(grid->SelectedIndex(), 2);
}

TEST_F(DbGridTest, PickListChoiceIsWrittenThroughSetText) {
  CustomColumns();
  std::vector<std::string> texts;
  idsit->OnSetText = [&](TField* f, const std::string& text) {
    texts.push_back(text);
    // Reads the pick list of the column selected in the grid, as the screen does.
    f->SetAsString(std::to_string(grid->SelectedColumn()->PickList().IndexOf(text) + 1));
  };
  grid->SetFocus();
  ASSERT_TRUE(grid->UserSelectCell(0, "IDSITVOO"));
  EXPECT_TRUE(grid->UserChoosePickItem("Inativo  "));
  EXPECT_EQ(texts, std::vector<std::string>{"Inativo  "});
  EXPECT_EQ(idsit->AsString(), "2");
  EXPECT_EQ(cds->State(), dsEdit);
  EXPECT_EQ(grid->EditorText(), "Inativo");
  EXPECT_FALSE(grid->EditorModified());
}

TEST_F(DbGridTest, PickListChoiceRefusedByTheFieldLeavesItsValue) {
  CustomColumns();
  idsit->OnValidate = [](TField* f) {
    if (f->AsString() == "2") throw Exception("Situação não permitida.");
  };
  grid->SetSelectedIndex(1);
  EXPECT_FALSE(grid->UserChoosePickItem(1));
  EXPECT_EQ(idsit->AsString(), "1");
  EXPECT_EQ(grid->EditorText(), "Ativo");
  EXPECT_EQ(ui.LastMessage(), "Situação não permitida.");
}

TEST_F(DbGridTest, TypingIntoABrowsingDatasetStartsEditAndLeavingTheCellWrites) {
  CustomColumns();
  grid->SetFocus();
  grid->SetSelectedIndex(2);
  EXPECT_TRUE(grid->UserType("0915"));
  EXPECT_EQ(cds->State(), dsEdit);
  EXPECT_TRUE(grid->EditorMode());
  EXPECT_EQ(grid->EditorText(), "09:15") << "typing replaces the cell's text, through the field's mask";
  EXPECT_EQ(hrdecol->AsString(), "0730");
  grid->UserKeyDown(VK_LEFT);  // the editor is open: Left stays in it
  EXPECT_EQ(grid->SelectedIndex(), 2);
  grid->SetSelectedIndex(1);
  EXPECT_EQ(set_texts.back(), "09:15");
  EXPECT_EQ(hrdecol->AsString(), "0915");
}

TEST_F(DbGridTest, AMaskedCellTakesEachKeyAsAMaskedEditDoes) {
  CustomColumns();
  grid->SetFocus();
  grid->SetSelectedIndex(2);
  // A key no position takes leaves the cell's text as it was.
  EXPECT_TRUE(grid->UserType("x"));
  EXPECT_FALSE(grid->EditorModified());
  EXPECT_EQ(grid->EditorText(), "07:30");
  // The first key taken replaces the text; the typed colon steps over the
  // separator, so the minutes start after it.
  EXPECT_TRUE(grid->UserType("12:3"));
  EXPECT_EQ(grid->EditorText(), "12:3 ");
  grid->SetSelectedIndex(1);
  EXPECT_EQ(set_texts.back(), "12:3 ") << "the field always gets the five characters of the mask";
  EXPECT_EQ(hrdecol->AsString(), "1230");

  // Backspace empties the position before the caret, across the separator.
  grid->SetSelectedIndex(2);
  grid->UserType("0955");
  grid->UserType("\b\b");
  EXPECT_EQ(grid->EditorText(), "09:  ");
  grid->UserType("4");
  EXPECT_EQ(grid->EditorText(), "09:4 ");
  // Home puts the caret back at the start: typing overwrites the hours.
  grid->UserKeyDown(VK_HOME);
  grid->UserType("2");
  EXPECT_EQ(grid->EditorText(), "29:4 ");
  grid->UserKeyDown(VK_ESCAPE);
  EXPECT_EQ(grid->EditorText(), "12:30");

  // A column without a mask takes the keys as typed.
  grid->SetSelectedIndex(0);
  grid->UserType("12:3");
  EXPECT_EQ(grid->EditorText(), "12:3");
}

TEST_F(DbGridTest, TypingIsRefusedInReadOnlyColumnsAndWithoutEditing) {
  CustomColumns();
  grid->Columns()[0]->SetReadOnly(true);
  grid->UserType("9");
  EXPECT_EQ(cds->State(), dsBrowse);
  EXPECT_FALSE(grid->EditorMode());
  grid->SetSelectedIndex(2);
  grid->SetOptions(grid->Options().Exclude(dgEditing));
  grid->UserType("9");
  EXPECT_EQ(cds->State(), dsBrowse);
}

TEST_F(DbGridTest, PostTakesTheEditorsText) {
  CustomColumns();
  grid->SetSelectedIndex(2);
  grid->UserSetEditorText("22:00");
  cds->Post();
  EXPECT_EQ(hrdecol->AsString(), "2200");
}

TEST_F(DbGridTest, RefusedTextKeepsTheCellAndTheOldValue) {
  CustomColumns();
  grid->SetFocus();
  grid->SetSelectedIndex(2);
  grid->UserSetEditorText("25:75");
  EXPECT_FALSE(grid->UserSelectCell(0, 0));
  EXPECT_EQ(grid->SelectedIndex(), 2);
  EXPECT_EQ(hrdecol->AsString(), "0730");
  EXPECT_EQ(grid->EditorText(), "25:75");
  EXPECT_EQ(ui.LastMessage(), "25:75 não é uma hora válida.");
  EXPECT_FALSE(form.UserFocus(other)) << "leaving the grid is refused as well";
  EXPECT_EQ(form.ActiveControl(), grid);
  // Escape drops the typed text.
  grid->UserKeyDown(VK_ESCAPE);
  EXPECT_FALSE(grid->EditorModified());
  EXPECT_TRUE(form.UserFocus(other));
}

TEST_F(DbGridTest, DownMovesAndAppendsPastTheLastRowWhenEditingIsAllowed) {
  grid->SetFocus();
  grid->UserKeyDown(VK_DOWN);
  EXPECT_EQ(grid->Row(), 1);
  grid->UserKeyDown(VK_DOWN);
  EXPECT_EQ(grid->Row(), 2);
  EXPECT_EQ(cds->State(), dsBrowse);
  grid->UserKeyDown(VK_DOWN);
  EXPECT_EQ(cds->State(), dsInsert);
  EXPECT_EQ(grid->RowCount(), 4);
  grid->UserKeyDown(VK_DOWN);  // an untouched new row is not followed by another
  EXPECT_EQ(grid->RowCount(), 4);
  grid->UserKeyDown(VK_UP);  // and Up drops it
  EXPECT_EQ(cds->State(), dsBrowse);
  EXPECT_EQ(grid->RowCount(), 3);
  EXPECT_EQ(grid->Row(), 2);
}

TEST_F(DbGridTest, DownOnTheLastRowDoesNotAppendWithoutEditing) {
  grid->SetOptions(grid->Options().Exclude(dgEditing));
  grid->SetFocus();
  cds->Last();
  grid->UserKeyDown(VK_DOWN);
  EXPECT_EQ(cds->State(), dsBrowse);
  EXPECT_EQ(grid->RowCount(), 3);
}

TEST_F(DbGridTest, AKeyDownHandlerRunsFirstAndCanDiscardTheKey) {
  grid->SetFocus();
  std::vector<Word> keys;
  grid->OnKeyDown = [&](TObject* sender, Word& key, TShiftState shift) {
    EXPECT_EQ(sender, grid);
    keys.push_back(key);
    if (key == VK_DELETE && shift.Contains(ssCtrl)) key = 0;
    // The handler may switch editing off before the grid handles the key.
    if (key == VK_DOWN) grid->SetOptions(grid->Options().Exclude(dgEditing));
  };
  ui.Answers.push_back(true);
  grid->UserKeyDown(VK_DELETE, {ssCtrl});
  EXPECT_EQ(cds->RecordCount(), 3) << "the discarded Ctrl+Delete deletes nothing";
  EXPECT_TRUE(ui.Events().empty()) << "and asks nothing";
  cds->Last();
  grid->UserKeyDown(VK_DOWN);
  EXPECT_EQ(cds->State(), dsBrowse);
  EXPECT_EQ(keys, (std::vector<Word>{VK_DELETE, VK_DOWN}));
}

TEST_F(DbGridTest, CtrlDeleteDeletesAfterTheQuestion) {
  grid->SetFocus();
  grid->UserKeyDown(VK_DELETE, {ssCtrl});  // answered No
  EXPECT_EQ(cds->RecordCount(), 3);
  EXPECT_EQ(ui.LastQuestion(), "Confirma a exclusão do registro?");
  ui.Answers.push_back(true);
  grid->UserKeyDown(VK_DELETE, {ssCtrl});
  EXPECT_EQ(cds->RecordCount(), 2);
}

TEST_F(DbGridTest, AKeyPressHandlerCanDiscardTypedCharacters) {
  CustomColumns();
  grid->SetFocus();
  grid->OnKeyPress = [&](TObject*, char& key) {
    if (grid->SelectedField() == idsit) key = 0;
  };
  grid->SetSelectedIndex(1);
  grid->UserType("x");
  EXPECT_EQ(cds->State(), dsBrowse);
  EXPECT_FALSE(grid->EditorModified());
}

TEST_F(DbGridTest, DeleteEmptiesTheCellsEditor) {
  CustomColumns();
  grid->SetFocus();
  grid->SetSelectedIndex(2);
  grid->UserKeyDown(VK_DELETE);
  EXPECT_TRUE(grid->EditorModified());
  EXPECT_EQ(grid->EditorText(), "  :  ") << "the mask's empty layout";
  cds->Post();
  EXPECT_TRUE(hrdecol->IsNull());
}

TEST_F(DbGridTest, TabMovesBetweenCellsAndWrapsToTheNextRow) {
  CustomColumns();
  grid->SetFocus();
  std::vector<std::string> log;
  grid->OnColExit = [&](TObject*) { log.push_back("exit " + std::to_string(grid->SelectedIndex())); };
  grid->OnColEnter = [&](TObject*) { log.push_back("enter " + std::to_string(grid->SelectedIndex())); };
  grid->UserKeyDown(VK_TAB);
  EXPECT_EQ(form.ActiveControl(), grid) << "the grid keeps Tab with dgTabs";
  EXPECT_EQ(grid->SelectedIndex(), 1);
  grid->UserKeyDown(VK_TAB);
  grid->UserKeyDown(VK_TAB);
  EXPECT_EQ(grid->Row(), 1);
  EXPECT_EQ(grid->SelectedIndex(), 0);
  EXPECT_EQ(log, (std::vector<std::string>{"exit 0", "enter 1", "exit 1", "enter 2", "exit 2", "enter 0"}));
  grid->UserKeyDown(VK_TAB, {ssShift});
  EXPECT_EQ(grid->Row(), 0);
  EXPECT_EQ(grid->SelectedIndex(), 2);
}

TEST_F(DbGridTest, WithoutDgTabsTabLeavesTheGrid) {
  grid->SetOptions(grid->Options().Exclude(dgTabs));
  grid->SetFocus();
  grid->UserKeyDown(VK_TAB);
  EXPECT_EQ(form.ActiveControl(), other);
}

TEST_F(DbGridTest, DrawHandlerColoursAreRecordedPerCell) {
  CustomColumns();
  grid->SetColor(clInfoBk);
  grid->OnDrawColumnCell = [&](TObject*, const TRect& rect, int, TColumn* column, TGridDrawState state) {
    TCanvas* c = grid->Canvas();
    // The row being drawn is the one the fields read.
    int64_t code = StrToIntDef(idsit->AsString(), 0);
    if (code == 1) c->Font.Color = clBlack;
    if (code == 2) c->Font.Color = clRed;
    c->Brush.Color = clInfoBk;
    c->FillRect(rect);
    if (state.Contains(gdSelected)) {
      c->Brush.Color = clHighlight;
      c->FillRect(rect);
      c->Font.Color = clCaptionText;
    }
    c->TextOut(rect.Left + 2, rect.Top + 2, column->Field()->DisplayText());
  };
  grid->SetFocus();
  TCellPaint active = grid->PaintCell(0, 0);
  EXPECT_TRUE(active.State.Contains(gdSelected));
  EXPECT_EQ(active.Background, clHighlight);
  EXPECT_EQ(active.TextColor, clCaptionText);
  TCellPaint inactive = grid->PaintCell(1, 0);
  EXPECT_EQ(inactive.Background, clInfoBk);
  EXPECT_EQ(inactive.TextColor, clRed);
  EXPECT_EQ(inactive.Text, "200");
  EXPECT_EQ(grid->PaintCell(1, 1).Text, "Inativo");
  TCellPaint otherCode = grid->PaintCell(2, 2);
  EXPECT_EQ(otherCode.TextColor, grid->Font().Color) << "any other code keeps the grid's text colour";
  EXPECT_EQ(otherCode.Background, clInfoBk);
  EXPECT_EQ(grid->Paint().size(), 9u);
  EXPECT_EQ(cds->PeekRow(), -1);
  EXPECT_EQ(nrvoo->AsString(), "100") << "drawing leaves the fields on the current record";
}

TEST_F(DbGridTest, DefaultDrawingUsesTheColumnsColoursAndTheDisplayText) {
  CustomColumns();
  grid->Columns()[0]->SetColor(clYellow);
  TCellPaint cell = grid->PaintCell(1, 0);
  EXPECT_EQ(cell.Background, clYellow);
  EXPECT_EQ(cell.Text, "200");
  EXPECT_FALSE(cell.State.Contains(gdSelected)) << "unfocused without dgAlwaysShowSelection";
  grid->SetOptions(grid->Options().Include(dgAlwaysShowSelection));
  EXPECT_EQ(grid->PaintCell(0, 0).Background, clHighlight);
}

TEST_F(DbGridTest, ADrawHandlerThatRaisesLeavesTheDatasetReadable) {
  grid->OnDrawColumnCell = [](TObject*, const TRect&, int, TColumn*, TGridDrawState) { throw Exception("falha"); };
  EXPECT_THROW(grid->PaintCell(2, 0), Exception);
  EXPECT_EQ(nrvoo->AsString(), "100");
}

TEST_F(DbGridTest, FocusControlOfAFieldSelectsItsColumn) {
  CustomColumns();
  other->SetFocus();
  hrdecol->FocusControl();
  EXPECT_EQ(grid->SelectedField(), hrdecol);
  EXPECT_EQ(form.ActiveControl(), grid);
}

TEST_F(DbGridTest, EllipsisAndDoubleClickReachTheirHandlers) {
  CustomColumns();
  grid->Columns()[0]->SetButtonStyle(cbsEllipsis);
  int ellipsis = 0, dbl = 0;
  std::vector<std::string> clicked;
  grid->OnEditButtonClick = [&](TObject*) { ++ellipsis; };
  grid->OnDblClick = [&](TObject*) { ++dbl; };
  grid->OnCellClick = [&](TColumn* c) { clicked.push_back(c->FieldName()); };
  EXPECT_TRUE(grid->UserEditButtonClick());
  grid->SetSelectedIndex(1);
  EXPECT_FALSE(grid->UserEditButtonClick()) << "no ellipsis on this column";
  EXPECT_TRUE(grid->UserDblClickCell(2, 2));
  EXPECT_EQ(ellipsis, 1);
  EXPECT_EQ(dbl, 1);
  EXPECT_EQ(grid->Row(), 2);
  EXPECT_EQ(clicked, std::vector<std::string>{"HRDECOLVOO"});
}

TEST_F(DbGridTest, RenderersHearRowsCursorAndEditor) {
  CustomColumns();
  std::vector<TGridChangeKind> kinds;
  int id = grid->GridChanges.Subscribe([&](TDBGrid*, const TGridChange& c) { kinds.push_back(c.Kind); });
  cds->Next();
  EXPECT_NE(std::find(kinds.begin(), kinds.end(), TGridChangeKind::CurrentCell), kinds.end());
  kinds.clear();
  grid->UserSetEditorText("1");
  EXPECT_NE(std::find(kinds.begin(), kinds.end(), TGridChangeKind::Editor), kinds.end());
  grid->GridChanges.Unsubscribe(id);
}

}  // namespace
}  // namespace zor::plat::testing
