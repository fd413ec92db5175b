#include "gui/controls/Slider.h"

#include <cmath>

#include "gui/controls/ImagePicking.h"
#include "gui/core/Bitmap.h"
#include "gui/core/FrameServices.h"
#include "gui/core/OffscreenContext.h"

Slider::Slider(const Rect& bounds, ControlListener* controlListener, std::int32_t controlTag,
               std::int32_t startPos, std::int32_t endPos, Bitmap* thumb, Bitmap* background,
               const Point& offset, std::int32_t sliderStyle)
    : Control(bounds, controlListener, controlTag, background),
      bitmapOffset(offset),
      style(sliderStyle),
      controlWidth(bounds.width()),
      controlHeight(bounds.height()) {
  Slider::setThumbBitmap(thumb);
  thumbTravel = endPos - startPos;
  startShift = startPos - (isHorizontal() ? bounds.left : bounds.top);
  Slider::setThumbOffset(Point(0, 0));
}

Slider::Slider(const Rect& bounds, ControlListener* controlListener, std::int32_t controlTag,
               const Point& trackStart, std::int32_t trackLength, Bitmap* thumb, Bitmap* background,
               const Point& offset, std::int32_t sliderStyle)
    : Control(bounds, controlListener, controlTag, background),
      bitmapOffset(offset),
      style(sliderStyle),
      controlWidth(bounds.width()),
      controlHeight(bounds.height()) {
  Slider::setThumbBitmap(thumb);
  thumbTravel = trackLength - thumbLength();
  Slider::setThumbOffset(trackStart);
}

Slider::~Slider() {
  if (thumbBitmap) thumbBitmap->release();
}

void Slider::draw(DrawContext* context) {
  if (context) {
    if (buffer && buffer->getSurface()) {
      // Cleared first: a missing or colour-keyed track would otherwise let the thumbs of
      // earlier pictures show through.
      buffer->setFillColor(kBlack);
      buffer->fillRect(Rect(-1, -1, controlWidth, controlHeight));
      drawLayers(buffer.get(), Point(0, 0));
      buffer->copyTo(context, size, Point(0, 0));
    } else {
      // Not attached, or no memory for the buffer: the picture still belongs on screen.
      drawLayers(context, Point(size.left, size.top));
    }
  }
  setDirty(false);
}

void Slider::onMouseDown(DrawContext* context, Point& where) {
  const bool horizontal = isHorizontal();
  std::int32_t base = 0;
  float anchor = 0.0f;
  std::int32_t lastButtons = 0;

  const auto grab = [&](std::int32_t pressWord) {
    base = horizontal ? thumbOffset.x + size.left : thumbOffset.y + size.top;
    if (jumpToClick) {
      base += thumbLength() / 2 - 1;
    } else {
      Rect thumb = thumbRect(false);
      thumb.offset(size.left, size.top);
      if (!insideEdgesIncluded(thumb, where)) return false;
      // The grabbed point of the thumb stays under the cursor.
      base += horizontal ? where.x - thumb.left : where.y - thumb.top;
    }
    anchor = getValue();
    lastButtons = pressWord;
    return true;
  };

  const auto track = [&](std::int32_t buttons, const Point& at) {
    const bool fine = (buttons & kModShift) != 0;
    // Fine mode moves from the value that the slider had when Shift went down; without
    // Shift the anchor keeps up with the value, so releasing Shift jumps to the cursor.
    if (buttons != lastButtons && fine) {
      anchor = getValue();
      lastButtons = buttons;
    } else if (!fine) {
      anchor = getValue();
    }
    // A track without travel has no position to follow.
    if (thumbTravel == 0) return false;
    const std::int32_t along = horizontal ? at.x : at.y;
    float fraction = static_cast<float>(along - base) / static_cast<float>(thumbTravel);
    if (!growsFromStart()) fraction = 1.0f - fraction;
    setValue(fine ? anchor + (fraction - anchor) / fineDivisor : fraction);
    clampValue();
    return true;
  };

  followDrag(context, where, DragRules{.hold = DragHold::LeftButton, .takeFocus = true}, grab,
             track);
}

std::int32_t Slider::onKeyDown(const KeyCode& key) {
  return stepByKey(key);
}

bool Slider::onWheel(DrawContext* context, const Point&, float distance) {
  return stepByWheel(context, distance);
}

bool Slider::onDetached(View* holder) {
  buffer.reset();
  return View::onDetached(holder);
}

bool Slider::onAttached(View* holder) {
  buffer.reset();
  buffer = std::make_unique<OffscreenContext>(frame, controlWidth, controlHeight, kBlack);
  return View::onAttached(holder);
}

void Slider::setThumbTransparent(bool flag) {
  transparentThumb = flag;
}

void Slider::setJumpToClick(bool flag) {
  jumpToClick = flag;
}

bool Slider::getJumpToClick() const {
  return jumpToClick;
}

void Slider::setThumbOffset(const Point& offset) {
  thumbOffset = offset;
  lowestPosition = startShift + (isHorizontal() ? offset.x : offset.y);
  highestPosition = lowestPosition + thumbTravel + thumbLength();
}

void Slider::setThumbBitmap(Bitmap* thumb) {
  // Retaining first keeps a bitmap alive that is set again in place of itself.
  if (thumb) thumb->retain();
  if (thumbBitmap) thumbBitmap->release();
  thumbBitmap = thumb;
  if (!thumb) return;
  thumbWidth = thumb->getWidth();
  thumbHeight = thumb->getHeight();
}

Bitmap* Slider::getThumbBitmap() const {
  return thumbBitmap;
}

void Slider::setFineDivisor(float divisor) {
  // Zero would make every fine step infinite.
  if (!std::isfinite(divisor) || !(divisor > 0.0f)) return;
  fineDivisor = divisor;
}

float Slider::getFineDivisor() const {
  return fineDivisor;
}

bool Slider::growsFromStart() const {
  return (style & (kSliderOriginLeft | kSliderOriginTop)) != 0;
}

Rect Slider::thumbRect(bool bounded) const {
  const bool horizontal = isHorizontal();
  // A value outside [0, 1] (from the host or a changed range) keeps the thumb on the track.
  const float unit = unitFraction(getValue());
  const float fraction = growsFromStart() ? unit : 1.0f - unit;
  std::int32_t lead = static_cast<std::int32_t>(static_cast<float>(thumbTravel) * fraction) +
                      (horizontal ? thumbOffset.x : thumbOffset.y);
  if (bounded && lead < lowestPosition) lead = lowestPosition;
  std::int32_t trail = lead + thumbLength();
  if (bounded && trail > highestPosition) trail = highestPosition;
  if (horizontal) return Rect(lead, thumbOffset.y, trail, thumbOffset.y + thumbHeight);
  return Rect(thumbOffset.x, lead, thumbOffset.x + thumbWidth, trail);
}

void Slider::drawLayers(DrawContext* target, const Point& origin) {
  const Rect track(origin.x, origin.y, origin.x + controlWidth, origin.y + controlHeight);
  drawBitmapPart(backgroundBitmap, target, track, bitmapOffset, isTransparent());
  Rect thumb = thumbRect(true);
  thumb.offset(origin.x, origin.y);
  drawBitmapPart(thumbBitmap, target, thumb, Point(0, 0), transparentThumb);
}

VerticalSlider::VerticalSlider(const Rect& bounds, ControlListener* controlListener,
                               std::int32_t controlTag, std::int32_t startPos, std::int32_t endPos,
                               Bitmap* thumb, Bitmap* background, const Point& offset,
                               std::int32_t sliderStyle)
    : Slider(bounds, controlListener, controlTag, startPos, endPos, thumb, background, offset,
             sliderStyle | kSliderVertical) {}

VerticalSlider::VerticalSlider(const Rect& bounds, ControlListener* controlListener,
                               std::int32_t controlTag, const Point& trackStart,
                               std::int32_t trackLength, Bitmap* thumb, Bitmap* background,
                               const Point& offset, std::int32_t sliderStyle)
    : Slider(bounds, controlListener, controlTag, trackStart, trackLength, thumb, background,
             offset, sliderStyle | kSliderVertical) {}

HorizontalSlider::HorizontalSlider(const Rect& bounds, ControlListener* controlListener,
                                   std::int32_t controlTag, std::int32_t startPos,
                                   std::int32_t endPos, Bitmap* thumb, Bitmap* background,
                                   const Point& offset, std::int32_t sliderStyle)
    : Slider(bounds, controlListener, controlTag, startPos, endPos, thumb, background, offset,
             sliderStyle | kSliderHorizontal) {}

HorizontalSlider::HorizontalSlider(const Rect& bounds, ControlListener* controlListener,
                                   std::int32_t controlTag, const Point& trackStart,
                                   std::int32_t trackLength, Bitmap* thumb, Bitmap* background,
                                   const Point& offset, std::int32_t sliderStyle)
    : Slider(bounds, controlListener, controlTag, trackStart, trackLength, thumb, background,
             offset, sliderStyle | kSliderHorizontal) {}
