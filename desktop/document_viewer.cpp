// The print preview.
#include "desktop/document_viewer.h"

#include <poppler-qt6.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QStandardPaths>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace zor::desktop {

namespace {

const double kZooms[] = {0.5, 0.75, 1.0, 1.25, 1.5, 2.0};

void Complain(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Warning, QString::fromUtf8("Relatório"), text, QMessageBox::Ok, parent);
  box.setObjectName("zorErrorBox");
  box.exec();
}

QToolButton* Tool(QWidget* parent, const char* name, const QString& text, const QString& tip) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setText(text);
  button->setToolTip(tip);
  return button;
}

}  // namespace

DocumentViewer::DocumentViewer(const QString& caption, const QString& path, QWidget* parent)
    : QDialog(parent),
      path_(path),
      document_(Poppler::Document::load(path)),
      scroll_(new QScrollArea(this)),
      pageView_(new QLabel),
      status_(new QLabel(this)),
      zoomBox_(new QComboBox(this)) {
  setObjectName("zorDocumentViewer");
  setWindowTitle(caption);
  resize(1000, 720);
  if (document_ && document_->isLocked()) document_.reset();
  if (document_) {
    document_->setRenderHint(Poppler::Document::Antialiasing);
    document_->setRenderHint(Poppler::Document::TextAntialiasing);
  }

  auto* previous = Tool(this, "zorPreviousPage", QString::fromUtf8("◀"), QString::fromUtf8("Página anterior"));
  auto* next = Tool(this, "zorNextPage", QString::fromUtf8("▶"), QString::fromUtf8("Próxima página"));
  status_->setObjectName("zorPageStatus");
  zoomBox_->setObjectName("zorZoom");
  zoomBox_->addItem(QString::fromUtf8("Largura da página"), 0.0);
  for (double zoom : kZooms) zoomBox_->addItem(QString::number(zoom * 100) + "%", zoom);
  zoomBox_->setCurrentIndex(0);
  connect(previous, &QToolButton::clicked, this, [this] { ShowPage(page_ - 1); });
  connect(next, &QToolButton::clicked, this, [this] { ShowPage(page_ + 1); });
  connect(zoomBox_, &QComboBox::activated, this, [this](int i) { SetZoom(zoomBox_->itemData(i).toDouble()); });

  auto* bar = new QHBoxLayout;
  bar->addWidget(previous);
  bar->addWidget(status_);
  bar->addWidget(next);
  bar->addStretch();
  bar->addWidget(new QLabel(QString::fromUtf8("Zoom:"), this));
  bar->addWidget(zoomBox_);

  pageView_->setAlignment(Qt::AlignCenter);
  scroll_->setWidget(pageView_);
  scroll_->setWidgetResizable(true);
  scroll_->setBackgroundRole(QPalette::Dark);
  scroll_->viewport()->installEventFilter(this);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* print = buttons->addButton(QString::fromUtf8("Imprimir…"), QDialogButtonBox::ActionRole);
  QPushButton* save = buttons->addButton(QString::fromUtf8("Salvar como PDF…"), QDialogButtonBox::ActionRole);
  QPushButton* close = buttons->addButton(QString::fromUtf8("Fechar"), QDialogButtonBox::RejectRole);
  print->setObjectName("zorPrintButton");
  save->setObjectName("zorSavePdfButton");
  print->setEnabled(document_ != nullptr);
  save->setEnabled(document_ != nullptr);
  connect(print, &QPushButton::clicked, this, &DocumentViewer::Print);
  connect(save, &QPushButton::clicked, this, &DocumentViewer::SaveWithDialog);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(bar);
  layout->addWidget(scroll_, 1);
  layout->addWidget(buttons);
  Render();
}

DocumentViewer::~DocumentViewer() = default;

int DocumentViewer::PageCount() const { return document_ ? document_->numPages() : 0; }

void DocumentViewer::ShowPage(int index) {
  if (PageCount() == 0) return;
  page_ = std::clamp(index, 0, PageCount() - 1);
  Render();
}

void DocumentViewer::SetZoom(double zoom) {
  fitWidth_ = zoom <= 0;
  if (!fitWidth_) zoom_ = std::clamp(zoom, 0.25, 4.0);
  Render();
}

bool DocumentViewer::eventFilter(QObject* watched, QEvent* event) {
  if (watched == scroll_->viewport() && event->type() == QEvent::Resize && fitWidth_) Render();
  return QDialog::eventFilter(watched, event);
}

QString DocumentViewer::Status() const {
  if (!document_) return QString::fromUtf8("Não foi possível abrir o documento %1.").arg(path_);
  return QString::fromUtf8("Página %1 de %2").arg(page_ + 1).arg(PageCount());
}

void DocumentViewer::Render() {
  status_->setText(Status());
  if (!document_) {
    pageView_->setText(Status());
    return;
  }
  std::unique_ptr<Poppler::Page> page(document_->page(page_));
  if (!page) return;
  if (fitWidth_) {
    // The page's width in pixels at 100%, against the room the view has.
    const double natural = page->pageSizeF().width() / 72.0 * logicalDpiX();
    const double room = scroll_->viewport()->width() - 16;
    if (natural > 0 && room > 0) zoom_ = std::clamp(room / natural, 0.25, 4.0);
  }
  const double ratio = devicePixelRatioF();
  const double dpi = logicalDpiX() * zoom_ * ratio;
  QImage image = page->renderToImage(dpi, dpi);
  image.setDevicePixelRatio(ratio);
  pageView_->setPixmap(QPixmap::fromImage(image));
}

QString DocumentViewer::DefaultSaveName() const {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty()) folder = QDir::homePath();
  QString name = windowTitle().trimmed();
  name.replace('/', '-');
  const QString stem = QFileInfo(path_).completeBaseName();
  return QDir(folder).filePath((name.isEmpty() ? stem : name + " " + stem) + ".pdf");
}

bool DocumentViewer::SaveAs(const QString& target) {
  if (QFileInfo(target).absoluteFilePath() == QFileInfo(path_).absoluteFilePath()) return true;
  QDir().mkpath(QFileInfo(target).absolutePath());
  if (QFile::exists(target) && !QFile::remove(target)) {
    Complain(this, QString::fromUtf8("Não foi possível substituir o arquivo %1.").arg(target));
    return false;
  }
  if (!QFile::copy(path_, target)) {
    Complain(this, QString::fromUtf8("Não foi possível salvar o relatório em %1.").arg(target));
    return false;
  }
  return true;
}

void DocumentViewer::SaveWithDialog() {
  const QString target = QFileDialog::getSaveFileName(this, QString::fromUtf8("Salvar relatório como PDF"),
                                                      DefaultSaveName(), QString::fromUtf8("Documentos PDF (*.pdf)"));
  if (!target.isEmpty()) SaveAs(target.endsWith(".pdf", Qt::CaseInsensitive) ? target : target + ".pdf");
}

void DocumentViewer::Print() {
  if (!document_) return;
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(windowTitle());
  printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF()));
  printer.setFullPage(true);
  // "Print to file" proposes a file, not a folder.
  printer.setOutputFileName(DefaultSaveName());
  printer.setFromTo(1, PageCount());
  QPrintDialog dialog(&printer, this);
  dialog.setWindowTitle(QString::fromUtf8("Imprimir relatório"));
  dialog.setMinMax(1, PageCount());
  if (dialog.exec() != QDialog::Accepted) return;

  // A PDF file gets the document itself: real text, not page pictures.
  if (printer.outputFormat() == QPrinter::PdfFormat && printer.printRange() == QPrinter::AllPages) {
    SaveAs(printer.outputFileName());
    return;
  }
  int first = 1, last = PageCount();
  if (printer.printRange() == QPrinter::PageRange) {
    first = std::max(1, printer.fromPage());
    last = std::min(PageCount(), printer.toPage());
  }
  QPainter painter;
  if (!painter.begin(&printer)) {
    Complain(this, QString::fromUtf8("Não foi possível iniciar a impressão em %1.").arg(printer.printerName()));
    return;
  }
  const double dpi = std::min(300, printer.resolution());
  for (int n = first; n <= last; ++n) {
    std::unique_ptr<Poppler::Page> page(document_->page(n - 1));
    if (!page) continue;
    const QImage image = page->renderToImage(dpi, dpi);
    const QRect target = painter.viewport();
    const QSize fitted = image.size().scaled(target.size(), Qt::KeepAspectRatio);
    painter.drawImage(QRect(target.topLeft(), fitted), image);
    if (n < last) printer.newPage();
  }
  painter.end();
}

}  // namespace zor::desktop
