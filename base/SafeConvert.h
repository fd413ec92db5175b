// Number conversions that stay defined for every input a host can send:
// NaN, infinities and values far outside the integer range.
#pragma once

#include <cstdint>

// Truncates x toward zero and clamps the result to [low, high]; NaN counts as 0.
// The clamp happens before the conversion, so no out-of-range float reaches an int.
std::int32_t truncateClamped(double x, std::int32_t low, std::int32_t high);
