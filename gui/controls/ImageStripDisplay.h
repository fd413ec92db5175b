// A display that shows one image of a vertical strip in its bitmap, chosen by its value: the
// editor's indicator light and its picture of the chosen shape.
#pragma once

#include <cstdint>

#include "gui/controls/Control.h"

// The strip holds imageCount images imageHeight pixels high from offset downwards. Values
// from 0 to 1 pick the images in equal steps, rounding half up; a value above 1 is stored
// back as 1 when drawn, and values at or below 0 (or not a number) show the first image.
// Takes no mouse, key or wheel input. Window thread only, apart from what Control allows.
class ImageStripDisplay : public Control {
 public:
  ImageStripDisplay(const Rect& size, ControlListener* listener, std::int32_t tag,
                    std::int32_t imageCount, std::int32_t imageHeight, Bitmap* background,
                    const Point& offset);
  ~ImageStripDisplay() override;

  void draw(DrawContext* context) override;

 protected:
  Point bitmapOffset;
  std::int32_t imageCount;
  std::int32_t imageHeight;
};
