// The zor12200-server executable: its command line, a clean stop on
// SIGTERM with one log line per call, and the curl examples of the protocol
// document, answered as written there by a server on the demo data.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>

#include "server/admin_commands.h"
#include "tests/server/server_harness.h"

namespace zor::server::testing {

namespace {

struct CommandRun {
  int status;
  std::string out;
};

CommandRun RunCommand(const std::string& cmd) {
  CommandRun r{};
  FILE* p = popen((cmd + " 2>&1").c_str(), "r");
  std::array<char, 4096> buf{};
  size_t n;
  while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
  int st = pclose(p);
  r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  return r;
}

}  // namespace

TEST(ServerCommandLine, HelpVersionAndBadArguments) {
  CommandRun help = RunCommand(std::string(ZOR_SERVER_EXE) + " --help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--init-demo"), std::string::npos);
  EXPECT_NE(help.out.find("--listen"), std::string::npos);
  CommandRun version = RunCommand(std::string(ZOR_SERVER_EXE) + " --version");
  EXPECT_EQ(version.status, 0);
  EXPECT_NE(version.out.find("zor12200-server"), std::string::npos);
  CommandRun noDb = RunCommand(std::string(ZOR_SERVER_EXE) + " --listen 127.0.0.1:0");
  EXPECT_NE(noDb.status, 0);
  CommandRun badUrl = RunCommand(std::string(ZOR_SERVER_EXE) + " --db mysql://x --listen 127.0.0.1:0");
  EXPECT_NE(badUrl.status, 0);
  EXPECT_NE(badUrl.out.find("não reconhecida"), std::string::npos);
  CommandRun badListen = RunCommand(std::string(ZOR_SERVER_EXE) + " --db sqlite:/tmp/x.db --listen 127.0.0.1:http");
  EXPECT_NE(badListen.status, 0);
}

TEST(ServerCommandLine, ServesTheDemoAndStopsCleanlyOnSigterm) {
  std::string dbFile = ::testing::TempDir() + "zor_cli_" + std::to_string(getpid()) + ".db";
  std::string logFile = dbFile + ".log";
  int out[2];
  ASSERT_EQ(pipe(out), 0);
  pid_t pid = fork();
  if (pid == 0) {
    dup2(out[1], 1);
    FILE* log = std::fopen(logFile.c_str(), "w");
    dup2(fileno(log), 2);
    execl(ZOR_SERVER_EXE, ZOR_SERVER_EXE, "--db", ("sqlite:" + dbFile).c_str(), "--init-demo", "--demo-flights",
          "20", "--listen", "127.0.0.1:0", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(out[1]);
  // With port 0 the server prints the address it bound.
  std::string line;
  char ch;
  while (read(out[0], &ch, 1) == 1 && ch != '\n') line += ch;
  close(out[0]);
  auto colon = line.rfind(':');
  ASSERT_NE(colon, std::string::npos) << line;
  int port = std::stoi(line.substr(colon + 1));

  RpcClient client(port, FlightModule::kName, LoginToken(port, "demo", "demo1234"));
  EXPECT_EQ(client.Data("GetVoo", {"0001", "0001"})["rows"].size(), 20u);
  client.Call("Missing", json::array());

  // A second server on the same port refuses to start (both listening
  // would send desks to either database); a fixed port is printed too.
  std::string otherDb = dbFile + ".other";
  CommandRun second = RunCommand("timeout 10 " + std::string(ZOR_SERVER_EXE) + " --db sqlite:" + otherDb +
                                 " --listen 127.0.0.1:" + std::to_string(port));
  EXPECT_EQ(second.status, 1) << second.out;
  EXPECT_NE(second.out.find("a porta já está em uso"), std::string::npos) << second.out;
  CommandRun fixed = RunCommand("timeout -s INT 2 " + std::string(ZOR_SERVER_EXE) + " --db sqlite:" + otherDb +
                                " --listen 127.0.0.1:" + std::to_string(port + 1));
  EXPECT_NE(fixed.out.find("127.0.0.1:" + std::to_string(port + 1)), std::string::npos) << fixed.out;
  for (const char* suffix : {"", "-wal", "-shm"}) std::remove((otherDb + suffix).c_str());

  kill(pid, SIGTERM);
  int status = 0;
  waitpid(pid, &status, 0);
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  std::ifstream in(logFile);
  std::stringstream logText;
  logText << in.rdbuf();
  std::string log = logText.str();
  EXPECT_TRUE(std::regex_search(log, std::regex(R"(^INFO GetVoo [0-9.]+ ms \[demo\] ok$)", std::regex::multiline)))
      << log;
  EXPECT_TRUE(std::regex_search(log, std::regex(R"(WARN Missing [0-9.]+ ms \[demo\] erro -32601)"))) << log;
  // The demo user's line, the login, the two calls; never the password's
  // hash nor the token.
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 4) << log;
  EXPECT_EQ(log.find(client.Token()), std::string::npos) << log;
  for (const char* suffix : {"", "-wal", "-shm", ".log"}) std::remove((dbFile + suffix).c_str());
}

// Every ```sh block of the protocol document that posts with curl is
// followed by a ```json block with the answer; run them in order against a
// fresh demo database and compare.
TEST(ProtocolDocument, CurlExamplesAnswerAsWritten) {
  std::ifstream in(ZOR_PROTOCOL_DOC);
  ASSERT_TRUE(in) << ZOR_PROTOCOL_DOC;
  std::stringstream text;
  text << in.rdbuf();
  std::string doc = text.str();
  std::regex pair(R"(```sh\n(curl[^`]*?)```\s*\n```json\n([^`]*?)```)");
  std::regex body(R"(-d '([^']*)')");
  std::regex path(R"(http://127\.0\.0\.1:8211(/rpc/[^ ]+))");

  std::string why;
  auto db = TestDatabase::Create("sqlite", why);
  TestServer server(db->Url(), true, 300);
  EnsureDemoUser(*server.Pool().Acquire());
  httplib::Client client("127.0.0.1", server.Port());
  std::string token;  // $TOKEN of the document: the Login example's
  int examples = 0;
  for (auto it = std::sregex_iterator(doc.begin(), doc.end(), pair); it != std::sregex_iterator(); ++it) {
    std::string cmd = (*it)[1], expected = (*it)[2];
    std::smatch b, p;
    ASSERT_TRUE(std::regex_search(cmd, b, body)) << cmd;
    ASSERT_TRUE(std::regex_search(cmd, p, path)) << cmd;
    httplib::Headers headers;
    if (cmd.find("Authorization: Bearer $TOKEN") != std::string::npos) headers.emplace("Authorization", "Bearer " + token);
    auto res = client.Post(p[1].str().c_str(), headers, b[1].str(), "application/json");
    ASSERT_TRUE(res) << cmd;
    json answer = json::parse(res->body), want = json::parse(expected);
    const json data = answer.is_object() ? answer.value("/result/data"_json_pointer, json()) : json();  // a batch's is a list
    if (data.is_object() && data.contains("token")) {
      token = answer["result"]["data"]["token"];
      EXPECT_EQ(token.size(), 64u);
      answer["result"]["data"]["token"] = want["result"]["data"]["token"];  // random
    }
    EXPECT_EQ(answer, want) << cmd;
    ++examples;
  }
  EXPECT_GE(examples, 13);
}

}  // namespace zor::server::testing

namespace zor::server::testing {

// Users administered from the command line, logging in with what was set
// there, and the audit trail read back as CSV.
TEST(ServerCommandLine, UsersAndTheAuditTrail) {
  std::string why;
  auto db = TestDatabase::Create("sqlite", why);
  TestServer server(db->Url(), true, 30);
  std::string exe = std::string(ZOR_SERVER_EXE) + " --db " + db->Url();
  auto withPassword = [&](const std::string& password, const std::string& args) {
    return RunCommand("printf '%s\\n' '" + password + "' | " + exe + " " + args);
  };
  CommandRun shortPassword = withPassword("curta", "user add ana --name Ana --branches 0002");
  EXPECT_EQ(shortPassword.status, 2);
  EXPECT_NE(shortPassword.out.find("pelo menos 8 caracteres"), std::string::npos) << shortPassword.out;
  CommandRun unknownBranch = withPassword("senha-da-ana", "user add ana --name Ana --branches 0002,0042");
  EXPECT_EQ(unknownBranch.status, 2);
  EXPECT_NE(unknownBranch.out.find("Filial não cadastrada: 0042."), std::string::npos) << unknownBranch.out;
  CommandRun twoFixed = withPassword("senha-da-ana", "user add ana --name Ana --branches 0001,0002 --fixed");
  EXPECT_EQ(twoFixed.status, 2);
  CommandRun added = withPassword("senha-da-ana", "user add ana --name Ana --branches 0002");
  ASSERT_EQ(added.status, 0) << added.out;
  CommandRun list = RunCommand(exe + " user list");
  EXPECT_NE(list.out.find("ana"), std::string::npos) << list.out;
  {
    auto stored = server.Pool().Acquire()->Query("SELECT DSSENHAHASH FROM ZORUSUARIO WHERE CDUSUARIO = 'ana'");
    EXPECT_EQ(std::get<std::string>(stored.rows.at(0).at(0)).rfind("$argon2id$", 0), 0u);
  }

  std::string token = LoginToken(server.Port(), "ana", "senha-da-ana");
  ASSERT_FALSE(token.empty());
  RpcClient ana(server.Port(), FlightModule::kName, token);
  json flight = ana.Data("GetVoo", {"0002", "0001"})["rows"][0];
  json changed = WithValues(VooDataset(), flight, {{"QTHRKDTCAR", "0030"}});
  ana.Data("SetVoo", json::array({Delta(VooDataset(), {ModifyChange(flight, changed)})}));
  std::string nr = Field(VooDataset(), flight, "NRVOO");
  CommandRun csv = RunCommand(exe + " audit --branch 0002 --flight " + nr + " --csv");
  EXPECT_EQ(csv.status, 0) << csv.out;
  EXPECT_NE(csv.out.find("quando_utc,usuario,endereco,metodo,tabela,chave,tipo,campo,antes,depois"), std::string::npos);
  EXPECT_NE(csv.out.find(",ana,127.0.0.1,SetVoo,VOO,0002/0001/" + nr + ",alteração,QTHRKDTCAR,"), std::string::npos)
      << csv.out;
  CommandRun other = RunCommand(exe + " audit --branch 0001");
  EXPECT_NE(other.out.find("nenhuma alteração registrada"), std::string::npos) << other.out;

  // A new password ends her sessions; a disabled user cannot log in.
  CommandRun passwd = withPassword("outra-senha", "user passwd ana");
  EXPECT_EQ(passwd.status, 0) << passwd.out;
  EXPECT_EQ(ana.Call("GetVoo", {"0002", "0001"})["error"]["code"], -32001);
  EXPECT_FALSE(LoginToken(server.Port(), "ana", "outra-senha").empty());
  EXPECT_EQ(RunCommand(exe + " user disable ana").status, 0);
  EXPECT_TRUE(LoginToken(server.Port(), "ana", "outra-senha").empty());
}

}  // namespace zor::server::testing

namespace zor::server::testing {

namespace {

// Starts the server with extra arguments; its port, or 0.
int StartServer(const std::vector<std::string>& args, pid_t& pid, const std::string& errFile) {
  int out[2];
  if (pipe(out) != 0) return 0;
  pid = fork();
  if (pid == 0) {
    dup2(out[1], 1);
    FILE* err = std::fopen(errFile.c_str(), "w");
    dup2(fileno(err), 2);
    std::vector<char*> argv{const_cast<char*>(ZOR_SERVER_EXE)};
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(ZOR_SERVER_EXE, argv.data());
    _exit(127);
  }
  close(out[1]);
  std::string line;
  char ch;
  while (read(out[0], &ch, 1) == 1 && ch != '\n') line += ch;
  close(out[0]);
  auto colon = line.rfind(':');
  return colon == std::string::npos ? 0 : std::stoi(line.substr(colon + 1));
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace

// --tls-cert and --tls-key: HTTPS only, and a client that verifies the
// certificate against the private authority logs in; one that does not
// know the authority, or speaks plain HTTP, gets nothing.
TEST(ServerCommandLine, ServesHttpsWithTheGivenCertificate) {
  std::string dir = ::testing::TempDir() + "zor_tls_" + std::to_string(getpid());
  ASSERT_EQ(RunCommand("mkdir -p " + dir + " && openssl req -x509 -newkey rsa:2048 -nodes -keyout " + dir +
                       "/key.pem -out " + dir + "/cert.pem -days 2 -subj /CN=localhost -addext "
                       "subjectAltName=IP:127.0.0.1,DNS:localhost")
                .status,
            0);
  pid_t pid = 0;
  int port = StartServer({"--db", "sqlite:" + dir + "/demo.db", "--init-demo", "--demo-flights", "5", "--listen",
                          "127.0.0.1:0", "--tls-cert", dir + "/cert.pem", "--tls-key", dir + "/key.pem"},
                         pid, dir + "/err.txt");
  ASSERT_GT(port, 0) << ReadText(dir + "/err.txt");
  const std::string login = R"({"jsonrpc":"2.0","id":1,"method":"Login","params":["demo","demo1234"]})";

  httplib::Client trusted("https://127.0.0.1:" + std::to_string(port));
  trusted.enable_server_certificate_verification(true);
  trusted.set_ca_cert_path((dir + "/cert.pem").c_str());
  auto ok = trusted.Post("/rpc/Sessao", login, "application/json");
  ASSERT_TRUE(ok) << httplib::to_string(ok.error());
  EXPECT_EQ(json::parse(ok->body)["result"]["ok"], true) << ok->body;

  httplib::Client stranger("https://127.0.0.1:" + std::to_string(port));
  stranger.enable_server_certificate_verification(true);
  stranger.set_ca_cert_path("/nonexistent-ca.pem");
  EXPECT_FALSE(stranger.Post("/rpc/Sessao", login, "application/json"));
  httplib::Client plain("127.0.0.1", port);
  auto clear = plain.Post("/rpc/Sessao", login, "application/json");
  EXPECT_TRUE(!clear || clear->body.find("token") == std::string::npos);

  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  EXPECT_EQ(ReadText(dir + "/err.txt").find("sem TLS"), std::string::npos);

  // Another address than loopback without TLS: said at start.
  port = StartServer({"--db", "sqlite:" + dir + "/demo.db", "--listen", "0.0.0.0:0"}, pid, dir + "/err2.txt");
  ASSERT_GT(port, 0);
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  EXPECT_NE(ReadText(dir + "/err2.txt").find("WARN escutando em 0.0.0.0 sem TLS"), std::string::npos)
      << ReadText(dir + "/err2.txt");
  EXPECT_NE(RunCommand(std::string(ZOR_SERVER_EXE) + " --db sqlite:" + dir + "/demo.db --tls-cert " + dir +
                       "/cert.pem --listen 127.0.0.1:0")
                .status,
            0);
  RunCommand("rm -rf " + dir);
}

}  // namespace zor::server::testing
