// The flight screen in the real window, driven through its widgets with
// the mouse and the keyboard as a person drives it: faults that only the
// window shows (a widget acting on its own after the platform has moved on)
// cannot hide behind the platform calls the script driver makes.
#include <gtest/gtest.h>

#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "desktop/host_app.h"
#include "desktop/render/form_view.h"
#include "desktop/screenshot.h"
#include "platform/controls/custom_form.h"
#include "platform/data/data_set.h"
#include "qt_test_app.h"

namespace zor::desktop {

using desktop_test::App;

namespace {

class WindowReplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    App();
    ASSERT_TRUE(home_.isValid());
    // The host's demo database and settings go to a fresh home.
    for (const char* var : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"})
      qputenv(var, home_.filePath(var).toLocal8Bit());
    const QString opener = home_.filePath("abrir.zs");
    QFile f(opener);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(script_);
    f.close();
    host_ = std::make_unique<desktop::HostApp>();
    const int status = host_->Run({"zor-host", "--demo", "--branch", "0001", "--package", ZOR_PACKAGE,
                                   "--server-program", ZOR_SERVER, "--script", opener, "--screenshot",
                                   home_.filePath("aberta.png")});
    ASSERT_EQ(status, 0);
    for (desktop::FormView* v : desktop::ShownFormViews())
      if (v->WidgetNamed("dbeNrVoo")) view_ = v;  // the flight screen
    ASSERT_NE(view_, nullptr);
    ASSERT_TRUE(desktop_test::ShowActive(view_->window()));
  }
  void TearDown() override {
    host_.reset();
    QApplication::processEvents();
  }

  template <typename W>
  W* Widget(const char* name) {
    return qobject_cast<W*>(view_->WidgetNamed(name));
  }
  plat::TDataSet* DataSet(const char* name) {
    return dynamic_cast<plat::TDataSet*>(view_->PlatformForm()->FindComponent(name));
  }
  // Clicks a tool button; the messages it raises are answered by `answer`
  // and their texts collected.
  void Click(const char* button) {
    QToolButton* b = Widget<QToolButton>(button);
    ASSERT_NE(b, nullptr) << button;
    QTest::mouseClick(b, Qt::LeftButton);
    QApplication::processEvents();
  }
  // Every message box that opens is read and answered "Sim" (questions) or
  // closed (errors and notices); the texts are kept in order.
  void AnswerEveryBox() {
    auto* timer = new QTimer(view_);
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box || !box->isVisible()) return;
      boxes_ << box->text();
      if (auto* yes = box->findChild<QPushButton*>("yes"))
        yes->click();
      else
        box->accept();
    });
    timer->start();
  }

  QByteArray script_ = "open\ntype medSgCia AMZ\nfocus dbgPadrao\nexpect cdsVoo.IsEmpty true\n";
  QTemporaryDir home_;
  std::unique_ptr<desktop::HostApp> host_;
  desktop::FormView* view_ = nullptr;
  QStringList boxes_;
};

// Insert, type a flight number, Cancel, "Sim": the insertion is cancelled
// with nothing else said, and the typed number is gone from the window.
TEST_F(WindowReplayTest, CancellingAnInsertedFlightAfterTypingItsNumber) {
  AnswerEveryBox();
  ASSERT_EQ(DataSet("cdsVoo")->State(), plat::dsBrowse);
  Click("sbtIncluir");
  ASSERT_EQ(DataSet("cdsVoo")->State(), plat::dsInsert) << boxes_.join("\n").toStdString();
  QLineEdit* number = Widget<QLineEdit>("dbeNrVoo");
  ASSERT_NE(number, nullptr);
  ASSERT_TRUE(number->isVisible());
  number->setFocus(Qt::MouseFocusReason);
  QApplication::processEvents();
  QTest::keyClicks(number, "4321");
  EXPECT_EQ(number->text(), "4321");
  Click("sbtCancelar");
  QTest::qWait(50);
  ASSERT_FALSE(boxes_.isEmpty());
  EXPECT_EQ(boxes_.front(), QString::fromUtf8("Deseja cancelar as alterações?"));
  EXPECT_EQ(boxes_.size(), 1) << boxes_.join("\n").toStdString();
  EXPECT_EQ(DataSet("cdsVoo")->State(), plat::dsBrowse);
  EXPECT_TRUE(DataSet("cdsVoo")->IsEmpty());
  EXPECT_NE(number->text(), "4321");
}

}  // namespace

}  // namespace zor::desktop
