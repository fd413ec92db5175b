#include "gui/platform/software/SoftwareDevice.h"

#include <algorithm>

#include "gui/platform/software/RasterMath.h"
#include "gui/platform/software/SoftwareFont.h"

namespace platform::software {

namespace {

constexpr std::uint32_t kWordMask = 0x00FFFFFFu;
// Cosmetic dotted pens: three pixels on, three off, running on along connected lines.
constexpr std::int64_t kDotOn = 3;
constexpr std::int64_t kDotPeriod = 6;

// The platform breaks the ties of its lines the other way in four of the eight octants
// (numbered counter-clockwise from east, y growing downwards): those of lines going
// down-left steeply, up-left steeply or shallowly, and up-right shallowly.
std::int64_t tieBias(std::int64_t dx, std::int64_t dy) {
  int octant;
  if (dy > 0) {
    octant = dx > 0 ? (dx > dy ? 1 : 2) : (-dx > dy ? 4 : 3);
  } else {
    octant = dx < 0 ? (-dx > -dy ? 5 : 6) : (dx > -dy ? 8 : 7);
  }
  return octant == 3 || octant == 5 || octant == 6 || octant == 8 ? 1 : 0;
}

std::uint32_t mixWord(platform::MixMode mode, std::uint32_t src, std::uint32_t dst) {
  switch (mode) {
    case platform::MixMode::MergePen:
      return src | dst;
    case platform::MixMode::NotXorPen:
      return ~(src ^ dst) & kWordMask;
    default:
      return src;
  }
}

}  // namespace

SoftwareDevice::SoftwareDevice(PixelSurface* target) : current(target) {}

SoftwareDevice::SoftwareDevice() : initialSurface(PixelSurface::create(1, 1, true)) {
  current = initialSurface.get();
}

SoftwareDevice::~SoftwareDevice() = default;

void SoftwareDevice::openObjectScope() {
  scopes.push_back({penState, brushColor, fontChoice, fontObject});
}

void SoftwareDevice::closeObjectScope() {
  if (scopes.empty()) return;
  const Scope& s = scopes.back();
  penState = s.pen;
  brushColor = s.brush;
  fontChoice = s.font;
  fontObject = s.fontObject;
  scopes.pop_back();
}

void SoftwareDevice::selectPen(const platform::PenChoice& pen) {
  penState = pen;
}

bool SoftwareDevice::selectBrush(Color color) {
  brushColor = color;
  return true;
}

void SoftwareDevice::selectFont(const FontChoice& font) {
  std::shared_ptr<SoftwareFont> made = SoftwareFont::open(font);
  if (!made) return;
  fontChoice = font;
  fontObject = std::move(made);
}

void SoftwareDevice::setTextColor(Color color) {
  textState = color;
}
void SoftwareDevice::setBackgroundColor(Color color) {
  backgroundState = color;
}
void SoftwareDevice::setOpaqueBackground(bool isOpaque) {
  opaque = isOpaque;
}
void SoftwareDevice::setMixMode(platform::MixMode mode) {
  mix = mode;
}
void SoftwareDevice::setClipRect(const Rect& clip) {
  clipRegion = clip;
}

Rect SoftwareDevice::drawableArea() const {
  if (!current) return Rect();
  const Rect whole(0, 0, current->width(), current->height());
  return clipRegion ? intersect(whole, *clipRegion) : whole;
}

void SoftwareDevice::plot(std::int64_t x, std::int64_t y, std::uint32_t word) {
  const Rect area = drawableArea();
  if (x < area.left || x >= area.right || y < area.top || y >= area.bottom) return;
  const auto px = static_cast<std::int32_t>(x);
  const auto py = static_cast<std::int32_t>(y);
  const std::uint32_t src = current->isMask() ? toMaskWord(word) : word & kWordMask;
  current->setPixel(px, py, mixWord(mix, src, current->pixel(px, py)));
}

void SoftwareDevice::moveTo(Point p) {
  position = p;
  dotPhase = 0;
}

void SoftwareDevice::lineTo(Point p) {
  // Each line starts the dot pattern afresh; a polyline carries it through its corners.
  dotPhase = 0;
  line(position, p);
  position = p;
}

void SoftwareDevice::polyline(const Point* points, std::int32_t count) {
  if (!points || count < 2) return;
  dotPhase = 0;
  for (std::int32_t i = 1; i < count; ++i) line(points[i - 1], points[i]);
}

void SoftwareDevice::line(Point from, Point to) {
  // The platform takes a pen's width without its sign.
  if (penState.width > 1 || penState.width < -1) {
    wideLine(from, to);
  } else {
    thinLine(from, to);
  }
}

void SoftwareDevice::thinLine(Point from, Point to) {
  std::int64_t x0 = from.x, y0 = from.y, x1 = to.x, y1 = to.y;
  bool drawLast = false;
  const Rect area = drawableArea();
  const std::int64_t limit = 4 * (static_cast<std::int64_t>(area.width()) + area.height()) + 8;
  const std::int64_t steps = std::max(std::llabs(x1 - x0), std::llabs(y1 - y0));
  if (steps > limit) {
    // A line far longer than the surface is cut to the part that can show, so that its
    // length cannot cost time; the cut end is inside the line and is drawn.
    double t0 = 0, t1 = 1;
    const double dx = static_cast<double>(x1 - x0), dy = static_cast<double>(y1 - y0);
    const double edges[4][2] = {{-dx, static_cast<double>(x0 - (area.left - 1))},
                                {dx, static_cast<double>(area.right - x0)},
                                {-dy, static_cast<double>(y0 - (area.top - 1))},
                                {dy, static_cast<double>(area.bottom - y0)}};
    for (const auto& e : edges) {
      if (e[0] == 0) {
        if (e[1] < 0) return;
        continue;
      }
      const double t = e[1] / e[0];
      if (e[0] < 0) {
        t0 = std::max(t0, t);
      } else {
        t1 = std::min(t1, t);
      }
    }
    if (t0 > t1) return;
    drawLast = t1 < 1;
    const std::int64_t nx0 = std::llround(static_cast<double>(x0) + t0 * dx);
    const std::int64_t ny0 = std::llround(static_cast<double>(y0) + t0 * dy);
    x1 = std::llround(static_cast<double>(x0) + t1 * dx);
    y1 = std::llround(static_cast<double>(y0) + t1 * dy);
    x0 = nx0;
    y0 = ny0;
  }
  // The platform's line: Bresenham steps along the major axis, and where the exact line
  // passes half-way between two pixels the octant decides, so that a line and its reverse
  // differ exactly as they do on the platform.
  const std::int64_t dx = x1 - x0, dy = y1 - y0;
  const std::int64_t major = std::max(std::llabs(dx), std::llabs(dy));
  const std::int64_t minor = std::min(std::llabs(dx), std::llabs(dy));
  const bool xMajor = std::llabs(dx) > std::llabs(dy);
  const std::int64_t sx = dx > 0 ? 1 : -1, sy = dy > 0 ? 1 : -1;
  const std::int64_t bias = tieBias(dx, dy);
  std::int64_t err = 2 * minor - major;
  const std::uint32_t penWord = penState.color.deviceWord();
  const std::uint32_t gapWord = backgroundState.deviceWord();
  const bool dotted = penState.dotted;
  auto put = [&](std::int64_t x, std::int64_t y) {
    if (!dotted || dotPhase % kDotPeriod < kDotOn) {
      plot(x, y, penWord);
    } else if (opaque) {
      plot(x, y, gapWord);
    }
    ++dotPhase;
  };
  for (std::int64_t i = 0; i < major; ++i) {
    put(x0, y0);
    if (err + bias > 0) {
      if (xMajor) {
        y0 += sy;
      } else {
        x0 += sx;
      }
      err += 2 * minor - 2 * major;
    } else {
      err += 2 * minor;
    }
    if (xMajor) {
      x0 += sx;
    } else {
      y0 += sy;
    }
  }
  if (drawLast) put(x0, y0);
}

void SoftwareDevice::fillRect(const Rect& r) {
  // The platform's rectangle fill is a pattern copy that the mix mode does not touch.
  const Rect area = intersect(drawableArea(), r);
  const std::uint32_t word = brushColor.deviceWord();
  for (std::int32_t y = area.top; y < area.bottom; ++y) {
    for (std::int32_t x = area.left; x < area.right; ++x) current->setPixel(x, y, word);
  }
}

void SoftwareDevice::setPixel(Point p, Color color) {
  const Rect area = drawableArea();
  if (!area.pointInside(p)) return;
  current->setPixel(p.x, p.y, color.deviceWord());
}

Color SoftwareDevice::getPixel(Point p) {
  const Rect area = drawableArea();
  if (!area.pointInside(p)) return kWhite;
  return Color::fromWord(current->pixel(p.x, p.y));
}

Point SoftwareDevice::textExtent(const char* text, std::int32_t len) {
  if (!fontObject || !text || len <= 0) return Point();
  return fontObject->extent(text, len);
}

void SoftwareDevice::textOut(Point p, const char* text, std::int32_t len, const Rect& clip) {
  if (!fontObject || !text || len <= 0 || !current) return;
  const Rect area = intersect(drawableArea(), clip);
  if (opaque) {
    const Point size = fontObject->extent(text, len);
    const Rect cell = intersect(area, Rect(p.x, p.y, clampTo32(static_cast<double>(p.x) + size.x),
                                           clampTo32(static_cast<double>(p.y) + size.y)));
    const std::uint32_t word = backgroundState.deviceWord();
    for (std::int32_t y = cell.top; y < cell.bottom; ++y) {
      for (std::int32_t x = cell.left; x < cell.right; ++x) current->setPixel(x, y, word);
    }
  }
  const Color ink = textState;
  fontObject->render(p, text, len, [&](std::int64_t x, std::int64_t y, std::uint8_t coverage) {
    if (x < area.left || x >= area.right || y < area.top || y >= area.bottom) return;
    const auto px = static_cast<std::int32_t>(x);
    const auto py = static_cast<std::int32_t>(y);
    const Color under = Color::fromWord(current->pixel(px, py));
    auto blend = [coverage](std::uint8_t fg, std::uint8_t bg) {
      return static_cast<std::uint8_t>((fg * coverage + bg * (255 - coverage) + 127) / 255);
    };
    current->setPixel(
        px, py,
        Color(blend(ink.red, under.red), blend(ink.green, under.green), blend(ink.blue, under.blue))
            .deviceWord());
  });
}

}  // namespace platform::software
