// zor-host --demo --script: a script replayed into the window, then the
// window's picture. Each run gets a fresh demo database in a temporary
// home, so the host and its server are exercised as a person starts them.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>

#include "qt_test_app.h"

namespace zor::desktop {

namespace {

struct HostRun {
  int exit_code = -1;
  QString errors;
};

// Runs zor-host offscreen with the user's folders inside `home`.
HostRun RunHost(const QTemporaryDir& home, const QStringList& args, const QString& workdir = QString()) {
  QProcess p;
  if (!workdir.isEmpty()) p.setWorkingDirectory(workdir);
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("HOME", home.path());
  env.insert("XDG_DATA_HOME", home.filePath("data"));
  env.insert("XDG_CONFIG_HOME", home.filePath("config"));
  env.insert("XDG_CACHE_HOME", home.filePath("cache"));
  p.setProcessEnvironment(env);
  p.start(ZOR_HOST, args);
  HostRun r;
  if (!p.waitForFinished(120000)) {
    p.kill();
    p.waitForFinished();
    r.errors = "zor-host did not finish";
    return r;
  }
  r.exit_code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  r.errors = QString::fromUtf8(p.readAllStandardError());
  return r;
}

QString WriteScript(const QTemporaryDir& dir, const char* text) {
  const QString path = dir.filePath("roteiro.zs");
  QFile f(path);
  f.open(QIODevice::WriteOnly);
  f.write(text);
  return path;
}

TEST(HostScript, PickedBranchAndCompanyFillTheFlightGridInThePicture) {
  desktop_test::App();
  QTemporaryDir home;
  ASSERT_TRUE(home.isValid());
  const QString shot = home.filePath("tela.png");
  const HostRun r = RunHost(home, {"--demo", "--script", SCRIPT_PICK_BRANCH_AND_COMPANY, "--screenshot", shot});
  ASSERT_EQ(r.exit_code, 0) << r.errors.toStdString();

  QImage image(shot);
  ASSERT_FALSE(image.isNull()) << "no picture at " << shot.toStdString();
  EXPECT_GE(image.width(), 400);
  EXPECT_GE(image.height(), 300);
  // A window with a filled grid has text, lines and coloured bars: far more
  // than the handful of colours of an empty or blank window.
  QSet<QRgb> colours;
  for (int y = 0; y < image.height(); y += 2)
    for (int x = 0; x < image.width(); x += 2) colours.insert(image.pixel(x, y));
  EXPECT_GT(colours.size(), 16);
}

TEST(HostScript, AFailedExpectationEndsTheHostWithTheTranscriptAndStillTakesThePicture) {
  desktop_test::App();
  QTemporaryDir home;
  ASSERT_TRUE(home.isValid());
  const QString script = WriteScript(home,
                                     "open\n"
                                     "answer yes\n"
                                     "expect form.Caption \"Outra tela\"\n");
  const QString shot = home.filePath("tela.png");
  const HostRun r = RunHost(home, {"--demo", "--script", script, "--screenshot", shot});
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_TRUE(r.errors.contains(QString::fromUtf8("FALHOU (linha 3)"))) << r.errors.toStdString();
  EXPECT_TRUE(r.errors.contains(QString::fromUtf8("1 resposta preparada não foi usada"))) << r.errors.toStdString();
  EXPECT_TRUE(QFile::exists(shot));
}

// Every state of the screen a person meets, with data: each control the
// platform shows is visible, of some size, inside its container and shows
// its whole caption (the replay fails on the first state that does not),
// and each state is pictured.
TEST(HostScript, EveryStateOfTheScreenShowsEveryControlWhole) {
  desktop_test::App();
  QTemporaryDir home;
  ASSERT_TRUE(home.isValid());
  const HostRun r = RunHost(home, {"--demo", "--branch", "0001", "--script", SCRIPT_WINDOW_TOUR, "--screenshot",
                                   home.filePath("fim.png")},
                            home.path());
  EXPECT_EQ(r.exit_code, 0) << r.errors.toStdString();
  for (const char* picture : {"01-tela-aberta.png", "02-voos-listados.png", "04-trechos.png", "06-classes.png",
                              "07-relatorio.png", "08-companhia-sem-voos.png"})
    EXPECT_FALSE(QImage(home.filePath(picture)).isNull()) << picture;
}

TEST(HostScript, AnUnreadableScriptRunsNothing) {
  desktop_test::App();
  QTemporaryDir home;
  ASSERT_TRUE(home.isValid());
  const QString script = WriteScript(home, "open\nvoar para longe\n");
  const HostRun r = RunHost(home, {"--demo", "--script", script, "--screenshot", home.filePath("tela.png")});
  EXPECT_EQ(r.exit_code, 2);
  EXPECT_TRUE(r.errors.contains("roteiro.zs:2:")) << r.errors.toStdString();
  // The screen was never opened: the script is read before it runs.
  EXPECT_FALSE(r.errors.contains("1: open")) << r.errors.toStdString();
}

}  // namespace

}  // namespace zor::desktop
