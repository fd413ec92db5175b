// A display that shows one frame of a vertical strip of images, opened and stepped through by
// its owner; its value is the pixel offset of the shown frame within the strip.
#pragma once

#include <cstdint>

#include "gui/controls/Control.h"

// The strip holds imageCount frames imageHeight pixels high from offset downwards. While
// closed the display draws nothing and stays dirty. A left press (when mouse-active) goes
// back to the first frame and opens a closed strip, telling the listener, or closes an open
// one after drawing its first frame. Window thread only, apart from what Control allows.
class AnimationDisplay : public Control {
 public:
  AnimationDisplay(const Rect& size, ControlListener* listener, std::int32_t tag,
                   std::int32_t imageCount, std::int32_t imageHeight, Bitmap* background,
                   const Point& offset);
  ~AnimationDisplay() override;

  void draw(DrawContext* context) override;
  void onMouseDown(DrawContext* context, Point& where) override;

  virtual void openStrip();
  virtual void closeStrip();
  // To the next frame, from the last back to the first.
  virtual void stepForward();
  // To the previous frame, from the first on to the last.
  virtual void stepBack();

  bool isOpen() const { return open; }

 protected:
  Point bitmapOffset;
  std::int32_t imageCount;
  std::int32_t imageHeight;
  std::int32_t totalHeight;
  bool open = false;
};
