#include "gui/core/OffscreenContext.h"

#include <gtest/gtest.h>

#include <vector>

#include "gui/core/Bitmap.h"
#include "gui/platform/software/BitmapResources.h"
#include "tests/gui/core/Printers.h"
#include "tests/support/canvas/BmpBytes.h"
#include "tests/support/canvas/Canvas.h"

namespace {

TEST(OffscreenContextTest, SizedSurfaceIsClearedEdgeToEdge) {
  for (const Color background : {kBlack, kRed}) {
    OffscreenContext context(nullptr, 100, 40, background);
    EXPECT_EQ(context.getWidth(), 100);
    EXPECT_EQ(context.getHeight(), 40);
    EXPECT_EQ(context.getPixelColor(Point(0, 0)), background);
    EXPECT_EQ(context.getPixelColor(Point(99, 39)), background);
    EXPECT_EQ(context.getPixelColor(Point(99, 0)), background);
    EXPECT_EQ(context.getPixelColor(Point(50, 20)), background);
    Rect clip;
    context.getClipRect(clip);
    EXPECT_EQ(clip, Rect(0, 0, 100, 40));
  }
}

TEST(OffscreenContextTest, FrameDoesNotChangeTheSurfacesClip) {
  TestFrame frame(Rect(0, 0, 293, 249));
  OffscreenContext context(&frame, 30, 10, kGrey);
  Rect clip;
  context.getClipRect(clip);
  EXPECT_EQ(clip, Rect(0, 0, 30, 10));
  context.resetClipRect();
  context.getClipRect(clip);
  EXPECT_EQ(clip, Rect(0, 0, 293, 249));
}

TEST(OffscreenContextTest, CopyToMovesByTheTargetsOffset) {
  OffscreenContext buffer(nullptr, 4, 3, kBlack);
  buffer.setFillColor(kRed);
  buffer.fillRect(Rect(0, 0, 2, 2));  // pixel (1, 1)
  Canvas canvas(12, 8, kGrey);
  DrawContext window(nullptr, &canvas.device, nullptr);
  SavedOrigin saved;
  window.pushOrigin(Point(5, 2), saved);
  buffer.copyTo(&window, Rect(1, 1, 5, 4), Point(0, 0));
  EXPECT_EQ(canvas.at(6, 3), kBlack);
  EXPECT_EQ(canvas.at(7, 4), kRed);
  EXPECT_EQ(canvas.at(9, 5), kBlack);
  EXPECT_EQ(canvas.count(kGrey), 12 * 8 - 12);
  buffer.copyTo(nullptr, Rect(0, 0, 4, 3), Point());
}

TEST(OffscreenContextTest, CopyFromTakesTheSourcesOffsetButNotItsOwn) {
  OffscreenContext source(nullptr, 6, 6, kBlack);
  source.drawPoint(Point(4, 3), kRed);
  SavedOrigin moved;
  source.pushOrigin(Point(2, 2), moved);
  Canvas canvas(6, 6, kGrey);
  DrawContext target(nullptr, &canvas.device, nullptr);
  SavedOrigin ignored;
  target.pushOrigin(Point(3, 3), ignored);
  target.copyFrom(&source, Rect(0, 0, 3, 2), 1, 1);
  EXPECT_EQ(canvas.at(3, 2), kRed);
  EXPECT_EQ(canvas.count(kGrey), 36 - 6);
}

TEST(OffscreenContextTest, ImpossibleSizesDrawNowhere) {
  for (auto [w, h] : {std::pair{0, 0}, {-5, 10}, {1 << 16, 1 << 16}}) {
    OffscreenContext context(nullptr, w, h, kRed);
    context.fillRect(Rect(0, 0, 10, 10));
    context.drawString("x", Rect(0, 0, 10, 10));
    Canvas canvas(4, 4, kGrey);
    DrawContext window(nullptr, &canvas.device, nullptr);
    context.copyTo(&window, Rect(0, 0, 4, 4), Point());
    EXPECT_NE(canvas.at(2, 2), kRed);
  }
}

class OffscreenFromBitmap : public ::testing::Test {
 protected:
  void SetUp() override {
    bytes = makeBmp({2, 2, 24, false, {kRed, kGreen, kBlue, kWhite}});
    platform::software::registerBitmapResource(kId, bytes.data(), bytes.size());
    bitmap = new Bitmap(kId);
  }
  void TearDown() override {
    bitmap->release();
    platform::software::unregisterBitmapResource(kId);
  }
  static constexpr std::int32_t kId = 20001;
  std::vector<std::uint8_t> bytes;
  Bitmap* bitmap = nullptr;
  Canvas canvas{4, 4};
};

TEST_F(OffscreenFromBitmap, WithoutBitmapTwentySquareBlack) {
  DrawContext parent(nullptr, &canvas.device, nullptr);
  OffscreenContext context(&parent, nullptr, false);
  EXPECT_EQ(context.getWidth(), 20);
  EXPECT_EQ(context.getHeight(), 20);
  EXPECT_EQ(context.getPixelColor(Point(0, 0)), kBlack);
  EXPECT_EQ(context.getPixelColor(Point(19, 19)), kBlack);

  OffscreenContext flagged(&parent, nullptr, true);
  EXPECT_EQ(flagged.getWidth(), 20);
  EXPECT_EQ(flagged.getPixelColor(Point(19, 19)), kBlack);
}

TEST_F(OffscreenFromBitmap, CopyOfTheBitmapLeavesTheBitmapAlone) {
  DrawContext parent(nullptr, &canvas.device, nullptr);
  {
    OffscreenContext context(&parent, bitmap, false);
    EXPECT_EQ(context.getWidth(), 2);
    EXPECT_EQ(context.getPixelColor(Point(1, 0)), kGreen);
    EXPECT_EQ(context.getPixelColor(Point(1, 1)), kWhite);
    context.drawPoint(Point(0, 0), kYellow);
    EXPECT_EQ(context.getPixelColor(Point(0, 0)), kYellow);
  }
  bitmap->draw(&parent, Rect(0, 0, 2, 2), Point());
  EXPECT_EQ(canvas.at(0, 0), kRed);
}

TEST_F(OffscreenFromBitmap, DrawingIntoTheBitmapChangesIt) {
  DrawContext parent(nullptr, &canvas.device, nullptr);
  {
    OffscreenContext context(&parent, bitmap, true);
    EXPECT_EQ(context.getPixelColor(Point(0, 1)), kBlue);
    context.drawPoint(Point(0, 0), kYellow);
  }
  bitmap->draw(&parent, Rect(0, 0, 2, 2), Point());
  EXPECT_EQ(canvas.at(0, 0), kYellow);
  EXPECT_EQ(canvas.at(1, 1), kWhite);
}

}  // namespace
