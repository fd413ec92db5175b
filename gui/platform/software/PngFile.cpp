#include "gui/platform/software/PngFile.h"

#include <png.h>

#include <cstring>
#include <vector>

namespace software {

bool savePng(const PixelSurface& surface, const char* path) {
  png_image image;
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
  return png_image_write_to_file(&image, path, 0, rgb.data(), 0, nullptr) != 0;
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

}  // namespace software
