#include "tests/support/crosscheck/Scenes.h"

#include "gui/core/Bitmap.h"
#include "gui/core/DrawContext.h"
#include "gui/core/OffscreenContext.h"

namespace crosscheck {

namespace {

constexpr Color kOrange{255, 128, 0};
constexpr Color kDarkBlue{0, 0, 96};
constexpr Color kPaleGreen{160, 224, 160};

// Four vertical bands under the drawing, so that modes and transparency show what they
// keep of the destination.
void stripes(OffscreenContext& c) {
  const Color colors[] = {kRed, kGreen, kBlue, kWhite};
  const std::int32_t band = c.getWidth() / 4;
  for (std::int32_t i = 0; i < 4; ++i) {
    c.setFillColor(colors[i]);
    c.fillRect(Rect(i * band - 1, -1, (i + 1) * band, c.getHeight()));
  }
}

// A 16 by 12 picture with a white (the default colour key) corner and a white inner box.
Bitmap* makePicture(OffscreenContext& parent) {
  auto* picture = new Bitmap(16, 12);
  {
    OffscreenContext painter(&parent, picture, true);
    painter.setFillColor(kOrange);
    painter.fillRect(Rect(-1, -1, 16, 12));
    painter.setFillColor(kWhite);
    painter.fillRect(Rect(-1, -1, 5, 4));
    painter.fillRect(Rect(8, 5, 12, 9));
    painter.setFrameColor(kDarkBlue);
    painter.moveTo(Point(0, 11));
    painter.lineTo(Point(16, 0));
    painter.drawPoint(Point(15, 11), kMagenta);
  }
  return picture;
}

void thinLines(OffscreenContext& c) {
  // A fan through every octant, each line drawn from the centre outwards and, in another
  // colour and shifted, from the outside in: both directions must leave the same pixels.
  const Point ends[] = {{47, 20}, {47, 30}, {40, 39}, {30, 39}, {24, 39}, {14, 39},
                        {0, 34},  {0, 20},  {0, 7},   {9, 0},   {24, 0},  {37, 0},
                        {47, 3},  {47, 13}, {45, 39}, {3, 39}};
  const Point centre(24, 20);
  c.setFrameColor(kWhite);
  for (const Point& end : ends) {
    c.moveTo(centre);
    c.lineTo(end);
  }
  c.setFrameColor(kCyan);
  c.moveTo(Point(46, 2));
  c.lineTo(Point(30, 9));
  c.moveTo(Point(30, 11));
  c.lineTo(Point(46, 4));
  c.setFrameColor(kYellow);
  const Point path[] = {{2, 38}, {10, 30}, {10, 37}, {20, 37}, {20, 37}, {2, 36}};
  c.polyLine(path, 6);
}

// Lines between the centre and every third pixel of the border, outwards or inwards: every
// slope in every octant, each direction on its own.
void lineFan(OffscreenContext& c, bool inwards) {
  const Point centre(24, 20);
  std::int32_t n = 0;
  auto spoke = [&](Point rim) {
    c.setFrameColor(n++ % 2 ? kYellow : kWhite);
    c.moveTo(inwards ? rim : centre);
    c.lineTo(inwards ? centre : rim);
  };
  for (std::int32_t x = 0; x < 48; x += 3) {
    spoke(Point(x, 0));
    spoke(Point(47 - x, 39));
  }
  for (std::int32_t y = 1; y < 39; y += 3) {
    spoke(Point(0, 39 - y));
    spoke(Point(47, y));
  }
}

void outwardLines(OffscreenContext& c) {
  lineFan(c, false);
}
void inwardLines(OffscreenContext& c) {
  lineFan(c, true);
}

void wideStraightLines(OffscreenContext& c) {
  c.setFrameColor(kYellow);
  for (std::int32_t width = 0; width <= 5; ++width) {
    c.setLineWidth(width);
    c.moveTo(Point(3, 3 + width * 6));
    c.lineTo(Point(26, 3 + width * 6));
    c.moveTo(Point(30 + width * 3, 3));
    c.lineTo(Point(30 + width * 3, 30));
  }
}

void wideSlantedLines(OffscreenContext& c) {
  c.setFrameColor(kCyan);
  c.setLineWidth(3);
  c.moveTo(Point(4, 4));
  c.lineTo(Point(40, 30));
  c.setLineWidth(2);
  c.moveTo(Point(4, 34));
  c.lineTo(Point(44, 14));
  c.setLineWidth(4);
  const Point path[] = {{6, 20}, {16, 10}, {26, 22}};
  c.polyLine(path, 3);
}

void dottedLines(OffscreenContext& c) {
  c.setFrameColor(kWhite);
  c.setLineStyle(kDottedLine);
  c.moveTo(Point(2, 2));
  c.lineTo(Point(45, 2));
  c.moveTo(Point(2, 5));
  c.lineTo(Point(2, 38));
  c.moveTo(Point(5, 5));
  c.lineTo(Point(40, 36));
  c.drawRect(Rect(10, 6, 44, 20));
  // Any style other than dotted draws solid; a dotted wide pen is a platform matter too.
  c.setLineStyle(7);
  c.moveTo(Point(20, 24));
  c.lineTo(Point(45, 24));
  c.setLineStyle(kDottedLine);
  c.setLineWidth(2);
  c.moveTo(Point(20, 30));
  c.lineTo(Point(45, 30));
}

void rectangles(OffscreenContext& c) {
  c.setFrameColor(kWhite);
  c.setFillColor(kRed);
  c.drawRect(Rect(2, 2, 20, 14));
  c.fillRect(Rect(2, 2, 20, 14));
  c.fillRect(Rect(24, 2, 44, 14));
  c.drawRect(Rect(26, 18, 26, 30));
  c.drawRect(Rect(30, 22, 30, 22));
  // Inverted: the outline runs backwards, the fill is empty.
  c.drawRect(Rect(20, 36, 4, 18));
  c.setFillColor(kGreen);
  c.fillRect(Rect(44, 38, 34, 30));
  c.fillRect(Rect(36, 20, 37, 21));
}

void ellipses(OffscreenContext& c) {
  c.setFrameColor(kWhite);
  c.setFillColor(kOrange);
  std::int32_t x = 1;
  for (std::int32_t size = 1; size <= 8; ++size) {
    c.fillEllipse(Rect(x, 1, x + size, 1 + size));
    c.drawEllipse(Rect(x, 12, x + size, 12 + size));
    x += size + 2;
  }
  c.fillEllipse(Rect(1, 24, 30, 39));
  c.drawEllipse(Rect(1, 24, 30, 39));
  c.drawEllipse(Rect(32, 22, 45, 38));
  c.fillEllipse(Rect(34, 26, 44, 35));
}

void arcs(OffscreenContext& c) {
  c.setFrameColor(kWhite);
  c.drawArc(Rect(2, 2, 22, 22), Point(22, 12), Point(12, 2));
  c.drawArc(Rect(24, 2, 46, 18), Point(24, 10), Point(46, 10));
  c.setFrameColor(kCyan);
  c.drawArc(Rect(2, 24, 22, 38), Point(12, 38), Point(22, 24));
  c.drawArc(Rect(26, 22, 46, 38), Point(30, 22), Point(42, 22));
  c.setLineWidth(3);
  c.setFrameColor(kYellow);
  c.drawArc(Rect(8, 8, 40, 34), Point(40, 34), Point(8, 34));
}

void pies(OffscreenContext& c) {
  c.setFillColor(kOrange);
  c.fillArc(Rect(0, 0, 22, 22), Point(22, 11), Point(11, 0));
  c.setFillColor(kCyan);
  c.fillArc(Rect(24, 0, 47, 20), Point(24, 10), Point(47, 10));
  c.setFillColor(kYellow);
  c.fillArc(Rect(0, 22, 20, 40), Point(20, 40), Point(20, 22));
  c.setFillColor(kMagenta);
  c.fillArc(Rect(24, 22, 47, 40), Point(30, 22), Point(24, 40));
}

// Every box from 1 by 1 to 8 by 8, filled and then outlined in the XOR mode, so that the
// picture shows both and where they overlap. Left out: tall narrow boxes whose fill the
// outline's steps do not reach to the top and bottom rows; the platform leaves those rows
// undefined, and Wine draws whatever its memory holds.
void ellipseSizes(OffscreenContext& c) {
  c.setFillColor(kOrange);
  c.setFrameColor(kWhite);
  for (std::int32_t pass = 0; pass < 2; ++pass) {
    c.setDrawMode(pass == 0 ? kDrawCopy : kDrawXor);
    for (std::int32_t w = 1; w <= 8; ++w) {
      for (std::int32_t h = 1; h <= 8; ++h) {
        if (h > 2 && (w < 3 || h > 2 * w + 1)) continue;
        const Rect box((w - 1) * 12 + 1, (h - 1) * 12 + 1, (w - 1) * 12 + 1 + w,
                       (h - 1) * 12 + 1 + h);
        if (pass == 0) {
          c.fillEllipse(box);
        } else {
          c.drawEllipse(box);
        }
      }
    }
  }
}

// Arcs or pies in five boxes, round and flat, odd and even, each from every one of eight
// points about the box (corners, middles and points off the box) to every one of them.
constexpr std::int32_t kRadialCell = 26;
constexpr std::int32_t kRadialsWidth = 16 * kRadialCell;
constexpr std::int32_t kRadialsHeight = 20 * kRadialCell;

template <typename Draw>
void everyRadialPair(Draw draw) {
  const std::int32_t sizes[][2] = {{9, 9}, {12, 8}, {15, 20}, {20, 13}, {7, 11}};
  std::int32_t cell = 0;
  for (const auto& size : sizes) {
    const std::int32_t w = size[0], h = size[1];
    const Point around[] = {{0, 0}, {w / 2, -3},    {w, 0}, {w + 2, h / 2},
                            {w, h}, {w / 2 + 1, h}, {0, h}, {-4, h / 2 - 1}};
    for (const Point& from : around) {
      for (const Point& to : around) {
        const std::int32_t x = (cell % 16) * kRadialCell + 3;
        const std::int32_t y = (cell / 16) * kRadialCell + 3;
        draw(Rect(x, y, x + w, y + h), Point(x + from.x, y + from.y), Point(x + to.x, y + to.y));
        ++cell;
      }
    }
  }
}

void arcRadials(OffscreenContext& c) {
  c.setFrameColor(kWhite);
  everyRadialPair([&c](const Rect& r, Point from, Point to) { c.drawArc(r, from, to); });
}

void arcRadialsDotted(OffscreenContext& c) {
  c.setFrameColor(kWhite);
  c.setLineStyle(kDottedLine);
  c.setDrawMode(kDrawXor);
  everyRadialPair([&c](const Rect& r, Point from, Point to) { c.drawArc(r, from, to); });
}

void arcRadialsWide(OffscreenContext& c) {
  c.setFrameColor(kWhite);
  c.setDrawMode(kDrawXor);
  everyRadialPair([&c](const Rect& r, Point from, Point to) {
    // Even and odd widths round their bands differently.
    c.setLineWidth(2 + (r.left / kRadialCell + r.top / kRadialCell) % 2);
    c.drawArc(r, from, to);
  });
}

void pieRadials(OffscreenContext& c) {
  c.setFillColor(kOrange);
  everyRadialPair([&c](const Rect& r, Point from, Point to) { c.fillArc(r, from, to); });
}

void polygons(OffscreenContext& c) {
  c.setFillColor(kGreen);
  const Point triangle[] = {{2, 2}, {20, 4}, {8, 18}};
  c.fillPolygon(triangle, 3);
  c.setFillColor(kYellow);
  const Point arrow[] = {{24, 2}, {46, 10}, {24, 18}, {30, 10}};
  c.fillPolygon(arrow, 4);
  // Self-crossing: the alternating rule leaves the star's centre unfilled.
  c.setFillColor(kWhite);
  const Point star[] = {{12, 20}, {18, 39}, {2, 27}, {22, 27}, {6, 39}};
  c.fillPolygon(star, 5);
  // More points than fit the fixed buffer.
  Point zigzag[40];
  for (std::int32_t i = 0; i < 20; ++i) {
    zigzag[i] = Point(26 + i, 22 + (i % 2) * 4);
    zigzag[39 - i] = Point(26 + i, 36 + (i % 3));
  }
  c.setFillColor(kCyan);
  c.fillPolygon(zigzag, 40);
  c.setFrameColor(kRed);
  c.polyLine(zigzag, 40);
}

void floodFills(OffscreenContext& c) {
  c.setFrameColor(kWhite);
  c.drawRect(Rect(2, 2, 20, 18));
  c.setFillColor(kWhite);
  c.fillEllipse(Rect(23, 1, 46, 24));
  c.moveTo(Point(2, 24));
  c.lineTo(Point(20, 38));
  c.setFillColor(kRed);
  c.floodFill(Point(10, 10));
  // The area takes the seed's colour, whatever lies around it.
  c.setFillColor(kGreen);
  c.floodFill(Point(35, 13));
  // The outline itself is a connected area of white; a diagonal step does not connect.
  c.setFillColor(kYellow);
  c.floodFill(Point(2, 2));
  c.setFillColor(kCyan);
  c.floodFill(Point(2, 24));
  // Outside the surface there is nothing to fill.
  c.setFillColor(kMagenta);
  c.floodFill(Point(-5, 3));
  c.setFillColor(kBlue);
  c.floodFill(Point(4, 36));
}

void drawModes(OffscreenContext& c) {
  stripes(c);
  const Color colors[] = {kDarkBlue, kOrange, kPaleGreen};
  const std::int32_t modes[] = {kDrawCopy, kDrawOr, kDrawXor};
  for (std::int32_t i = 0; i < 3; ++i) {
    c.setDrawMode(modes[i]);
    c.setFrameColor(colors[i]);
    c.setFillColor(colors[i]);
    const std::int32_t y = 2 + i * 12;
    c.moveTo(Point(0, y));
    c.lineTo(Point(48, y));
    c.fillEllipse(Rect(1, y + 1, 14, y + 10));
    const Point wedge[] = {{16, y + 2}, {30, y + 2}, {23, y + 10}};
    c.fillPolygon(wedge, 3);
    // The rectangle fill takes no mode.
    c.fillRect(Rect(32, y + 1, 38, y + 8));
    c.fillArc(Rect(38, y, 48, y + 10), Point(48, y + 5), Point(43, y));
  }
  // Drawn twice in the XOR mode, an outline vanishes.
  c.setFrameColor(kRed);
  c.drawRect(Rect(4, 30, 44, 38));
  c.drawRect(Rect(4, 30, 44, 38));
  c.drawRect(Rect(8, 32, 40, 36));
  c.setDrawMode(9);
  c.moveTo(Point(0, 39));
  c.lineTo(Point(48, 39));
}

void clipping(OffscreenContext& c) {
  c.setClipRect(Rect(10, 8, 38, 30));
  c.setFillColor(kRed);
  c.fillRect(Rect(-1, -1, 48, 40));
  c.setFrameColor(kWhite);
  c.moveTo(Point(0, 0));
  c.lineTo(Point(48, 40));
  c.setFillColor(kYellow);
  c.fillEllipse(Rect(20, 20, 47, 39));
  c.setFrameColor(kCyan);
  c.drawRect(Rect(9, 7, 38, 30));
  c.drawPoint(Point(9, 9), kGreen);
  c.drawPoint(Point(11, 9), kGreen);
  // An empty clip draws nothing, an inverted one neither.
  c.setClipRect(Rect(40, 2, 40, 30));
  c.fillRect(Rect(-1, -1, 48, 40));
  c.setClipRect(Rect(46, 38, 2, 2));
  c.fillRect(Rect(-1, -1, 48, 40));
  c.resetClipRect();
  c.setFillColor(kBlue);
  c.fillRect(Rect(40, 32, 47, 39));
}

void offsets(OffscreenContext& c) {
  SavedOrigin outer;
  c.pushOrigin(Point(7, 5), outer);
  c.setFrameColor(kWhite);
  c.setFillColor(kRed);
  c.drawRect(Rect(0, 0, 20, 12));
  c.fillRect(Rect(0, 0, 20, 12));
  SavedOrigin inner;
  c.pushOrigin(Point(20, 18), inner);
  c.fillEllipse(Rect(0, 0, 14, 10));
  c.moveTo(Point(-20, 0));
  c.lineTo(Point(10, 15));
  const Point wedge[] = {{-18, 4}, {-8, 4}, {-13, 14}};
  c.fillPolygon(wedge, 3);
  c.popOrigin(inner);
  c.drawPoint(Point(-6, -4), kYellow);
  c.popOrigin(outer);
  c.drawPoint(Point(0, 0), kCyan);
  // The clip is taken in device coordinates whatever the offset.
  c.pushOrigin(Point(30, 0), outer);
  c.setClipRect(Rect(0, 30, 10, 40));
  c.setFillColor(kGreen);
  c.fillRect(Rect(-31, 25, 20, 40));
  c.popOrigin(outer);
}

void pixels(OffscreenContext& c) {
  for (std::int32_t i = 0; i < 16; ++i) {
    c.drawPoint(Point(i * 3, i * 2), Color(static_cast<std::uint8_t>(i * 16), 255,
                                           static_cast<std::uint8_t>(255 - i * 16), 77));
  }
  c.drawPoint(Point(-1, 5), kRed);
  c.drawPoint(Point(48, 5), kRed);
  // What reads back is drawn again elsewhere: a wrong read shows as a wrong pixel.
  for (std::int32_t i = 0; i < 16; ++i) {
    c.drawPoint(Point(i * 3, 39 - i), c.getPixelColor(Point(i * 3, i * 2)));
  }
  c.drawPoint(Point(40, 2), c.getPixelColor(Point(-3, -3)));
  // Outside the clip region a pixel reads white.
  c.drawPoint(Point(40, 4), kGreen);
  c.setClipRect(Rect(0, 0, 20, 20));
  c.drawPoint(Point(5, 18), c.getPixelColor(Point(40, 4)));
}

void bitmapCopies(OffscreenContext& c) {
  Bitmap* picture = makePicture(c);
  picture->draw(&c, Rect(1, 1, 17, 13), Point(0, 0));
  picture->draw(&c, Rect(20, 1, 28, 7), Point(6, 3));
  picture->draw(&c, Rect(-6, 20, 10, 32), Point(0, 0));
  picture->draw(&c, Rect(38, 30, 54, 42), Point(0, 0));
  SavedOrigin saved;
  c.pushOrigin(Point(10, 5), saved);
  picture->draw(&c, Rect(20, 10, 36, 22), Point(0, 0));
  c.popOrigin(saved);
  picture->release();
}

void bitmapTransparent(OffscreenContext& c) {
  stripes(c);
  Bitmap* picture = makePicture(c);
  picture->drawTransparent(&c, Rect(2, 2, 18, 14), Point(0, 0));
  picture->drawTransparent(&c, Rect(18, 16, 30, 24), Point(2, 2));
  picture->drawTransparent(&c, Rect(-4, 28, 12, 40), Point(0, 0));
  SavedOrigin saved;
  c.pushOrigin(Point(10, 5), saved);
  picture->drawTransparent(&c, Rect(24, 0, 40, 12), Point(0, 0));
  c.popOrigin(saved);
  picture->setTransparentColor(kOrange);
  picture->drawTransparent(&c, Rect(30, 24, 46, 36), Point(0, 0));
  picture->release();
}

void bitmapMask(OffscreenContext& c) {
  stripes(c);
  Bitmap* picture = makePicture(c);
  picture->draw(&c, Rect(0, 0, 16, 12), Point(0, 0));
  picture->createMask(&c, Point(0, 0));
  picture->drawTransparent(&c, Rect(14, 14, 30, 26), Point(0, 0));
  picture->drawTransparent(&c, Rect(34, 26, 44, 34), Point(4, 2));
  picture->release();
}

void bitmapAlpha(OffscreenContext& c) {
  stripes(c);
  Bitmap* picture = makePicture(c);
  const std::int32_t alphas[] = {0, 64, 128, 200, 255, 300};
  for (std::int32_t i = 0; i < 6; ++i) {
    picture->drawAlphaBlend(&c, Rect(i * 8, i * 5, i * 8 + 16, i * 5 + 12), Point(0, 0), alphas[i]);
  }
  picture->release();
}

// Draws the bitmap at (x, y) in its own size, opaque above and keyed below, and lets it go.
void drawResource(OffscreenContext& c, std::int32_t id, std::int32_t x, std::int32_t y) {
  auto* picture = new Bitmap(id);
  const std::int32_t w = picture->getWidth();
  const std::int32_t h = picture->getHeight();
  picture->draw(&c, Rect(x, y, x + w, y + h), Point(0, 0));
  picture->drawTransparent(&c, Rect(x, y + 20, x + w, y + 20 + h), Point(0, 0));
  picture->release();
}

void bitmapResources(OffscreenContext& c) {
  stripes(c);
  drawResource(c, kPicture24, 1, 1);
  drawResource(c, kPicture32, 10, 1);
  drawResource(c, kPicture16, 15, 1);
  // Only the low 16 bits name the resource.
  drawResource(c, 0x10000 | kPicture24, 21, 1);
  drawResource(c, 999, 30, 1);
  drawResource(c, 0, 30, 8);
}

void offscreenCopies(OffscreenContext& c) {
  OffscreenContext other(nullptr, 20, 16, kBlue);
  other.setFrameColor(kYellow);
  other.moveTo(Point(0, 0));
  other.lineTo(Point(20, 16));
  other.copyTo(&c, Rect(2, 2, 22, 18), Point(0, 0));
  other.copyTo(&c, Rect(26, 2, 34, 8), Point(10, 8));
  c.copyFrom(&other, Rect(4, 4, 16, 12), 30, 20);

  // A surface of the bitmap's own, filled with its picture: drawing there leaves the
  // bitmap alone.
  Bitmap* picture = makePicture(c);
  {
    OffscreenContext copy(&c, picture, false);
    copy.setFillColor(kGreen);
    copy.fillRect(Rect(-1, -1, 6, 6));
    copy.copyTo(&c, Rect(2, 24, 18, 36), Point(0, 0));
  }
  picture->draw(&c, Rect(20, 26, 36, 38), Point(0, 0));
  {
    OffscreenContext into(&c, picture, true);
    into.setFillColor(kCyan);
    into.fillRect(Rect(9, 5, 16, 12));
  }
  picture->draw(&c, Rect(32, 10, 48, 22), Point(0, 0));
  {
    OffscreenContext plain(&c, nullptr, false);
    plain.copyTo(&c, Rect(40, 30, 60, 50), Point(0, 0));
  }
  picture->release();
}

// The symbol face has no scene: where a system lacks it, each substitutes a face of its own.
void textLine(OffscreenContext& c, FontId font, std::int32_t size, std::int32_t style,
              const char* text, std::int16_t opaque, std::int32_t align) {
  c.setFont(font, size, style);
  c.setFontColor(kWhite);
  c.setFillColor(kRed);
  c.drawString(text, Rect(4, 2, 92, 26), opaque, align);
}

void textBoldLeft(OffscreenContext& c) {
  textLine(c, kFontArialBold12, 0, 0, "Tempo", 0, kTextLeft);
}
void textLargeCentre(OffscreenContext& c) {
  textLine(c, kFontArial18, 0, 0, "Depth", 0, kTextCenter);
}
void textRight(OffscreenContext& c) {
  textLine(c, kFontArial12, 0, 0, "120.00", 0, kTextRight);
}
void textSmallOddAlign(OffscreenContext& c) {
  textLine(c, kFontArial9, 0, 0, "Sync", 0, 5);
}
void textStyled(OffscreenContext& c) {
  textLine(c, kFontArial14, 0, kStyleItalic | kStyleUnderline, "Phase", 0, kTextCenter);
}
void textOpaque(OffscreenContext& c) {
  textLine(c, kFontArial10, 0, 0, "-6.0 dB", 1, kTextCenter);
}
void textClipped(OffscreenContext& c) {
  textLine(c, kFontArial18, 0, 0, "Quaverling Quaverling", 0, kTextCenter);
}

constexpr Scene kScenes[] = {
    {"lines_thin", 48, 40, kBlack, Match::Exact, thinLines},
    {"lines_outward", 48, 40, kBlack, Match::Exact, outwardLines},
    {"lines_inward", 48, 40, kBlack, Match::Exact, inwardLines},
    {"lines_wide_straight", 48, 40, kBlack, Match::Exact, wideStraightLines},
    {"lines_wide_slanted", 48, 40, kBlack, Match::Exact, wideSlantedLines},
    {"lines_dotted", 48, 40, kBlack, Match::Exact, dottedLines},
    {"rectangles", 48, 40, kBlack, Match::Exact, rectangles},
    {"ellipses", 48, 40, kBlack, Match::Exact, ellipses},
    {"arcs", 48, 40, kBlack, Match::Exact, arcs},
    {"pies", 48, 40, kBlack, Match::Exact, pies},
    {"ellipse_sizes", 96, 96, kBlack, Match::Exact, ellipseSizes},
    {"arc_radials", kRadialsWidth, kRadialsHeight, kBlack, Match::Exact, arcRadials},
    {"arc_radials_dotted", kRadialsWidth, kRadialsHeight, kBlack, Match::Exact, arcRadialsDotted},
    {"arc_radials_wide", kRadialsWidth, kRadialsHeight, kBlack, Match::Exact, arcRadialsWide},
    {"pie_radials", kRadialsWidth, kRadialsHeight, kBlack, Match::Exact, pieRadials},
    {"polygons", 48, 40, kBlack, Match::Exact, polygons},
    {"flood_fill", 48, 40, kBlack, Match::Exact, floodFills},
    {"draw_modes", 48, 40, kBlack, Match::Exact, drawModes},
    {"clipping", 48, 40, kDarkBlue, Match::Exact, clipping},
    {"offsets", 48, 40, kBlack, Match::Exact, offsets},
    {"pixels", 48, 40, kBlack, Match::Exact, pixels},
    {"bitmap_copy", 48, 40, kBlack, Match::Exact, bitmapCopies},
    {"bitmap_transparent", 48, 40, kBlack, Match::Exact, bitmapTransparent},
    {"bitmap_mask", 48, 40, kBlack, Match::Exact, bitmapMask},
    {"bitmap_alpha", 48, 40, kBlack, Match::Exact, bitmapAlpha},
    {"bitmap_resources", 48, 40, kBlack, Match::Exact, bitmapResources},
    {"offscreen_copies", 48, 40, kDarkBlue, Match::Exact, offscreenCopies},
    {"text_bold_left", 96, 28, kBlack, Match::TextBox, textBoldLeft},
    {"text_large_centre", 96, 28, kBlack, Match::TextBox, textLargeCentre},
    {"text_right", 96, 28, kBlack, Match::TextBox, textRight},
    {"text_small_odd_align", 96, 28, kBlack, Match::TextBox, textSmallOddAlign},
    {"text_styled", 96, 28, kBlack, Match::TextBox, textStyled},
    {"text_opaque", 96, 28, kBlack, Match::TextBox, textOpaque},
    {"text_clipped", 96, 28, kBlack, Match::TextBox, textClipped},
};

}  // namespace

const Scene* scenes() {
  return kScenes;
}

std::int32_t sceneCount() {
  return static_cast<std::int32_t>(sizeof(kScenes) / sizeof(kScenes[0]));
}

}  // namespace crosscheck
