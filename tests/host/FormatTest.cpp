// The eight-character number texts of the parameter displays.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "tests/support/host/FakeHost.h"

namespace {

class Format : public ::testing::Test {
 protected:
  std::string asFloat(float value) {
    char text[64];
    plugin.effect->formatFloat(value, text);
    return text;
  }
  std::string asInteger(int32 value) {
    char text[64];
    plugin.effect->formatInteger(value, text);
    return text;
  }
  std::string asDecibels(float value) {
    char text[64];
    plugin.effect->formatDecibels(value, text);
    return text;
  }
  Instance plugin;
};

TEST_F(Format, FloatFillsEightCharactersAndTruncates) {
  EXPECT_EQ(asFloat(50.0f), "50.00000");
  EXPECT_EQ(asFloat(0.0f), "0.000000");
  EXPECT_EQ(asFloat(-3.658614f), "-3.65861");
  EXPECT_EQ(asFloat(100.0f), "100.0000");
  EXPECT_EQ(asFloat(0.99999f), "0.999989") << "truncated, not rounded";
  EXPECT_EQ(asFloat(1234567.0f), "1234567.");
  EXPECT_EQ(asFloat(12345678.0f), "12345678.");
  EXPECT_EQ(asFloat(99999999.0f), "Huge!") << "the nearest float is 10^8";
}

TEST_F(Format, FloatOutOfRangeIsHuge) {
  EXPECT_EQ(asFloat(1e9f), "Huge!");
  EXPECT_EQ(asFloat(-10000000.0f), "Huge!");
  EXPECT_EQ(asFloat(-9999999.0f), "-9999999.");
  EXPECT_EQ(asFloat(std::numeric_limits<float>::infinity()), "Huge!");
  EXPECT_EQ(asFloat(std::numeric_limits<float>::quiet_NaN()), "Huge!");
}

TEST_F(Format, IntegerIsRightAligned) {
  EXPECT_EQ(asInteger(8), "      8");
  EXPECT_EQ(asInteger(128), "    128");
  EXPECT_EQ(asInteger(99999999), "99999999");
  EXPECT_EQ(asInteger(100000000), "Huge!");
  EXPECT_EQ(asInteger(-2000000000), "-2000000") << "cut to eight characters";
}

TEST_F(Format, Decibels) {
  EXPECT_EQ(asDecibels(1.0f), "0.000000");
  EXPECT_EQ(asDecibels(0.65625f), "-3.65861");
  EXPECT_EQ(asDecibels(0.0f), "-oo");
  EXPECT_EQ(asDecibels(-1.0f), "-oo");
  EXPECT_EQ(asDecibels(std::numeric_limits<float>::quiet_NaN()), "-oo");
}

}  // namespace
