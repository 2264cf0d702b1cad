// The print preview of a report's PDF: pages, zoom, Save as PDF, and that
// the ui port opens it over the report screen.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QScrollArea>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "desktop/document_viewer.h"
#include "desktop/qt_ui.h"
#include "tests/desktop/qt_test_app.h"

namespace zor::desktop {

using desktop_test::App;

namespace {

// A three-page A4 landscape PDF like the ones reports write.
QString WritePdf(const QTemporaryDir& dir) {
  const QString path = dir.filePath("ZOR122-20261208-101010.pdf");
  QPdfWriter writer(path);
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF()));
  QPainter painter(&writer);
  for (int page = 1; page <= 3; ++page) {
    if (page > 1) writer.newPage();
    painter.drawText(QPointF(500, 500), QString::fromUtf8("Página %1").arg(page));
  }
  painter.end();
  return path;
}

}  // namespace

TEST(DocumentViewer, PagesThroughAndZoomsTheDocument) {
  App();
  QTemporaryDir dir;
  desktop::DocumentViewer viewer(QString::fromUtf8("Vôos e trechos"), WritePdf(dir));
  viewer.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewer));
  ASSERT_EQ(viewer.PageCount(), 3);
  EXPECT_EQ(viewer.findChild<QLabel*>("zorPageStatus")->text(), QString::fromUtf8("Página 1 de 3"));
  viewer.findChild<QToolButton*>("zorNextPage")->click();
  viewer.findChild<QToolButton*>("zorNextPage")->click();
  viewer.findChild<QToolButton*>("zorNextPage")->click();
  EXPECT_EQ(viewer.CurrentPage(), 2) << "stops at the last page";
  EXPECT_EQ(viewer.Status(), QString::fromUtf8("Página 3 de 3"));
  viewer.findChild<QToolButton*>("zorPreviousPage")->click();
  EXPECT_EQ(viewer.CurrentPage(), 1);

  auto* scroll = viewer.findChild<QScrollArea*>();
  auto* view = scroll->widget();
  const int fitted = qobject_cast<QLabel*>(view)->pixmap().width();
  EXPECT_LE(fitted, scroll->viewport()->width()) << "at first the page fits the window's width";
  EXPECT_GT(fitted, scroll->viewport()->width() * 0.9);
  viewer.SetZoom(1.0);
  const QSize before = qobject_cast<QLabel*>(view)->pixmap().size();
  EXPECT_GT(before.width(), before.height()) << "landscape";
  viewer.SetZoom(2.0);
  EXPECT_NEAR(qobject_cast<QLabel*>(view)->pixmap().width(), before.width() * 2, 4);
  EXPECT_NE(viewer.findChild<QComboBox*>("zorZoom"), nullptr);
}

TEST(DocumentViewer, SaveAsPdfProposesTheDocumentsFolderAndCopiesTheDocument) {
  App();
  QTemporaryDir dir;
  const QString source = WritePdf(dir);
  desktop::DocumentViewer viewer(QString::fromUtf8("Vôos e trechos"), source);
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  EXPECT_EQ(viewer.DefaultSaveName(),
            QDir(documents).filePath(QString::fromUtf8("Vôos e trechos ZOR122-20261208-101010.pdf")));

  const QString target = dir.filePath("copia/relatorio.pdf");
  ASSERT_TRUE(viewer.SaveAs(target));
  QFile a(source), b(target);
  ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
  EXPECT_EQ(a.readAll(), b.readAll());
  EXPECT_TRUE(viewer.SaveAs(target)) << "an existing file is replaced";
  EXPECT_NE(viewer.findChild<QPushButton*>("zorSavePdfButton"), nullptr);
  EXPECT_NE(viewer.findChild<QPushButton*>("zorPrintButton"), nullptr);
}

TEST(DocumentViewer, AMissingDocumentSaysSoAndOffersNothingToPrint) {
  App();
  desktop::DocumentViewer viewer(QString::fromUtf8("Relatório"), "/nao/existe.pdf");
  EXPECT_EQ(viewer.PageCount(), 0);
  EXPECT_TRUE(viewer.Status().startsWith(QString::fromUtf8("Não foi possível abrir o documento")));
  EXPECT_FALSE(viewer.findChild<QPushButton*>("zorPrintButton")->isEnabled());
  EXPECT_FALSE(viewer.findChild<QPushButton*>("zorSavePdfButton")->isEnabled());
}

TEST(DocumentViewer, TheWindowOpensThePreviewInsteadOfNamingTheFile) {
  App();
  QTemporaryDir dir;
  const QString path = WritePdf(dir);
  QString title;
  int pages = 0;
  desktop_test::WhenModalOpens([&](QWidget* dialog) {
    if (auto* viewer = qobject_cast<desktop::DocumentViewer*>(dialog)) {
      title = viewer->windowTitle();
      pages = viewer->PageCount();
    }
    if (auto* d = qobject_cast<QDialog*>(dialog)) d->reject();
  });
  desktop::QtUi ui;
  EXPECT_TRUE(ui.ShowDocument("Vôos e trechos", path.toStdString(), false));
  EXPECT_EQ(title, QString::fromUtf8("Vôos e trechos"));
  EXPECT_EQ(pages, 3);
}

}  // namespace zor::desktop
