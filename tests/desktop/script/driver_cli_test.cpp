// The zor-script executable: its flags, its exit status for scripts and
// set-ups it cannot use, and a whole run through dlopen of a stand-in
// package with the host context it sets (branch name from the database).
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/sql/connection.h"

namespace zor::script {

namespace {

namespace fs = std::filesystem;

struct Result {
  int status = -1;
  std::string output;
};

class DriverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("zor-script-test-" + std::to_string(getpid()) + "-" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }

  std::string Write(const std::string& name, const std::string& text) {
    std::ofstream(dir / name, std::ios::binary) << text;
    return (dir / name).string();
  }

  Result Run(const std::string& args) {
    Result r;
    std::string command = std::string(ZOR_SCRIPT_EXE) + " " + args + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return r;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) r.output.append(buffer, n);
    int raw = pclose(pipe);
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return r;
  }

  std::string Package() const { return std::string("--package ") + FAKE_PACKAGE; }

  fs::path dir;
};

TEST_F(DriverTest, ScriptsAndSetUpsItCannotUseExitWithTwo) {
  auto r = Run(Package() + " " + (dir / "nao_existe.zs").string());
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.output.find("não foi possível ler o roteiro"), std::string::npos) << r.output;

  std::string bad = Write("ruim.zs", "open\nexpect edtNome.Text\n");
  r = Run(Package() + " " + bad);
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.output.find("ruim.zs:2: "), std::string::npos) << r.output;

  std::string good = Write("bom.zs", "open\n");
  r = Run("--package " + (dir / "nao_ha.so").string() + " " + good);
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.output.find("não foi encontrado"), std::string::npos) << r.output;

  r = Run(Package() + " --screen 800 " + good);
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.output.find("tamanho de tela inválido"), std::string::npos) << r.output;

  r = Run(Package() + " --server semporta " + good);
  EXPECT_EQ(r.status, 2);

  r = Run(Package() + " --db mysql://x " + good);
  EXPECT_EQ(r.status, 2);

  r = Run(Package() + " --sem-isso " + good);
  EXPECT_EQ(r.status, 2);
}

TEST_F(DriverTest, RunsAScriptOnTheLoadedPackageWithTheHostContext) {
  {
    auto db = plat::OpenConnection("sqlite:" + (dir / "demo.db").string());
    db->ExecuteScript(
        "CREATE TABLE FILIAL (CDFILIAL VARCHAR(4) PRIMARY KEY, NMFILIAL VARCHAR(30), IDCNTRRESC VARCHAR(1));"
        "INSERT INTO FILIAL VALUES ('0001', 'Guarulhos', 'N');");
  }
  std::string script = Write("abre.zs",
                             "open\n"
                             "expect frmTeste.Caption MENU\n"
                             "expect edtNome.Text Guarulhos\n"
                             "close\n"
                             "open-flight ABR 1000\n"
                             "expect medCodigo.Text 0001\n"
                             "expect edtNome.Text ABR/1000\n"
                             "expect form.Caption ZOR12200\n"
                             "close\n"
                             "leg-dialog\n"
                             "modal\n"
                             "open\n"
                             "expect form.Caption \"MENU trecho\"\n"
                             "click sbtOk\n"
                             "expect frmTeste.Visible true\n");
  auto r = Run(Package() + " --db sqlite:" + (dir / "demo.db").string() +
               " --branch 0001 --server 127.0.0.1:8211 --screen 640x480 " + script);
  EXPECT_EQ(r.status, 1) << r.output;
  // The modal run ended with sbtOk and the form was freed at close: the
  // last expectation finds no such form any more.
  EXPECT_NE(r.output.find("janela modal fechada: frmTeste com resultado 1"), std::string::npos) << r.output;
  EXPECT_NE(r.output.find("FALHOU (linha 15): componente frmTeste não encontrado"), std::string::npos) << r.output;
  EXPECT_NE(r.output.find("fim: 15 gestos, 7 expectativas, 1 falha"), std::string::npos) << r.output;
}

}  // namespace

}  // namespace zor::script
