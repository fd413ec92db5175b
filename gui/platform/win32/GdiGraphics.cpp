#include <new>

#include "gui/platform/Graphics.h"
#include "gui/platform/Module.h"
#include "gui/platform/win32/GdiDevice.h"
#include "gui/platform/win32/GdiSurface.h"

namespace platform {

namespace {

// Far beyond any editor; it keeps one call from asking the system for gigabytes.
constexpr std::int64_t kSurfacePixelLimit = std::int64_t{1} << 26;

bool isAllocatableSize(std::int32_t width, std::int32_t height) {
  return width > 0 && height > 0 && static_cast<std::int64_t>(width) * height <= kSurfacePixelLimit;
}

win32::GdiDevice* gdiDevice(Device* device) {
  return dynamic_cast<win32::GdiDevice*>(device);
}

}  // namespace

std::unique_ptr<Device> createMemoryDevice(Device* compatibleWith) {
  win32::GdiDevice* base = gdiDevice(compatibleWith);
  return win32::GdiDevice::createMemory(base ? base->handle() : nullptr);
}

std::unique_ptr<Surface> createSurface(Device* compatibleWith, std::int32_t width,
                                       std::int32_t height) {
  if (!isAllocatableSize(width, height)) return nullptr;
  // A memory device is compatible with the one-bit bitmap it holds at first, not with the
  // display; its surfaces take the screen's format, which is what it was made for.
  win32::GdiDevice* base = gdiDevice(compatibleWith);
  HDC reference = base && !base->isMemory() ? base->handle() : GetDC(nullptr);
  if (!reference) return nullptr;
  HBITMAP bitmap = CreateCompatibleBitmap(reference, width, height);
  if (!base || base->isMemory()) ReleaseDC(nullptr, reference);
  if (!bitmap) return nullptr;
  return std::make_unique<win32::GdiSurface>(bitmap, width, height);
}

std::unique_ptr<Surface> createMaskSurface(std::int32_t width, std::int32_t height) {
  if (!isAllocatableSize(width, height)) return nullptr;
  // GDI leaves a new bitmap's bits undefined; rows of one-bit bitmaps are padded to 16 bits.
  const std::size_t stride = (static_cast<std::size_t>(width) + 15) / 16 * 2;
  std::unique_ptr<unsigned char[]> zeros(
      new (std::nothrow) unsigned char[stride * static_cast<std::size_t>(height)]());
  if (!zeros) return nullptr;
  HBITMAP bitmap = CreateBitmap(width, height, 1, 1, zeros.get());
  if (!bitmap) return nullptr;
  return std::make_unique<win32::GdiSurface>(bitmap, width, height);
}

std::unique_ptr<Surface> loadBitmapResource(std::int32_t resourceId) {
  const auto name = static_cast<WORD>(resourceId & 0xFFFF);
  // Without a module the system's own bitmaps would answer these numbers.
  void* const module = moduleHandle();
  if (!module || name == 0) return nullptr;
  HBITMAP bitmap = LoadBitmapW(static_cast<HINSTANCE>(module), MAKEINTRESOURCEW(name));
  if (!bitmap) return nullptr;
  BITMAP info{};
  if (GetObjectW(bitmap, sizeof(info), &info) == 0 || info.bmWidth <= 0 || info.bmHeight <= 0) {
    DeleteObject(bitmap);
    return nullptr;
  }
  return std::make_unique<win32::GdiSurface>(bitmap, info.bmWidth, info.bmHeight);
}

}  // namespace platform
