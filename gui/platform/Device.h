// A platform device context: the target of all drawing, with the state of the platform's
// own device (pen, brush, font, text colour, background colour and mode, raster mode,
// clip region, current position and, for memory devices, the selected surface).
//
// Coordinates here are device coordinates: callers have already added their offsets.
// Rectangles exclude their right and bottom edges. Every operation is safe for any
// coordinates; what falls outside the clip region or the surface is not drawn.
// A device is used on one thread at a time; nothing here locks.
#pragma once

#include <cstdint>

#include "gui/base/Color.h"
#include "gui/base/Font.h"
#include "gui/base/Point.h"
#include "gui/base/Rect.h"
#include "gui/platform/Surface.h"

namespace platform {

// How pens and brushes combine with the pixels under them.
enum class MixMode { CopyPen, MergePen, NotXorPen };

// Block-transfer operations: the source copied, XOR-ed or AND-ed into the destination.
enum class RasterOp { Copy, Invert, And };

struct PenChoice {
  Color color;
  std::int32_t width = 1;
  bool dotted = false;
};

class Device {
 public:
  virtual ~Device() = default;

  // Object scopes. A draw context opens one when it is made and closes it when it goes:
  // closing selects back the pen, brush and font that were current at the opening and
  // deletes those made since. Scopes nest.
  virtual void openObjectScope() = 0;
  virtual void closeObjectScope() = 0;

  // Each makes a new object, selects it and deletes the one that the innermost scope made
  // before. selectBrush answers false, leaving the previous brush, when none can be made;
  // a pen or font that cannot be made leaves the previous one selected.
  virtual void selectPen(const PenChoice& pen) = 0;
  virtual bool selectBrush(Color color) = 0;
  virtual void selectFont(const FontChoice& font) = 0;

  virtual void setTextColor(Color color) = 0;
  virtual void setBackgroundColor(Color color) = 0;
  // Opaque: text cells and the gaps of dotted lines are painted in the background colour.
  virtual void setOpaqueBackground(bool opaque) = 0;
  virtual void setMixMode(MixMode mode) = 0;
  virtual void setClipRect(const Rect& clip) = 0;

  // Lines with the pen; a line leaves out its end pixel.
  virtual void moveTo(Point p) = 0;
  virtual void lineTo(Point p) = 0;
  virtual void polyline(const Point* points, std::int32_t count) = 0;

  // Filled shapes with the brush and without any outline. fillRect ignores the mix mode,
  // as the platform's rectangle fill does.
  virtual void fillRect(const Rect& r) = 0;
  virtual void fillPolygon(const Point* points, std::int32_t count) = 0;
  // The ellipse and the pie slice that the platform inscribes in box with no pen. The
  // ellipse fills the box, right and bottom excluded (a box two pixels or less across fills
  // as a rectangle one pixel less right and below); the pie fills, as a polygon does, the
  // points of the arc below closed through the box's centre.
  virtual void fillEllipse(const Rect& box) = 0;
  virtual void fillPie(const Rect& box, Point start, Point end) = 0;
  // Elliptic arc with the pen inside box, counter-clockwise from the radial through start
  // to the radial through end; the whole ellipse when both radials coincide.
  virtual void arc(const Rect& box, Point start, Point end) = 0;

  virtual void setPixel(Point p, Color color) = 0;
  // The pixel's colour with spare 0; white outside the surface or the clip region.
  virtual Color getPixel(Point p) = 0;
  // Fills with the brush the connected area that has the colour of the pixel at p.
  virtual void floodFill(Point p) = 0;

  // Text of len bytes in the selected font. textExtent gives width and line height
  // ((0, 0) without a usable font); textOut draws with the cell's top-left corner at p,
  // clipped to clip as well as to the clip region, painting the cell background when the
  // background is opaque.
  virtual Point textExtent(const char* text, std::int32_t len) = 0;
  virtual void textOut(Point p, const char* text, std::int32_t len, const Rect& clip) = 0;

  // Memory devices only: selects a surface to draw into and returns the one that was
  // selected (null meaning the device's own initial surface; selecting null restores it).
  virtual Surface* selectSurface(Surface* surface) = 0;

  // Copies dst.width() by dst.height() pixels from src at srcPos to dst. A colour source
  // going into a one-bit surface gives 1 where it equals the source device's background
  // colour; a one-bit source going into colour gives the destination's background colour
  // for 1 and its text colour for 0.
  virtual void blit(const Rect& dst, Device& src, Point srcPos, RasterOp op) = 0;
  // Copy that leaves the destination where the source equals key. False when the
  // platform lacks the function; nothing is drawn then.
  virtual bool transparentBlit(const Rect& dst, Device& src, Point srcPos, Color key) = 0;
  // Source-over blend with one constant alpha (0-255) for all pixels. False when the
  // platform lacks the function; nothing is drawn then.
  virtual bool alphaBlend(const Rect& dst, Device& src, Point srcPos, std::int32_t alpha) = 0;
};

}  // namespace platform
