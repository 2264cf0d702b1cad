// What the end-to-end benchmarks stand on: a throwaway database filled with
// the demo data and a given number of flights of company 0001 at branch
// 0001, the real application server on a free loopback port of this
// process, and the flight screen opened on it as the host opens it, with a
// scripted person. One environment per backend and flight count, kept for
// the whole run (filling 10,000 flights takes a while).
#pragma once

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "flight_screen/cli_zor12200.h"
#include "platform/ui/scripted_ui.h"
#include "server/connection_pool.h"
#include "server/flight_module.h"
#include "server/http_server.h"

namespace zor::bench {

// "sqlite", then "pg" when ZOR_TEST_PG_URL names a cluster.
std::vector<std::string> Backends();

// The company whose flights are loaded, at the branch they belong to.
inline constexpr const char* kBranch = "0001";
inline constexpr const char* kCompanyCode = "0001";
inline constexpr const char* kCompanyAcronym = "ABR";

class Environment {
 public:
  // The environment for a backend and flight count, built on first use.
  static Environment& Get(const std::string& backend, int flights);
  // Closes the screen, stops every server and drops every database.
  static void CloseAll();

  ~Environment();
  const std::string& Url() const { return url_; }
  const std::string& Backend() const { return backend_; }
  int Port() const { return port_; }

  // The flight screen on this environment's server with branch and company
  // typed in but the strip not yet left (the one screen of the process:
  // opening it for another environment closes the previous one).
  Cli_zor12200::TfrmVoo& Screen();
  plat::ScriptedUi& Ui() { return ui_; }

 private:
  Environment(const std::string& backend, int flights);

  std::string backend_, url_, file_, adminUrl_, schema_;
  std::unique_ptr<zor::server::ConnectionPool> pool_;
  std::unique_ptr<zor::server::FlightModule> module_;
  std::unique_ptr<zor::server::SessionModule> sessions_;
  std::unique_ptr<zor::server::RpcHttpServer> http_;
  std::string token_;  // the demo user's session, which the screen's calls carry
  std::thread thread_;
  int port_ = 0;
  plat::ScriptedUi ui_;
  Cli_zor12200::TfrmVoo* form_ = nullptr;
};

}  // namespace zor::bench
