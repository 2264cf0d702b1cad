// Forms on the desktop: a shown MDI child form gets a sub-window with its
// menu bar, follows the platform's active form and window state, closes
// through the platform; a modal form runs in a dialog that ends with the
// modal result the form sets.
#include <gtest/gtest.h>

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "desktop/form_host.h"
#include "desktop/qt_ui.h"
#include "desktop/render/form_view.h"
#include "desktop/render/menu_view.h"
#include "desktop/screenshot.h"
#include "platform/controls/speed_button.h"
#include "platform/forms/application.h"
#include "platform/forms/frm_padrao.h"
#include "platform/forms/screen.h"
#include "platform/ui/scripted_ui.h"
#include "qt_test_app.h"

namespace zor::desktop {

using desktop_test::App;

namespace {

class FormHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    App();
    mdi_ = new QMdiArea;
    mdi_->resize(900, 700);
    mdi_->show();
    ui_ = std::make_unique<desktop::QtUi>(mdi_);
    host_ = std::make_unique<desktop::FormHost>(mdi_);
    ui_->SetModalRunner(
        [this](plat::TForm& f, QWidget* parent, std::function<int()> drive) { return host_->RunModal(f, parent, drive); });
    plat::SetUi(ui_.get());
  }
  void TearDown() override {
    plat::Application->DestroyForms();
    host_.reset();
    plat::SetUi(nullptr);
    ui_.reset();
    delete mdi_;
    QApplication::processEvents();
  }
  QMdiArea* mdi_;
  std::unique_ptr<desktop::QtUi> ui_;
  std::unique_ptr<desktop::FormHost> host_;
};

TEST_F(FormHostTest, AShownMdiChildGetsASubWindowWithItsMenus) {
  plat::TfrmPadrao* form = nullptr;
  plat::Application->CreateForm(form);
  form->SetCaption("Vôo/Trecho");
  form->Show();
  QMdiSubWindow* sub = host_->SubWindowOf(form);
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(sub->windowTitle(), QString::fromUtf8("Vôo/Trecho"));
  EXPECT_EQ(host_->ActiveForm(), form);
  desktop::FormWindow* w = host_->WindowOf(form);
  ASSERT_NE(w->MenuBar(), nullptr);
  QAction* gridItem = w->Menus()->ActionNamed("mnuFolhaDados");
  ASSERT_NE(gridItem, nullptr);
  EXPECT_EQ(gridItem->text().remove('&'), "Folha de Dados");
  form->mnuIncluir->SetEnabled(false);
  EXPECT_FALSE(w->Menus()->ActionNamed("mnuIncluir")->isEnabled());
  // The menu choice is the platform item's click: the base form shows the tab.
  form->pgcPadrao->SetActivePage(form->tshFolhaDados);
  w->Menus()->ActionNamed("mnuFormulario")->trigger();
  EXPECT_EQ(form->pgcPadrao->ActivePage(), form->tshFormulario);
  EXPECT_EQ(w->View()->findChild<QTabWidget*>("pgcPadrao")->currentWidget(),
            w->View()->WidgetOf(form->tshFormulario));
  EXPECT_TRUE(w->Menus()->ActionNamed("mnuFormulario")->isChecked());
  // Toolbar buttons have icons and hints.
  auto* insert = w->View()->findChild<QToolButton*>("sbtIncluir");
  ASSERT_NE(insert, nullptr);
  EXPECT_FALSE(insert->icon().isNull());
  // The commands have keys, shown in the menu and in the hint.
  EXPECT_EQ(insert->toolTip(), "Incluir (F2)");
  EXPECT_EQ(w->Menus()->ActionNamed("mnuIncluir")->shortcut(), QKeySequence(Qt::Key_F2));
  EXPECT_EQ(w->Menus()->ActionNamed("mnuCancelar")->shortcut(), QKeySequence(Qt::Key_F8));

  form->SetWindowState(plat::wsMaximized);
  EXPECT_TRUE(sub->isMaximized());
  form->SetWindowState(plat::wsNormal);
  EXPECT_FALSE(sub->isMaximized());
}

// The active screen's menus show in the host's menu bar, maximised or not:
// one bar, and the host's menu of the same title gives way while the
// screen is active.
TEST_F(FormHostTest, TheActiveScreensMenusMergeIntoTheHostsMenuBar) {
  QMenuBar bar;
  bar.addMenu("&Arquivo");
  QAction* hostOperation = bar.addMenu(QString::fromUtf8("&Operação"))->menuAction();
  QMenu* windows = bar.addMenu("&Janela");
  windows->setObjectName("zorWindowMenu");
  host_->SetHostMenuBar(&bar);
  plat::TfrmPadrao* form = nullptr;
  plat::Application->CreateForm(form);
  form->Show();
  desktop::FormWindow* w = host_->WindowOf(form);
  ASSERT_NE(w, nullptr);
  EXPECT_FALSE(w->MenuBar()->isVisibleTo(w));
  QStringList titles;
  for (QAction* a : bar.actions())
    if (a->isVisible()) titles << a->text().remove('&');
  EXPECT_EQ(titles, QStringList({"Arquivo", QString::fromUtf8("Operação"), QString::fromUtf8("Edição"), "Janela"}))
      << titles.join(',').toStdString();
  EXPECT_FALSE(hostOperation->isVisible());
  form->SetWindowState(plat::wsMaximized);
  EXPECT_FALSE(w->MenuBar()->isVisibleTo(w));
  form->Hide();
  QApplication::processEvents();
  EXPECT_TRUE(hostOperation->isVisible());
  EXPECT_EQ(bar.actions().size(), 3);
  host_->SetHostMenuBar(nullptr);
}

TEST_F(FormHostTest, ClosingTheSubWindowClosesThePlatformForm) {
  plat::TfrmPadrao* form = nullptr;
  plat::Application->CreateForm(form);
  form->Show();
  QPointer<QMdiSubWindow> sub = host_->SubWindowOf(form);
  ASSERT_TRUE(sub);
  bool closed = false;
  auto baseClose = form->OnClose;
  form->OnClose = [&](plat::TObject* s, plat::TCloseAction& a) {
    closed = true;
    if (baseClose) baseClose(s, a);
  };
  sub->close();
  plat::Application->ProcessMessages();
  QApplication::processEvents();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(closed);
  EXPECT_TRUE(sub.isNull() || !sub->isVisible());
}

TEST_F(FormHostTest, ActivatingASubWindowActivatesThePlatformForm) {
  plat::TfrmPadrao *a = nullptr, *b = nullptr;
  plat::Application->CreateForm(a);
  plat::Application->CreateForm(b);
  a->Show();
  b->Show();
  EXPECT_EQ(plat::Screen->ActiveForm(), b);
  mdi_->setActiveSubWindow(host_->SubWindowOf(a));
  EXPECT_EQ(plat::Screen->ActiveForm(), a);
  b->BringToFront();
  EXPECT_EQ(mdi_->activeSubWindow(), host_->SubWindowOf(b));
}

TEST_F(FormHostTest, AModalFormEndsWithTheModalResultItSets) {
  plat::TForm* form = nullptr;
  plat::Application->CreateForm(form);
  form->SetBounds(0, 0, 300, 200);
  auto* ok = new plat::TSpeedButton(form);
  ok->SetName("sbtConfirma");
  ok->SetBounds(4, 4, 40, 21);
  ok->SetParent(form);
  ok->OnClick = [form](plat::TObject*) { form->SetModalResult(plat::mrOk); };
  desktop_test::WhenModalOpens([](QWidget* dialog) {
    auto* button = dialog->findChild<QToolButton*>("sbtConfirma");
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
  });
  EXPECT_EQ(form->ShowModal(), plat::mrOk);
  EXPECT_EQ(host_->SubWindowOf(form), nullptr);  // never an MDI child

  // Escape: no handler takes the cancel key, so the form is closed: cancelled.
  desktop_test::WhenModalOpens([](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
  EXPECT_EQ(form->ShowModal(), plat::mrCancel);
}

TEST_F(FormHostTest, AScriptDrivesAModalFormWhileItsDialogIsShown) {
  plat::TForm* form = nullptr;
  plat::Application->CreateForm(form);
  form->SetName("frmDialogo");
  form->SetBounds(0, 0, 300, 200);
  plat::ScriptedUi script;
  bool shownWhileDriven = false;
  script.ModalRunner = [&](plat::TForm& f) {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->objectName() == "frmDialogo" && w->isVisible()) shownWhileDriven = true;
    f.SetModalResult(plat::mrOk);
    return plat::mrOk;
  };
  ui_->SetScriptPort(&script);
  EXPECT_EQ(form->ShowModal(), plat::mrOk);
  ui_->SetScriptPort(nullptr);
  EXPECT_TRUE(shownWhileDriven);
  for (QWidget* w : QApplication::topLevelWidgets())
    EXPECT_FALSE(w->objectName() == "frmDialogo" && w->isVisible());
}

TEST_F(FormHostTest, TheBaseFormRendersIntoAPicture) {
  plat::TfrmPadrao* form = nullptr;
  plat::Application->CreateForm(form);
  form->SetCaption("Vôo/Trecho");
  form->Show();
  QTemporaryDir dir;
  QString error;
  ASSERT_TRUE(desktop::SaveScreenshot(mdi_, dir.filePath("base.png"), &error));
  if (qEnvironmentVariableIsSet("ZOR_KEEP_SHOTS")) desktop::SaveScreenshot(mdi_, "/tmp/zor-base-form.png", &error);
  QImage img(dir.filePath("base.png"));
  EXPECT_FALSE(img.isNull());
}

}  // namespace

}  // namespace zor::desktop
