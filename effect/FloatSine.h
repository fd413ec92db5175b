// The sine of the LFO as a float, without the library's full double sine for
// most arguments. Inline: the audio routine evaluates it once per block and
// would otherwise save and restore its registers around the call.
#pragma once

#include <cmath>

namespace float_sine {

constexpr double kTwoOverPi = 0.6366197723675814;
// π/2 in two parts: the first has 33 significant bits, so that a quarter
// count times it is exact.
constexpr double kHalfPiHigh = 1.57079632673412561417e+00;
constexpr double kHalfPiLow = 6.07710050650619224932e-11;
constexpr double kLargestArgument = 6.3;

// Minimax polynomials for |r| <= π/4; together with the reduction they stay
// within about 2^-53 of the sine.
constexpr double kSine[] = {-1.66666666666666324348e-01, 8.33333333332248946124e-03,
                            -1.98412698298579493134e-04, 2.75573137070700676789e-06,
                            -2.50507602534068634195e-08, 1.58969099521155010221e-10};
constexpr double kCosine[] = {4.16666666666666019037e-02, -1.38888888888741095749e-03,
                              2.48015872894767294178e-05, -2.75573143513906633035e-07,
                              2.08757232129817482790e-09, -1.13596475577881948265e-11};

// The polynomial is trusted only this far from a rounding edge: over a hundred
// times its error, and beyond any difference between it and a faithful library.
constexpr double kMargin = 1.0 / 70368744177664.0;  // 2^-46

inline double sineNearZero(double r) {
  const double z = r * r;
  const double p =
      kSine[0] + z * (kSine[1] + z * (kSine[2] + z * (kSine[3] + z * (kSine[4] + z * kSine[5]))));
  return r + r * z * p;
}

inline double cosineNearZero(double r) {
  const double z = r * r;
  const double p =
      kCosine[0] +
      z * (kCosine[1] + z * (kCosine[2] + z * (kCosine[3] + z * (kCosine[4] + z * kCosine[5]))));
  return 1.0 - (0.5 * z - z * z * p);
}

}  // namespace float_sine

// static_cast<float>(std::sin(x)), bit for bit, for every x. Between 0 and 2π a
// short polynomial answers whenever its result lies clearly inside the rounding
// interval of one float; near an interval's edge, near zero and outside that
// range the library's sine does. The Windows C library's sine takes several
// times as long as the polynomial.
inline float floatSine(double x) {
  using namespace float_sine;
  // The comparison also turns away NaN.
  if (x >= 0.0 && x <= kLargestArgument) {
    const int quadrant = static_cast<int>(x * kTwoOverPi + 0.5);
    const double k = quadrant;
    const double r = (x - k * kHalfPiHigh) - k * kHalfPiLow;
    double value = quadrant & 1 ? cosineNearZero(r) : sineNearZero(r);
    if (quadrant & 2) value = -value;
    // Rounding is monotonic: when both ends of the margin round to one float,
    // so does everything between them. Near zero they never do.
    const float below = static_cast<float>(value - kMargin);
    const float above = static_cast<float>(value + kMargin);
    if (below == above) return below;
  }
  return static_cast<float>(std::sin(x));
}
