// The host's start-up sequence.
#include "desktop/host_app.h"

#include <cstdio>
#include <fstream>
#include <iostream>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include "desktop/document_viewer.h"
#include "desktop/login_dialog.h"
#include "platform/net/server_session.h"
#include "desktop/screenshot.h"
#include "desktop/script/script_interpreter.h"
#include "desktop/window_script_host.h"
#include "platform/core/exceptions.h"
#include "platform/core/variant.h"
#include "desktop/form_host.h"
#include "platform/controls/gesture.h"
#include "platform/forms/application.h"
#include "platform/data/data_set.h"
#include "platform/data/data_source.h"
#include "platform/forms/form.h"
#include "platform/forms/screen.h"
#include "platform/library/vornia.h"
#include "platform/sql/dtm_db_geral.h"

namespace zor::desktop {

HostApp::HostApp() : window_(std::make_unique<MainWindow>()), ui_(std::make_unique<QtUi>(window_.get())) {
  ui_->SetCaptionSource([w = window_.get()] { return w->ActiveScreenCaption(); });
  ui_->SetHelpOpener([w = window_.get()](const QString& code) { w->ShowScreenHelp(code); });
  plat::SetUi(ui_.get());
  window_->SetFlightScreenOpener([this] {
    QString error;
    if (!OpenFlightScreen(&error) && !error.isEmpty()) ui_->ShowError("", error.toStdString());
  });
  forms_ = std::make_unique<FormHost>(window_->Mdi());
  forms_->SetHostMenuBar(window_->menuBar());
  // The status bar follows what the active screen lists; reading a count
  // twice a second costs nothing and needs no hook in the screens.
  auto* listed = new QTimer(window_.get());
  QObject::connect(listed, &QTimer::timeout, window_.get(), [this] {
    if (forms_) window_->SetListedCount(ListedRecords(forms_->ActiveForm()));
  });
  listed->start(500);
  ui_->SetModalRunner([this](plat::TForm& form, QWidget* parent, std::function<int()> drive) {
    return forms_->RunModal(form, parent, drive);
  });
}

HostApp::~HostApp() {
  // The session ends with the host rather than waiting for its idle time.
  const std::string token = plat::SessionToken();
  if (!token.empty()) {
    plat::LogoutFromServer(options_.Context.ServerHost.toStdString(), options_.Context.ServerPort, token);
    plat::SetSessionToken("");
  }
  // The script's caller form goes before the forms that may know it.
  ui_->SetScriptPort(nullptr);
  script_.reset();
  script_host_.reset();
  // The package's forms go while the package and the windows are still
  // there; then the windows.
  forms_.reset();
  plat::Application->DestroyForms();
  delete plat::dtmDBGeral;
  plat::SetUi(nullptr);
  window_.reset();
  demo_.Stop();
}

void HostApp::Report(const QString& text) {
  if (options_.ScreenshotFile.isEmpty() && window_->isVisible())
    ui_->ShowError("", text.toStdString());
  else
    std::fprintf(stderr, "zor-host: %s\n", text.toLocal8Bit().constData());
}

int ListedRecords(plat::TForm* form) {
  // A maintenance screen lists the rows of its main data source.
  auto* source = form ? dynamic_cast<plat::TDataSource*>(form->FindComponent("dtsPadrao")) : nullptr;
  plat::TDataSet* data = source ? source->DataSet() : nullptr;
  return data && data->Active() ? data->RecordCount() : -1;
}

QString DatabaseProblem(const QString& url, const QString& configFile) {
  if (url.isEmpty())
    return QStringLiteral(
               "Nenhum banco de dados foi indicado. Informe-o com --db sqlite:CAMINHO (ou postgresql://...) "
               "ou em database/url no arquivo de configuração %1.")
        .arg(configFile);
  // SQLite would create an empty file for a mistyped path: only an
  // existing file is opened.
  if (url.startsWith(QLatin1String("sqlite:"))) {
    const QString path = url.mid(7);
    if (!QFileInfo(path).isFile())
      return QStringLiteral(
                 "O arquivo do banco de dados %1 não existe. Verifique o caminho dado em --db ou em database/url "
                 "no arquivo de configuração %2 (para experimentar, use --demo).")
          .arg(path, configFile);
  }
  return QString();
}

namespace {
// The user the demo database has (the server's --init-demo creates it).
constexpr const char* kDemoUser = "demo";
constexpr const char* kDemoPassword = "demo1234";
}  // namespace

QString HostApp::TryLogIn(const QString& user, const QString& password) {
  HostContext& c = options_.Context;
  plat::LoginAnswer answer =
      plat::LoginToServer(c.ServerHost.toStdString(), c.ServerPort, user.toStdString(), password.toStdString());
  if (!answer.Ok) return QString::fromStdString(answer.Message);
  plat::BranchChoice branch = plat::ChooseBranch(answer, c.BranchCode.toStdString());
  if (!branch.Ok) return QString::fromStdString(branch.Message);
  plat::SetSessionToken(answer.Token);
  // Who works, where, and whether the branch is fixed: the server says.
  c.UserCode = QString::fromStdString(answer.User);
  c.UserName = QString::fromStdString(answer.UserName.empty() ? answer.User : answer.UserName);
  c.BranchCode = QString::fromStdString(branch.Code);
  c.BranchName = QString::fromStdString(branch.Name);
  c.BranchFixed = branch.Fixed || c.BranchFixed;
  return QString();
}

bool HostApp::LogIn() {
  HostContext& c = options_.Context;
  plat::SetServerTls(c.ServerHttps, c.CaFile.toStdString());
  QString password;
  bool known = false;
  if (!options_.PasswordFile.isEmpty()) {
    QFile f(options_.PasswordFile);
    if (!f.open(QIODevice::ReadOnly)) {
      Report(QStringLiteral("Não foi possível ler a senha de %1.").arg(options_.PasswordFile));
      return false;
    }
    password = QString::fromUtf8(f.readLine()).remove('\n').remove('\r');
    known = true;
  } else if (qEnvironmentVariableIsSet("ZOR_PASSWORD")) {
    password = qEnvironmentVariable("ZOR_PASSWORD");
    known = true;
  } else if (options_.Demo && (c.UserCode.isEmpty() || c.UserCode == QLatin1String(kDemoUser))) {
    // The demo starts with one command: its user logs in by itself.
    c.UserCode = QLatin1String(kDemoUser);
    password = QLatin1String(kDemoPassword);
    known = true;
    std::fprintf(stderr, "zor-host: demonstração: usuário %s, senha %s\n", kDemoUser, kDemoPassword);
  }
  if (known) {
    if (c.UserCode.isEmpty()) {
      Report(QStringLiteral("Informe o usuário em --user para entrar com a senha dada."));
      return false;
    }
    const QString problem = TryLogIn(c.UserCode, password);
    if (!problem.isEmpty()) Report(problem);
    return problem.isEmpty();
  }
  const QString where = QStringLiteral("%1%2:%3").arg(c.ServerHttps ? QStringLiteral("https://") : QString(),
                                                      c.ServerHost).arg(c.ServerPort);
  LoginDialog dialog([this](const QString& u, const QString& p) { return TryLogIn(u, p); }, c.UserCode, where,
                     window_.get());
  return dialog.exec() == QDialog::Accepted;
}

void HostApp::ApplyContext() {
  window_->SetContext(options_.Context);
  package_ = std::make_unique<PackageLoader>(options_.Context.PackagePath);
}

void HostApp::SetUpPlatform() {
  const HostContext& c = options_.Context;
  plat::HostContext pc;
  pc.UserCode = c.UserCode.toStdString();
  pc.UserName = c.UserName.toStdString();
  pc.BranchCode = c.BranchCode.toStdString();
  pc.BranchName = c.BranchName.toStdString();
  pc.BranchFixed = c.BranchFixed;
  pc.ServerHost = c.ServerHost.toStdString();
  pc.ServerPort = c.ServerPort;
  pc.DatabaseUrl = c.DatabaseUrl.toStdString();
  plat::Vornia::SetHostContext(pc);

  if (QScreen* s = QGuiApplication::primaryScreen())
    plat::Screen->SetSize(s->geometry().width(), s->geometry().height());

  // The host's main form stands for the main window (the screens show the
  // busy indicator over it); it is never rendered itself.
  if (!host_form_) {
    plat::Application->CreateForm(host_form_);
    host_form_->SetName("frmPrincipal");
    host_form_->SetFormStyle(plat::fsMDIForm);
    host_form_->SetCaption(window_->windowTitle().toStdString());
    forms_->SetHostForm(host_form_);
  }

  if (!plat::dtmDBGeral) new plat::TdtmDBGeral(nullptr);
  database_problem_ = DatabaseProblem(c.DatabaseUrl, options_.ConfigFile);
  if (database_problem_.isEmpty()) {
    try {
      plat::dtmDBGeral->Connect(c.DatabaseUrl.toStdString());
    } catch (const std::exception& e) {
      database_problem_ = QStringLiteral(
                              "Não foi possível abrir o banco de dados %1: %2\n"
                              "Verifique se o banco está no ar e se o endereço (--db, ou database/url em %3) está certo.")
                              .arg(c.DatabaseUrl, QString::fromStdString(e.what()), options_.ConfigFile);
    }
  }
  if (!database_problem_.isEmpty()) Report(database_problem_);
}

bool HostApp::OpenFlightScreen(QString* error) {
  // The screen reads its lists from the database: without one it would
  // open on a broken connection and fail at every step.
  if (!database_problem_.isEmpty()) {
    if (error) *error = database_problem_;
    return false;
  }
  if (!package_) package_ = std::make_unique<PackageLoader>(options_.Context.PackagePath);
  // One gesture: forms released meanwhile are destroyed when it ends.
  plat::GestureScope gesture;
  try {
    // Null: opened from the host menu.
    const bool ok = package_->Run(plat::Variant(), error);
    forms_->Sync();
    return ok;
  } catch (const plat::EAbort&) {
    return true;  // the package has shown what went wrong
  } catch (const std::exception& e) {
    if (error) *error = QString::fromStdString(e.what());
    return false;
  }
}

int HostApp::RunScript(const QString& file) {
  std::ifstream in(file.toLocal8Bit().constData(), std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "zor-host: não foi possível ler o roteiro %s\n", file.toLocal8Bit().constData());
    return zor::script::Unreadable;
  }
  std::stringstream text;
  text << in.rdbuf();
  if (!package_) package_ = std::make_unique<PackageLoader>(options_.Context.PackagePath);
  script_host_ = std::make_unique<WindowScriptHost>(*package_, *forms_, window_.get());
  transcript_.str("");
  script_ = std::make_unique<zor::script::ScriptInterpreter>(*script_host_, transcript_);
  // The interpreter installs its scripted person as the ui port; the window
  // keeps the Qt one, which hands the script's questions to it (script mode).
  plat::SetUi(ui_.get());
  ui_->SetScriptPort(&script_->Ui());
  std::ostringstream errors;
  const int status = script_->RunText(text.str(), file.toStdString(), errors);
  ui_->SetScriptPort(nullptr);
  if (status != zor::script::AllHeld) {
    std::cerr << errors.str() << transcript_.str();
    std::cerr.flush();
  }
  return status;
}

// A report saved earlier, in the same print preview the report screen opens.
int HostApp::RunPreview() {
  DocumentViewer viewer(QFileInfo(options_.PreviewFile).fileName(), options_.PreviewFile);
  viewer.resize(1024, 720);
  viewer.show();
  if (options_.ScreenshotFile.isEmpty()) return viewer.exec();
  QApplication::processEvents();  // the layout sizes the page area, which fits the page
  QString error;
  if (!SaveScreenshot(&viewer, options_.ScreenshotFile, &error)) {
    Report(error);
    return 1;
  }
  return 0;
}

int HostApp::Run(const QStringList& args) {
  QString error;
  if (!ParseHostOptions(args, options_, &error)) {
    const bool help = args.contains("--help") || args.contains("-h") || args.contains("--version") ||
                      args.contains("-v");
    std::fprintf(help ? stdout : stderr, "%s\n", error.toLocal8Bit().constData());
    return help ? 0 : 2;
  }

  if (!options_.PreviewFile.isEmpty()) return RunPreview();

  if (options_.Demo) {
    const QString program = options_.ServerProgram.isEmpty() ? DemoServer::FindServerProgram() : options_.ServerProgram;
    if (!demo_.Start(program, DemoServer::DefaultDatabaseFile(), &error)) {
      std::fprintf(stderr, "zor-host: %s\n", error.toLocal8Bit().constData());
      if (options_.ScreenshotFile.isEmpty()) QMessageBox::critical(nullptr, QStringLiteral("Vôo/Trecho"), error);
      return 1;
    }
    options_.Context.DatabaseUrl = demo_.DatabaseUrl();
    options_.Context.ServerHost = QStringLiteral("127.0.0.1");
    options_.Context.ServerPort = demo_.Port();
    options_.Context.ServerHttps = false;
  }
  if (!LogIn()) return 1;
  ApplyContext();

  window_->show();
  SetUpPlatform();
  int status = 0;
  if (!database_problem_.isEmpty()) {
    status = 1;  // already said once, in SetUpPlatform
  } else if (options_.OpenScreen && !OpenFlightScreen(&error)) {
    Report(error);
    status = 1;
  }
  if (status == 0 && !options_.ScriptFile.isEmpty()) status = RunScript(options_.ScriptFile);

  if (!options_.ScreenshotFile.isEmpty()) {
    if (!SaveScreenshot(window_.get(), options_.ScreenshotFile, &error)) {
      Report(error);
      return 1;
    }
    return status;
  }
  // A failed script ends the host with its status; the transcript says why.
  if (status != 0) return status;
  return QApplication::exec();
}

}  // namespace zor::desktop
