// A pixel position in frame coordinates: x grows to the right, y downwards.
#pragma once

#include <cstdint>

struct Point {
  std::int32_t x = 0;
  std::int32_t y = 0;

  constexpr Point() = default;
  constexpr Point(std::int32_t px, std::int32_t py) : x(px), y(py) {}

  constexpr Point& set(std::int32_t px, std::int32_t py) {
    x = px;
    y = py;
    return *this;
  }

  // Moves the point and returns it, so that calls can be chained.
  constexpr Point& offset(std::int32_t dx, std::int32_t dy) {
    x += dx;
    y += dy;
    return *this;
  }

  constexpr bool operator!=(const Point& other) const { return x != other.x || y != other.y; }
  constexpr bool operator==(const Point& other) const { return !(*this != other); }
};
