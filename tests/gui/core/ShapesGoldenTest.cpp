// Shapes whose pixels a picture shows better than assertions. To regenerate the expected
// pictures after a deliberate change, run the test with QV_UPDATE_GOLDENS=1 and look at
// tests/gui/golden/*.png before committing them.
#include <gtest/gtest.h>

#include "gui/core/DrawContext.h"

#include "tests/support/canvas/Canvas.h"

namespace {

TEST(ShapesGolden, OutlinesFillsArcsAndPens) {
  Canvas canvas(64, 40, kGrey);
  DrawContext context(nullptr, &canvas.device, nullptr);

  context.drawEllipse(Rect(2, 2, 18, 14));
  context.setFillColor(kBlue);
  context.fillEllipse(Rect(2, 2, 18, 14));

  context.setFrameColor(kYellow);
  context.drawArc(Rect(22, 2, 38, 18), Point(38, 10), Point(22, 10));
  context.setFillColor(kRed);
  context.fillArc(Rect(42, 2, 60, 18), Point(60, 2), Point(42, 18));

  const Point star[5] = {{10, 20}, {16, 38}, {2, 26}, {18, 26}, {4, 38}};
  context.setFillColor(kCyan);
  context.fillPolygon(star, 5);

  context.setFrameColor(kBlack);
  context.setLineStyle(kDottedLine);
  const Point zigzag[4] = {{22, 22}, {40, 22}, {40, 30}, {22, 37}};
  context.polyLine(zigzag, 4);

  context.setLineStyle(kSolidLine);
  context.setLineWidth(4);
  context.setFrameColor(kMagenta);
  context.moveTo(Point(46, 24));
  context.lineTo(Point(60, 36));

  EXPECT_TRUE(matchesGolden(*canvas.surface, "shapes")) << "see tests/gui/golden/shapes.actual.png";
}

}  // namespace
