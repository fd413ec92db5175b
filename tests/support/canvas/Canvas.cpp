#include "tests/support/canvas/Canvas.h"

#include <cstdlib>

#include "gui/platform/software/PngFile.h"

Canvas::Canvas(std::int32_t width, std::int32_t height, Color bg)
    : background(bg),
      surface(platform::software::PixelSurface::create(width, height, false)),
      device(surface.get()) {
  surface->fill(bg);
}

std::string Canvas::art(std::initializer_list<std::pair<Color, char>> legend) const {
  std::string out;
  for (std::int32_t y = 0; y < surface->height(); ++y) {
    for (std::int32_t x = 0; x < surface->width(); ++x) {
      const Color c = at(x, y);
      char ch = c == background ? '.' : '?';
      for (const auto& [color, mark] : legend) {
        if (c == color) ch = mark;
      }
      out += ch;
    }
    out += '\n';
  }
  return out;
}

std::int32_t Canvas::count(Color color) const {
  std::int32_t n = 0;
  for (std::int32_t y = 0; y < surface->height(); ++y) {
    for (std::int32_t x = 0; x < surface->width(); ++x) n += at(x, y) == color ? 1 : 0;
  }
  return n;
}

bool matchesGoldenIn(const std::string& directory, const platform::software::PixelSurface& surface,
                     const std::string& name) {
  const std::string expectedPath = directory + "/" + name + ".png";
  const char* update = std::getenv("QV_UPDATE_GOLDENS");
  if (update && std::string(update) == "1")
    return platform::software::savePng(surface, expectedPath.c_str());
  std::unique_ptr<platform::software::PixelSurface> expected =
      platform::software::loadPng(expectedPath.c_str());
  bool same =
      expected && expected->width() == surface.width() && expected->height() == surface.height();
  for (std::int32_t y = 0; same && y < surface.height(); ++y) {
    for (std::int32_t x = 0; same && x < surface.width(); ++x)
      same = expected->pixel(x, y) == surface.pixel(x, y);
  }
  if (!same) {
    const std::string actualPath = directory + "/" + name + ".actual.png";
    platform::software::savePng(surface, actualPath.c_str());
  }
  return same;
}
