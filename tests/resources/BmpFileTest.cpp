// The skin generator's bitmap writer against the toolkit's reader: what is written comes
// back, at every depth the skin uses and at widths whose rows need padding.
#include "resources/skin/BmpFile.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "gui/platform/software/BmpDecoder.h"

namespace {

// Colours chosen to meet the ends of each channel and the colour key.
const Rgb kColours[] = {{255, 255, 255}, {0, 0, 0}, {245, 170, 60}, {15, 16, 20}, {1, 254, 128}};

Canvas sample(std::int32_t width, std::int32_t height) {
  Canvas c(width, height, Rgb{});
  std::int32_t k = 0;
  for (std::int32_t y = 0; y < height; ++y) {
    for (std::int32_t x = 0; x < width; ++x) c.blend(x, y, kColours[k++ % 5], 1);
  }
  return c;
}

TEST(BmpFileTest, WhatIsWrittenReadsBackAtEveryDepthAndWidth) {
  for (std::int32_t bits : {16, 24, 32}) {
    for (std::int32_t width : {1, 2, 3, 5, 15}) {
      const Canvas picture = sample(width, 3);
      const std::vector<std::uint8_t> bytes = encodeBmp(picture, bits);
      const auto decoded = platform::software::decodeBmp(bytes.data(), bytes.size());
      ASSERT_NE(decoded, nullptr) << bits << " bits, width " << width;
      ASSERT_EQ(decoded->width(), width);
      ASSERT_EQ(decoded->height(), 3);
      // Five bits a channel lose the low bits, but never more than half a step.
      const int tolerance = bits == 16 ? 4 : 0;
      for (std::int32_t y = 0; y < 3; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
          const Color got = decoded->colorAt(x, y);
          const Rgb want = picture.at(x, y);
          EXPECT_LE(std::abs(got.red - static_cast<int>(want.r)), tolerance) << bits << " " << x;
          EXPECT_LE(std::abs(got.green - static_cast<int>(want.g)), tolerance) << bits << " " << x;
          EXPECT_LE(std::abs(got.blue - static_cast<int>(want.b)), tolerance) << bits << " " << x;
        }
      }
    }
  }
}

// A keyed picture stored at 16 bits must still hold the exact key after loading, or its
// outline would show as near-white pixels instead of holes.
TEST(BmpFileTest, WhiteStaysTheColourKeyAtFiveBitsAChannel) {
  Canvas picture(3, 1, Rgb{255, 255, 255});
  picture.blend(1, 0, Rgb{240, 240, 240}, 1);
  const std::vector<std::uint8_t> bytes = encodeBmp(picture, 16);
  const auto decoded = platform::software::decodeBmp(bytes.data(), bytes.size());
  ASSERT_NE(decoded, nullptr);
  EXPECT_EQ(decoded->colorAt(0, 0), Color(255, 255, 255));
  EXPECT_EQ(decoded->colorAt(2, 0), Color(255, 255, 255));
  EXPECT_NE(decoded->colorAt(1, 0), Color(255, 255, 255));
}

TEST(BmpFileTest, OtherDepthsAreRefused) {
  const Canvas picture(2, 2, Rgb{});
  for (std::int32_t bits : {0, 1, 8, 15, 48}) EXPECT_TRUE(encodeBmp(picture, bits).empty()) << bits;
}

}  // namespace
