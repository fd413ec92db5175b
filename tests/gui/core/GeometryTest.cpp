#include <gtest/gtest.h>

#include "gui/base/Color.h"
#include "gui/base/Font.h"
#include "gui/base/Point.h"
#include "gui/base/Rect.h"
#include "tests/gui/core/Printers.h"

namespace {

TEST(PointTest, DefaultsChainsAndCompares) {
  EXPECT_EQ(Point(), Point(0, 0));
  Point p(3, 4);
  p.offset(1, 1).offset(-5, 2);
  EXPECT_EQ(p, Point(-1, 7));
  EXPECT_EQ(p.set(9, 8), Point(9, 8));
  EXPECT_TRUE(Point(1, 2) != Point(1, 3));
  EXPECT_TRUE(Point(1, 2) != Point(0, 2));
  EXPECT_FALSE(Point(1, 2) != Point(1, 2));
}

TEST(RectTest, ContainmentCountsLeftAndTopInRightAndBottomOut) {
  const Rect r(10, 20, 30, 40);
  EXPECT_TRUE(r.pointInside(Point(10, 20)));
  EXPECT_TRUE(r.pointInside(Point(29, 39)));
  EXPECT_FALSE(r.pointInside(Point(30, 25)));
  EXPECT_FALSE(r.pointInside(Point(15, 40)));
  EXPECT_FALSE(r.pointInside(Point(9, 25)));
  EXPECT_FALSE(r.pointInside(Point(15, 19)));
}

TEST(RectTest, ConstructorKeepsAnInvertedRectangleAsGiven) {
  const Rect r(10, 20, 5, 2);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.bottom, 2);
  EXPECT_EQ(r.width(), -5);
  EXPECT_EQ(r.height(), -18);
  EXPECT_TRUE(r.isEmpty());
  EXPECT_FALSE(r.pointInside(Point(7, 10)));
}

TEST(RectTest, CornersInAnyOrderGiveANormalRectangle) {
  Rect r;
  r.setFromCorners(10, 20, 5, 2);
  EXPECT_EQ(r, Rect(5, 2, 10, 20));
  r.setFromCorners(5, 2, 10, 20);
  EXPECT_EQ(r, Rect(5, 2, 10, 20));
  r.setFromCorners(7, 3, 7, 9);
  EXPECT_EQ(r.width(), 0);
  EXPECT_TRUE(r.isEmpty());
  r.setFromCorners(1, 4, 6, 4);
  EXPECT_EQ(r.height(), 0);
  EXPECT_TRUE(r.isEmpty());
}

TEST(RectTest, OffsetMovesAllEdgesAndChains) {
  Rect r(1, 2, 3, 4);
  r.offset(10, 20).offset(1, -1);
  EXPECT_EQ(r, Rect(12, 21, 14, 23));
  EXPECT_EQ(r.width(), 2);
  EXPECT_EQ(r.height(), 2);
}

TEST(RectTest, BoundIntersectsAndNeverInverts) {
  Rect apart(0, 0, 10, 10);
  apart.bound(Rect(20, 20, 30, 30));
  EXPECT_EQ(apart, Rect(20, 20, 20, 20));
  EXPECT_TRUE(apart.isEmpty());

  Rect overlapping(0, 0, 10, 10);
  overlapping.bound(Rect(5, -5, 15, 6));
  EXPECT_EQ(overlapping, Rect(5, 0, 10, 6));

  Rect inside(0, 0, 100, 100);
  inside.bound(Rect(10, 10, 20, 20));
  EXPECT_EQ(inside, Rect(10, 10, 20, 20));

  Rect besideOnly(0, 0, 10, 10);
  besideOnly.bound(Rect(10, 0, 20, 10));
  EXPECT_EQ(besideOnly, Rect(10, 0, 10, 10));
  EXPECT_TRUE(besideOnly.isEmpty());

  Rect aboveRight(0, 10, 10, 20);
  aboveRight.bound(Rect(20, 0, 30, 5));
  EXPECT_GE(aboveRight.right, aboveRight.left);
  EXPECT_GE(aboveRight.bottom, aboveRight.top);
}

TEST(ColorTest, ComparisonIgnoresTheSpareByte) {
  EXPECT_EQ(Color(1, 2, 3, 0), Color(1, 2, 3, 99));
  EXPECT_TRUE(Color(1, 2, 3) != Color(1, 2, 4));
  EXPECT_TRUE(Color(1, 2, 3) != Color(0, 2, 3));
  EXPECT_TRUE(Color(1, 2, 3) != Color(1, 0, 3));
}

TEST(ColorTest, PackedWordHasRedLowestAndSpareHighest) {
  EXPECT_EQ(kRed.toWord(), 255u);
  EXPECT_EQ(kBlue.toWord(), 16711680u);
  EXPECT_EQ(kGreen.toWord(), 65280u);
  const Color c(0x11, 0x22, 0x33, 0x44);
  EXPECT_EQ(c.toWord(), 0x44332211u);
  EXPECT_EQ(c.deviceWord(), 0x00332211u);
  Color assigned;
  assigned = 0x44332211u;
  EXPECT_EQ(assigned.red, 0x11);
  EXPECT_EQ(assigned.spare, 0x44);
  EXPECT_EQ(assigned.toWord(), 0x44332211u);
}

TEST(FontTest, OutOfRangeIdsFallBackToTheBoldDefault) {
  for (FontId id : {-1, 8, 9, 1000}) {
    const FontChoice chosen = makeFontChoice(id, 0, 0);
    EXPECT_EQ(chosen.id, kFontArialBold12) << id;
    EXPECT_STREQ(chosen.face, "Arial");
    EXPECT_EQ(chosen.height, 12);
    EXPECT_EQ(chosen.weight, 700);
  }
}

TEST(FontTest, SizeAndStyleBits) {
  const FontChoice chosen = makeFontChoice(kFontArial12, 20, kStyleItalic | kStyleUnderline);
  EXPECT_EQ(chosen.id, 3);
  EXPECT_STREQ(chosen.face, "Arial");
  EXPECT_EQ(chosen.height, 20);
  EXPECT_EQ(chosen.weight, 400);
  EXPECT_TRUE(chosen.italic);
  EXPECT_TRUE(chosen.underline);
  EXPECT_EQ(chosen.pitchAndFamily, kPitchVariableSwiss);

  const FontChoice other = makeFontChoice(kFontArial12, 0, 8 | 16);
  EXPECT_EQ(other.weight, 400);
  EXPECT_FALSE(other.italic);
  EXPECT_FALSE(other.underline);

  EXPECT_EQ(makeFontChoice(kFontArial18, 0, kStyleBold).weight, 700);
  EXPECT_EQ(makeFontChoice(kFontArialBold12, 0, 0).weight, 700);

  const FontChoice symbol = makeFontChoice(kFontSymbol13, 0, 0);
  EXPECT_STREQ(symbol.face, "Symbol");
  EXPECT_EQ(symbol.height, 13);
  EXPECT_EQ(symbol.pitchAndFamily, kPitchDefaultDecorative);
}

}  // namespace
