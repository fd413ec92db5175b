#include "bench/StereoBuffers.h"

#include <cstdint>

namespace qv::bench {

StereoBuffers::StereoBuffers() {
  std::uint32_t seed = 0x2545F491u;
  for (int channel = 0; channel < 4; ++channel) {
    channels_[channel].assign(kFrames, 0.0f);
    if (channel >= 2) continue;
    for (float& sample : channels_[channel]) {
      seed = seed * 1664525u + 1013904223u;
      sample = static_cast<float>(seed >> 8) / 8388608.0f - 1.0f;
    }
  }
  seek(0, 0);
}

void StereoBuffers::seek(std::int64_t offset, int32 frames) {
  std::int64_t start = offset % kFrames;
  if (start < 0) start += kFrames;
  if (start + frames > kFrames) start = 0;
  for (int channel = 0; channel < 2; ++channel) {
    inputPointers_[channel] = channels_[channel].data() + start;
    outputPointers_[channel] = channels_[channel + 2].data() + start;
  }
}

}  // namespace qv::bench
