// Main window of the host.
#include "desktop/main_window.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QFileInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QTextBrowser>
#include <QUrl>
#include <QStatusBar>

#include "desktop/schedule_dialogs.h"

namespace zor::desktop {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), mdi_(new QMdiArea(this)) {
  setObjectName("zorMainWindow");
  setWindowTitle(QStringLiteral("ZOR – Serviços de Rampa"));
  mdi_->setObjectName("mdi");
  mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(mdi_);

  QMenu* file = menuBar()->addMenu(QStringLiteral("&Arquivo"));
  import_schedule_ = file->addAction(QStringLiteral("&Importar malha SSIM…"));
  import_schedule_->setObjectName("actSsimImport");
  connect(import_schedule_, &QAction::triggered, this, &MainWindow::ImportSchedule);
  export_schedule_ = file->addAction(QStringLiteral("&Exportar malha SSIM…"));
  export_schedule_->setObjectName("actSsimExport");
  connect(export_schedule_, &QAction::triggered, this, &MainWindow::ExportSchedule);
  file->addSeparator();
  QAction* quit = file->addAction(QStringLiteral("&Sair"));
  quit->setShortcut(QKeySequence::Quit);
  connect(quit, &QAction::triggered, this, &QWidget::close);

  QMenu* operation = menuBar()->addMenu(QStringLiteral("&Operação"));
  open_flight_screen_ = operation->addAction(QStringLiteral("&Vôo/Trecho"));
  open_flight_screen_->setObjectName("actFlightScreen");
  connect(open_flight_screen_, &QAction::triggered, this, &MainWindow::OpenFlightScreen);

  QMenu* windows = menuBar()->addMenu(QStringLiteral("&Janela"));
  windows->setObjectName("zorWindowMenu");
  connect(windows->addAction(QStringLiteral("&Cascata")), &QAction::triggered, mdi_, &QMdiArea::cascadeSubWindows);
  connect(windows->addAction(QStringLiteral("&Lado a lado")), &QAction::triggered, mdi_, &QMdiArea::tileSubWindows);

  QMenu* help = menuBar()->addMenu(QStringLiteral("A&juda"));
  help->setObjectName("zorHelpMenu");
  QAction* screenHelp = help->addAction(QStringLiteral("&Ajuda da tela Vôo/Trecho"));
  screenHelp->setObjectName("actScreenHelp");
  screenHelp->setShortcut(QKeySequence(Qt::Key_F1));
  connect(screenHelp, &QAction::triggered, this, [this] { ShowScreenHelp(); });
  QAction* about = help->addAction(QStringLiteral("&Sobre"));
  about->setObjectName("actAbout");
  connect(about, &QAction::triggered, this, [this] {
    QMessageBox::about(this, QStringLiteral("Sobre"), AboutText());
  });

  user_ = new QLabel(this);
  branch_ = new QLabel(this);
  server_ = new QLabel(this);
  listed_ = new QLabel(this);
  listed_->setObjectName("statusListed");
  user_->setObjectName("statusUser");
  branch_->setObjectName("statusBranch");
  server_->setObjectName("statusServer");
  statusBar()->addWidget(user_);
  statusBar()->addWidget(branch_, 1);
  statusBar()->addPermanentWidget(listed_);
  statusBar()->addPermanentWidget(server_);
  SetContext(HostContext{});
  resize(1024, 720);
}

void MainWindow::SetContext(const HostContext& c) {
  context_ = c;
  QString user = c.UserName.isEmpty() ? c.UserCode : c.UserName;
  if (!c.UserCode.isEmpty() && !c.UserName.isEmpty() && c.UserCode != c.UserName)
    user = c.UserCode + QStringLiteral(" – ") + c.UserName;
  user_->setText(QStringLiteral("Usuário: %1").arg(user.isEmpty() ? QStringLiteral("—") : user));
  QString branch = c.BranchCode.isEmpty() ? QStringLiteral("—") : c.BranchCode;
  if (!c.BranchName.isEmpty()) branch += QStringLiteral(" – ") + c.BranchName;
  if (c.BranchFixed) branch += QStringLiteral(" (fixa)");
  branch_->setText(QStringLiteral("Filial: %1").arg(branch));
  server_->setText(QStringLiteral("Servidor: %1:%2").arg(c.ServerHost).arg(c.ServerPort));
}

void MainWindow::OpenFlightScreen() {
  if (opener_) opener_();
}

void MainWindow::ImportSchedule() {
  ScheduleService service(context_.ServerHost, context_.ServerPort);
  ScheduleImportDialog dialog(context_, service, BranchCompanies(context_.BranchCode), this);
  dialog.exec();
}

void MainWindow::ExportSchedule() {
  ScheduleService service(context_.ServerHost, context_.ServerPort);
  ScheduleExportDialog dialog(context_, service, BranchCompanies(context_.BranchCode), this);
  dialog.exec();
}

QString MainWindow::AboutText() const {
  return QStringLiteral("<b>Vôo/Trecho</b> (ZOR12200)<br>Manutenção de vôos, trechos e classes.<br>Versão %1")
      .arg(QCoreApplication::applicationVersion().isEmpty() ? QStringLiteral(ZOR_VERSION)
                                                            : QCoreApplication::applicationVersion());
}

QString HelpPagePath(const QString& screenCode) {
  // Next to the program in the build tree; under share/zor when installed.
  const QString dir = QCoreApplication::applicationDirPath();
  const QString page = screenCode.toLower() + QStringLiteral(".html");
  for (const QString& candidate : {dir + QStringLiteral("/ajuda/") + page, dir + QStringLiteral("/../share/zor/ajuda/") + page})
    if (QFileInfo::exists(candidate)) return QFileInfo(candidate).canonicalFilePath();
  return QString();
}

void MainWindow::ShowScreenHelp(const QString& screenCode) {
  const QString page = HelpPagePath(screenCode);
  if (page.isEmpty()) {
    QMessageBox::warning(this, QStringLiteral("Ajuda"),
                         QStringLiteral("A página de ajuda da tela %1 não foi instalada com o programa (ajuda/%2.html).")
                             .arg(screenCode, screenCode.toLower()));
    return;
  }
  auto* viewer = new QTextBrowser;
  viewer->setAttribute(Qt::WA_DeleteOnClose);
  viewer->setObjectName("zorHelpViewer");
  viewer->setWindowTitle(QStringLiteral("Ajuda – Vôo/Trecho"));
  viewer->setSource(QUrl::fromLocalFile(page));
  viewer->resize(640, 560);
  viewer->show();
}

void MainWindow::SetListedCount(int count) {
  listed_->setText(count < 0    ? QString()
                   : count == 1 ? QStringLiteral("1 registro listado")
                                : QStringLiteral("%1 registros listados").arg(count));
}

QString MainWindow::ListedText() const { return listed_->text(); }

QString MainWindow::UserText() const { return user_->text(); }
QString MainWindow::BranchText() const { return branch_->text(); }
QString MainWindow::ServerText() const { return server_->text(); }

QString MainWindow::ActiveScreenCaption() const {
  if (QMdiSubWindow* w = mdi_->activeSubWindow()) return w->windowTitle();
  return QString();
}

}  // namespace zor::desktop
