// Block transfers of the software device: copies with raster operations, the colour-keyed
// copy and the constant-alpha blend.
#include <algorithm>
#include <atomic>
#include <vector>

#include "gui/platform/software/SoftwareDevice.h"

namespace platform::software {

namespace {

std::atomic<bool> transparentCopyAvailable{true};
std::atomic<bool> alphaBlendAvailable{true};

std::uint32_t rasterWord(platform::RasterOp op, std::uint32_t src, std::uint32_t dst) {
  switch (op) {
    case platform::RasterOp::Invert:
      return src ^ dst;
    case platform::RasterOp::And:
      return src & dst;
    default:
      return src;
  }
}

}  // namespace

void setBlendFunctionsAvailable(bool transparentCopy, bool alphaBlend) {
  transparentCopyAvailable.store(transparentCopy, std::memory_order_relaxed);
  alphaBlendAvailable.store(alphaBlend, std::memory_order_relaxed);
}

platform::Surface* SoftwareDevice::selectSurface(platform::Surface* surface) {
  platform::Surface* previous = current == initialSurface.get() ? nullptr : current;
  // Only memory devices switch surfaces; a window's device keeps its window.
  if (!initialSurface) return previous;
  current = surface ? static_cast<PixelSurface*>(surface) : initialSurface.get();
  return previous;
}

template <typename Combine>
void SoftwareDevice::forEachBlitPixel(const Rect& dst, SoftwareDevice& src, Point srcPos,
                                      Combine combine) {
  const PixelSurface* from = src.current;
  if (!current || !from || dst.isEmpty()) return;
  const Rect area = drawableArea();
  // The part of dst whose destination is drawable and whose source lies on the source.
  const std::int64_t shiftX = static_cast<std::int64_t>(srcPos.x) - dst.left;
  const std::int64_t shiftY = static_cast<std::int64_t>(srcPos.y) - dst.top;
  const std::int64_t left = std::max<std::int64_t>({dst.left, area.left, -shiftX});
  const std::int64_t right =
      std::min<std::int64_t>({dst.right, area.right, from->width() - shiftX});
  const std::int64_t top = std::max<std::int64_t>({dst.top, area.top, -shiftY});
  const std::int64_t bottom =
      std::min<std::int64_t>({dst.bottom, area.bottom, from->height() - shiftY});
  if (left >= right || top >= bottom) return;

  // A copy within one surface reads a snapshot, so overlapping areas come out whole.
  std::vector<std::uint32_t> snapshot;
  const bool sameSurface = from == current;
  if (sameSurface) {
    snapshot.reserve(static_cast<std::size_t>((right - left) * (bottom - top)));
    for (std::int64_t y = top; y < bottom; ++y) {
      for (std::int64_t x = left; x < right; ++x)
        snapshot.push_back(from->pixel(static_cast<std::int32_t>(x + shiftX),
                                       static_cast<std::int32_t>(y + shiftY)));
    }
  }
  const bool maskToColor = from->isMask() && !current->isMask();
  const bool colorToMask = !from->isMask() && current->isMask();
  const std::uint32_t sourceBackground = src.backgroundState.deviceWord();
  const std::uint32_t ones = backgroundState.deviceWord();
  const std::uint32_t zeros = textState.deviceWord();
  std::size_t index = 0;
  for (std::int64_t y = top; y < bottom; ++y) {
    for (std::int64_t x = left; x < right; ++x) {
      std::uint32_t s = sameSurface ? snapshot[index++]
                                    : from->pixel(static_cast<std::int32_t>(x + shiftX),
                                                  static_cast<std::int32_t>(y + shiftY));
      if (maskToColor) s = s != 0 ? ones : zeros;
      if (colorToMask) s = s == sourceBackground ? PixelSurface::kMaskWhite : 0;
      const auto px = static_cast<std::int32_t>(x);
      const auto py = static_cast<std::int32_t>(y);
      std::uint32_t out = 0;
      if (combine(s, current->pixel(px, py), out)) current->setPixel(px, py, out);
    }
  }
}

void SoftwareDevice::blit(const Rect& dst, Device& src, Point srcPos, platform::RasterOp op) {
  // Every device of this backend is a SoftwareDevice.
  forEachBlitPixel(dst, static_cast<SoftwareDevice&>(src), srcPos,
                   [op](std::uint32_t s, std::uint32_t d, std::uint32_t& out) {
                     out = rasterWord(op, s, d);
                     return true;
                   });
}

bool SoftwareDevice::transparentBlit(const Rect& dst, Device& src, Point srcPos, Color key) {
  if (!transparentCopyAvailable.load(std::memory_order_relaxed)) return false;
  const std::uint32_t keyWord = key.deviceWord();
  forEachBlitPixel(dst, static_cast<SoftwareDevice&>(src), srcPos,
                   [keyWord](std::uint32_t s, std::uint32_t, std::uint32_t& out) {
                     out = s;
                     return s != keyWord;
                   });
  return true;
}

bool SoftwareDevice::alphaBlend(const Rect& dst, Device& src, Point srcPos, std::int32_t alpha) {
  if (!alphaBlendAvailable.load(std::memory_order_relaxed)) return false;
  const std::uint32_t a = static_cast<std::uint32_t>(std::clamp(alpha, 0, 255));
  forEachBlitPixel(dst, static_cast<SoftwareDevice&>(src), srcPos,
                   [a](std::uint32_t s, std::uint32_t d, std::uint32_t& out) {
                     out = 0;
                     for (int shift = 0; shift < 24; shift += 8) {
                       const std::uint32_t sc = (s >> shift) & 0xFF, dc = (d >> shift) & 0xFF;
                       out |= ((sc * a + dc * (255 - a) + 127) / 255) << shift;
                     }
                     return true;
                   });
  return true;
}

}  // namespace platform::software
