#include "bench/StereoBuffers.h"

#include <cstdint>

namespace qv::bench {

StereoBuffers::StereoBuffers(int32 frames) {
  const size_t size = frames > 0 ? static_cast<size_t>(frames) : 0;
  std::uint32_t seed = 0x2545F491u;
  for (int channel = 0; channel < 4; ++channel) {
    channels_[channel].assign(size, 0.0f);
    if (channel >= 2) continue;
    for (float& sample : channels_[channel]) {
      seed = seed * 1664525u + 1013904223u;
      sample = static_cast<float>(seed >> 8) / 8388608.0f - 1.0f;
    }
  }
  for (int channel = 0; channel < 2; ++channel) {
    inputPointers_[channel] = channels_[channel].data();
    outputPointers_[channel] = channels_[channel + 2].data();
  }
}

}  // namespace qv::bench
