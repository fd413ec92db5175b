// The five LFO shapes of the tremolo as pure functions of the cycle phase.
#pragma once

#include "host/Vst2.h"

enum LfoShape : int32 {
  kSquare = 0,
  kTriangle = 1,
  kSawAscending = 2,
  kSawDescending = 3,
  kSine = 4,  // and every higher number
};

// The modulation level, 0 to 1, of shape at phase (0 <= phase < 1).
float lfoTarget(int32 shape, float phase);
