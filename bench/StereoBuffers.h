// Audio buffers for measurements, as large as a host's: 1 MiB per channel, far
// beyond the first-level cache, walked through block by block.
#pragma once

#include <cstdint>
#include <vector>

#include "host/Vst2.h"

namespace qv::bench {

// Owns two input and two output channels of kFrames samples each. The input is
// the same pseudo-random signal in [-1, 1] on every platform. Not copyable.
class StereoBuffers {
 public:
  static constexpr int32 kFrames = 1 << 18;

  StereoBuffers();
  StereoBuffers(const StereoBuffers&) = delete;
  StereoBuffers& operator=(const StereoBuffers&) = delete;

  // Points inputs() and outputs() at the block of `frames` frames that starts
  // `offset` frames in, counted round the buffers' end; a block that would run
  // past the end starts again at the beginning. frames is at most kFrames.
  void seek(std::int64_t offset, int32 frames);
  float** inputs() { return inputPointers_; }
  float** outputs() { return outputPointers_; }

 private:
  std::vector<float> channels_[4];
  float* inputPointers_[2];
  float* outputPointers_[2];
};

}  // namespace qv::bench
