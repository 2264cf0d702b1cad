// Qt implementation of the ui port. Every dialog is modal over the main
// window (or the active modal dialog) and runs its own event loop, so the
// platform's synchronous calls get their answer before they return.
#include "desktop/qt_ui.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "desktop/busy_indicator.h"
#include "desktop/document_viewer.h"
#include "desktop/pick_list_dialog.h"
#include "desktop/search_dialog.h"

namespace zor::desktop {

namespace {
const char* const kDefaultCaption = "Vôo/Trecho";
}

QtUi::QtUi(QWidget* mainWindow) : main_window_(mainWindow), busy_(std::make_unique<BusyIndicator>()) {
  busy_->SetHost(mainWindow);
}

QtUi::~QtUi() = default;

void QtUi::SetMainWindow(QWidget* w) {
  main_window_ = w;
  busy_->SetHost(w);
}

QString QtUi::CaptionFor(const std::string& caption) const {
  if (!caption.empty()) return QString::fromStdString(caption);
  if (caption_source_) {
    QString c = caption_source_();
    if (!c.isEmpty()) return c;
  }
  return QString::fromUtf8(kDefaultCaption);
}

QWidget* QtUi::DialogParent() const {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return main_window_.data();
}

void QtUi::ShowError(const std::string& caption, const std::string& text) {
  busy_->ClearForMessage();
  if (script_) return script_->ShowError(caption, text);
  QMessageBox box(QMessageBox::Critical, CaptionFor(caption), QString::fromStdString(text), QMessageBox::Ok,
                  DialogParent());
  box.setObjectName("zorErrorBox");
  box.exec();
}

void QtUi::ShowInfo(const std::string& caption, const std::string& text) {
  busy_->ClearForMessage();
  if (script_) return script_->ShowInfo(caption, text);
  QMessageBox box(QMessageBox::Information, CaptionFor(caption), QString::fromStdString(text), QMessageBox::Ok,
                  DialogParent());
  box.setObjectName("zorInfoBox");
  box.exec();
}

bool QtUi::ShowDocument(const std::string& caption, const std::string& path, bool print) {
  if (script_) return script_->ShowDocument(caption, path, print);
  // Modal over the report screen, which is itself modal.
  DocumentViewer viewer(QString::fromStdString(caption), QString::fromStdString(path), DialogParent());
  if (print) QMetaObject::invokeMethod(&viewer, &DocumentViewer::Print, Qt::QueuedConnection);
  viewer.exec();
  return true;
}

void QtUi::ShowHelp(const std::string& screenCode) {
  if (script_) return script_->ShowHelp(screenCode);
  if (help_opener_) help_opener_(QString::fromStdString(screenCode));
}

bool QtUi::AskYesNo(const std::string& caption, const std::string& text) {
  busy_->ClearForMessage();
  if (script_) return script_->AskYesNo(caption, text);
  QMessageBox box(QMessageBox::Question, CaptionFor(caption), QString::fromStdString(text), QMessageBox::NoButton,
                  DialogParent());
  box.setObjectName("zorQuestionBox");
  QPushButton* yes = box.addButton(QStringLiteral("Sim"), QMessageBox::YesRole);
  QPushButton* no = box.addButton(QStringLiteral("Não"), QMessageBox::NoRole);
  yes->setObjectName("yes");
  no->setObjectName("no");
  box.setDefaultButton(yes);
  box.setEscapeButton(no);
  box.exec();
  return box.clickedButton() == yes;
}

std::optional<int> QtUi::PickRow(const plat::PickListRequest& request) {
  busy_->ClearForMessage();
  if (script_) return script_->PickRow(request);
  PickListDialog dialog(request, DialogParent());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.ChosenRow();
}

std::optional<plat::SearchAnswer> QtUi::Search(const plat::SearchRequest& request) {
  busy_->ClearForMessage();
  if (script_) return script_->Search(request);
  SearchDialog dialog(request, DialogParent());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Answer();
}

void QtUi::ShowBusy(int kind) {
  busy_->Show(kind);
  if (script_) script_->ShowBusy(kind);
}

void QtUi::HideBusy() {
  busy_->Hide();
  if (script_) script_->HideBusy();
}

int QtUi::BusyDepth() const { return busy_->Depth(); }

int QtUi::RunModal(plat::TForm& form) {
  // The modal result "cancelled" when nothing can show the form.
  plat::UiPort* script = script_;
  std::function<int()> drive;
  if (script) drive = [script, &form] { return script->RunModal(form); };
  if (!modal_runner_) return drive ? drive() : 2;
  return modal_runner_(form, DialogParent(), std::move(drive));
}

}  // namespace zor::desktop
