// The coordinate range that GDI handles on every system, and the conversions of the
// toolkit's points and rectangles into GDI's records within it.
#pragma once

#include <windows.h>

#include <cstdint>

#include "gui/base/Point.h"
#include "gui/base/Rect.h"

namespace platform::win32 {

// GDI keeps device coordinates in 28-bit signed fixed-point on the NT family; beyond that
// calls fail on one system and overflow on another.
inline constexpr std::int32_t kCoordinateLimit = (1 << 27) - 1;
// Curved shapes are rasterised point by point along their outline; a box beyond this size
// lies far outside any surface and would only cost time and memory.
inline constexpr std::int64_t kCurveExtentLimit = 1 << 16;

constexpr bool inRange(std::int32_t v) {
  return v >= -kCoordinateLimit && v <= kCoordinateLimit;
}
constexpr bool inRange(Point p) {
  return inRange(p.x) && inRange(p.y);
}

constexpr std::int32_t clampCoordinate(std::int32_t v) {
  return v < -kCoordinateLimit ? -kCoordinateLimit : (v > kCoordinateLimit ? kCoordinateLimit : v);
}

// The rectangle cut to the coordinate range; its extent in GDI stays exact inside it.
inline RECT clampedRect(const Rect& r) {
  return RECT{clampCoordinate(r.left), clampCoordinate(r.top), clampCoordinate(r.right),
              clampCoordinate(r.bottom)};
}

// Whether a curved shape's box is small enough to rasterise. GDI orders the corners of
// an inverted box itself.
constexpr bool curveBoxFits(const Rect& box) {
  const std::int64_t w = static_cast<std::int64_t>(box.right) - box.left;
  const std::int64_t h = static_cast<std::int64_t>(box.bottom) - box.top;
  return w >= -kCurveExtentLimit && w <= kCurveExtentLimit && h >= -kCurveExtentLimit &&
         h <= kCurveExtentLimit && inRange(Point(box.left, box.top)) &&
         inRange(Point(box.right, box.bottom));
}

}  // namespace platform::win32
