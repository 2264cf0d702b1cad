// The host's login dialog against a real server on a demo database: a wrong
// password is said in the dialog and lets the person try again, Enter
// submits, the right password closes it and leaves the session's token for
// the screens' connection. Pictures of both states go to the test's folder
// (ZOR_LOGIN_SHOTS names another, such as docs/screenshots).
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "desktop/login_dialog.h"
#include "desktop/screenshot.h"
#include "platform/net/server_session.h"
#include "tests/desktop/qt_test_app.h"
#include "tests/server/server_harness.h"

namespace zor::desktop {

namespace {

using zor::server::testing::kTestPassword;

QString ShotPath(const QString& name) {
  QString dir = qEnvironmentVariable("ZOR_LOGIN_SHOTS");
  if (dir.isEmpty()) dir = QString::fromStdString(::testing::TempDir());
  return dir + QStringLiteral("/") + name;
}

TEST(LoginDialog, AWrongPasswordIsSaidAndTheRightOneEntersWithEnter) {
  desktop_test::App();
  std::string why;
  auto db = zor::server::testing::TestDatabase::Create("sqlite", why);
  zor::server::testing::TestServer server(db->Url(), true, 5);
  zor::server::testing::AddTestUser(server.Pool(), "ana", {"0002"});
  plat::SetSessionToken("");

  int attempts = 0;
  desktop::LoginDialog dialog(
      [&](const QString& user, const QString& password) {
        ++attempts;
        auto answer = plat::LoginToServer("127.0.0.1", server.Port(), user.toStdString(), password.toStdString());
        if (!answer.Ok) return QString::fromStdString(answer.Message);
        plat::SetSessionToken(answer.Token);
        return QString();
      },
      QStringLiteral("ana"), QStringLiteral("127.0.0.1:8211"));
  ASSERT_TRUE(desktop_test::ShowActive(&dialog));
  // The user is filled in: the password has the focus.
  EXPECT_EQ(QApplication::focusWidget(), dialog.PasswordEdit());
  EXPECT_EQ(dialog.PasswordEdit()->echoMode(), QLineEdit::Password);

  QTest::keyClicks(dialog.PasswordEdit(), QStringLiteral("errada-123"));
  QTest::keyClick(dialog.PasswordEdit(), Qt::Key_Return);
  EXPECT_EQ(attempts, 1);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_FALSE(dialog.MessageLabel()->isHidden());
  EXPECT_EQ(dialog.MessageLabel()->text(), QStringLiteral("Usuário ou senha inválidos."));
  EXPECT_TRUE(dialog.PasswordEdit()->text().isEmpty());
  EXPECT_EQ(dialog.UserEdit()->text(), QStringLiteral("ana"));
  EXPECT_EQ(plat::SessionToken(), "");
  QString error;
  EXPECT_TRUE(desktop::SaveScreenshot(&dialog, ShotPath("11-entrar-senha-errada.png"), &error))
      << error.toStdString();

  QTest::keyClicks(dialog.PasswordEdit(), QString::fromLatin1(kTestPassword));
  QTest::keyClick(dialog.PasswordEdit(), Qt::Key_Enter);
  EXPECT_EQ(attempts, 2);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(plat::SessionToken().size(), 64u);
  plat::SetSessionToken("");
}

TEST(LoginDialog, AnEmptyUserIsAskedForWithoutCallingTheServer) {
  desktop_test::App();
  int attempts = 0;
  desktop::LoginDialog dialog([&](const QString&, const QString&) { return QString(++attempts ? "x" : ""); },
                              QString(), QStringLiteral("127.0.0.1:8211"));
  ASSERT_TRUE(desktop_test::ShowActive(&dialog));
  EXPECT_EQ(QApplication::focusWidget(), dialog.UserEdit());
  QString error;
  EXPECT_TRUE(desktop::SaveScreenshot(&dialog, ShotPath("12-entrar.png"), &error)) << error.toStdString();
  QTest::keyClick(dialog.UserEdit(), Qt::Key_Return);
  EXPECT_EQ(attempts, 0);
  EXPECT_EQ(dialog.MessageLabel()->text(), QStringLiteral("Informe o usuário."));
  EXPECT_TRUE(dialog.isVisible());
}

}  // namespace

}  // namespace zor::desktop
