// Collects the side-by-side timings of every case and prints them with the
// ratios to both baselines and whether the targets are met.
#pragma once

#include <ostream>
#include <vector>

#include "bench/BenchCase.h"
#include "bench/SideBySide.h"

namespace qv::bench {

// The most the default program may take per frame, as a multiple of the serial
// ramp, at each block size.
struct Target {
  int32 blockSize;
  double rampRatio;
};
constexpr Target kTargets[] = {{64, 1.5}, {512, 1.15}, {4096, 1.15}};

class RatioTable {
 public:
  void add(const BenchCase& benchCase, const Summary& summary);

  // The summary of the default program's case at this block size, or null.
  const Summary* defaultProgram(int32 blockSize) const;
  // True when every target's case was measured and is within its target.
  bool targetsMet() const;

  // One line per case, then the default program per block size with its
  // target, then the median ratios of all cases per block size.
  void print(std::ostream& out) const;

 private:
  struct Row {
    BenchCase benchCase;
    Summary summary;
  };
  std::vector<Row> rows_;
};

}  // namespace qv::bench
