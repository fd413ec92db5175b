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

// A row of an ellipse's interior: [left, right).
struct Span {
  std::int64_t left = 0;
  std::int64_t right = 0;
};

// Arcs in boxes larger than this are not drawn: the platform steps along the whole outline.
constexpr std::int64_t kCurveExtentLimit = 1 << 16;

// The rows of the platform's ellipse region in a box of w by h at left (w and h at least
// 2), found as it finds them: by integer steps along the outline (A. Zingl's midpoint
// method) from the middle row down, the upper half mirrored. A row of a very narrow
// ellipse that the steps never reach stays empty.
std::vector<Span> ellipseRows(std::int64_t left, std::int64_t w, std::int64_t h) {
  std::vector<Span> rows(static_cast<std::size_t>(h));
  const std::int64_t right = left + w;
  const std::int64_t a = w - 1, b = h - 1;
  const std::int64_t asq = 8 * a * a, bsq = 8 * b * b;
  std::int64_t dx = 4 * b * b * (1 - a);
  std::int64_t dy = 4 * a * a * (1 + b % 2);
  std::int64_t err = dx + dy + a * a * (b % 2);
  std::int64_t x = 0, y = h / 2;
  rows[static_cast<std::size_t>(y)] = Span{left, right};
  while (x <= w / 2) {
    const std::int64_t e2 = 2 * err;
    if (e2 >= dx) {
      ++x;
      dx += bsq;
      err += dx;
    }
    if (e2 <= dy) {
      ++y;
      dy += asq;
      err += dy;
      if (y < h) rows[static_cast<std::size_t>(y)] = Span{left + x, right - x};
    }
  }
  for (std::int64_t i = 0; i < h / 2; ++i) {
    rows[static_cast<std::size_t>(i)] = rows[static_cast<std::size_t>(b - i)];
  }
  return rows;
}

// The pixels of the outline that the platform draws for a whole ellipse in a box of w by h
// at the origin with a one-pixel pen: the points of its integer steps through one quadrant
// (as for the fill, but stepping in x and y apart), mirrored into the other three. Boxes of
// two pixels or less get a rectangle's outline, and a single pixel none.
std::vector<Point> ellipseOutline(std::int32_t w, std::int32_t h) {
  std::vector<Point> points;
  if (w <= 0 || h <= 0) return points;
  if (w <= 2 || h <= 2) {
    if (w == 1 && h == 1) return points;
    for (std::int32_t x = 0; x < w; ++x) {
      points.push_back(Point(x, 0));
      points.push_back(Point(x, h - 1));
    }
    for (std::int32_t y = 0; y < h; ++y) {
      points.push_back(Point(0, y));
      points.push_back(Point(w - 1, y));
    }
  } else {
    const std::int64_t a = w - 1, b = h - 1;
    const std::int64_t asq = 8 * a * a, bsq = 8 * b * b;
    std::int64_t dx = 4 * b * b * (1 - a);
    std::int64_t dy = 4 * a * a * (1 + b % 2);
    std::int64_t err = dx + dy + a * a * (b % 2);
    std::int32_t x = w - 1, y = h / 2;
    while (x >= w / 2) {
      const std::int64_t e2 = 2 * err;
      points.push_back(Point(x, y));
      points.push_back(Point(w - 1 - x, y));
      points.push_back(Point(x, h - 1 - y));
      points.push_back(Point(w - 1 - x, h - 1 - y));
      if (e2 >= dx) {
        --x;
        dx += bsq;
        err += dx;
      }
      if (e2 <= dy) {
        ++y;
        dy += asq;
        err += dy;
      }
    }
  }
  // Each pixel once, so that the mix mode sees it once.
  std::sort(points.begin(), points.end(),
            [](Point p, Point q) { return p.y != q.y ? p.y < q.y : p.x < q.x; });
  points.erase(std::unique(points.begin(), points.end()), points.end());
  return points;
}

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
  // The platform builds a wide pen's line as a region: a band of the pen's width along the
  // segment (a rectangle when it is straight, else a polygon with rounded corners) and at
  // each end a round cap, the ellipse region of the pen's width about the end point.
  const std::int64_t w =
      std::min<std::int64_t>(std::llabs(std::int64_t{penState.width}), kMaxPenWidth);
  const std::int64_t x1 = from.x, y1 = from.y, x2 = to.x, y2 = to.y;
  const std::int64_t dx = x2 - x1, dy = y2 - y1;
  const std::int64_t capOrigin = -(w / 2);
  const std::vector<Span> cap = ellipseRows(capOrigin, w, w);
  auto inCap = [&](std::int64_t x, std::int64_t y, std::int64_t cx, std::int64_t cy) {
    const std::int64_t row = y - cy - capOrigin;
    if (row < 0 || row >= w) return false;
    const Span& span = cap[static_cast<std::size_t>(row)];
    return x - cx >= span.left && x - cx < span.right;
  };
  std::int64_t band[4][2] = {};
  if (dx != 0 && dy != 0) {
    const double length = std::hypot(static_cast<double>(dx), static_cast<double>(dy));
    const double widthX = static_cast<double>(w) * static_cast<double>(std::llabs(dy)) / length;
    const double widthY = static_cast<double>(w) * static_cast<double>(std::llabs(dx)) / length;
    auto round = [](double v) { return static_cast<std::int64_t>(std::floor(v + 0.5)); };
    std::int64_t narrowX = round(widthX / 2), narrowY = round(widthY / 2);
    std::int64_t wideX = round((widthX + 1) / 2), wideY = round((widthY + 1) / 2);
    if (dx < 0) {
      wideY = -wideY;
      narrowY = -narrowY;
    }
    if (dy < 0) {
      std::swap(narrowX, wideX);
      std::swap(narrowY, wideY);
      narrowX = -narrowX;
      wideX = -wideX;
    }
    const std::int64_t corners[4][2] = {{x1 - narrowX, y1 + narrowY},
                                        {x1 + wideX, y1 - wideY},
                                        {x2 + wideX, y2 - wideY},
                                        {x2 - narrowX, y2 + narrowY}};
    std::copy(&corners[0][0], &corners[0][0] + 8, &band[0][0]);
  }
  auto inBand = [&](std::int64_t x, std::int64_t y) {
    if (dy == 0 && dx != 0) {
      const std::int64_t top = y1 - w / 2;
      return x >= std::min(x1, x2) && x < std::max(x1, x2) && y >= top && y < top + w;
    }
    if (dx == 0 && dy != 0) {
      const std::int64_t left = x1 - w / 2;
      return y >= std::min(y1, y2) && y < std::max(y1, y2) && x >= left && x < left + w;
    }
    if (dx == 0) return false;
    // Sampled at the pixel's corner as polygon fills are.
    bool inside = false;
    for (int i = 0; i < 4; ++i) {
      const std::int64_t* a = band[i];
      const std::int64_t* b = band[(i + 1) % 4];
      if ((a[1] <= y) == (b[1] <= y)) continue;
      const double crossing = static_cast<double>(a[0]) + static_cast<double>(y - a[1]) *
                                                              static_cast<double>(b[0] - a[0]) /
                                                              static_cast<double>(b[1] - a[1]);
      if (std::ceil(crossing) <= static_cast<double>(x)) inside = !inside;
    }
    return inside;
  };
  const Rect bounds(clampTo32(static_cast<double>(std::min(x1, x2) - w - 1)),
                    clampTo32(static_cast<double>(std::min(y1, y2) - w - 1)),
                    clampTo32(static_cast<double>(std::max(x1, x2) + w + 2)),
                    clampTo32(static_cast<double>(std::max(y1, y2) + w + 2)));
  fillCovered(bounds, penState.color.deviceWord(), [&](std::int32_t x, std::int32_t y) {
    return inBand(x, y) || inCap(x, y, x1, y1) || inCap(x, y, x2, y2);
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
  // Alternate fill, sampled where the platform samples: at each pixel's top-left corner,
  // a corner on a left or top edge inside, one on a right or bottom edge outside. Corners
  // between the first and second crossing of each row are inside, then between the third
  // and fourth, and so on.
  for (std::int64_t y = top; y < bottom; ++y) {
    const double cy = static_cast<double>(y);
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
      const double first = std::max(std::ceil(crossings[i]), static_cast<double>(area.left));
      const double last = std::min(std::ceil(crossings[i + 1]), static_cast<double>(area.right));
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
  Rect ordered;
  ordered.setFromCorners(box.left, box.top, box.right, box.bottom);
  const std::int64_t w = static_cast<std::int64_t>(ordered.right) - ordered.left;
  const std::int64_t h = static_cast<std::int64_t>(ordered.bottom) - ordered.top;
  if (w > kCurveExtentLimit || h > kCurveExtentLimit) return;
  if (sweep.full && width <= 1 && width >= -1) {
    const std::uint32_t word = penState.color.deviceWord();
    for (const Point& p :
         ellipseOutline(static_cast<std::int32_t>(w), static_cast<std::int32_t>(h))) {
      plot(std::int64_t{ordered.left} + p.x, std::int64_t{ordered.top} + p.y, word);
    }
    return;
  }
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
