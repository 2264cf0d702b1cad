// Saving a new flight with one leg the way the screen saves: the flight's
// change log sent through the screen's own connection and sending routine
// (SetVoo), then the leg's (SetTrecho, the server numbering the leg) with
// the reload of the legs (GetTrecho) in the same request, while the company's 2,000
// or 10,000 flights are loaded in the flight dataset. Against the raw
// INSERT of the same two rows, COMMIT, and the reread of the flight's legs
// with their own SELECT; and against the same with the flight and the leg
// committed one after the other, as the screen must (a refused leg leaves
// its flight saved). On SQLite and (with ZOR_TEST_PG_URL) PostgreSQL.
// Beside them, two calls that do next to nothing: what the calls alone cost.
// The screen's save also reports the time each of its requests took.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <map>

#include "bench/bench_env.h"
#include "bench/ratio_reporter.h"
#include "bench/raw_fetch.h"
#include "data_access/server_methods.h"
#include "flight_screen/server_exchange.h"
#include "platform/data/client_data_set.h"
#include "platform/library/consiste.h"
#include "server/dataset_catalog.h"
#include "server/packet.h"

using namespace zor::plat;

namespace {

// New flight numbers, above the demo data's; each run removes its flights
// when it ends, so that every run finds the company's flights as filled.
constexpr int kFirstNewFlight = 99000;

void RemoveNewFlights(zor::bench::RawReader& db) {
  const std::vector<zor::bench::RawValue> where = {std::string(zor::bench::kBranch), std::string(zor::bench::kCompanyCode),
                                              std::to_string(kFirstNewFlight)};
  for (const char* table : {"CLASSEVOO", "VOOTRECHO", "VOO"})
    db.Exec(std::string("DELETE FROM ") + table + " WHERE CDFILIAL = ? AND CDCIA = ? AND NRVOO >= ?", where);
}

// The first flight of the company (it has legs in the demo data).
std::string TemplateFlight(zor::bench::RawReader& db) {
  auto r = db.Fetch("SELECT MIN(NRVOO) FROM VOO WHERE CDFILIAL = ? AND CDCIA = ?",
                    {std::string(zor::bench::kBranch), std::string(zor::bench::kCompanyCode)});
  return std::get<std::string>(r.at(0).at(0));
}

std::vector<Variant> CurrentValues(TClientDataSet& ds) {
  std::vector<Variant> v;
  for (TField* f : ds.Fields()) v.push_back(f->Value());
  return v;
}

void AppendCopy(TClientDataSet& ds, const std::vector<Variant>& values) {
  ds.Append();
  for (int i = 0; i < ds.FieldCount(); ++i) ds.Fields()[i]->SetValue(values[i]);
}

// Milliseconds per save spent in each of the save's two requests, shown as
// counters beside the save's time: which one to look at first.
class CallTimes {
 public:
  void Start() { last_ = Clock::now(); }
  void Lap(double& total) {
    const Clock::time_point now = Clock::now();
    total += std::chrono::duration<double, std::milli>(now - last_).count();
    last_ = now;
  }
  void Report(benchmark::State& state) const {
    const double saves = static_cast<double>(state.iterations());
    state.counters["SetVoo_ms"] = flight / saves;
    state.counters["SetTrecho+GetTrecho_ms"] = leg / saves;
  }
  double flight = 0, leg = 0, editing = 0;

 private:
  using Clock = std::chrono::steady_clock;
  Clock::time_point last_;
};

void ScreenSave(benchmark::State& state, const std::string& backend, int flights) {
  zor::bench::Environment& env = zor::bench::Environment::Get(backend, flights);
  zor::Cli_zor12200::TfrmVoo& f = env.Screen();
  f.UserFocus(f.dbgPadrao);  // the company's flights loaded, as the person has them
  TNetConnection& net = *f.netVooTrecho;
  zor::data_access::VooTrechoServer server(net);
  zor::bench::RawReader db(env.Url());
  const std::string first = TemplateFlight(db);

  TClientDataSet flightList, legs;
  flightList.SetData(Consiste::CheckResultServ(server.GetVoo(zor::bench::kBranch, zor::bench::kCompanyCode), true, 0));
  flightList.Locate("NRVOO", Variant(first));
  const std::vector<Variant> flight = CurrentValues(flightList);
  legs.SetData(Consiste::CheckResultServ(server.GetTrecho(zor::bench::kCompanyCode, first, zor::bench::kBranch), true, 0));
  const std::vector<Variant> leg = CurrentValues(legs);

  int next = kFirstNewFlight;
  CallTimes times;
  for (auto _ : state) {
    const std::string nr = std::to_string(next++);
    times.Start();
    AppendCopy(flightList, flight);
    flightList.FieldByName("NRVOO")->SetAsString(nr);
    flightList.Post();
    times.Lap(times.editing);
    SaveChanges(net, flightList, zor::Cli_zor12200::SavedData::Flights);
    times.Lap(times.flight);
    AppendCopy(legs, leg);
    legs.FieldByName("NRVOO")->SetAsString(nr);
    legs.FieldByName("CDTRECHO")->Clear();  // numbered by the server
    legs.Post();
    times.Lap(times.editing);
    zor::Cli_zor12200::SaveLegsAndReload(net, legs, {zor::bench::kCompanyCode, nr, zor::bench::kBranch});
    times.Lap(times.leg);
    if (legs.RecordCount() != 1) {
      state.SkipWithError("the saved leg did not come back");
      break;
    }
  }
  state.counters["flights_loaded"] = flightList.RecordCount();
  times.Report(state);
  RemoveNewFlights(db);
}

// What two calls cost whatever they do: the same connection asks twice
// for a shift that does not exist (the session checked, one indexed
// read finding nothing, an empty packet back). The part of the save that
// is the calls themselves rather than their work.
void TwoSmallCalls(benchmark::State& state, const std::string& backend, int flights) {
  zor::bench::Environment& env = zor::bench::Environment::Get(backend, flights);
  zor::Cli_zor12200::TfrmVoo& f = env.Screen();
  zor::data_access::VooTrechoServer server(*f.netVooTrecho);
  TClientDataSet shifts;
  for (auto _ : state) {
    for (int call = 0; call < 2; ++call) {
      shifts.SetData(Consiste::CheckResultServ(server.GetTurno("9999", "N"), true, 0));
      if (shifts.RecordCount() != 0) {
        state.SkipWithError("a shift that does not exist came back");
        return;
      }
    }
  }
}

// The stored columns of a dataset, which its table holds.
std::vector<std::string> StoredColumns(const zor::server::DatasetDef& d) {
  std::vector<std::string> c;
  for (const auto& f : d.fields)
    if (f.stored) c.push_back(f.Name);
  return c;
}

std::string Insert(const std::string& table, const std::vector<std::string>& columns) {
  std::string names, marks;
  for (const auto& c : columns) {
    names += (names.empty() ? "" : ", ") + c;
    marks += marks.empty() ? "?" : ", ?";
  }
  return "INSERT INTO " + table + " (" + names + ") VALUES (" + marks + ")";
}

std::string Select(const std::string& table, const std::vector<std::string>& columns) {
  std::string names;
  for (const auto& c : columns) names += (names.empty() ? "" : ", ") + c;
  return "SELECT " + names + " FROM " + table + " WHERE CDFILIAL = ? AND CDCIA = ? AND NRVOO = ?";
}

// Both rows in one transaction (BM_RawSave), or committed as the screen must
// commit them (BM_RawSaveFlightThenLeg): the flight first, then its leg, so
// that a leg the database refuses leaves the flight saved.
void RawSaveCommitting(benchmark::State& state, const std::string& backend, int flights, bool flightThenLeg) {
  zor::bench::Environment& env = zor::bench::Environment::Get(backend, flights);
  zor::bench::RawReader db(env.Url());
  const auto& voo = zor::server::VooDataset();
  const auto& trecho = zor::server::TrechoDataset();
  const std::vector<std::string> flightColumns = StoredColumns(voo), legColumns = StoredColumns(trecho);
  const std::string first = TemplateFlight(db);
  const std::vector<zor::bench::RawValue> key = {std::string(zor::bench::kBranch), std::string(zor::bench::kCompanyCode), first};
  const std::vector<zor::bench::RawValue> flight = db.Fetch(Select(voo.table, flightColumns), key).at(0);
  const std::vector<zor::bench::RawValue> leg = db.Fetch(Select(trecho.table, legColumns), key).at(0);
  const size_t flightNr = std::find(flightColumns.begin(), flightColumns.end(), "NRVOO") - flightColumns.begin();
  const size_t legNr = std::find(legColumns.begin(), legColumns.end(), "NRVOO") - legColumns.begin();
  const std::string insertFlight = Insert(voo.table, flightColumns), insertLeg = Insert(trecho.table, legColumns);
  const std::string reread = zor::server::SelectSql(trecho) +
                             " WHERE R.CDFILIAL = ? AND R.CDCIA = ? AND R.NRVOO = ? ORDER BY " + trecho.orderBy;
  const std::string begin = backend == "sqlite" ? "BEGIN IMMEDIATE" : "BEGIN";

  int next = kFirstNewFlight;
  for (auto _ : state) {
    const std::string nr = std::to_string(next++);
    std::vector<zor::bench::RawValue> f = flight, l = leg;
    f[flightNr] = nr;
    l[legNr] = nr;
    db.Exec(begin);
    db.Exec(insertFlight, f);
    if (flightThenLeg) {
      db.Exec("COMMIT");
      db.Exec(begin);
    }
    db.Exec(insertLeg, l);
    db.Exec("COMMIT");
    zor::bench::RawRows rows = db.Fetch(reread, {std::string(zor::bench::kBranch), std::string(zor::bench::kCompanyCode), nr});
    if (rows.size() != 1) {
      state.SkipWithError("the inserted leg did not come back");
      break;
    }
  }
  RemoveNewFlights(db);
}

void RawSave(benchmark::State& state, const std::string& backend, int flights) {
  RawSaveCommitting(state, backend, flights, false);
}

void RawSaveFlightThenLeg(benchmark::State& state, const std::string& backend, int flights) {
  RawSaveCommitting(state, backend, flights, true);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  for (const std::string& backend : zor::bench::Backends()) {
    for (int flights : {2000, 10000}) {
      const std::string suffix = "/" + backend + "/" + std::to_string(flights);
      // A fixed number of saves per run: the new flight numbers must stay
      // within the numbers' five digits.
      benchmark::RegisterBenchmark(("BM_RawSave" + suffix).c_str(), RawSave, backend, flights)
          ->Unit(benchmark::kMillisecond)
          ->UseRealTime()
          ->Iterations(200);
      benchmark::RegisterBenchmark(("BM_RawSaveFlightThenLeg" + suffix).c_str(), RawSaveFlightThenLeg, backend, flights)
          ->Unit(benchmark::kMillisecond)
          ->UseRealTime()
          ->Iterations(200);
      benchmark::RegisterBenchmark(("BM_ScreenSave" + suffix).c_str(), ScreenSave, backend, flights)
          ->Unit(benchmark::kMillisecond)
          ->UseRealTime()
          ->Iterations(200);
      benchmark::RegisterBenchmark(("BM_TwoSmallCalls" + suffix).c_str(), TwoSmallCalls, backend, flights)
          ->Unit(benchmark::kMillisecond)
          ->UseRealTime()
          ->Iterations(200);
    }
  }
  RatioReporter reporter(std::vector<std::string>{"BM_RawSave", "BM_RawSaveFlightThenLeg"});
  benchmark::RunSpecifiedBenchmarks(&reporter);
  zor::bench::Environment::CloseAll();
  benchmark::Shutdown();
  return 0;
}
