// Processing time of the effect per stereo frame, case by case, beside the
// baseline gain loop at the same block size. Reports; never fails.
#include <benchmark/benchmark.h>

#include <map>
#include <string>

#include "bench/BaselineGain.h"
#include "bench/BenchCase.h"
#include "bench/BenchHost.h"
#include "bench/RatioTable.h"
#include "bench/StereoBuffers.h"
#include "effect/TremoloEffect.h"
#include "plugin/TremoloEditor.h"

namespace {

using namespace qv::bench;

// What each registered benchmark measures, by name: a case, or the baseline
// (blockSize only) when isBaseline is set.
struct Measured {
  bool isBaseline;
  BenchCase benchCase;
};

std::map<std::string, Measured>& registry() {
  static std::map<std::string, Measured> measured;
  return measured;
}

void runBaseline(benchmark::State& state, int32 blockSize) {
  StereoBuffers buffers(blockSize);
  BaselineGain gain;
  for (auto _ : state) {
    applyBaselineGain(buffers.inputs(), buffers.outputs(), blockSize, gain);
    benchmark::ClobberMemory();
  }
}

void runEffect(benchmark::State& state, BenchCase benchCase) {
  // Through the record, as a host calls it.
  AEffect* record = (new TremoloEffect(benchHostCallback, &makeTremoloEditor))->getRecord();
  applyCase(record, benchCase);
  StereoBuffers buffers(benchCase.blockSize);
  for (auto _ : state) {
    record->processReplacing(record, buffers.inputs(), buffers.outputs(), benchCase.blockSize);
    benchmark::ClobberMemory();
  }
  record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f);
}

void registerAll() {
  // Baselines first: the reporter needs them before the cases of their size.
  for (int32 blockSize : kBlockSizes) {
    const std::string name = "baseline/" + std::to_string(blockSize);
    benchmark::RegisterBenchmark(name.c_str(), runBaseline, blockSize);
    registry()[name] = {true, {0, false, kDefaultSoftness, blockSize}};
  }
  for (const BenchCase& benchCase : allBenchCases()) {
    const std::string name = caseName(benchCase);
    benchmark::RegisterBenchmark(name.c_str(), runEffect, benchCase);
    registry()[name] = {false, benchCase};
  }
}

// The console report with ns/frame and the ratio to the baseline added to every
// run, and the table with its medians at the end. Times are CPU times, so that
// other work on a busy machine does not count.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    std::vector<Run> extended = runs;
    for (Run& run : extended) {
      const auto found = registry().find(run.run_name.function_name);
      if (run.run_type != Run::RT_Iteration || run.error_occurred || found == registry().end())
        continue;
      const Measured& measured = found->second;
      const double nsPerFrame = run.GetAdjustedCPUTime() * 1e9 /
                                benchmark::GetTimeUnitMultiplier(run.time_unit) /
                                measured.benchCase.blockSize;
      run.counters["ns/frame"] = nsPerFrame;
      if (measured.isBaseline) {
        table_.addBaseline(measured.benchCase.blockSize, nsPerFrame);
      } else {
        run.counters["ratio"] = table_.addEffect(measured.benchCase, nsPerFrame);
      }
    }
    ConsoleReporter::ReportRuns(extended);
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    GetOutputStream() << '\n';
    table_.print(GetOutputStream());
  }

 private:
  RatioTable table_;
};

}  // namespace

int main(int argc, char** argv) {
  registerAll();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
