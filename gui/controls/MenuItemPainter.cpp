#include "gui/controls/MenuItemPainter.h"

#include <cstring>

#include "gui/controls/SharedText.h"
#include "gui/core/DrawContext.h"
#include "gui/platform/PopupMenu.h"

namespace {

constexpr std::int32_t kItemHeight = 18;
// Room for the check mark before the text.
constexpr std::int32_t kTextInset = 18;
// Where the part after a tab starts, from the right edge.
constexpr std::int32_t kTabPartWidth = 50;

bool isSeparator(const char* text) {
  return std::strcmp(text, "-") == 0;
}

}  // namespace

MenuItemPainter::MenuItemPainter() {
  const platform::MenuColors system = platform::menuColors();
  background = system.background;
  selectedBackground = system.selectedBackground;
  textColor = system.text;
  selectedTextColor = system.selectedText;
  disabledTextColor = system.disabledText;
}

MenuItemPainter::~MenuItemPainter() = default;

void MenuItemPainter::measureItem(const char* text, DrawContext* context, Point& size) {
  if (!text || !context) return;
  if (isSeparator(text)) {
    size = Point(6, kItemHeight);
    return;
  }
  // Measured in the font the text is drawn in.
  context->setFont(fontId);
  size = Point(context->getStringWidth(text) + kTextInset, kItemHeight);
}

void MenuItemPainter::drawItem(const char* text, std::int32_t, std::int32_t stateBits,
                               DrawContext* context, const Rect& rect) {
  if (!text || !context) return;
  const bool selected = (stateBits & kItemSelected) != 0;
  drawItemBackground(context, rect, selected);
  if (isSeparator(text)) {
    const std::int32_t middle = rect.top + (rect.bottom - rect.top) / 2;
    context->setFrameColor(kBlack);
    context->moveTo(Point(rect.left + 2, middle - 1));
    context->lineTo(Point(rect.right - 2, middle - 1));
    context->setFrameColor(kWhite);
    context->moveTo(Point(rect.left + 2, middle));
    context->lineTo(Point(rect.right - 2, middle));
    return;
  }
  if (stateBits & kItemChecked) {
    context->setFillColor(selected ? selectedTextColor : textColor);
    context->fillEllipse(Rect(rect.left + 6, rect.top + 4, rect.left + 14, rect.top + 12));
  }
  context->setFont(fontId);
  if (stateBits & kItemDisabled) {
    context->setFontColor(disabledTextColor);
  } else {
    context->setFontColor(selected ? selectedTextColor : textColor);
  }
  char before[kTextBufferSize];
  std::strncpy(before, text, sizeof before - 1);
  before[sizeof before - 1] = '\0';
  char* tab = std::strchr(before, '\t');
  if (tab) *tab = '\0';
  context->drawString(before, Rect(rect.left + kTextInset, rect.top, rect.right, rect.bottom), 0,
                      kTextLeft);
  if (tab) {
    context->drawString(
        tab + 1, Rect(rect.right - kTabPartWidth, rect.top, rect.right, rect.bottom), 0, kTextLeft);
  }
}

void MenuItemPainter::release() {
  if (refCount <= 0) return;
  if (--refCount == 0) delete this;
}

void MenuItemPainter::retain() {
  ++refCount;
}

std::int32_t MenuItemPainter::referenceCount() const {
  return refCount;
}

void MenuItemPainter::drawItemBackground(DrawContext* context, const Rect& rect, bool selected) {
  if (!context) return;
  context->setFillColor(selected ? selectedBackground : background);
  context->fillRect(rect);
}
