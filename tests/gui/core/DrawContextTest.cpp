#include "gui/core/DrawContext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "gui/platform/software/ScriptedInput.h"
#include "tests/gui/core/Printers.h"
#include "tests/gui/core/SoftwareWindow.h"
#include "tests/support/canvas/Canvas.h"

namespace {

using platform::MixMode;

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

TEST(DrawContextSetup, ClipDefaultsAreStoredButNotApplied) {
  Canvas canvas(6, 6);
  DrawContext plain(nullptr, &canvas.device, nullptr);
  Rect clip;
  plain.getClipRect(clip);
  EXPECT_EQ(clip, Rect(0, 0, 1000, 1000));

  TestFrame frame(Rect(0, 0, 2, 2));
  DrawContext framed(&frame, &canvas.device, nullptr);
  framed.getClipRect(clip);
  EXPECT_EQ(clip, Rect(0, 0, 2, 2));
  framed.setFillColor(kRed);
  framed.fillRect(Rect(0, 0, 5, 5));
  EXPECT_EQ(canvas.count(kRed), 16);
}

TEST(DrawContextSetup, AppliesDefaultsAndGivesTheDeviceItsObjectsBack) {
  Canvas canvas(4, 4);
  {
    DrawContext context(nullptr, &canvas.device, nullptr);
    EXPECT_EQ(context.getFrameColor(), kWhite);
    EXPECT_EQ(context.getFillColor(), kBlack);
    EXPECT_EQ(context.getFontColor(), kWhite);
    EXPECT_EQ(context.getLineWidth(), 1);
    EXPECT_EQ(context.getLineStyle(), kSolidLine);
    EXPECT_EQ(context.getDrawMode(), kDrawCopy);
    EXPECT_EQ(canvas.device.pen().color, kWhite);
    EXPECT_EQ(canvas.device.brush(), kBlack);
    EXPECT_EQ(canvas.device.backgroundColor(), kBlack);
    EXPECT_EQ(canvas.device.textColor(), kWhite);
    EXPECT_FALSE(canvas.device.opaqueBackground());
    EXPECT_EQ(canvas.device.scopeDepth(), 1);
    context.setFrameColor(kRed);
    context.setFillColor(kBlue);
    context.setFont(kFontArial12);
  }
  EXPECT_EQ(canvas.device.pen().color, kBlack);
  EXPECT_EQ(canvas.device.brush(), kWhite);
  EXPECT_FALSE(canvas.device.hasFont());
  EXPECT_EQ(canvas.device.scopeDepth(), 0);
}

TEST(DrawContextSetup, WithoutADeviceEverythingIsHarmless) {
  DrawContext context(nullptr, nullptr, nullptr);
  context.setFrameColor(kRed);
  context.setFont(kFontArial18);
  context.drawRect(Rect(0, 0, 5, 5));
  context.drawString("text", Rect(0, 0, 10, 10));
  const Point points[3] = {{0, 0}, {5, 0}, {0, 5}};
  context.fillPolygon(points, 3);
  EXPECT_EQ(context.getStringWidth("text"), 0);
  EXPECT_EQ(context.getFontSize(), 18);
}

TEST(DrawContextShapes, OutlineAndFillOfOneRectangleTouchDisjointPixels) {
  Canvas canvas(7, 7);
  DrawContext context(nullptr, &canvas.device, nullptr);
  context.drawRect(Rect(1, 1, 5, 5));
  context.setFillColor(kRed);
  context.fillRect(Rect(1, 1, 5, 5));
  EXPECT_EQ(canvas.art({{kWhite, '#'}, {kRed, 'r'}}),
            ".......\n"
            ".#####.\n"
            ".#rrr#.\n"
            ".#rrr#.\n"
            ".#rrr#.\n"
            ".#####.\n"
            ".......\n");
}

TEST(DrawContextShapes, LinesLeaveOutTheirEndPixel) {
  Canvas canvas(5, 5);
  DrawContext context(nullptr, &canvas.device, nullptr);
  context.moveTo(Point(0, 0));
  context.lineTo(Point(4, 0));
  context.moveTo(Point(0, 1));
  context.lineTo(Point(3, 4));
  context.moveTo(Point(4, 4));
  context.lineTo(Point(4, 1));
  EXPECT_EQ(canvas.art({{kWhite, '#'}}),
            "####.\n"
            "#....\n"
            ".#..#\n"
            "..#.#\n"
            "....#\n");
}

TEST(DrawContextShapes, DottedStyleHoldsUntilChangedAndOnlyOneMeansDotted) {
  Canvas canvas(12, 3);
  DrawContext context(nullptr, &canvas.device, nullptr);
  context.setLineStyle(kDottedLine);
  context.moveTo(Point(0, 0));
  context.lineTo(Point(12, 0));
  context.setFrameColor(kRed);  // a new pen keeps the style
  context.moveTo(Point(0, 1));
  context.lineTo(Point(12, 1));
  context.setLineStyle(5);
  context.moveTo(Point(0, 2));
  context.lineTo(Point(12, 2));
  EXPECT_EQ(canvas.art({{kWhite, '#'}, {kRed, 'r'}}),
            "###...###...\n"
            "rrr...rrr...\n"
            "rrrrrrrrrrrr\n");
}

TEST(DrawContextShapes, WidePensCoverTheirWidth) {
  Canvas canvas(10, 9);
  DrawContext context(nullptr, &canvas.device, nullptr);
  context.setLineWidth(3);
  context.moveTo(Point(2, 4));
  context.lineTo(Point(7, 4));
  for (std::int32_t y = 3; y <= 5; ++y) EXPECT_EQ(canvas.at(4, y), kWhite) << y;
  EXPECT_EQ(canvas.at(4, 2), kBlack);
  EXPECT_EQ(canvas.at(4, 6), kBlack);
}

TEST(DrawContextShapes, PolygonsFillWithoutOutlineThroughEitherPointBuffer) {
  Canvas fewPoints(7, 7);
  DrawContext small(nullptr, &fewPoints.device, nullptr);
  small.setFillColor(kRed);
  const Point square[4] = {{1, 1}, {5, 1}, {5, 5}, {1, 5}};
  small.fillPolygon(square, 4);
  EXPECT_EQ(fewPoints.art({{kRed, 'r'}}),
            ".......\n"
            ".rrrr..\n"
            ".rrrr..\n"
            ".rrrr..\n"
            ".rrrr..\n"
            ".......\n"
            ".......\n");

  // The same square through 40 points, more than the fixed buffer holds.
  std::vector<Point> many;
  for (std::int32_t i = 0; i < 10; ++i) many.push_back(Point(1 + i * 4 / 10, 1));
  for (std::int32_t i = 0; i < 10; ++i) many.push_back(Point(5, 1 + i * 4 / 10));
  for (std::int32_t i = 0; i < 10; ++i) many.push_back(Point(5 - i * 4 / 10, 5));
  for (std::int32_t i = 0; i < 10; ++i) many.push_back(Point(1, 5 - i * 4 / 10));
  Canvas manyPoints(7, 7);
  DrawContext large(nullptr, &manyPoints.device, nullptr);
  large.setFillColor(kRed);
  large.fillPolygon(many.data(), static_cast<std::int32_t>(many.size()));
  EXPECT_EQ(manyPoints.art({{kRed, 'r'}}), fewPoints.art({{kRed, 'r'}}));

  large.fillPolygon(nullptr, 4);
  large.fillPolygon(square, 0);
  large.fillPolygon(square, -3);
}

TEST(DrawContextShapes, PolyLineThroughManyPoints) {
  Canvas canvas(41, 2);
  DrawContext context(nullptr, &canvas.device, nullptr);
  std::vector<Point> points;
  for (std::int32_t x = 0; x < 40; ++x) points.push_back(Point(x, 1));
  context.polyLine(points.data(), 40);
  EXPECT_EQ(canvas.count(kWhite), 39);
  EXPECT_EQ(canvas.at(39, 1), kBlack);
}

// True when every pixel of the colour satisfies the test, and there is at least one.
template <typename Where>
bool allPixels(const Canvas& canvas, Color color, Where where) {
  bool any = false;
  for (std::int32_t y = 0; y < canvas.surface->height(); ++y) {
    for (std::int32_t x = 0; x < canvas.surface->width(); ++x) {
      if (canvas.at(x, y) != color) continue;
      any = true;
      if (!where(x, y)) return false;
    }
  }
  return any;
}

TEST(DrawContextShapes, EllipseOutlineIncludesRightAndBottomAndFillStartsInside) {
  Canvas canvas(12, 10);
  DrawContext context(nullptr, &canvas.device, nullptr);
  context.drawEllipse(Rect(1, 1, 9, 7));
  EXPECT_TRUE(allPixels(canvas, kWhite, [](std::int32_t x, std::int32_t y) {
    return x >= 1 && x <= 9 && y >= 1 && y <= 7;
  }));
  EXPECT_EQ(canvas.at(1, 4), kWhite);
  EXPECT_EQ(canvas.at(9, 4), kWhite);
  EXPECT_EQ(canvas.at(5, 1), kWhite);
  EXPECT_EQ(canvas.at(5, 7), kWhite);
  // The outline runs round from the top middle and, as lines do, leaves out the pixel it
  // ends on: apart from that one pixel it is symmetric about the box's centre.
  std::int32_t asymmetric = 0;
  for (std::int32_t y = 1; y <= 7; ++y) {
    for (std::int32_t x = 1; x <= 9; ++x) asymmetric += canvas.at(x, y) != canvas.at(10 - x, 8 - y);
  }
  EXPECT_LE(asymmetric, 2);

  // The fill takes the box one pixel in from the left and top, to the outline's right and
  // bottom inclusive.
  context.setFillColor(kRed);
  context.fillEllipse(Rect(1, 1, 9, 7));
  EXPECT_TRUE(allPixels(canvas, kRed, [](std::int32_t x, std::int32_t y) {
    return x >= 2 && x <= 9 && y >= 2 && y <= 7;
  }));
  EXPECT_EQ(canvas.at(5, 4), kRed);
  EXPECT_EQ(canvas.at(9, 4), kRed);
  EXPECT_EQ(canvas.at(5, 7), kRed);
  EXPECT_EQ(canvas.at(1, 4), kWhite);
}

TEST(DrawContextShapes, TallNarrowEllipsesFillTheirTopAndBottomRows) {
  // The outline's steps end before the last rows of so narrow a box; those rows take the
  // middle pixel of the row next to them rather than staying empty.
  Canvas canvas(6, 11);
  DrawContext context(nullptr, &canvas.device, nullptr);
  context.setFillColor(kRed);
  context.fillEllipse(Rect(0, 0, 3, 8));
  EXPECT_EQ(canvas.at(2, 1), kRed);
  EXPECT_EQ(canvas.at(2, 8), kRed);
  EXPECT_EQ(canvas.at(1, 1), kBlack);
  EXPECT_EQ(canvas.at(3, 8), kBlack);
  EXPECT_EQ(canvas.at(2, 9), kBlack);
  EXPECT_EQ(canvas.count(kRed), 1 + 1 + 3 * 4 + 1 + 1);
}

TEST(DrawContextShapes, ArcsAndPiesRunCounterClockwise) {
  const Point east(10, 5), north(5, 0);
  Canvas quarter(12, 12);
  DrawContext q(nullptr, &quarter.device, nullptr);
  q.drawArc(Rect(0, 0, 10, 10), east, north);
  EXPECT_TRUE(
      allPixels(quarter, kWhite, [](std::int32_t x, std::int32_t y) { return x >= 5 && y <= 5; }));

  Canvas rest(12, 12);
  DrawContext r(nullptr, &rest.device, nullptr);
  r.drawArc(Rect(0, 0, 10, 10), north, east);
  EXPECT_EQ(rest.at(0, 5), kWhite);
  EXPECT_EQ(rest.at(5, 10), kWhite);
  EXPECT_EQ(rest.at(8, 2), kBlack);

  Canvas pie(12, 12);
  DrawContext p(nullptr, &pie.device, nullptr);
  p.setFillColor(kRed);
  p.fillArc(Rect(0, 0, 10, 10), east, north);
  EXPECT_TRUE(
      allPixels(pie, kRed, [](std::int32_t x, std::int32_t y) { return x >= 5 && y <= 5; }));
  EXPECT_EQ(pie.at(7, 3), kRed);

  Canvas restPie(12, 12);
  DrawContext rp(nullptr, &restPie.device, nullptr);
  rp.setFillColor(kRed);
  rp.fillArc(Rect(0, 0, 10, 10), north, east);
  EXPECT_EQ(restPie.at(3, 7), kRed);
  EXPECT_EQ(restPie.at(7, 7), kRed);
  EXPECT_EQ(restPie.at(7, 3), kBlack);
}

TEST(DrawContextShapes, FloodFillStopsAtTheBoundary) {
  Canvas canvas(7, 7);
  DrawContext context(nullptr, &canvas.device, nullptr);
  context.drawRect(Rect(1, 1, 5, 5));
  context.setFillColor(kRed);
  context.floodFill(Point(3, 3));
  EXPECT_EQ(canvas.count(kRed), 9);
  context.floodFill(Point(0, 0));
  EXPECT_EQ(canvas.count(kRed), 9 + 49 - 25);
  EXPECT_EQ(canvas.count(kWhite), 16);
  context.floodFill(Point(-1, 50));
}

TEST(DrawContextShapes, PixelsReadBackWithoutTheirSpareByte) {
  Canvas canvas(5, 5);
  DrawContext context(nullptr, &canvas.device, nullptr);
  context.drawPoint(Point(2, 2), Color(1, 2, 3, 77));
  const Color read = context.getPixelColor(Point(2, 2));
  EXPECT_EQ(read, Color(1, 2, 3));
  EXPECT_EQ(read.spare, 0);
  SavedOrigin saved;
  context.pushOrigin(Point(1, 1), saved);
  EXPECT_EQ(context.getPixelColor(Point(1, 1)), Color(1, 2, 3));
}

TEST(DrawContextModes, OrMergesAndXorInvertsWithABlackPenOnly) {
  const Color base(0x10, 0x20, 0x30);
  Canvas canvas(4, 3, base);
  DrawContext context(nullptr, &canvas.device, nullptr);
  context.setDrawMode(kDrawOr);
  context.setFrameColor(kRed);
  context.moveTo(Point(0, 0));
  context.lineTo(Point(4, 0));
  EXPECT_EQ(canvas.at(1, 0), Color(0xFF, 0x20, 0x30));

  context.setDrawMode(kDrawXor);
  context.setFrameColor(kBlack);
  context.drawRect(Rect(0, 1, 3, 2));
  EXPECT_EQ(canvas.at(0, 1), Color(0xEF, 0xDF, 0xCF));
  EXPECT_EQ(canvas.at(3, 2), Color(0xEF, 0xDF, 0xCF));
  // Every outline pixel is drawn once, so a second outline restores the picture.
  context.drawRect(Rect(0, 1, 3, 2));
  EXPECT_EQ(canvas.count(base), 8);
  context.setFrameColor(kWhite);
  context.drawRect(Rect(0, 1, 3, 2));
  EXPECT_EQ(canvas.count(base), 8);
}

TEST(DrawContextModes, TheDeviceIsTouchedOnlyWhenTheModeChanges) {
  Canvas canvas(2, 2);
  DrawContext context(nullptr, &canvas.device, nullptr);
  canvas.device.setMixMode(MixMode::MergePen);
  context.setDrawMode(kDrawCopy);
  EXPECT_EQ(canvas.device.mixMode(), MixMode::MergePen);
  context.setDrawMode(kDrawXor);
  EXPECT_EQ(canvas.device.mixMode(), MixMode::NotXorPen);
  context.setDrawMode(7);
  EXPECT_EQ(context.getDrawMode(), 7);
  EXPECT_EQ(canvas.device.mixMode(), MixMode::CopyPen);
}

TEST(DrawContextOrigin, OffsetMovesDrawingAndClipStaysInDeviceCoordinates) {
  Canvas canvas(8, 8);
  DrawContext context(nullptr, &canvas.device, nullptr);
  SavedOrigin outer;
  context.pushOrigin(Point(3, 2), outer);
  context.setFillColor(kRed);
  context.fillRect(Rect(0, 0, 2, 2));
  EXPECT_EQ(canvas.at(4, 3), kRed);
  EXPECT_EQ(canvas.count(kRed), 1);
  EXPECT_EQ(context.toDevice(Rect(0, 0, 1, 1)), Rect(3, 2, 4, 3));

  SavedOrigin inner;
  context.pushOrigin(Point(5, 5), inner);
  EXPECT_EQ(inner.offsetX, 3);
  EXPECT_EQ(inner.offsetY, 2);
  context.popOrigin(inner);
  EXPECT_EQ(context.getOffset(), Point(3, 2));
  context.popOrigin(outer);
  EXPECT_EQ(context.getOffset(), Point(0, 0));

  context.pushOrigin(Point(2, 2), outer);
  context.setClipRect(Rect(0, 0, 3, 3));
  context.setFillColor(kBlue);
  context.fillRect(Rect(-10, -10, 10, 10));
  EXPECT_EQ(canvas.count(kBlue), 9);
  EXPECT_EQ(canvas.at(0, 0), kBlue);
  context.resetClipRect();
  Rect clip;
  context.getClipRect(clip);
  EXPECT_EQ(clip, Rect(0, 0, 1000, 1000));
  context.fillRect(Rect(-10, -10, 10, 10));
  EXPECT_EQ(canvas.count(kBlue), 64);
}

TEST(DrawContextOrigin, ExtremeCoordinatesStayDefined) {
  Canvas canvas(10, 10);
  DrawContext context(nullptr, &canvas.device, nullptr);
  context.moveTo(Point(-2000000000, 3));
  context.lineTo(Point(2000000000, 3));
  EXPECT_EQ(canvas.count(kWhite), 10);
  context.setFillColor(kRed);
  context.fillRect(Rect(kMin, kMin, kMax, kMax));
  EXPECT_EQ(canvas.count(kRed), 100);

  // Small curves at the ends of the coordinate range, their centres and paths near overflow.
  context.fillEllipse(Rect(kMax - 7, kMax - 7, kMax - 1, kMax - 1));
  context.fillArc(Rect(kMax - 9, kMin, kMax, kMin + 9), Point(kMax, kMin), Point(kMin, kMax));
  context.drawArc(Rect(kMin, kMax - 9, kMin + 9, kMax), Point(kMin, kMin), Point(kMax, kMax));

  SavedOrigin saved;
  context.pushOrigin(Point(kMax - 1, kMin + 1), saved);
  context.drawRect(Rect(kMin, kMin, kMax, kMax));
  context.fillEllipse(Rect(-5, -5, kMax, kMax));
  context.drawArc(Rect(kMin, kMin, kMax, kMax), Point(0, 0), Point(kMax, kMin));
  const Point wild[3] = {{kMin, kMin}, {kMax, 0}, {0, kMax}};
  context.fillPolygon(wild, 3);
  context.drawString("x", Rect(kMin, kMin, kMax, kMax));
  context.popOrigin(saved);
  context.setLineWidth(kMax);
  context.drawEllipse(Rect(-100, -100, 100, 100));
  context.moveTo(Point(kMin, kMin));
  context.lineTo(Point(kMax, kMax));
  EXPECT_EQ(canvas.count(kRed) + canvas.count(kWhite), 100);
}

TEST(DrawContextText, FontsComeFromTheTable) {
  Canvas canvas(4, 4);
  DrawContext context(nullptr, &canvas.device, nullptr);
  EXPECT_EQ(context.getStringWidth("abc"), 0);  // no font selected yet
  context.setFont(9, 0, 0);
  EXPECT_EQ(context.getFont(), kFontArialBold12);
  EXPECT_EQ(context.getFontSize(), 12);
  EXPECT_STREQ(canvas.device.font().face, "Arial");
  EXPECT_EQ(canvas.device.font().weight, 700);
  ASSERT_TRUE(canvas.device.hasFont()) << "fonts-liberation is missing";
  context.setFont(kFontArial12, 20, kStyleItalic | kStyleUnderline);
  EXPECT_EQ(canvas.device.font().height, 20);
  EXPECT_EQ(canvas.device.font().weight, 400);
  EXPECT_TRUE(canvas.device.font().italic);
  EXPECT_TRUE(canvas.device.font().underline);
}

TEST(DrawContextText, MeasuresInTheCurrentFont) {
  Canvas canvas(4, 4);
  DrawContext context(nullptr, &canvas.device, nullptr);
  context.setFont(kFontArial12);
  EXPECT_EQ(context.getStringWidth(nullptr), 0);
  EXPECT_EQ(context.getStringWidth(""), 0);
  const std::int32_t one = context.getStringWidth("M");
  EXPECT_GT(one, 0);
  EXPECT_EQ(context.getStringWidth("MMMM"), 4 * one);
  EXPECT_LT(context.getStringWidth("ii"), context.getStringWidth("MM"));
  context.setFont(kFontArial18);
  EXPECT_GT(context.getStringWidth("M"), one);
  context.setFont(kFontSymbol13);
  EXPECT_GT(context.getStringWidth("abc"), 0);
}

struct Ink {
  std::int32_t left = 1 << 30, right = -1, top = 1 << 30, bottom = -1;
};

Ink inkOf(const Canvas& canvas, Color color) {
  Ink ink;
  for (std::int32_t y = 0; y < canvas.surface->height(); ++y) {
    for (std::int32_t x = 0; x < canvas.surface->width(); ++x) {
      if (canvas.at(x, y) == canvas.background || canvas.at(x, y) == color) continue;
      ink = {std::min(ink.left, x), std::max(ink.right, x), std::min(ink.top, y),
             std::max(ink.bottom, y)};
    }
  }
  return ink;
}

std::string drawn(std::int32_t align, std::int16_t opaque = 0, Ink* ink = nullptr) {
  Canvas canvas(60, 20);
  DrawContext context(nullptr, &canvas.device, nullptr);
  context.setFont(kFontArial12);
  context.setFillColor(kRed);
  context.drawString("Hi", Rect(0, 0, 60, 20), opaque, align);
  if (ink) *ink = inkOf(canvas, kRed);
  EXPECT_FALSE(canvas.device.opaqueBackground());
  return canvas.art({{kWhite, '#'}, {kRed, 'r'}});
}

TEST(DrawContextText, AlignmentOnOneCentredLine) {
  Ink left, right, centre;
  const std::string leftPicture = drawn(kTextLeft, 0, &left);
  EXPECT_EQ(drawn(5), leftPicture);
  drawn(kTextRight, 0, &right);
  drawn(kTextCenter, 0, &centre);
  ASSERT_GE(left.right, 0) << "no text drawn";
  EXPECT_GE(left.left, 1);
  EXPECT_LE(left.left, 3);
  EXPECT_LE(right.right, 59);
  EXPECT_GE(right.right, 56);
  EXPECT_LE(std::abs(centre.left - (59 - centre.right)), 3);
  EXPECT_LE(std::abs(left.top - (19 - left.bottom)), 5);
  EXPECT_EQ(leftPicture.find('r'), std::string::npos);
}

TEST(DrawContextText, OpaqueTextPaintsItsCellInTheFillColour) {
  const std::string picture = drawn(kTextLeft, 1);
  EXPECT_NE(picture.find('r'), std::string::npos);
  EXPECT_NE(picture.find('#'), std::string::npos);
}

TEST(DrawContextText, TextIsClippedToItsRectangleAndNullTextDrawsNothing) {
  Canvas canvas(40, 12);
  DrawContext context(nullptr, &canvas.device, nullptr);
  context.setFont(kFontArial12);
  context.drawString(nullptr, Rect(0, 0, 40, 12));
  EXPECT_EQ(canvas.count(kBlack), 40 * 12);
  context.drawString("WWWWWWWW", Rect(0, 0, 10, 12), 0, kTextLeft);
  EXPECT_LT(canvas.count(kBlack), 40 * 12);
  for (std::int32_t y = 0; y < 12; ++y) {
    for (std::int32_t x = 10; x < 40; ++x) EXPECT_EQ(canvas.at(x, y), kBlack);
  }
}

class DrawContextMouse : public ::testing::Test {
 protected:
  void SetUp() override { input.reset(); }
  void TearDown() override {
    DrawContext::setButtonsSwapped(false);
    input.reset();
  }
  platform::software::ScriptedInput& input = platform::software::scriptedInput();
};

TEST_F(DrawContextMouse, ButtonsFollowTheSystemsSwap) {
  DrawContext context(nullptr, nullptr, nullptr);
  input.setButtons(platform::kPhysicalRight | platform::kShiftDown | platform::kControlDown);
  EXPECT_EQ(context.getMouseButtons(), kButtonRight | kModShift | kModControl);
  DrawContext::setButtonsSwapped(true);
  EXPECT_EQ(context.getMouseButtons(), kButtonLeft | kModShift | kModControl);
  input.setButtons(platform::kPhysicalLeft | platform::kPhysicalMiddle | platform::kAltDown);
  EXPECT_EQ(context.getMouseButtons(), kButtonRight | kButtonMiddle | kModAlt);
}

TEST_F(DrawContextMouse, PointerIsRelativeToTheWindowAndTheCurrentOrigin) {
  platform::software::SoftwareWindow window(Rect(100, 50, 400, 300));
  DrawContext context(nullptr, nullptr, &window);
  input.setCursor(Point(130, 70));
  Point where;
  context.getPointerLocation(where);
  EXPECT_EQ(where, Point(30, 20));
  SavedOrigin saved;
  context.pushOrigin(Point(10, 5), saved);
  context.getPointerLocation(where);
  EXPECT_EQ(where, Point(20, 15));
  context.popOrigin(saved);
  context.getPointerLocation(where);
  EXPECT_EQ(where, Point(30, 20));

  DrawContext windowless(nullptr, nullptr, nullptr);
  windowless.getPointerLocation(where);
  EXPECT_EQ(where, Point(130, 70));
}

TEST_F(DrawContextMouse, DoubleClickWithinTimeAndPlace) {
  DrawContext context(nullptr, nullptr, nullptr);
  input.setDoubleClickTime(500);
  input.leftPressAt(100);
  EXPECT_TRUE(context.awaitDoubleClick());
  EXPECT_EQ(input.pendingPresses(), 0);
  EXPECT_LT(input.time(), 500u);

  input.reset();
  input.cursorAt(50, Point(2, 0));
  input.leftPressAt(100);
  EXPECT_FALSE(context.awaitDoubleClick());

  input.reset();
  input.cursorAt(50, Point(1, -1));
  EXPECT_FALSE(context.awaitDoubleClick());
  EXPECT_GE(input.time(), 500u);
}

TEST_F(DrawContextMouse, DoubleClickTimeAlreadyPastAnswersAtOnce) {
  DrawContext context(nullptr, nullptr, nullptr);
  input.setTime(600);
  input.leftPressAt(0);
  EXPECT_FALSE(context.awaitDoubleClick());
  EXPECT_EQ(input.pendingPresses(), 1);  // the press stays queued for the window
}

TEST_F(DrawContextMouse, DoubleClickDeadlineAcrossTheTickWrap) {
  DrawContext context(nullptr, nullptr, nullptr);
  input.setMessageTime(0xFFFFFF00u);
  input.setTime(0xFFFFFF10u);
  input.leftPressAt(0xFFFFFF20u);
  EXPECT_TRUE(context.awaitDoubleClick());
}

TEST_F(DrawContextMouse, DragNeedsAFrameAndTheHeldButton) {
  DrawContext frameless(nullptr, nullptr, nullptr);
  input.setButtons(platform::kPhysicalLeft);
  input.cursorAt(5, Point(10, 0));
  EXPECT_FALSE(frameless.awaitDrag());

  TestFrame frame(Rect(0, 0, 100, 100));
  DrawContext context(&frame, nullptr, nullptr);
  input.reset();
  input.setButtons(platform::kPhysicalLeft);
  input.cursorAt(30, Point(0, 2));
  EXPECT_TRUE(context.awaitDrag());
  EXPECT_GT(frame.idles, 0);

  input.reset();
  input.setButtons(platform::kPhysicalLeft);
  input.cursorAt(30, Point(1, 1));
  input.buttonsAt(40, 0);
  input.cursorAt(50, Point(9, 9));
  EXPECT_FALSE(context.awaitDrag());
}

}  // namespace
