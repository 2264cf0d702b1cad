// The benchmarks' database, server and screen (see bench_env.h).
#include "bench/bench_env.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <map>

#include "flight_screen/screen_state.h"
#include "package/pkg_zor12200.h"
#include "platform/forms/application.h"
#include "platform/forms/screen.h"
#include "platform/library/vornia.h"
#include "platform/sql/adoib_query.h"
#include "platform/sql/connection.h"
#include "platform/net/server_session.h"
#include "server/admin_commands.h"
#include "server/db_connection.h"
#include "server/demo_data.h"
#include "server/schema.h"

namespace zor::bench {

namespace {
Environment* screenOwner = nullptr;
std::map<std::pair<std::string, int>, std::unique_ptr<Environment>> environments;
}  // namespace

std::vector<std::string> Backends() {
  std::vector<std::string> b = {"sqlite"};
  const char* pg = std::getenv("ZOR_TEST_PG_URL");
  if (pg && *pg) b.push_back("pg");
  return b;
}

Environment& Environment::Get(const std::string& backend, int flights) {
  auto& e = environments[{backend, flights}];
  if (!e) e.reset(new Environment(backend, flights));
  return *e;
}

void Environment::CloseAll() { environments.clear(); }

Environment::Environment(const std::string& backend, int flights) : backend_(backend) {
  const std::string name = "zor_bench_" + std::to_string(getpid()) + "_" + backend + "_" + std::to_string(flights);
  if (backend == "sqlite") {
    const char* tmp = std::getenv("TMPDIR");
    file_ = std::string(tmp && *tmp ? tmp : "/tmp") + "/" + name + ".db";
    url_ = "sqlite:" + file_;
  } else {
    adminUrl_ = std::getenv("ZOR_TEST_PG_URL");
    schema_ = name;
    zor::server::OpenConnection(adminUrl_)->ExecScript("CREATE SCHEMA " + schema_);
    url_ = adminUrl_ + (adminUrl_.find('?') == std::string::npos ? "?" : "&") + "options=-csearch_path%3D" + schema_;
  }
  pool_ = std::make_unique<zor::server::ConnectionPool>(url_);
  {
    auto c = pool_->Acquire();
    zor::server::Migrate(*c);
    zor::server::LoadDemoData(*c, zor::server::DemoOptions{flights});
  }
  module_ = std::make_unique<zor::server::FlightModule>(*pool_);
  sessions_ = std::make_unique<zor::server::SessionModule>(*pool_, zor::server::SessionOptions{});
  http_ = std::make_unique<zor::server::RpcHttpServer>(*module_, *sessions_,
                                                        zor::server::HttpOptions{"127.0.0.1", 0, 4, nullptr});
  {
    auto c = pool_->Acquire();
    zor::server::EnsureDemoUser(*c);
  }
  token_ = sessions_->Sessions().Open(zor::server::kDemoUser, "127.0.0.1");
  port_ = http_->Bind();
  thread_ = std::thread([this] { http_->Run(); });
}

Environment::~Environment() {
  if (screenOwner == this) {
    plat::Application->DestroyForms();
    plat::SetUi(nullptr);
    plat::TADOIBQuery::SetDefaultConnection(nullptr);
    screenOwner = nullptr;
  }
  http_->Stop();
  thread_.join();
  http_.reset();
  sessions_.reset();
  module_.reset();
  pool_.reset();
  if (!file_.empty())
    for (const char* suffix : {"", "-wal", "-shm"}) std::remove((file_ + suffix).c_str());
  if (!schema_.empty()) {
    try {
      zor::server::OpenConnection(adminUrl_)->ExecScript("DROP SCHEMA " + schema_ + " CASCADE");
    } catch (const std::exception&) {
    }
  }
}

Cli_zor12200::TfrmVoo& Environment::Screen() {
  if (screenOwner == this) return *form_;
  if (screenOwner) {
    plat::Application->DestroyForms();
    Cli_zor12200::boStCriado = Cli_zor12200::boShowModal = Cli_zor12200::boTrechoOk = false;
  }
  plat::SetUi(&ui_);
  plat::Screen->SetWidth(1024);
  plat::Screen->SetHeight(768);
  plat::TADOIBQuery::SetDefaultConnection(plat::OpenConnection(url_));
  plat::HostContext ctx;
  ctx.UserName = "bench";
  ctx.BranchCode = kBranch;
  ctx.BranchName = "Guarulhos";
  ctx.ServerHost = "127.0.0.1";
  ctx.ServerPort = port_;
  plat::Vornia::SetHostContext(ctx);
  plat::SetSessionToken(token_);
  Pkg_zor12200::IniProc(plat::Variant());
  form_ = Cli_zor12200::frmVoo;
  screenOwner = this;
  form_->UserFocus(form_->medCdFilial);
  form_->medCdFilial->UserSetText(kBranch);
  form_->UserFocus(form_->medSgCia);
  form_->medSgCia->UserSetText(kCompanyAcronym);
  return *form_;
}

}  // namespace zor::bench
