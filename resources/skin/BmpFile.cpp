#include "resources/skin/BmpFile.h"

#include <cstdio>

namespace {

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  put16(out, v & 0xFFFFu);
  put16(out, v >> 16);
}

// Five bits rounded to the nearest level, so that 255 stays the top level (and white stays
// the transparent colour once the loader widens it again).
std::uint32_t fiveBits(std::uint8_t v) {
  return (static_cast<std::uint32_t>(v) * 31u + 127u) / 255u;
}

}  // namespace

std::vector<std::uint8_t> encodeBmp(const Canvas& picture, std::int32_t bitsPerPixel) {
  if (bitsPerPixel != 16 && bitsPerPixel != 24 && bitsPerPixel != 32) return {};
  const auto width = static_cast<std::uint32_t>(picture.width());
  const auto height = static_cast<std::uint32_t>(picture.height());
  const std::uint32_t stride = (width * static_cast<std::uint32_t>(bitsPerPixel) / 8 + 3) & ~3u;
  const std::uint32_t pixelBytes = stride * height;
  constexpr std::uint32_t kHeaders = 14 + 40;

  std::vector<std::uint8_t> out;
  out.reserve(kHeaders + pixelBytes);
  out.push_back('B');
  out.push_back('M');
  put32(out, kHeaders + pixelBytes);
  put32(out, 0);
  put32(out, kHeaders);
  put32(out, 40);
  put32(out, width);
  put32(out, height);  // positive: bottom-up rows
  put16(out, 1);
  put16(out, static_cast<std::uint32_t>(bitsPerPixel));
  put32(out, 0);  // BI_RGB
  put32(out, pixelBytes);
  put32(out, 2835);  // 72 dots per inch
  put32(out, 2835);
  put32(out, 0);
  put32(out, 0);

  for (std::uint32_t row = height; row-- > 0;) {
    const std::size_t start = out.size();
    for (std::uint32_t x = 0; x < width; ++x) {
      const Color c = Color::fromWord(
          picture.surface().pixel(static_cast<std::int32_t>(x), static_cast<std::int32_t>(row)));
      if (bitsPerPixel == 16) {
        put16(out, (fiveBits(c.red) << 10) | (fiveBits(c.green) << 5) | fiveBits(c.blue));
      } else {
        out.insert(out.end(), {c.blue, c.green, c.red});
        if (bitsPerPixel == 32) out.push_back(0);
      }
    }
    out.resize(start + stride, 0);
  }
  return out;
}

bool writeFile(const char* path, const std::vector<std::uint8_t>& bytes) {
  std::FILE* file = std::fopen(path, "wb");
  if (!file) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}
