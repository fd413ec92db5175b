#include "tools/quaverhost/BenchCommand.h"

#include <chrono>
#include <cstdlib>

#include "bench/BaselineGain.h"
#include "bench/BenchCase.h"
#include "bench/BenchHost.h"
#include "bench/RatioTable.h"
#include "bench/StereoBuffers.h"
#include "tools/vsthost/PluginLibrary.h"

namespace qv::hostcli {

const char kBenchUsage[] = "  quaverhost bench PLUGIN [--seconds S]\n";

namespace {

constexpr double kDefaultSeconds = 0.2;
constexpr int kWarmUpBlocks = 16;
constexpr int kFramesPerBatch = 1 << 16;

// Runs `block` in batches of about a millisecond until `seconds` have passed and
// answers the time per frame of the fastest batch: on a busy machine the slower
// batches are the ones that shared the processor.
template <class Block>
double nanosecondsPerFrame(Block block, int32 blockSize, double seconds) {
  using Clock = std::chrono::steady_clock;
  const auto since = [](Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
  };
  for (int i = 0; i < kWarmUpBlocks; ++i) block();
  const int blocksPerBatch = 1 + kFramesPerBatch / blockSize;
  const Clock::time_point start = Clock::now();
  double fastest = 0.0;
  do {
    const Clock::time_point batchStart = Clock::now();
    for (int i = 0; i < blocksPerBatch; ++i) block();
    const double batch = since(batchStart);
    if (fastest == 0.0 || batch < fastest) fastest = batch;
  } while (since(start) < seconds);
  return fastest * 1e9 / (static_cast<double>(blocksPerBatch) * blockSize);
}

void measureBaselines(bench::RatioTable& table, double seconds) {
  for (int32 blockSize : bench::kBlockSizes) {
    bench::StereoBuffers buffers(blockSize);
    bench::BaselineGain gain;
    table.addBaseline(
        blockSize,
        nanosecondsPerFrame(
            [&] { bench::applyBaselineGain(buffers.inputs(), buffers.outputs(), blockSize, gain); },
            blockSize, seconds));
  }
}

bool measureCases(host::PluginEntry entry, bench::RatioTable& table, double seconds) {
  for (const bench::BenchCase& benchCase : bench::allBenchCases()) {
    AEffect* record = entry(&bench::benchHostCallback);
    if (!record || record->magic != kEffectMagic || !record->processReplacing) return false;
    bench::applyCase(record, benchCase);
    bench::StereoBuffers buffers(benchCase.blockSize);
    table.addEffect(benchCase, nanosecondsPerFrame(
                                   [&] {
                                     record->processReplacing(record, buffers.inputs(),
                                                              buffers.outputs(),
                                                              benchCase.blockSize);
                                   },
                                   benchCase.blockSize, seconds));
    record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f);
  }
  return true;
}

}  // namespace

int runBench(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  std::string plugin;
  double seconds = kDefaultSeconds;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--seconds" && i + 1 < args.size()) {
      char* end = nullptr;
      seconds = std::strtod(args[++i].c_str(), &end);
      if (*end != '\0' || !(seconds > 0.0 && seconds <= 60.0)) {
        err << "quaverhost bench: --seconds needs a number above 0 and at most 60\n";
        return 1;
      }
    } else if (plugin.empty() && args[i].rfind("--", 0) != 0) {
      plugin = args[i];
    } else {
      err << "quaverhost bench: unexpected argument '" << args[i] << "'\nusage:\n" << kBenchUsage;
      return 1;
    }
  }
  if (plugin.empty()) {
    err << "quaverhost bench: no plug-in given\nusage:\n" << kBenchUsage;
    return 1;
  }
  host::PluginLibrary library;
  std::string error;
  if (!library.load(plugin, error)) {
    err << "quaverhost bench: " << error << '\n';
    return 1;
  }
  bench::RatioTable table;
  measureBaselines(table, seconds);
  if (!measureCases(library.entry(), table, seconds)) {
    err << "quaverhost bench: " << plugin
        << ": main returned no instance that processes replacing\n";
    return 1;
  }
  table.print(out);
  return 0;
}

}  // namespace qv::hostcli
