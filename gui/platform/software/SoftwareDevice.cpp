#include "gui/platform/software/SoftwareDevice.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <numbers>

#include "gui/platform/software/SoftwareFont.h"

namespace software {

namespace {

std::atomic<bool> transparentCopyAvailable{true};
std::atomic<bool> alphaBlendAvailable{true};

constexpr std::uint32_t kWordMask = 0x00FFFFFFu;
// Cosmetic dotted pens: three pixels on, three off, running on along connected lines.
constexpr std::int64_t kDotOn = 3;
constexpr std::int64_t kDotPeriod = 6;
// Wider pens are drawn at this width: nothing draws wider, and it bounds the work.
constexpr std::int32_t kMaxPenWidth = 256;

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

std::uint32_t rasterWord(platform::RasterOp op, std::uint32_t src, std::uint32_t dst) {
  switch (op) {
    case platform::RasterOp::Invert:
      return src ^ dst;
    case platform::RasterOp::And:
      return src & dst;
    default:
      return src;
  }
}

Rect intersect(Rect a, const Rect& b) {
  return a.bound(b);
}

// The ellipse inscribed in a box whose right and bottom are excluded, sampled at pixel
// centres.
struct Ellipse {
  double cx = 0, cy = 0, rx = 0, ry = 0;

  explicit Ellipse(const Rect& box, double grow = 0)
      : cx((static_cast<double>(box.left) + box.right) / 2),
        cy((static_cast<double>(box.top) + box.bottom) / 2),
        rx((static_cast<double>(box.right) - box.left) / 2 + grow),
        ry((static_cast<double>(box.bottom) - box.top) / 2 + grow) {}

  bool valid() const { return rx > 0 && ry > 0; }
  bool contains(std::int64_t x, std::int64_t y) const {
    if (!valid()) return false;
    const double dx = (static_cast<double>(x) + 0.5 - cx) / rx;
    const double dy = (static_cast<double>(y) + 0.5 - cy) / ry;
    return dx * dx + dy * dy <= 1.0;
  }
  // Angle of a point seen from the centre, counter-clockwise on the screen.
  double angle(double x, double y) const { return std::atan2(cy - y, x - cx); }
};

// The counter-clockwise sweep between the radials through two points; the whole turn when
// the radials coincide.
struct Sweep {
  double start = 0;
  double span = 0;
  bool full = true;

  Sweep(const Ellipse& e, Point from, Point to) {
    start = e.angle(from.x + 0.5, from.y + 0.5);
    const double end = e.angle(to.x + 0.5, to.y + 0.5);
    span = normalise(end - start);
    full = span == 0;
  }
  static double normalise(double a) {
    const double turn = 2 * std::numbers::pi;
    a = std::fmod(a, turn);
    return a < 0 ? a + turn : a;
  }
  bool contains(const Ellipse& e, std::int64_t x, std::int64_t y) const {
    if (full) return true;
    return normalise(e.angle(static_cast<double>(x) + 0.5, static_cast<double>(y) + 0.5) - start) <=
           span;
  }
};

}  // namespace

void setBlendFunctionsAvailable(bool transparentCopy, bool alphaBlend) {
  transparentCopyAvailable.store(transparentCopy, std::memory_order_relaxed);
  alphaBlendAvailable.store(alphaBlend, std::memory_order_relaxed);
}

SoftwareDevice::SoftwareDevice(PixelSurface* target) : current(target) {}

SoftwareDevice::SoftwareDevice() : initialSurface(PixelSurface::create(1, 1, true)) {
  current = initialSurface.get();
}

SoftwareDevice::~SoftwareDevice() = default;

void SoftwareDevice::openObjectScope() {
  scopes.push_back({penState, brushColor, fontSpec, fontObject});
}

void SoftwareDevice::closeObjectScope() {
  if (scopes.empty()) return;
  const Scope& s = scopes.back();
  penState = s.pen;
  brushColor = s.brush;
  fontSpec = s.font;
  fontObject = s.fontObject;
  scopes.pop_back();
}

void SoftwareDevice::selectPen(const platform::PenSpec& pen) {
  penState = pen;
}

bool SoftwareDevice::selectBrush(Color color) {
  brushColor = color;
  return true;
}

void SoftwareDevice::selectFont(const FontSpec& font) {
  std::shared_ptr<SoftwareFont> made = SoftwareFont::open(font);
  if (!made) return;
  fontSpec = font;
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
  line(position, p);
  position = p;
}

void SoftwareDevice::polyline(const Point* points, std::int32_t count) {
  if (!points || count < 2) return;
  dotPhase = 0;
  for (std::int32_t i = 1; i < count; ++i) line(points[i - 1], points[i]);
}

void SoftwareDevice::line(Point from, Point to) {
  if (penState.width > 1) {
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
  const std::int64_t dx = std::llabs(x1 - x0), dy = -std::llabs(y1 - y0);
  const std::int64_t sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  std::int64_t err = dx + dy;
  const std::uint32_t penWord = penState.color.deviceWord();
  const std::uint32_t gapWord = backgroundState.deviceWord();
  const bool dotted = penState.dotted;
  for (;;) {
    const bool last = x0 == x1 && y0 == y1;
    if (last && !drawLast) break;
    if (!dotted || dotPhase % kDotPeriod < kDotOn) {
      plot(x0, y0, penWord);
    } else if (opaque) {
      plot(x0, y0, gapWord);
    }
    ++dotPhase;
    if (last) break;
    const std::int64_t e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
}

template <typename Covered>
void SoftwareDevice::fillCovered(const Rect& bounds, std::uint32_t word, Covered covered) {
  const Rect area = intersect(drawableArea(), bounds);
  for (std::int32_t y = area.top; y < area.bottom; ++y) {
    for (std::int32_t x = area.left; x < area.right; ++x) {
      if (covered(x, y)) plot(x, y, word);
    }
  }
}

namespace {

std::int32_t clampTo32(double v) {
  if (v >= 2147483647.0) return 2147483647;
  if (v <= -2147483648.0) return -2147483647 - 1;
  return static_cast<std::int32_t>(std::floor(v));
}

}  // namespace

void SoftwareDevice::wideLine(Point from, Point to) {
  // A wide pen covers the pixels within half its width of the segment, with round ends.
  // Sampling a quarter pixel up and left decides between the two rows or columns that an
  // even width straddles.
  const double half = std::min(penState.width, kMaxPenWidth) / 2.0;
  const double ax = from.x + 0.5, ay = from.y + 0.5, bx = to.x + 0.5, by = to.y + 0.5;
  const double vx = bx - ax, vy = by - ay;
  const double length2 = vx * vx + vy * vy;
  const Rect bounds(clampTo32(std::min(ax, bx) - half - 1), clampTo32(std::min(ay, by) - half - 1),
                    clampTo32(std::max(ax, bx) + half + 2), clampTo32(std::max(ay, by) + half + 2));
  fillCovered(bounds, penState.color.deviceWord(), [&](std::int32_t x, std::int32_t y) {
    const double px = x + 0.25 - ax, py = y + 0.25 - ay;
    double t = length2 > 0 ? (px * vx + py * vy) / length2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    const double dx = px - t * vx, dy = py - t * vy;
    return dx * dx + dy * dy < half * half;
  });
}

void SoftwareDevice::fillRect(const Rect& r) {
  // The platform's rectangle fill is a pattern copy that the mix mode does not touch.
  const Rect area = intersect(drawableArea(), r);
  const std::uint32_t word = brushColor.deviceWord();
  for (std::int32_t y = area.top; y < area.bottom; ++y) {
    for (std::int32_t x = area.left; x < area.right; ++x) current->setPixel(x, y, word);
  }
}

void SoftwareDevice::fillPolygon(const Point* points, std::int32_t count) {
  if (!points || count < 3) return;
  std::int64_t minY = points[0].y, maxY = points[0].y;
  for (std::int32_t i = 1; i < count; ++i) {
    minY = std::min<std::int64_t>(minY, points[i].y);
    maxY = std::max<std::int64_t>(maxY, points[i].y);
  }
  const Rect area = drawableArea();
  const std::int64_t top = std::max<std::int64_t>(minY, area.top);
  const std::int64_t bottom = std::min<std::int64_t>(maxY, area.bottom);
  const std::uint32_t word = brushColor.deviceWord();
  std::vector<double> crossings;
  // Alternate fill: pixel centres between the first and second crossing of each row are
  // inside, then between the third and fourth, and so on.
  for (std::int64_t y = top; y < bottom; ++y) {
    const double cy = static_cast<double>(y) + 0.5;
    crossings.clear();
    for (std::int32_t i = 0; i < count; ++i) {
      const Point& a = points[i];
      const Point& b = points[(i + 1) % count];
      if ((a.y <= cy) == (b.y <= cy)) continue;
      crossings.push_back(a.x + (cy - a.y) * (static_cast<double>(b.x) - a.x) /
                                    (static_cast<double>(b.y) - a.y));
    }
    std::sort(crossings.begin(), crossings.end());
    for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
      const double first = std::max(std::ceil(crossings[i] - 0.5), static_cast<double>(area.left));
      const double last =
          std::min(std::ceil(crossings[i + 1] - 0.5), static_cast<double>(area.right));
      for (auto x = static_cast<std::int64_t>(first); x < static_cast<std::int64_t>(last); ++x)
        plot(x, y, word);
    }
  }
}

namespace {

// With no pen the platform fills one pixel less to the right and below.
Rect withoutPen(const Rect& box) {
  return Rect(box.left, box.top, box.right == INT32_MIN ? box.right : box.right - 1,
              box.bottom == INT32_MIN ? box.bottom : box.bottom - 1);
}

}  // namespace

void SoftwareDevice::fillEllipse(const Rect& box) {
  const Rect inner = withoutPen(box);
  const Ellipse e(inner);
  fillCovered(inner, brushColor.deviceWord(),
              [&e](std::int32_t x, std::int32_t y) { return e.contains(x, y); });
}

void SoftwareDevice::fillPie(const Rect& box, Point start, Point end) {
  const Rect inner = withoutPen(box);
  const Ellipse e(inner);
  const Sweep sweep(e, start, end);
  fillCovered(inner, brushColor.deviceWord(), [&e, &sweep](std::int32_t x, std::int32_t y) {
    return e.contains(x, y) && sweep.contains(e, x, y);
  });
}

void SoftwareDevice::arc(const Rect& box, Point start, Point end) {
  const Ellipse e(box);
  const Sweep sweep(e, start, end);
  const std::int32_t width = std::min(penState.width, kMaxPenWidth);
  if (width > 1) {
    const Ellipse outer(box, width / 2.0 - 0.5), inner(box, -width / 2.0 - 0.5);
    const Rect bounds(clampTo32(box.left - width / 2.0), clampTo32(box.top - width / 2.0),
                      clampTo32(box.right + width / 2.0 + 1),
                      clampTo32(box.bottom + width / 2.0 + 1));
    fillCovered(bounds, penState.color.deviceWord(), [&](std::int32_t x, std::int32_t y) {
      return outer.contains(x, y) && !inner.contains(x, y) && sweep.contains(e, x, y);
    });
    return;
  }
  // A one-pixel outline: the ellipse's own pixels that touch a pixel outside it.
  fillCovered(box, penState.color.deviceWord(), [&](std::int32_t x, std::int32_t y) {
    if (!e.contains(x, y) || !sweep.contains(e, x, y)) return false;
    return !e.contains(std::int64_t{x} - 1, y) || !e.contains(std::int64_t{x} + 1, y) ||
           !e.contains(x, std::int64_t{y} - 1) || !e.contains(x, std::int64_t{y} + 1);
  });
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

void SoftwareDevice::floodFill(Point p) {
  const Rect area = drawableArea();
  if (!area.pointInside(p)) return;
  const std::uint32_t target = current->pixel(p.x, p.y);
  const std::int32_t w = area.width();
  std::vector<std::uint8_t> seen(
      static_cast<std::size_t>(w) * static_cast<std::size_t>(area.height()), 0);
  std::vector<Point> pending{p};
  const std::uint32_t word = brushColor.deviceWord();
  // The region is found first and painted afterwards, so that a brush of the region's own
  // colour or a mix mode cannot make it spread or stop early.
  std::vector<Point> region;
  while (!pending.empty()) {
    const Point q = pending.back();
    pending.pop_back();
    if (!area.pointInside(q)) continue;
    std::uint8_t& mark =
        seen[static_cast<std::size_t>(q.y - area.top) * static_cast<std::size_t>(w) +
             static_cast<std::size_t>(q.x - area.left)];
    if (mark || current->pixel(q.x, q.y) != target) continue;
    mark = 1;
    region.push_back(q);
    pending.push_back(Point(q.x + 1, q.y));
    pending.push_back(Point(q.x - 1, q.y));
    pending.push_back(Point(q.x, q.y + 1));
    pending.push_back(Point(q.x, q.y - 1));
  }
  for (const Point& q : region) plot(q.x, q.y, word);
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

platform::Surface* SoftwareDevice::selectSurface(platform::Surface* surface) {
  platform::Surface* previous = current == initialSurface.get() ? nullptr : current;
  // Only memory devices switch surfaces; a window's device keeps its window.
  if (!initialSurface) return previous;
  current = surface ? static_cast<PixelSurface*>(surface) : initialSurface.get();
  return previous;
}

template <typename Combine>
void SoftwareDevice::forEachBlitPixel(const Rect& dst, SoftwareDevice& src, Point srcPos,
                                      Combine combine) {
  const PixelSurface* from = src.current;
  if (!current || !from || dst.isEmpty()) return;
  const Rect area = drawableArea();
  // The part of dst whose destination is drawable and whose source lies on the source.
  const std::int64_t shiftX = static_cast<std::int64_t>(srcPos.x) - dst.left;
  const std::int64_t shiftY = static_cast<std::int64_t>(srcPos.y) - dst.top;
  const std::int64_t left = std::max<std::int64_t>({dst.left, area.left, -shiftX});
  const std::int64_t right =
      std::min<std::int64_t>({dst.right, area.right, from->width() - shiftX});
  const std::int64_t top = std::max<std::int64_t>({dst.top, area.top, -shiftY});
  const std::int64_t bottom =
      std::min<std::int64_t>({dst.bottom, area.bottom, from->height() - shiftY});
  if (left >= right || top >= bottom) return;

  // A copy within one surface reads a snapshot, so overlapping areas come out whole.
  std::vector<std::uint32_t> snapshot;
  const bool sameSurface = from == current;
  if (sameSurface) {
    snapshot.reserve(static_cast<std::size_t>((right - left) * (bottom - top)));
    for (std::int64_t y = top; y < bottom; ++y) {
      for (std::int64_t x = left; x < right; ++x)
        snapshot.push_back(from->pixel(static_cast<std::int32_t>(x + shiftX),
                                       static_cast<std::int32_t>(y + shiftY)));
    }
  }
  const bool maskToColor = from->isMask() && !current->isMask();
  const bool colorToMask = !from->isMask() && current->isMask();
  const std::uint32_t sourceBackground = src.backgroundState.deviceWord();
  const std::uint32_t ones = backgroundState.deviceWord();
  const std::uint32_t zeros = textState.deviceWord();
  std::size_t index = 0;
  for (std::int64_t y = top; y < bottom; ++y) {
    for (std::int64_t x = left; x < right; ++x) {
      std::uint32_t s = sameSurface ? snapshot[index++]
                                    : from->pixel(static_cast<std::int32_t>(x + shiftX),
                                                  static_cast<std::int32_t>(y + shiftY));
      if (maskToColor) s = s != 0 ? ones : zeros;
      if (colorToMask) s = s == sourceBackground ? PixelSurface::kMaskWhite : 0;
      const auto px = static_cast<std::int32_t>(x);
      const auto py = static_cast<std::int32_t>(y);
      std::uint32_t out = 0;
      if (combine(s, current->pixel(px, py), out)) current->setPixel(px, py, out);
    }
  }
}

void SoftwareDevice::blit(const Rect& dst, Device& src, Point srcPos, platform::RasterOp op) {
  // Every device of this backend is a SoftwareDevice.
  forEachBlitPixel(dst, static_cast<SoftwareDevice&>(src), srcPos,
                   [op](std::uint32_t s, std::uint32_t d, std::uint32_t& out) {
                     out = rasterWord(op, s, d);
                     return true;
                   });
}

bool SoftwareDevice::transparentBlit(const Rect& dst, Device& src, Point srcPos, Color key) {
  if (!transparentCopyAvailable.load(std::memory_order_relaxed)) return false;
  const std::uint32_t keyWord = key.deviceWord();
  forEachBlitPixel(dst, static_cast<SoftwareDevice&>(src), srcPos,
                   [keyWord](std::uint32_t s, std::uint32_t, std::uint32_t& out) {
                     out = s;
                     return s != keyWord;
                   });
  return true;
}

bool SoftwareDevice::alphaBlend(const Rect& dst, Device& src, Point srcPos, std::int32_t alpha) {
  if (!alphaBlendAvailable.load(std::memory_order_relaxed)) return false;
  const std::uint32_t a = static_cast<std::uint32_t>(std::clamp(alpha, 0, 255));
  forEachBlitPixel(dst, static_cast<SoftwareDevice&>(src), srcPos,
                   [a](std::uint32_t s, std::uint32_t d, std::uint32_t& out) {
                     out = 0;
                     for (int shift = 0; shift < 24; shift += 8) {
                       const std::uint32_t sc = (s >> shift) & 0xFF, dc = (d >> shift) & 0xFF;
                       out |= ((sc * a + dc * (255 - a) + 127) / 255) << shift;
                     }
                     return true;
                   });
  return true;
}

}  // namespace software
