// The navigator: button states and actions.
#include "platform/dbcontrols/db_navigator.h"

#include "platform/controls/gesture.h"
#include "platform/core/platform_texts.h"
#include "platform/ui/ui_port.h"

namespace zor::plat {

TDBNavigator::TDBNavigator(TComponent* owner) : TWinControl(owner) {
  SetDefaultSize(240, 25);
  tab_stop_ = false;
}

TDBNavigator::~TDBNavigator() {
  dying_ = true;
  link_.SetDataSource(nullptr);
}

void TDBNavigator::SetDataSource(TDataSource* source) {
  link_.SetDataSource(source);
  ButtonsChanged();
}

void TDBNavigator::SetVisibleButtons(TNavButtonSet buttons) {
  if (buttons == visible_) return;
  visible_ = buttons;
  ButtonsChanged();
}

void TDBNavigator::SetEnabled(bool v) {
  TWinControl::SetEnabled(v);
  ButtonsChanged();
}

bool TDBNavigator::ButtonEnabled(TNavigateBtn button) const {
  if (!visible_.Contains(button) || !Enabled() || !link_.Active()) return false;
  TDataSet* ds = link_.DataSet();
  const bool editing = ds->Editing();
  const bool canModify = ds->CanModify() && !link_.ReadOnly();
  const int row = ds->CurrentRow();
  const int rows = ds->RowCount();
  switch (button) {
    case nbFirst:
    case nbPrior: return row > 0;
    case nbNext:
    case nbLast: return row >= 0 && row < rows - 1;
    case nbInsert:
    case nbRefresh: return canModify;
    case nbDelete: return canModify && !ds->IsEmpty();
    case nbEdit: return canModify && !editing;
    case nbPost:
    case nbCancel: return canModify && editing;
  }
  return false;
}

const char* TDBNavigator::ButtonHint(TNavigateBtn button) {
  switch (button) {
    case nbFirst: return PlatformText("navigator.first").c_str();
    case nbPrior: return PlatformText("navigator.prior").c_str();
    case nbNext: return PlatformText("navigator.next").c_str();
    case nbLast: return PlatformText("navigator.last").c_str();
    case nbInsert: return PlatformText("navigator.insert").c_str();
    case nbDelete: return PlatformText("navigator.delete").c_str();
    case nbEdit: return PlatformText("navigator.edit").c_str();
    case nbPost: return PlatformText("navigator.post").c_str();
    case nbCancel: return PlatformText("navigator.cancel").c_str();
    case nbRefresh: return PlatformText("navigator.refresh").c_str();
  }
  return "";
}

uint32_t TDBNavigator::EnabledBits() const {
  uint32_t bits = 0;
  for (int b = nbFirst; b <= nbRefresh; ++b)
    if (ButtonEnabled(static_cast<TNavigateBtn>(b))) bits |= 1u << b;
  return bits;
}

void TDBNavigator::ButtonsChanged() {
  if (dying_) return;
  uint32_t bits = EnabledBits();
  if (bits == last_bits_) return;
  last_bits_ = bits;
  Changed(Prop::Other);
}

void TDBNavigator::BtnClick(TNavigateBtn button) {
  if (!ButtonEnabled(button)) return;
  if (BeforeAction) BeforeAction(this, button);
  TDataSet* ds = link_.DataSet();
  switch (button) {
    case nbFirst: ds->First(); break;
    case nbPrior: ds->Prior(); break;
    case nbNext: ds->Next(); break;
    case nbLast: ds->Last(); break;
    case nbInsert: ds->Insert(); break;
    case nbDelete:
      if (confirm_delete_ && !Ui().AskYesNo(PlatformText("caption.confirmation"), PlatformText("grid.confirm_delete"))) return;
      ds->Delete();
      break;
    case nbEdit: ds->Edit(); break;
    case nbPost: ds->Post(); break;
    case nbCancel: ds->Cancel(); break;
    case nbRefresh:
      ds->CheckBrowseMode();
      // Re-showing everything is what a refresh of an in-memory dataset means.
      ds->DisableControls();
      ds->EnableControls();
      break;
  }
  if (OnNavClick) OnNavClick(this, button);
}

bool TDBNavigator::UserClickButton(TNavigateBtn button) {
  if (!Showing() || !ButtonEnabled(button)) return false;
  return RunGesture([&] { BtnClick(button); });
}

}  // namespace zor::plat
