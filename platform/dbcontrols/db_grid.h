// TDBGrid: the data grid. It shows the records of a data source's dataset
// in rows (the dataset's cursor is the current row) and its columns (see
// db_grid_column.h), and edits the current cell in an in-place editor.
//
// Editing (with dgEditing, a column and field that can be modified, and
// the grid not read-only): typing into a cell opens the editor with the
// typed character (the cell's old text is replaced, as a selected text
// is), after first putting a browsing dataset into edit when the data
// source's AutoEdit allows (otherwise the typing is refused); F2 or Enter
// open it on the field's edit text; Delete empties it; Escape drops the
// typed text, or cancels the record's edit when nothing was typed. The
// editor's text is written into the field through the field's set-text
// when the cell is left (another column, another row, leaving the grid)
// and whenever the dataset asks for pending text (UpdateRecord, before
// every post). A text the field refuses keeps the editor as typed and the
// error travels on, so the move is refused. A field with an edit mask is
// edited through that mask exactly as a masked edit is: the editor holds
// the mask's layout, each typed key goes through the mask at the editor's
// caret (a key the position does not take changes nothing; the first key
// the mask takes replaces the whole text, which the opened editor holds
// selected; Backspace, Left, Right, Home and End work on the caret), and
// the field receives the mask's text. Choosing an entry of a
// column's pick list writes it at once; when the field refuses it the
// editor shows the field's value again.
//
// Keys (after OnKeyDown / OnKeyPress, which may discard them by setting the
// key to 0): Up/Down move a row (Down on the last row appends a record when
// editing is allowed; Up from an untouched appended record cancels it);
// PageUp/PageDown move a page; Ctrl+Home/Ctrl+End go to the first/last
// record; Left/Right (editor closed) and, with dgTabs, Tab/Shift+Tab move
// between cells, Tab wrapping to the next row as Down does; Insert inserts
// a record; Ctrl+Delete deletes the current one, after the question
// "Confirma a exclusão do registro?" with dgConfirmDelete; Ctrl+Enter
// clicks the ellipsis button.
//
// Drawing: PaintCell(row, col) draws one data cell on the grid's recording
// canvas with the row's record readable through the fields (the dataset's
// PeekRow), first the default drawing (DefaultDrawing) then
// OnDrawColumnCell, and returns what was drawn (background, text colour,
// font, text).
//
// A renderer follows GridChanges (columns, rows, one row, the current
// cell, the editor, the options) besides the control's Changes.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/controls/control.h"
#include "platform/controls/edit_mask.h"
#include "platform/core/observers.h"
#include "platform/data/data_link.h"
#include "platform/data/data_source.h"
#include "platform/dbcontrols/canvas.h"
#include "platform/dbcontrols/db_grid_column.h"

namespace zor::plat {

enum TDBGridOption {
  dgEditing,
  dgAlwaysShowEditor,
  dgTitles,
  dgIndicator,
  dgColumnResize,
  dgColLines,
  dgRowLines,
  dgTabs,
  dgRowSelect,
  dgAlwaysShowSelection,
  dgConfirmDelete,
  dgCancelOnExit,
};
using TDBGridOptions = TSet<TDBGridOption>;

enum TGridDrawStateFlag { gdSelected, gdFocused, gdFixed };
using TGridDrawState = TSet<TGridDrawStateFlag>;

using TDrawColumnCellEvent =
    std::function<void(TObject* sender, const TRect& rect, int dataCol, TColumn* column, TGridDrawState state)>;
using TDBGridClickEvent = std::function<void(TColumn* column)>;

enum class TGridChangeKind {
  Columns,      // the column list or a column's properties
  Rows,         // the records may all have changed
  Row,          // the record at Row changed
  CurrentCell,  // the current row or the selected column moved
  Editor,       // the editor opened, closed or its text changed
  Options,
};

struct TGridChange {
  TGridChangeKind Kind;
  int Row = -1;
};

// What PaintCell drew in one cell.
struct TCellPaint {
  int Row = -1;
  int Col = -1;
  TRect Rect;
  TGridDrawState State;
  TColor Background = clWindow;  // the last fill
  TColor TextColor = clWindowText;
  TFont Font;                    // of the last text written
  std::string Text;              // the last text written
  bool FocusRect = false;
  std::vector<TCanvasOp> Ops;
};

class TDBGrid : public TWinControl {
 public:
  explicit TDBGrid(TComponent* owner = nullptr);
  ~TDBGrid() override;

  TDataSource* DataSource() const { return link_.DataSource(); }
  void SetDataSource(TDataSource* source);
  // The data source's dataset; null without one.
  TDataSet* DataSet() const { return link_.DataSet(); }

  TDBGridColumns& Columns() { return columns_; }
  const TDBGridColumns& Columns() const { return columns_; }
  TDBGridOptions Options() const { return options_; }
  void SetOptions(TDBGridOptions options);
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool v);
  const TFont& TitleFont() const { return title_font_; }
  void SetTitleFont(const TFont& font);
  bool DefaultDrawing() const { return default_drawing_; }
  void SetDefaultDrawing(bool v) { default_drawing_ = v; }
  int DefaultRowHeight() const { return row_height_; }
  void SetDefaultRowHeight(int h);

  // ---- rows
  // Records shown (the one being inserted included) and the current one (-1: none).
  int RowCount() const;
  int Row() const;
  // Rows that fit in the grid's height (at least 1): the page of PageUp/PageDown.
  int VisibleRowCount() const;
  // The text a cell shows: the editor's text in the edited cell, else the
  // field's display text of that record.
  std::string CellText(int row, int col);

  // ---- selection
  // Index in Columns of the selected column (-1 without columns). Setting
  // it writes the editor first (raising keeps the cell), then runs
  // OnColExit, moves, and runs OnColEnter.
  int SelectedIndex() const { return selected_; }
  void SetSelectedIndex(int index);
  TColumn* SelectedColumn() const;
  TField* SelectedField() const;
  // Selects the column showing the field (nothing when none does).
  void SetSelectedField(TField* field);

  // ---- editor
  bool EditorMode() const { return editor_mode_; }
  // Opening needs an editable cell; closing keeps the text to write.
  void SetEditorMode(bool v);
  const std::string& EditorText() const { return editor_text_; }
  // The person's text not yet written into the field.
  bool EditorModified() const { return editor_modified_; }
  // The edit mask of the selected field (empty when it has none) and the
  // caret in the masked editor's layout.
  TEditMask EditorMask() const;
  int EditorCaret() const { return editor_caret_; }
  // The selected cell can be edited now (options, column, field, dataset).
  bool CanEditModify() const;
  // Chooses an entry of the selected column's pick list and writes it.
  // False (and nothing changes) when the cell cannot be edited.
  bool ChoosePickListItem(int index);
  // Writes the editor's text into the field now.
  void UpdateData() { link_.UpdateRecord(); }

  // ---- drawing
  TCanvas* Canvas() { return &canvas_; }
  TRect CellRect(int row, int col) const;
  TCellPaint PaintCell(int row, int col);
  // Every visible cell of every row.
  std::vector<TCellPaint> Paint();
  // The grid's own drawing of a cell: fills it with the canvas brush and
  // writes the field's display text 2 pixels in, aligned as the column.
  void DefaultDrawColumnCell(const TRect& rect, int dataCol, TColumn* column, TGridDrawState state);

  // ---- gestures (each false when refused or when an error ended it; the
  // error has been reported the standard way)
  // Clicks a cell: focuses the grid, moves to the row and the column, runs OnCellClick.
  bool UserSelectCell(int row, int col);
  bool UserSelectCell(int row, const std::string& fieldName);
  // Types a whole text into the selected cell's editor.
  bool UserSetEditorText(const std::string& text);
  bool UserChoosePickItem(int index);
  bool UserChoosePickItem(const std::string& item);
  // A key while the grid has the focus (through the form, so its key
  // preview sees it first, when the grid is its active control).
  bool UserKeyDown(Word key, TShiftState shift = {});
  bool UserKeyPress(char key);
  bool UserType(const std::string& chars);
  bool UserEditButtonClick();
  bool UserDblClickCell(int row, int col);
  bool UserTitleClick(int col);

  bool WantsTab() const override { return options_.Contains(dgTabs); }
  void DoEnter() override;
  void DoExit() override;

  TDrawColumnCellEvent OnDrawColumnCell;
  TNotifyEvent OnEditButtonClick;
  TNotifyEvent OnColEnter;
  TNotifyEvent OnColExit;
  TDBGridClickEvent OnCellClick;
  TDBGridClickEvent OnTitleClick;

  Observers<TDBGrid*, const TGridChange&> GridChanges;

  // ---- for the columns
  void ColumnChanged(TColumn* column);
  void ColumnsChanged();

 protected:
  void DefaultKeyDown(Word& key, TShiftState shift) override;
  void DefaultKeyPress(char& key) override;

 private:
  class Link : public TDataLink {
   public:
    explicit Link(TDBGrid& grid) : grid_(grid) {}

   protected:
    void ActiveChanged() override { grid_.LinkActiveChanged(); }
    void LayoutChanged() override { grid_.LinkActiveChanged(); }
    void EditingChanged() override { grid_.LinkEditingChanged(); }
    void DataSetChanged() override { grid_.LinkDataSetChanged(); }
    void DataSetScrolled(int) override { grid_.LinkScrolled(); }
    void RecordChanged(TField* field) override { grid_.LinkRecordChanged(field); }
    void UpdateData() override { grid_.WriteEditor(); }
    void FocusControl(TField*& field) override { grid_.LinkFocusControl(field); }

   private:
    TDBGrid& grid_;
  };

  void LinkActiveChanged();
  void LinkEditingChanged();
  void LinkDataSetChanged();
  void LinkScrolled();
  void LinkRecordChanged(TField* field);
  void LinkFocusControl(TField*& field);

  void Notify(TGridChangeKind kind, int row = -1);
  void WriteEditor();
  void RefreshEditorText();
  void CloseEditor();
  // The person's text as the field takes it (the mask's text when masked).
  std::string EditorTextForField() const;
  // A key typed into a masked editor; false when the mask refused it.
  bool MaskedKeyPress(const TEditMask& mask, char key);
  // Puts a text the person entered whole into the editor.
  void SetTypedEditorText(const std::string& text);
  bool BeginEdit();
  bool CanAppend() const;
  void MoveToRow(int row);
  void MoveRows(int distance);
  void DownKey();
  void UpKey();
  void TabKey(bool forward);
  // Next visible column after / before `from`; -1 when none.
  int NextColumn(int from, bool forward) const;
  void ClampSelection();

  Link link_{*this};
  TDBGridColumns columns_{*this};
  TDBGridOptions options_{dgEditing, dgTitles, dgIndicator, dgColumnResize, dgColLines,
                          dgRowLines, dgTabs, dgConfirmDelete, dgCancelOnExit};
  bool read_only_ = false;
  TFont title_font_;
  bool default_drawing_ = true;
  int row_height_ = 17;
  int selected_ = -1;
  bool editor_mode_ = false;
  bool editor_modified_ = false;
  std::string editor_text_;
  int editor_caret_ = 0;
  // The masked editor's text is selected: the next key it takes replaces it.
  bool editor_selected_ = true;
  TCanvas canvas_;
  bool dying_ = false;
};

}  // namespace zor::plat
