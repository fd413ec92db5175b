#include "gui/controls/ImageStripDisplay.h"

#include "gui/controls/ImagePicking.h"

ImageStripDisplay::ImageStripDisplay(const Rect& bounds, ControlListener* controlListener,
                                     std::int32_t controlTag, std::int32_t count,
                                     std::int32_t height, Bitmap* background, const Point& offset)
    : Control(bounds, controlListener, controlTag, background),
      bitmapOffset(offset),
      imageCount(count),
      imageHeight(height) {}

ImageStripDisplay::~ImageStripDisplay() = default;

void ImageStripDisplay::draw(DrawContext* context) {
  if (getValue() > 1.0f) setValue(1.0f);
  // The pick stays within the strip for any value and image count.
  Point source = bitmapOffset;
  source.y += imageTop(stripIndex(getValue(), imageCount), imageHeight);
  drawBitmapPart(backgroundBitmap, context, size, source, isTransparent());
  setDirty(false);
}
