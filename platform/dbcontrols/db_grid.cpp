// The data grid: rows over the dataset's cursor, the selected column, the
// in-place editor, keys, drawing and the person's gestures.
#include "platform/dbcontrols/db_grid.h"

#include <algorithm>

#include "platform/controls/custom_form.h"
#include "platform/controls/gesture.h"
#include "platform/core/platform_texts.h"
#include "platform/core/sysutils.h"
#include "platform/data/data_set.h"
#include "platform/data/field.h"
#include "platform/ui/ui_port.h"

#include "platform/dbcontrols/db_classes.h"

namespace zor::plat {

namespace {
// Forms may name the data-aware classes as soon as they are linked in.
[[maybe_unused]] const bool kClassesRegistered = (RegisterDataControls(), true);
}  // namespace

namespace {
constexpr int kIndicatorWidth = 11;
constexpr int kCharWidth = 7;  // the recording canvas measures text by characters
constexpr Word kF2 = 113;

// Restores the dataset's read position even when a draw handler raises.
class PeekScope {
 public:
  PeekScope(TDataSet* ds, int row) : ds_(ds), saved_(ds ? ds->PeekRow() : -1) {
    if (ds_) ds_->SetPeekRow(row);
  }
  ~PeekScope() {
    if (ds_) ds_->SetPeekRow(saved_);
  }
  PeekScope(const PeekScope&) = delete;
  PeekScope& operator=(const PeekScope&) = delete;

 private:
  TDataSet* ds_;
  int saved_;
};
}  // namespace

TDBGrid::TDBGrid(TComponent* owner) : TWinControl(owner) { SetColor(clWindow); }

TDBGrid::~TDBGrid() {
  dying_ = true;  // observers hear nothing from a grid being destroyed
  link_.SetDataSource(nullptr);
}

// ---- properties ------------------------------------------------------------

void TDBGrid::SetDataSource(TDataSource* source) {
  link_.SetDataSource(source);
  LinkActiveChanged();
}

void TDBGrid::SetOptions(TDBGridOptions options) {
  if (options == options_) return;
  options_ = options;
  // Without editing the editor closes; typed text still waits to be written.
  if (!options_.Contains(dgEditing) && editor_mode_) {
    editor_mode_ = false;
    Notify(TGridChangeKind::Editor);
  }
  Notify(TGridChangeKind::Options);
}

void TDBGrid::SetReadOnly(bool v) {
  if (v == read_only_) return;
  read_only_ = v;
  if (v && editor_mode_) {
    editor_mode_ = false;
    Notify(TGridChangeKind::Editor);
  }
  Changed(Prop::ReadOnly);
}

void TDBGrid::SetTitleFont(const TFont& font) {
  title_font_ = font;
  Notify(TGridChangeKind::Columns);
}

void TDBGrid::SetDefaultRowHeight(int h) {
  row_height_ = std::max(1, h);
  Notify(TGridChangeKind::Rows);
}

void TDBGrid::Notify(TGridChangeKind kind, int row) {
  if (dying_) return;
  GridChanges.Notify(this, TGridChange{kind, row});
  Changed(kind == TGridChangeKind::Columns ? Prop::Columns : Prop::Other);
}

void TDBGrid::ColumnChanged(TColumn*) { Notify(TGridChangeKind::Columns); }

void TDBGrid::ColumnsChanged() {
  ClampSelection();
  Notify(TGridChangeKind::Columns);
}

void TDBGrid::ClampSelection() {
  if (columns_.Count() == 0) {
    selected_ = -1;
    return;
  }
  if (selected_ >= 0 && selected_ < columns_.Count() && columns_[selected_]->Visible()) return;
  int first = NextColumn(-1, true);
  selected_ = first >= 0 ? first : 0;
}

// ---- rows and cells --------------------------------------------------------

int TDBGrid::RowCount() const {
  TDataSet* ds = DataSet();
  return link_.Active() && ds ? ds->RowCount() : 0;
}

int TDBGrid::Row() const {
  TDataSet* ds = DataSet();
  return link_.Active() && ds ? ds->CurrentRow() : -1;
}

int TDBGrid::VisibleRowCount() const {
  int h = Height() - (options_.Contains(dgTitles) ? row_height_ + 1 : 0);
  return std::max(1, h / (row_height_ + 1));
}

std::string TDBGrid::CellText(int row, int col) {
  if (col < 0 || col >= columns_.Count() || row < 0 || row >= RowCount()) return {};
  if (row == Row() && col == selected_ && (editor_mode_ || editor_modified_)) return editor_text_;
  TField* f = columns_[col]->Field();
  return f ? DataSet()->DisplayTextAt(row, f) : std::string();
}

// ---- selection -------------------------------------------------------------

TColumn* TDBGrid::SelectedColumn() const {
  return selected_ >= 0 && selected_ < columns_.Count() ? columns_[selected_] : nullptr;
}

TField* TDBGrid::SelectedField() const {
  TColumn* c = SelectedColumn();
  return c ? c->Field() : nullptr;
}

void TDBGrid::SetSelectedIndex(int index) {
  if (index < 0 || index >= columns_.Count() || !columns_[index]->Visible() || index == selected_) return;
  WriteEditor();  // a refused text keeps the cell
  if (OnColExit) OnColExit(this);
  selected_ = index;
  if (!options_.Contains(dgAlwaysShowEditor)) editor_mode_ = false;
  RefreshEditorText();
  Notify(TGridChangeKind::CurrentCell);
  if (OnColEnter) OnColEnter(this);
}

void TDBGrid::SetSelectedField(TField* field) {
  if (TColumn* c = columns_.ColumnOfField(field)) SetSelectedIndex(c->Index());
}

int TDBGrid::NextColumn(int from, bool forward) const {
  for (int i = forward ? from + 1 : from - 1; i >= 0 && i < columns_.Count(); i += forward ? 1 : -1)
    if (columns_[i]->Visible()) return i;
  return -1;
}

// ---- editor ----------------------------------------------------------------

bool TDBGrid::CanEditModify() const {
  if (!options_.Contains(dgEditing) || read_only_ || !link_.Active() || link_.ReadOnly()) return false;
  TColumn* c = SelectedColumn();
  if (!c || c->ReadOnly()) return false;
  TField* f = c->Field();
  return f && f->CanModify();
}

bool TDBGrid::BeginEdit() {
  if (!CanEditModify()) return false;
  if (!link_.Editing()) link_.Edit();  // as the data source's AutoEdit allows
  return link_.Editing();
}

TEditMask TDBGrid::EditorMask() const {
  TField* f = SelectedField();
  return TEditMask(f ? f->EditMask() : std::string());
}

std::string TDBGrid::EditorTextForField() const {
  TEditMask mask = EditorMask();
  return mask.Empty() ? editor_text_ : mask.TextFromEditText(editor_text_);
}

void TDBGrid::SetTypedEditorText(const std::string& text) {
  TEditMask mask = EditorMask();
  editor_text_ = mask.Empty() ? text : mask.EditTextFromInput(text);
  editor_caret_ = static_cast<int>(editor_text_.size());
  editor_selected_ = false;
}

void TDBGrid::RefreshEditorText() {
  if (editor_modified_) return;
  TField* f = SelectedField();
  TEditMask mask = EditorMask();
  std::string text = f ? f->Text() : std::string();
  if (!mask.Empty()) text = mask.EditTextFromText(text);
  editor_caret_ = 0;
  editor_selected_ = true;
  if (text != editor_text_) {
    editor_text_ = text;
    if (editor_mode_) Notify(TGridChangeKind::Editor);
  }
}

void TDBGrid::SetEditorMode(bool v) {
  if (v == editor_mode_) return;
  if (v && !CanEditModify()) return;
  editor_mode_ = v;
  RefreshEditorText();
  Notify(TGridChangeKind::Editor);
}

void TDBGrid::CloseEditor() {
  if (!editor_mode_ || options_.Contains(dgAlwaysShowEditor)) return;
  editor_mode_ = false;
  Notify(TGridChangeKind::Editor);
}

void TDBGrid::WriteEditor() {
  if (!editor_modified_) return;
  TField* f = SelectedField();
  if (f) f->SetText(EditorTextForField());  // raising leaves the text waiting
  editor_modified_ = false;
  RefreshEditorText();
  Notify(TGridChangeKind::Editor);
}

bool TDBGrid::ChoosePickListItem(int index) {
  TColumn* c = SelectedColumn();
  if (!c || index < 0 || index >= c->PickList().Count()) return false;
  if (!BeginEdit()) return false;
  editor_mode_ = true;
  SetTypedEditorText(c->PickList().Strings(index));
  editor_modified_ = true;
  try {
    link_.UpdateRecord();
  } catch (...) {
    // The field refused the entry: show what it keeps.
    editor_modified_ = false;
    RefreshEditorText();
    Notify(TGridChangeKind::Editor);
    throw;
  }
  return true;
}

// ---- data link -------------------------------------------------------------

void TDBGrid::LinkActiveChanged() {
  columns_.RebuildDefault();
  ClampSelection();
  editor_modified_ = false;
  if (!link_.Active()) editor_mode_ = false;
  RefreshEditorText();
  Notify(TGridChangeKind::Rows);
}

void TDBGrid::LinkEditingChanged() {
  if (!link_.Editing()) {
    // Posted or cancelled: nothing typed is left to write.
    editor_modified_ = false;
    RefreshEditorText();
  }
  Notify(TGridChangeKind::Editor);
  Notify(TGridChangeKind::Row, Row());
}

void TDBGrid::LinkDataSetChanged() {
  RefreshEditorText();
  Notify(TGridChangeKind::Rows);
  Notify(TGridChangeKind::CurrentCell);
}

void TDBGrid::LinkScrolled() {
  editor_modified_ = false;  // written by the dataset before it moved
  CloseEditor();
  RefreshEditorText();
  Notify(TGridChangeKind::Rows);
  Notify(TGridChangeKind::CurrentCell);
}

void TDBGrid::LinkRecordChanged(TField* field) {
  if (!field || field == SelectedField()) RefreshEditorText();
  Notify(TGridChangeKind::Row, Row());
}

void TDBGrid::LinkFocusControl(TField*& field) {
  TColumn* c = columns_.ColumnOfField(field);
  if (!c) return;
  SetSelectedIndex(c->Index());
  if (!Focused() && CanFocus()) SetFocus();
  // A grid that cannot take the focus (on a hidden page, say) leaves the
  // request to the next control showing the field.
  if (Focused()) field = nullptr;
}

// ---- moves and keys --------------------------------------------------------

bool TDBGrid::CanAppend() const {
  TDataSet* ds = DataSet();
  return options_.Contains(dgEditing) && !read_only_ && link_.Active() && !link_.ReadOnly() && ds->CanModify();
}

void TDBGrid::MoveToRow(int row) {
  if (!link_.Active()) return;
  int current = Row();
  if (row == current || row < 0 || row >= RowCount()) return;
  DataSet()->MoveBy(row - current);
}

void TDBGrid::MoveRows(int distance) {
  if (link_.Active()) DataSet()->MoveBy(distance);
}

void TDBGrid::DownKey() {
  if (!link_.Active()) return;
  TDataSet* ds = DataSet();
  const bool last = Row() >= RowCount() - 1;
  if (!last) {
    ds->Next();
    return;
  }
  // An untouched appended record is not followed by another.
  if (ds->State() == dsInsert && !ds->Modified() && !editor_modified_) return;
  if (CanAppend()) ds->Append();
}

void TDBGrid::UpKey() {
  if (!link_.Active()) return;
  TDataSet* ds = DataSet();
  if (ds->State() == dsInsert && !ds->Modified() && !editor_modified_ && Row() >= RowCount() - 1) {
    ds->Cancel();
    return;
  }
  ds->Prior();
}

void TDBGrid::TabKey(bool forward) {
  int next = NextColumn(selected_, forward);
  if (next >= 0) {
    SetSelectedIndex(next);
    return;
  }
  // Past the last cell the next row begins (or the previous one ends).
  if (!link_.Active()) return;
  int before = Row();
  TDataSet* ds = DataSet();
  if (forward) {
    DownKey();
  } else {
    if (Row() <= 0) return;
    ds->Prior();
  }
  if (Row() == before && ds->State() != dsInsert) return;
  int wrap = NextColumn(forward ? -1 : columns_.Count(), forward);
  if (wrap >= 0) SetSelectedIndex(wrap);
}

void TDBGrid::DefaultKeyDown(Word& key, TShiftState shift) {
  const bool ctrl = shift.Contains(ssCtrl);
  TDataSet* ds = link_.Active() ? DataSet() : nullptr;
  switch (key) {
    case VK_UP: WriteEditor(); UpKey(); break;
    case VK_DOWN: WriteEditor(); DownKey(); break;
    case VK_PRIOR: WriteEditor(); MoveRows(-VisibleRowCount()); break;
    case VK_NEXT: WriteEditor(); MoveRows(VisibleRowCount()); break;
    case VK_HOME:
      if (ctrl && ds) {
        WriteEditor();
        ds->First();
      } else if (!editor_mode_) {
        SetSelectedIndex(NextColumn(-1, true));
      } else {
        editor_caret_ = 0;
        editor_selected_ = false;
      }
      break;
    case VK_END:
      if (ctrl && ds) {
        WriteEditor();
        ds->Last();
      } else if (!editor_mode_) {
        SetSelectedIndex(NextColumn(columns_.Count(), false));
      } else {
        editor_caret_ = static_cast<int>(editor_text_.size());
        editor_selected_ = false;
      }
      break;
    case VK_LEFT:
      if (!editor_mode_) {
        SetSelectedIndex(NextColumn(selected_, false));
      } else if (editor_caret_ > 0) {
        --editor_caret_;
        editor_selected_ = false;
      }
      break;
    case VK_RIGHT:
      if (!editor_mode_) {
        SetSelectedIndex(NextColumn(selected_, true));
      } else if (editor_caret_ < static_cast<int>(editor_text_.size())) {
        ++editor_caret_;
        editor_selected_ = false;
      }
      break;
    case VK_TAB:
      if (options_.Contains(dgTabs)) TabKey(!shift.Contains(ssShift));
      break;
    case VK_INSERT:
      if (!ctrl && ds && CanAppend()) {
        WriteEditor();
        ds->Insert();
      }
      break;
    case VK_DELETE:
      if (ctrl) {
        if (ds && !read_only_ && !link_.ReadOnly() && !ds->IsEmpty() && ds->CanModify() &&
            (!options_.Contains(dgConfirmDelete) ||
             Ui().AskYesNo(PlatformText("caption.confirmation"), PlatformText("grid.confirm_delete"))))
          ds->Delete();
      } else if (BeginEdit()) {
        editor_mode_ = true;
        SetTypedEditorText(std::string());
        editor_caret_ = 0;
        editor_modified_ = true;
        Notify(TGridChangeKind::Editor);
      }
      break;
    case VK_ESCAPE:
      if (editor_modified_) {
        editor_modified_ = false;
        RefreshEditorText();
        Notify(TGridChangeKind::Editor);
      } else if (ds && ds->Editing()) {
        ds->Cancel();
      }
      CloseEditor();
      break;
    case VK_RETURN:
      if (ctrl) {
        if (TColumn* c = SelectedColumn(); c && c->ShowsEllipsis() && OnEditButtonClick) OnEditButtonClick(this);
      } else if (editor_mode_) {
        WriteEditor();
        CloseEditor();
      } else {
        SetEditorMode(true);
      }
      break;
    case kF2:
      SetEditorMode(true);
      break;
    default: break;
  }
}

bool TDBGrid::MaskedKeyPress(const TEditMask& mask, char key) {
  if (!editor_mode_) {
    editor_mode_ = true;
    RefreshEditorText();
  }
  std::string edit = editor_text_;
  int caret = editor_caret_;
  if (static_cast<int>(edit.size()) != mask.Length()) {
    edit = mask.EmptyEditText();
    caret = 0;
  }
  if (editor_selected_) {
    // Typing over the selected text: Backspace clears it, a character
    // replaces it, but only when the mask takes the key.
    std::string cleared = mask.EmptyEditText();
    int start = 0;
    if (key != '\b' && !mask.TypeKey(cleared, start, key)) return false;
    edit = cleared;
    caret = start;
  } else if (!mask.TypeKey(edit, caret, key)) {
    return false;
  }
  editor_text_ = edit;
  editor_caret_ = caret;
  editor_selected_ = false;
  editor_modified_ = true;
  Notify(TGridChangeKind::Editor);
  return true;
}

void TDBGrid::DefaultKeyPress(char& key) {
  const auto byte = static_cast<unsigned char>(key);
  if (key != '\b' && byte < 0x20) return;
  if (TEditMask mask = EditorMask(); !mask.Empty()) {
    if (BeginEdit()) MaskedKeyPress(mask, key);
    return;
  }
  if (key == '\b') {
    if (!BeginEdit()) return;
    if (!editor_mode_) {
      editor_mode_ = true;
      RefreshEditorText();
    }
    std::string& t = editor_text_;
    if (!t.empty()) {
      size_t start = t.size() - 1;
      while (start > 0 && (static_cast<unsigned char>(t[start]) & 0xC0) == 0x80) --start;
      t.erase(start);
    }
    editor_modified_ = true;
    Notify(TGridChangeKind::Editor);
    return;
  }
  if (byte < 0x20) return;
  if (!BeginEdit()) return;
  const bool continuation = (byte & 0xC0) == 0x80;
  if (!editor_mode_ || (!editor_modified_ && !continuation)) {
    // Opening the editor by typing replaces the cell's text, as typing
    // over a selected text does.
    editor_mode_ = true;
    editor_text_.clear();
  }
  editor_text_ += key;
  editor_modified_ = true;
  Notify(TGridChangeKind::Editor);
}

// ---- focus -----------------------------------------------------------------

void TDBGrid::DoEnter() {
  TWinControl::DoEnter();
  Notify(TGridChangeKind::CurrentCell);
}

void TDBGrid::DoExit() {
  if (link_.Active()) {
    TDataSet* ds = DataSet();
    if (options_.Contains(dgCancelOnExit) && ds->State() == dsInsert && !ds->Modified() && !editor_modified_)
      ds->Cancel();
    else
      link_.UpdateRecord();  // a refused text keeps the focus here
  }
  CloseEditor();
  TWinControl::DoExit();
  Notify(TGridChangeKind::CurrentCell);
}

// ---- drawing ---------------------------------------------------------------

TRect TDBGrid::CellRect(int row, int col) const {
  const int line = 1;
  int x = options_.Contains(dgIndicator) ? kIndicatorWidth + line : 0;
  for (int i = 0; i < col && i < columns_.Count(); ++i)
    if (columns_[i]->Visible()) x += columns_[i]->Width() + line;
  int y = (options_.Contains(dgTitles) ? row_height_ + line : 0) + row * (row_height_ + line);
  int w = col >= 0 && col < columns_.Count() ? columns_[col]->Width() : 0;
  return TRect{x, y, x + w, y + row_height_};
}

void TDBGrid::DefaultDrawColumnCell(const TRect& rect, int, TColumn* column, TGridDrawState) {
  TField* f = column ? column->Field() : nullptr;
  std::string text = f ? f->DisplayText() : std::string();
  canvas_.FillRect(rect);
  int width = static_cast<int>(Utf8Length(text)) * kCharWidth;
  int x = rect.Left + 2;
  TAlignment align = column ? column->Alignment() : taLeftJustify;
  if (align == taRightJustify)
    x = std::max(rect.Left + 2, rect.Right - 2 - width);
  else if (align == taCenter)
    x = std::max(rect.Left + 2, rect.Left + (rect.Width() - width) / 2);
  canvas_.TextRect(rect, x, rect.Top + 2, text);
}

TCellPaint TDBGrid::PaintCell(int row, int col) {
  TCellPaint out;
  out.Row = row;
  out.Col = col;
  if (col < 0 || col >= columns_.Count() || row < 0 || row >= RowCount()) return out;
  TColumn* column = columns_[col];
  out.Rect = CellRect(row, col);
  const bool current = row == Row();
  const bool focused = Focused();
  if (current && (col == selected_ || options_.Contains(dgRowSelect)) &&
      (focused || options_.Contains(dgAlwaysShowSelection)))
    out.State.Include(gdSelected);
  if (current && col == selected_ && focused) out.State.Include(gdFocused);

  canvas_.ClearOps();
  canvas_.Brush.Color = column->Color();
  canvas_.Font = column->Font();
  if (out.State.Contains(gdSelected)) {
    canvas_.Brush.Color = clHighlight;
    canvas_.Font.Color = clHighlightText;
  }
  {
    PeekScope peek(DataSet(), row);
    if (default_drawing_) DefaultDrawColumnCell(out.Rect, col, column, out.State);
    if (OnDrawColumnCell) OnDrawColumnCell(this, out.Rect, col, column, out.State);
  }

  out.Background = canvas_.Brush.Color;
  out.TextColor = canvas_.Font.Color;
  out.Font = canvas_.Font;
  for (const TCanvasOp& op : canvas_.Ops()) {
    switch (op.kind) {
      case TCanvasOp::Kind::FillRect: out.Background = op.brush; break;
      case TCanvasOp::Kind::TextOut:
      case TCanvasOp::Kind::TextRect:
        out.Text = op.text;
        out.Font = op.font;
        out.TextColor = op.font.Color;
        break;
      case TCanvasOp::Kind::FocusRect: out.FocusRect = true; break;
    }
  }
  out.Ops = canvas_.Ops();
  return out;
}

std::vector<TCellPaint> TDBGrid::Paint() {
  std::vector<TCellPaint> out;
  const int rows = RowCount();
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < columns_.Count(); ++c)
      if (columns_[c]->Visible()) out.push_back(PaintCell(r, c));
  return out;
}

// ---- gestures --------------------------------------------------------------

namespace {
// Focuses the grid the way a click would; false when the form refused.
bool TakeFocus(TDBGrid& grid) {
  TCustomForm* form = grid.GetParentForm();
  if (!form || grid.Focused()) return true;
  if (!grid.CanFocus()) return false;
  return form->FocusControl(&grid) && grid.Focused();
}
}  // namespace

bool TDBGrid::UserSelectCell(int row, int col) {
  if (!Enabled() || !Showing() || col < 0 || col >= columns_.Count() || !columns_[col]->Visible()) return false;
  bool arrived = false;
  bool ok = RunGesture([&] {
    if (!TakeFocus(*this)) return;
    if (row != Row()) {
      WriteEditor();
      MoveToRow(row);
    }
    SetSelectedIndex(col);
    arrived = Row() == row && selected_ == col;
    if (arrived && OnCellClick) OnCellClick(columns_[col]);
  });
  return ok && arrived;
}

bool TDBGrid::UserSelectCell(int row, const std::string& fieldName) {
  for (int i = 0; i < columns_.Count(); ++i)
    if (SameText(columns_[i]->FieldName(), fieldName) && columns_[i]->Visible()) return UserSelectCell(row, i);
  return false;
}

bool TDBGrid::UserSetEditorText(const std::string& text) {
  if (!Enabled() || !Showing()) return false;
  bool typed = false;
  bool ok = RunGesture([&] {
    if (!BeginEdit()) return;
    editor_mode_ = true;
    SetTypedEditorText(text);
    editor_modified_ = true;
    typed = true;
    Notify(TGridChangeKind::Editor);
  });
  return ok && typed;
}

bool TDBGrid::UserChoosePickItem(int index) {
  if (!Enabled() || !Showing()) return false;
  bool chosen = false;
  bool ok = RunGesture([&] { chosen = ChoosePickListItem(index); });
  return ok && chosen;
}

bool TDBGrid::UserChoosePickItem(const std::string& item) {
  TColumn* c = SelectedColumn();
  if (!c) return false;
  for (int i = 0; i < c->PickList().Count(); ++i)
    if (c->PickList().Strings(i) == item) return UserChoosePickItem(i);
  return false;
}

bool TDBGrid::UserKeyDown(Word key, TShiftState shift) {
  if (!Enabled() || !Showing()) return false;
  TCustomForm* form = GetParentForm();
  if (form && form->ActiveControl() == this) return form->UserKeyDown(key, shift);
  return RunGesture([&] {
    Word k = key;
    KeyDown(k, shift);
  });
}

bool TDBGrid::UserKeyPress(char key) {
  if (!Enabled() || !Showing()) return false;
  TCustomForm* form = GetParentForm();
  if (form && form->ActiveControl() == this) return form->UserKeyPress(key);
  return RunGesture([&] {
    char k = key;
    KeyPress(k);
  });
}

bool TDBGrid::UserType(const std::string& chars) {
  for (char c : chars)
    if (!UserKeyPress(c)) return false;
  return true;
}

bool TDBGrid::UserEditButtonClick() {
  TColumn* c = SelectedColumn();
  if (!Enabled() || !Showing() || !c || !c->ShowsEllipsis()) return false;
  return RunGesture([&] { Fire(OnEditButtonClick, this); });
}

bool TDBGrid::UserDblClickCell(int row, int col) {
  if (!UserSelectCell(row, col)) return false;
  return RunGesture([&] { DblClick(); });
}

bool TDBGrid::UserTitleClick(int col) {
  if (!Enabled() || !Showing() || col < 0 || col >= columns_.Count()) return false;
  return RunGesture([&] {
    if (OnTitleClick) OnTitleClick(columns_[col]);
  });
}

}  // namespace zor::plat
