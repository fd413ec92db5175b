// Collects processing times per frame, relates each to the baseline of the same
// block size and prints the table and its summary.
#pragma once

#include <map>
#include <ostream>
#include <vector>

#include "bench/BenchCase.h"

namespace qv::bench {

// The ratio the effect should stay within at 512 frames with default settings.
constexpr double kTargetRatio = 1.5;

class RatioTable {
 public:
  void addBaseline(int32 blockSize, double nsPerFrame);
  // Records a case and returns its ratio to the baseline of its block size, or 0
  // when no baseline of that size has been added yet.
  double addEffect(const BenchCase& benchCase, double nsPerFrame);

  // Median ratio of the cases with this block size and softness; 0 when none.
  double medianRatio(int32 blockSize, float softness) const;

  // One line per case, then the median ratio per block size and softness, the
  // baselines and whether the target is met.
  void print(std::ostream& out) const;

 private:
  struct Row {
    BenchCase benchCase;
    double nsPerFrame;
    double ratio;
  };
  std::map<int32, double> baselines_;
  std::vector<Row> rows_;
};

}  // namespace qv::bench
