// Builds BMP data in memory for the bitmap tests.
#pragma once

#include <cstdint>
#include <vector>

#include "gui/base/Color.h"

struct BmpLayout {
  std::int32_t width = 0;
  std::int32_t height = 0;  // negative for rows stored top-down
  std::int32_t bits = 24;
  bool fileHeader = false;
  std::vector<Color> pixels;  // width * |height|, top row first
};

// Offsets of the information header's fields, counted from the header's start.
inline constexpr std::size_t kInfoWidth = 4;
inline constexpr std::size_t kInfoHeight = 8;
inline constexpr std::size_t kInfoPlanes = 12;
inline constexpr std::size_t kInfoBits = 14;
inline constexpr std::size_t kInfoCompression = 16;
inline constexpr std::size_t kInfoColorsUsed = 32;

inline void put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
  out[at] = static_cast<std::uint8_t>(v);
  out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

inline void put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
  put16(out, at, v & 0xFFFF);
  put16(out, at + 2, v >> 16);
}

inline std::vector<std::uint8_t> makeBmp(const BmpLayout& layout) {
  const std::size_t base = layout.fileHeader ? 14 : 0;
  const auto rows = static_cast<std::size_t>(layout.height < 0 ? -layout.height : layout.height);
  const auto width = static_cast<std::size_t>(layout.width);
  const auto bytesPerPixel = static_cast<std::size_t>(layout.bits / 8);
  const std::size_t stride = (width * static_cast<std::size_t>(layout.bits) + 31) / 32 * 4;
  std::vector<std::uint8_t> out(base + 40 + stride * rows, 0);
  if (layout.fileHeader) {
    out[0] = 'B';
    out[1] = 'M';
    put32(out, 2, static_cast<std::uint32_t>(out.size()));
    put32(out, 10, static_cast<std::uint32_t>(base + 40));
  }
  put32(out, base, 40);
  put32(out, base + kInfoWidth, static_cast<std::uint32_t>(layout.width));
  put32(out, base + kInfoHeight, static_cast<std::uint32_t>(layout.height));
  put16(out, base + kInfoPlanes, 1);
  put16(out, base + kInfoBits, static_cast<std::uint32_t>(layout.bits));
  for (std::size_t row = 0; row < rows; ++row) {
    const std::size_t y = layout.height > 0 ? rows - 1 - row : row;
    std::uint8_t* line = out.data() + base + 40 + stride * row;
    for (std::size_t x = 0; x < width; ++x) {
      const Color c = layout.pixels[y * width + x];
      if (layout.bits == 16) {
        const std::uint32_t v = ((c.red >> 3) << 10) | ((c.green >> 3) << 5) | (c.blue >> 3);
        line[x * 2] = static_cast<std::uint8_t>(v);
        line[x * 2 + 1] = static_cast<std::uint8_t>(v >> 8);
      } else {
        std::uint8_t* p = line + x * bytesPerPixel;
        p[0] = c.blue;
        p[1] = c.green;
        p[2] = c.red;
        if (layout.bits == 32) p[3] = 0xA5;  // unused byte, must not matter
      }
    }
  }
  return out;
}
