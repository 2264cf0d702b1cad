// TControl: the base of every visible element (position, alignment, enabled
// and visible state, caption or text, hint, colour, font, cursor and the
// mouse/key events), and TWinControl: a control that can hold other
// controls and take the focus. Every property change is sent to `Changes`
// so that a renderer can follow the control without polling.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/controls/change_notify.h"
#include "platform/controls/graphics.h"
#include "platform/core/component.h"
#include "platform/core/events.h"

namespace zor::plat {

class TWinControl;
class TCustomForm;

using TKeyEvent = std::function<void(TObject* sender, Word& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject* sender, char& key)>;

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner = nullptr);
  ~TControl() override;

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);
  // The form the control stands on (the top of its parent chain, when that is a form).
  TCustomForm* GetParentForm() const;

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  void SetBounds(int left, int top, int width, int height);
  TAlign Align() const { return align_; }
  void SetAlign(TAlign a);
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors a);

  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool v);
  bool Visible() const { return visible_; }
  virtual void SetVisible(bool v);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible itself and every parent up the chain (the form's own visibility aside).
  bool Showing() const;

  // Caption and Text are one property under two names.
  const std::string& Caption() const { return text_; }
  void SetCaption(const std::string& v) { SetText(v); }
  virtual std::string Text() const { return text_; }
  virtual void SetText(const std::string& v);

  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& v);
  bool ShowHint() const { return show_hint_; }
  void SetShowHint(bool v);
  TColor Color() const { return color_; }
  void SetColor(TColor c);
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& f);
  void SetFontBold(bool bold);
  void SetFontColor(TColor c);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor c);

  // Focus: only windowed controls (TWinControl) can take it.
  virtual bool CanFocus() const { return false; }
  virtual bool Focused() const { return false; }

  // Runs OnClick (the programmatic click). Controls that refuse clicks
  // while disabled say so in their own Click.
  virtual void Click();
  void DblClick();

  // Gestures: the person clicked / double-clicked the control. Exceptions
  // are reported the standard way; false when the gesture was refused or failed.
  bool UserClick();
  bool UserDblClick();

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;

  ChangeObservers Changes;

  // Runs the enter/exit events; the form's focus engine calls them.
  virtual void DoEnter();
  virtual void DoExit();

 protected:
  void Changed(Prop p) { Changes.Notify(this, p); }
  // The size a control of this class has until its definition or its code
  // gives it one: a form definition may leave Width or Height out, and a
  // control of no size could not be seen nor clicked.
  void SetDefaultSize(int width, int height) {
    width_ = width;
    height_ = height;
  }
  std::string text_;

 private:
  friend class TWinControl;
  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  TAlign align_ = alNone;
  TAnchors anchors_{akLeft, akTop};
  bool enabled_ = true;
  bool visible_ = true;
  std::string hint_;
  bool show_hint_ = false;
  TColor color_ = clBtnFace;
  TFont font_;
  TCursor cursor_ = crDefault;
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* owner = nullptr);
  ~TWinControl() override;

  // Children in the order they were put in.
  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int index) const { return controls_.at(index); }
  // True when `c` is this control or lies inside it.
  bool ContainsControl(const TControl* c) const;

  // Position in the parent's tab order (0-based); setting it moves the
  // control there and renumbers its siblings.
  int TabOrder() const;
  void SetTabOrder(int order);
  bool TabStop() const { return tab_stop_; }
  void SetTabStop(bool v);
  // Windowed children in tab order.
  const std::vector<TWinControl*>& TabList() const { return tab_list_; }

  // Visible and enabled up the parent chain, and on a form.
  bool CanFocus() const override;
  bool Focused() const override;
  // Moves the focus here as code does: the exit handlers of the control
  // being left and of the containers being left run, then the enter
  // handlers. An exception from a handler propagates to the caller and
  // cancels the move. False when the control cannot take the focus or a
  // handler sent the focus elsewhere.
  bool SetFocus();

  // A key reaching this control: OnKeyDown / OnKeyPress first, then the
  // control's own handling unless the handler cleared the key (set it to 0).
  void KeyDown(Word& key, TShiftState shift);
  void KeyPress(char& key);
  // True for controls that use Tab themselves (grids); others let the form
  // move the focus.
  virtual bool WantsTab() const { return false; }

 protected:
  friend class TControl;
  virtual void InsertControl(TControl* c);
  virtual void RemoveControl(TControl* c);
  // The control's own reaction to a key left by the handlers.
  virtual void DefaultKeyDown(Word& /*key*/, TShiftState /*shift*/) {}
  virtual void DefaultKeyPress(char& /*key*/) {}
  // Default for new windowed controls.
  bool tab_stop_ = true;

 private:
  std::vector<TControl*> controls_;
  std::vector<TWinControl*> tab_list_;
};

}  // namespace zor::plat
