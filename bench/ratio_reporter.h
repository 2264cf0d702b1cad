// A console reporter that, after the usual table, prints each benchmark's
// real time as a ratio against a named baseline benchmark of the same run:
// "BM_X/1000  3.2x BM_Raw/1000", and its CPU time likewise. Benchmarks are
// paired by their argument suffix ("/1000"); with repetitions, the medians
// are compared. A benchmark that measures the CPU of the whole process
// (server threads included) gives a CPU ratio that a busy machine, which
// stretches real time, hardly moves.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  explicit RatioReporter(std::string baseline) : baselines_{std::move(baseline)} {}
  // Ratios against each of several baselines, one list per baseline.
  explicit RatioReporter(std::vector<std::string> baselines) : baselines_(std::move(baselines)) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    // With repetitions the median stands for the benchmark; without, its
    // one run.
    for (const Run& r : runs) {
      const Times t{r.GetAdjustedRealTime(), r.GetAdjustedCPUTime()};
      if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "median")
        medians_[r.run_name.str()] = t;
      else if (r.run_type == Run::RT_Iteration && r.repetitions <= 1)
        times_[r.run_name.str()] = t;
    }
    for (const auto& [name, t] : medians_) times_[name] = t;
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    for (const std::string& baseline : baselines_) {
      std::printf("\nRatios against %s:\n", baseline.c_str());
      for (const auto& [name, t] : times_) {
        const std::string suffix = name.substr(name.find('/') == std::string::npos ? name.size() : name.find('/'));
        auto base = times_.find(baseline + suffix);
        if (base == times_.end() || name == base->first || base->second.real <= 0 || base->second.cpu <= 0) continue;
        std::printf("  %-40s %8.2fx %s   (CPU %.2fx)\n", name.c_str(), t.real / base->second.real,
                    base->first.c_str(), t.cpu / base->second.cpu);
      }
    }
  }

 private:
  struct Times {
    double real, cpu;
  };
  std::vector<std::string> baselines_;
  std::map<std::string, Times> times_, medians_;
};

// main() for a benchmark binary whose ratios are taken against `baseline`.
#define ZOR_BENCHMARK_MAIN_WITH_BASELINE(baseline)          \
  int main(int argc, char** argv) {                         \
    benchmark::Initialize(&argc, argv);                     \
    RatioReporter reporter(baseline);                       \
    benchmark::RunSpecifiedBenchmarks(&reporter);           \
    benchmark::Shutdown();                                  \
    return 0;                                               \
  }
