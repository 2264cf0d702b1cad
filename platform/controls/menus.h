// Menus: TMenuItem (caption with an '&' accelerator, enabled, checked,
// radio items in groups, visible, sub-items, OnClick) and the menus that
// hold a tree of them (TMainMenu for the window's menu bar, TPopupMenu).
// Items are components owned by the form; the tree only links them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/controls/change_notify.h"
#include "platform/core/component.h"
#include "platform/core/events.h"

namespace zor::plat {

// The caption without its accelerator marks ("&Vôo(s)" → "Vôo(s)", "&&" → "&").
std::string StripHotkey(std::string_view caption);

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* owner = nullptr);
  ~TMenuItem() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& v);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  // Checking a radio item unchecks the radio items of its group among its siblings.
  bool Checked() const { return checked_; }
  void SetChecked(bool v);
  bool RadioItem() const { return radio_item_; }
  void SetRadioItem(bool v);
  int GroupIndex() const { return group_index_; }
  void SetGroupIndex(int g) { group_index_ = g; }
  // A click toggles Checked first.
  bool AutoCheck() const { return auto_check_; }
  void SetAutoCheck(bool v) { auto_check_ = v; }
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& v) { hint_ = v; }
  int ShortCut() const { return short_cut_; }
  void SetShortCut(int v) { short_cut_ = v; }

  TMenuItem* Parent() const { return parent_; }
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const { return items_.at(index); }
  int IndexOf(const TMenuItem* item) const;
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  void Remove(TMenuItem* item);
  // Sub-item by caption, accelerators and ASCII case aside; null when none.
  TMenuItem* Find(std::string_view caption) const;

  // Runs OnClick when the item is enabled (after AutoCheck).
  void Click();
  // Gesture: the person chose the item; refused when it or a parent is
  // disabled or hidden.
  bool UserClick();

  TNotifyEvent OnClick;
  ChangeObservers Changes;

 private:
  void Changed(Prop p) { Changes.Notify(this, p); }
  std::string caption_;
  bool enabled_ = true;
  bool visible_ = true;
  bool checked_ = false;
  bool radio_item_ = false;
  int group_index_ = 0;
  bool auto_check_ = false;
  std::string hint_;
  int short_cut_ = 0;
  TMenuItem* parent_ = nullptr;
  std::vector<TMenuItem*> items_;
};

// A menu: the root item whose sub-items are the menu's entries.
class TMenu : public TComponent {
 public:
  explicit TMenu(TComponent* owner = nullptr);
  TMenuItem* Items() const { return root_; }

 private:
  TMenuItem* root_;
};

class TMainMenu : public TMenu {
 public:
  explicit TMainMenu(TComponent* owner = nullptr) : TMenu(owner) {}
};

class TPopupMenu : public TMenu {
 public:
  explicit TPopupMenu(TComponent* owner = nullptr) : TMenu(owner) {}
};

}  // namespace zor::plat
