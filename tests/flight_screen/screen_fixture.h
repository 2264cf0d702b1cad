// A flight screen opened against a real application server (in process, on
// a free loopback port) and a fresh demo database, with a scripted person.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "flight_screen/cli_zor12200.h"
#include "platform/ui/scripted_ui.h"
#include "tests/server/server_harness.h"

namespace zor::Cli_zor12200 {

class ScreenTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  void SetUp() override;
  void TearDown() override;

  // Opens the screen as the host menu does; the host context names branch 0001.
  TfrmVoo& Open(bool branchFixed = false);
  // Types a text into a control the way a person would and leaves it for `next`.
  bool TypeAndLeave(plat::TCustomEdit* edit, const std::string& text, plat::TWinControl* next);
  // Picks branch and company and leaves the strip.
  void LoadCompany(const std::string& branch, const std::string& company);
  std::string LastMessage() const;

  plat::ScriptedUi ui;
  TfrmVoo* form = nullptr;
  static inline std::unique_ptr<zor::server::testing::TestDatabase> database;
  static inline std::unique_ptr<zor::server::testing::TestServer> server;
  static inline std::string skipReason;
};

}  // namespace zor::Cli_zor12200
