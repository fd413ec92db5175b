#include "gui/platform/software/PngFile.h"

#include <png.h>

#include <cstring>
#include <vector>

namespace platform::software {

namespace {

// The surface's size and format in `image` and its pixels as 8-bit RGB rows.
std::vector<png_byte> describe(const PixelSurface& surface, png_image& image) {
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(surface.width());
  image.height = static_cast<png_uint_32>(surface.height());
  image.format = PNG_FORMAT_RGB;
  std::vector<png_byte> rgb;
  rgb.reserve(static_cast<std::size_t>(surface.width()) *
              static_cast<std::size_t>(surface.height()) * 3);
  for (std::int32_t y = 0; y < surface.height(); ++y) {
    for (std::int32_t x = 0; x < surface.width(); ++x) {
      const Color c = Color::fromWord(surface.pixel(x, y));
      rgb.insert(rgb.end(), {c.red, c.green, c.blue});
    }
  }
  return rgb;
}

}  // namespace

bool savePng(const PixelSurface& surface, const char* path) {
  png_image image;
  const std::vector<png_byte> rgb = describe(surface, image);
  return png_image_write_to_file(&image, path, 0, rgb.data(), 0, nullptr) != 0;
}

std::vector<std::uint8_t> encodePng(const PixelSurface& surface) {
  png_image image;
  const std::vector<png_byte> rgb = describe(surface, image);
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), 0, nullptr)) return {};
  std::vector<std::uint8_t> bytes(size);
  if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, rgb.data(), 0, nullptr)) return {};
  bytes.resize(size);
  return bytes;
}

std::unique_ptr<PixelSurface> loadPng(const char* path) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path)) return nullptr;
  image.format = PNG_FORMAT_RGB;
  std::unique_ptr<PixelSurface> surface = PixelSurface::create(
      static_cast<std::int32_t>(image.width), static_cast<std::int32_t>(image.height), false);
  if (!surface) {
    png_image_free(&image);
    return nullptr;
  }
  std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) return nullptr;
  std::size_t i = 0;
  for (std::int32_t y = 0; y < surface->height(); ++y) {
    for (std::int32_t x = 0; x < surface->width(); ++x, i += 3)
      surface->setPixel(x, y, Color(rgb[i], rgb[i + 1], rgb[i + 2]).deviceWord());
  }
  return surface;
}

}  // namespace platform::software
