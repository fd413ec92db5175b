// A meter that shows its value as the lit part of a bar of segments: the "on" bitmap over the
// lit part and the "off" bitmap over the rest. The shown level falls back by one step per
// redraw, so the meter keeps redrawing until it has caught up with the value.
#pragma once

#include <cstdint>

#include "gui/controls/Control.h"

// LevelMeter style bit: the bar grows from the left instead of from the bottom.
inline constexpr std::int32_t kMeterHorizontal = 0x01;

// No listener, tag 0. Each bitmap given is retained; either may be null (nothing is drawn
// without the on bitmap). Window thread only, apart from what Control allows.
class LevelMeter : public Control {
 public:
  LevelMeter(const Rect& size, Bitmap* onBitmap, Bitmap* offBitmap, std::int32_t segments,
             std::int32_t style);
  ~LevelMeter() override;

  // Clamps the value, lets the shown level fall by the fall step (never below the value)
  // and draws it rounded to whole segments.
  void draw(DrawContext* context) override;
  // Only the view's mark: the shown level is the meter's own.
  void setDirty(bool flag) override;

  // How far the shown level falls per redraw.
  virtual void setFallStep(float step);

 protected:
  Bitmap* onBitmap;
  Bitmap* offBitmap;
  std::int32_t segments;
  std::int32_t style;
  float fallStep = 0.1f;
  Rect onRect;
  Rect offRect;
};
