// Reads an off-screen context straight from the software backend's pixel surface.
#include "gui/core/OffscreenContext.h"
#include "gui/platform/software/PixelSurface.h"
#include "tests/support/crosscheck/Picture.h"

namespace crosscheck {

bool readBack(OffscreenContext& context, Picture& picture) {
  const auto* surface = dynamic_cast<const platform::software::PixelSurface*>(context.getSurface());
  if (!surface) return false;
  picture.width = surface->width();
  picture.height = surface->height();
  picture.pixels.clear();
  for (std::int32_t y = 0; y < picture.height; ++y) {
    for (std::int32_t x = 0; x < picture.width; ++x) {
      picture.pixels.push_back(surface->colorAt(x, y));
    }
  }
  return true;
}

}  // namespace crosscheck
