#include "resources/skin/Canvas.h"

#include <algorithm>
#include <cmath>

namespace {

float clampChannel(float v) {
  return std::clamp(v, 0.0f, 255.0f);
}

std::uint32_t toWord(Rgb c) {
  const auto channel = [](float v) {
    return static_cast<std::uint32_t>(std::lround(clampChannel(v)));
  };
  return channel(c.r) | (channel(c.g) << 8) | (channel(c.b) << 16);
}

Rect grown(const Rect& r, std::int32_t by) {
  return Rect(r.left - by, r.top - by, r.right + by, r.bottom + by);
}

Rect covering(float x0, float y0, float x1, float y1, float margin) {
  return Rect(static_cast<std::int32_t>(std::floor(x0 - margin)),
              static_cast<std::int32_t>(std::floor(y0 - margin)),
              static_cast<std::int32_t>(std::ceil(x1 + margin)) + 1,
              static_cast<std::int32_t>(std::ceil(y1 + margin)) + 1);
}

}  // namespace

Rgb mix(Rgb a, Rgb b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb scaled(Rgb c, float factor) {
  return {clampChannel(c.r * factor), clampChannel(c.g * factor), clampChannel(c.b * factor)};
}

namespace shapes {

Shape box(float x0, float y0, float x1, float y1, float radius) {
  const float cx = (x0 + x1) / 2;
  const float cy = (y0 + y1) / 2;
  const float hx = (x1 - x0) / 2 - radius;
  const float hy = (y1 - y0) / 2 - radius;
  return {[=](float x, float y) {
            const float dx = std::fabs(x - cx) - hx;
            const float dy = std::fabs(y - cy) - hy;
            const float outside = std::hypot(std::max(dx, 0.0f), std::max(dy, 0.0f));
            return outside + std::min(std::max(dx, dy), 0.0f) - radius;
          },
          covering(x0, y0, x1, y1, 1)};
}

Shape disc(float cx, float cy, float radius) {
  return {[=](float x, float y) { return std::hypot(x - cx, y - cy) - radius; },
          covering(cx - radius, cy - radius, cx + radius, cy + radius, 1)};
}

Shape ring(float cx, float cy, float radius, float halfWidth) {
  const float outer = radius + halfWidth;
  return {
      [=](float x, float y) { return std::fabs(std::hypot(x - cx, y - cy) - radius) - halfWidth; },
      covering(cx - outer, cy - outer, cx + outer, cy + outer, 1)};
}

Shape stroke(const std::vector<std::pair<float, float>>& points, float halfWidth) {
  float x0 = points.empty() ? 0 : points[0].first;
  float y0 = points.empty() ? 0 : points[0].second;
  float x1 = x0;
  float y1 = y0;
  for (const auto& [px, py] : points) {
    x0 = std::min(x0, px);
    y0 = std::min(y0, py);
    x1 = std::max(x1, px);
    y1 = std::max(y1, py);
  }
  return {[points, halfWidth](float x, float y) {
            float best = 1e9f;
            for (std::size_t i = 0; i + 1 < points.size(); ++i) {
              const float ax = points[i].first;
              const float ay = points[i].second;
              const float bx = points[i + 1].first - ax;
              const float by = points[i + 1].second - ay;
              const float len2 = bx * bx + by * by;
              const float t =
                  len2 > 0 ? std::clamp(((x - ax) * bx + (y - ay) * by) / len2, 0.0f, 1.0f) : 0;
              best = std::min(best, std::hypot(x - ax - t * bx, y - ay - t * by));
            }
            return best - halfWidth;
          },
          covering(x0, y0, x1, y1, halfWidth + 1)};
}

Shape intersect(Shape a, const Shape& b) {
  auto da = std::move(a.distance);
  auto db = b.distance;
  Rect bounds = a.bounds;
  bounds.bound(b.bounds);
  return {[da, db](float x, float y) { return std::max(da(x, y), db(x, y)); }, bounds};
}

Shape subtract(Shape a, const Shape& b) {
  auto da = std::move(a.distance);
  auto db = b.distance;
  return {[da, db](float x, float y) { return std::max(da(x, y), -db(x, y)); }, a.bounds};
}

}  // namespace shapes

namespace paints {

Paint flat(Rgb c) {
  return [c](float, float) { return c; };
}

Paint vertical(float y0, Rgb c0, float y1, Rgb c1) {
  return [=](float, float y) { return mix(c0, c1, std::clamp((y - y0) / (y1 - y0), 0.0f, 1.0f)); };
}

Paint horizontal(float x0, Rgb c0, float x1, Rgb c1) {
  return [=](float x, float) { return mix(c0, c1, std::clamp((x - x0) / (x1 - x0), 0.0f, 1.0f)); };
}

Paint radial(float cx, float cy, float radius, Rgb inner, Rgb outer) {
  return [=](float x, float y) {
    return mix(inner, outer, std::clamp(std::hypot(x - cx, y - cy) / radius, 0.0f, 1.0f));
  };
}

}  // namespace paints

Canvas::Canvas(std::int32_t width, std::int32_t height, Rgb background)
    : w(width), h(height), pixels(platform::software::PixelSurface::create(width, height, false)) {
  for (std::int32_t y = 0; y < h; ++y) {
    for (std::int32_t x = 0; x < w; ++x) pixels->setPixel(x, y, toWord(background));
  }
}

Canvas::Canvas(const Canvas& other) : Canvas(other.w, other.h, Rgb{}) {
  paste(other, 0, 0);
}

Rgb Canvas::at(std::int32_t x, std::int32_t y) const {
  const Color c = Color::fromWord(pixels->pixel(x, y));
  return {static_cast<float>(c.red), static_cast<float>(c.green), static_cast<float>(c.blue)};
}

void Canvas::blend(std::int32_t x, std::int32_t y, Rgb c, float opacity) {
  if (x < 0 || y < 0 || x >= w || y >= h || opacity <= 0) return;
  pixels->setPixel(x, y, toWord(mix(at(x, y), c, std::min(opacity, 1.0f))));
}

void Canvas::fill(const Shape& shape, const Paint& paint, float opacity) {
  Rect area = shape.bounds;
  area.bound(Rect(0, 0, w, h));
  for (std::int32_t y = area.top; y < area.bottom; ++y) {
    for (std::int32_t x = area.left; x < area.right; ++x) {
      const float px = static_cast<float>(x) + 0.5f;
      const float py = static_cast<float>(y) + 0.5f;
      const float coverage = std::clamp(0.5f - shape.distance(px, py), 0.0f, 1.0f);
      if (coverage > 0) blend(x, y, paint(px, py), coverage * opacity);
    }
  }
}

void Canvas::fill(const Shape& shape, Rgb c, float opacity) {
  fill(shape, paints::flat(c), opacity);
}

void Canvas::shadow(const Shape& shape, float spread, float opacity) {
  Rect area = grown(shape.bounds, static_cast<std::int32_t>(std::ceil(spread)) + 1);
  area.bound(Rect(0, 0, w, h));
  for (std::int32_t y = area.top; y < area.bottom; ++y) {
    for (std::int32_t x = area.left; x < area.right; ++x) {
      const float d = shape.distance(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f);
      const float t = std::clamp(1.0f - d / spread, 0.0f, 1.0f);
      blend(x, y, Rgb{0, 0, 0}, t * t * opacity);
    }
  }
}

Canvas Canvas::crop(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) const {
  Canvas part(width, height, Rgb{});
  for (std::int32_t row = 0; row < height; ++row) {
    for (std::int32_t col = 0; col < width; ++col) {
      const std::int32_t sx = x + col;
      const std::int32_t sy = y + row;
      if (sx >= 0 && sy >= 0 && sx < w && sy < h)
        part.pixels->setPixel(col, row, pixels->pixel(sx, sy));
    }
  }
  return part;
}

void Canvas::paste(const Canvas& picture, std::int32_t x, std::int32_t y) {
  for (std::int32_t row = 0; row < picture.h; ++row) {
    for (std::int32_t col = 0; col < picture.w; ++col) {
      const std::int32_t dx = x + col;
      const std::int32_t dy = y + row;
      if (dx >= 0 && dy >= 0 && dx < w && dy < h)
        pixels->setPixel(dx, dy, picture.pixels->pixel(col, row));
    }
  }
}
