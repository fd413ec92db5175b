// The least work an effect of this kind can do: two channels multiplied by a
// gain that changes every 64 frames. Processing times are reported relative to it.
#pragma once

#include "host/Vst2.h"

namespace qv::bench {

// The gain walks through [0, 1) in small steps, one step per 64 frames.
struct BaselineGain {
  float gain = 0.5f;
  float step = 1.0f / 1024.0f;
};

// Writes outputs[c][i] = gain * inputs[c][i] for both channels. Kept in its own
// translation unit so callers cannot specialise it for their block sizes.
void applyBaselineGain(float* const* inputs, float* const* outputs, int32 frames,
                       BaselineGain& state);

}  // namespace qv::bench
