#include "base/SafeConvert.h"

#include <cmath>

std::int32_t truncateClamped(double x, std::int32_t low, std::int32_t high) {
  if (std::isnan(x)) x = 0.0;
  if (x <= static_cast<double>(low)) return low;
  if (x >= static_cast<double>(high)) return high;
  return static_cast<std::int32_t>(x);
}
