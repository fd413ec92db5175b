// The five LFO shapes of the tremolo as pure functions of the cycle phase,
// inline for the audio routine.
#pragma once

#include <cmath>

#include "effect/FloatSine.h"
#include "host/Vst2.h"

enum LfoShape : int32 {
  kSquare = 0,
  kTriangle = 1,
  kSawAscending = 2,
  kSawDescending = 3,
  kSine = 4,  // and every higher number
};

// The modulation level, 0 to 1, of shape at phase (0 <= phase < 1).
inline float lfoTarget(int32 shape, float phase) {
  switch (shape) {
    case kSquare:
      return phase < 0.5f ? 1.0f : 0.0f;
    case kTriangle:
      return std::fabs(1.0f - std::fabs(1.0f - 2.0f * (phase + 0.25f)));
    case kSawAscending: {
      // The level falls through the cycle, so the output rises.
      const float shifted = phase + 0.125f;
      return 1.0f - (shifted - std::floor(shifted));
    }
    case kSawDescending: {
      const float shifted = phase + 0.5f;
      return shifted - std::floor(shifted);
    }
    default: {
      constexpr double kTwoPi = 6.283185307179586;
      const float sine = floatSine(kTwoPi * phase);
      return (sine + 1.0f) * 0.5f;
    }
  }
}
