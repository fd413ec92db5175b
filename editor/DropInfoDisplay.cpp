#include "editor/DropInfoDisplay.h"

#include <cstdio>

#include "gui/core/DrawContext.h"

DropInfoDisplay::DropInfoDisplay(const Rect& bounds, const char* initialText)
    : ValueDisplay(bounds, nullptr, 0) {
  setText(initialText);
}

DropInfoDisplay::~DropInfoDisplay() = default;

void DropInfoDisplay::draw(DrawContext* context) {
  if (!context) return;
  context->setFillColor(backColor);
  context->fillRect(size);
  context->setFrameColor(fontColor);
  context->drawRect(size);
  context->setFont(fontId, 0, 0);
  context->setFontColor(fontColor);
  char current[kTextBufferSize];
  text.copyTo(current);
  context->drawString(current, size, 0, kTextCenter);
}

bool DropInfoDisplay::onDropItems(const char* const* items, std::int32_t count, std::int32_t type,
                                  Point& where) {
  if (count > 0 && type == kDroppedFiles && items) {
    // Cut to what the display holds; a long path must not run past it.
    char report[kTextBufferSize];
    const long long inside = static_cast<long long>(where.x) - size.left;
    std::snprintf(report, sizeof report, "%d : %s at %lld", static_cast<int>(count),
                  items[0] ? items[0] : "", inside);
    setText(report);
  }
  return true;
}

void DropInfoDisplay::setText(const char* newText) {
  if (newText) text.assign(newText);
  setDirty(true);
}
