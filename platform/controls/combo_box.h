// TComboBox: a list of items (each may carry an object) with a text. In the
// list-only style (csDropDownList) the text is always one of the items or
// empty. Changes from code (Text, ItemIndex) do not run OnChange; the
// person's choice runs OnChange and then OnClick, the person's typing
// OnChange.
#pragma once

#include <string>

#include "platform/controls/control.h"
#include "platform/controls/strings.h"

namespace zor::plat {

enum TComboBoxStyle { csDropDown, csDropDownList, csSimple };

class TComboBox : public TWinControl {
 public:
  explicit TComboBox(TComponent* owner = nullptr);

  TStrings& Items() { return items_; }
  const TStrings& Items() const { return items_; }
  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle s);
  int ItemIndex() const { return item_index_; }
  // -1 clears the choice (and the text); out of range raises.
  void SetItemIndex(int index);
  // A text that is not an item: kept as free text in csDropDown; in the
  // list-only style it clears the choice.
  void SetText(const std::string& v) override;
  int MaxLength() const { return max_length_; }
  void SetMaxLength(int v) { max_length_ = v; }
  int DropDownCount() const { return drop_down_count_; }
  void SetDropDownCount(int v) { drop_down_count_ = v; }
  // The object of the chosen item, or null.
  TObject* SelectedObject() const;

  // Gestures: the person picks an item (-1 never), or types a text (refused
  // in the list-only style unless it names an item).
  virtual bool UserSelect(int index);
  virtual bool UserSetText(const std::string& text);

  TNotifyEvent OnChange;
  TNotifyEvent OnSelect;

 private:
  void ItemsChanged();
  void Store(int index, const std::string& text);
  TStrings items_;
  TComboBoxStyle style_ = csDropDown;
  int item_index_ = -1;
  int max_length_ = 0;
  int drop_down_count_ = 8;
};

}  // namespace zor::plat
