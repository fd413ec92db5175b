#include "gui/controls/AnimationDisplay.h"

#include <algorithm>
#include <cstdint>

#include "base/SafeConvert.h"
#include "gui/controls/ImagePicking.h"

namespace {

// The offset of the last frame; 0 for a strip without frames.
std::int32_t lastFrameTop(std::int32_t total, std::int32_t height) {
  const std::int64_t top = static_cast<std::int64_t>(total) - height;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(top, 0, std::max(total, 0)));
}

}  // namespace

AnimationDisplay::AnimationDisplay(const Rect& bounds, ControlListener* controlListener,
                                   std::int32_t controlTag, std::int32_t count, std::int32_t height,
                                   Bitmap* background, const Point& offset)
    : Control(bounds, controlListener, controlTag, background),
      bitmapOffset(offset),
      imageCount(count),
      imageHeight(height),
      totalHeight(imageTop(count, height)) {}

AnimationDisplay::~AnimationDisplay() = default;

void AnimationDisplay::draw(DrawContext* context) {
  if (!open) return;
  // The offset is held within the strip, so no value reaches an integer out of range.
  const std::int32_t top = truncateClamped(getValue(), 0, lastFrameTop(totalHeight, imageHeight));
  drawBitmapPart(backgroundBitmap, context, size, Point(bitmapOffset.x, bitmapOffset.y + top),
                 isTransparent());
  setDirty(false);
}

void AnimationDisplay::onMouseDown(DrawContext* context, Point&) {
  if (!isMouseActive() || !context || (context->getMouseButtons() & kButtonLeft) == 0) return;
  setValue(0.0f);
  if (open) {
    draw(context);
    closeStrip();
  } else {
    openStrip();
    setDirty(true);
    notify(context);
  }
}

void AnimationDisplay::openStrip() {
  open = true;
}

void AnimationDisplay::closeStrip() {
  open = false;
}

void AnimationDisplay::stepForward() {
  const float next = getValue() + static_cast<float>(imageHeight);
  // Past the last frame's offset (or not a number) the strip starts over.
  setValue(next <= static_cast<float>(lastFrameTop(totalHeight, imageHeight)) ? next : 0.0f);
}

void AnimationDisplay::stepBack() {
  const float previous = getValue() - static_cast<float>(imageHeight);
  setValue(previous >= 0.0f ? previous
                            : static_cast<float>(lastFrameTop(totalHeight, imageHeight)));
}
