// A window showing an HTML document the program wrote (a report), with a
// button that prints it on a printer or into a PDF file.
#pragma once

#include <QDialog>
#include <QString>

class QTextBrowser;

namespace desktop {

class DocumentViewer : public QDialog {
  Q_OBJECT

 public:
  DocumentViewer(const QString& caption, const QString& path, QWidget* parent = nullptr);

  QTextBrowser* Browser() const { return browser_; }
  // The print dialog, then the document on the printer chosen there.
  void Print();

 private:
  QTextBrowser* browser_;
};

}  // namespace desktop
