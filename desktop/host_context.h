// The host's context for the screens: who is working, at which branch,
// whether the branch may be changed, where the application server and the
// database are. Read from the configuration file in the user's config
// folder, then from the command line, the command line winning.
#pragma once

#include <QString>
#include <QStringList>

namespace zor::desktop {

struct HostContext {
  QString UserCode;  // the user who logs in
  QString UserName;  // their name, from the login
  QString BranchCode;
  QString BranchName;
  bool BranchFixed = false;
  QString ServerHost = QStringLiteral("127.0.0.1");
  int ServerPort = 8211;  // the server's own default
  bool ServerHttps = false;  // https://host:port
  QString CaFile;           // verifies the server's certificate
  QString DatabaseUrl;
  QString PackagePath;  // empty: next to the host
};

// What the command line asks of the host besides the context.
struct HostOptions {
  HostContext Context;
  bool Demo = false;
  QString ScreenshotFile;
  QString ScriptFile;
  QString PreviewFile;  // a report's PDF shown in the print preview alone
  QString ServerProgram;  // empty: looked for next to the host, then on PATH
  QString ConfigFile;
  bool OpenScreen = false;  // open the flight screen at start
  // A session for automation: the password from a file or ZOR_PASSWORD;
  // without one the host asks in its login dialog.
  QString PasswordFile;
};

// The default configuration file: <config folder>/zor/zor-host.ini.
QString DefaultConfigFile();
// What --help says after the options: the configuration file and its keys.
QString HelpFooter(const QString& configFile);

// Reads the configuration file into `context`; a missing file leaves it
// as it is. Keys: [context] user, branch, branch_name, branch_fixed;
// [server] host, port; [database] url; [package] path.
void ReadConfigFile(const QString& path, HostContext& context);

// Parses the command line (args[0] is the program). On a bad command line
// returns false with a Portuguese message in `error`.
bool ParseHostOptions(const QStringList& args, HostOptions& options, QString* error);

// Splits "host:port" (or ":port", or "host"), also after "http://" or
// "https://" (https sets `https`); false when the port is not a number
// between 1 and 65535.
bool ParseServerAddress(const QString& text, QString& host, int& port);
bool ParseServerAddress(const QString& text, QString& host, int& port, bool& https);

}  // namespace zor::desktop
