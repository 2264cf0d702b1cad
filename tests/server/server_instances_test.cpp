// Several server processes on one PostgreSQL database, as behind a load
// balancer: the server keeps nothing between calls but its connection pool,
// so eight desks spread over two instances, all changing one shared flight
// and adding legs to it, lose no update and get contiguous leg numbers.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <set>
#include <thread>
#include <vector>

#include "server/dataset_catalog.h"
#include "tests/server/server_harness.h"

namespace zor::server::testing {

namespace {

// One zor12200-server process on a free port.
class ServerProcess {
 public:
  ServerProcess(const std::string& url, bool demo) {
    int out[2];
    if (pipe(out) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      dup2(out[1], 1);
      std::vector<const char*> args = {ZOR_SERVER_EXE, "--db", url.c_str(), "--listen", "127.0.0.1:0"};
      if (demo) args.push_back("--init-demo");
      args.push_back(nullptr);
      execv(ZOR_SERVER_EXE, const_cast<char* const*>(args.data()));
      _exit(127);
    }
    close(out[1]);
    // The server prints the address it bound once it is ready; its last
    // line is that address.
    std::string line, last;
    char ch;
    while (read(out[0], &ch, 1) == 1) {
      if (ch != '\n') {
        line += ch;
        continue;
      }
      last = line;
      line.clear();
      if (last.rfind("127.0.0.1:", 0) == 0) break;
    }
    close(out[0]);
    auto colon = last.rfind(':');
    if (colon != std::string::npos) port_ = std::atoi(last.c_str() + colon + 1);
  }
  ~ServerProcess() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }
  int Port() const { return port_; }

 private:
  pid_t pid_ = -1;
  int port_ = 0;
};

json FindFlight(const json& rows, const std::string& nr) {
  for (const auto& r : rows)
    if (Field(VooDataset(), r, "NRVOO") == nr) return r;
  return nullptr;
}

}  // namespace

TEST(ServerInstances, TwoInstancesOnOneDatabaseLoseNoUpdate) {
  std::string why;
  auto db = TestDatabase::Create("pg", why);
  if (!db) GTEST_SKIP() << why;
  ServerProcess first(db->Url(), true);  // creates the schema and the demo data
  ASSERT_GT(first.Port(), 0);
  ServerProcess second(db->Url(), false);
  ASSERT_GT(second.Port(), 0);

  // One login, on the first instance: the session lives in the shared
  // database, so the desks calling the second instance use it as well.
  RpcClient::SetDefaultToken(LoginToken(first.Port(), "demo", "demo1234"));
  ASSERT_FALSE(RpcClient::DefaultToken().empty());
  RpcClient setup(first.Port());
  ASSERT_EQ(setup.Call("SetVoo", json::array({Delta(VooDataset(), {InsertChange(NewFlight("7100"))})}))["result"]["ok"],
            true);

  constexpr int kDesks = 8, kIncrements = 15, kLegs = 5;
  // Every leg gets a pair of demo bases of its own.
  std::vector<std::pair<std::string, std::string>> pairs;
  for (int a = 1; a <= 10; ++a)
    for (int b = 1; b <= 10; ++b)
      if (a != b) pairs.emplace_back((a < 10 ? "000" : "00") + std::to_string(a), (b < 10 ? "000" : "00") + std::to_string(b));
  std::atomic<int> failures{0}, conflicts{0};
  std::vector<std::thread> desks;
  for (int d = 0; d < kDesks; ++d) {
    desks.emplace_back([&, d] {
      RpcClient c(d % 2 ? second.Port() : first.Port());
      for (int i = 0; i < kIncrements; ++i) {
        for (;;) {  // read, change, retry when another desk was first
          json cur = FindFlight(c.Data("GetVoo", {"0001", "0002"})["rows"], "7100");
          double n = Field(VooDataset(), cur, "QTDIASPROD").get<double>();
          json r = c.Call("SetVoo", json::array({Delta(
                                        VooDataset(), {ModifyChange(cur, WithValues(VooDataset(), cur,
                                                                                    {{"QTDIASPROD", n + 1}}))})}));
          if (r.contains("result") && r["result"]["ok"] == true) break;
          if (!r.contains("result")) {
            ++failures;
            ADD_FAILURE() << r.dump();
            return;
          }
          ++conflicts;
        }
        if (i < kLegs) {
          const auto& [from, to] = pairs[d * kLegs + i];
          json leg = NewLeg("7100", from, to);
          json r = c.Call("SetTrecho", json::array({Delta(TrechoDataset(), {InsertChange(leg)})}));
          if (!r.contains("result") || r["result"]["ok"] != true) {
            ++failures;
            ADD_FAILURE() << r.dump();
          }
        }
      }
    });
  }
  for (auto& t : desks) t.join();
  EXPECT_EQ(failures.load(), 0);

  RpcClient check(second.Port());
  json shared = FindFlight(check.Data("GetVoo", {"0001", "0002"})["rows"], "7100");
  EXPECT_EQ(Field(VooDataset(), shared, "QTDIASPROD").get<double>(), kDesks * kIncrements);
  json legs = check.Data("GetTrecho", {"0002", "7100", "0001"})["rows"];
  ASSERT_EQ(legs.size(), static_cast<size_t>(kDesks * kLegs));
  std::set<long> numbers;
  for (const auto& r : legs) numbers.insert(std::stol(Field(TrechoDataset(), r, "CDTRECHO").get<std::string>()));
  EXPECT_EQ(numbers.size(), legs.size());
  EXPECT_EQ(*numbers.begin(), 1);
  EXPECT_EQ(*numbers.rbegin(), static_cast<long>(legs.size()));
  RecordProperty("conflicts_retried", std::to_string(conflicts.load()));
}

}  // namespace zor::server::testing
