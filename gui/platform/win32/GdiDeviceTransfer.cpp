#include "gui/platform/win32/BlendFunctions.h"
#include "gui/platform/win32/GdiCoordinates.h"
#include "gui/platform/win32/GdiDevice.h"
#include "gui/platform/win32/GdiSurface.h"

namespace platform::win32 {

namespace {

// A block transfer as GDI takes it: a destination corner, a size and a source corner, all
// within the coordinate range. Empty for a destination that is empty or out of range.
struct Transfer {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  int srcX = 0;
  int srcY = 0;

  Transfer(const Rect& dst, Point src) {
    const std::int64_t w = static_cast<std::int64_t>(dst.right) - dst.left;
    const std::int64_t h = static_cast<std::int64_t>(dst.bottom) - dst.top;
    if (w <= 0 || h <= 0 || w > kCoordinateLimit || h > kCoordinateLimit) return;
    if (!inRange(Point(dst.left, dst.top)) || !inRange(src)) return;
    x = dst.left;
    y = dst.top;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    srcX = src.x;
    srcY = src.y;
  }

  bool isEmpty() const { return width == 0; }
};

DWORD rasterCode(RasterOp op) {
  switch (op) {
    case RasterOp::Invert:
      return SRCINVERT;
    case RasterOp::And:
      return SRCAND;
    case RasterOp::Copy:
      break;
  }
  return SRCCOPY;
}

}  // namespace

Surface* GdiDevice::selectSurface(Surface* surface) {
  Surface* previous = selectedSurface;
  if (!ownsDc) return previous;
  HGDIOBJ bitmap = initialBitmap;
  if (surface) {
    auto* gdi = dynamic_cast<GdiSurface*>(surface);
    if (!gdi) return previous;
    bitmap = gdi->handle();
  }
  // A bitmap that is selected elsewhere, or of a format the device cannot take, is refused
  // by GDI; the device then keeps what it had.
  if (SelectObject(dc, bitmap)) selectedSurface = surface;
  return previous;
}

void GdiDevice::blit(const Rect& dst, Device& src, Point srcPos, RasterOp op) {
  auto* from = dynamic_cast<GdiDevice*>(&src);
  const Transfer t(dst, srcPos);
  if (!from || t.isEmpty()) return;
  BitBlt(dc, t.x, t.y, t.width, t.height, from->dc, t.srcX, t.srcY, rasterCode(op));
}

bool GdiDevice::transparentBlit(const Rect& dst, Device& src, Point srcPos, Color key) {
  TransparentBltFunction copy = transparentBltFunction();
  if (!copy) return false;
  auto* from = dynamic_cast<GdiDevice*>(&src);
  const Transfer t(dst, srcPos);
  if (!from || t.isEmpty()) return true;
  // The keyed copy refuses a source area that is not wholly inside the source surface;
  // the caller's own passes then do the work with copies that clip.
  return copy(dc, t.x, t.y, t.width, t.height, from->dc, t.srcX, t.srcY, t.width, t.height,
              key.deviceWord()) != FALSE;
}

bool GdiDevice::alphaBlend(const Rect& dst, Device& src, Point srcPos, std::int32_t alpha) {
  AlphaBlendFunction blend = alphaBlendFunction();
  if (!blend) return false;
  auto* from = dynamic_cast<GdiDevice*>(&src);
  const Transfer t(dst, srcPos);
  if (!from || t.isEmpty()) return true;
  BLENDFUNCTION function{};
  function.BlendOp = AC_SRC_OVER;
  function.SourceConstantAlpha = static_cast<BYTE>(alpha < 0 ? 0 : (alpha > 255 ? 255 : alpha));
  return blend(dc, t.x, t.y, t.width, t.height, from->dc, t.srcX, t.srcY, t.width, t.height,
               function) != FALSE;
}

}  // namespace platform::win32
