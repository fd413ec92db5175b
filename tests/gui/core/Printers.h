// Readable values of the geometry types in failing test messages.
#pragma once

#include <ostream>

#include "gui/base/Color.h"
#include "gui/base/Point.h"
#include "gui/base/Rect.h"

inline void PrintTo(const Point& p, std::ostream* os) {
  *os << "(" << p.x << ", " << p.y << ")";
}

inline void PrintTo(const Rect& r, std::ostream* os) {
  *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

inline void PrintTo(const Color& c, std::ostream* os) {
  *os << "rgb(" << int{c.red} << ", " << int{c.green} << ", " << int{c.blue} << ")";
}
