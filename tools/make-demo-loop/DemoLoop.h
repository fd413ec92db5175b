// A short musical loop made from simple oscillators and envelopes, the demo input.
#pragma once

#include <vector>

namespace qv::demo {

struct StereoBuffer {
  std::vector<float> left;
  std::vector<float> right;
};

// Four bars at 120 BPM in 4/4 (8 seconds): a pad playing Am, F, C, G, a bass line,
// kick drum and hi-hats. The result is the same on every run and platform; its peak
// is normalised to -2 dBFS. `sampleRate` must be positive.
StereoBuffer synthesizeDemoLoop(int sampleRate);

}  // namespace qv::demo
