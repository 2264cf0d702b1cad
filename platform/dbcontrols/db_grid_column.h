// The columns of a data grid: which field each shows, its title, width,
// alignment, colours and font, whether it can be edited, its pick list and
// its button. Until a column is added the grid shows default columns, one
// per visible field of its dataset, rebuilt whenever the fields change;
// adding a column makes the list the grid's own (customized).
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/controls/graphics.h"
#include "platform/controls/strings.h"

namespace zor::plat {

class TDBGrid;
class TField;
class TColumn;

// The button a cell shows while it is edited: cbsAuto shows a drop-down
// for a column with a pick list and nothing otherwise.
enum TColumnButtonStyle { cbsAuto, cbsEllipsis, cbsNone };

class TColumnTitle {
 public:
  explicit TColumnTitle(TColumn& column) : column_(column) {}
  // The field's display label (or the field name) unless one was given.
  std::string Caption() const;
  void SetCaption(const std::string& caption);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a);
  // The grid's title font unless one was given.
  TFont Font() const;
  void SetFont(const TFont& font);
  TColor Color() const { return color_; }
  void SetColor(TColor c);

 private:
  TColumn& column_;
  std::optional<std::string> caption_;
  std::optional<TFont> font_;
  TAlignment alignment_ = taLeftJustify;
  TColor color_ = clBtnFace;
};

class TColumn {
 public:
  explicit TColumn(TDBGrid& grid);
  TColumn(const TColumn&) = delete;
  TColumn& operator=(const TColumn&) = delete;

  TDBGrid& Grid() const { return grid_; }
  // Position in the grid's column list.
  int Index() const;

  const std::string& FieldName() const { return field_name_; }
  void SetFieldName(const std::string& name);
  // The field of that name in the grid's open dataset; null otherwise.
  TField* Field() const;
  // The field the column names among the dataset's defined fields, open
  // or not: a closed dataset's grid still titles its columns with their
  // labels and sizes them by their fields.
  TField* DefinedField() const;

  TColumnTitle& Title() { return title_; }
  const TColumnTitle& Title() const { return title_; }
  // The pick list offered while the cell is edited (empty: none).
  TStrings& PickList() { return pick_list_; }
  const TStrings& PickList() const { return pick_list_; }
  TColumnButtonStyle ButtonStyle() const { return button_style_; }
  void SetButtonStyle(TColumnButtonStyle s);
  // The cell offers the pick list (a drop-down) while edited.
  bool ShowsPickList() const { return button_style_ != cbsNone && pick_list_.Count() > 0; }
  // The cell shows an ellipsis button while edited.
  bool ShowsEllipsis() const { return button_style_ == cbsEllipsis; }

  // The column refuses typing (its ellipsis still works).
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool v);
  // Pixels; by default from the field's display width.
  int Width() const;
  void SetWidth(int w);
  // The field's alignment unless one was given.
  TAlignment Alignment() const;
  void SetAlignment(TAlignment a);
  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  // The grid's colour and font unless given.
  TColor Color() const;
  void SetColor(TColor c);
  TFont Font() const;
  void SetFont(const TFont& font);

 private:
  friend class TColumnTitle;
  friend class TDBGridColumns;
  void Changed();
  TDBGrid& grid_;
  std::string field_name_;
  TColumnTitle title_{*this};
  TStrings pick_list_;
  TColumnButtonStyle button_style_ = cbsAuto;
  bool read_only_ = false;
  std::optional<int> width_;
  std::optional<TAlignment> alignment_;
  bool visible_ = true;
  std::optional<TColor> color_;
  std::optional<TFont> font_;
};

enum TDBGridColumnsState { csDefault, csCustomized };

class TDBGridColumns {
 public:
  explicit TDBGridColumns(TDBGrid& grid) : grid_(grid) {}

  int Count() const { return static_cast<int>(items_.size()); }
  TColumn* Items(int index) const { return items_.at(static_cast<size_t>(index)).get(); }
  TColumn* operator[](int index) const { return Items(index); }
  // Adds a column of the grid's own (the default columns go first).
  TColumn* Add();
  // Removes every column; the grid goes back to default columns.
  void Clear();
  TDBGridColumnsState State() const { return state_; }
  // Rebuilds the default columns from the dataset's visible fields (only
  // while the state is csDefault).
  void RebuildDefault();
  // The first column showing this field; null when none.
  TColumn* ColumnOfField(const TField* field) const;

 private:
  TDBGrid& grid_;
  std::vector<std::unique_ptr<TColumn>> items_;
  TDBGridColumnsState state_ = csDefault;
};

}  // namespace zor::plat
