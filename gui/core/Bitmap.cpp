#include "gui/core/Bitmap.h"

#include "gui/core/DrawContext.h"
#include "gui/platform/Graphics.h"

namespace {

// A temporary memory device with a surface selected, compatible with a context's device;
// the surface goes back out of it before the device is deleted.
class SurfaceDevice {
 public:
  SurfaceDevice(platform::Device* compatibleWith, platform::Surface* surface)
      : device(platform::createMemoryDevice(compatibleWith)) {
    if (device) previous = device->selectSurface(surface);
  }
  ~SurfaceDevice() {
    if (device) device->selectSurface(previous);
  }
  SurfaceDevice(const SurfaceDevice&) = delete;
  SurfaceDevice& operator=(const SurfaceDevice&) = delete;

  platform::Device* get() const { return device.get(); }

 private:
  std::unique_ptr<platform::Device> device;
  platform::Surface* previous = nullptr;
};

Rect sizeOf(const Rect& dst) {
  return Rect(0, 0, dst.width(), dst.height());
}

}  // namespace

Bitmap::Bitmap(std::int32_t id) : resourceId(id), bitmapHandle(platform::loadBitmapResource(id)) {
  if (bitmapHandle) {
    width = bitmapHandle->width();
    height = bitmapHandle->height();
  }
}

Bitmap::Bitmap(std::int32_t w, std::int32_t h)
    : bitmapHandle(platform::createSurface(nullptr, w, h)) {
  if (bitmapHandle) {
    width = bitmapHandle->width();
    height = bitmapHandle->height();
  }
}

Bitmap::~Bitmap() = default;

void Bitmap::release() {
  if (refCount <= 0) return;
  if (--refCount == 0) delete this;
}

void Bitmap::draw(DrawContext* context, const Rect& dst, const Point& src) {
  if (!bitmapHandle || !context || !context->getDeviceHandle()) return;
  platform::Device& target = *context->getDeviceHandle();
  SurfaceDevice source(&target, bitmapHandle.get());
  if (!source.get()) return;
  target.blit(context->toDevice(dst), *source.get(), src, platform::RasterOp::Copy);
}

void Bitmap::drawTransparent(DrawContext* context, const Rect& dst, const Point& src) {
  if (!bitmapHandle || !context || !context->getDeviceHandle()) return;
  platform::Device& target = *context->getDeviceHandle();
  SurfaceDevice source(&target, bitmapHandle.get());
  if (!source.get()) return;
  platform::Device& from = *source.get();
  const Rect to = context->toDevice(dst);
  using platform::RasterOp;

  if (maskHandle) {
    // Compose in a scratch surface so that the destination is written once.
    std::unique_ptr<platform::Surface> scratchSurface =
        platform::createSurface(&target, to.width(), to.height());
    if (!scratchSurface) return;
    SurfaceDevice scratch(&target, scratchSurface.get());
    SurfaceDevice mask(&target, maskHandle.get());
    if (!scratch.get() || !mask.get()) return;
    platform::Device& s = *scratch.get();
    s.setBackgroundColor(kWhite);
    s.setTextColor(kBlack);
    const Rect whole = sizeOf(to);
    s.blit(whole, target, Point(to.left, to.top), RasterOp::Copy);
    s.blit(whole, from, src, RasterOp::Invert);
    s.blit(whole, *mask.get(), src, RasterOp::And);
    s.blit(whole, from, src, RasterOp::Invert);
    target.blit(to, s, Point(), RasterOp::Copy);
    return;
  }

  if (target.transparentBlit(to, from, src, transparentColor)) return;

  // Without the platform's colour-keyed copy: key pixels become 1 in a mask, then
  // XOR, AND, XOR keep the destination under the key and put the source elsewhere.
  std::unique_ptr<platform::Surface> maskSurface =
      platform::createMaskSurface(to.width(), to.height());
  if (!maskSurface) return;
  SurfaceDevice mask(&target, maskSurface.get());
  if (!mask.get()) return;
  // Where the destination reaches past the bitmap no source is copied; a mask of 1 there
  // keeps the destination instead of clearing it.
  platform::Device& m = *mask.get();
  m.openObjectScope();
  m.selectBrush(kWhite);
  m.fillRect(sizeOf(to));
  m.closeObjectScope();
  from.setBackgroundColor(transparentColor);
  m.blit(sizeOf(to), from, src, RasterOp::Copy);
  target.setBackgroundColor(kWhite);
  target.setTextColor(kBlack);
  target.blit(to, from, src, RasterOp::Invert);
  target.blit(to, m, Point(), RasterOp::And);
  target.blit(to, from, src, RasterOp::Invert);
  target.setBackgroundColor(context->getFillColor());
  target.setTextColor(context->getFontColor());
}

void Bitmap::drawAlphaBlend(DrawContext* context, const Rect& dst, const Point& src,
                            std::int32_t alpha) {
  if (!bitmapHandle || !context || !context->getDeviceHandle()) return;
  platform::Device& target = *context->getDeviceHandle();
  SurfaceDevice source(&target, bitmapHandle.get());
  if (!source.get()) return;
  const std::int32_t a = alpha < 0 ? 0 : (alpha > 255 ? 255 : alpha);
  target.alphaBlend(context->toDevice(dst), *source.get(), src, a);
}

void Bitmap::createMask(DrawContext* context, const Point& origin) {
  if (!context || !context->getDeviceHandle()) return;
  std::unique_ptr<platform::Surface> mask = platform::createMaskSurface(width, height);
  if (!mask) return;
  platform::Device& from = *context->getDeviceHandle();
  {
    SurfaceDevice into(&from, mask.get());
    if (!into.get()) return;
    from.setBackgroundColor(transparentColor);
    into.get()->blit(Rect(0, 0, width, height), from, context->toDevice(origin),
                     platform::RasterOp::Copy);
    from.setBackgroundColor(context->getFillColor());
  }
  maskHandle = std::move(mask);
}
