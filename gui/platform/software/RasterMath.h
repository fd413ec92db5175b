// Small arithmetic shared by the software device's sources.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

#include "gui/base/Rect.h"

namespace platform::software {

inline Rect intersect(Rect a, const Rect& b) {
  return a.bound(b);
}

// A coordinate computed in floating point, floored and held to the 32-bit range.
inline std::int32_t clampTo32(double v) {
  constexpr double kHigh = std::numeric_limits<std::int32_t>::max();
  constexpr double kLow = std::numeric_limits<std::int32_t>::min();
  if (v >= kHigh) return std::numeric_limits<std::int32_t>::max();
  if (v <= kLow) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(std::floor(v));
}

}  // namespace platform::software
