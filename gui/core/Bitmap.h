// An image shared by reference count between the views that show it. It starts with one
// reference, its creator's; the release that takes the count from 1 to 0 deletes it.
// Used on the user-interface thread only.
#pragma once

#include <cstdint>
#include <memory>

#include "gui/base/Color.h"
#include "gui/base/Point.h"
#include "gui/base/Rect.h"

class DrawContext;

namespace platform {
class Surface;
}  // namespace platform

class Bitmap {
 public:
  // Loads the BITMAP resource with this id. A failed load is not an error: the bitmap has
  // no surface, a size of 0 by 0, and draws nothing.
  explicit Bitmap(std::int32_t resourceId);
  // A black bitmap compatible with the screen (no surface for a size that is not positive).
  Bitmap(std::int32_t width, std::int32_t height);
  Bitmap(const Bitmap&) = delete;
  Bitmap& operator=(const Bitmap&) = delete;

  std::int32_t getResourceId() const { return resourceId; }
  std::int32_t getWidth() const { return width; }
  std::int32_t getHeight() const { return height; }
  platform::Surface* getHandle() const { return bitmapHandle.get(); }
  bool isLoaded() const { return bitmapHandle != nullptr; }

  void retain() { ++refCount; }
  // Does nothing when the count is already 0 or less.
  void release();
  std::int32_t referenceCount() const { return refCount; }

  void setTransparentColor(Color color) { transparentColor = color; }
  Color getTransparentColor() const { return transparentColor; }

  // Copies the part of the bitmap at src, of dst's size, to dst moved by the context's
  // offset (the source point is not moved). A null context draws nothing.
  void draw(DrawContext* context, const Rect& dst, const Point& src);
  // As draw, but pixels of the transparent colour leave the destination unchanged.
  void drawTransparent(DrawContext* context, const Rect& dst, const Point& src);
  // As draw, blended over the destination with one opacity (0-255, clamped; 255 opaque).
  // Draws nothing when the platform has no blend function.
  void drawAlphaBlend(DrawContext* context, const Rect& dst, const Point& src, std::int32_t alpha);
  // Replaces the mask by one of the bitmap's size taken from the context's pixels at the
  // bitmap's rectangle moved by origin: 1 where the pixel is the transparent colour.
  // drawTransparent then composes through it.
  void createMask(DrawContext* context, const Point& origin);

 private:
  ~Bitmap();

  std::int32_t resourceId = 0;
  std::int32_t refCount = 1;
  std::int32_t width = 0;
  std::int32_t height = 0;
  Color transparentColor = kTransparentWhite;
  std::unique_ptr<platform::Surface> bitmapHandle;
  std::unique_ptr<platform::Surface> maskHandle;
};
