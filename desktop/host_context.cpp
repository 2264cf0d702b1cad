// Configuration file and command line of the host.
#include "desktop/host_context.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace zor::desktop {

QString DefaultConfigFile() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/zor/zor-host.ini");
}

void ReadConfigFile(const QString& path, HostContext& c) {
  if (path.isEmpty() || !QFileInfo::exists(path)) return;
  QSettings s(path, QSettings::IniFormat);
  c.UserCode = s.value("context/user", c.UserCode).toString();
  c.BranchCode = s.value("context/branch", c.BranchCode).toString();
  c.BranchName = s.value("context/branch_name", c.BranchName).toString();
  c.BranchFixed = s.value("context/branch_fixed", c.BranchFixed).toBool();
  c.ServerHost = s.value("server/host", c.ServerHost).toString();
  // host=https://name: the server speaks HTTPS, verified against server/ca
  // (or the system's authorities).
  if (c.ServerHost.startsWith(QStringLiteral("https://"), Qt::CaseInsensitive)) {
    c.ServerHost = c.ServerHost.mid(8);
    c.ServerHttps = true;
  }
  c.CaFile = s.value("server/ca", c.CaFile).toString();
  bool ok = false;
  int port = s.value("server/port", c.ServerPort).toInt(&ok);
  if (ok && port > 0 && port < 65536) c.ServerPort = port;
  c.DatabaseUrl = s.value("database/url", c.DatabaseUrl).toString();
  c.PackagePath = s.value("package/path", c.PackagePath).toString();
}

bool ParseServerAddress(const QString& text, QString& host, int& port) {
  bool https = false;
  return ParseServerAddress(text, host, port, https) && !https;
}

bool ParseServerAddress(const QString& text, QString& host, int& port, bool& https) {
  QString t = text.trimmed();
  https = t.startsWith(QStringLiteral("https://"), Qt::CaseInsensitive);
  if (https) t = t.mid(8);
  else if (t.startsWith(QStringLiteral("http://"), Qt::CaseInsensitive)) t = t.mid(7);
  if (t.isEmpty()) return false;
  int colon = t.lastIndexOf(':');
  if (colon < 0) {
    host = t;
    return true;
  }
  bool ok = false;
  int p = t.mid(colon + 1).toInt(&ok);
  if (!ok || p <= 0 || p > 65535) return false;
  if (colon > 0) host = t.left(colon);
  port = p;
  return true;
}

QString HelpFooter(const QString& configFile) {
  return QStringLiteral(
             "\nArquivo de configuração (padrão: %1), formato INI:\n"
             "  [context]  user (quem entra no servidor), branch\n"
             "  [server]   host (https://nome para HTTPS), port (padrão 127.0.0.1 e 8211), ca\n"
             "  [database] url (sqlite:CAMINHO de um arquivo existente, ou postgresql://...)\n"
             "  [package]  path (padrão: o pacote ao lado do programa)\n"
             "As opções da linha de comando valem sobre o arquivo.\n"
             "Ao iniciar, o host pede usuário e senha (ou lê a senha de --password-file ou ZOR_PASSWORD);\n"
             "a filial, o nome do usuário e se a filial é fixa vêm do servidor.\n"
             "Para experimentar: zor-host --demo (cria um banco de demonstração, inicia o servidor, entra como\n"
             "o usuário demo, senha demo1234, e abre a tela).\n")
      .arg(configFile);
}

bool ParseHostOptions(const QStringList& args, HostOptions& o, QString* error) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Vôo/Trecho: manutenção de vôos e trechos"));
  parser.addHelpOption();
  parser.addVersionOption();
  const QCommandLineOption config("config", QStringLiteral("Arquivo de configuração."), "arquivo");
  const QCommandLineOption db("db", QStringLiteral("URL do banco de dados (sqlite:CAMINHO ou postgresql://...)."), "url");
  const QCommandLineOption server("server", QStringLiteral("Servidor de aplicação (host:porta)."), "endereco");
  const QCommandLineOption branch("branch", QStringLiteral("Filial do usuário."), "codigo");
  const QCommandLineOption branchName("branch-name", QStringLiteral("Nome da filial do usuário."), "nome");
  const QCommandLineOption branchFixed("branch-fixed", QStringLiteral("A filial não pode ser trocada."));
  const QCommandLineOption branchFree("branch-free", QStringLiteral("A filial pode ser trocada."));
  const QCommandLineOption user("user", QStringLiteral("Usuário com que entra no servidor."), "codigo");
  const QCommandLineOption passwordFile(
      "password-file", QStringLiteral("Arquivo com a senha (primeira linha), para entrar sem o diálogo; ou ZOR_PASSWORD."),
      "arquivo");
  const QCommandLineOption ca("ca", QStringLiteral("Certificado da autoridade que assina o do servidor (https://)."),
                              "arquivo");
  const QCommandLineOption package("package", QStringLiteral("Caminho do pacote Pkg_zor12200."), "caminho");
  const QCommandLineOption demo("demo", QStringLiteral("Cria o banco de demonstração, inicia o servidor e abre a tela."));
  const QCommandLineOption serverProgram("server-program", QStringLiteral("Programa do servidor para --demo."),
                                         "caminho");
  const QCommandLineOption open("open", QStringLiteral("Abre a tela Vôo/Trecho ao iniciar."));
  const QCommandLineOption screenshot("screenshot", QStringLiteral("Grava a janela em PNG e termina."), "arquivo");
  const QCommandLineOption preview("preview", QStringLiteral("Abre um relatório já gerado (PDF) na visualização de impressão."),
                                   "arquivo");
  const QCommandLineOption script("script", QStringLiteral("Roteiro de gestos a reproduzir na janela (abre a tela com o gesto open)."),
                                     "arquivo");
  for (const auto* opt : {&config, &db, &server, &branch, &branchName, &branchFixed, &branchFree, &user, &passwordFile, &ca, &package,
                          &demo, &serverProgram, &open, &screenshot, &preview, &script})
    parser.addOption(*opt);

  if (!parser.parse(args)) {
    if (error) *error = QStringLiteral("Linha de comando inválida: %1").arg(parser.errorText());
    return false;
  }
  if (parser.isSet("help")) {
    if (error) *error = parser.helpText() + HelpFooter(DefaultConfigFile());
    return false;
  }
  if (parser.isSet("version")) {
    if (error) *error = QStringLiteral("zor-host %1").arg(QCoreApplication::applicationVersion());
    return false;
  }
  if (!parser.positionalArguments().isEmpty()) {
    if (error)
      *error = QStringLiteral("Argumento não reconhecido: %1").arg(parser.positionalArguments().join(' '));
    return false;
  }

  o.ConfigFile = parser.isSet(config) ? parser.value(config) : DefaultConfigFile();
  if (parser.isSet(config) && !QFileInfo::exists(o.ConfigFile)) {
    if (error) *error = QStringLiteral("Arquivo de configuração não encontrado: %1").arg(o.ConfigFile);
    return false;
  }
  ReadConfigFile(o.ConfigFile, o.Context);

  HostContext& c = o.Context;
  if (parser.isSet(db)) c.DatabaseUrl = parser.value(db);
  if (parser.isSet(server) && !ParseServerAddress(parser.value(server), c.ServerHost, c.ServerPort, c.ServerHttps)) {
    if (error) *error = QStringLiteral("Endereço do servidor inválido: %1").arg(parser.value(server));
    return false;
  }
  if (parser.isSet(branch)) {
    // A branch given on the command line drops the configured name, which
    // belongs to another branch; the name is given with it or looked up.
    c.BranchCode = parser.value(branch).trimmed().toUpper();
    c.BranchName = parser.isSet(branchName) ? parser.value(branchName) : QString();
  } else if (parser.isSet(branchName)) {
    c.BranchName = parser.value(branchName);
  }
  if (parser.isSet(branchFixed) && parser.isSet(branchFree)) {
    if (error) *error = QStringLiteral("Use --branch-fixed ou --branch-free, não os dois.");
    return false;
  }
  if (parser.isSet(branchFixed)) c.BranchFixed = true;
  if (parser.isSet(branchFree)) c.BranchFixed = false;
  if (parser.isSet(user)) c.UserCode = parser.value(user);
  if (parser.isSet(ca)) c.CaFile = parser.value(ca);
  if (parser.isSet(package)) c.PackagePath = parser.value(package);
  o.PasswordFile = parser.value(passwordFile);

  o.Demo = parser.isSet(demo);
  o.ServerProgram = parser.value(serverProgram);
  o.ScreenshotFile = parser.value(screenshot);
  o.ScriptFile = parser.value(script);
  o.PreviewFile = parser.value(preview);
  if (!o.PreviewFile.isEmpty() && !QFileInfo::exists(o.PreviewFile)) {
    if (error) *error = QStringLiteral("Relatório não encontrado: %1").arg(o.PreviewFile);
    return false;
  }
  if (!o.ScriptFile.isEmpty() && !QFileInfo::exists(o.ScriptFile)) {
    if (error) *error = QStringLiteral("Roteiro não encontrado: %1").arg(o.ScriptFile);
    return false;
  }
  // A script opens the screen itself (its `open` gesture), as a person
  // would from the menu; otherwise the demo opens it at once.
  o.OpenScreen = parser.isSet(open) || (o.Demo && o.ScriptFile.isEmpty());
  return true;
}

}  // namespace zor::desktop
