// The flight screen test fixture.
#include "tests/flight_screen/screen_fixture.h"

#include "flight_screen/screen_state.h"
#include "package/pkg_zor12200.h"
#include "platform/forms/application.h"
#include "platform/forms/screen.h"
#include "platform/library/vornia.h"
#include "platform/net/server_session.h"
#include "platform/sql/connection.h"

namespace zor::Cli_zor12200 {

using namespace plat;

// Each test suite gets a database of its own, on SQLite or, in the binary
// built with ZOR_TEST_BACKEND_PG, on the PostgreSQL cluster named by
// ZOR_TEST_PG_URL (the suite is skipped when there is none).
void ScreenTest::SetUpTestSuite() {
#ifdef ZOR_TEST_BACKEND_PG
  const char* backend = "pg";
#else
  const char* backend = "sqlite";
#endif
  skipReason.clear();
  database = zor::server::testing::TestDatabase::Create(backend, skipReason);
  if (!database) return;
  server = std::make_unique<zor::server::testing::TestServer>(database->Url(), true, 30);
  SetSessionToken(server->Token());
  TADOIBQuery::SetDefaultConnection(OpenConnection(database->Url()));
}

void ScreenTest::TearDownTestSuite() {
  TADOIBQuery::SetDefaultConnection(nullptr);
  server.reset();
  database.reset();
}

void ScreenTest::SetUp() {
  if (!database) GTEST_SKIP() << skipReason;
  SetUi(&ui);
  Screen->SetWidth(1024);
  Screen->SetHeight(768);
}

void ScreenTest::TearDown() {
  Application->DestroyForms();
  boStCriado = boShowModal = boTrechoOk = false;
  SetUi(nullptr);
}

TfrmVoo& ScreenTest::Open(bool branchFixed) {
  HostContext ctx;
  ctx.UserName = "teste";
  ctx.BranchCode = "0001";
  ctx.BranchName = "Guarulhos";
  ctx.BranchFixed = branchFixed;
  ctx.ServerHost = "127.0.0.1";
  ctx.ServerPort = server->Port();
  Vornia::SetHostContext(ctx);
  Pkg_zor12200::IniProc(Variant());
  form = frmVoo;
  return *form;
}

bool ScreenTest::TypeAndLeave(TCustomEdit* edit, const std::string& text, TWinControl* next) {
  form->UserFocus(edit);
  edit->UserSetText(text);
  return form->UserFocus(next);
}

void ScreenTest::LoadCompany(const std::string& branch, const std::string& company) {
  TypeAndLeave(form->medCdFilial, branch, form->medSgCia);
  TypeAndLeave(form->medSgCia, company, form->dbgPadrao);
}

std::string ScreenTest::LastMessage() const { return ui.LastMessage().value_or(""); }

}  // namespace zor::Cli_zor12200
