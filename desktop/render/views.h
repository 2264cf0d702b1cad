// The factory of control views: picks the view class for a platform
// control, the most specific class first.
#pragma once

#include <functional>
#include <memory>

class QWidget;

namespace zor::plat {
class TControl;
class TCustomForm;
}  // namespace zor::plat

namespace zor::desktop {

class ControlView;
class FormView;

// Makes the view of a control it knows, or returns null. Views of classes
// that live above the plain controls (data-aware controls, grids) are
// added this way.
using ViewMaker = std::function<std::unique_ptr<ControlView>(plat::TControl*, QWidget* parent, FormView*)>;
void RegisterViewMaker(ViewMaker maker);

// A view whose widget stands in `parent`.
std::unique_ptr<ControlView> CreateView(plat::TControl* control, QWidget* parent, FormView* form);
// The view of the form itself, shown in the FormView.
std::unique_ptr<ControlView> CreateFormControlView(plat::TCustomForm* form, FormView* view);

}  // namespace zor::desktop
