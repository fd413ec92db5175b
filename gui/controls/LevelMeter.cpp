#include "gui/controls/LevelMeter.h"

#include "base/SafeConvert.h"
#include "gui/controls/ImagePicking.h"
#include "gui/core/Bitmap.h"

namespace {

// The part of length pixels that k of segments lit segments cover.
std::int32_t segmentCut(std::int32_t k, std::int32_t segments, std::int32_t length) {
  return truncateClamped(static_cast<double>(k) / segments * length, 0, length > 0 ? length : 0);
}

}  // namespace

LevelMeter::LevelMeter(const Rect& bounds, Bitmap* on, Bitmap* off, std::int32_t count,
                       std::int32_t meterStyle)
    : Control(bounds, nullptr, 0, nullptr),
      onBitmap(on),
      offBitmap(off),
      // A bar needs at least one segment to be divided into.
      segments(count > 0 ? count : 1),
      style(meterStyle),
      onRect(bounds),
      offRect(bounds) {
  if (onBitmap) onBitmap->retain();
  if (offBitmap) offBitmap->retain();
}

LevelMeter::~LevelMeter() {
  if (onBitmap) onBitmap->release();
  if (offBitmap) offBitmap->release();
}

void LevelMeter::setDirty(bool flag) {
  View::setDirty(flag);
}

void LevelMeter::setFallStep(float newStep) {
  fallStep = newStep;
}

void LevelMeter::draw(DrawContext* context) {
  if (!onBitmap) return;
  clampValue();
  const float current = getValue();
  const float fallen = getShownValue() - fallStep;
  // Written so that a level or step that is not a number shows the value.
  const float shown = fallen > current ? fallen : current;
  setShownValue(shown);
  if (style & kMeterHorizontal) {
    const std::int32_t k =
        truncateClamped(static_cast<float>(segments) * unitFraction(shown) + 0.5, 0, segments);
    const std::int32_t cut = segmentCut(k, segments, onBitmap->getWidth());
    offRect.left = onRect.right = size.left + cut;
    drawBitmapPart(offBitmap, context, offRect, Point(cut, 0), isTransparent());
    drawBitmapPart(onBitmap, context, onRect, Point(0, 0), isTransparent());
  } else {
    const std::int32_t k =
        truncateClamped((getMaximum() - shown) * static_cast<float>(segments) + 0.5, 0, segments);
    const std::int32_t cut = segmentCut(k, segments, onBitmap->getHeight());
    offRect.bottom = onRect.top = size.top + cut;
    drawBitmapPart(offBitmap, context, offRect, Point(0, 0), isTransparent());
    drawBitmapPart(onBitmap, context, onRect, Point(0, cut), isTransparent());
  }
}
