#include "bench/RatioTable.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

namespace qv::bench {

namespace {

// printf-style formatting onto a stream; the table's lines are short.
void printTo(std::ostream& out, const char* format, ...) {
  char line[200];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(line, sizeof line, format, arguments);
  va_end(arguments);
  out << line;
}

double median(std::vector<double> values) {
  if (values.empty()) return 0.0;
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

bool within(const Summary* summary, const Target& target) {
  return summary && summary->rampRatio > 0.0 && summary->rampRatio <= target.rampRatio;
}

}  // namespace

void RatioTable::add(const BenchCase& benchCase, const Summary& summary) {
  rows_.push_back({benchCase, summary});
}

const Summary* RatioTable::defaultProgram(int32 blockSize) const {
  for (const Row& row : rows_)
    if (row.benchCase.blockSize == blockSize && isDefaultProgram(row.benchCase))
      return &row.summary;
  return nullptr;
}

bool RatioTable::targetsMet() const {
  return std::all_of(std::begin(kTargets), std::end(kTargets), [this](const Target& target) {
    return within(defaultProgram(target.blockSize), target);
  });
}

void RatioTable::print(std::ostream& out) const {
  printTo(out,
          "ns per stereo frame, medians of the rounds; x gain and x ramp: the effect's time\n");
  printTo(out, "as a multiple of the plain gain loop and of the serial per-frame ramp, timed\n");
  printTo(out, "on the same buffers (1 MiB per channel) in the same rounds\n\n");
  printTo(out, "%-6s %-9s %-8s %-9s %9s %9s %9s %8s %8s\n", "block", "softness", "mode", "shape",
          "effect", "gain", "ramp", "x gain", "x ramp");
  for (const Row& row : rows_) {
    const BenchCase& c = row.benchCase;
    const Summary& s = row.summary;
    printTo(out, "%-6d %-9g %-8s %-9s %9.3f %9.3f %9.3f %8.2f %8.2f\n",
            static_cast<int>(c.blockSize), static_cast<double>(c.softness),
            c.tremolo ? "Tremolo" : "Panner", shapeName(c.shape), s.nsPerFrame.effect,
            s.nsPerFrame.gain, s.nsPerFrame.ramp, s.gainRatio, s.rampRatio);
  }

  printTo(out, "\ndefault program (Panner, Sine, softness %g):\n",
          static_cast<double>(kDefaultSoftness));
  printTo(out, "%-6s %9s %9s %9s %8s %8s  %s\n", "block", "effect", "gain", "ramp", "x gain",
          "x ramp", "target");
  for (const Target& target : kTargets) {
    const Summary* s = defaultProgram(target.blockSize);
    if (!s) {
      printTo(out, "%-6d not measured  x ramp <= %.2f: missed\n",
              static_cast<int>(target.blockSize), target.rampRatio);
      continue;
    }
    printTo(out, "%-6d %9.3f %9.3f %9.3f %8.2f %8.2f  x ramp <= %.2f: %s\n",
            static_cast<int>(target.blockSize), s->nsPerFrame.effect, s->nsPerFrame.gain,
            s->nsPerFrame.ramp, s->gainRatio, s->rampRatio, target.rampRatio,
            within(s, target) ? "met" : "missed");
  }

  printTo(out, "\nall cases, median ratio:\n%-6s %8s %8s\n", "block", "x gain", "x ramp");
  for (int32 blockSize : kBlockSizes) {
    std::vector<double> gain;
    std::vector<double> ramp;
    for (const Row& row : rows_) {
      if (row.benchCase.blockSize != blockSize) continue;
      gain.push_back(row.summary.gainRatio);
      ramp.push_back(row.summary.rampRatio);
    }
    if (gain.empty()) continue;
    printTo(out, "%-6d %8.2f %8.2f\n", static_cast<int>(blockSize), median(gain), median(ramp));
  }
  printTo(out, "targets: %s\n", targetsMet() ? "met" : "missed");
}

}  // namespace qv::bench
