#include "gui/controls/Switch.h"

#include <bit>
#include <cstdint>

#include "gui/controls/ImagePicking.h"
#include "gui/core/Bitmap.h"

namespace {

// The drag of both multi-position switches: through every change of buttons or modifiers,
// with the pass that reads the ending word still counted, so that a quick click sets the
// switch too.
constexpr DragRules kSwitchDrag{.hold = DragHold::PressWord, .testAfterPass = true};

// The value of the band that `distance` pixels from the switch's origin fall into, the
// `span` pixels being split into one band per position. Distances before the first band or
// beyond the last give the ends; a switch without bands or with fewer than two positions
// stays at 0.
float positionValue(std::int32_t distance, std::int32_t span, std::int32_t positions) {
  if (positions < 2 || span <= 0) return 0.0f;
  const double bands = distance / (static_cast<double>(span) / positions);
  const std::int32_t last = positions - 1;
  if (!(bands > 0.0)) return 0.0f;
  if (bands >= last) return 1.0f;
  return static_cast<float>(static_cast<std::int32_t>(bands)) / static_cast<float>(last);
}

}  // namespace

StripSwitch::StripSwitch(const Rect& bounds, ControlListener* controlListener,
                         std::int32_t controlTag, std::int32_t images, std::int32_t height,
                         std::int32_t count, Bitmap* background, const Point& offset)
    : Control(bounds, controlListener, controlTag, background),
      bitmapOffset(offset),
      imageCount(images),
      imageHeight(height),
      positions(count) {
  resetValue = 0.0f;
}

StripSwitch::~StripSwitch() = default;

void StripSwitch::draw(DrawContext* context) {
  const std::int32_t index = stripIndex(getValue(), positions);
  drawBitmapPart(backgroundBitmap, context, size, Point(0, imageTop(index, imageHeight)),
                 isTransparent());
  setDirty(false);
}

template <typename Distance>
void StripSwitch::followPositions(DrawContext* context, Point& where, std::int32_t span,
                                  Distance distance) {
  followDrag(
      context, where, kSwitchDrag, [](std::int32_t) { return true; },
      [&](std::int32_t, const Point& at) {
        setValue(positionValue(distance(at), span, positions));
        return true;
      });
}

VerticalSwitch::VerticalSwitch(const Rect& bounds, ControlListener* controlListener,
                               std::int32_t controlTag, std::int32_t images, std::int32_t height,
                               std::int32_t count, Bitmap* background, const Point& offset)
    : StripSwitch(bounds, controlListener, controlTag, images, height, count, background, offset) {}

VerticalSwitch::~VerticalSwitch() = default;

void VerticalSwitch::onMouseDown(DrawContext* context, Point& where) {
  followPositions(context, where, imageHeight, [this](const Point& at) { return at.y - size.top; });
}

HorizontalSwitch::HorizontalSwitch(const Rect& bounds, ControlListener* controlListener,
                                   std::int32_t controlTag, std::int32_t images,
                                   std::int32_t height, std::int32_t count, Bitmap* background,
                                   const Point& offset)
    : StripSwitch(bounds, controlListener, controlTag, images, height, count, background, offset) {}

HorizontalSwitch::~HorizontalSwitch() = default;

void HorizontalSwitch::onMouseDown(DrawContext* context, Point& where) {
  const std::int32_t width = backgroundBitmap ? backgroundBitmap->getWidth() : 0;
  followPositions(context, where, width, [this](const Point& at) { return at.x - size.left; });
}

SpringSwitch::SpringSwitch(const Rect& bounds, ControlListener* controlListener,
                           std::int32_t controlTag, std::int32_t height, Bitmap* background,
                           const Point& offset, std::int32_t springStyle)
    : Control(bounds, controlListener, controlTag, background),
      bitmapOffset(offset),
      imageHeight(height),
      style(springStyle) {
  resetValue = 0.0f;
}

SpringSwitch::~SpringSwitch() = default;

void SpringSwitch::draw(DrawContext* context) {
  const float current = getValue();
  Point source = bitmapOffset;
  if (std::bit_cast<std::uint32_t>(current) == std::bit_cast<std::uint32_t>(1.0f)) {
    source.y += imageTop(2, imageHeight);
  } else if (current == 0.0f) {
    source.y += imageHeight;
  }
  drawBitmapPart(backgroundBitmap, context, size, source, isTransparent());
  setDirty(false);
}

void SpringSwitch::onMouseDown(DrawContext* context, Point& where) {
  bool pressed = false;
  float entryValue = 0.0f;
  const auto grab = [&](std::int32_t) {
    pressed = true;
    entryValue = getValue();
    return true;
  };
  const auto track = [&](std::int32_t, const Point& at) {
    const bool inside = insideEdgesIncluded(size, at);
    const bool firstHalf = (style & kSpringHorizontal) != 0 ? at.x <= size.left + size.width() / 2
                                                            : at.y <= size.top + size.height() / 2;
    setValue(!inside ? entryValue : firstHalf ? -1.0f : 1.0f);
    return true;
  };
  followDrag(context, where,
             DragRules{.hold = DragHold::AnyInput, .testAfterPass = true, .resetClick = false},
             grab, track);
  if (!pressed) return;
  setValue(0.0f);
  notify(context);
}

bool SpringSwitch::onWheel(DrawContext* context, const Point&, float distance) {
  if (!isMouseActive()) return false;
  setValue(distance > 0.0f ? -1.0f : 1.0f);
  notifyIfChanged(context);
  setValue(0.0f);
  notify(context);
  return true;
}
