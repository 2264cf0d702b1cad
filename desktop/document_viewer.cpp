// The report window.
#include "desktop/document_viewer.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace desktop {

DocumentViewer::DocumentViewer(const QString& caption, const QString& path, QWidget* parent)
    : QDialog(parent), browser_(new QTextBrowser(this)) {
  setObjectName("zorDocumentViewer");
  setWindowTitle(caption);
  resize(900, 600);
  QFile file(path);
  if (file.open(QIODevice::ReadOnly))
    browser_->setHtml(QString::fromUtf8(file.readAll()));
  else
    browser_->setPlainText(QString::fromUtf8("Não foi possível abrir o documento %1.").arg(path));

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* print = buttons->addButton(QString::fromUtf8("Imprimir…"), QDialogButtonBox::ActionRole);
  QPushButton* close = buttons->addButton(QString::fromUtf8("Fechar"), QDialogButtonBox::RejectRole);
  print->setObjectName("zorPrintButton");
  connect(print, &QPushButton::clicked, this, &DocumentViewer::Print);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(browser_);
  layout->addWidget(buttons);
}

void DocumentViewer::Print() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(windowTitle());
  QPrintDialog dialog(&printer, this);
  dialog.setWindowTitle(QString::fromUtf8("Imprimir relatório"));
  if (dialog.exec() == QDialog::Accepted) browser_->document()->print(&printer);
}

}  // namespace desktop
