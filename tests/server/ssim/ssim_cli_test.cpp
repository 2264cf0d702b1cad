// The "ssim export" and "ssim import" commands of zor12200-server as a
// person runs them: what they print, what they write, their exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "server/demo_data.h"
#include "server/schema.h"

namespace zor::server {

namespace {

struct CommandResult {
  int status;
  std::string out, err;
};

CommandResult RunCommand(const std::string& args) {
  std::string errFile = ::testing::TempDir() + "ssim_cli_err_" + std::to_string(getpid());
  CommandResult r{};
  FILE* p = popen((std::string(ZOR_SERVER_EXE) + " " + args + " 2>" + errFile).c_str(), "r");
  std::array<char, 4096> buf{};
  size_t n;
  while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
  int st = pclose(p);
  r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  std::ifstream e(errFile);
  std::stringstream s;
  s << e.rdbuf();
  r.err = s.str();
  std::remove(errFile.c_str());
  return r;
}

std::string Sample(const std::string& name) { return std::string(ZOR_SSIM_DATA) + "/" + name; }

class SsimCommandLine : public ::testing::Test {
 protected:
  void SetUp() override {
    file_ = ::testing::TempDir() + "ssim_cli_" + std::to_string(getpid()) + ".db";
    auto c = OpenConnection("sqlite:" + file_);
    Migrate(*c);
    LoadDemoData(*c, DemoOptions{3});
    db_ = "--db sqlite:" + file_;
  }
  void TearDown() override {
    for (const char* suffix : {"", "-wal", "-shm", ".ssim"}) std::remove((file_ + suffix).c_str());
  }
  int Flights() {
    auto r = OpenConnection("sqlite:" + file_)->Query("SELECT COUNT(*) FROM VOO");
    return static_cast<int>(std::get<std::int64_t>(r.rows[0][0]));
  }
  std::string file_, db_;
};

}  // namespace

TEST_F(SsimCommandLine, ImportShowsThePlanAndWritesOnlyWithApply) {
  int before = Flights();
  CommandResult plan = RunCommand("ssim import " + Sample("abr_season.ssim") + " --branch 0001 --company 0001 " + db_);
  EXPECT_EQ(plan.status, 0) << plan.err;
  EXPECT_NE(plan.out.find("incluir   2500   GRU-BSB-MAO-BEL, A320, 1.3.5.., Regular"), std::string::npos) << plan.out;
  EXPECT_NE(plan.out.find("Nada foi gravado (use --apply para gravar)."), std::string::npos);
  EXPECT_EQ(Flights(), before);

  // The database may also be named after the command.
  CommandResult apply = RunCommand(db_ + " ssim import " + Sample("abr_season.ssim") + " --branch 0001 --company 0001 --apply");
  EXPECT_EQ(apply.status, 0) << apply.err;
  EXPECT_NE(apply.out.find("Gravado: 2 vôo(s) incluído(s), 1 alterado(s); 1 vôo(s) do cadastro ausente(s) do "
                           "arquivo, mantido(s)."),
            std::string::npos)
      << apply.out;
  EXPECT_EQ(Flights(), before + 2);
  // What the command wrote is in the audit trail under the server's name.
  auto audited = OpenConnection("sqlite:" + file_)->Query(
      "SELECT COUNT(*) FROM ZORAUDITORIA WHERE NMMETODO = 'ssim import' AND CDUSUARIO = '(servidor)'"
      " AND NMTABELA = 'VOO' AND IDTIPO = 'I'");
  EXPECT_EQ(std::get<std::int64_t>(audited.rows[0][0]), 2);
}

TEST_F(SsimCommandLine, ExportWritesTheFileAndNamesTheFlightsLeftOut) {
  OpenConnection("sqlite:" + file_)->Execute("UPDATE EQUIPAMENTO SET CDIATA = NULL WHERE CDEQUIP = '0004'");
  CommandResult r = RunCommand("ssim export --branch 0001 --company 0001 --from 2026-01-01 --to 31/12/2026 -o " + file_ + ".ssim " + db_);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err,
            "não exportado: Vôo 1000: o equipamento B737 não tem código IATA de tipo de aeronave.\n"
            "2 vôo(s) exportado(s), 1 não exportado(s).\n");
  std::ifstream f(file_ + ".ssim");
  std::stringstream s;
  s << f.rdbuf();
  EXPECT_NE(s.str().find("3 ABR10010101F01JAN2631DEC2612 4    GRU18001800       GIG19051905       320WY"),
            std::string::npos);
}

TEST_F(SsimCommandLine, MistakesAreReportedWithoutWriting) {
  CommandResult wrongCompany = RunCommand("ssim import " + Sample("two_carriers.ssim") + " --branch 0001 --company 0003 " + db_);
  EXPECT_EQ(wrongCompany.status, 1);
  EXPECT_EQ(wrongCompany.err, "ERRO O arquivo não traz vôos da companhia PNT (companhias no arquivo: CRZ, ABR).\n");
  CommandResult missing = RunCommand("ssim import /nao/existe.ssim --branch 0001 --company 0001 " + db_);
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "ERRO Não foi possível ler o arquivo /nao/existe.ssim.\n");
  CommandResult badDate = RunCommand("ssim export --branch 0001 --company 0001 --from 2026-02-30 --to 2026-12-31 " + db_);
  EXPECT_EQ(badDate.status, 1);
  EXPECT_EQ(badDate.err, "ERRO Data inválida em --from: 2026-02-30 (use aaaa-mm-dd ou dd/mm/aaaa).\n");
  CommandResult noBranch = RunCommand("ssim export --branch 0042 --company 0001 " + db_);
  EXPECT_EQ(noBranch.status, 1);
  EXPECT_EQ(noBranch.err, "ERRO Filial 0042 não cadastrada.\n");
}

}  // namespace zor::server
