// The host: context from the configuration file and the command line (the
// command line wins), the package loader's messages, the demo server's
// child process, the main window's status bar, and the screenshot.
#include <gtest/gtest.h>

#include <signal.h>

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "desktop/demo_server.h"
#include "desktop/host_app.h"
#include "desktop/host_context.h"
#include "desktop/main_window.h"
#include "desktop/package_loader.h"
#include "desktop/screenshot.h"
#include "qt_test_app.h"

namespace zor::desktop {

using desktop_test::App;

namespace {

QString WriteConfig(const QTemporaryDir& dir) {
  const QString path = dir.filePath("zor-host.ini");
  QSettings s(path, QSettings::IniFormat);
  s.setValue("context/user", "maria");
  s.setValue("context/branch", "0001");
  s.setValue("context/branch_name", "Guarulhos");
  s.setValue("context/branch_fixed", true);
  s.setValue("server/host", "10.0.0.5");
  s.setValue("server/port", 9000);
  s.setValue("database/url", "sqlite:/var/zor/base.sqlite");
  s.sync();
  return path;
}

TEST(HostContext, ConfigurationFileGivesTheContext) {
  App();
  QTemporaryDir dir;
  desktop::HostOptions o;
  QString error;
  ASSERT_TRUE(desktop::ParseHostOptions({"zor-host", "--config", WriteConfig(dir)}, o, &error)) << error.toStdString();
  EXPECT_EQ(o.Context.UserCode, "maria");
  EXPECT_EQ(o.Context.BranchCode, "0001");
  EXPECT_EQ(o.Context.BranchName, "Guarulhos");
  EXPECT_TRUE(o.Context.BranchFixed);
  EXPECT_EQ(o.Context.ServerHost, "10.0.0.5");
  EXPECT_EQ(o.Context.ServerPort, 9000);
  EXPECT_EQ(o.Context.DatabaseUrl, "sqlite:/var/zor/base.sqlite");
  EXPECT_FALSE(o.Demo);
  EXPECT_FALSE(o.OpenScreen);
}

TEST(HostContext, FlagsWinOverTheFile) {
  App();
  QTemporaryDir dir;
  desktop::HostOptions o;
  QString error;
  ASSERT_TRUE(desktop::ParseHostOptions({"zor-host", "--config", WriteConfig(dir), "--db", "postgresql://h/zor",
                                         "--server", "127.0.0.1:8300", "--branch", "sp02", "--branch-free"},
                                        o, &error))
      << error.toStdString();
  EXPECT_EQ(o.Context.DatabaseUrl, "postgresql://h/zor");
  EXPECT_EQ(o.Context.ServerHost, "127.0.0.1");
  EXPECT_EQ(o.Context.ServerPort, 8300);
  EXPECT_EQ(o.Context.BranchCode, "SP02");
  // The configured name belonged to the configured branch.
  EXPECT_EQ(o.Context.BranchName, "");
  EXPECT_FALSE(o.Context.BranchFixed);
}

TEST(HostContext, BadCommandLinesAreRefusedInPortuguese) {
  App();
  QTemporaryDir dir;
  const QString config = WriteConfig(dir);
  desktop::HostOptions o;
  QString error;
  EXPECT_FALSE(desktop::ParseHostOptions({"zor-host", "--config", config, "--server", "host:porta"}, o, &error));
  EXPECT_TRUE(error.contains(QString::fromUtf8("Endereço do servidor inválido"))) << error.toStdString();
  EXPECT_FALSE(desktop::ParseHostOptions({"zor-host", "--config", config, "--nao-existe"}, o, &error));
  EXPECT_TRUE(error.startsWith(QString::fromUtf8("Linha de comando inválida"))) << error.toStdString();
  EXPECT_FALSE(error.contains("Unknown")) << error.toStdString();  // Qt's own words in Portuguese too
  EXPECT_FALSE(desktop::ParseHostOptions({"zor-host", "--config", dir.filePath("falta.ini")}, o, &error));
  EXPECT_FALSE(desktop::ParseHostOptions({"zor-host", "--config", config, "--branch-fixed", "--branch-free"}, o, &error));
  EXPECT_FALSE(desktop::ParseHostOptions({"zor-host", "--config", config, "--script", dir.filePath("x.txt")}, o, &error));
  EXPECT_TRUE(error.contains(QString::fromUtf8("Roteiro não encontrado")));
}

// --help speaks one language and tells where the configuration lives and
// its keys; --version answers with the version.
TEST(HostContext, HelpAndVersionInPortuguese) {
  App();
  desktop::HostOptions o;
  QString help;
  EXPECT_FALSE(desktop::ParseHostOptions({"zor-host", "--help"}, o, &help));
  EXPECT_FALSE(help.contains("Displays")) << help.toStdString();
  EXPECT_FALSE(help.contains("Options:")) << help.toStdString();
  EXPECT_TRUE(help.contains(desktop::DefaultConfigFile())) << help.toStdString();
  EXPECT_TRUE(help.contains("[database] url")) << help.toStdString();
  QString version;
  EXPECT_FALSE(desktop::ParseHostOptions({"zor-host", "--version"}, o, &version));
  EXPECT_TRUE(version.startsWith("zor-host ")) << version.toStdString();
}

// A mistyped SQLite path is not turned into a new empty database: the host
// names the missing file and says what to do.
TEST(HostContext, OnlyAnExistingDatabaseFileIsOpened) {
  App();
  QTemporaryDir dir;
  const QString missing = dir.filePath("demo-com-erro.db");
  const QString problem = desktop::DatabaseProblem("sqlite:" + missing, "/etc/zor.ini");
  EXPECT_TRUE(problem.contains(missing)) << problem.toStdString();
  EXPECT_TRUE(problem.contains("--db")) << problem.toStdString();
  EXPECT_FALSE(QFile::exists(missing));
  QFile existing(dir.filePath("demo.db"));
  ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
  existing.close();
  EXPECT_EQ(desktop::DatabaseProblem("sqlite:" + existing.fileName(), "/etc/zor.ini"), QString());
  EXPECT_FALSE(desktop::DatabaseProblem("", "/etc/zor.ini").isEmpty());
}

TEST(HostContext, ServerAddressForms) {
  QString host = "h";
  int port = 1;
  EXPECT_TRUE(desktop::ParseServerAddress("srv:8080", host, port));
  EXPECT_EQ(host, "srv");
  EXPECT_EQ(port, 8080);
  EXPECT_TRUE(desktop::ParseServerAddress(":9090", host, port));
  EXPECT_EQ(host, "srv");
  EXPECT_EQ(port, 9090);
  EXPECT_TRUE(desktop::ParseServerAddress("outro", host, port));
  EXPECT_EQ(host, "outro");
  EXPECT_EQ(port, 9090);
  EXPECT_FALSE(desktop::ParseServerAddress("srv:0", host, port));
  EXPECT_FALSE(desktop::ParseServerAddress("srv:70000", host, port));
  EXPECT_FALSE(desktop::ParseServerAddress("", host, port));
}

TEST(PackageLoader, AMissingPackageIsExplainedInPortuguese) {
  App();
  desktop::PackageLoader loader("/nao/existe/libPkg_zor12200.so");
  QString error;
  EXPECT_FALSE(loader.Load(&error));
  EXPECT_FALSE(loader.Loaded());
  EXPECT_TRUE(error.contains(QString::fromUtf8("não foi encontrado"))) << error.toStdString();
  EXPECT_TRUE(error.contains("/nao/existe/libPkg_zor12200.so"));
}

TEST(PackageLoader, ALibraryWithoutIniProcIsRefused) {
  App();
  QTemporaryDir dir;
  const QString bogus = dir.filePath("libPkg_zor12200.so");
  QFile f(bogus);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("not a shared library");
  f.close();
  desktop::PackageLoader loader(bogus);
  QString error;
  EXPECT_FALSE(loader.Load(&error));
  EXPECT_TRUE(error.startsWith(QString::fromUtf8("Não foi possível carregar o pacote"))) << error.toStdString();
}

class DemoServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    App();
    ASSERT_TRUE(dir_.isValid());
    qputenv("FAKE_SERVER_ARGS", dir_.filePath("args.txt").toLocal8Bit());
    qunsetenv("FAKE_SERVER_FAIL");
  }
  QStringList Args() {
    QFile f(dir_.filePath("args.txt"));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromLocal8Bit(f.readAll()).split('\n', Qt::SkipEmptyParts);
  }
  QTemporaryDir dir_;
};

TEST_F(DemoServerTest, StartsTheServerOnAFreeLoopbackPortAndStopsIt) {
  desktop::DemoServer server;
  QString error;
  const QString db = dir_.filePath("dados/demo.sqlite");
  ASSERT_TRUE(server.Start(FAKE_SERVER, db, &error, 10000)) << error.toStdString();
  EXPECT_TRUE(server.Running());
  EXPECT_GT(server.Port(), 0);
  EXPECT_TRUE(QDir(dir_.filePath("dados")).exists());
  const QStringList args = Args();
  ASSERT_GE(args.size(), 5);
  EXPECT_EQ(args.mid(0, 5), (QStringList{"--db", "sqlite:" + db, "--init-demo", "--listen",
                                         QStringLiteral("127.0.0.1:%1").arg(server.Port())}));
  EXPECT_TRUE(desktop::DemoServer::WaitForPort("127.0.0.1", server.Port(), 1000));
  const qint64 pid = server.Pid();
  server.Stop();
  EXPECT_FALSE(server.Running());
  EXPECT_NE(::kill(static_cast<pid_t>(pid), 0), 0);  // gone
}

TEST_F(DemoServerTest, AServerThatDiesAtStartIsReported) {
  qputenv("FAKE_SERVER_FAIL", "1");
  desktop::DemoServer server;
  QString error;
  EXPECT_FALSE(server.Start(FAKE_SERVER, dir_.filePath("demo.sqlite"), &error, 5000));
  EXPECT_TRUE(error.contains(QString::fromUtf8("terminou ao iniciar"))) << error.toStdString();
  EXPECT_FALSE(server.Start(dir_.filePath("nao-existe"), dir_.filePath("demo.sqlite"), &error, 1000));
  EXPECT_TRUE(error.contains(QString::fromUtf8("não foi encontrado"))) << error.toStdString();
}

TEST(MainWindow, StatusBarShowsUserBranchAndServer) {
  App();
  desktop::MainWindow w;
  desktop::HostContext c;
  c.UserName = "maria";
  c.BranchCode = "0001";
  c.BranchName = "Guarulhos";
  c.BranchFixed = true;
  c.ServerHost = "127.0.0.1";
  c.ServerPort = 8300;
  w.SetContext(c);
  EXPECT_EQ(w.UserText(), QString::fromUtf8("Usuário: maria"));
  EXPECT_EQ(w.BranchText(), QString::fromUtf8("Filial: 0001 – Guarulhos (fixa)"));
  EXPECT_EQ(w.ServerText(), "Servidor: 127.0.0.1:8300");
  int opened = 0;
  w.SetFlightScreenOpener([&] { ++opened; });
  w.FlightScreenAction()->trigger();
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(w.FlightScreenAction()->text().remove('&'), QString::fromUtf8("Vôo/Trecho"));
}

// Help: the screen's page (F1) is installed next to the host, and "Sobre"
// gives the version.
TEST(MainWindow, HelpMenuOpensTheScreensPageAndAboutGivesTheVersion) {
  App();
  desktop::MainWindow w;
  auto* help = w.findChild<QAction*>("actScreenHelp");
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(help->shortcut(), QKeySequence(Qt::Key_F1));
  ASSERT_NE(w.findChild<QAction*>("actAbout"), nullptr);
  EXPECT_TRUE(w.AboutText().contains(ZOR_VERSION)) << w.AboutText().toStdString();
  const QString page = QFileInfo(ZOR_HOST).absolutePath() + "/ajuda/zor12200.html";
  QFile f(page);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << page.toStdString();
  EXPECT_TRUE(QString::fromUtf8(f.readAll()).contains("Vôo/Trecho"));
}

TEST(MainWindow, StatusBarCountsWhatTheScreenLists) {
  App();
  desktop::MainWindow w;
  w.SetListedCount(300);
  EXPECT_EQ(w.ListedText(), "300 registros listados");
  w.SetListedCount(1);
  EXPECT_EQ(w.ListedText(), "1 registro listado");
  w.SetListedCount(-1);
  EXPECT_EQ(w.ListedText(), "");
  EXPECT_EQ(desktop::ListedRecords(nullptr), -1);
}

TEST(Screenshot, WritesAPictureThatIsNotBlankWithAccentedGlyphs) {
  App();
  QTemporaryDir dir;
  desktop::MainWindow w;
  desktop::HostContext c;
  c.UserName = "joão";
  w.SetContext(c);
  const QString file = dir.filePath("shot/janela.png");
  QString error;
  ASSERT_TRUE(desktop::SaveScreenshot(&w, file, &error)) << error.toStdString();
  QImage img(file);
  ASSERT_FALSE(img.isNull());
  EXPECT_GE(img.width(), 600);
  // Not blank: more than a handful of distinct colours.
  QSet<QRgb> colours;
  for (int y = 0; y < img.height(); y += 3)
    for (int x = 0; x < img.width(); x += 3) colours.insert(img.pixel(x, y));
  EXPECT_GT(colours.size(), 8);
  // The font in use has the accented letters (without one, text is boxes).
  QFontMetrics fm(w.font());
  EXPECT_TRUE(fm.inFont(QChar(0x00F4)));  // ô
  EXPECT_TRUE(fm.inFont(QChar(0x00E7)));  // ç
  EXPECT_TRUE(fm.inFont(QChar(0x00E3)));  // ã
}

}  // namespace

}  // namespace zor::desktop
