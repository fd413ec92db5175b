// Audio buffers for measurements: a fixed noise-like stereo input and an output.
#pragma once

#include <vector>

#include "host/Vst2.h"

namespace qv::bench {

// Owns two input and two output channels of `frames` samples each. The input is
// the same pseudo-random signal in [-1, 1] on every platform. Not copyable.
class StereoBuffers {
 public:
  explicit StereoBuffers(int32 frames);
  StereoBuffers(const StereoBuffers&) = delete;
  StereoBuffers& operator=(const StereoBuffers&) = delete;

  float** inputs() { return inputPointers_; }
  float** outputs() { return outputPointers_; }

 private:
  std::vector<float> channels_[4];
  float* inputPointers_[2];
  float* outputPointers_[2];
};

}  // namespace qv::bench
