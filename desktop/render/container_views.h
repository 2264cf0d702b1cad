// Views of panels, group boxes, bevels, the page control with its pages,
// and the toolbar's speed buttons.
#pragma once

#include <QLabel>
#include <QTabWidget>
#include <QToolButton>

#include "desktop/render/basic_views.h"

namespace zor::plat {
class TBevel;
class TPageControl;
class TPanel;
class TSpeedButton;
class TTabSheet;
}  // namespace zor::plat

namespace zor::desktop {

class PanelView : public ContainerView {
 public:
  PanelView(plat::TPanel* panel, QWidget* parent, FormView* form);
  void Sync(plat::Prop p) override;

 private:
  QLabel* caption_;
};

// A group box: a titled frame whose children are placed like a panel's.
class GroupBoxView : public ControlView {
 public:
  GroupBoxView(plat::TControl* box, QWidget* parent, FormView* form);
  QWidget* HostFor(plat::TControl*) override { return Widget(); }
  void Sync(plat::Prop p) override;
};

class BevelView : public ControlView {
 public:
  BevelView(plat::TBevel* bevel, QWidget* parent, FormView* form);
  void Sync(plat::Prop p) override;

 protected:
  void ApplyColor() override {}
};

class PageControlView : public ControlView {
 public:
  PageControlView(plat::TPageControl* pc, QWidget* parent, FormView* form);
  QWidget* HostFor(plat::TControl*) override { return tabs_; }
  bool PlacesChildren() const override { return true; }
  void ChildViewAdded(ControlView* child) override;
  void Sync(plat::Prop p) override;
  QTabWidget* Tabs() const { return tabs_; }
  // Brings one page's tab (caption, enabled, shown) in step.
  void SyncPage(plat::TTabSheet* sheet);

 private:
  void SyncPages();
  QTabWidget* tabs_;
  bool syncing_ = false;
};

class TabSheetView : public ContainerView {
 public:
  TabSheetView(plat::TTabSheet* sheet, QWidget* parent, FormView* form);
  void Sync(plat::Prop p) override;
};

// The icon a toolbar button shows for its glyph (or, without one, for its
// name): from the desktop's icon theme, else the style's, else drawn.
QIcon ButtonIcon(const std::string& glyph, const std::string& name, const std::string& hint);

class SpeedButtonView : public ControlView {
 public:
  SpeedButtonView(plat::TSpeedButton* button, QWidget* parent, FormView* form);
  void Sync(plat::Prop p) override;

 protected:
  void ApplyColor() override {}

 private:
  QToolButton* button_;
};

}  // namespace zor::desktop
