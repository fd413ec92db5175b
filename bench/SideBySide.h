// Times the effect and both baselines on the same buffers in the same rounds,
// so that whatever else the machine does weighs on all three alike.
#pragma once

#include <vector>

#include "bench/Baselines.h"
#include "bench/StereoBuffers.h"
#include "host/Vst2.h"

namespace qv::bench {

// Nanoseconds per stereo frame.
struct Timings {
  double effect = 0.0;
  double gain = 0.0;
  double ramp = 0.0;
};

// Medians over the rounds; each ratio is the median of the rounds' own ratios.
struct Summary {
  Timings nsPerFrame;
  double gainRatio = 0.0;
  double rampRatio = 0.0;
};

class SideBySide {
 public:
  // Every contender processes batchFrames frames per round in blocks of blockSize
  // (1 to StereoBuffers::kFrames frames).
  explicit SideBySide(int32 blockSize, int32 batchFrames = 1 << 15);

  // One round: a batch of the effect (through its record, as a host calls it),
  // of the gain loop and of the ramp, each over the same stretch of the buffers,
  // in an order that rotates from round to round. The first call runs one
  // untimed round before. Answers the effect's batch in seconds.
  double round(AEffect* record);

  int rounds() const { return static_cast<int>(rounds_.size()); }
  // Zeros before the first round.
  Summary summary() const;

 private:
  int32 blockSize_;
  int32 blocksPerBatch_;
  std::int64_t offset_ = 0;
  StereoBuffers buffers_;
  BaselineGain gain_;
  BaselineRamp ramp_;
  std::vector<Timings> rounds_;

  template <class Block>
  double batch(Block block);
  Timings runAll(AEffect* record, int first);
};

}  // namespace qv::bench
