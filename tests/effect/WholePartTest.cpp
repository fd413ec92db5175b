// The audio routine's floor must give the library's floor bit for bit, for
// every double a beat position or phase can become; the guessing floor the same
// but for the sign of a zero.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "effect/WholePart.h"

namespace {

std::uint64_t bitsOf(double x) {
  std::uint64_t bits;
  std::memcpy(&bits, &x, sizeof bits);
  return bits;
}

double fromBits(std::uint64_t bits) {
  double x;
  std::memcpy(&x, &bits, sizeof x);
  return x;
}

void expectLibraryFloor(double x) {
  EXPECT_EQ(bitsOf(wholePart(x)), bitsOf(std::floor(x))) << "x = " << x;
}

TEST(WholePart, EdgesOfTheFastRangeMatchTheLibrary) {
  constexpr double kTwo52 = 4503599627370496.0;
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  for (double x : {0.0,
                   -0.0,
                   0.5,
                   -0.5,
                   1.0,
                   -1.0,
                   -1.5,
                   2.5,
                   1e-310,
                   -1e-310,
                   std::nextafter(1.0, 0.0),
                   std::nextafter(-1.0, 0.0),
                   std::nextafter(0.0, -1.0),
                   kTwo52,
                   -kTwo52,
                   kTwo52 - 0.5,
                   -kTwo52 + 0.5,
                   kTwo52 * 2 + 2,
                   9.3e18,
                   -9.3e18,
                   1e300,
                   -1e300,
                   std::numeric_limits<double>::max(),
                   kInfinity,
                   -kInfinity})
    expectLibraryFloor(x);
  EXPECT_TRUE(std::isnan(wholePart(std::numeric_limits<double>::quiet_NaN())));
}

TEST(WholePart, ScatteredDoublesOfEverySizeMatchTheLibrary) {
  std::uint64_t seed = 0x9E3779B97F4A7C15ull;
  for (int i = 0; i < 200000; ++i) {
    seed = seed * 6364136223846793005ull + 1442695040888963407ull;
    const double x = fromBits(seed);
    if (!std::isnan(x)) expectLibraryFloor(x);
    // Beat positions and phases: moderate values with fractions.
    expectLibraryFloor(static_cast<double>(static_cast<std::int64_t>(seed >> 20)) / 4096.0 - 1e6);
  }
}

// A zero floor may come back as either zero; every other floor to the bit.
void expectNearFloor(double x, double guess) {
  const double whole = wholePartNear(x, guess);
  if (std::floor(x) == 0.0) {
    EXPECT_EQ(whole, 0.0) << "x = " << x << ", guess = " << guess;
    // What the callers take from it, the part of x above it, keeps its bits
    // wherever x is not zero.
    if (x != 0.0) {
      EXPECT_EQ(bitsOf(x - whole), bitsOf(x - std::floor(x)));
    }
  } else {
    EXPECT_EQ(bitsOf(whole), bitsOf(std::floor(x))) << "x = " << x << ", guess = " << guess;
  }
}

TEST(WholePart, AnyWholeGuessGivesTheLibraryFloorUpToTheSignOfZero) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  const double guesses[] = {
      0.0,  -0.0,      1.0,       -1.0, 2.0, 7.0, -3.0, 4503599627370496.0, 9007199254740992.0,
      kNaN, kInfinity, -kInfinity};
  const double xs[] = {0.0,
                       -0.0,
                       0.25,
                       -0.25,
                       1.0,
                       1.999,
                       2.0,
                       7.5,
                       -2.5,
                       -3.0,
                       4503599627370496.0,
                       9007199254740994.0,
                       kInfinity,
                       -kInfinity};
  for (double guess : guesses)
    for (double x : xs) expectNearFloor(x, guess);
  EXPECT_TRUE(std::isnan(wholePartNear(kNaN, 1.0)));
  EXPECT_TRUE(std::isnan(wholePartNear(kNaN, kNaN)));
}

}  // namespace
