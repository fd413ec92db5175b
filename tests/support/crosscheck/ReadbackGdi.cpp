// Reads an off-screen context through GDI's own bitmap query, independent of the device's
// pixel reads that the scenes exercise.
#include <windows.h>

#include "gui/core/OffscreenContext.h"
#include "gui/platform/Device.h"
#include "gui/platform/win32/GdiSurface.h"
#include "tests/support/crosscheck/Picture.h"

namespace crosscheck {

bool readBack(OffscreenContext& context, Picture& picture) {
  auto* surface = dynamic_cast<platform::win32::GdiSurface*>(context.getSurface());
  platform::Device* device = context.getDeviceHandle();
  if (!surface || !device) return false;
  const std::int32_t width = surface->width();
  const std::int32_t height = surface->height();

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<DWORD> bits(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));

  // The bitmap may not be selected into a device while it is read.
  platform::Surface* held = device->selectSurface(nullptr);
  HDC screen = GetDC(nullptr);
  const int rows = GetDIBits(screen, surface->handle(), 0, static_cast<UINT>(height), bits.data(),
                             &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  device->selectSurface(held);
  if (rows != height) return false;

  picture.width = width;
  picture.height = height;
  picture.pixels.clear();
  picture.pixels.reserve(bits.size());
  for (DWORD word : bits) {
    picture.pixels.emplace_back(static_cast<std::uint8_t>(word >> 16),
                                static_cast<std::uint8_t>(word >> 8),
                                static_cast<std::uint8_t>(word));
  }
  return true;
}

}  // namespace crosscheck
