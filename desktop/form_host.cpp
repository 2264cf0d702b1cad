// Forms in MDI sub-windows, windows of their own and modal dialogs.
#include "desktop/form_host.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMenuBar>
#include <QVBoxLayout>

#include "desktop/menu_merge.h"
#include "desktop/render/form_view.h"
#include "desktop/window_memory.h"
#include "desktop/render/menu_view.h"
#include "platform/controls/gesture.h"
#include "platform/controls/menus.h"
#include "platform/forms/form.h"
#include "platform/forms/screen.h"

namespace zor::desktop {

namespace {

plat::TMainMenu* MainMenuOf(plat::TForm* form) {
  for (int i = 0; i < form->ComponentCount(); ++i)
    if (auto* m = dynamic_cast<plat::TMainMenu*>(form->Components(i))) return m;
  return nullptr;
}

// A sub-window whose close button asks the platform form to close; the
// platform decides (hide, free, minimise or stay).
class FormSubWindow : public QMdiSubWindow {
 public:
  FormSubWindow(plat::TForm* form, FormView* view) : form_(form), view_(view) {}

 protected:
  void closeEvent(QCloseEvent* e) override {
    if (view_ && view_->PlatformForm()) {
      e->ignore();
      plat::TForm* form = form_;
      plat::RunGesture([form] { form->Close(); });
      return;
    }
    QMdiSubWindow::closeEvent(e);
  }

 private:
  plat::TForm* form_;
  QPointer<FormView> view_;
};

// The dialog of a modal run: it ends when the form sets its modal result;
// Escape and the close button go to the platform.
class ModalDialog : public QDialog {
 public:
  ModalDialog(plat::TForm* form, QWidget* parent) : QDialog(parent), form_(form) {}
  void Watch(FormView* view) { view_ = view; }

  void reject() override {
    if (!view_ || !view_->PlatformForm()) {
      QDialog::reject();
      return;
    }
    // The platform's cancel key (a handler may end the run with it); a
    // form that ignores it is closed, which cancels the run.
    form_->UserKeyDown(plat::VK_CANCEL);
    if (view_ && view_->PlatformForm() && form_->ModalResult() == plat::mrNone) {
      plat::TForm* form = form_;
      plat::RunGesture([form] { form->Close(); });
    }
  }

 protected:
  void closeEvent(QCloseEvent* e) override {
    if (view_ && view_->PlatformForm() && form_->ModalResult() == plat::mrNone) {
      e->ignore();
      plat::TForm* form = form_;
      plat::RunGesture([form] { form->Close(); });
      return;
    }
    QDialog::closeEvent(e);
  }

 private:
  plat::TForm* form_;
  QPointer<FormView> view_;
};

}  // namespace

FormWindow::FormWindow(plat::TForm* form, QWidget* parent) : QWidget(parent), view_(new FormView(form, this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  if (plat::TMainMenu* menu = MainMenuOf(form)) {
    menu_bar_ = new QMenuBar(this);
    menu_bar_->setObjectName(QString::fromStdString(menu->Name()));
    menu_bar_->setNativeMenuBar(false);
    menus_ = new MenuView(menu->Items(), menu_bar_);
    layout->addWidget(menu_bar_);
  }
  layout->addWidget(view_, 1);
  setWindowTitle(view_->windowTitle());
  connect(view_, &QWidget::windowTitleChanged, this, &QWidget::setWindowTitle);
  const int menuHeight = menu_bar_ ? menu_bar_->sizeHint().height() : 0;
  resize(view_->DesignClientSize() + QSize(0, menuHeight));
}

FormHost::FormHost(QMdiArea* mdi) : mdi_(mdi) {
  screen_subscription_ = plat::Screen->Changes.Subscribe([this](plat::TComponent*, plat::Prop p) {
    if (p == plat::Prop::Cursor) {
      SyncCursor();
      return;
    }
    if (p == plat::Prop::ActiveForm) Sync();
  });
  connect(mdi, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* sub) {
    SyncMenus();
    if (activating_ || !sub) return;
    for (auto& [form, h] : hosted_) {
      if (h.sub != sub) continue;
      auto* f = const_cast<plat::TForm*>(form);
      if (plat::Screen->ActiveForm() != f && f->Visible()) {
        activating_ = true;
        plat::RunGesture([f] { plat::Screen->ActivateForm(f); });
        activating_ = false;
      }
    }
  });
}

FormHost::~FormHost() {
  menus_.reset();
  plat::Screen->Changes.Unsubscribe(screen_subscription_);
  for (auto& [form, h] : hosted_)
    if (h.window && h.window->View()->PlatformForm())
      const_cast<plat::TForm*>(form)->Changes.Unsubscribe(h.subscription);
  if (cursor_overridden_) QApplication::restoreOverrideCursor();
}

void FormHost::SetHostMenuBar(QMenuBar* bar) {
  menus_ = bar ? std::make_unique<MenuMerger>(bar) : nullptr;
  SyncMenus();
}

void FormHost::SyncMenus() {
  if (!menus_) return;
  plat::TForm* active = ActiveForm();
  FormWindow* w = active ? WindowOf(active) : nullptr;
  menus_->Show(w ? w->MenuBar() : nullptr);
}

FormWindow* FormHost::WindowOf(const plat::TForm* form) const {
  auto it = hosted_.find(form);
  return it == hosted_.end() ? nullptr : it->second.window.data();
}

QMdiSubWindow* FormHost::SubWindowOf(const plat::TForm* form) const {
  auto it = hosted_.find(form);
  return it == hosted_.end() ? nullptr : it->second.sub.data();
}

plat::TForm* FormHost::ActiveForm() const {
  if (!mdi_) return nullptr;
  QMdiSubWindow* sub = mdi_->activeSubWindow();
  for (const auto& [form, h] : hosted_)
    if (h.sub == sub && h.window && h.window->View()->PlatformForm()) return const_cast<plat::TForm*>(form);
  return nullptr;
}

void FormHost::Sync() {
  for (int i = 0; i < plat::Screen->FormCount(); ++i) {
    plat::TForm* f = plat::Screen->Forms(i);
    if (f == host_form_ || f->Modal() || !f->Visible() || hosted_.count(f)) continue;
    Host(f);
  }
  plat::TForm* active = plat::Screen->ActiveForm();
  if (QMdiSubWindow* sub = SubWindowOf(active); sub && mdi_ && mdi_->activeSubWindow() != sub) {
    activating_ = true;
    mdi_->setActiveSubWindow(sub);
    activating_ = false;
  }
  SyncMenus();
  if (FormWindow* w = WindowOf(active)) w->View()->SyncQtFocus();
}

void FormHost::Host(plat::TForm* form) {
  Hosted h;
  auto* window = new FormWindow(form);
  h.window = window;
  if (form->FormStyle() == plat::fsMDIChild && mdi_) {
    auto* sub = new FormSubWindow(form, window->View());
    sub->setWidget(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    mdi_->addSubWindow(sub);
    // The host's bar shows the screen's menus: the sub-window has none.
    const int menuHeight = menus_ && window->MenuBar() ? window->MenuBar()->sizeHint().height() : 0;
    if (menuHeight) window->MenuBar()->hide();
    sub->resize(std::max(form->Width(), 200), std::max(form->Height() - menuHeight, 120));
    if (form->Left() > 0 || form->Top() > 0) sub->move(form->Left(), form->Top());
    // Remembered under the form's name, or its caption when it has none.
    h.name = QString::fromStdString(form->Name().empty() ? form->Caption() : form->Name());
    RestoreWindowPlace(sub, h.name);
    h.sub = sub;
  } else {
    window->setParent(mdi_ ? mdi_->window() : nullptr, Qt::Window);
  }
  connect(window->View(), &FormView::FormDestroyed, this, [this, form] { Unhost(form, false); });
  h.subscription = form->Changes.Subscribe([this, form](plat::TComponent*, plat::Prop p) {
    switch (p) {
      case plat::Prop::Visible:
        if (!form->Visible()) {
          Unhost(form, true);
        }
        break;
      case plat::Prop::WindowState:
        SyncWindowState(form);
        break;
      case plat::Prop::BringToFront:
        if (QMdiSubWindow* sub = SubWindowOf(form)) {
          sub->raise();
          activating_ = true;
          if (mdi_) mdi_->setActiveSubWindow(sub);
          activating_ = false;
        } else if (FormWindow* w = WindowOf(form)) {
          w->raise();
          w->activateWindow();
        }
        break;
      default:
        break;
    }
  });
  hosted_[form] = h;
  SyncWindowState(form);
  if (!h.sub || form->WindowState() == plat::wsNormal) (h.sub ? static_cast<QWidget*>(h.sub.data()) : window)->show();
  window->View()->SyncQtFocus();
}

void FormHost::Unhost(const plat::TForm* form, bool alive) {
  auto it = hosted_.find(form);
  if (it == hosted_.end()) return;
  Hosted h = it->second;
  hosted_.erase(it);
  if (alive) const_cast<plat::TForm*>(form)->Changes.Unsubscribe(h.subscription);
  // The window goes once Qt has finished the event that led here.
  if (h.sub) {
    if (menus_ && h.window && menus_->Shown() == h.window->MenuBar()) menus_->Show(nullptr);
    SaveWindowPlace(h.sub, h.name);
    h.sub->hide();
    h.sub->deleteLater();
  } else if (h.window) {
    h.window->hide();
    h.window->deleteLater();
  }
}

void FormHost::SyncWindowState(plat::TForm* form) {
  QWidget* w = SubWindowOf(form);
  if (!w) w = WindowOf(form);
  if (!w) return;
  switch (form->WindowState()) {
    case plat::wsMaximized: w->showMaximized(); break;
    case plat::wsMinimized: w->showMinimized(); break;
    default:
      if (w->isMaximized() || w->isMinimized()) w->showNormal();
  }
}

void FormHost::SyncCursor() {
  const bool busy = plat::Screen->Cursor() == plat::crHourGlass || plat::Screen->Cursor() == plat::crSQLWait;
  if (busy && !cursor_overridden_) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    cursor_overridden_ = true;
  } else if (!busy && cursor_overridden_) {
    QApplication::restoreOverrideCursor();
    cursor_overridden_ = false;
  }
}

int FormHost::RunModal(plat::TForm& form, QWidget* parent, const std::function<int()>& drive) {
  ModalDialog dialog(&form, parent);
  dialog.setObjectName(QString::fromStdString(form.Name()));
  auto* layout = new QVBoxLayout(&dialog);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* window = new FormWindow(&form, &dialog);
  layout->addWidget(window);
  dialog.Watch(window->View());
  dialog.setWindowTitle(window->windowTitle());
  connect(window, &QWidget::windowTitleChanged, &dialog, &QWidget::setWindowTitle);
  dialog.resize(window->size());

  plat::TForm* f = &form;
  const int sub = form.Changes.Subscribe([&dialog, f](plat::TComponent*, plat::Prop p) {
    if (p == plat::Prop::ModalResult && f->ModalResult() != plat::mrNone) dialog.done(f->ModalResult());
    if (p == plat::Prop::Visible && !f->Visible()) dialog.done(plat::mrCancel);
  });
  bool destroyed = false;
  connect(window->View(), &FormView::FormDestroyed, &dialog, [&] {
    destroyed = true;
    dialog.done(plat::mrCancel);
  });
  window->View()->SyncQtFocus();
  // The form may have ended the run while it was being shown.
  int result;
  if (form.ModalResult() != plat::mrNone) {
    result = form.ModalResult();
  } else if (drive) {
    // The script stands in for the person: the dialog shows what it does.
    dialog.setModal(true);
    dialog.show();
    QApplication::processEvents();
    result = drive();
    dialog.hide();
  } else {
    result = dialog.exec();
  }
  if (destroyed) return plat::mrCancel;
  form.Changes.Unsubscribe(sub);
  return form.ModalResult() != plat::mrNone ? form.ModalResult() : (result > 0 ? result : plat::mrCancel);
}

}  // namespace zor::desktop
