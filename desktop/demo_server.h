// The demo set-up: a SQLite database in the user's data folder and an
// application server started as a child process on a free loopback port.
// The child ends with the host, also when the host crashes: it asks the
// kernel for a termination signal when its parent dies.
#pragma once

#include <QProcess>
#include <QString>

namespace zor::desktop {

class DemoServer {
 public:
  DemoServer() = default;
  ~DemoServer();
  DemoServer(const DemoServer&) = delete;
  DemoServer& operator=(const DemoServer&) = delete;

  // <data folder>/zor/zor-demo.sqlite.
  static QString DefaultDatabaseFile();
  // The server program: next to the host, in the build tree's server
  // folder, then on PATH. Empty when none is found.
  static QString FindServerProgram();
  // A TCP port on 127.0.0.1 that nothing listens on right now.
  static int FreeLoopbackPort();
  // True when something accepts connections on host:port within timeout_ms.
  static bool WaitForPort(const QString& host, int port, int timeoutMs, QProcess* alive = nullptr);

  // Starts `program --db sqlite:FILE --init-demo --listen 127.0.0.1:PORT`
  // and waits until it answers. Returns false with a Portuguese message.
  bool Start(const QString& program, const QString& databaseFile, QString* error, int timeoutMs = 20000);
  void Stop();

  bool Running() const { return process_.state() != QProcess::NotRunning; }
  int Port() const { return port_; }
  qint64 Pid() const { return process_.processId(); }
  const QString& DatabaseFile() const { return database_file_; }
  QString DatabaseUrl() const { return QStringLiteral("sqlite:") + database_file_; }

 private:
  QProcess process_;
  int port_ = 0;
  QString database_file_;
};

}  // namespace zor::desktop
