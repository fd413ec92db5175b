// Rendered scenes as plain pixel pictures: stored as binary PPM files (one byte each of red,
// green and blue per pixel, rows top to bottom) and compared exactly or by the box that the
// drawn pixels occupy.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gui/base/Color.h"
#include "gui/base/Rect.h"

class OffscreenContext;

namespace crosscheck {

struct Scene;

struct Picture {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::vector<Color> pixels;  // row by row from the top

  Color at(std::int32_t x, std::int32_t y) const {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                  static_cast<std::size_t>(x)];
  }
};

bool writePicture(const std::string& path, const Picture& picture);
// False for a missing file or anything but a binary PPM of 8-bit samples.
bool readPicture(const std::string& path, Picture& picture);

// Draws the scene into an off-screen context of its size and reads the pixels back; an
// empty picture when the backend cannot read its surface.
Picture renderScene(const Scene& scene);
// The backend's way of reading an off-screen context's surface.
bool readBack(OffscreenContext& context, Picture& picture);

// Empty when the pictures agree: pixel for pixel, or for text scenes by the box of pixels
// that differ from the background, to within tolerance on every edge. Otherwise a
// description of the first differences.
std::string comparePictures(const Scene& scene, const Picture& expected, const Picture& actual);

// The smallest rectangle holding every pixel unlike the background; empty when none is.
Rect inkBox(const Picture& picture, Color background);

}  // namespace crosscheck
