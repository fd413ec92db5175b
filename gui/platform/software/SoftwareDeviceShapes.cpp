// The filled shapes, arcs, wide lines and flood fill of the software device.
#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "gui/platform/software/RasterMath.h"
#include "gui/platform/software/SoftwareDevice.h"

namespace software {

namespace {

// Wider pens are drawn at this width: nothing draws wider, and it bounds the work.
constexpr std::int32_t kMaxPenWidth = 256;

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

// With no pen the platform fills one pixel less to the right and below.
Rect withoutPen(const Rect& box) {
  return Rect(box.left, box.top,
              box.right == std::numeric_limits<std::int32_t>::min() ? box.right : box.right - 1,
              box.bottom == std::numeric_limits<std::int32_t>::min() ? box.bottom : box.bottom - 1);
}

}  // namespace

template <typename Covered>
void SoftwareDevice::fillCovered(const Rect& bounds, std::uint32_t word, Covered covered) {
  const Rect area = intersect(drawableArea(), bounds);
  for (std::int32_t y = area.top; y < area.bottom; ++y) {
    for (std::int32_t x = area.left; x < area.right; ++x) {
      if (covered(x, y)) plot(x, y, word);
    }
  }
}

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

}  // namespace software
