// The print button's report screen: one form at a time, modal over the flight
// screen, a report whose queries take the flight screen's branch and company
// code, and the document itself, read back from the PDF with poppler's
// pdftotext and pdfinfo. The database holds the demo's 300 flights of
// company ABR at branch 0001. Documents go to a folder of the test's own.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "platform/library/vornia.h"
#include "platform/sql/adoib_query.h"
#include "platform/sql/connection.h"
#include "platform/sql/param.h"
#include "report/cli_zor12201.h"
#include "platform/net/server_session.h"
#include "tests/flight_screen/screen_fixture.h"

namespace zor::Cli_zor12200 {

using namespace plat;
namespace fs = std::filesystem;

namespace {

std::string Run(const std::string& command) {
  std::string out;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return out;
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  ::pclose(pipe);
  return out;
}

// The text of one page (1-based), or of every page with form feeds between.
std::string PdfText(const std::string& path, int page = 0) {
  std::string range = page ? " -f " + std::to_string(page) + " -l " + std::to_string(page) : "";
  return Run("pdftotext -layout -enc UTF-8" + range + " '" + path + "' -");
}

std::string PdfInfo(const std::string& path, const std::string& key) {
  std::smatch m;
  const std::string info = Run("pdfinfo '" + path + "'");
  return std::regex_search(info, m, std::regex(key + ":\\s*([^\\n]*)")) ? m[1].str() : std::string();
}

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++n;
  return n;
}

int64_t Scalar(const std::string& sql) {
  return TADOIBQuery::DefaultConnection()->Query(sql).Rows.at(0).at(0).AsInteger();
}

}  // namespace

class FlightReportTest : public ScreenTest {
 protected:
  static void SetUpTestSuite() {
    std::string skip;
    database = zor::server::testing::TestDatabase::Create("sqlite", skip);
    server = std::make_unique<zor::server::testing::TestServer>(database->Url(), true, 300);
    SetSessionToken(server->Token());
    TADOIBQuery::SetDefaultConnection(OpenConnection(database->Url()));
  }
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
  void Print(const std::function<void(Cli_zor12201::TfrmRelVoo&)>& inside) {
    ui.ModalRunner = [&](TForm& shown) {
      auto* report = dynamic_cast<Cli_zor12201::TfrmRelVoo*>(&shown);
      EXPECT_NE(report, nullptr);
      if (report) inside(*report);
      return 2;
    };
    form->sbtImprimir->UserClick();
  }
  // Confirms on the report screen; the document's path, from the message that names it.
  std::string Confirm(Cli_zor12201::TfrmRelVoo& report) {
    report.sbtConfirmar->UserClick();
    const std::string message = ui.LastMessage().value_or("");
    const std::string lead = "Relatório gerado em ";
    if (message.rfind(lead, 0) != 0 || message.back() != '.') {
      ADD_FAILURE() << message;
      return {};
    }
    return message.substr(lead.size(), message.size() - lead.size() - 1);
  }
  fs::path folder;
};

TEST_F(FlightReportTest, TheScreenSaysWhichBranchAndCompanyItReportsOn) {
  Print([&](Cli_zor12201::TfrmRelVoo& report) {
    EXPECT_EQ(report.lblCodTela->Caption(), "ZOR12201");
    EXPECT_EQ(report.ReportCode(), "ZOR122");
    EXPECT_TRUE(Cli_zor12201::boStCriado);
    EXPECT_EQ(report.lblFilial->Caption(), "Filial: 0001 – " + form->edtNmFilial->Text());
    EXPECT_EQ(report.lblCompanhia->Caption(), "Companhia: 0001 – ABR – Aerobrasil Linhas Aéreas");
  });
}

TEST_F(FlightReportTest, EveryPageCarriesTheHeadingTheColumnTitlesAndItsNumber) {
  std::string path;
  Print([&](Cli_zor12201::TfrmRelVoo& report) { path = Confirm(report); });
  ASSERT_FALSE(path.empty());
  EXPECT_EQ(fs::path(path).extension(), ".pdf");
  EXPECT_EQ(path.rfind((folder / "out").string(), 0), 0u);
  EXPECT_EQ(PdfInfo(path, "Page size").rfind("841.89 x 595.28 pts", 0), 0u) << "A4 landscape";
  EXPECT_EQ(PdfInfo(path, "Title"), "Vôos e trechos");

  const int pages = std::stoi(PdfInfo(path, "Pages"));
  // 300 flights with their legs: 43 portrait pages as an HTML table; now:
  EXPECT_EQ(pages, 26);
  const std::string branch = "Filial: 0001 – " + form->edtNmFilial->Text();
  for (int page = 1; page <= pages; ++page) {
    SCOPED_TRACE("page " + std::to_string(page));
    const std::string text = PdfText(path, page);
    EXPECT_NE(text.find("Vôos e trechos"), std::string::npos);
    EXPECT_NE(text.find("Relatório: ZOR122"), std::string::npos);
    EXPECT_NE(text.find(branch), std::string::npos);
    EXPECT_NE(text.find("Companhia: 0001 – ABR – Aerobrasil Linhas Aéreas"), std::string::npos);
    EXPECT_NE(text.find("Usuário: teste"), std::string::npos);
    EXPECT_TRUE(std::regex_search(text, std::regex("Emitido em: \\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d")));
    // Column titles whole, each once per page.
    for (const char* title : {"Vôo", "Equipamento", "Prefixo", "Situação do vôo", "Trecho", "Origem", "Destino",
                              "Decolagem", "Pouso", "Horário", "Situação do trecho"})
      EXPECT_TRUE(std::regex_search(text, std::regex(std::string("(^|\\s)") + title + "(\\s|$)"))) << title;
    EXPECT_NE(text.find("Página " + std::to_string(page) + " de " + std::to_string(pages)), std::string::npos);
  }
}

TEST_F(FlightReportTest, FlightsCarryTheirLegsUnderThemAndTheTotalsCountBoth) {
  std::string path;
  Print([&](Cli_zor12201::TfrmRelVoo& report) { path = Confirm(report); });
  ASSERT_FALSE(path.empty());
  const std::string text = PdfText(path);

  const int64_t flights = Scalar("SELECT COUNT(*) FROM VOO WHERE CDFILIAL = '0001' AND CDCIA = '0001'");
  const int64_t legs = Scalar("SELECT COUNT(*) FROM VOOTRECHO WHERE CDFILIAL = '0001' AND CDCIA = '0001'");
  ASSERT_EQ(flights, 300);
  EXPECT_TRUE(std::regex_search(text, std::regex("\\nTotal de vôos: " + std::to_string(flights) +
                                                  " +Total de trechos: " + std::to_string(legs) + "\\n")))
      << text.substr(text.size() > 600 ? text.size() - 600 : 0);

  // Flight 1000's line, then its first leg indented further, with its own
  // texts (single blanks) and times in hh:mm.
  std::smatch m;
  ASSERT_TRUE(std::regex_search(text, m, std::regex("\\n(✗)? +1000 +B737 .*\\n( +)0001 +GRU +BSB +11:15 +13:10 +Plano Voo Atual")))
      << text.substr(0, 3000);
  EXPECT_GT(m[2].length(), m[0].str().find("1000")) << "the legs are indented under the flight";
  EXPECT_EQ(text.find("Plano  Voo"), std::string::npos);
  // Each flight has one line of its own, however many legs it has; its
  // data is not repeated on them.
  EXPECT_EQ(Count(text, " B737 "), Scalar("SELECT COUNT(*) FROM VOO V JOIN EQUIPAMENTO E ON E.CDEQUIP = V.CDEQUIP "
                                          "WHERE V.CDFILIAL = '0001' AND V.CDCIA = '0001' AND E.SGEQUIP = 'B737'"));
}

TEST_F(FlightReportTest, InactiveFlightsAndLegsCarryAMarkThatNeedsNoColour) {
  std::string path;
  Print([&](Cli_zor12201::TfrmRelVoo& report) { path = Confirm(report); });
  const std::string text = PdfText(path);
  const int64_t inactiveFlights =
      Scalar("SELECT COUNT(*) FROM VOO WHERE CDFILIAL = '0001' AND CDCIA = '0001' AND IDSITVOO = '2'");
  const int64_t inactiveLegs = Scalar(
      "SELECT COUNT(*) FROM VOOTRECHO T JOIN VOO V ON V.CDFILIAL = T.CDFILIAL AND V.CDCIA = T.CDCIA AND "
      "V.NRVOO = T.NRVOO WHERE T.CDFILIAL = '0001' AND T.CDCIA = '0001' AND T.IDSITVOOTRE = '2'");
  ASSERT_GT(inactiveFlights + inactiveLegs, 0) << "the demo data has inactive rows";
  std::istringstream lines(text);
  std::string line;
  int marked = 0, inactiveText = 0;
  while (std::getline(lines, line)) {
    const bool mark = line.find("✗") != std::string::npos && line.find("inativo (em itálico)") == std::string::npos;
    const bool inactive = line.find("Inativo") != std::string::npos;
    marked += mark;
    inactiveText += inactive;
    EXPECT_EQ(mark, inactive) << line;
  }
  EXPECT_GE(marked, inactiveFlights + inactiveLegs);
  EXPECT_NE(text.find("✗ inativo (em itálico)"), std::string::npos) << "the legend";
}

TEST_F(FlightReportTest, ACsvOfTheRowsLiesBesideTheDocument) {
  std::string path;
  std::string csv;
  Print([&](Cli_zor12201::TfrmRelVoo& report) {
    path = Confirm(report);
    csv = report.rpddPadrao->LastCsvPath();
  });
  EXPECT_EQ(fs::path(csv), fs::path(path).replace_extension(".csv"));
  std::ifstream in(csv, std::ios::binary);
  std::string header;
  std::getline(in, header);
  EXPECT_EQ(header,
            "\xEF\xBB\xBFVôo;Equipamento;Prefixo;Tipo;Situação do vôo;Trecho;Origem;Destino;Decolagem;Pouso;Horário;"
            "Situação do trecho\r");
  std::string first;
  std::getline(in, first);
  EXPECT_TRUE(std::regex_search(first, std::regex("^1000;[^;]*;[^;]*;(Regular|Extra);(Ativo|Inativo);0001;GRU;BSB;11:15;13:10;"
                                                  "Plano Voo Atual;(Ativo|Inativo)\\r$")))
      << first;
}

TEST_F(FlightReportTest, ParametersTakeTheCompanyCodeAndTheBranchOnlyWhenTheReportHasThem) {
  TParams params;
  params.Redeclare({"P_CDFILIAL", "OTHER"});
  Print([&](Cli_zor12201::TfrmRelVoo& report) {
    bool handled = false;
    report.rpddPadraoBeforeGetQueryParams(params, handled);
  });
  EXPECT_EQ(params.ParamByName("P_CDFILIAL").AsString(), "0001");
  EXPECT_TRUE(params.ParamByName("OTHER").IsNull());
  EXPECT_EQ(params.FindParam("P_CDCIA"), nullptr);

  params.Redeclare({"P_CDCIA"});
  Print([&](Cli_zor12201::TfrmRelVoo& report) {
    bool handled = false;
    report.rpddPadraoBeforeGetQueryParams(params, handled);
  });
  EXPECT_EQ(params.ParamByName("P_CDCIA").AsString(), "0001") << "the code, not the abbreviation ABR";
}

TEST_F(FlightReportTest, EachOpeningAfterAClosedOneMakesAFreshForm) {
  Print([](Cli_zor12201::TfrmRelVoo& report) { report.Close(); });
  EXPECT_FALSE(Cli_zor12201::boStCriado);
  Cli_zor12201::TfrmRelVoo* second = nullptr;
  Print([&](Cli_zor12201::TfrmRelVoo& report) {
    second = &report;
    EXPECT_TRUE(Cli_zor12201::boStCriado);
    report.Close();
  });
  EXPECT_NE(second, nullptr);
  EXPECT_FALSE(Cli_zor12201::boStCriado);
}

TEST_F(FlightReportTest, ADefinitionInTheConfiguredFolderReplacesTheBuiltInOne) {
  std::ofstream(folder / "definitions" / "ZOR122.rel")
      << "title Bases do relatório\ncolumn SGBASE \"Base\"\nsql\nSELECT SGBASE FROM BASE WHERE SGBASE = 'GRU'\n";
  std::string path;
  Print([&](Cli_zor12201::TfrmRelVoo& report) {
    report.rpddPadrao->SetReportDir((folder / "definitions").string());
    path = Confirm(report);
    report.Close();
  });
  const std::string text = PdfText(path);
  EXPECT_NE(text.find("Bases do relatório"), std::string::npos);
  EXPECT_NE(text.find("Total de registros: 1"), std::string::npos);
  EXPECT_NE(text.find("Página 1 de 1"), std::string::npos);
}

TEST_F(FlightReportTest, AWritingDefinitionChangesNothingWhereverItIsPlanted) {
  const std::string writing =
      "title Limpeza\ncolumn CDCLASSE \"Classe\"\nsql\nDELETE FROM CLASSEVOO RETURNING CDCLASSE\n";
  const int64_t classes = Scalar("SELECT COUNT(*) FROM CLASSEVOO");
  ASSERT_GT(classes, 0);
  std::ofstream(folder / "definitions" / "ZOR122.rel") << writing;
  fs::create_directories(folder / "cwd" / "relatorios");
  std::ofstream(folder / "cwd" / "relatorios" / "ZOR122.rel") << writing;
  const fs::path previous = fs::current_path();
  fs::current_path(folder / "cwd");

  std::string refused, path;
  Print([&](Cli_zor12201::TfrmRelVoo& report) {
    report.rpddPadrao->SetReportDir((folder / "definitions").string());
    report.sbtConfirmar->UserClick();
    refused = LastMessage();
    report.rpddPadrao->SetReportDir("relatorios");  // relative: never searched
    path = Confirm(report);
    report.Close();
  });
  fs::current_path(previous);
  EXPECT_EQ(refused, "A definição do relatório 'ZOR122' (arquivo '" + (folder / "definitions" / "ZOR122.rel").string() +
                         "') tenta alterar dados e foi recusada: um relatório só pode ler o banco de dados.");
  EXPECT_NE(PdfText(path, 1).find("Vôos e trechos"), std::string::npos) << "the built-in report ran";
  EXPECT_EQ(Scalar("SELECT COUNT(*) FROM CLASSEVOO"), classes);
}

TEST_F(FlightReportTest, AnUnknownReportCodeNamesTheCodeAndTheFolder) {
  Print([&](Cli_zor12201::TfrmRelVoo& report) {
    report.rpddPadrao->SetReportDir("/nao/existe");
    report.SetReportCode("ZOR999");
    report.sbtConfirmar->UserClick();
    report.Close();
  });
  EXPECT_EQ(LastMessage(),
            "O arquivo contendo a definição do Relatório de código 'ZOR999' não foi encontrado no diretório "
            "'/nao/existe'.");
}

}  // namespace zor::Cli_zor12200
