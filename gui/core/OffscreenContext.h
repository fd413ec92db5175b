// A draw context whose device is a memory surface: a view container composes its children
// here and copies the result to the window in one step. Made and used on the
// user-interface thread.
#pragma once

#include <cstdint>
#include <memory>

#include "gui/core/DrawContext.h"

class Bitmap;

namespace platform {
class Device;
class Surface;
}  // namespace platform

class OffscreenContext : public DrawContext {
 public:
  // A surface of width by height cleared to background, with clip (0, 0, width, height).
  // A size that cannot be allocated leaves a context that draws nowhere.
  OffscreenContext(FrameLink* frame, std::int32_t width, std::int32_t height, Color background);
  // A surface of the bitmap's size (20 by 20 without one). With drawIntoBitmap and a
  // bitmap, drawing changes the bitmap itself; otherwise the surface is the context's own,
  // filled with the bitmap's picture or black. The bitmap is not retained: it must outlive
  // the context.
  OffscreenContext(DrawContext* parent, Bitmap* bitmap, bool drawIntoBitmap);
  ~OffscreenContext() override;

  std::int32_t getWidth() const { return surfaceWidth; }
  std::int32_t getHeight() const { return surfaceHeight; }
  platform::Surface* getSurface() const { return surfaceHandle; }

  // Copies dst's size from the surface at src to dst moved by the target's offset.
  void copyTo(DrawContext* target, const Rect& dst, const Point& src);

 private:
  void selectNewSurface(platform::Device* compatibleWith);

  Bitmap* sourceBitmap = nullptr;
  std::int32_t surfaceHeight = 20;
  std::int32_t surfaceWidth = 20;
  bool ownsSurface = false;
  Color backgroundColor = kBlack;
  platform::Surface* surfaceHandle = nullptr;
  platform::Surface* previousSurface = nullptr;
  std::unique_ptr<platform::Surface> ownedSurface;
  std::unique_ptr<platform::Device> memoryDevice;
};
