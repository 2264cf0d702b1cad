// The login dialog the host shows at start: user and password, Enter
// submits, a refused login says why in the dialog and lets the person try
// again (the password is cleared, the user kept). The check itself is
// given by the host, so the dialog knows nothing of the server.
#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zor::desktop {

class LoginDialog : public QDialog {
  Q_OBJECT

 public:
  // Returns "" when the login succeeded, or the message to show.
  using Attempt = std::function<QString(const QString& user, const QString& password)>;

  LoginDialog(Attempt attempt, const QString& user, const QString& server, QWidget* parent = nullptr);

  QLineEdit* UserEdit() const { return user_; }
  QLineEdit* PasswordEdit() const { return password_; }
  QLabel* MessageLabel() const { return message_; }

 private:
  void Submit();

  Attempt attempt_;
  QLineEdit* user_;
  QLineEdit* password_;
  QLabel* message_;
  QPushButton* enter_;
};

}  // namespace zor::desktop
