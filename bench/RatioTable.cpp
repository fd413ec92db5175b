#include "bench/RatioTable.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

namespace qv::bench {

namespace {

// printf-style formatting onto a stream; the table's lines are short.
void printTo(std::ostream& out, const char* format, ...) {
  char line[160];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(line, sizeof line, format, arguments);
  va_end(arguments);
  out << line;
}

}  // namespace

void RatioTable::addBaseline(int32 blockSize, double nsPerFrame) {
  baselines_[blockSize] = nsPerFrame;
}

double RatioTable::addEffect(const BenchCase& benchCase, double nsPerFrame) {
  const auto baseline = baselines_.find(benchCase.blockSize);
  const double ratio =
      baseline != baselines_.end() && baseline->second > 0.0 ? nsPerFrame / baseline->second : 0.0;
  rows_.push_back({benchCase, nsPerFrame, ratio});
  return ratio;
}

double RatioTable::medianRatio(int32 blockSize, float softness) const {
  std::vector<double> ratios;
  for (const Row& row : rows_)
    if (row.benchCase.blockSize == blockSize && row.benchCase.softness == softness && row.ratio > 0)
      ratios.push_back(row.ratio);
  if (ratios.empty()) return 0.0;
  std::sort(ratios.begin(), ratios.end());
  const size_t middle = ratios.size() / 2;
  return ratios.size() % 2 ? ratios[middle] : (ratios[middle - 1] + ratios[middle]) / 2.0;
}

void RatioTable::print(std::ostream& out) const {
  printTo(out, "%-6s %-9s %-8s %-9s %10s %8s\n", "block", "softness", "mode", "shape", "ns/frame",
          "ratio");
  for (const Row& row : rows_)
    printTo(out, "%-6d %-9g %-8s %-9s %10.3f %8.2f\n", static_cast<int>(row.benchCase.blockSize),
            static_cast<double>(row.benchCase.softness),
            row.benchCase.tremolo ? "Tremolo" : "Panner", shapeName(row.benchCase.shape),
            row.nsPerFrame, row.ratio);

  printTo(out, "\nbaseline ns/frame:");
  for (const auto& [blockSize, nsPerFrame] : baselines_)
    printTo(out, "  %d: %.3f", static_cast<int>(blockSize), nsPerFrame);
  printTo(out, "\nmedian ratio to baseline:\n%-16s", "");
  for (int32 blockSize : kBlockSizes) printTo(out, " %10d", static_cast<int>(blockSize));
  printTo(out, "\n");
  for (float softness : kSoftnessSettings) {
    printTo(out, "softness %-7g", static_cast<double>(softness));
    for (int32 blockSize : kBlockSizes) printTo(out, " %10.2f", medianRatio(blockSize, softness));
    printTo(out, "%s\n", softness == kDefaultSoftness ? "  (default program)" : "");
  }
  const double atTarget = medianRatio(512, kDefaultSoftness);
  printTo(out, "target: median ratio at 512 frames, default settings, at most %.1f: %s\n",
          kTargetRatio, atTarget > 0.0 && atTarget <= kTargetRatio ? "met" : "missed");
}

}  // namespace qv::bench
