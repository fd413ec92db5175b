// A small window surface with a software device for pixel tests, and a way to read it
// back as text: one character per pixel, one line per row.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

#include "gui/base/Color.h"
#include "gui/core/FrameLink.h"
#include "gui/platform/software/PixelSurface.h"
#include "gui/platform/software/SoftwareDevice.h"

struct Canvas {
  Canvas(std::int32_t width, std::int32_t height, Color background = kBlack);

  Color at(std::int32_t x, std::int32_t y) const { return surface->colorAt(x, y); }
  // '.' for the background, the given characters for the given colours, '?' for others.
  std::string art(std::initializer_list<std::pair<Color, char>> legend) const;
  // Number of pixels of a colour.
  std::int32_t count(Color color) const;

  Color background;
  std::unique_ptr<platform::software::PixelSurface> surface;
  platform::software::SoftwareDevice device;
};

// A frame stand-in with a size and a count of its idle calls.
struct TestFrame : FrameLink {
  explicit TestFrame(const Rect& bounds) : size(bounds) {}
  Rect frameSize() const override { return size; }
  void frameIdle() override { ++idles; }

  Rect size;
  std::int32_t idles = 0;
};

// Compares the surface with directory/name.png and writes it as a PNG beside the expected
// one when they differ; true when equal. Set QV_UPDATE_GOLDENS=1 in the environment to write
// the expected picture instead.
bool matchesGoldenIn(const std::string& directory, const platform::software::PixelSurface& surface,
                     const std::string& name);

#ifdef QV_GOLDEN_DIR
// The same in the golden folder of the test program, which the build names.
inline bool matchesGolden(const platform::software::PixelSurface& surface,
                          const std::string& name) {
  return matchesGoldenIn(QV_GOLDEN_DIR, surface, name);
}
#endif
