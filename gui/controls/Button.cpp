#include "gui/controls/Button.h"

#include <cmath>

#include "gui/controls/ImagePicking.h"
#include "gui/core/Bitmap.h"

namespace {

float flipped(float value) {
  return value == 0.0f ? 1.0f : 0.0f;
}

}  // namespace

ToggleButton::ToggleButton(const Rect& bounds, ControlListener* controlListener,
                           std::int32_t controlTag, Bitmap* background)
    : Control(bounds, controlListener, controlTag, background) {}

ToggleButton::~ToggleButton() = default;

void ToggleButton::draw(DrawContext* context) {
  const bool on = getValue() != 0.0f && backgroundBitmap;
  const std::int32_t top = on ? backgroundBitmap->getHeight() / 2 : 0;
  drawBitmapPart(backgroundBitmap, context, size, Point(0, top), isTransparent());
  setDirty(false);
}

void ToggleButton::onMouseDown(DrawContext* context, Point&) {
  if (!isMouseActive() || !context) return;
  if ((context->getMouseButtons() & kButtonLeft) == 0) return;
  // "Integer part not 0" without converting to an integer, which a value from the host
  // (any float, NaN included) could overflow; NaN counts as on and turns off.
  const bool wholeNumberPart = !(std::fabs(getValue()) < 1.0f);
  setValue(wholeNumberPart ? 0.0f : 1.0f);
  runIdle();
  notify(context);
}

MomentaryButton::MomentaryButton(const Rect& bounds, ControlListener* controlListener,
                                 std::int32_t controlTag, std::int32_t height, Bitmap* background,
                                 const Point& offset)
    : Control(bounds, controlListener, controlTag, background),
      bitmapOffset(offset),
      imageHeight(height) {}

MomentaryButton::~MomentaryButton() = default;

void MomentaryButton::draw(DrawContext* context) {
  clampValue();
  Point source = bitmapOffset;
  if (getValue() != 0.0f) source.y += imageHeight;
  drawBitmapPart(backgroundBitmap, context, size, source, isTransparent());
  setDirty(false);
}

void MomentaryButton::onMouseDown(DrawContext* context, Point& where) {
  bool pressed = false;
  float entryValue = 0.0f;
  const auto grab = [&](std::int32_t pressWord) {
    pressed = true;
    entryValue = getValue();
    if (pressWord == kButtonLeft) return true;
    // With a modifier held the press flips the value once, without following the mouse.
    setValue(flipped(entryValue));
    notify(context);
    return false;
  };
  const auto track = [&](std::int32_t, const Point& at) {
    setValue(insideEdgesIncluded(size, at) ? flipped(entryValue) : entryValue);
    return true;
  };
  followDrag(context, where,
             DragRules{.hold = DragHold::PressWord, .testAfterPass = true, .resetClick = false},
             grab, track);
  if (!pressed) return;
  setValue(0.0f);
  notify(context);
}

LatchButton::LatchButton(const Rect& bounds, ControlListener* controlListener,
                         std::int32_t controlTag, std::int32_t height, Bitmap* background,
                         const Point& offset)
    : Control(bounds, controlListener, controlTag, background),
      bitmapOffset(offset),
      imageHeight(height) {}

LatchButton::~LatchButton() = default;

void LatchButton::draw(DrawContext* context) {
  clampValue();
  const float state = getValue();
  const Point source(0, state != 0.0f ? imageHeight : 0);
  drawBitmapPart(backgroundBitmap, context, size, source, isTransparent());
  lastDrawnState = state;
  setDirty(false);
}

void LatchButton::onMouseDown(DrawContext* context, Point& where) {
  float entryValue = 0.0f;
  const auto grab = [&](std::int32_t) {
    entryValue = getValue();
    return true;
  };
  const auto track = [&](std::int32_t, const Point& at) {
    setValue(insideEdgesIncluded(size, at) ? flipped(entryValue) : entryValue);
    return true;
  };
  followDrag(context, where,
             DragRules{.hold = DragHold::PressWord, .testAfterPass = true, .resetClick = false},
             grab, track);
}
