#include "gui/platform/software/PixelSurface.h"

namespace platform::software {

std::uint32_t toMaskWord(std::uint32_t word) {
  const std::uint32_t sum = (word & 0xFF) + ((word >> 8) & 0xFF) + ((word >> 16) & 0xFF);
  return sum >= 3 * 128 ? PixelSurface::kMaskWhite : 0;
}

std::unique_ptr<PixelSurface> PixelSurface::create(std::int32_t width, std::int32_t height,
                                                   bool mask) {
  if (width <= 0 || height <= 0) return nullptr;
  if (static_cast<std::int64_t>(width) * height > kMaxPixels) return nullptr;
  return std::unique_ptr<PixelSurface>(new PixelSurface(width, height, mask));
}

PixelSurface::PixelSurface(std::int32_t width, std::int32_t height, bool isMask)
    : w(width),
      h(height),
      mask(isMask),
      pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0) {}

void PixelSurface::setPixel(std::int32_t x, std::int32_t y, std::uint32_t word) {
  word &= 0x00FFFFFFu;
  pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x)] =
      mask ? toMaskWord(word) : word;
}

Color PixelSurface::colorAt(std::int32_t x, std::int32_t y) const {
  if (x < 0 || y < 0 || x >= w || y >= h) return kWhite;
  return Color::fromWord(pixel(x, y));
}

void PixelSurface::fill(Color color) {
  const std::uint32_t word = mask ? toMaskWord(color.deviceWord()) : color.deviceWord();
  for (std::uint32_t& p : pixels) p = word;
}

}  // namespace platform::software
