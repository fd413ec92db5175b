// The software backend's platform bitmap: 32-bit pixels with red in the lowest byte, then
// green and blue (the device colour word), or a one-bit mask whose pixels are stored as
// 0 (black) or 0xFFFFFF (white), so that raster operations treat both alike.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "gui/base/Color.h"
#include "gui/platform/Surface.h"

namespace platform::software {

class PixelSurface : public platform::Surface {
 public:
  static constexpr std::uint32_t kMaskWhite = 0x00FFFFFFu;
  // Larger surfaces are refused so that a wild size cannot exhaust memory.
  static constexpr std::int64_t kMaxPixels = std::int64_t{1} << 26;

  // Null for a size that is not positive or above kMaxPixels. Pixels start black.
  static std::unique_ptr<PixelSurface> create(std::int32_t width, std::int32_t height, bool mask);

  std::int32_t width() const override { return w; }
  std::int32_t height() const override { return h; }
  bool isMask() const { return mask; }

  // Unchecked access; callers clip first.
  std::uint32_t pixel(std::int32_t x, std::int32_t y) const {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) +
                  static_cast<std::size_t>(x)];
  }
  // Stores a device word; a mask keeps only black or white.
  void setPixel(std::int32_t x, std::int32_t y, std::uint32_t word);

  // Checked reads for tests: white outside the surface.
  Color colorAt(std::int32_t x, std::int32_t y) const;
  void fill(Color color);

 private:
  PixelSurface(std::int32_t width, std::int32_t height, bool isMask);

  std::int32_t w;
  std::int32_t h;
  bool mask;
  std::vector<std::uint32_t> pixels;
};

// Black or white for a one-bit surface: white when the colour is at least half bright.
std::uint32_t toMaskWord(std::uint32_t word);

}  // namespace platform::software
