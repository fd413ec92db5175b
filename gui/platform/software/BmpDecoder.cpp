#include "gui/platform/software/BmpDecoder.h"

#include <limits>

namespace platform::software {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kMaxColorTable = 256;

std::uint32_t read16(const std::uint8_t* p) {
  return p[0] | (std::uint32_t{p[1]} << 8);
}
std::uint32_t read32(const std::uint8_t* p) {
  return read16(p) | (read16(p + 2) << 16);
}

std::uint32_t word(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  return r | (g << 8) | (b << 16);
}

// Five bits widened to eight so that full intensity stays full.
std::uint32_t widen5(std::uint32_t v) {
  return (v << 3) | (v >> 2);
}

std::uint32_t decodePixel(const std::uint8_t* p, std::uint32_t bits) {
  if (bits == 16) {
    const std::uint32_t v = read16(p);
    return word(widen5((v >> 10) & 31), widen5((v >> 5) & 31), widen5(v & 31));
  }
  return word(p[2], p[1], p[0]);  // stored blue, green, red (and an unused byte)
}

}  // namespace

std::unique_ptr<PixelSurface> decodeBmp(const std::uint8_t* data, std::size_t size) {
  if (!data) return nullptr;
  std::size_t base = 0;
  std::uint64_t pixelOffset = 0;
  if (size >= 2 && data[0] == 'B' && data[1] == 'M') {
    if (size < kFileHeaderSize) return nullptr;
    base = kFileHeaderSize;
    pixelOffset = read32(data + 10);
  }
  if (size - base < kInfoHeaderSize) return nullptr;
  const std::uint8_t* info = data + base;
  const std::uint32_t headerSize = read32(info);
  const std::int32_t width = static_cast<std::int32_t>(read32(info + 4));
  const std::int32_t rawHeight = static_cast<std::int32_t>(read32(info + 8));
  const std::uint32_t planes = read16(info + 12);
  const std::uint32_t bits = read16(info + 14);
  const std::uint32_t compression = read32(info + 16);
  const std::uint32_t colorsUsed = read32(info + 32);
  if (headerSize < kInfoHeaderSize || headerSize > size - base) return nullptr;
  if (planes != 1 || compression != 0) return nullptr;
  if (bits != 16 && bits != 24 && bits != 32) return nullptr;
  if (width <= 0 || rawHeight == 0 || rawHeight == std::numeric_limits<std::int32_t>::min())
    return nullptr;
  if (colorsUsed > kMaxColorTable) return nullptr;
  const bool bottomUp = rawHeight > 0;
  const std::int32_t height = bottomUp ? rawHeight : -rawHeight;
  // Bounding the pixel count first also keeps the size arithmetic below far from overflow.
  if (static_cast<std::int64_t>(width) * height > PixelSurface::kMaxPixels) return nullptr;

  // A resource has its pixels right after the header and the optional colour table; a file
  // says where they are.
  if (base == 0) pixelOffset = std::uint64_t{headerSize} + std::uint64_t{colorsUsed} * 4;
  if (base != 0 && pixelOffset < base + headerSize) return nullptr;
  const std::uint64_t stride =
      (std::uint64_t{static_cast<std::uint32_t>(width)} * bits + 31) / 32 * 4;
  if (pixelOffset + stride * static_cast<std::uint64_t>(height) > size) return nullptr;

  std::unique_ptr<PixelSurface> surface = PixelSurface::create(width, height, false);
  if (!surface) return nullptr;
  const std::uint8_t* pixels = data + pixelOffset;
  const std::uint32_t bytesPerPixel = bits / 8;
  for (std::int32_t row = 0; row < height; ++row) {
    const std::int32_t y = bottomUp ? height - 1 - row : row;
    const std::uint8_t* line = pixels + stride * static_cast<std::uint64_t>(row);
    for (std::int32_t x = 0; x < width; ++x) {
      surface->setPixel(x, y,
                        decodePixel(line + static_cast<std::size_t>(x) * bytesPerPixel, bits));
    }
  }
  return surface;
}

}  // namespace platform::software
