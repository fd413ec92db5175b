// The two-state buttons: a toggle that flips on every press, a momentary button that is on
// only while held, and a latch that flips when released over it. Each shows one of two
// images stacked in its bitmap (the off image above the on image), at the control's size.
#pragma once

#include <cstdint>

#include "gui/controls/Control.h"

// Flips between 0 and 1 on each left press and tells the listener every time, changed or
// not. No gesture is reported to the host and a Control-click flips like any press. Any
// value other than exactly 0 shows the on image; a press gives 1 to every value whose
// integer part is 0 (0.7 included) and 0 to the rest.
class ToggleButton : public Control {
 public:
  // The bitmap holds the off image above the on image, each half its height; retained.
  ToggleButton(const Rect& size, ControlListener* listener, std::int32_t tag, Bitmap* background);
  ~ToggleButton() override;

  // The on image for any value other than exactly 0; nothing without a bitmap.
  void draw(DrawContext* context) override;
  // One flip per left press; returns at once.
  void onMouseDown(DrawContext* context, Point& where) override;
};

// On while the left button is held over it, with the host told of the gesture; the value
// is 0 between presses. The listener always hears the press and the release (0), whether
// they changed the value or not. A press with a modifier flips the value once instead of
// following the mouse.
class MomentaryButton : public Control {
 public:
  // The off image at offset in the bitmap, the on image imageHeight pixels below it.
  MomentaryButton(const Rect& size, ControlListener* listener, std::int32_t tag,
                  std::int32_t imageHeight, Bitmap* background, const Point& offset);
  ~MomentaryButton() override;

  // Clamps the value into the range first.
  void draw(DrawContext* context) override;
  // Returns once the left button (or the modifier word of the press) lets go.
  void onMouseDown(DrawContext* context, Point& where) override;

 protected:
  Point bitmapOffset;
  std::int32_t imageHeight;
};

// Flips while the left button is held over it and keeps the flipped value when released
// over it; released elsewhere it keeps the value it had. The drag ends when any button or
// modifier changes; the host hears of it as a gesture. No Control-click reset.
class LatchButton : public Control {
 public:
  // The off image at the top of the bitmap, the on image imageHeight pixels below; the
  // offset is kept but takes no part in drawing.
  LatchButton(const Rect& size, ControlListener* listener, std::int32_t tag,
              std::int32_t imageHeight, Bitmap* background, const Point& offset);
  ~LatchButton() override;

  // Clamps the value into the range first and remembers the state drawn.
  void draw(DrawContext* context) override;
  // Returns once the button word differs from the one at the press.
  void onMouseDown(DrawContext* context, Point& where) override;

 protected:
  Point bitmapOffset;
  std::int32_t imageHeight;
  float lastDrawnState = 0.0f;
};
