// TPageControl with its TTabSheet pages. Only the active page is shown.
// The person's choice of a tab (SelectPage) runs OnChanging, which may
// refuse it, and OnChange; a disabled or hidden tab cannot be chosen.
// Setting ActivePage from code runs neither event. When the page being
// hidden holds the focus, the focus moves to the page control first (its
// exit handlers run and may refuse the change).
#pragma once

#include <functional>
#include <vector>

#include "platform/controls/control.h"

namespace zor::plat {

class TPageControl;

class TTabSheet : public TWinControl {
 public:
  explicit TTabSheet(TComponent* owner = nullptr);
  ~TTabSheet() override;

  TPageControl* PageControl() const { return page_control_; }
  // Same as SetParent(page control); null takes the sheet out.
  void SetPageControl(TPageControl* pc);
  void SetParent(TWinControl* parent) override;
  // The page's position among the pages of its page control.
  int PageIndex() const;
  void SetPageIndex(int index);
  bool TabVisible() const { return tab_visible_; }
  void SetTabVisible(bool v);
  // Position among the visible tabs, or -1 when the tab is hidden.
  int TabIndex() const;
  int ImageIndex() const { return image_index_; }
  void SetImageIndex(int v) { image_index_ = v; }

 private:
  friend class TPageControl;
  TPageControl* page_control_ = nullptr;
  bool tab_visible_ = true;
  int image_index_ = -1;
};

using TTabChangingEvent = std::function<void(TObject* sender, bool& allowChange)>;

class TPageControl : public TWinControl {
 public:
  explicit TPageControl(TComponent* owner = nullptr);
  ~TPageControl() override;

  int PageCount() const { return static_cast<int>(pages_.size()); }
  TTabSheet* Pages(int index) const { return pages_.at(index); }
  TTabSheet* ActivePage() const { return active_; }
  // From code: no OnChanging/OnChange. A sheet of another page control is ignored.
  void SetActivePage(TTabSheet* sheet);
  int ActivePageIndex() const;
  void SetActivePageIndex(int index);

  // Gesture: the person chose this tab. False when refused (disabled or
  // hidden tab, disabled page control, OnChanging said no, an exception).
  bool SelectPage(TTabSheet* sheet);

  TTabChangingEvent OnChanging;
  TNotifyEvent OnChange;

 protected:
  void InsertControl(TControl* c) override;
  void RemoveControl(TControl* c) override;

 private:
  friend class TTabSheet;
  void MovePage(TTabSheet* sheet, int index);
  std::vector<TTabSheet*> pages_;
  TTabSheet* active_ = nullptr;
};

}  // namespace zor::plat
