// The person's wait after picking branch and company: leaving the context
// strip of the real flight screen, which asks the real server (same
// process, real HTTP on loopback) for the company's flights, the first
// flight's legs and the first leg's classes, and loads them into the
// screen's datasets. Against the raw fetch of the same flights: the flight
// list's own SELECT on the database, every value copied. At 2,000 and
// 10,000 flights, on SQLite and (with ZOR_TEST_PG_URL) PostgreSQL. Also
// reports the heap the loaded flights keep, per flight, the most the
// client held while it loaded them, and the CPU of the screen's own thread
// per load (the process's CPU, in the CPU column, adds the server's).
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <time.h>

#include "bench/bench_env.h"
#include "bench/heap_peak.h"
#include "bench/ratio_reporter.h"
#include "bench/raw_fetch.h"
#include "server/dataset_catalog.h"
#include "server/packet.h"

namespace {

double ThreadCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

void RawFetch(benchmark::State& state, const std::string& backend, int flights) {
  zor::bench::Environment& env = zor::bench::Environment::Get(backend, flights);
  zor::bench::RawReader reader(env.Url());
  const auto& voo = zor::server::VooDataset();
  const std::string sql =
      zor::server::SelectSql(voo) + " WHERE V.CDFILIAL = ? AND V.CDCIA = ? ORDER BY " + voo.orderBy;
  size_t rows = 0;
  for (auto _ : state) {
    zor::bench::RawRows r = reader.Fetch(sql, {std::string(zor::bench::kBranch), std::string(zor::bench::kCompanyCode)});
    rows = r.size();
    benchmark::DoNotOptimize(r.data());
  }
  if (rows != static_cast<size_t>(flights)) state.SkipWithError("the raw fetch did not read every flight");
  state.SetItemsProcessed(state.iterations() * flights);
}

void ContextLoad(benchmark::State& state, const std::string& backend, int flights) {
  zor::bench::Environment& env = zor::bench::Environment::Get(backend, flights);
  zor::Cli_zor12200::TfrmVoo& f = env.Screen();
  double clientCpu = 0;  // the screen's own thread; the rest of the process's CPU is the server's
  for (auto _ : state) {
    state.PauseTiming();
    f.UserFocus(f.medSgCia);  // entering the strip closes the flights
    env.Ui().ClearEvents();
    state.ResumeTiming();
    const double started = ThreadCpuSeconds();
    if (!f.UserFocus(f.dbgPadrao)) {
      state.SkipWithError("leaving the strip was refused");
      break;
    }
    clientCpu += ThreadCpuSeconds() - started;
  }
  state.counters["client_cpu_ms"] =
      benchmark::Counter(clientCpu * 1000, benchmark::Counter::kAvgIterations);
  if (f.cdsVoo->RecordCount() != flights || !f.cdstrechoo->Active() || !f.cdsClasseVoo->Active())
    state.SkipWithError("the screen did not load every flight with its first leg");
  state.SetItemsProcessed(state.iterations() * flights);
  // What the loaded flights keep on the heap once the load is over: the
  // heap in use with the flights loaded less the heap with them closed (the
  // server in this process has freed its answer by then).
  f.UserFocus(f.medSgCia);
  const size_t closed = mallinfo2().uordblks;
  zor::bench::StartHeapPeak();
  f.UserFocus(f.dbgPadrao);
  const size_t peak = zor::bench::StopHeapPeak();
  const size_t loaded = mallinfo2().uordblks;
  state.counters["kept_bytes_per_flight"] =
      loaded > closed ? static_cast<double>(loaded - closed) / flights : 0.0;
  // The most the client's thread held beyond the closed screen while it
  // asked for the flights, decoded them and loaded them (the server's
  // threads not counted).
  state.counters["peak_bytes_per_flight"] = static_cast<double>(peak) / flights;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  for (const std::string& backend : zor::bench::Backends()) {
    for (int flights : {2000, 10000}) {
      const std::string suffix = "/" + backend + "/" + std::to_string(flights);
      // CPU time is the whole process's: the server's threads work for the screen.
      benchmark::RegisterBenchmark(("BM_RawFetch" + suffix).c_str(), RawFetch, backend, flights)
          ->Unit(benchmark::kMillisecond)
          ->MeasureProcessCPUTime()
          ->UseRealTime();
      benchmark::RegisterBenchmark(("BM_ContextLoad" + suffix).c_str(), ContextLoad, backend, flights)
          ->Unit(benchmark::kMillisecond)
          ->MeasureProcessCPUTime()
          ->UseRealTime();
    }
  }
  RatioReporter reporter("BM_RawFetch");
  benchmark::RunSpecifiedBenchmarks(&reporter);
  zor::bench::Environment::CloseAll();
  benchmark::Shutdown();
  return 0;
}
