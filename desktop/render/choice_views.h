// Views of the controls that hold a choice: check boxes, combo boxes,
// radio groups, and the masked edit (a choice of characters per position).
#pragma once

#include <vector>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>

#include "desktop/render/basic_views.h"

namespace zor::plat {
class TCheckBox;
class TComboBox;
class TMaskEdit;
class TRadioGroup;
}  // namespace zor::plat

namespace zor::desktop {

class CheckBoxView : public ControlView {
 public:
  CheckBoxView(plat::TCheckBox* box, QWidget* parent, FormView* form);
  void Sync(plat::Prop p) override;

 private:
  QCheckBox* check_;
};

class ComboBoxView : public ControlView {
 public:
  ComboBoxView(plat::TComboBox* combo, QWidget* parent, FormView* form);
  void Sync(plat::Prop p) override;

 private:
  void FillItems();
  QComboBox* combo_;
  bool filling_ = false;
};

class RadioGroupView : public ControlView {
 public:
  RadioGroupView(plat::TRadioGroup* group, QWidget* parent, FormView* form);
  void Sync(plat::Prop p) override;
  void PlaceButtons();

 private:
  void MakeButtons();
  QGroupBox* box_;
  std::vector<QRadioButton*> buttons_;
};

// The platform's edit mask as a Qt input mask (same blank character).
QString ToQtInputMask(const std::string& editMask);

class MaskEditView : public EditView {
 public:
  MaskEditView(plat::TMaskEdit* edit, QWidget* parent, FormView* form);
  void Sync(plat::Prop p) override;

 private:
  plat::TMaskEdit* mask_edit_;
};

}  // namespace zor::desktop
