// The skin as the native library carries it: every bitmap loads by its id at the size the
// skin's description gives it, the files are the plain bitmaps Windows loads, and the pictures work
// as controls use them.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "gui/core/Bitmap.h"
#include "gui/core/OffscreenContext.h"
#include "gui/platform/software/BitmapResources.h"
#include "gui/platform/software/BmpDecoder.h"
#include "resources/layout/SkinLayout.h"

namespace {

std::vector<std::uint8_t> readSkinFile(const char* name) {
  const std::string path = std::string(QV_SKIN_DIR) + "/" + name;
  std::vector<std::uint8_t> bytes;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return bytes;
  std::uint8_t chunk[4096];
  for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;)
    bytes.insert(bytes.end(), chunk, chunk + n);
  std::fclose(file);
  return bytes;
}

std::uint32_t le(const std::vector<std::uint8_t>& b, std::size_t at, int size) {
  std::uint32_t v = 0;
  for (int i = size - 1; i >= 0; --i) v = (v << 8) | b[at + static_cast<std::size_t>(i)];
  return v;
}

TEST(SkinBitmapsTest, EveryIdLoadsAtItsDescribedSize) {
  for (const skin::BitmapFile& e : skin::kBitmaps) {
    Bitmap* bitmap = new Bitmap(e.id);
    EXPECT_TRUE(bitmap->isLoaded()) << e.id;
    EXPECT_EQ(bitmap->getWidth(), e.width) << e.id;
    EXPECT_EQ(bitmap->getHeight(), e.fileHeight()) << e.id;
    bitmap->release();
  }
}

TEST(SkinBitmapsTest, FilesAreUncompressedBottomUpBitmapsOfTheirDepth) {
  for (const skin::BitmapFile& e : skin::kBitmaps) {
    const std::vector<std::uint8_t> b = readSkinFile(e.file);
    ASSERT_GE(b.size(), 54u) << e.file;
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(le(b, 2, 4), b.size()) << e.file;
    EXPECT_EQ(le(b, 10, 4), 54u) << e.file;
    EXPECT_EQ(le(b, 14, 4), 40u) << e.file;
    EXPECT_EQ(le(b, 18, 4), static_cast<std::uint32_t>(e.width)) << e.file;
    EXPECT_EQ(le(b, 22, 4), static_cast<std::uint32_t>(e.fileHeight())) << e.file;  // positive
    EXPECT_EQ(le(b, 26, 2), 1u) << e.file;
    EXPECT_EQ(le(b, 28, 2), static_cast<std::uint32_t>(e.bitsPerPixel)) << e.file;
    EXPECT_EQ(le(b, 30, 4), 0u) << e.file;  // BI_RGB
    const std::size_t stride =
        (static_cast<std::size_t>(e.width * e.bitsPerPixel) / 8 + 3) & ~std::size_t{3};
    EXPECT_EQ(b.size(), 54 + stride * static_cast<std::size_t>(e.fileHeight())) << e.file;
  }
}

TEST(SkinBitmapsTest, TheLibraryCarriesTheFilesAsTheyStand) {
  for (const skin::BitmapFile& e : skin::kBitmaps) {
    const std::vector<std::uint8_t> file = readSkinFile(e.file);
    const platform::software::BitmapResource* built = platform::software::findBitmapResource(e.id);
    ASSERT_NE(built, nullptr) << e.id;
    ASSERT_EQ(built->size, file.size()) << e.file;
    EXPECT_EQ(std::memcmp(built->data, file.data(), file.size()), 0) << e.file;
  }
}

TEST(SkinBitmapsTest, EveryStateOfAStripHasItsOwnPicture) {
  for (const skin::BitmapFile& e : skin::kBitmaps) {
    if (e.pictures < 2) continue;
    const std::vector<std::uint8_t> file = readSkinFile(e.file);
    const auto surface = platform::software::decodeBmp(file.data(), file.size());
    ASSERT_NE(surface, nullptr) << e.file;
    const std::int32_t h = e.height;
    for (std::int32_t a = 0; a < e.pictures; ++a) {
      for (std::int32_t b = a + 1; b < e.pictures; ++b) {
        bool differ = false;
        for (std::int32_t y = 0; y < h && !differ; ++y) {
          for (std::int32_t x = 0; x < e.width && !differ; ++x)
            differ = surface->pixel(x, a * h + y) != surface->pixel(x, b * h + y);
        }
        EXPECT_TRUE(differ) << e.file << ": pictures " << a << " and " << b;
      }
    }
  }
}

// Handles and the pointer are drawn with white as the colour key: their middle row and
// column must stay solid, and their outline may let the panel through.
TEST(SkinBitmapsTest, KeyedPicturesAreSolidThroughTheMiddle) {
  const Color panel(12, 200, 34);
  for (const skin::BitmapFile& e : skin::kBitmaps) {
    if (!e.keyed) continue;
    Bitmap* bitmap = new Bitmap(e.id);
    OffscreenContext context(nullptr, e.width, e.height, panel);
    bitmap->drawTransparent(&context, Rect(0, 0, e.width, e.height), Point());
    for (std::int32_t x = 0; x < e.width; ++x)
      EXPECT_NE(context.getPixelColor(Point(x, e.height / 2)), panel) << e.file << " x " << x;
    for (std::int32_t y = 1; y + 1 < e.height; ++y)
      EXPECT_NE(context.getPixelColor(Point(e.width / 2, y)), panel) << e.file << " y " << y;
    EXPECT_EQ(context.getPixelColor(Point(0, 0)), panel) << e.file << ": corner";
    bitmap->release();
  }
}

}  // namespace
