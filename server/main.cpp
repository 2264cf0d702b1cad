// zor12200-server: serves the remote data module "Zor12200.rdmVooTrecho"
// over JSON-RPC on HTTP. Brings the database schema up to date at start,
// optionally fills an empty database with the demo data, then serves until
// SIGTERM or SIGINT.
#include <CLI/CLI.hpp>
#include <csignal>
#include <iostream>
#include <pthread.h>
#include <thread>

#include "server/connection_pool.h"
#include "server/demo_data.h"
#include "server/flight_module.h"
#include "server/http_server.h"
#include "server/schema.h"
#include "server/ssim/ssim_cli.h"

using namespace zor::server;

namespace {

bool splitListen(const std::string& text, std::string& host, int& port) {
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
  ssim::SsimCommands ssimCommands(app);
  CLI11_PARSE(app, argc, argv);
  if (ssimCommands.chosen()) return ssimCommands.run(db, std::cout, std::cerr);

  std::string host;
  int port = RpcHttpServer::kDefaultPort;
  if (!splitListen(listen, host, port)) {
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
      auto c = pool.acquire();
      migrate(*c);
      if (initDemo) loadDemoData(*c, DemoOptions{demoFlights});
    }
    FlightModule module(pool);
    RpcHttpServer server(module, HttpOptions{host, port, threads, &std::cerr});
    int bound = server.bind();
    // The address, also when the port was given, tells a person (and a
    // script waiting for it) that the server is ready.
    std::cout << host << ":" << bound << std::endl;

    std::thread signalWaiter([&] {
      int sig = 0;
      sigwait(&stopSignals, &sig);
      server.stop();
    });
    server.run();
    // run() also returns if the listening socket fails; wake the waiter.
    pthread_kill(signalWaiter.native_handle(), SIGTERM);
    signalWaiter.join();
  } catch (const std::exception& e) {
    std::cerr << "ERROR " << e.what() << "\n";
    return 1;
  }
  return 0;
}
