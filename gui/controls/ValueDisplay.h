// The display that writes its value as text over a background (a bitmap, a colour or a 3-D
// frame), and the base of the displays and fields that show a text of their own.
#pragma once

#include <cstdint>

#include "gui/base/Color.h"
#include "gui/base/Font.h"
#include "gui/controls/Control.h"
#include "gui/controls/SharedText.h"

// Style bits of ValueDisplay and of the controls built on it.
// The text is drawn a second time, one pixel down and right, in the shadow colour.
inline constexpr std::int32_t kShadowText = 0x04;
// A 3-D frame: top and left edges in the background colour, bottom and right in the frame
// colour. Wins over k3DOut when both are set.
inline constexpr std::int32_t k3DIn = 0x80;
// A 3-D frame: top and left edges in the frame colour, bottom and right in the background
// colour.
inline constexpr std::int32_t k3DOut = 0x100;
// Only the background and frame are drawn.
inline constexpr std::int32_t kNoText = 0x800;
// Nothing is drawn at all.
inline constexpr std::int32_t kNoDrawing = 0x1000;

// Formatters write the text for a value into a buffer of kTextBufferSize bytes, which they
// find empty.
using ValueToText = void (*)(float value, char* text);
using ValueToTextWithData = void (*)(float value, char* text, std::int32_t userWord);
// Reads a value back from a text; stored for callers that parse typed text, never called by
// the display itself.
using TextToValue = void (*)(const char* text, float* value);

// A display has no listener and tag 0 and takes no mouse input. Window thread only, apart
// from what Control allows on other threads. Setters marked "dirty" mark the display for
// redrawing when the new setting differs (colours by red, green and blue only).
class ValueDisplay : public Control {
 public:
  // With kNoDrawing the display starts clean, as it never draws.
  explicit ValueDisplay(const Rect& size, Bitmap* background = nullptr, std::int32_t style = 0);
  ~ValueDisplay() override;

  // The value through the formatter with data, else the plain formatter, else "%2.2f" (or
  // "nan", "inf", "-inf"), drawn by drawLabel.
  void draw(DrawContext* context) override;

  // Each dirty.
  virtual void setFont(FontId id);
  virtual void setFontColor(Color color);
  virtual void setBackColor(Color color);
  virtual void setFrameColor(Color color);
  virtual void setShadowColor(Color color);
  // kTextLeft, kTextCenter (the default) or kTextRight; other values align left.
  virtual void setTextAlignment(std::int32_t align);
  // The formatter with data wins over the plain one when both are set; null clears.
  virtual void setFormatterWithData(ValueToTextWithData formatter, std::int32_t userWord);
  virtual void setFormatter(ValueToText formatter);
  virtual void setTextToValue(TextToValue parser);
  // Dirty.
  virtual void setStyle(std::int32_t style);
  // Style bits of the font (kStyleBold and the others). Dirty.
  virtual void setTextFace(std::int32_t face);
  // Opaque text paints its cells in the background colour.
  virtual void setTextTransparent(bool flag);

  FontId getFont() const { return fontId; }
  Color getFontColor() const { return fontColor; }
  Color getBackColor() const { return backColor; }
  std::int32_t getTextAlignment() const { return alignment; }
  std::int32_t getStyle() const { return style; }
  TextToValue getTextToValue() const { return textToValue; }

  // Draws the background (newBackground, else the display's bitmap from its background
  // offset, else the background colour with a frame), the 3-D frame and text (null draws
  // no text), as the style asks, and marks the display clean.
  void drawLabel(DrawContext* context, const char* text, Bitmap* newBackground);

 protected:
  ValueToText formatter = nullptr;
  ValueToTextWithData formatterWithData = nullptr;
  TextToValue textToValue = nullptr;
  std::int32_t userWord = 0;
  std::int32_t alignment = kTextCenter;
  std::int32_t style;
  FontId fontId = kFontArial12;
  std::int32_t textFace = 0;
  Color fontColor = kWhite;
  Color backColor = kBlack;
  Color frameColor = kBlack;
  Color shadowColor = kRed;
  bool textTransparent = true;
};
