#include "host/SafeConvert.h"

#include <cmath>

int32 truncateClamped(double x, int32 low, int32 high) {
  if (std::isnan(x)) x = 0.0;
  if (x <= static_cast<double>(low)) return low;
  if (x >= static_cast<double>(high)) return high;
  return static_cast<int32>(x);
}
