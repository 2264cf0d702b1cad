// zor12200-server: serves the remote data module "Zor12200.rdmVooTrecho"
// over JSON-RPC on HTTP. Brings the database schema up to date at start,
// optionally fills an empty database with the demo data, then serves until
// SIGTERM or SIGINT. Subcommands administer users (`user`) and read the
// audit trail (`audit`) without serving.
#include <CLI/CLI.hpp>
#include <csignal>
#include <fstream>
#include <functional>
#include <sstream>
#include <iostream>
#include <pthread.h>
#include <thread>

#include "server/admin_commands.h"
#include "server/audit_trail.h"
#include "server/connection_pool.h"
#include "server/user_store.h"
#include "server/demo_data.h"
#include "server/flight_module.h"
#include "server/http_server.h"
#include "server/pg_roles.h"
#include "server/schema.h"
#include "server/ssim/ssim_cli.h"

using namespace zor::server;

namespace {

bool SplitListen(const std::string& text, std::string& host, int& port) {
  auto colon = text.rfind(':');
  if (colon == std::string::npos) {
    host = text;
    return !host.empty();
  }
  host = text.substr(0, colon);
  try {
    size_t used = 0;
    port = std::stoi(text.substr(colon + 1), &used);
    if (used != text.size() - colon - 1) return false;
  } catch (const std::exception&) {
    return false;
  }
  return !host.empty() && port >= 0 && port <= 65535;
}

std::vector<std::string> SplitList(const std::string& text) {
  std::vector<std::string> out;
  std::string item;
  for (char ch : text + ",") {
    if (ch == ',' || ch == ' ') {
      if (!item.empty()) out.push_back(item);
      item.clear();
    } else {
      item += ch;
    }
  }
  return out;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  if (!in) throw std::runtime_error("Não foi possível ler " + path + ".");
  return text.str();
}

bool IsLoopback(const std::string& host) {
  return host == "localhost" || host == "::1" || host == "[::1]" || host.rfind("127.", 0) == 0;
}

// Runs one administration subcommand on the database; returns the exit status.
int Administer(const std::string& db, const std::function<void(Connection&)>& work) {
  try {
    ConnectionPool pool(db);
    auto c = pool.Acquire();
    Migrate(*c);
    work(*c);
    return 0;
  } catch (const UserError& e) {
    std::cerr << "ERROR " << e.what() << "\n";
    return 2;
  } catch (const std::exception& e) {
    std::cerr << "ERROR " << e.what() << "\n";
    return 1;
  }
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Servidor de aplicação do cadastro de vôos e trechos (Zor12200.rdmVooTrecho)", "zor12200-server"};
  std::string db;
  std::string listen = "127.0.0.1:" + std::to_string(RpcHttpServer::kDefaultPort);
  bool initDemo = false;
  int demoFlights = 300;
  int threads = 16;
  app.add_option("--db", db, "Banco de dados: sqlite:CAMINHO ou postgresql://usuario@maquina:porta/banco")->required();
  app.add_option("--listen", listen, "Endereço HOST:PORTA (porta 0: qualquer porta livre, impressa na saída)");
  app.add_flag("--init-demo", initDemo, "Preenche um banco vazio com os dados de demonstração");
  app.add_option("--demo-flights", demoFlights, "Número de vôos da companhia 0001 nos dados de demonstração")
      ->check(CLI::Range(0, 98999));
  app.add_option("--threads", threads, "Chamadas executadas ao mesmo tempo (conexões ociosas ou lentas não ocupam nenhuma)")->check(CLI::Range(1, 256));
  app.set_version_flag("--version", std::string("zor12200-server ") + ZOR_VERSION);
  // The service reads its options from /etc/zor/zor12200-server.conf ("chave = valor").
  app.set_config("--config", "", "Arquivo de configuração com as opções acima (chave = valor)");
  std::string tlsCert, tlsKey;
  app.add_option("--tls-cert", tlsCert, "Certificado do servidor (PEM): serve HTTPS")->check(CLI::ExistingFile);
  app.add_option("--tls-key", tlsKey, "Chave privada do certificado (PEM)")->check(CLI::ExistingFile);
  int idleMinutes = 30;
  app.add_option("--idle-minutes", idleMinutes, "Minutos sem chamadas após os quais a sessão de um usuário termina")
      ->check(CLI::Range(1, 24 * 60))
      ->capture_default_str();

  // Administration: the options above (--db) may also follow the subcommand.
  app.fallthrough();
  ssim::SsimCommands ssimCommands(app);
  app.require_subcommand(0, 1);
  auto* user = app.add_subcommand("user", "Administra os usuários (a senha é lida do terminal ou da entrada padrão)");
  user->require_subcommand(1);
  NewUser newUser;
  std::string branchList, userCode;
  auto* add = user->add_subcommand("add", "Cadastra um usuário");
  add->add_option("codigo", newUser.code, "Código do usuário")->required();
  add->add_option("--name", newUser.name, "Nome do usuário")->required();
  add->add_option("--branches", branchList, "Filiais em que trabalha, separadas por vírgula")->required();
  add->add_flag("--fixed", newUser.branchFixed, "A filial é fixa para o usuário (uma só filial)");
  auto* passwd = user->add_subcommand("passwd", "Troca a senha de um usuário (encerra suas sessões)");
  passwd->add_option("codigo", userCode, "Código do usuário")->required();
  auto* disable = user->add_subcommand("disable", "Desativa um usuário (encerra suas sessões)");
  disable->add_option("codigo", userCode, "Código do usuário")->required();
  auto* enable = user->add_subcommand("enable", "Reativa um usuário");
  enable->add_option("codigo", userCode, "Código do usuário")->required();
  auto* list = user->add_subcommand("list", "Lista os usuários");
  AuditQuery auditQuery;
  auto* audit = app.add_subcommand("audit", "Mostra a trilha de auditoria das alterações");
  audit->add_option("--branch", auditQuery.branch, "Só a filial informada");
  audit->add_option("--company", auditQuery.company, "Só a companhia informada (CDCIA)");
  audit->add_option("--flight", auditQuery.flight, "Só o vôo informado (NRVOO)");
  audit->add_option("--since", auditQuery.since, "A partir da data AAAA-MM-DD (UTC)");
  audit->add_flag("--csv", auditQuery.csv, "Em CSV, uma linha por coluna alterada");
  auto* roles = app.add_subcommand(
      "roles", std::string("Cria no PostgreSQL os papéis ") + kServerRole + " (servidor) e " + kDesktopRole +
                   " (consultas das estações, só leitura)");
  CLI11_PARSE(app, argc, argv);
  if (ssimCommands.Chosen()) return ssimCommands.Run(db, std::cout, std::cerr);

  if (roles->parsed())
    return Administer(db, [&](Connection& c) {
      if (c.Dialect() != SqlDialect::Postgresql) throw UserError("Papéis só existem no PostgreSQL.");
      SetUpRoles(c);
      std::cerr << "Papéis " << kServerRole << " e " << kDesktopRole << " prontos.\n";
    });
  if (add->parsed()) {
    newUser.branches = SplitList(branchList);
    return Administer(db, [&](Connection& c) {
      newUser.password = ReadPassword("Senha do usuário " + newUser.code, true);
      AddUser(c, newUser);
      std::cerr << "Usuário " << newUser.code << " cadastrado.\n";
    });
  }
  if (passwd->parsed())
    return Administer(db, [&](Connection& c) {
      if (!FindUser(c, userCode)) throw UserError("Usuário não cadastrado: " + userCode + ".");
      SetPassword(c, userCode, ReadPassword("Nova senha do usuário " + userCode, true));
      std::cerr << "Senha do usuário " << userCode << " trocada.\n";
    });
  if (disable->parsed() || enable->parsed())
    return Administer(db, [&](Connection& c) {
      SetEnabled(c, userCode, enable->parsed());
      std::cerr << "Usuário " << userCode << (enable->parsed() ? " reativado.\n" : " desativado.\n");
    });
  if (list->parsed()) return Administer(db, [&](Connection& c) { PrintUsers(c, std::cout); });
  if (audit->parsed()) return Administer(db, [&](Connection& c) { PrintAudit(c, auditQuery, std::cout); });

  if (tlsCert.empty() != tlsKey.empty()) {
    std::cerr << "ERROR informe --tls-cert e --tls-key juntos.\n";
    return 2;
  }
  std::string host;
  int port = RpcHttpServer::kDefaultPort;
  if (!SplitListen(listen, host, port)) {
    std::cerr << "ERROR endereço inválido em --listen: " << listen << " (use HOST:PORTA)\n";
    return 2;
  }

  // Signals are taken by a thread of their own, so that stopping the
  // server never runs inside a signal handler.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGTERM);
  sigaddset(&stopSignals, SIGINT);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  std::signal(SIGPIPE, SIG_IGN);

  try {
    ConnectionPool pool(db);
    {
      auto c = pool.Acquire();
      Migrate(*c);
      if (initDemo) {
        LoadDemoData(*c, DemoOptions{demoFlights});
        EnsureDemoUser(*c);
        std::cerr << "INFO usuário de demonstração: " << kDemoUser << ", senha " << kDemoPassword << "\n";
        try {
          SetUpRoles(*c);
        } catch (const DbError& e) {
          std::cerr << "WARN papéis " << kServerRole << " e " << kDesktopRole << " não criados: " << e.what() << "\n";
        }
      }
    }
    FlightModule module(pool);
    SessionModule sessions(pool, SessionOptions{idleMinutes, {}});
    HttpOptions http{host, port, threads, &std::cerr};
    if (!tlsCert.empty()) {
      http.tlsCertPem = ReadFile(tlsCert);
      http.tlsKeyPem = ReadFile(tlsKey);
    }
    RpcHttpServer server(module, sessions, http);
    int bound = server.Bind();
    if (!http.Tls() && !IsLoopback(host))
      std::cerr << "WARN escutando em " << host
                << " sem TLS: senhas, sessões e dados passam abertos pela rede. Use --tls-cert e --tls-key.\n";
    // The address, also when the port was given, tells a person (and a
    // script waiting for it) that the server is ready.
    std::cout << host << ":" << bound << std::endl;

    std::thread signalWaiter([&] {
      int sig = 0;
      sigwait(&stopSignals, &sig);
      server.Stop();
    });
    server.Run();
    // run() also returns if the listening socket fails; wake the waiter.
    pthread_kill(signalWaiter.native_handle(), SIGTERM);
    signalWaiter.join();
  } catch (const std::exception& e) {
    std::cerr << "ERROR " << e.what() << "\n";
    return 1;
  }
  return 0;
}
