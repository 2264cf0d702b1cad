// The login dialog (see login_dialog.h).
#include "desktop/login_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zor::desktop {

LoginDialog::LoginDialog(Attempt attempt, const QString& user, const QString& server, QWidget* parent)
    : QDialog(parent), attempt_(std::move(attempt)) {
  setWindowTitle(QStringLiteral("Entrar – Vôo/Trecho"));
  auto* layout = new QVBoxLayout(this);
  auto* intro = new QLabel(QStringLiteral("Informe seu usuário e sua senha para entrar no servidor %1.").arg(server));
  intro->setWordWrap(true);
  layout->addWidget(intro);

  auto* form = new QFormLayout;
  user_ = new QLineEdit(user);
  user_->setObjectName(QStringLiteral("usuario"));
  password_ = new QLineEdit;
  password_->setObjectName(QStringLiteral("senha"));
  password_->setEchoMode(QLineEdit::Password);
  form->addRow(QStringLiteral("&Usuário:"), user_);
  form->addRow(QStringLiteral("&Senha:"), password_);
  layout->addLayout(form);

  message_ = new QLabel;
  message_->setObjectName(QStringLiteral("mensagem"));
  message_->setWordWrap(true);
  message_->setStyleSheet(QStringLiteral("color: #b00020;"));
  message_->hide();
  layout->addWidget(message_);

  auto* buttons = new QDialogButtonBox;
  enter_ = buttons->addButton(QStringLiteral("Entrar"), QDialogButtonBox::AcceptRole);
  enter_->setDefault(true);  // Enter submits
  buttons->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &LoginDialog::Submit);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);

  (user.isEmpty() ? user_ : password_)->setFocus();
  setMinimumWidth(360);
}

void LoginDialog::Submit() {
  if (user_->text().trimmed().isEmpty()) {
    message_->setText(QStringLiteral("Informe o usuário."));
    message_->show();
    user_->setFocus();
    return;
  }
  message_->hide();
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  const QString problem = attempt_(user_->text().trimmed(), password_->text());
  QGuiApplication::restoreOverrideCursor();
  if (problem.isEmpty()) {
    accept();
    return;
  }
  // The user stays; the password is typed again.
  message_->setText(problem);
  message_->show();
  password_->clear();
  password_->setFocus();
}

}  // namespace zor::desktop
