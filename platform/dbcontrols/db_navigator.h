// TDBNavigator: the strip of record buttons over a data source (first,
// prior, next, last, insert, delete, edit, post, cancel, refresh).
//
// Which buttons are enabled follows the dataset: none while the control is
// disabled or the dataset is closed; first/prior when the cursor is past
// the first record, next/last before the last one; insert, and refresh
// when the dataset can be modified; delete when it also holds a record;
// edit while browsing, post and cancel while editing. Every change of these
// states is sent to Changes as Prop::Other, so a renderer can repaint.
// Delete asks "Confirma a exclusão do registro?" first when ConfirmDelete
// is set (the default). Refresh posts or cancels a pending edit and shows
// every record again.
#pragma once

#include <functional>
#include <string>

#include "platform/controls/control.h"
#include "platform/data/data_link.h"
#include "platform/data/data_source.h"

namespace zor::plat {

enum TNavigateBtn { nbFirst, nbPrior, nbNext, nbLast, nbInsert, nbDelete, nbEdit, nbPost, nbCancel, nbRefresh };
using TNavButtonSet = TSet<TNavigateBtn>;

// Before the button's action (raising, e.g. the silent abort, stops it) and after it.
using TNavClickEvent = std::function<void(TObject* sender, TNavigateBtn button)>;

class TDBNavigator : public TWinControl {
 public:
  explicit TDBNavigator(TComponent* owner = nullptr);
  ~TDBNavigator() override;

  TDataSource* DataSource() const { return link_.DataSource(); }
  void SetDataSource(TDataSource* source);

  TNavButtonSet VisibleButtons() const { return visible_; }
  void SetVisibleButtons(TNavButtonSet buttons);
  bool ConfirmDelete() const { return confirm_delete_; }
  void SetConfirmDelete(bool v) { confirm_delete_ = v; }
  void SetEnabled(bool v) override;

  // Visible and enabled as the dataset stands now.
  bool ButtonEnabled(TNavigateBtn button) const;
  // The hint shown over a button ("Primeiro", "Anterior", ...).
  static const char* ButtonHint(TNavigateBtn button);

  // Runs the button's action (BeforeAction, the action, OnClick) when the
  // button is visible and enabled; does nothing otherwise.
  void BtnClick(TNavigateBtn button);
  // Gesture: the person clicks a button; false when it was disabled or the
  // action failed (the error has been reported).
  bool UserClickButton(TNavigateBtn button);

  TNavClickEvent BeforeAction;
  TNavClickEvent OnNavClick;

 private:
  class Link : public TDataLink {
   public:
    explicit Link(TDBNavigator& owner) : owner_(owner) {}

   protected:
    void ActiveChanged() override { owner_.ButtonsChanged(); }
    void EditingChanged() override { owner_.ButtonsChanged(); }
    void DataSetChanged() override { owner_.ButtonsChanged(); }
    void RecordChanged(TField*) override {}

   private:
    TDBNavigator& owner_;
  };

  void ButtonsChanged();
  uint32_t EnabledBits() const;
  Link link_{*this};
  TNavButtonSet visible_{nbFirst, nbPrior, nbNext, nbLast, nbInsert, nbDelete, nbEdit, nbPost, nbCancel, nbRefresh};
  bool confirm_delete_ = true;
  uint32_t last_bits_ = 0;
  bool dying_ = false;
};

}  // namespace zor::plat
