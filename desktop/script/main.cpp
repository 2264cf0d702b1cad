// zor-script: the headless driver of the flight screen. It sets up the host
// context (branch, server, database, display size), loads the screen
// package, replays a script of the person's gestures and prints the
// transcript. Exit status: 0 when every expectation held, 1 when one
// failed, 2 when the script (or the set-up it needs) cannot be read.
#include <CLI/CLI.hpp>

#include <fstream>
#include <iostream>
#include <sstream>

#include "desktop/script/package_host.h"
#include "desktop/script/script_interpreter.h"
#include "platform/core/sysutils.h"
#include "platform/forms/application.h"
#include "platform/forms/screen.h"
#include "platform/library/vornia.h"
#include "platform/net/server_session.h"
#include "platform/sql/dtm_db_geral.h"

namespace {

using zor::script::Unreadable;

bool SplitHostPort(const std::string& text, std::string& host, int& port) {
  auto colon = text.rfind(':');
  if (colon == std::string::npos || colon == 0) return false;
  host = text.substr(0, colon);
  std::string digits = text.substr(colon + 1);
  if (digits.empty() || digits.size() > 5 || digits.find_first_not_of("0123456789") != std::string::npos) return false;
  port = std::stoi(digits);
  return port > 0 && port <= 65535;
}

bool SplitSize(const std::string& text, int& width, int& height) {
  auto x = text.find_first_of("xX");
  if (x == std::string::npos) return false;
  std::string w = text.substr(0, x), h = text.substr(x + 1);
  auto number = [](const std::string& s) {
    return !s.empty() && s.size() <= 5 && s.find_first_not_of("0123456789") == std::string::npos;
  };
  if (!number(w) || !number(h)) return false;
  width = std::stoi(w);
  height = std::stoi(h);
  return width > 0 && height > 0;
}

// The name of the user's branch, read from the shared database.
std::string BranchName(const std::string& code) {
  if (!zor::plat::dtmDBGeral || !zor::plat::dtmDBGeral->Connected() || code.empty()) return "";
  try {
    auto result =
        zor::plat::dtmDBGeral->adcGeral()->Query("SELECT NMFILIAL FROM FILIAL WHERE CDFILIAL = :P", {{"P", zor::plat::Variant(code)}});
    if (result.Rows.empty()) {
      std::cerr << "zor-script: aviso: filial " << code << " não cadastrada\n";
      return "";
    }
    return result.Rows.front().front().AsString();
  } catch (const std::exception& e) {
    std::cerr << "zor-script: aviso: não foi possível ler o nome da filial " << code << ": " << e.what() << "\n";
    return "";
  }
}

int Run(int argc, char** argv) {
  CLI::App app{"Reproduz um roteiro de gestos na tela Vôo/Trecho sem janela e imprime o que aconteceu.", "zor-script"};
  std::string db, server, branch, screen = "1024x768", package, scriptPath;
  bool branchFixed = false;
  app.add_option("--db", db, "Banco compartilhado: sqlite:CAMINHO ou postgresql://usuario@maquina:porta/banco");
  app.add_option("--server", server, "Servidor de aplicação MAQUINA:PORTA");
  app.add_option("--branch", branch, "Filial do usuário (o nome vem do banco)");
  app.add_flag("--branch-fixed", branchFixed, "A filial é fixada pela aplicação hospedeira");
  app.add_option("--screen", screen, "Tamanho da tela LARGURAxALTURA")->capture_default_str();
  app.add_option("--package", package, "Caminho do pacote libPkg_zor12200.so");
  std::string user, passwordFile, caFile;
  app.add_option("--user", user, "Usuário com que entra no servidor (a senha vem de --password-file ou ZOR_PASSWORD)");
  app.add_option("--password-file", passwordFile, "Arquivo cuja primeira linha é a senha do usuário");
  app.add_option("--ca", caFile, "Certificado da autoridade que assina o do servidor (com https://)");
  app.add_option("script", scriptPath, "Roteiro de gestos")->required();
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return Unreadable;
  }

  std::string serverHost = "127.0.0.1";
  int serverPort = 0;
  bool https = server.rfind("https://", 0) == 0;
  if (https) server = server.substr(8);
  else if (server.rfind("http://", 0) == 0) server = server.substr(7);
  zor::plat::SetServerTls(https, caFile);
  if (!server.empty() && !SplitHostPort(server, serverHost, serverPort)) {
    std::cerr << "zor-script: endereço do servidor inválido: " << server << " (use MAQUINA:PORTA)\n";
    return Unreadable;
  }
  int width = 0, height = 0;
  if (!SplitSize(screen, width, height)) {
    std::cerr << "zor-script: tamanho de tela inválido: " << screen << " (use LARGURAxALTURA, como 1024x768)\n";
    return Unreadable;
  }

  // The script is read before anything is loaded: a script that cannot be
  // read changes nothing.
  std::ifstream in(scriptPath, std::ios::binary);
  if (!in) {
    std::cerr << "zor-script: não foi possível ler o roteiro " << scriptPath << "\n";
    return Unreadable;
  }
  std::stringstream text;
  text << in.rdbuf();
  zor::script::Script script;
  try {
    script = zor::script::ParseScript(text.str(), scriptPath);
  } catch (const zor::script::ScriptSyntaxError& e) {
    std::cerr << "zor-script: " << e.what() << "\n";
    return Unreadable;
  }

  // The package first: loading it may set up the platform's process-wide
  // objects, which everything below configures.
  zor::script::PackageHost host;
  std::string error;
  if (!host.Load(package.empty() ? zor::script::PackageHost::DefaultPath() : package, error)) {
    std::cerr << "zor-script: " << error << "\n";
    return Unreadable;
  }

  zor::plat::Screen->SetSize(width, height);
  // The host's main form stands for the host's main window: the screen is
  // one of its windows, so closing the screen frees it instead of ending
  // the application. It is never shown.
  zor::plat::TForm* hostForm = nullptr;
  zor::plat::Application->CreateForm(hostForm);
  hostForm->SetName("frmPrincipal");
  hostForm->SetFormStyle(zor::plat::fsMDIForm);
  hostForm->SetCaption("zor-script");
  std::unique_ptr<zor::plat::TdtmDBGeral> dataModule;
  if (!db.empty()) {
    dataModule = std::make_unique<zor::plat::TdtmDBGeral>();
    try {
      dataModule->Connect(db);
    } catch (const std::exception& e) {
      std::cerr << "zor-script: " << e.what() << "\n";
      return Unreadable;
    }
  }
  zor::plat::HostContext context;
  context.UserName = "zor-script";
  context.BranchCode = branch;
  context.BranchName = BranchName(branch);
  context.BranchFixed = branchFixed;
  if (!user.empty()) {
    // The session's user decides the branches: a fixed one wins over the flags.
    std::string password;
    if (!passwordFile.empty()) {
      std::ifstream pf(passwordFile);
      if (!pf || !std::getline(pf, password)) {
        std::cerr << "zor-script: não foi possível ler a senha de " << passwordFile << "\n";
        return Unreadable;
      }
      if (!password.empty() && password.back() == '\r') password.pop_back();
    } else if (const char* env = std::getenv("ZOR_PASSWORD")) {
      password = env;
    } else {
      std::cerr << "zor-script: informe a senha de " << user << " em --password-file ou na variável ZOR_PASSWORD\n";
      return Unreadable;
    }
    zor::plat::LoginAnswer login = zor::plat::LoginToServer(serverHost, serverPort, user, password);
    if (!login.Ok) {
      std::cerr << "zor-script: " << login.Message << "\n";
      return Unreadable;
    }
    zor::plat::BranchChoice choice = zor::plat::ChooseBranch(login, branch);
    if (!choice.Ok) {
      std::cerr << "zor-script: " << choice.Message << "\n";
      return Unreadable;
    }
    zor::plat::SetSessionToken(login.Token);
    context.UserCode = login.User;
    context.UserName = login.UserName;
    context.BranchCode = choice.Code;
    context.BranchName = choice.Name;
    context.BranchFixed = choice.Fixed || branchFixed;
  }
  context.ServerHost = serverHost;
  context.ServerPort = serverPort;
  context.DatabaseUrl = db;
  zor::plat::Vornia::SetHostContext(context);

  int status;
  {
    zor::script::ScriptInterpreter interpreter(host, std::cout);
    status = interpreter.Run(script);
    std::cout.flush();
  }
  // The package's forms go while the package and the database are still there.
  zor::plat::Application->DestroyForms();
  dataModule.reset();
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const std::exception& e) {
    std::cerr << "zor-script: " << e.what() << "\n";
    return Unreadable;
  }
}
