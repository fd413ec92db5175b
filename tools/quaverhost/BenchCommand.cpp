#include "tools/quaverhost/BenchCommand.h"

#include <chrono>
#include <cstdlib>

#include "bench/BenchCase.h"
#include "bench/BenchHost.h"
#include "bench/RatioTable.h"
#include "bench/SideBySide.h"
#include "tools/vsthost/PluginLibrary.h"

namespace qv::hostcli {

const char kBenchUsage[] = "  quaverhost bench PLUGIN [--seconds S]\n";

namespace {

constexpr double kDefaultSeconds = 0.2;
// Enough rounds for a median even when one round takes longer than --seconds.
constexpr int kLeastRounds = 11;

// Every case on a fresh instance, in rounds beside the baselines until `seconds`
// have passed.
bool measureCases(host::PluginEntry entry, bench::RatioTable& table, double seconds) {
  using Clock = std::chrono::steady_clock;
  for (const bench::BenchCase& benchCase : bench::allBenchCases()) {
    AEffect* record = entry(&bench::benchHostCallback);
    if (!record || record->magic != kEffectMagic || !record->processReplacing) return false;
    bench::applyCase(record, benchCase);
    bench::SideBySide sideBySide(benchCase.blockSize);
    const Clock::time_point start = Clock::now();
    while (sideBySide.rounds() < kLeastRounds ||
           std::chrono::duration<double>(Clock::now() - start).count() < seconds) {
      sideBySide.round(record);
    }
    record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f);
    table.add(benchCase, sideBySide.summary());
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
  if (!measureCases(library.entry(), table, seconds)) {
    err << "quaverhost bench: " << plugin
        << ": main returned no instance that processes replacing\n";
    return 1;
  }
  table.print(out);
  return 0;
}

}  // namespace qv::hostcli
