// The LFO's sine must round to the float the library's sine rounds to, for
// every phase; the polynomial only saves time.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "effect/FloatSine.h"

namespace {

constexpr double kTwoPi = 6.283185307179586;

float floatOf(std::uint32_t bits) {
  float f;
  std::memcpy(&f, &bits, sizeof f);
  return f;
}

std::uint32_t bitsOf(float f) {
  std::uint32_t bits;
  std::memcpy(&bits, &f, sizeof bits);
  return bits;
}

// Answers 1 for a mismatch, which it reports.
int compareAt(double x) {
  const float expected = static_cast<float>(std::sin(x));
  const float actual = floatSine(x);
  if (bitsOf(actual) == bitsOf(expected)) return 0;
  ADD_FAILURE() << "x = " << x << ": " << actual << " instead of " << expected;
  return 1;
}

TEST(FloatSine, PhasesAcrossTheCycleRoundLikeTheLibrary) {
  int mismatches = 0;
  const std::uint32_t one = bitsOf(1.0f);
  for (std::uint32_t bits = 0; bits <= one && mismatches < 5; bits += 251)
    mismatches += compareAt(kTwoPi * static_cast<double>(floatOf(bits)));
}

TEST(FloatSine, PhasesBesideZerosAndPeaksRoundLikeTheLibrary) {
  int mismatches = 0;
  for (float centre : {0.0f, 0.25f, 0.5f, 0.75f, 1.0f}) {
    const std::uint32_t middle = bitsOf(centre);
    for (std::uint32_t offset = 0; offset < 40000 && mismatches < 5; ++offset) {
      mismatches += compareAt(kTwoPi * static_cast<double>(floatOf(middle + offset)));
      if (offset <= middle)
        mismatches += compareAt(kTwoPi * static_cast<double>(floatOf(middle - offset)));
    }
  }
}

TEST(FloatSine, ArgumentsOutsideOneCycleGoToTheLibrary) {
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  for (double x : {-0.0, -1e-300, -1.0, -kTwoPi, 6.29, 7.0, 100.0, 1e22, -1e22,
                   std::numeric_limits<double>::max()})
    compareAt(x);
  EXPECT_TRUE(std::isnan(floatSine(std::numeric_limits<double>::quiet_NaN())));
  EXPECT_TRUE(std::isnan(floatSine(kInfinity)));
  EXPECT_TRUE(std::isnan(floatSine(-kInfinity)));
}

}  // namespace
