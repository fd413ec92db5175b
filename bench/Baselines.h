// The two loops the effect's processing time is related to, compiled with the
// effect's own flags: the least an effect of this kind can do, and the least
// the effect's exact arithmetic allows.
#pragma once

#include "host/Vst2.h"

namespace qv::bench {

// A plain gain loop: both channels times a gain that changes every 64 frames
// and walks through [0, 1) in small steps.
struct BaselineGain {
  float gain = 0.5f;
  float step = 1.0f / 1024.0f;
};

// A serial per-frame ramp: the level moves by a step on every frame, toward a
// target that changes every 64 frames, and multiplies both channels. Each frame's
// level is rounded from the one before, so the frames cannot be computed side by
// side; the effect's smoothing ramp is bound the same way.
struct BaselineRamp {
  float level = 0.0f;
  float target = 0.5f;
  float targetStep = 1.0f / 1024.0f;
};

// Write outputs[c][i] from inputs[c][i] for both channels. Kept in their own
// translation unit so that callers cannot specialise them for their block sizes.
void applyBaselineGain(float* const* inputs, float* const* outputs, int32 frames,
                       BaselineGain& state);
void applyBaselineRamp(float* const* inputs, float* const* outputs, int32 frames,
                       BaselineRamp& state);

}  // namespace qv::bench
