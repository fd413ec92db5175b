#include "bench/Baselines.h"

#include <algorithm>

namespace qv::bench {

namespace {
constexpr int32 kChunk = 64;
}  // namespace

void applyBaselineGain(float* const* inputs, float* const* outputs, int32 frames,
                       BaselineGain& state) {
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

void applyBaselineRamp(float* const* inputs, float* const* outputs, int32 frames,
                       BaselineRamp& state) {
  const float* left = inputs[0];
  const float* right = inputs[1];
  float* outLeft = outputs[0];
  float* outRight = outputs[1];
  float level = state.level;
  for (int32 start = 0; start < frames; start += kChunk) {
    const int32 end = std::min(frames, start + kChunk);
    state.target += state.targetStep;
    if (state.target >= 1.0f) state.target -= 1.0f;
    const float step = (state.target - level) * (1.0f / kChunk);
    for (int32 i = start; i < end; ++i) {
      level += step;
      outLeft[i] = level * left[i];
      outRight[i] = level * right[i];
    }
  }
  state.level = level;
}

}  // namespace qv::bench
