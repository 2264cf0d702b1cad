// Building, placing and driving the widgets of one platform form.
#include "desktop/render/form_view.h"

#include <algorithm>

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include "desktop/render/control_view.h"
#include "desktop/render/qt_convert.h"
#include "desktop/render/views.h"
#include "platform/controls/custom_form.h"
#include "platform/controls/gesture.h"
#include "platform/controls/label.h"

namespace zor::desktop {

// Hears the destruction of every platform control the view shows.
class FormView::Watcher : public plat::TComponent {
 public:
  explicit Watcher(FormView* view) : view_(view) {}
  ~Watcher() override { view_ = nullptr; }

 protected:
  void Notification(plat::TComponent* component, plat::TOperation operation) override {
    if (operation == plat::TOperation::opRemove && view_) view_->ControlDestroyed(component);
  }

 private:
  FormView* view_;
};

FormView::FormView(plat::TCustomForm* form, QWidget* parent)
    : DockHost(parent), form_(form), watcher_(std::make_unique<Watcher>(this)) {
  setAutoFillBackground(true);
  SetOnResize([this] { Relayout(form_); });
  Build(form, nullptr);
  focus_subscription_ = form->FocusChanges.Subscribe([this](plat::TCustomForm*, plat::TWinControl*, plat::TWinControl*) {
    if (!syncing_focus_) SyncQtFocus();
  });
  resize(DesignClientSize());
  Relayout(form);
}

FormView::~FormView() {
  if (form_) form_->FocusChanges.Unsubscribe(focus_subscription_);
  // Views first: they unsubscribe from controls that are still alive.
  by_widget_.clear();
  views_.clear();
  watcher_.reset();
}

ControlView* FormView::ViewOf(const plat::TControl* control) const {
  auto it = views_.find(control);
  return it == views_.end() ? nullptr : it->second.get();
}

QWidget* FormView::WidgetOf(const plat::TControl* control) const {
  ControlView* v = ViewOf(control);
  return v ? v->Widget() : nullptr;
}

QWidget* FormView::WidgetNamed(const QString& name) const {
  for (const auto& [control, view] : views_)
    if (view->Control() && QString::fromStdString(view->Control()->Name()).compare(name, Qt::CaseInsensitive) == 0)
      return view->Widget();
  return nullptr;
}

std::vector<ControlView*> FormView::Views() const {
  std::vector<ControlView*> all;
  for (const auto& [control, view] : views_) all.push_back(view.get());
  return all;
}

ControlView* FormView::ViewOfWidget(QObject* widget) const {
  auto it = by_widget_.find(widget);
  return it == by_widget_.end() ? nullptr : it->second;
}

QSize FormView::DesignClientSize() const {
  if (!form_) return size();
  // The form's bounds include its frame and caption; its children were
  // placed in the client area inside them.
  return QSize(std::max(0, form_->Width() - 8), std::max(0, form_->Height() - 34));
}

void FormView::Build(plat::TControl* control, QWidget* host) {
  if (views_.count(control)) return;
  std::unique_ptr<ControlView> view;
  if (control == form_)
    view = CreateFormControlView(form_, this);
  else
    view = CreateView(control, host, this);
  ControlView* v = view.get();
  views_[control] = std::move(view);
  if (control != form_)
    if (ControlView* pv = ViewOf(control->Parent())) pv->ChildViewAdded(v);
  watcher_->FreeNotification(control);
  RegisterWidget(v);
  if (auto* win = dynamic_cast<plat::TWinControl*>(control)) {
    for (int i = 0; i < win->ControlCount(); ++i) {
      plat::TControl* child = win->Controls(i);
      QWidget* childHost = v->HostFor(child);
      Build(child, childHost ? childHost : v->Widget());
    }
  }
  v->SyncAll();
}

void FormView::RegisterWidget(ControlView* v) {
  if (!dynamic_cast<plat::TWinControl*>(v->Control()) || v->Control() == form_) return;
  QWidget* fw = v->FocusWidget();
  if (!fw) return;
  by_widget_[fw] = v;
  fw->installEventFilter(this);
  // Widgets made of parts (an editable combo's line edit) take the focus in
  // a part: it counts as the control's.
  for (QWidget* part : fw->findChildren<QWidget*>()) {
    if (part->focusPolicy() == Qt::NoFocus) continue;
    by_widget_[part] = v;
    part->installEventFilter(this);
  }
}

void FormView::Rescan() {
  if (!form_) return;
  std::function<void(plat::TWinControl*)> walk = [&](plat::TWinControl* parent) {
    ControlView* pv = ViewOf(parent);
    for (int i = 0; i < parent->ControlCount(); ++i) {
      plat::TControl* child = parent->Controls(i);
      if (!ViewOf(child) && pv) {
        QWidget* h = pv->HostFor(child);
        Build(child, h ? h : pv->Widget());
        Relayout(parent);
      }
      if (auto* w = dynamic_cast<plat::TWinControl*>(child)) walk(w);
    }
  };
  walk(form_);
}

void FormView::Reparent(plat::TControl* control) {
  ControlView* v = ViewOf(control);
  if (!v || !v->Widget()) return;
  plat::TWinControl* parent = control->Parent();
  ControlView* pv = parent ? ViewOf(parent) : nullptr;
  if (!pv) {
    v->Widget()->hide();
    return;
  }
  QWidget* host = pv->HostFor(control);
  v->Widget()->setParent(host ? host : pv->Widget());
  v->Widget()->setVisible(control->Visible());
  Relayout(parent);
}

void FormView::Relayout(plat::TControl* container) {
  auto* parent = dynamic_cast<plat::TWinControl*>(container);
  ControlView* pv = parent ? ViewOf(parent) : nullptr;
  if (!pv || pv->PlacesChildren()) return;

  // Children grouped by the widget they stand in (a page control has one
  // host per page; other containers one).
  std::map<QWidget*, std::vector<plat::TControl*>> groups;
  for (int i = 0; i < parent->ControlCount(); ++i) {
    plat::TControl* c = parent->Controls(i);
    ControlView* cv = ViewOf(c);
    if (!cv || !cv->Widget()) continue;
    QWidget* host = pv->HostFor(c);
    groups[host ? host : pv->Widget()].push_back(c);
  }

  for (auto& [host, children] : groups) {
    QRect r = host->contentsRect();
    QSize design = parent == form_ ? DesignClientSize() : pv->DesignSize();
    // Without a designed size the anchors keep to the present one.
    if (host != pv->Widget() || design.width() <= 0 || design.height() <= 0) design = host->size();
    const int dx = host->width() - design.width();
    const int dy = host->height() - design.height();

    auto of = [&](plat::TAlign a) {
      std::vector<plat::TControl*> list;
      for (plat::TControl* c : children)
        if (c->Align() == a && c->Visible()) list.push_back(c);
      return list;
    };
    auto place = [&](plat::TControl* c, const QRect& g) {
      if (QWidget* w = WidgetOf(c)) w->setGeometry(g);
    };
    // Aligned controls take their strip in the order of their position, as
    // they were designed.
    auto tops = of(plat::alTop);
    std::stable_sort(tops.begin(), tops.end(), [](auto* a, auto* b) { return a->Top() < b->Top(); });
    for (auto* c : tops) {
      place(c, QRect(r.left(), r.top(), r.width(), c->Height()));
      r.setTop(r.top() + c->Height());
    }
    auto bottoms = of(plat::alBottom);
    std::stable_sort(bottoms.begin(), bottoms.end(), [](auto* a, auto* b) { return a->Top() > b->Top(); });
    for (auto* c : bottoms) {
      place(c, QRect(r.left(), r.bottom() + 1 - c->Height(), r.width(), c->Height()));
      r.setBottom(r.bottom() - c->Height());
    }
    auto lefts = of(plat::alLeft);
    std::stable_sort(lefts.begin(), lefts.end(), [](auto* a, auto* b) { return a->Left() < b->Left(); });
    for (auto* c : lefts) {
      place(c, QRect(r.left(), r.top(), c->Width(), r.height()));
      r.setLeft(r.left() + c->Width());
    }
    auto rights = of(plat::alRight);
    std::stable_sort(rights.begin(), rights.end(), [](auto* a, auto* b) { return a->Left() > b->Left(); });
    for (auto* c : rights) {
      place(c, QRect(r.right() + 1 - c->Width(), r.top(), c->Width(), r.height()));
      r.setRight(r.right() - c->Width());
    }
    for (auto* c : of(plat::alClient)) place(c, r);
    for (plat::TControl* c : children) {
      if (c->Align() != plat::alNone) continue;
      int x = c->Left(), y = c->Top(), w = c->Width(), h = c->Height();
      // A label that sizes itself takes the room its text needs.
      if (auto* label = dynamic_cast<plat::TLabel*>(c); label && label->AutoSize()) {
        if (QWidget* lw = WidgetOf(c)) {
          const QSize hint = lw->sizeHint();
          w = std::max(w, hint.width());
          h = std::max(h, hint.height());
        }
      }
      const auto anchors = c->Anchors();
      if (anchors.Contains(plat::akRight)) {
        if (anchors.Contains(plat::akLeft)) w += dx; else x += dx;
      }
      if (anchors.Contains(plat::akBottom)) {
        if (anchors.Contains(plat::akTop)) h += dy; else y += dy;
      }
      place(c, QRect(x, y, std::max(0, w), std::max(0, h)));
    }
  }
}

void FormView::ControlDestroyed(const void* control) {
  if (control == form_) {
    form_ = nullptr;
    for (auto& [c, v] : views_) v->Detach();
    emit FormDestroyed();
    return;
  }
  auto it = views_.find(static_cast<const plat::TControl*>(control));
  if (it == views_.end()) return;
  ControlView* v = it->second.get();
  v->Detach();
  std::erase_if(by_widget_, [v](const auto& e) { return e.second == v; });
  // The widget may be the one whose event is being handled right now: the
  // view's destructor only schedules its deletion.
  views_.erase(it);
}

void FormView::SyncQtFocus() {
  if (!form_) return;
  ControlView* v = ViewOf(form_->ActiveControl());
  QWidget* w = v ? v->FocusWidget() : nullptr;
  if (!w || w->hasFocus()) return;
  if (!w->isEnabled() || !w->isVisible()) {
    ParkFocus();
    return;
  }
  syncing_focus_ = true;
  w->setFocus(Qt::OtherFocusReason);
  syncing_focus_ = false;
  // The platform moved the focus (Tab, Enter, a failed check): an edit
  // reached that way selects its whole text, as the control library's
  // edits do, so the next keys replace it.
  if (auto* line = qobject_cast<QLineEdit*>(w)) line->selectAll();
}

void FormView::HandleFocusIn(ControlView* v) {
  plat::TWinControl* control = v->WinControl();
  if (!form_ || !control || form_->ActiveControl() == control) return;
  syncing_focus_ = true;
  const bool moved = form_->UserFocus(control);
  syncing_focus_ = false;
  if (!moved) {
    // Refused (an exit handler said no, or sent the focus elsewhere): the
    // Qt focus goes back where the platform has it, once Qt has finished
    // delivering this focus change.
    QTimer::singleShot(0, this, [self = QPointer<FormView>(this)] {
      if (self) self->SyncQtFocus();
    });
  }
}

bool FormView::MovedByQt(Qt::FocusReason reason) {
  // The form handles Tab itself (HandleKey), so a Tab focus change that
  // reaches a widget is Qt's own: the focused widget was hidden or disabled
  // (its page left, the screen disabled it) and Qt passed the focus on. A
  // window becoming active gives the focus back to its last widget. Neither
  // is the person choosing a control: no exit handler may run for them.
  return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ActiveWindowFocusReason;
}

void FormView::FocusMovedByQt() {
  // Once Qt has finished, the focus goes back where the platform has it
  // when that control can take it; otherwise it stays where Qt put it
  // until the person chooses a control.
  QTimer::singleShot(0, this, [self = QPointer<FormView>(this)] {
    if (!self || !self->form_) return;
    ControlView* v = self->ViewOf(self->form_->ActiveControl());
    QWidget* w = v ? v->FocusWidget() : nullptr;
    if (w && w->isVisible() && w->isEnabled())
      self->SyncQtFocus();
    else
      self->ParkFocus();
  });
}

void FormView::ParkFocus() {
  // The platform's focused control cannot hold Qt's focus (disabled or
  // hidden): no other control may seem focused, or the window would give
  // it the focus back later as if the person had chosen it. The form's own
  // widget holds the focus until the person chooses a control.
  QWidget* f = QApplication::focusWidget();
  if (!f || f == this || !isAncestorOf(f)) return;
  syncing_focus_ = true;
  setFocus(Qt::OtherFocusReason);
  syncing_focus_ = false;
}

bool FormView::HandleKey(ControlView* v, QObject* target, QKeyEvent* e) {
  if (!form_ || replaying_key_ || v->RoutesKeys()) return false;
  plat::TWinControl* control = v->WinControl();
  if (!control) return false;
  const plat::Word vk = ToVirtualKey(e->key());
  const plat::TShiftState shift = ToShiftState(e->modifiers());

  // Tab moves the focus in the platform's tab order (after the key
  // handlers have seen it), except in controls that use it themselves.
  if (vk == plat::VK_TAB && !v->WantsTab() && !(e->modifiers() & Qt::ControlModifier)) {
    const bool back = e->key() == Qt::Key_Backtab || (e->modifiers() & Qt::ShiftModifier);
    plat::TShiftState s = shift;
    if (back) s.Include(plat::ssShift);
    form_->UserKeyDown(plat::VK_TAB, s);
    SyncQtFocus();
    return true;
  }

  // The key handlers of the form (with key preview) and of the control see
  // the key before the widget does; a handler that clears it stops it.
  // The widget itself does the control's own handling.
  if (vk != 0) {
    plat::Word k = vk;
    bool ok = plat::RunGesture([&] {
      if (form_->KeyPreview() && form_->OnKeyDown) form_->OnKeyDown(form_, k, shift);
      if (k != 0 && control->OnKeyDown) control->OnKeyDown(control, k, shift);
    });
    if (!ok || k == 0) return true;
  }
  char ch = ToKeyChar(*e);
  if (ch != 0 && ch != '\t' && (form_->OnKeyPress || control->OnKeyPress)) {
    char c = ch;
    bool ok = plat::RunGesture([&] {
      if (form_->KeyPreview() && form_->OnKeyPress) form_->OnKeyPress(form_, c);
      if (c != 0 && control->OnKeyPress) control->OnKeyPress(control, c);
    });
    if (!ok || c == 0) return true;
    if (c != ch) {
      // A handler changed the character: the widget types the new one.
      QKeyEvent replaced(e->type(), e->key(), e->modifiers(), QString(QChar::fromLatin1(c)));
      replaying_key_ = true;
      QApplication::sendEvent(target, &replaced);
      replaying_key_ = false;
      return true;
    }
  }
  return false;
}

bool FormView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn && !syncing_focus_) {
    if (ControlView* v = ViewOfWidget(watched)) {
      if (MovedByQt(static_cast<QFocusEvent*>(event)->reason()))
        FocusMovedByQt();
      else
        HandleFocusIn(v);
    }
  } else if (event->type() == QEvent::KeyPress) {
    if (ControlView* v = ViewOfWidget(watched)) return HandleKey(v, watched, static_cast<QKeyEvent*>(event));
  }
  return DockHost::eventFilter(watched, event);
}

}  // namespace zor::desktop
