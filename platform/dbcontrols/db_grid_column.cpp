// Grid columns: their defaults from the field and the grid.
#include "platform/dbcontrols/db_grid_column.h"

#include <algorithm>

#include "platform/data/data_set.h"
#include "platform/data/field.h"
#include "platform/dbcontrols/db_grid.h"

namespace zor::plat {

namespace {
// Pixels per character of a field's display width, and the cell padding.
constexpr int kCharWidth = 7;
constexpr int kPadding = 4;
constexpr int kMinWidth = 20;
}  // namespace

// ---- TColumnTitle ----------------------------------------------------------

std::string TColumnTitle::Caption() const {
  if (caption_) return *caption_;
  if (TField* f = column_.DefinedField()) return f->DisplayLabel();
  return column_.FieldName();
}

void TColumnTitle::SetCaption(const std::string& caption) {
  caption_ = caption;
  column_.Changed();
}

void TColumnTitle::SetAlignment(TAlignment a) {
  alignment_ = a;
  column_.Changed();
}

TFont TColumnTitle::Font() const { return font_ ? *font_ : column_.Grid().TitleFont(); }

void TColumnTitle::SetFont(const TFont& font) {
  font_ = font;
  column_.Changed();
}

void TColumnTitle::SetColor(TColor c) {
  color_ = c;
  column_.Changed();
}

// ---- TColumn ---------------------------------------------------------------

TColumn::TColumn(TDBGrid& grid) : grid_(grid) {
  pick_list_.Changed.Subscribe([this] { Changed(); });
}

int TColumn::Index() const {
  const TDBGridColumns& cols = grid_.Columns();
  for (int i = 0; i < cols.Count(); ++i)
    if (cols.Items(i) == this) return i;
  return -1;
}

void TColumn::Changed() { grid_.ColumnChanged(this); }

void TColumn::SetFieldName(const std::string& name) {
  field_name_ = name;
  Changed();
}

TField* TColumn::Field() const {
  TDataSet* ds = grid_.DataSet();
  if (!ds || !ds->Active() || field_name_.empty()) return nullptr;
  return ds->FindField(field_name_);
}

TField* TColumn::DefinedField() const {
  TDataSet* ds = grid_.DataSet();
  if (!ds || field_name_.empty()) return nullptr;
  return ds->FindField(field_name_);
}

void TColumn::SetButtonStyle(TColumnButtonStyle s) {
  button_style_ = s;
  Changed();
}

void TColumn::SetReadOnly(bool v) {
  read_only_ = v;
  Changed();
}

int TColumn::Width() const {
  if (width_) return *width_;
  int chars = 10;
  if (TField* f = DefinedField()) chars = f->DisplayWidth();
  chars = std::max(chars, static_cast<int>(title_.Caption().size()));
  return std::max(kMinWidth, chars * kCharWidth + kPadding);
}

void TColumn::SetWidth(int w) {
  width_ = w;
  Changed();
}

TAlignment TColumn::Alignment() const {
  if (alignment_) return *alignment_;
  if (TField* f = Field()) return f->Alignment();
  return taLeftJustify;
}

void TColumn::SetAlignment(TAlignment a) {
  alignment_ = a;
  Changed();
}

void TColumn::SetVisible(bool v) {
  visible_ = v;
  Changed();
}

TColor TColumn::Color() const { return color_ ? *color_ : grid_.Color(); }

void TColumn::SetColor(TColor c) {
  color_ = c;
  Changed();
}

TFont TColumn::Font() const { return font_ ? *font_ : grid_.Font(); }

void TColumn::SetFont(const TFont& font) {
  font_ = font;
  Changed();
}

// ---- TDBGridColumns --------------------------------------------------------

TColumn* TDBGridColumns::Add() {
  if (state_ == csDefault) {
    items_.clear();
    state_ = csCustomized;
  }
  items_.push_back(std::make_unique<TColumn>(grid_));
  TColumn* c = items_.back().get();
  grid_.ColumnsChanged();
  return c;
}

void TDBGridColumns::Clear() {
  items_.clear();
  state_ = csDefault;
  RebuildDefault();
}

void TDBGridColumns::RebuildDefault() {
  if (state_ != csDefault) return;
  items_.clear();
  TDataSet* ds = grid_.DataSet();
  if (ds && ds->Active())
    for (TField* f : ds->Fields())
      if (f->Visible()) {
        items_.push_back(std::make_unique<TColumn>(grid_));
        items_.back()->field_name_ = f->FieldName();
      }
  grid_.ColumnsChanged();
}

TColumn* TDBGridColumns::ColumnOfField(const TField* field) const {
  if (!field) return nullptr;
  for (const auto& c : items_)
    if (c->Field() == field) return c.get();
  return nullptr;
}

}  // namespace zor::plat
