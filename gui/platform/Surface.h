// A platform bitmap: a colour surface in the display's format or a one-bit mask.
// Made by the backend's factories (Graphics.h) and deleted by whoever holds the pointer.
#pragma once

#include <cstdint>

namespace platform {

class Surface {
 public:
  virtual ~Surface() = default;
  virtual std::int32_t width() const = 0;
  virtual std::int32_t height() const = 0;
};

}  // namespace platform
