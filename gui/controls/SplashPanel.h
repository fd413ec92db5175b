// A click area that, when clicked, shows a bitmap over a larger rectangle of the window (an
// about picture) as the frame's modal view, and hides it again at the next click. While off
// it draws nothing, so it can lie invisibly over other artwork.
#pragma once

#include <cstdint>

#include "gui/controls/Control.h"

// Value 0 is off, 1 on. Only presses of the logical left button hit the panel. While on, its
// size is the display rectangle and the frame offers every press to it alone. Window thread
// only, apart from what Control allows.
class SplashPanel : public Control {
 public:
  // offset is the point of the bitmap shown at displayRect's top-left corner.
  SplashPanel(const Rect& clickArea, ControlListener* listener, std::int32_t tag,
              Bitmap* background, const Rect& displayRect, const Point& offset);
  ~SplashPanel() override;

  // The bitmap while on; nothing while off.
  void draw(DrawContext* context) override;
  // Off to on: shows the bitmap as the frame's modal view and tells the listener; when the
  // frame already has another modal view the value becomes 1 but nothing is shown and
  // nobody told. On to off: gives up the modal view, has the frame repaint the window and
  // tells the listener.
  void onMouseDown(DrawContext* context, Point& where) override;
  // The view's test, and the left button in buttons.
  bool hitTest(const Point& where, std::int32_t buttons) const override;

  // Turns the panel off without telling the listener, repainting the window when it was
  // shown.
  virtual void hidePanel();

 protected:
  Rect displayRect;
  Rect keptSize;
  Point bitmapOffset;

 private:
  // Whether the panel is the frame's modal view, showing its bitmap.
  bool isShown() const;
  // Back to the click area, the modal view given up.
  void stopShowing();
};
