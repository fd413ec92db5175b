// A picture being drawn for the skin: colour pixels over a toolkit pixel surface, filled
// by anti-aliased shapes (signed distances) with flat or computed colours. Single-threaded;
// every operation clips to the picture, so no shape can write outside it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "gui/base/Rect.h"
#include "gui/platform/software/PixelSurface.h"

// A colour with channels from 0 to 255, kept as floats while shading.
struct Rgb {
  float r = 0;
  float g = 0;
  float b = 0;
};

Rgb mix(Rgb a, Rgb b, float t);
// Brighter above 1, darker below, clamped to the channel range.
Rgb scaled(Rgb c, float factor);

// A region as a signed distance in pixels (negative inside) and the pixels it can touch.
struct Shape {
  std::function<float(float x, float y)> distance;
  Rect bounds;
};

// A colour for each point of a region.
using Paint = std::function<Rgb(float x, float y)>;

namespace shapes {
// Rectangle from (x0, y0) to (x1, y1) in continuous coordinates, corners rounded by radius.
Shape box(float x0, float y0, float x1, float y1, float radius = 0);
Shape disc(float cx, float cy, float radius);
Shape ring(float cx, float cy, float radius, float halfWidth);
// A line through the points, halfWidth to each side, with round ends and joints.
Shape stroke(const std::vector<std::pair<float, float>>& points, float halfWidth);
// The part of a inside b.
Shape intersect(Shape a, const Shape& b);
// The part of a outside b.
Shape subtract(Shape a, const Shape& b);
}  // namespace shapes

namespace paints {
Paint flat(Rgb c);
// From c0 at y0 to c1 at y1, held beyond the ends.
Paint vertical(float y0, Rgb c0, float y1, Rgb c1);
Paint horizontal(float x0, Rgb c0, float x1, Rgb c1);
// From inner at the centre to outer at the radius and beyond.
Paint radial(float cx, float cy, float radius, Rgb inner, Rgb outer);
}  // namespace paints

class Canvas {
 public:
  Canvas(std::int32_t width, std::int32_t height, Rgb background);
  Canvas(const Canvas& other);
  Canvas& operator=(const Canvas&) = delete;

  std::int32_t width() const { return w; }
  std::int32_t height() const { return h; }
  const platform::software::PixelSurface& surface() const { return *pixels; }

  // Unchecked outside the picture: callers stay inside.
  Rgb at(std::int32_t x, std::int32_t y) const;
  // Covers the pixel with c at the given opacity (0 to 1); outside the picture, nothing.
  void blend(std::int32_t x, std::int32_t y, Rgb c, float opacity);
  void fill(const Shape& shape, const Paint& paint, float opacity = 1);
  void fill(const Shape& shape, Rgb c, float opacity = 1);
  // A soft shadow of the shape, blurred by spread pixels.
  void shadow(const Shape& shape, float spread, float opacity);

  // The part at (x, y) of the given size; pixels outside the picture come out black.
  Canvas crop(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) const;
  void paste(const Canvas& picture, std::int32_t x, std::int32_t y);

 private:
  std::int32_t w;
  std::int32_t h;
  std::unique_ptr<platform::software::PixelSurface> pixels;
};
