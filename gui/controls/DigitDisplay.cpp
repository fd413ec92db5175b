#include "gui/controls/DigitDisplay.h"

#include <algorithm>
#include <limits>

#include "base/SafeConvert.h"
#include "gui/controls/ImagePicking.h"

namespace {

std::int32_t powerOfTen(std::int32_t exponent) {
  std::int32_t p = 1;
  for (std::int32_t i = 0; i < exponent; ++i) p *= 10;
  return p;
}

}  // namespace

DigitDisplay::DigitDisplay(const Rect& bounds, ControlListener* controlListener,
                           std::int32_t controlTag, std::int32_t initialValue, std::int32_t count,
                           const std::int32_t* xs, const std::int32_t* ys, std::int32_t width,
                           std::int32_t height, Bitmap* digitStrip)
    : Control(bounds, controlListener, controlTag, digitStrip),
      digitCount(std::clamp(count, 0, kMaxDigits)),
      digitWidth(width),
      digitHeight(height) {
  for (std::int32_t i = 0; i < digitCount; ++i) {
    xPositions[i] = xs ? xs[i] : 0;
    yPositions[i] = ys ? ys[i] : 0;
  }
  setValue(static_cast<float>(initialValue));
  setMinimum(0.0f);
  setMaximum(static_cast<float>(powerOfTen(digitCount) - 1));
}

DigitDisplay::~DigitDisplay() = default;

void DigitDisplay::draw(DrawContext* context) {
  // Every conversion is held to what the digits can show, so that no value, range or NaN
  // reaches an integer out of range or picks an image outside the strip.
  const std::int32_t largest = powerOfTen(digitCount) - 1;
  const std::int32_t high = truncateClamped(getMaximum(), 0, largest);
  const std::int32_t low = truncateClamped(getMinimum(), 0, largest);
  std::int32_t n = truncateClamped(getValue(), std::numeric_limits<std::int32_t>::min(),
                                   std::numeric_limits<std::int32_t>::max());
  if (!(high > n)) {
    n = high;
  } else if (low > n) {
    n = low;
  }
  for (std::int32_t i = 0, divisor = powerOfTen(digitCount - 1); i < digitCount;
       ++i, divisor /= 10) {
    const std::int32_t digit = std::clamp(n / divisor, 0, 9);
    n %= divisor;
    const Rect target(xPositions[i], yPositions[i], xPositions[i] + digitWidth,
                      yPositions[i] + digitHeight);
    drawBitmapPart(backgroundBitmap, context, target, Point(0, imageTop(digit, digitHeight)),
                   isTransparent());
  }
  setDirty(false);
}

float DigitDisplay::normalizedValue() const {
  return unitFraction(getValue() / getMaximum());
}
