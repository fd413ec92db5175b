#include "gui/core/Bitmap.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "gui/core/DrawContext.h"
#include "gui/platform/software/BitmapResources.h"
#include "tests/gui/core/Printers.h"
#include "tests/support/canvas/BmpBytes.h"
#include "tests/support/canvas/Canvas.h"

namespace {

constexpr std::int32_t kId = 10001;
const Color kOrange(255, 128, 0);

// Each test registers its pictures and has them taken away again.
class BitmapTest : public ::testing::Test {
 protected:
  void TearDown() override {
    for (std::int32_t id : ids) platform::software::unregisterBitmapResource(id);
    platform::software::setBlendFunctionsAvailable(true, true);
  }
  Bitmap* load(const std::vector<std::uint8_t>& bytes, std::int32_t id = kId) {
    data.push_back(bytes);
    platform::software::registerBitmapResource(id, data.back().data(), data.back().size());
    ids.push_back(id);
    return new Bitmap(id);
  }
  // A 3 by 2 picture: red, green, blue over white, black, orange.
  static BmpLayout sample(std::int32_t bits) {
    return {3, 2, bits, false, {kRed, kGreen, kBlue, kWhite, kBlack, kOrange}};
  }
  std::vector<std::vector<std::uint8_t>> data;
  std::vector<std::int32_t> ids;
};

std::string picture(Bitmap* bitmap) {
  Canvas canvas(bitmap->getWidth(), bitmap->getHeight(), kGrey);
  DrawContext context(nullptr, &canvas.device, nullptr);
  bitmap->draw(&context, Rect(0, 0, bitmap->getWidth(), bitmap->getHeight()), Point());
  return canvas.art(
      {{kRed, 'r'}, {kGreen, 'g'}, {kBlue, 'b'}, {kWhite, 'w'}, {kBlack, 'k'}, {kOrange, 'o'}});
}

TEST_F(BitmapTest, DecodesEveryDepthWithRowsBottomUp) {
  for (std::int32_t bits : {24, 32}) {
    Bitmap* bitmap = load(makeBmp(sample(bits)), kId + bits);
    ASSERT_TRUE(bitmap->isLoaded()) << bits;
    EXPECT_EQ(bitmap->getWidth(), 3);
    EXPECT_EQ(bitmap->getHeight(), 2);
    EXPECT_EQ(bitmap->getResourceId(), kId + bits);
    EXPECT_EQ(picture(bitmap), "rgb\nwko\n") << bits;
    bitmap->release();
  }
}

TEST_F(BitmapTest, SixteenBitPixelsAreFiveFiveFive) {
  BmpLayout layout = sample(16);
  layout.pixels[5] = Color(132, 66, 255);
  Bitmap* bitmap = load(makeBmp(layout));
  ASSERT_TRUE(bitmap->isLoaded());
  Canvas canvas(3, 2);
  DrawContext context(nullptr, &canvas.device, nullptr);
  bitmap->draw(&context, Rect(0, 0, 3, 2), Point());
  EXPECT_EQ(canvas.at(0, 0), kRed);
  EXPECT_EQ(canvas.at(2, 0), kBlue);
  EXPECT_EQ(canvas.at(0, 1), kWhite);
  EXPECT_EQ(canvas.at(2, 1), Color(132, 66, 255));
  bitmap->release();
}

TEST_F(BitmapTest, AcceptsAFileHeaderAndTopDownRows) {
  BmpLayout layout = sample(24);
  layout.fileHeader = true;
  Bitmap* withHeader = load(makeBmp(layout), kId);
  EXPECT_EQ(picture(withHeader), "rgb\nwko\n");
  withHeader->release();

  layout.fileHeader = false;
  layout.height = -2;
  Bitmap* topDown = load(makeBmp(layout), kId + 1);
  EXPECT_EQ(picture(topDown), "rgb\nwko\n");
  topDown->release();
}

TEST_F(BitmapTest, ResourcesAreNamedByTheLowSixteenBitsOfTheId) {
  load(makeBmp(sample(24)))->release();
  Bitmap* aliased = new Bitmap(kId + 0x10000);
  EXPECT_TRUE(aliased->isLoaded());
  aliased->release();
  Bitmap* missing = new Bitmap(4242);
  EXPECT_FALSE(missing->isLoaded());
  EXPECT_EQ(missing->getWidth(), 0);
  EXPECT_EQ(missing->getHeight(), 0);
  Canvas canvas(4, 4);
  DrawContext context(nullptr, &canvas.device, nullptr);
  missing->draw(&context, Rect(0, 0, 4, 4), Point());
  missing->drawTransparent(&context, Rect(0, 0, 4, 4), Point());
  missing->drawAlphaBlend(&context, Rect(0, 0, 4, 4), Point(), 255);
  EXPECT_EQ(canvas.count(kBlack), 16);
  missing->release();
}

TEST_F(BitmapTest, BadDataIsRefusedWithoutReadingPastTheEnd) {
  using Edit = std::function<void(std::vector<std::uint8_t>&)>;
  const std::vector<std::pair<const char*, Edit>> cases = {
      {"one byte short", [](auto& b) { b.pop_back(); }},
      {"header only", [](auto& b) { b.resize(40); }},
      {"shorter than a header", [](auto& b) { b.resize(39); }},
      {"empty", [](auto& b) { b.clear(); }},
      {"old 12-byte header", [](auto& b) { put32(b, 0, 12); }},
      {"header larger than the data", [](auto& b) { put32(b, 0, 4000); }},
      {"zero width", [](auto& b) { put32(b, kInfoWidth, 0); }},
      {"negative width", [](auto& b) { put32(b, kInfoWidth, static_cast<std::uint32_t>(-3)); }},
      {"zero height", [](auto& b) { put32(b, kInfoHeight, 0); }},
      {"lowest height", [](auto& b) { put32(b, kInfoHeight, 0x80000000u); }},
      {"width too large", [](auto& b) { put32(b, kInfoWidth, 5); }},
      {"height too large", [](auto& b) { put32(b, kInfoHeight, 3); }},
      {"huge size",
       [](auto& b) {
         put32(b, kInfoWidth, 0x7FFFFFFF);
         put32(b, kInfoHeight, 0x7FFFFFFF);
       }},
      {"huge width",
       [](auto& b) {
         put32(b, kInfoWidth, 0x7FFFFFFF);
         put32(b, kInfoHeight, 1);
       }},
      {"eight bits", [](auto& b) { put16(b, kInfoBits, 8); }},
      {"one bit", [](auto& b) { put16(b, kInfoBits, 1); }},
      {"run-length", [](auto& b) { put32(b, kInfoCompression, 1); }},
      {"bit fields", [](auto& b) { put32(b, kInfoCompression, 3); }},
      {"two planes", [](auto& b) { put16(b, kInfoPlanes, 2); }},
      {"colour table past the end", [](auto& b) { put32(b, kInfoColorsUsed, 16); }},
      {"colour table too large", [](auto& b) { put32(b, kInfoColorsUsed, 0xFFFFFFFF); }},
  };
  for (const auto& [name, edit] : cases) {
    std::vector<std::uint8_t> bytes = makeBmp(sample(24));
    edit(bytes);
    Bitmap* bitmap = load(bytes);
    EXPECT_FALSE(bitmap->isLoaded()) << name;
    EXPECT_EQ(bitmap->getWidth(), 0) << name;
    bitmap->release();
  }

  BmpLayout filed = sample(24);
  filed.fileHeader = true;
  const std::vector<std::pair<const char*, Edit>> fileCases = {
      {"pixels past the end", [](auto& b) { put32(b, 10, 60); }},
      {"pixels inside the header", [](auto& b) { put32(b, 10, 20); }},
      {"pixels far away", [](auto& b) { put32(b, 10, 0xFFFFFFF0u); }},
      {"file header cut", [](auto& b) { b.resize(10); }},
      {"signature only", [](auto& b) { b.resize(2); }},
  };
  for (const auto& [name, edit] : fileCases) {
    std::vector<std::uint8_t> bytes = makeBmp(filed);
    edit(bytes);
    Bitmap* bitmap = load(bytes);
    EXPECT_FALSE(bitmap->isLoaded()) << name;
    bitmap->release();
  }
}

TEST_F(BitmapTest, ColourTableBeforeThePixelsIsSkipped) {
  std::vector<std::uint8_t> bytes = makeBmp(sample(24));
  put32(bytes, kInfoColorsUsed, 2);
  bytes.insert(bytes.begin() + 40, 8, 0x55);
  Bitmap* bitmap = load(bytes);
  EXPECT_EQ(picture(bitmap), "rgb\nwko\n");
  bitmap->release();
}

TEST_F(BitmapTest, LastHolderDeletes) {
  Bitmap* bitmap = load(makeBmp(sample(24)));
  EXPECT_EQ(bitmap->referenceCount(), 1);
  bitmap->retain();   // first view
  bitmap->retain();   // second view
  bitmap->release();  // the creator hands it on
  EXPECT_EQ(bitmap->referenceCount(), 2);
  EXPECT_TRUE(bitmap->isLoaded());
  bitmap->release();
  EXPECT_EQ(bitmap->referenceCount(), 1);
  EXPECT_EQ(picture(bitmap), "rgb\nwko\n");
  bitmap->release();  // deletes; the sanitizer build reports a leak otherwise
}

TEST_F(BitmapTest, OffsetMovesTheDestinationNotTheSource) {
  Bitmap* bitmap = load(makeBmp(sample(24)));
  Canvas canvas(16, 10, kGrey);
  DrawContext context(nullptr, &canvas.device, nullptr);
  SavedOrigin saved;
  context.pushOrigin(Point(10, 5), saved);
  bitmap->draw(&context, Rect(0, 0, 2, 2), Point(1, 0));
  EXPECT_EQ(canvas.at(10, 5), kGreen);
  EXPECT_EQ(canvas.at(11, 5), kBlue);
  EXPECT_EQ(canvas.at(10, 6), kBlack);
  EXPECT_EQ(canvas.at(11, 6), kOrange);
  EXPECT_EQ(canvas.count(kGrey), 16 * 10 - 4);

  bitmap->drawTransparent(&context, Rect(2, 0, 4, 2), Point(0, 0));
  EXPECT_EQ(canvas.at(12, 5), kRed);
  EXPECT_EQ(canvas.at(12, 6), kGrey);  // white is the key
  bitmap->release();
}

TEST_F(BitmapTest, CopiesStopAtTheBitmapsEdge) {
  Bitmap* bitmap = load(makeBmp(sample(24)));
  Canvas canvas(6, 6, kGrey);
  DrawContext context(nullptr, &canvas.device, nullptr);
  bitmap->draw(&context, Rect(0, 0, 6, 6), Point(2, 1));
  EXPECT_EQ(canvas.at(0, 0), kOrange);
  EXPECT_EQ(canvas.count(kGrey), 35);
  bitmap->draw(&context, Rect(0, 0, 6, 6), Point(-100, 50));
  bitmap->draw(&context, Rect(0, 0, -6, 6), Point(0, 0));
  EXPECT_EQ(canvas.count(kGrey), 35);
  bitmap->release();
}

enum class KeyPath { PlatformFunction, MaskFallback, PrecomputedMask };

class TransparentDrawing : public BitmapTest, public ::testing::WithParamInterface<KeyPath> {
 protected:
  // Draws the picture with white as its key over a blue canvas, by the path under test.
  std::string drawOverBlue(const std::vector<Color>& pixels) {
    Bitmap* bitmap = load(makeBmp({3, 2, 24, false, pixels}));
    platform::software::setBlendFunctionsAvailable(GetParam() == KeyPath::PlatformFunction, true);
    if (GetParam() == KeyPath::PrecomputedMask) {
      Canvas plain(3, 2);
      DrawContext source(nullptr, &plain.device, nullptr);
      bitmap->draw(&source, Rect(0, 0, 3, 2), Point());
      bitmap->createMask(&source, Point());
    }
    Canvas canvas(5, 4, kBlue);
    DrawContext context(nullptr, &canvas.device, nullptr);
    context.setFillColor(kGrey);
    context.setFontColor(kYellow);
    bitmap->drawTransparent(&context, Rect(1, 1, 4, 3), Point());
    EXPECT_EQ(canvas.device.backgroundColor(), kGrey);
    EXPECT_EQ(canvas.device.textColor(), kYellow);
    bitmap->release();
    return canvas.art({{kBlue, '.'}, {kRed, 'r'}, {kGreen, 'g'}, {kBlack, 'k'}, {kWhite, 'w'}});
  }
};

TEST_P(TransparentDrawing, KeyPixelsKeepTheDestination) {
  EXPECT_EQ(drawOverBlue({kRed, kWhite, kGreen, kWhite, kBlack, kWhite}),
            ".....\n"
            ".r.g.\n"
            "..k..\n"
            ".....\n");
}

TEST_P(TransparentDrawing, AllWhiteLeavesTheDestinationAndNoWhiteCopiesAll) {
  EXPECT_EQ(drawOverBlue(std::vector<Color>(6, kWhite)), ".....\n.....\n.....\n.....\n");
  EXPECT_EQ(drawOverBlue({kRed, kGreen, kBlack, kBlack, Color(254, 255, 255), kRed}),
            ".....\n"
            ".rgk.\n"
            ".k?r.\n"
            ".....\n");
}

TEST_P(TransparentDrawing, DestinationPastTheBitmapStaysAsItWas) {
  Bitmap* bitmap = load(makeBmp({2, 1, 24, false, {kRed, kWhite}}));
  platform::software::setBlendFunctionsAvailable(GetParam() == KeyPath::PlatformFunction, true);
  if (GetParam() == KeyPath::PrecomputedMask) {
    Canvas plain(2, 1);
    DrawContext source(nullptr, &plain.device, nullptr);
    bitmap->draw(&source, Rect(0, 0, 2, 1), Point());
    bitmap->createMask(&source, Point());
  }
  Canvas canvas(4, 2, kBlue);
  DrawContext context(nullptr, &canvas.device, nullptr);
  bitmap->drawTransparent(&context, Rect(0, 0, 4, 2), Point());
  EXPECT_EQ(canvas.art({{kBlue, '.'}, {kRed, 'r'}}), "r...\n....\n");
  bitmap->release();
}

INSTANTIATE_TEST_SUITE_P(EveryPath, TransparentDrawing,
                         ::testing::Values(KeyPath::PlatformFunction, KeyPath::MaskFallback,
                                           KeyPath::PrecomputedMask));

TEST_F(BitmapTest, AlphaBlendUsesOneOpacityClampedToItsRange) {
  Bitmap* bitmap = load(makeBmp({1, 1, 24, false, {kWhite}}));
  auto blended = [bitmap](std::int32_t alpha) {
    Canvas canvas(1, 1);
    DrawContext context(nullptr, &canvas.device, nullptr);
    bitmap->drawAlphaBlend(&context, Rect(0, 0, 1, 1), Point(), alpha);
    return canvas.at(0, 0);
  };
  EXPECT_EQ(blended(128), Color(128, 128, 128));
  EXPECT_EQ(blended(255), kWhite);
  EXPECT_EQ(blended(1000), kWhite);
  EXPECT_EQ(blended(0), kBlack);
  EXPECT_EQ(blended(-7), kBlack);
  platform::software::setBlendFunctionsAvailable(true, false);
  EXPECT_EQ(blended(255), kBlack);
  bitmap->release();
}

TEST_F(BitmapTest, SizedBitmapsStartBlack) {
  Bitmap* bitmap = new Bitmap(4, 3);
  EXPECT_TRUE(bitmap->isLoaded());
  EXPECT_EQ(bitmap->getWidth(), 4);
  EXPECT_EQ(bitmap->getHeight(), 3);
  Canvas canvas(4, 3, kGrey);
  DrawContext context(nullptr, &canvas.device, nullptr);
  bitmap->draw(&context, Rect(0, 0, 4, 3), Point());
  EXPECT_EQ(canvas.count(kBlack), 12);
  bitmap->release();
  for (auto [w, h] : {std::pair{0, 3}, {4, -1}, {1 << 20, 1 << 20}}) {
    Bitmap* none = new Bitmap(w, h);
    EXPECT_FALSE(none->isLoaded());
    EXPECT_EQ(none->getWidth(), 0);
    none->release();
  }
}

}  // namespace
