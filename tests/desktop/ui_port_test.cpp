// The Qt ui port: message captions, the yes/no buttons, the pick list
// (filter, Enter, Escape, double-click), the search dialog and the busy
// indicator's nesting.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTextBrowser>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "desktop/busy_indicator.h"
#include "desktop/document_viewer.h"
#include "desktop/pick_list_dialog.h"
#include "desktop/qt_ui.h"
#include "desktop/search_dialog.h"
#include "platform/ui/scripted_ui.h"
#include "qt_test_app.h"

namespace zor::desktop {

using desktop::QtUi;
using desktop_test::App;
using desktop_test::WhenModalOpens;

namespace {

plat::PickListRequest Companies() {
  plat::PickListRequest r;
  r.Title = "Companhia";
  r.ColumnLabels = {"Sigla", "Nome"};
  r.Rows = {{"AZU", "Azul Linhas Aéreas"}, {"GLO", "Gol Transportes"}, {"TAM", "Latam Brasil"}};
  return r;
}

TEST(QtUiMessages, ErrorCaptionFallsBackToTheActiveScreenThenToTheScreenTitle) {
  App();
  QtUi ui;
  EXPECT_EQ(ui.CaptionFor("Erro"), "Erro");
  EXPECT_EQ(ui.CaptionFor(""), QString::fromUtf8("Vôo/Trecho"));
  ui.SetCaptionSource([] { return QStringLiteral("Relatório"); });
  EXPECT_EQ(ui.CaptionFor(""), QString::fromUtf8("Relatório"));

  QString seenTitle, seen_text;
  WhenModalOpens([&](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    ASSERT_NE(box, nullptr);
    seenTitle = box->windowTitle();
    seen_text = box->text();
    box->accept();
  });
  ui.ShowError("", "Filial não cadastrada.");
  EXPECT_EQ(seenTitle, QString::fromUtf8("Relatório"));
  EXPECT_EQ(seen_text, QString::fromUtf8("Filial não cadastrada."));
}

TEST(QtUiScriptMode, TheScriptAnswersInsteadOfDialogsUntilTheModeEnds) {
  App();
  QtUi ui;
  plat::ScriptedUi script;
  script.Answers = {true};
  script.Picks = {2};
  ui.SetScriptPort(&script);
  // A dialog opening now would be a fault: close it and note it.
  bool dialogOpened = false;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (QWidget* w = QApplication::activeModalWidget()) {
      dialogOpened = true;
      w->close();
    }
  });
  watch.start(10);
  EXPECT_TRUE(ui.AskYesNo("", "Confirma a exclusão?"));
  // Nothing prepared: No, as the script driver answers.
  EXPECT_FALSE(ui.AskYesNo("", "Confirma a exclusão?"));
  EXPECT_EQ(ui.PickRow(Companies()), std::optional<int>(2));
  EXPECT_EQ(ui.PickRow(Companies()), std::nullopt);
  ui.ShowError("", "Filial não cadastrada.");
  EXPECT_EQ(script.LastMessage(), std::optional<std::string>("Filial não cadastrada."));
  ui.ShowBusy(0);
  EXPECT_EQ(ui.BusyDepth(), 1);
  EXPECT_EQ(script.BusyDepth(), 1);
  ui.HideBusy();
  EXPECT_EQ(script.BusyDepth(), 0);
  EXPECT_FALSE(dialogOpened);
  watch.stop();

  ui.SetScriptPort(nullptr);
  WhenModalOpens([](QWidget* w) { w->findChild<QPushButton*>("yes")->click(); });
  EXPECT_TRUE(ui.AskYesNo("", "Confirma a exclusão?"));
  EXPECT_EQ(script.Events().size(), 6u);  // nothing more reached the script
}

TEST(QtUiMessages, QuestionsOfferSimAndNaoAndOnlySimSaysYes) {
  App();
  QtUi ui;
  QStringList buttons;
  WhenModalOpens([&](QWidget* w) {
    for (auto* b : w->findChildren<QPushButton*>()) buttons << b->text();
    w->findChild<QPushButton*>("yes")->click();
  });
  EXPECT_TRUE(ui.AskYesNo("", "Confirmar Exclusão?"));
  buttons.sort();
  EXPECT_EQ(buttons, (QStringList{QString::fromUtf8("Não"), "Sim"}));

  WhenModalOpens([](QWidget* w) { w->findChild<QPushButton*>("no")->click(); });
  EXPECT_FALSE(ui.AskYesNo("", "Confirmar Exclusão?"));
  // Escape is No.
  WhenModalOpens([](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
  EXPECT_FALSE(ui.AskYesNo("", "Confirmar Exclusão?"));
}

TEST(PickList, ShowsLabelsAndRowsAndStartsOnTheCurrentRow) {
  App();
  auto r = Companies();
  r.CurrentRow = 1;
  desktop::PickListDialog d(r);
  auto* model = d.Table()->model();
  ASSERT_EQ(model->columnCount(), 2);
  EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), "Sigla");
  EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), "Nome");
  EXPECT_EQ(d.VisibleRows(), 3);
  EXPECT_EQ(d.Table()->currentIndex().row(), 1);
}

TEST(PickList, FilterKeepsMatchingRowsAndEnterPicksInTheOriginalNumbering) {
  App();
  desktop::PickListDialog d(Companies());
  d.show();
  d.FilterBox()->setFocus();
  QTest::keyClicks(d.FilterBox(), "latam");
  EXPECT_EQ(d.VisibleRows(), 1);
  QTest::keyClick(d.FilterBox(), Qt::Key_Return);
  EXPECT_EQ(d.result(), QDialog::Accepted);
  ASSERT_TRUE(d.ChosenRow().has_value());
  EXPECT_EQ(*d.ChosenRow(), 2);
}

TEST(PickList, ArrowsInTheFilterMoveTheRowAndEscapeCancels) {
  App();
  desktop::PickListDialog d(Companies());
  d.show();
  QTest::keyClick(d.FilterBox(), Qt::Key_Down);
  EXPECT_EQ(d.Table()->currentIndex().row(), 1);
  QTest::keyClick(d.FilterBox(), Qt::Key_Escape);
  EXPECT_EQ(d.result(), QDialog::Rejected);
  EXPECT_FALSE(d.ChosenRow().has_value());
}

TEST(PickList, DoubleClickPicksThatRow) {
  App();
  QtUi ui;
  WhenModalOpens([](QWidget* w) {
    auto* table = w->findChild<QTableView*>("rows");
    const QModelIndex index = table->model()->index(2, 1);
    const QPoint at = table->visualRect(index).center();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, at);
  });
  auto picked = ui.PickRow(Companies());
  ASSERT_TRUE(picked.has_value());
  EXPECT_EQ(*picked, 2);
}

TEST(PickList, EnterOnAFilterThatMatchesNothingPicksNothing) {
  App();
  desktop::PickListDialog d(Companies());
  d.show();
  QTest::keyClicks(d.FilterBox(), "zzz");
  EXPECT_EQ(d.VisibleRows(), 0);
  QTest::keyClick(d.FilterBox(), Qt::Key_Return);
  EXPECT_NE(d.result(), QDialog::Accepted);
  EXPECT_FALSE(d.ChosenRow().has_value());
}

TEST(SearchDialog, AnswersTheChosenFieldNameAndValue) {
  App();
  QtUi ui;
  plat::SearchRequest r;
  r.Title = "Procurar";
  r.FieldLabels = {"Vôo", "Equipamento"};
  r.FieldNames = {"NRVOO", "SGEQUIP"};
  QStringList buttons;
  WhenModalOpens([&](QWidget* w) {
    for (auto* b : w->findChildren<QPushButton*>()) buttons << b->text();
    w->findChild<QComboBox*>("field")->setCurrentIndex(1);
    auto* value = w->findChild<QLineEdit*>("value");
    QTest::keyClicks(value, "B737");
    QTest::keyClick(value, Qt::Key_Return);
  });
  auto answer = ui.Search(r);
  ASSERT_TRUE(answer.has_value());
  EXPECT_EQ(answer->FieldName, "SGEQUIP");
  EXPECT_EQ(answer->Value, "B737");
  EXPECT_TRUE(buttons.contains("Procurar"));
  EXPECT_TRUE(buttons.contains("Cancelar"));

  WhenModalOpens([](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
  EXPECT_FALSE(ui.Search(r).has_value());
}

// Help goes to whoever opens the pages (the host's window), or to the
// script while one replays.
TEST(QtUiHelp, TheScreensHelpGoesToTheOpenerOrToTheScript) {
  App();
  QtUi ui;
  QString opened;
  ui.SetHelpOpener([&](const QString& code) { opened = code; });
  ui.ShowHelp("ZOR12200");
  EXPECT_EQ(opened, "ZOR12200");
  struct HelpScript : plat::ScriptedUi {
    std::string asked;
    void ShowHelp(const std::string& code) override { asked = code; }
  } script;
  opened.clear();
  ui.SetScriptPort(&script);
  ui.ShowHelp("ZOR12201");
  ui.SetScriptPort(nullptr);
  EXPECT_EQ(script.asked, "ZOR12201");
  EXPECT_TRUE(opened.isEmpty());
}

TEST(BusyIndicator, NestsAndASecondHideDoesNothing) {
  App();
  QWidget host;
  host.resize(400, 300);
  host.show();
  desktop::BusyIndicator busy;
  busy.SetHost(&host);
  busy.Show(1);
  ASSERT_NE(busy.Badge(), nullptr);
  EXPECT_TRUE(busy.Badge()->isVisible());
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  busy.Show(6);  // nested: same badge
  busy.Hide();
  EXPECT_NE(busy.Badge(), nullptr);
  busy.Hide();
  EXPECT_EQ(busy.Badge(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  busy.Hide();  // nothing shown: nothing happens
  EXPECT_EQ(busy.Depth(), 0);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// A message over a running operation: the badge and the wait cursor go
// before the message shows, so nothing says "wait" over it; the Hide that
// ends the operation still balances its Show.
TEST(BusyIndicator, GoesBeforeAMessageIsShown) {
  App();
  QWidget host;
  host.resize(400, 300);
  host.show();
  QtUi ui(&host);
  ui.ShowBusy(6);
  ASSERT_NE(host.findChild<desktop::BusyBadge*>(), nullptr);
  bool badge_during_message = true;
  bool waitCursorDuringMessage = true;
  WhenModalOpens([&](QWidget* w) {
    badge_during_message = host.findChild<desktop::BusyBadge*>() != nullptr;
    waitCursorDuringMessage = QApplication::overrideCursor() != nullptr;
    qobject_cast<QMessageBox*>(w)->accept();
  });
  ui.ShowError("", "Não foi possível gravar o vôo.");
  EXPECT_FALSE(badge_during_message);
  EXPECT_FALSE(waitCursorDuringMessage);
  EXPECT_EQ(ui.BusyDepth(), 1);
  ui.HideBusy();
  EXPECT_EQ(ui.BusyDepth(), 0);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(BusyIndicator, TheBadgeAnimates) {
  App();
  QWidget host;
  host.resize(200, 200);
  host.show();
  desktop::BusyIndicator busy;
  busy.SetHost(&host);
  busy.Show(6);
  const int first = busy.Badge()->Step();
  QTest::qWait(250);
  EXPECT_NE(busy.Badge()->Step(), first);
  busy.Hide();
}

}  // namespace

}  // namespace zor::desktop

