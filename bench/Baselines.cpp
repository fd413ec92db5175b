#include "bench/BaselineGain.h"

#include <algorithm>

namespace qv::bench {

void applyBaselineGain(float* const* inputs, float* const* outputs, int32 frames,
                       BaselineGain& state) {
  constexpr int32 kChunk = 64;
  const float* left = inputs[0];
  const float* right = inputs[1];
  float* outLeft = outputs[0];
  float* outRight = outputs[1];
  for (int32 start = 0; start < frames; start += kChunk) {
    const int32 end = std::min(frames, start + kChunk);
    state.gain += state.step;
    if (state.gain >= 1.0f) state.gain -= 1.0f;
    const float gain = state.gain;
    for (int32 i = start; i < end; ++i) {
      outLeft[i] = gain * left[i];
      outRight[i] = gain * right[i];
    }
  }
}

}  // namespace qv::bench
