// A display that shows its value as decimal digits, each copied from a vertical strip of the
// ten digit images 0 to 9 in its bitmap.
#pragma once

#include <cstdint>

#include "gui/controls/Control.h"

// The most digits a DigitDisplay shows.
inline constexpr std::int32_t kMaxDigits = 7;

// Shows the value, truncated and held within [minimum, maximum] (0 to 10^count - 1 at
// construction), with leading zeros. Digit i is drawn at (x[i], y[i]) in the parent's
// coordinates, digitWidth by digitHeight, from (0, d × digitHeight) of the strip. Window
// thread only, apart from what Control allows.
class DigitDisplay : public Control {
 public:
  // digitCount is held within [0, kMaxDigits]; that many positions are copied from
  // xPositions and yPositions (0 when an array is null).
  DigitDisplay(const Rect& size, ControlListener* listener, std::int32_t tag,
               std::int32_t initialValue, std::int32_t digitCount, const std::int32_t* xPositions,
               const std::int32_t* yPositions, std::int32_t digitWidth, std::int32_t digitHeight,
               Bitmap* digitStrip);
  ~DigitDisplay() override;

  void draw(DrawContext* context) override;
  // value / maximum held within [0, 1]; 0 when that is not a number.
  virtual float normalizedValue() const;

 protected:
  std::int32_t digitCount;
  std::int32_t xPositions[kMaxDigits] = {};
  std::int32_t yPositions[kMaxDigits] = {};
  std::int32_t digitWidth;
  std::int32_t digitHeight;
};
