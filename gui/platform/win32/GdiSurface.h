// A platform surface over a GDI bitmap: a colour bitmap in the display's format or a
// one-bit mask. It owns the bitmap and deletes it with itself; the bitmap must not be
// selected into a device by then.
#pragma once

#include <windows.h>

#include <cstdint>

#include "gui/platform/Surface.h"

namespace platform::win32 {

class GdiSurface final : public Surface {
 public:
  // Takes ownership of a valid bitmap of the given size.
  GdiSurface(HBITMAP owned, std::int32_t width, std::int32_t height)
      : bitmap(owned), surfaceWidth(width), surfaceHeight(height) {}
  ~GdiSurface() override;
  GdiSurface(const GdiSurface&) = delete;
  GdiSurface& operator=(const GdiSurface&) = delete;

  std::int32_t width() const override { return surfaceWidth; }
  std::int32_t height() const override { return surfaceHeight; }

  // The bitmap, still owned by the surface.
  HBITMAP handle() const { return bitmap; }

 private:
  HBITMAP bitmap;
  std::int32_t surfaceWidth;
  std::int32_t surfaceHeight;
};

}  // namespace platform::win32
