#include "gui/core/OffscreenContext.h"

#include "gui/core/Bitmap.h"
#include "gui/platform/Graphics.h"

OffscreenContext::OffscreenContext(FrameLink* link, std::int32_t width, std::int32_t height,
                                   Color background)
    : DrawContext(link, nullptr, nullptr),
      surfaceHeight(height),
      surfaceWidth(width),
      backgroundColor(background) {
  // Window devices share the screen's format, so a screen-compatible surface serves the
  // frame's window as well.
  memoryDevice = platform::createMemoryDevice(nullptr);
  selectNewSurface(nullptr);
  attachDevice(memoryDevice.get());
  setClipRect(Rect(0, 0, width, height));
  setFillColor(background);
  setFrameColor(background);
  // The fill stops one pixel inside the outline; together they cover the whole surface.
  fillRect(Rect(0, 0, width, height));
  drawRect(Rect(0, 0, width, height));
}

OffscreenContext::OffscreenContext(DrawContext* parent, Bitmap* bitmap, bool drawIntoBitmap)
    : DrawContext(nullptr, nullptr, nullptr), sourceBitmap(bitmap) {
  platform::Device* parentDevice = parent ? parent->getDeviceHandle() : nullptr;
  if (bitmap) {
    surfaceWidth = bitmap->getWidth();
    surfaceHeight = bitmap->getHeight();
  }
  memoryDevice = platform::createMemoryDevice(parentDevice);
  if (drawIntoBitmap && bitmap && bitmap->getHandle()) {
    surfaceHandle = bitmap->getHandle();
    if (memoryDevice) previousSurface = memoryDevice->selectSurface(surfaceHandle);
  } else {
    selectNewSurface(parentDevice);
  }
  attachDevice(memoryDevice.get());
  setClipRect(Rect(0, 0, surfaceWidth, surfaceHeight));
  if (!ownsSurface) return;
  if (bitmap) {
    bitmap->draw(this, Rect(0, 0, surfaceWidth, surfaceHeight), Point(0, 0));
  } else {
    setFillColor(kBlack);
    fillRect(Rect(0, 0, surfaceWidth, surfaceHeight));
  }
}

OffscreenContext::~OffscreenContext() {
  // The device must get its objects and its first surface back before it is deleted.
  detachDevice();
  if (memoryDevice) memoryDevice->selectSurface(previousSurface);
  memoryDevice.reset();
  ownedSurface.reset();
}

void OffscreenContext::selectNewSurface(platform::Device* compatibleWith) {
  ownedSurface = platform::createSurface(compatibleWith, surfaceWidth, surfaceHeight);
  surfaceHandle = ownedSurface.get();
  ownsSurface = surfaceHandle != nullptr;
  if (memoryDevice && surfaceHandle) previousSurface = memoryDevice->selectSurface(surfaceHandle);
}

void OffscreenContext::copyTo(DrawContext* target, const Rect& dst, const Point& src) {
  if (!target || !target->getDeviceHandle() || !memoryDevice) return;
  target->getDeviceHandle()->blit(target->toDevice(dst), *memoryDevice, src,
                                  platform::RasterOp::Copy);
}
