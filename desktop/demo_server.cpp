// Starting, watching and stopping the demo application server.
#include "desktop/demo_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

namespace zor::desktop {

namespace {
const char* const kServerName = "zor12200-server";

bool TryConnect(const QString& host, int port) {
  int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  if (fd < 0) return false;
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(static_cast<uint16_t>(port));
  QByteArray h = (host.isEmpty() || host == "localhost") ? QByteArray("127.0.0.1") : host.toLatin1();
  bool ok = ::inet_pton(AF_INET, h.constData(), &addr.sin_addr) == 1 &&
            ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
  ::close(fd);
  return ok;
}
}  // namespace

DemoServer::~DemoServer() { Stop(); }

QString DemoServer::DefaultDatabaseFile() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/zor/zor-demo.sqlite");
}

QString DemoServer::FindServerProgram() {
  const QString dir = QCoreApplication::applicationDirPath();
  for (const QString& c : {dir + "/" + kServerName, dir + "/../server/" + kServerName})
    if (QFileInfo(c).isExecutable()) return QDir::cleanPath(c);
  return QStandardPaths::findExecutable(kServerName);
}

int DemoServer::FreeLoopbackPort() {
  int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  if (fd < 0) return 0;
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = 0;  // the kernel picks a free one
  socklen_t len = sizeof addr;
  int port = 0;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) == 0)
    port = ntohs(addr.sin_port);
  ::close(fd);
  return port;
}

bool DemoServer::WaitForPort(const QString& host, int port, int timeoutMs, QProcess* alive) {
  QDeadlineTimer deadline(timeoutMs);
  for (;;) {
    if (TryConnect(host, port)) return true;
    if (deadline.hasExpired()) return false;
    // Waiting on the process also notices when it has ended.
    if (alive) {
      if (alive->state() == QProcess::NotRunning || alive->waitForFinished(50)) return false;
    } else {
      QThread::msleep(50);
    }
  }
}

bool DemoServer::Start(const QString& program, const QString& databaseFile, QString* error, int timeoutMs) {
  Stop();
  if (program.isEmpty() || !QFileInfo(program).isExecutable()) {
    if (error)
      *error = QStringLiteral("O servidor de aplicação (%1) não foi encontrado. Compile-o ou informe o caminho com "
                              "--server-program.")
                   .arg(kServerName);
    return false;
  }
  database_file_ = databaseFile;
  if (!QDir().mkpath(QFileInfo(databaseFile).absolutePath())) {
    if (error)
      *error = QStringLiteral("Não foi possível criar a pasta do banco de demonstração: %1")
                   .arg(QFileInfo(databaseFile).absolutePath());
    return false;
  }
  port_ = FreeLoopbackPort();
  if (port_ == 0) {
    if (error) *error = QStringLiteral("Não há porta livre no endereço local para o servidor.");
    return false;
  }
  const QStringList args = {"--db", DatabaseUrl(), "--init-demo", "--listen",
                            QStringLiteral("127.0.0.1:%1").arg(port_)};
  process_.setProgram(program);
  process_.setArguments(args);
  process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  process_.setStandardOutputFile(QProcess::nullDevice());
  // Runs in the child between fork and exec: the kernel sends SIGTERM to the
  // server when the host dies, whatever the cause.
  const pid_t parent = ::getpid();
  process_.setChildProcessModifier([parent] {
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (::getppid() != parent) ::_exit(1);  // the host died before prctl
  });
  process_.start();
  if (!process_.waitForStarted(5000)) {
    if (error) *error = QStringLiteral("Não foi possível iniciar o servidor de aplicação: %1").arg(process_.errorString());
    return false;
  }
  if (!WaitForPort("127.0.0.1", port_, timeoutMs, &process_)) {
    const bool died = process_.state() == QProcess::NotRunning;
    if (error)
      *error = died ? QStringLiteral("O servidor de aplicação terminou ao iniciar (código %1).").arg(process_.exitCode())
                    : QStringLiteral("O servidor de aplicação não respondeu na porta %1.").arg(port_);
    Stop();
    return false;
  }
  return true;
}

void DemoServer::Stop() {
  if (process_.state() == QProcess::NotRunning) return;
  process_.terminate();
  if (!process_.waitForFinished(3000)) {
    process_.kill();
    process_.waitForFinished(2000);
  }
}

}  // namespace zor::desktop
