#include "gui/controls/ImagePicking.h"

#include <cmath>
#include <limits>

#include "gui/core/Bitmap.h"

float unitFraction(float value) {
  if (!(value > 0.0f)) return 0.0f;
  return value < 1.0f ? value : 1.0f;
}

std::int32_t stripIndex(float value, std::int32_t count) {
  if (count <= 1) return 0;
  // Rounded in double on a clamped value, so that no value leaves the strip or overflows
  // the conversion to an integer.
  const double position = static_cast<double>(count - 1) * unitFraction(value) + 0.5;
  const auto index = static_cast<std::int32_t>(position);
  return index < count - 1 ? index : count - 1;
}

std::int32_t imageTop(std::int32_t index, std::int32_t height) {
  const std::int64_t top = static_cast<std::int64_t>(index) * height;
  if (top > std::numeric_limits<std::int32_t>::max())
    return std::numeric_limits<std::int32_t>::max();
  if (top < std::numeric_limits<std::int32_t>::min())
    return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(top);
}

void drawBitmapPart(Bitmap* bitmap, DrawContext* context, const Rect& destination,
                    const Point& source, bool transparent) {
  if (!bitmap || !context) return;
  if (transparent) {
    bitmap->drawTransparent(context, destination, source);
  } else {
    bitmap->draw(context, destination, source);
  }
}
