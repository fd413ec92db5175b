#include "gui/controls/Control.h"

#include <bit>
#include <cmath>
#include <limits>

#include "gui/core/Bitmap.h"
#include "gui/core/Frame.h"
#include "gui/platform/Input.h"

namespace {

// Users with a very short system setting still get a usable double click.
constexpr std::uint32_t kShortestDoubleClick = 250;

std::int32_t doubleClickDelayFromSystem() {
  const std::uint32_t system = platform::input().doubleClickTime();
  if (system < kShortestDoubleClick) return kShortestDoubleClick;
  constexpr auto kLongest = static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max());
  return static_cast<std::int32_t>(system < kLongest ? system : kLongest);
}

}  // namespace

Control::Control(const Rect& bounds, ControlListener* controlListener, std::int32_t controlTag,
                 Bitmap* background)
    : View(bounds),
      listener(controlListener),
      tag(controlTag),
      doubleClickDelay(doubleClickDelayFromSystem()),
      backgroundBitmap(background) {
  if (backgroundBitmap) backgroundBitmap->retain();
  transparent = false;
  mouseActive = true;
}

Control::~Control() {
  if (backgroundBitmap) backgroundBitmap->release();
}

bool Control::isDirty() const {
  return value.load(std::memory_order_relaxed) != shownValue.load(std::memory_order_relaxed) ||
         View::isDirty();
}

void Control::setDirty(bool flag) {
  View::setDirty(flag);
  const float current = value.load(std::memory_order_relaxed);
  if (!flag) {
    shownValue.store(current, std::memory_order_relaxed);
    return;
  }
  // Any shown value unequal to the value makes the next update draw; -1 serves unless it
  // is the value itself.
  const bool isMinusOne =
      std::bit_cast<std::uint32_t>(current) == std::bit_cast<std::uint32_t>(-1.0f);
  shownValue.store(isMinusOne ? 0.0f : -1.0f, std::memory_order_relaxed);
}

void Control::runIdle() {
  if (Frame* owner = ownerFrame()) owner->idle();
}

void Control::setValue(float newValue) {
  value.store(newValue, std::memory_order_relaxed);
}

float Control::getValue() const {
  return value.load(std::memory_order_relaxed);
}

void Control::setMinimum(float newMinimum) {
  minimum = newMinimum;
}

float Control::getMinimum() const {
  return minimum;
}

void Control::setMaximum(float newMaximum) {
  maximum = newMaximum;
}

float Control::getMaximum() const {
  return maximum;
}

void Control::setShownValue(float newShownValue) {
  shownValue.store(newShownValue, std::memory_order_relaxed);
}

float Control::getShownValue() const {
  return shownValue.load(std::memory_order_relaxed);
}

void Control::setResetValue(float newResetValue) {
  resetValue = newResetValue;
}

float Control::getResetValue() const {
  return resetValue;
}

void Control::setTag(std::int32_t newTag) {
  tag = newTag;
}

void Control::setBackgroundBitmap(Bitmap* bitmap) {
  // Retaining first keeps a bitmap alive that is set again in place of itself.
  if (bitmap) bitmap->retain();
  if (backgroundBitmap) backgroundBitmap->release();
  backgroundBitmap = bitmap;
}

Bitmap* Control::getBackgroundBitmap() const {
  return backgroundBitmap;
}

void Control::setBackgroundOffset(const Point& offset) {
  backgroundOffset = offset;
}

void Control::backgroundOffsetFromBounds() {
  backgroundOffset = Point(size.left, size.top);
}

void Control::setStep(float newStep) {
  step = newStep;
}

float Control::getStep() const {
  return step;
}

void Control::clampValue() {
  const float current = value.load(std::memory_order_relaxed);
  // A value that is not a number passes both comparisons; it must not reach a parameter.
  if (std::isnan(current)) {
    setValue(minimum);
  } else if (current > maximum) {
    setValue(maximum);
  } else if (current < minimum) {
    setValue(minimum);
  }
}

bool Control::checkDoubleClick() {
  const std::uint32_t now = frameTicks();
  // The tick clock wraps; the distance from the last click is taken modulo 2^32 so that
  // double clicks keep working on either side of the wrap. 0 and -1 mean no first click.
  const bool firstClickKnown = lastClickTime != 0 && lastClickTime != -1;
  const std::uint32_t elapsed = now - static_cast<std::uint32_t>(lastClickTime);
  if (firstClickKnown && elapsed < static_cast<std::uint32_t>(doubleClickDelay)) {
    lastClickTime = 0;
    return true;
  }
  lastClickTime = static_cast<std::int32_t>(now);
  return false;
}

bool Control::stepByWheel(DrawContext* context, float distance) {
  if (!isMouseActive()) return false;
  const bool fine = context && (context->getMouseButtons() & kModShift) != 0;
  setValue(getValue() + distance * step * (fine ? 0.1f : 1.0f));
  clampValue();
  notifyIfChanged(context);
  return true;
}

std::int32_t Control::stepByKey(const KeyCode& key) {
  float direction = 0.0f;
  switch (key.virt) {
    case kKeyLeft:
    case kKeyDown:
      direction = -1.0f;
      break;
    case kKeyUp:
    case kKeyRight:
      direction = 1.0f;
      break;
    default:
      return -1;
  }
  const bool fine = (key.modifier & kModifierShift) != 0;
  setValue(getValue() + direction * step * (fine ? 0.1f : 1.0f));
  clampValue();
  notifyIfChanged(nullptr);
  return 1;
}

void Control::notifyIfChanged(DrawContext* context) {
  if (isDirty()) notify(context);
}

void Control::notify(DrawContext* context) {
  if (listener) listener->valueChanged(context, this);
}

bool Control::pressStartsDrag(DrawContext* context, bool resetClick, std::int32_t& pressWord) {
  if (!isMouseActive() || !context) return false;
  pressWord = context->getMouseButtons();
  if ((pressWord & kButtonLeft) == 0) return false;
  if (resetClick && pressWord == kResetClick) {
    setValue(getResetValue());
    notifyIfChanged(context);
    return false;
  }
  return true;
}

bool Control::stillHeld(DragHold hold, std::int32_t word, std::int32_t pressWord) {
  switch (hold) {
    case DragHold::LeftButton:
      return (word & kButtonLeft) != 0;
    case DragHold::PressWord:
      return word == pressWord;
    case DragHold::AnyInput:
      break;
  }
  return word != 0;
}

void Control::beginGesture(bool takeFocus) {
  Frame* owner = ownerFrame();
  if (!owner) return;
  owner->beginEdit(tag);
  if (takeFocus) owner->setFocusView(this);
}

void Control::endGesture() {
  if (Frame* owner = ownerFrame()) owner->endEdit(tag);
}

Frame* Control::ownerFrame() const {
  // Views hold their frame by the narrow interface; gestures, focus, clock and knob mode
  // belong to the editor's frame alone, and anything else counts as no frame.
  return dynamic_cast<Frame*>(frame);
}

std::uint32_t Control::frameTicks() const {
  const Frame* owner = ownerFrame();
  return owner ? owner->getTicks() : 0;
}

std::int32_t Control::frameKnobMode() const {
  const Frame* owner = ownerFrame();
  return owner ? owner->getKnobMode() : 0;
}
