// Which view shows which control.
#include "desktop/render/views.h"

#include "desktop/render/basic_views.h"
#include "desktop/render/choice_views.h"
#include "desktop/render/container_views.h"
#include "desktop/render/form_view.h"
#include "desktop/render/grid_view.h"
#include "platform/dbcontrols/db_grid.h"
#include "platform/dbcontrols/db_navigator.h"
#include "platform/controls/check_box.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/containers.h"
#include "platform/controls/custom_form.h"
#include "platform/controls/edit.h"
#include "platform/controls/label.h"
#include "platform/controls/mask_edit.h"
#include "platform/controls/page_control.h"
#include "platform/controls/radio_group.h"
#include "platform/controls/speed_button.h"

namespace zor::desktop {

namespace {
std::vector<ViewMaker>& Makers() {
  static std::vector<ViewMaker> makers;
  return makers;
}
}  // namespace

void RegisterViewMaker(ViewMaker maker) { Makers().push_back(std::move(maker)); }

std::unique_ptr<ControlView> CreateFormControlView(plat::TCustomForm* form, FormView* view) {
  return std::make_unique<FormControlView>(form, view);
}

std::unique_ptr<ControlView> CreateView(plat::TControl* c, QWidget* parent, FormView* form) {
  // Makers registered later know more specific classes (data-aware ones).
  for (auto it = Makers().rbegin(); it != Makers().rend(); ++it)
    if (auto view = (*it)(c, parent, form)) return view;
  if (auto* x = dynamic_cast<plat::TDBGrid*>(c)) return std::make_unique<GridView>(x, parent, form);
  if (dynamic_cast<plat::TDBNavigator*>(c)) return std::make_unique<NavigatorView>(c, parent, form);
  if (auto* x = dynamic_cast<plat::TLabel*>(c)) return std::make_unique<LabelView>(x, parent, form);
  if (auto* x = dynamic_cast<plat::TMaskEdit*>(c)) return std::make_unique<MaskEditView>(x, parent, form);
  if (auto* x = dynamic_cast<plat::TCustomEdit*>(c)) return std::make_unique<EditView>(x, parent, form);
  if (auto* x = dynamic_cast<plat::TCheckBox*>(c)) return std::make_unique<CheckBoxView>(x, parent, form);
  if (auto* x = dynamic_cast<plat::TComboBox*>(c)) return std::make_unique<ComboBoxView>(x, parent, form);
  if (auto* x = dynamic_cast<plat::TRadioGroup*>(c)) return std::make_unique<RadioGroupView>(x, parent, form);
  if (auto* x = dynamic_cast<plat::TSpeedButton*>(c)) return std::make_unique<SpeedButtonView>(x, parent, form);
  if (auto* x = dynamic_cast<plat::TBevel*>(c)) return std::make_unique<BevelView>(x, parent, form);
  if (auto* x = dynamic_cast<plat::TPanel*>(c)) return std::make_unique<PanelView>(x, parent, form);
  if (dynamic_cast<plat::TGroupBox*>(c)) return std::make_unique<GroupBoxView>(c, parent, form);
  if (auto* x = dynamic_cast<plat::TPageControl*>(c)) return std::make_unique<PageControlView>(x, parent, form);
  if (auto* x = dynamic_cast<plat::TTabSheet*>(c)) return std::make_unique<TabSheetView>(x, parent, form);
  // Anything else: a container when it can hold controls, else an empty
  // area of its colour, so the layout stays as designed.
  if (dynamic_cast<plat::TWinControl*>(c)) return std::make_unique<ContainerView>(c, parent, form);
  auto* w = new QWidget(parent);
  return std::make_unique<ControlView>(c, w, form);
}

}  // namespace zor::desktop
