#include "gui/controls/Knob.h"

#include <cmath>
#include <limits>

#include "gui/controls/ImagePicking.h"
#include "gui/core/Bitmap.h"

namespace {

constexpr float kTwoPi = 6.2831855f;
// The minimum at lower left, the maximum at lower right, clockwise through the top.
constexpr float kDefaultArcStart = 3.9269908f;
constexpr float kDefaultArcSweep = -4.712389f;
// Pixels of linear mouse travel that cover the whole range.
constexpr float kLinearSpan = 200.0f;

std::int32_t insetForPointer(const Bitmap& pointer) {
  return static_cast<std::int32_t>(pointer.getWidth() / 2.0 + 2.5);
}

// Pixel positions of wild geometry (a huge inset) stay within the integer range.
std::int32_t toPixel(double position) {
  constexpr double kLimit = std::numeric_limits<std::int32_t>::max() / 2;
  if (!(position > -kLimit)) return static_cast<std::int32_t>(-kLimit);
  if (position > kLimit) return static_cast<std::int32_t>(kLimit);
  return static_cast<std::int32_t>(position);
}

// An angle brought into [0, 2π).
float wrapAngle(float angle) {
  angle = std::fmod(angle, kTwoPi);
  return angle < 0.0f ? angle + kTwoPi : angle;
}

}  // namespace

Knob::Knob(const Rect& bounds, ControlListener* controlListener, std::int32_t controlTag,
           Bitmap* background, Bitmap* pointer, const Point& offset)
    : Control(bounds, controlListener, controlTag, background),
      bitmapOffset(offset),
      radius(static_cast<float>((bounds.right - bounds.left) / 2.0)) {
  if (pointer) {
    pointerBitmap = pointer;
    pointerBitmap->retain();
    inset = insetForPointer(*pointer);
  }
  // The sweep starts as 1 so that no mapping divides by zero on the way.
  setArcStart(kDefaultArcStart);
  setArcSweep(kDefaultArcSweep);
}

Knob::~Knob() {
  if (pointerBitmap) pointerBitmap->release();
}

void Knob::draw(DrawContext* context) {
  drawBitmapPart(backgroundBitmap, context, size, bitmapOffset, isTransparent());
  drawPointer(context);
  setDirty(false);
}

void Knob::onMouseDown(DrawContext* context, Point& where) {
  bool linear = false;
  float startValue = 0.0f;
  float rate = 0.0f;
  float entryValue = 0.0f;
  Point first;
  std::int32_t lastButtons = 0;
  Point last(-1, -1);
  const Point corner(size.left, size.top);

  const auto grab = [&](std::int32_t pressWord) {
    const bool altHeld = (pressWord & kModAlt) != 0;
    linear = (frameKnobMode() == 2) != altHeld;
    if (linear) {
      rate = linearRate(pressWord);
      entryValue = getValue();
      first = where;
      lastButtons = pressWord;
    } else {
      startValue = valueAtPoint(Point(where.x - corner.x, where.y - corner.y));
    }
    return true;
  };

  const auto track = [&](std::int32_t buttons, const Point& at) {
    if (at == last) return false;
    last = at;
    if (linear) {
      const auto distance = static_cast<float>((at.x - first.x) - (at.y - first.y));
      if (buttons != lastButtons) {
        // The value stays put when the rate changes: the entry value takes up the
        // difference of the distance covered so far.
        const float newRate = linearRate(buttons);
        entryValue += distance * (rate - newRate);
        rate = newRate;
        lastButtons = buttons;
      }
      setValue(distance * rate + entryValue);
      clampValue();
    } else {
      const float pointed = valueAtPoint(Point(at.x - corner.x, at.y - corner.y));
      const float halfRange = (maximum - minimum) / 2.0f;
      setValue(pointed);
      // A jump of more than half the range means the cursor swung through the dead zone:
      // the value stays at the end it came from until the cursor comes back.
      if (startValue - pointed > halfRange) {
        setValue(maximum);
      } else if (pointed - startValue > halfRange) {
        setValue(minimum);
      } else {
        startValue = pointed;
      }
    }
    return true;
  };

  followDrag(context, where,
             DragRules{.hold = DragHold::LeftButton, .takeFocus = true, .testAfterPass = true},
             grab, track);
}

std::int32_t Knob::onKeyDown(const KeyCode& key) {
  return stepByKey(key);
}

bool Knob::onWheel(DrawContext* context, const Point&, float distance) {
  return stepByWheel(context, distance);
}

void Knob::drawPointer(DrawContext* context) {
  if (!context) return;
  Point p;
  pointerPosition(p);
  if (pointerBitmap) {
    const std::int32_t w = pointerBitmap->getWidth();
    const std::int32_t h = pointerBitmap->getHeight();
    p.offset(size.left - w / 2, size.top - h / 2);
    pointerBitmap->drawTransparent(context, Rect(p.x, p.y, p.x + w, p.y + h), Point(0, 0));
    return;
  }
  const Point middle(size.width() / 2, size.height() / 2);
  context->setFrameColor(shadowColor);
  context->moveTo(Point(p.x + size.left - 1, p.y + size.top));
  context->lineTo(Point(middle.x + size.left - 1, middle.y + size.top));
  context->setFrameColor(pointerColor);
  context->moveTo(Point(p.x + size.left, p.y + size.top - 1));
  context->lineTo(Point(middle.x + size.left, middle.y + size.top - 1));
}

void Knob::setArcStart(float radians) {
  if (!std::isfinite(radians)) return;
  arcStart = radians;
  mapAngles();
  setDirty(true);
}

float Knob::getArcStart() const {
  return arcStart;
}

void Knob::setArcSweep(float radians) {
  // A zero sweep would divide the range by zero and leave every angle without a value.
  if (!std::isfinite(radians) || radians == 0.0f) return;
  arcSweep = radians;
  mapAngles();
  setDirty(true);
}

float Knob::getArcSweep() const {
  return arcSweep;
}

void Knob::pointerPosition(Point& out) const {
  float angle = (getValue() - intercept) / slope;
  // An empty range or a value that is not a number has no angle; the start stands in.
  if (!std::isfinite(angle)) angle = arcStart;
  const double reach = static_cast<double>(radius) - inset;
  out.x = toPixel(radius + std::cos(angle) * reach + 0.5);
  out.y = toPixel(radius - std::sin(angle) * reach + 0.5);
}

float Knob::valueAtPoint(const Point& where) const {
  float theta = static_cast<float>(
      std::atan2(radius - static_cast<float>(where.y), static_cast<float>(where.x) - radius));
  if (theta < 0.0f) theta += kTwoPi;
  const float span = std::fabs(arcSweep);
  if (arcSweep >= 0.0f) {
    const float e = wrapAngle(theta - arcStart);
    if (e > halfDeadAngle + span) return minimum;
    if (e > span) return maximum;
    return minimum + e * slope;
  }
  // Counted counter-clockwise from the maximum's end, so the value falls as e grows.
  const float e = wrapAngle(theta - (arcStart + arcSweep));
  if (e > halfDeadAngle + span) return maximum;
  if (e > span) return minimum;
  return maximum + e * slope;
}

void Knob::setPointerInset(std::int32_t pixels) {
  inset = pixels;
}

void Knob::setShadowLineColor(Color color) {
  shadowColor = color;
  setDirty(true);
}

void Knob::setPointerLineColor(Color color) {
  pointerColor = color;
  setDirty(true);
}

void Knob::setPointerBitmap(Bitmap* pointer) {
  // Retaining first keeps a bitmap alive that is set again in place of itself.
  if (pointer) pointer->retain();
  if (pointerBitmap) pointerBitmap->release();
  pointerBitmap = pointer;
  if (pointer) inset = insetForPointer(*pointer);
}

void Knob::setFineFactor(float factor) {
  // A factor of zero would make the span zero and the rate infinite.
  if (!std::isfinite(factor) || !(factor > 0.0f)) return;
  fineFactor = factor;
}

float Knob::getFineFactor() const {
  return fineFactor;
}

void Knob::mapAngles() {
  halfDeadAngle = (kTwoPi - std::fabs(arcSweep)) / 2.0f;
  slope = (maximum - minimum) / arcSweep;
  intercept = minimum - slope * arcStart;
}

float Knob::linearRate(std::int32_t buttons) const {
  const float span = (buttons & kModShift) != 0 ? kLinearSpan * fineFactor : kLinearSpan;
  return (maximum - minimum) / span;
}

FilmstripKnob::FilmstripKnob(const Rect& bounds, ControlListener* controlListener,
                             std::int32_t controlTag, std::int32_t frames, std::int32_t height,
                             Bitmap* background, const Point& offset)
    : Knob(bounds, controlListener, controlTag, background, nullptr, offset),
      frameCount(frames),
      frameHeight(height) {
  inset = 0;
}

FilmstripKnob::~FilmstripKnob() = default;

void FilmstripKnob::draw(DrawContext* context) {
  std::int32_t top = 0;
  if (frameHeight > 0 && frameCount > 1) {
    // Values beyond 1 show the last frame rather than a row below the strip.
    const double total = std::fmin(static_cast<double>(frameHeight) * (frameCount - 1),
                                   std::numeric_limits<std::int32_t>::max());
    const double reached = static_cast<float>(total) * unitFraction(getValue());
    const auto pixels = static_cast<std::int64_t>(reached < total ? reached : total);
    top = static_cast<std::int32_t>(pixels - pixels % frameHeight);
  }
  drawBitmapPart(backgroundBitmap, context, size, Point(0, top), isTransparent());
  setDirty(false);
}
