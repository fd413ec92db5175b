// Processing time of the effect per stereo frame, case by case, timed in the
// same rounds as the plain gain loop and the serial per-frame ramp on the same
// buffers. Reports; never fails.
#include <benchmark/benchmark.h>

#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "bench/BenchCase.h"
#include "bench/BenchHost.h"
#include "bench/RatioTable.h"
#include "bench/SideBySide.h"
#include "effect/TremoloEffect.h"

namespace {

using namespace qv::bench;

// Each iteration is one round of the three; the reported time is the effect's.
constexpr int kRounds = 101;

std::vector<BenchCase>& cases() {
  static std::vector<BenchCase> all = allBenchCases();
  return all;
}

// The latest summary of each case, by its place in cases().
std::map<size_t, Summary>& summaries() {
  static std::map<size_t, Summary> measured;
  return measured;
}

void runCase(benchmark::State& state, size_t index) {
  const BenchCase& benchCase = cases()[index];
  // Through the record, as a host calls it.
  AEffect* record = (new TremoloEffect(benchHostCallback))->getRecord();
  applyCase(record, benchCase);
  SideBySide sideBySide(benchCase.blockSize);
  for (auto _ : state) state.SetIterationTime(sideBySide.round(record));
  record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f);

  const Summary summary = sideBySide.summary();
  summaries()[index] = summary;
  state.counters["ns/frame"] = summary.nsPerFrame.effect;
  state.counters["x gain"] = summary.gainRatio;
  state.counters["x ramp"] = summary.rampRatio;
}

void registerAll() {
  for (size_t index = 0; index < cases().size(); ++index) {
    benchmark::RegisterBenchmark(caseName(cases()[index]).c_str(), runCase, index)
        ->UseManualTime()
        ->Iterations(kRounds);
  }
}

}  // namespace

int main(int argc, char** argv) {
  registerAll();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();

  RatioTable table;
  for (const auto& [index, summary] : summaries()) table.add(cases()[index], summary);
  std::cout << '\n';
  table.print(std::cout);
  return 0;
}
