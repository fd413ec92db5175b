#include "gui/controls/ValueDisplay.h"

#include <cmath>
#include <cstdio>

#include "gui/controls/ImagePicking.h"
#include "gui/core/Bitmap.h"

namespace {

template <typename T>
void changeSetting(ValueDisplay& display, T& setting, const T& wanted) {
  if (setting != wanted) display.setDirty(true);
  setting = wanted;
}

}  // namespace

ValueDisplay::ValueDisplay(const Rect& bounds, Bitmap* background, std::int32_t displayStyle)
    : Control(bounds, nullptr, 0, background), style(displayStyle) {
  if (style & kNoDrawing) setDirty(false);
}

ValueDisplay::~ValueDisplay() = default;

void ValueDisplay::draw(DrawContext* context) {
  char text[kTextBufferSize] = "";
  const float current = getValue();
  if (formatterWithData) {
    formatterWithData(current, text, userWord);
  } else if (formatter) {
    formatter(current, text);
  } else if (!std::isfinite(current)) {
    // Written here rather than by the C library, whose texts for these differ between
    // systems (a NaN may even show its sign).
    std::snprintf(text, sizeof text, "%s",
                  std::isnan(current) ? "nan"
                  : current > 0       ? "inf"
                                      : "-inf");
  } else {
    std::snprintf(text, sizeof text, "%2.2f", current);
  }
  // A formatter that filled the buffer without ending it still gives a terminated text.
  text[kTextBufferSize - 1] = '\0';
  drawLabel(context, text, nullptr);
}

void ValueDisplay::setFont(FontId id) {
  changeSetting(*this, fontId, id);
}

void ValueDisplay::setFontColor(Color color) {
  changeSetting(*this, fontColor, color);
}

void ValueDisplay::setBackColor(Color color) {
  changeSetting(*this, backColor, color);
}

void ValueDisplay::setFrameColor(Color color) {
  changeSetting(*this, frameColor, color);
}

void ValueDisplay::setShadowColor(Color color) {
  changeSetting(*this, shadowColor, color);
}

void ValueDisplay::setTextAlignment(std::int32_t align) {
  changeSetting(*this, alignment, align);
}

void ValueDisplay::setFormatterWithData(ValueToTextWithData function, std::int32_t word) {
  formatterWithData = function;
  userWord = word;
}

void ValueDisplay::setFormatter(ValueToText function) {
  formatter = function;
}

void ValueDisplay::setTextToValue(TextToValue parser) {
  textToValue = parser;
}

void ValueDisplay::setStyle(std::int32_t newStyle) {
  changeSetting(*this, style, newStyle);
}

void ValueDisplay::setTextFace(std::int32_t face) {
  changeSetting(*this, textFace, face);
}

void ValueDisplay::setTextTransparent(bool flag) {
  textTransparent = flag;
}

void ValueDisplay::drawLabel(DrawContext* context, const char* text, Bitmap* newBackground) {
  setDirty(false);
  if ((style & kNoDrawing) || !context) return;
  const bool framed3D = (style & (k3DIn | k3DOut)) != 0;
  if (Bitmap* picture = newBackground ? newBackground : backgroundBitmap) {
    drawBitmapPart(picture, context, size, backgroundOffset, isTransparent());
  } else if (!isTransparent()) {
    context->setFillColor(backColor);
    context->fillRect(size);
    if (!framed3D) {
      context->setFrameColor(frameColor);
      context->drawRect(size);
    }
  }
  if (framed3D) {
    const bool in = (style & k3DIn) != 0;
    context->setFrameColor(in ? backColor : frameColor);
    context->moveTo(Point(size.left, size.bottom));
    context->lineTo(Point(size.left, size.top));
    context->lineTo(Point(size.right + 1, size.top));
    context->setFrameColor(in ? frameColor : backColor);
    context->moveTo(Point(size.right, size.top + 1));
    context->lineTo(Point(size.right, size.bottom));
    context->lineTo(Point(size.left, size.bottom));
  }
  if ((style & kNoText) || !text) return;
  context->setFont(fontId, 0, textFace);
  const std::int16_t opaque = textTransparent ? 0 : 1;
  // Opaque text cells take the display's background colour, whatever was drawn before.
  if (opaque) context->setFillColor(backColor);
  if (style & kShadowText) {
    context->setFontColor(shadowColor);
    Rect shadow = size;
    context->drawString(text, shadow.offset(1, 1), opaque, alignment);
  }
  context->setFontColor(fontColor);
  context->drawString(text, size, opaque, alignment);
}
