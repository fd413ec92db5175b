// floor for doubles in a few instructions where the library's floor is a call
// or a long sequence, with the library's result for every input: NaN,
// infinities, whole numbers beyond 2^52 and -0.0 come back as they went in.
// Beat positions and phases move little from block to block, so most blocks
// find their whole beat or cycle where the block before left it.
#pragma once

#include <cmath>
#include <cstdint>

inline double wholePart(double x) {
  // From 2^52 on every double is a whole number.
  constexpr double kAllWhole = 4503599627370496.0;
  if (!(std::fabs(x) < kAllWhole)) return x;
  double whole = static_cast<double>(static_cast<std::int64_t>(x));
  if (whole > x) whole -= 1.0;
  // The truncation loses the sign of -0.0 and of negatives above -1.
  return std::copysign(whole, x);
}

// floor(x) as a value where guess is probably floor(x): a whole number found by
// an earlier call for a nearby x. Only checked, not converted, when it is right.
// A zero floor may come back as either zero: the callers compare it, or take it
// from an x that is never -0.0 or only compare what is left.
inline double wholePartNear(double x, double guess) {
  if (x >= guess && x < guess + 1.0) return guess;
  return wholePart(x);
}
