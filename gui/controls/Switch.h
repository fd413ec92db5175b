// The multi-position switches, which step through the images of a vertical strip in their
// bitmap as the mouse moves over them, and the three-way rocker that springs back to its
// middle position.
#pragma once

#include <cstdint>

#include "gui/controls/Control.h"

// What the two multi-position switches share: a switch of `positions` positions with images
// `imageHeight` pixels high stacked from the top of its bitmap. The value runs from 0 (first
// position) to 1 (last) in equal steps. A press picks the position under the cursor by bands
// of a span split into `positions`, and the switch follows the mouse until any button or
// modifier changes; the host hears of it as a gesture. A Control-click restores the reset
// value, 0. Values outside [0, 1] show the nearer end image. imageCount and offset are kept
// but take no part in drawing or in the mouse.
class StripSwitch : public Control {
 public:
  ~StripSwitch() override;

  // The image of the position nearest the value.
  void draw(DrawContext* context) override;

 protected:
  StripSwitch(const Rect& size, ControlListener* listener, std::int32_t tag,
              std::int32_t imageCount, std::int32_t imageHeight, std::int32_t positions,
              Bitmap* background, const Point& offset);
  // Follows the mouse, setting the position of the band that `distance(point)` pixels fall
  // into of `span` pixels. Returns once the button word differs from the one at the press;
  // a quick click still sets the position under the cursor.
  template <typename Distance>
  void followPositions(DrawContext* context, Point& where, std::int32_t span, Distance distance);

  Point bitmapOffset;
  std::int32_t imageCount;
  std::int32_t imageHeight;
  std::int32_t positions;
};

// The mouse picks the position by bands of the image height from the top edge.
class VerticalSwitch : public StripSwitch {
 public:
  VerticalSwitch(const Rect& size, ControlListener* listener, std::int32_t tag,
                 std::int32_t imageCount, std::int32_t imageHeight, std::int32_t positions,
                 Bitmap* background, const Point& offset);
  ~VerticalSwitch() override;

  void onMouseDown(DrawContext* context, Point& where) override;
};

// The mouse picks the position by bands of the bitmap's width from the left edge. The
// images still come from a vertical strip.
class HorizontalSwitch : public StripSwitch {
 public:
  HorizontalSwitch(const Rect& size, ControlListener* listener, std::int32_t tag,
                   std::int32_t imageCount, std::int32_t imageHeight, std::int32_t positions,
                   Bitmap* background, const Point& offset);
  ~HorizontalSwitch() override;

  void onMouseDown(DrawContext* context, Point& where) override;
};

// SpringSwitch style bit: the rocker's halves lie side by side instead of one above the
// other.
inline constexpr std::int32_t kSpringHorizontal = 0x01;

// A rocker with the values -1, 0 and 1: pressed in its first half (upper, or left with
// kSpringHorizontal) it goes to -1, in the other half to 1, and back to 0 at every release,
// which the listener always hears. The drag lasts while any button or modifier is held and
// is reported to the host as a gesture; no Control-click reset (its reset value is 0, as
// the other switches'). Its bitmap stacks the images for -1 (and any other value), 0 and 1
// from offset downwards.
class SpringSwitch : public Control {
 public:
  SpringSwitch(const Rect& size, ControlListener* listener, std::int32_t tag,
               std::int32_t imageHeight, Bitmap* background, const Point& offset,
               std::int32_t style);
  ~SpringSwitch() override;

  // The 1 image only for exactly 1, the 0 image for 0, the -1 image for anything else.
  void draw(DrawContext* context) override;
  // Returns once no button or modifier is held, with the value back at 0.
  void onMouseDown(DrawContext* context, Point& where) override;
  // One rock and back: -1 for a positive distance, else 1, then 0; the listener hears the
  // rock when it changed the value and always hears the return. False when not
  // mouse-active.
  bool onWheel(DrawContext* context, const Point& where, float distance) override;

 protected:
  Point bitmapOffset;
  std::int32_t imageHeight;
  std::int32_t style;
};
