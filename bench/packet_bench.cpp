// How much loading a server packet into a client dataset costs over merely
// parsing its JSON, and what building a delta costs, for flight-sized rows.
#include <benchmark/benchmark.h>

#include <nlohmann/json.hpp>
#include <string>

#include "bench/ratio_reporter.h"
#include "platform/data/client_data_set.h"
#include "platform/data/data_packet.h"

using namespace zor::plat;

namespace {

// A packet shaped like the flight list: 37 columns, mostly short codes.
JsonText FlightPacket(int rows) {
  DataPacket p;
  for (int c = 0; c < 34; ++c) p.Fields.push_back({"C" + std::to_string(c), FieldType::String, 10, 0});
  p.Fields.push_back({"DT", FieldType::DateTime, 0, 0});
  p.Fields.push_back({"VR", FieldType::Float, 0, 5});
  p.Fields.push_back({"QT", FieldType::Float, 0, 5});
  for (int r = 0; r < rows; ++r) {
    std::vector<Variant> row;
    for (int c = 0; c < 34; ++c) row.push_back(Variant(std::to_string((r * 37 + c) % 9999)));
    row.push_back(Variant(TDateTime{46000.0 + r}));
    row.push_back(Variant(12.5));
    row.push_back(Variant(3.0));
    p.Rows.push_back(std::move(row));
  }
  return PacketToJsonText(p);
}

// Baseline: parsing the JSON text, nothing else.
void BmRawJsonParse(benchmark::State& state) {
  const JsonText text = FlightPacket(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(nlohmann::json::parse(text.Text));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BmClientDataSetLoad(benchmark::State& state) {
  const Variant data(FlightPacket(static_cast<int>(state.range(0))));
  TClientDataSet ds;
  for (auto _ : state) {
    ds.SetData(data);
    benchmark::DoNotOptimize(ds.RecordCount());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Edits every tenth row, then builds the delta the server receives.
void BmEditAndDelta(benchmark::State& state) {
  const Variant data(FlightPacket(static_cast<int>(state.range(0))));
  TClientDataSet ds;
  for (auto _ : state) {
    state.PauseTiming();
    ds.SetData(data);
    state.ResumeTiming();
    for (ds.First(); !ds.Eof(); ds.MoveBy(10)) {
      ds.Edit();
      ds.Fields()[1]->SetAsString("X");
      ds.Post();
    }
    benchmark::DoNotOptimize(ds.Delta());
  }
}

}  // namespace

BENCHMARK(BmRawJsonParse)->Arg(300)->Arg(3000);
BENCHMARK(BmClientDataSetLoad)->Arg(300)->Arg(3000);
BENCHMARK(BmEditAndDelta)->Arg(300)->Arg(3000);

ZOR_BENCHMARK_MAIN_WITH_BASELINE("BM_RawJsonParse")
