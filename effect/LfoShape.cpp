#include "effect/LfoShape.h"

#include <cmath>

#include "effect/FloatSine.h"

namespace {
constexpr double kTwoPi = 6.283185307179586;
}  // namespace

float lfoTarget(int32 shape, float phase) {
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
      const float sine = floatSine(kTwoPi * phase);
      return (sine + 1.0f) * 0.5f;
    }
  }
}
