// A rectangle in pixels with the platform's field order (left, top, right, bottom).
// The right and bottom edges lie outside the rectangle for pointInside and for fills;
// nothing reorders or clamps the fields except setFromCorners and bound.
#pragma once

#include <cstdint>

#include "gui/base/Point.h"

struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;

  constexpr Rect() = default;
  constexpr Rect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b)
      : left(l), top(t), right(r), bottom(b) {}

  // Stores the rectangle spanned by two corners given in any order.
  constexpr Rect& setFromCorners(std::int32_t x1, std::int32_t y1, std::int32_t x2,
                                 std::int32_t y2) {
    left = x1 < x2 ? x1 : x2;
    right = x1 < x2 ? x2 : x1;
    top = y1 < y2 ? y1 : y2;
    bottom = y1 < y2 ? y2 : y1;
    return *this;
  }

  // Moves all four edges and returns the rectangle, so that calls can be chained.
  constexpr Rect& offset(std::int32_t dx, std::int32_t dy) {
    left += dx;
    right += dx;
    top += dy;
    bottom += dy;
    return *this;
  }

  // Negative for an inverted rectangle.
  constexpr std::int32_t width() const { return right - left; }
  constexpr std::int32_t height() const { return bottom - top; }

  // Left and top edges inside, right and bottom edges outside.
  constexpr bool pointInside(const Point& p) const {
    return left <= p.x && p.x < right && top <= p.y && p.y < bottom;
  }

  constexpr bool isEmpty() const { return right <= left || bottom <= top; }

  // Intersects in place. Rectangles that do not overlap leave an empty rectangle of zero
  // width or height, never an inverted one.
  constexpr Rect& bound(const Rect& other) {
    if (other.left > left) left = other.left;
    if (other.top > top) top = other.top;
    if (other.right < right) right = other.right;
    if (other.bottom < bottom) bottom = other.bottom;
    if (bottom < top) bottom = top;
    if (right < left) right = left;
    return *this;
  }

  constexpr bool operator==(const Rect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
  constexpr bool operator!=(const Rect& o) const { return !(*this == o); }
};
