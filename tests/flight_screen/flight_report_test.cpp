// The print button's report screen: one form at a time, modal over the flight
// screen, and a report whose queries take the flight screen's branch and
// company code. Documents go to a folder of the test's own.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/sql/param.h"
#include "report/cli_zor12201.h"
#include "tests/flight_screen/screen_fixture.h"

using namespace plat;
namespace fs = std::filesystem;

class FlightReportTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    folder = fs::temp_directory_path() / ("zor-report-test-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder / "definitions");
    ::setenv("ZOR_REPORT_OUTPUT", (folder / "out").c_str(), 1);
    Open();
    LoadCompany("0001", "ABR");
  }
  void TearDown() override {
    ::unsetenv("ZOR_REPORT_OUTPUT");
    fs::remove_all(folder);
    ScreenTest::TearDown();
  }
  // Presses print; `inside` runs in the report screen's modal run.
  void Print(const std::function<void(TfrmRelVoo&)>& inside) {
    ui.ModalRunner = [&](TForm& shown) {
      auto* report = dynamic_cast<TfrmRelVoo*>(&shown);
      EXPECT_NE(report, nullptr);
      if (report) inside(*report);
      return 2;
    };
    form->sbtImprimir->UserClick();
  }
  static std::string Read(const fs::path& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  fs::path folder;
};

TEST_F(FlightReportTest, TheReportListsTheCompanysFlightsAndLegsAtTheBranch) {
  std::string path;
  Print([&](TfrmRelVoo& report) {
    EXPECT_EQ(report.lblCodTela->Caption(), "ZOR12201");
    EXPECT_EQ(report.ReportCode(), "ZOR122");
    EXPECT_TRUE(Cli_zor12201::boStCriado);
    report.sbtConfirmar->UserClick();
    path = ui.LastMessage().value_or("");
    if (path.rfind("Relatório", 0) != 0) ADD_FAILURE() << path;
  });
  ASSERT_NE(path.find("Relatório gerado em "), std::string::npos) << path;
  path = path.substr(std::string("Relatório gerado em ").size());
  path.pop_back();  // the closing full stop
  const std::string html = Read(path);
  EXPECT_NE(html.find("<td>1000</td>"), std::string::npos);
  EXPECT_NE(html.find("<td>GRU</td><td>BSB</td><td>11:15</td><td>13:10</td>"), std::string::npos);
  EXPECT_NE(html.find("<td>Plano  Voo  Atual</td>"), std::string::npos) << "the report screen's own texts";
  EXPECT_NE(html.find("<td>Inativo</td>"), std::string::npos) << "flight 1000 is inactive";
  EXPECT_EQ(html.find("<td>1500</td>"), std::string::npos) << "another branch's flight";
  EXPECT_EQ(html.find("<td>3100</td>"), std::string::npos) << "another company's flight";
}

TEST_F(FlightReportTest, ParametersTakeTheCompanyCodeAndTheBranchOnlyWhenTheReportHasThem) {
  TParams params;
  params.Redeclare({"P_CDFILIAL", "OTHER"});
  Print([&](TfrmRelVoo& report) {
    bool handled = false;
    report.rpddPadraoBeforeGetQueryParams(params, handled);
  });
  EXPECT_EQ(params.ParamByName("P_CDFILIAL").AsString(), "0001");
  EXPECT_TRUE(params.ParamByName("OTHER").IsNull());
  EXPECT_EQ(params.FindParam("P_CDCIA"), nullptr);

  params.Redeclare({"P_CDCIA"});
  Print([&](TfrmRelVoo& report) {
    bool handled = false;
    report.rpddPadraoBeforeGetQueryParams(params, handled);
  });
  EXPECT_EQ(params.ParamByName("P_CDCIA").AsString(), "0001") << "the code, not the abbreviation ABR";
}

TEST_F(FlightReportTest, EachOpeningAfterAClosedOneMakesAFreshForm) {
  Print([](TfrmRelVoo& report) { report.Close(); });
  EXPECT_FALSE(Cli_zor12201::boStCriado);
  TfrmRelVoo* second = nullptr;
  Print([&](TfrmRelVoo& report) {
    second = &report;
    EXPECT_TRUE(Cli_zor12201::boStCriado);
    report.Close();
  });
  EXPECT_NE(second, nullptr);
  EXPECT_FALSE(Cli_zor12201::boStCriado);
}

TEST_F(FlightReportTest, ADefinitionFileInTheReportFolderReplacesTheBuiltInOne) {
  std::ofstream(folder / "definitions" / "ZOR122.rel")
      << "title Bases\ncolumn SGBASE \"Base\"\nsql\nSELECT SGBASE FROM BASE WHERE SGBASE = 'GRU'\n";
  std::string message;
  Print([&](TfrmRelVoo& report) {
    report.rpddPadrao->SetReportDir((folder / "definitions").string());
    report.sbtConfirmar->UserClick();
    message = ui.LastMessage().value_or("");
    report.Close();
  });
  const std::string path = message.substr(std::string("Relatório gerado em ").size(),
                                          message.size() - std::string("Relatório gerado em ").size() - 1);
  const std::string html = Read(path);
  EXPECT_NE(html.find("<h1>Bases</h1>"), std::string::npos);
  EXPECT_NE(html.find("1 registro."), std::string::npos);
}

TEST_F(FlightReportTest, AnUnknownReportCodeNamesTheCodeAndTheFolder) {
  Print([&](TfrmRelVoo& report) {
    report.rpddPadrao->SetReportDir("/nao/existe");
    report.SetReportCode("ZOR999");
    report.sbtConfirmar->UserClick();
    report.Close();
  });
  EXPECT_EQ(LastMessage(),
            "O arquivo contendo a definição do Relatório de código 'ZOR999' não foi encontrado no diretório "
            "'/nao/existe'.");
}
