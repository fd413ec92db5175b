// The object through which views draw and ask for the mouse. It keeps the drawing state
// (colours, line, font, mode, clip, offset) and hands every operation to a platform device
// with the offset added. Contexts are short-lived and used on one thread only.
#pragma once

#include <cstdint>

#include "gui/base/Color.h"
#include "gui/base/Font.h"
#include "gui/base/Point.h"
#include "gui/base/Rect.h"

class FrameLink;

namespace platform {
class Device;
class Window;
}  // namespace platform

// The button and modifier word of getMouseButtons.
inline constexpr std::int32_t kButtonLeft = 1;
inline constexpr std::int32_t kButtonMiddle = 2;
inline constexpr std::int32_t kButtonRight = 4;
inline constexpr std::int32_t kModShift = 8;
inline constexpr std::int32_t kModControl = 16;
inline constexpr std::int32_t kModAlt = 32;

inline constexpr std::int32_t kSolidLine = 0;
inline constexpr std::int32_t kDottedLine = 1;

inline constexpr std::int32_t kDrawCopy = 0;
inline constexpr std::int32_t kDrawOr = 1;
inline constexpr std::int32_t kDrawXor = 2;

inline constexpr std::int32_t kTextLeft = 0;
inline constexpr std::int32_t kTextCenter = 1;
inline constexpr std::int32_t kTextRight = 2;

// What pushOrigin saves and popOrigin puts back.
struct SavedOrigin {
  std::int32_t originX = 0;
  std::int32_t originY = 0;
  std::int32_t offsetX = 0;
  std::int32_t offsetY = 0;
};

class DrawContext {
 public:
  // Any argument may be null. Neither the frame, the device nor the window is owned; the
  // device gets back its pen, brush and font when the context is destroyed. Without a
  // device every drawing operation does nothing.
  DrawContext(FrameLink* frame, platform::Device* device, platform::Window* window);
  virtual ~DrawContext();
  DrawContext(const DrawContext&) = delete;
  DrawContext& operator=(const DrawContext&) = delete;

  // State. Each setter stores the value and updates the device.
  void setFrameColor(Color color);
  Color getFrameColor() const { return frameColor; }
  void setLineWidth(std::int32_t width);
  std::int32_t getLineWidth() const { return lineWidth; }
  // kDottedLine draws dotted; any other value draws solid.
  void setLineStyle(std::int32_t style);
  std::int32_t getLineStyle() const { return lineStyle; }
  // Also the device's background colour. A brush that cannot be made leaves the previous
  // one selected.
  void setFillColor(Color color);
  Color getFillColor() const { return fillColor; }
  void setFontColor(Color color);
  Color getFontColor() const { return fontColor; }
  // Ids outside 0-7 fall back to 0, size 0 to the table's default height.
  void setFont(FontId id, std::int32_t size = 0, std::int32_t style = 0);
  FontId getFont() const { return fontId; }
  std::int32_t getFontSize() const { return fontSize; }
  // The device is touched only when the mode changes; unknown values copy.
  void setDrawMode(std::int32_t mode);
  std::int32_t getDrawMode() const { return drawMode; }
  // Taken as device coordinates: the offset is not added.
  void setClipRect(const Rect& clip);
  void getClipRect(Rect& out) const { out = clipRect; }
  // The frame's size rectangle, or (0, 0, 1000, 1000) without a frame.
  void resetClipRect();

  platform::Device* getDeviceHandle() const { return deviceHandle; }
  platform::Window* getWindowHandle() const { return windowHandle; }
  FrameLink* getFrame() const { return frame; }
  const Point& getOffset() const { return offset; }
  // Frame coordinates moved by the offset; sums beyond the 32-bit range saturate.
  Point toDevice(const Point& p) const;
  Rect toDevice(const Rect& r) const;

  // Moves the drawing offset to p (and the pointer origin with it) until popOrigin.
  void pushOrigin(const Point& p, SavedOrigin& saved);
  void popOrigin(const SavedOrigin& saved);

  // Drawing, in frame coordinates moved by the offset.
  void moveTo(const Point& p);
  // The end pixel is not drawn.
  void lineTo(const Point& p);
  void polyLine(const Point* points, std::int32_t count);
  // Outline covering columns left and right and rows top and bottom.
  void drawRect(const Rect& r);
  // Exactly the inside of drawRect's outline: (left + 1, top + 1) to (right, bottom).
  void fillRect(const Rect& r);
  void fillPolygon(const Point* points, std::int32_t count);
  void drawEllipse(const Rect& r);
  // Counter-clockwise from the start radial to the end radial.
  void drawArc(const Rect& r, const Point& start, const Point& end);
  void fillEllipse(const Rect& r);
  void fillArc(const Rect& r, const Point& start, const Point& end);
  void drawPoint(const Point& p, Color color);
  Color getPixelColor(const Point& p);
  void floodFill(const Point& p);
  // 0 for null text or without a font.
  std::int32_t getStringWidth(const char* text);
  // One line, centred vertically, clipped to the rectangle; alignments other than
  // kTextCenter and kTextRight align left one pixel in. Opaque paints the text cells in
  // the fill colour. Null text draws nothing.
  void drawString(const char* text, const Rect& r, std::int16_t opaque = 0,
                  std::int32_t align = kTextCenter);
  // Copies source rectangle r of another context (moved by that context's offset) to
  // (x, y) of this one, without this context's offset.
  void copyFrom(DrawContext* source, const Rect& r, std::int32_t x, std::int32_t y);

  // Mouse. The button word of kButton and kMod bits, logical buttons (a system with
  // swapped buttons reports its physical right button as kButtonLeft).
  std::int32_t getMouseButtons();
  // The cursor in the coordinates of the current origin.
  void getPointerLocation(Point& out);
  // Whether a second left press follows within the double-click time while the cursor
  // stays within two pixels of where it was.
  bool awaitDoubleClick();
  // Whether the cursor leaves a 4 by 4 box around its position while the left button is
  // held; the frame's idle work runs meanwhile. False without a frame.
  bool awaitDrag();

  // Library-wide: whether the system swaps the mouse buttons. The frame sets it when it
  // registers its window class; any thread may read it.
  static void setButtonsSwapped(bool swapped);

 protected:
  // For contexts that make their device after the base is built: remembers the device's
  // objects and applies the current state to it.
  void attachDevice(platform::Device* device);
  // Gives the device back its objects now rather than at destruction, so that a derived
  // context may delete its device first.
  void detachDevice();

 private:
  void applyPen();
  Rect defaultClip() const;
  Point windowTopLeft() const;
  template <typename Draw>
  void withDevicePoints(const Point* points, std::int32_t count, Draw draw);

  Point windowOrigin;
  Point offset;
  platform::Device* deviceHandle = nullptr;
  platform::Window* windowHandle = nullptr;
  FrameLink* frame = nullptr;
  std::int32_t fontSize = 0;
  FontId fontId = kFontArialBold12;
  Color fontColor = kWhite;
  std::int32_t lineWidth = 1;
  Color frameColor = kWhite;
  Color fillColor = kBlack;
  std::int32_t lineStyle = kSolidLine;
  std::int32_t drawMode = kDrawCopy;
  Rect clipRect;
};
