// The filled shapes, arcs, wide lines and flood fill of the software device.
#include <algorithm>
#include <cmath>
#include <vector>

#include "gui/platform/software/RasterMath.h"
#include "gui/platform/software/SoftwareDevice.h"

namespace platform::software {

namespace {

// Wider pens are drawn at this width: nothing draws wider, and it bounds the work.
constexpr std::int32_t kMaxPenWidth = 256;

// A row of an ellipse's interior: [left, right).
struct Span {
  std::int64_t left = 0;
  std::int64_t right = 0;
};

// Arcs in boxes larger than this are not drawn: the platform steps along the whole outline.
constexpr std::int64_t kCurveExtentLimit = 1 << 16;

// The platform's integer steps along a quarter of the outline of the ellipse in a box of w
// by h (A. Zingl's midpoint method), from the right middle towards the bottom middle: each
// step moves one pixel inwards, one pixel down, or both.
class QuarterSteps {
 public:
  struct Move {
    bool inward = false;
    bool down = false;
  };

  QuarterSteps(std::int64_t w, std::int64_t h)
      : asq(8 * (w - 1) * (w - 1)),
        bsq(8 * (h - 1) * (h - 1)),
        dx(4 * (h - 1) * (h - 1) * (2 - w)),
        dy(4 * (w - 1) * (w - 1) * (1 + (h - 1) % 2)),
        err(dx + dy + (w - 1) * (w - 1) * ((h - 1) % 2)),
        remaining(2 * (w + h) + 4) {}

  // False once the steps have gone further than any outline can: a guard, never reached.
  bool running() const { return remaining > 0; }

  Move next() {
    --remaining;
    Move move;
    const std::int64_t e2 = 2 * err;
    if (e2 >= dx) {
      move.inward = true;
      dx += bsq;
      err += dx;
    }
    if (e2 <= dy) {
      move.down = true;
      dy += asq;
      err += dy;
    }
    return move;
  }

 private:
  std::int64_t asq, bsq, dx, dy, err, remaining;
};

// The rows of the platform's ellipse region in a box of w by h at left (w and h at least
// 2), found as it finds them: from the middle row down, the upper half mirrored. The steps
// of a tall narrow ellipse end before its last rows, which the platform leaves undefined;
// here they repeat the row before them.
std::vector<Span> ellipseRows(std::int64_t left, std::int64_t w, std::int64_t h) {
  std::vector<Span> rows(static_cast<std::size_t>(h));
  const std::int64_t right = left + w;
  std::int64_t inset = 0, y = h / 2;
  rows[static_cast<std::size_t>(y)] = Span{left, right};
  QuarterSteps steps(w, h);
  while (inset <= w / 2 && steps.running()) {
    const QuarterSteps::Move move = steps.next();
    inset += move.inward;
    if (move.down && ++y < h) rows[static_cast<std::size_t>(y)] = Span{left + inset, right - inset};
  }
  for (++y; y < h; ++y) rows[static_cast<std::size_t>(y)] = rows[static_cast<std::size_t>(y - 1)];
  for (std::int64_t i = 0; i < h / 2; ++i) {
    rows[static_cast<std::size_t>(i)] = rows[static_cast<std::size_t>(h - 1 - i)];
  }
  return rows;
}

// A box's size, or nothing when it is empty or too large to step along.
bool curveSize(const Rect& box, std::int64_t& w, std::int64_t& h) {
  w = std::llabs(static_cast<std::int64_t>(box.right) - box.left);
  h = std::llabs(static_cast<std::int64_t>(box.bottom) - box.top);
  return w > 0 && h > 0 && w <= kCurveExtentLimit && h <= kCurveExtentLimit;
}

// The points of a quarter of the outline, right middle to bottom middle, relative to the
// centre (w / 2, h / 2) of a box of w by h.
std::vector<Point> outlineQuarter(std::int64_t w, std::int64_t h) {
  std::vector<Point> points;
  std::int64_t x = w - 1, y = h / 2;
  QuarterSteps steps(w, h);
  while (x >= w / 2 && steps.running()) {
    points.push_back(
        Point(static_cast<std::int32_t>(x - w / 2), static_cast<std::int32_t>(y - h / 2)));
    const QuarterSteps::Move move = steps.next();
    x -= move.inward;
    y += move.down;
  }
  return points;
}

// Where the radial towards (x, y) (relative to the centre, y growing upwards) meets the
// outline, as a position along the whole outline: quarter after quarter counter-clockwise
// from the right middle, each quarter's points counting count positions.
std::int64_t radialPosition(const std::vector<Point>& quarter, std::int64_t x, std::int64_t y) {
  const auto count = static_cast<std::int64_t>(quarter.size());
  std::int64_t i = 0;
  auto firstWhere = [&](auto beyond) {
    for (i = 0; i < count; ++i) {
      if (beyond(std::int64_t{quarter[static_cast<std::size_t>(i)].x},
                 std::int64_t{quarter[static_cast<std::size_t>(i)].y}))
        break;
    }
    return i;
  };
  if (y >= 0) {
    if (x >= 0)
      return firstWhere([&](std::int64_t px, std::int64_t py) { return px * y <= py * x; });
    return 2 * count -
           firstWhere([&](std::int64_t px, std::int64_t py) { return px * y < py * -x; });
  }
  if (x >= 0)
    return 4 * count -
           firstWhere([&](std::int64_t px, std::int64_t py) { return px * -y <= py * x; });
  return 2 * count +
         firstWhere([&](std::int64_t px, std::int64_t py) { return px * -y < py * -x; });
}

// The connected points that the platform steps through for an arc of the ellipse in a box
// of w by h, counter-clockwise from the radial through start to the radial through end (the
// whole outline when the two meet the outline at the same place).
std::vector<Point> arcPath(const Rect& box, std::int64_t w, std::int64_t h, Point start,
                           Point end) {
  const std::int64_t left = std::min(box.left, box.right), top = std::min(box.top, box.bottom);
  const std::int64_t right = left + w, bottom = top + h;
  const std::int64_t cx = left + w / 2, cy = top + h / 2;
  const std::vector<Point> quarter = outlineQuarter(w, h);
  const auto count = static_cast<std::int64_t>(quarter.size());
  std::vector<Point> path;
  if (count == 0) return path;
  const std::int64_t from = radialPosition(quarter, start.x - cx, cy - start.y);
  std::int64_t to = radialPosition(quarter, end.x - cx, cy - end.y);
  if (to <= from) to += 4 * count;
  path.reserve(static_cast<std::size_t>(to - from));
  for (std::int64_t i = from; i < to; ++i) {
    const std::int64_t j = i % count;
    const Point& p = quarter[static_cast<std::size_t>(j)];
    const Point& q = quarter[static_cast<std::size_t>(count - 1 - j)];
    std::int64_t x = 0, y = 0;
    switch ((i / count) % 4) {
      case 0:
        x = left + w / 2 + p.x;
        y = bottom - 1 - h / 2 - p.y;
        break;
      case 1:
        x = right - 1 - w / 2 - q.x;
        y = bottom - 1 - h / 2 - q.y;
        break;
      case 2:
        x = right - 1 - w / 2 - p.x;
        y = top + h / 2 + p.y;
        break;
      default:
        x = left + w / 2 + q.x;
        y = top + h / 2 + q.y;
        break;
    }
    path.push_back(Point(clampTo32(static_cast<double>(x)), clampTo32(static_cast<double>(y))));
  }
  return path;
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
  std::int64_t w = 0, h = 0;
  if (!curveSize(box, w, h)) return;
  const std::int32_t left = std::min(box.left, box.right), top = std::min(box.top, box.bottom);
  const std::uint32_t word = brushColor.deviceWord();
  // Too thin for a curve, the platform fills a rectangle, one pixel less right and below.
  if (w <= 2 || h <= 2) {
    fillCovered(Rect(left, top, clampTo32(static_cast<double>(std::int64_t{left} + w - 1)),
                     clampTo32(static_cast<double>(std::int64_t{top} + h - 1))),
                word, [](std::int32_t, std::int32_t) { return true; });
    return;
  }
  const std::vector<Span> rows = ellipseRows(left, w, h);
  fillCovered(Rect(left, top, clampTo32(static_cast<double>(std::int64_t{left} + w)),
                   clampTo32(static_cast<double>(std::int64_t{top} + h))),
              word, [&](std::int32_t x, std::int32_t y) {
                const Span& row = rows[static_cast<std::size_t>(y - top)];
                return x >= row.left && x < row.right;
              });
}

void SoftwareDevice::fillPie(const Rect& box, Point start, Point end) {
  std::int64_t w = 0, h = 0;
  if (!curveSize(box, w, h)) return;
  std::vector<Point> path = arcPath(box, w, h, start, end);
  if (path.size() < 2) return;
  // The arc closed through the centre, filled as a polygon is.
  path.push_back(Point(clampTo32(static_cast<double>(std::min(box.left, box.right) + w / 2)),
                       clampTo32(static_cast<double>(std::min(box.top, box.bottom) + h / 2))));
  fillPolygon(path.data(), static_cast<std::int32_t>(path.size()));
}

void SoftwareDevice::arc(const Rect& box, Point start, Point end) {
  std::int64_t w = 0, h = 0;
  if (!curveSize(box, w, h)) return;
  const std::vector<Point> path = arcPath(box, w, h, start, end);
  polyline(path.data(), static_cast<std::int32_t>(path.size()));
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

}  // namespace platform::software
