// The print preview of a document the program wrote (a report's PDF): its
// pages drawn as they will print, zoom, paging, Print (any printer, or a
// PDF file) and Save as PDF into the person's documents folder. It shows
// the very file written by the report engine, so the window and the
// headless driver give the same document.
#pragma once

#include <QDialog>
#include <QString>
#include <memory>

class QLabel;
class QScrollArea;
class QComboBox;
class QToolButton;

namespace Poppler {
class Document;
}

namespace zor::desktop {

class DocumentViewer : public QDialog {
  Q_OBJECT

 public:
  DocumentViewer(const QString& caption, const QString& path, QWidget* parent = nullptr);
  ~DocumentViewer() override;

  // 0 when the document could not be read (the window then says so).
  int PageCount() const;
  int CurrentPage() const { return page_; }  // 0-based
  void ShowPage(int index);
  double Zoom() const { return zoom_; }
  // A factor (1 = actual size); 0 or less fits the page's width to the window, as at first.
  void SetZoom(double zoom);
  // What the window says under its pages: "Página N de M", or why there is nothing.
  QString Status() const;

  // Where Save as PDF proposes to write: the documents folder, named after
  // the caption and the document's own file.
  QString DefaultSaveName() const;
  // Copies the document to `target` (replacing it); a failure is told to
  // the person and returns false.
  bool SaveAs(const QString& target);
  // The print dialog, then the pages on the printer (or PDF file) chosen there.
  void Print();
  // Save as PDF through the file dialog.
  void SaveWithDialog();

 protected:
  // Fitting the page's width follows the page area's own size, which the
  // layout sets after the window's resize.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Render();

  QString path_;
  std::unique_ptr<Poppler::Document> document_;
  QScrollArea* scroll_;
  QLabel* pageView_;
  QLabel* status_;
  QComboBox* zoomBox_;
  int page_ = 0;
  double zoom_ = 1.0;
  bool fitWidth_ = true;
};

}  // namespace zor::desktop
