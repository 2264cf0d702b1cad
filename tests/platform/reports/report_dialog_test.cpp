// Running a report against a real database, on SQLite and on PostgreSQL:
// where definitions may come from, that their queries can only read, that
// every document gets a file of its own, and the CSV beside it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "platform/core/exceptions.h"
#include "platform/library/messages.h"
#include "platform/reports/report_designer_dialog.h"
#include "platform/reports/report_files.h"
#include "platform/sql/adoib_query.h"
#include "platform/ui/scripted_ui.h"
#include "tests/platform/sql/backend.h"

namespace zor::plat {

using namespace sqltest;
namespace fs = std::filesystem;

namespace {

const char* const kBranches =
    "title Filiais\ncolumn CDFILIAL \"Código\"\ncolumn NMFILIAL \"Nome da filial\"\n"
    "sql\nSELECT CDFILIAL, NMFILIAL FROM FILIAL ORDER BY CDFILIAL\n";
const char* const kWriting =
    "title Apaga\ncolumn CDFILIAL \"Código\"\nsql\nDELETE FROM FILIAL RETURNING CDFILIAL\n";

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class SQL_SUITE(ReportDialog) : public DatabaseTest {
 protected:
  void SetUp() override {
    DatabaseTest::SetUp();
    if (IsSkipped()) return;
    TADOIBQuery::SetDefaultConnection(db_->Conn);
    SetUi(&ui);
    folder = fs::temp_directory_path() / ("zor-report-dialog-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder / "configured");
    fs::create_directories(folder / "cwd" / "relatorios");
    ::setenv("ZOR_REPORT_OUTPUT", (folder / "out").c_str(), 1);
    previous = fs::current_path();
    messages.SetMessages({"Arq_Rel_Err|O arquivo contendo a definição do Relatório de código '%s' não foi "
                          "encontrado no diretório '%s'."});
    dialog.Renderer = [](const ReportDocument& doc, const std::string& path) {
      std::ofstream(path) << doc.Title << " " << doc.Groups.size();
    };
  }
  void TearDown() override {
    if (!previous.empty()) fs::current_path(previous);
    ::unsetenv("ZOR_REPORT_OUTPUT");
    SetUi(nullptr);
    TADOIBQuery::SetDefaultConnection(nullptr);
    if (!folder.empty()) fs::remove_all(folder);
  }
  int64_t Branches() { return Db().Query("SELECT COUNT(*) FROM FILIAL").Rows.at(0).at(0).AsInteger(); }

  ScriptedUi ui;
  TMessages messages;
  TReportDesignerDialog dialog;
  fs::path folder, previous;
};

}  // namespace

TEST_F(SQL_SUITE(ReportDialog), AWritingDefinitionIsRefusedAndTheWorkingDirectoryIsNeverRead) {
  TReportDesignerDialog::RegisterReport("ZOR901", kBranches);
  std::ofstream(folder / "configured" / "ZOR901.rel") << kWriting;
  std::ofstream(folder / "cwd" / "relatorios" / "ZOR901.rel") << kWriting;
  fs::current_path(folder / "cwd");

  // Planted in the configured folder: found, refused, nothing removed.
  dialog.SetReportDir((folder / "configured").string());
  EXPECT_THROW(dialog.Execute("ZOR901", messages), EAbort);
  EXPECT_EQ(ui.LastMessage().value_or(""),
            "A definição do relatório 'ZOR901' (arquivo '" + (folder / "configured" / "ZOR901.rel").string() +
                "') tenta alterar dados e foi recusada: um relatório só pode ler o banco de dados.");
  EXPECT_EQ(Branches(), 3);
  EXPECT_FALSE(fs::exists(folder / "out") && !fs::is_empty(folder / "out")) << "no half-written document";

  // Planted in the working directory: a relative folder is never searched,
  // so the built-in definition runs.
  dialog.SetReportDir("relatorios");
  const std::string path = dialog.Execute("ZOR901", messages);
  EXPECT_EQ(Read(path), "Filiais 3");
  EXPECT_EQ(Branches(), 3);
  dialog.SetReportDir("");
  EXPECT_EQ(Read(dialog.Execute("ZOR901", messages)), "Filiais 3");
  EXPECT_EQ(Branches(), 3);
}

TEST_F(SQL_SUITE(ReportDialog), AReadingDefinitionInTheConfiguredFolderReplacesTheBuiltInOne) {
  TReportDesignerDialog::RegisterReport("ZOR902", kBranches);
  std::ofstream(folder / "configured" / "ZOR902.rel")
      << "title Só a matriz\ncolumn NMFILIAL \"Nome\"\nsql\nSELECT NMFILIAL FROM FILIAL WHERE CDFILIAL = '0001'\n";
  dialog.SetReportDir((folder / "configured").string());
  EXPECT_EQ(Read(dialog.Execute("ZOR902", messages)), "Só a matriz 1");
  EXPECT_EQ(ui.LastMessage().value_or("").rfind("Relatório gerado em " + (folder / "out").string(), 0), 0u)
      << "headless, the place of the document is told";
}

TEST_F(SQL_SUITE(ReportDialog), TwoReportsInTheSameSecondKeepTheirOwnFiles) {
  TReportDesignerDialog::RegisterReport("ZOR903", kBranches);
  std::set<std::string> paths;
  for (int i = 0; i < 3; ++i) paths.insert(dialog.Execute("ZOR903", messages));
  EXPECT_EQ(paths.size(), 3u);
  for (const auto& path : paths) {
    EXPECT_EQ(Read(path), "Filiais 3");
    EXPECT_TRUE(fs::exists(fs::path(path).replace_extension(".csv")));
  }
  // The same second, forced: the second name gets a number, the first stays.
  const fs::path a = CreateUniqueReportFile(folder / "same", "ZOR903", "20261208-101010", ".pdf");
  std::ofstream(a) << "first";
  const fs::path b = CreateUniqueReportFile(folder / "same", "ZOR903", "20261208-101010", ".pdf");
  EXPECT_EQ(a.filename(), "ZOR903-20261208-101010.pdf");
  EXPECT_EQ(b.filename(), "ZOR903-20261208-101010-2.pdf");
  EXPECT_EQ(Read(a), "first");
}

TEST_F(SQL_SUITE(ReportDialog), TheCsvIsUtf8WithSemicolonsAndDecimalCommas) {
  TReportDesignerDialog::RegisterReport(
      "ZOR904",
      "title Números\ncolumn NMFILIAL \"Nome; completo\"\ncolumn TAXA \"Taxa\"\ncolumn NOTA \"Nota\"\n"
      "sql\nSELECT NMFILIAL, CAST(2.5 AS REAL) AS TAXA, 'diz \"oi\"' AS NOTA FROM FILIAL WHERE CDFILIAL = '0001'\n");
  dialog.Execute("ZOR904", messages);
  EXPECT_EQ(Read(dialog.LastCsvPath()),
            "\xEF\xBB\xBF\"Nome; completo\";Taxa;Nota\r\n"
            "Matriz;2,5;\"diz \"\"oi\"\"\"\r\n");
}

TEST(ReportFolders, OnlyAnAbsoluteConfiguredFolderAndTheInstalledOneAreSearched) {
  auto folders = ReportDefinitionFolders("relatorios");
  ASSERT_EQ(folders.size(), 1u);
  EXPECT_EQ(folders[0], InstalledReportFolder());
  EXPECT_TRUE(InstalledReportFolder().is_absolute());
  folders = ReportDefinitionFolders("/etc/zor/relatorios");
  ASSERT_EQ(folders.size(), 2u);
  EXPECT_EQ(folders[0], "/etc/zor/relatorios");
}

TEST(ReportFolders, DocumentsGoToThePersonsDataFolderNotATemporaryOne) {
  ::unsetenv("ZOR_REPORT_OUTPUT");
  ::setenv("XDG_DATA_HOME", "/home/ana/.dados", 1);
  EXPECT_EQ(ReportOutputFolder(), "/home/ana/.dados/zor12200/relatorios");
  ::unsetenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  if (home) {
    EXPECT_EQ(ReportOutputFolder(), fs::path(home) / ".local/share/zor12200/relatorios");
  }
}

}  // namespace zor::plat
