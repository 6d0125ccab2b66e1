// Times BuildOccurrences against the literal step-by-step build on mixed
// lists of 1 000, 10 000 and 100 000 records, and prints one line per size:
//   records=N build_ms=X literal_ms=Y
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>

#include "almanor/bench/literal_build.h"
#include "almanor/bench/sample_records.h"
#include "almanor/core/dates.h"
#include "almanor/core/occurrences.h"

namespace {

using almanor::Entries;
using almanor::Occurrences;
using almanor::RunState;

constexpr std::uint64_t kSeed = 20030721;

RunState windowOf21July2003() {
  RunState run;
  run.Today = almanor::DayOfDate(2003, 7, 21);
  run.WindowStart = run.Today;
  run.WindowEnd = almanor::kOpenWindowEnd;
  return run;
}

template <void (*Build)(RunState&, Entries&, Occurrences&)>
void timeBuild(benchmark::State& state) {
  const Entries input{almanor::bench::MixedRecords(static_cast<std::size_t>(state.range(0)), kSeed)};
  Occurrences occurrences;
  for (auto _ : state) {
    // Every build may delete records, so each one starts from the same list.
    state.PauseTiming();
    Entries entries = input;
    RunState run = windowOf21July2003();
    state.ResumeTiming();
    Build(run, entries, occurrences);
    benchmark::DoNotOptimize(occurrences.list.data());
  }
}

void fastBuild(RunState& run, Entries& entries, Occurrences& occurrences) {
  almanor::BuildOccurrences(run, entries, occurrences);
}

// Collects the mean time of every run and prints the summary lines.
class SummaryReporter : public benchmark::BenchmarkReporter {
 public:
  bool ReportContext(const Context&) override { return true; }
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.error_occurred || run.run_type != Run::RT_Iteration) continue;
      std::string name = run.benchmark_name();
      std::size_t slash = name.find('/');
      long records = std::stol(name.substr(slash + 1));
      double ms = run.GetAdjustedRealTime();  // the unit is set to ms below
      (name.rfind("build", 0) == 0 ? build_ : literal_)[records] = ms;
    }
  }
  void Finalize() override {
    for (const auto& [records, ms] : build_) {
      auto literal = literal_.find(records);
      std::printf("records=%ld build_ms=%.2f literal_ms=%.2f\n", records, ms,
                  literal == literal_.end() ? -1.0 : literal->second);
    }
    std::fflush(stdout);
  }

 private:
  std::map<long, double> build_;
  std::map<long, double> literal_;
};

}  // namespace

BENCHMARK(timeBuild<fastBuild>)
    ->Name("build")
    ->Arg(1000)->Arg(10000)->Arg(100000)
    ->Unit(benchmark::kMillisecond);
// The literal build is quadratic: at 100 000 records one pass takes tens
// of seconds, and one is enough to see the ratio.
BENCHMARK(timeBuild<almanor::bench::LiteralBuildOccurrences>)
    ->Name("literal")
    ->Arg(1000)->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK(timeBuild<almanor::bench::LiteralBuildOccurrences>)
    ->Name("literal")
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
