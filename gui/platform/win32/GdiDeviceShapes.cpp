#include <new>

#include "gui/platform/win32/GdiCoordinates.h"
#include "gui/platform/win32/GdiDevice.h"
#include "gui/platform/win32/WideText.h"

namespace platform::win32 {

namespace {

constexpr std::int32_t kFixedPoints = 30;

// The points as GDI's records, in a fixed buffer for short lists; empty when a point lies
// beyond the coordinate range or no memory can be had.
class PointList {
 public:
  PointList(const Point* points, std::int32_t count) {
    if (!points || count <= 0) return;
    if (count > kFixedPoints) {
      heap.reset(new (std::nothrow) POINT[static_cast<std::size_t>(count)]);
      if (!heap) return;
      buffer = heap.get();
    }
    for (std::int32_t i = 0; i < count; ++i) {
      if (!inRange(points[i])) return;
      buffer[i] = POINT{points[i].x, points[i].y};
    }
    size = count;
  }
  PointList(const PointList&) = delete;
  PointList& operator=(const PointList&) = delete;

  const POINT* data() const { return buffer; }
  int count() const { return size; }

 private:
  POINT fixed[kFixedPoints];
  std::unique_ptr<POINT[]> heap;
  POINT* buffer = fixed;
  int size = 0;
};

Color fromDeviceWord(COLORREF word) {
  return Color(GetRValue(word), GetGValue(word), GetBValue(word), 0);
}

}  // namespace

template <typename Draw>
void GdiDevice::withoutPen(Draw draw) {
  HGDIOBJ previous = SelectObject(dc, GetStockObject(NULL_PEN));
  draw();
  if (previous) SelectObject(dc, previous);
}

void GdiDevice::moveTo(Point p) {
  MoveToEx(dc, p.x, p.y, nullptr);
}

void GdiDevice::lineTo(Point p) {
  POINT from{};
  GetCurrentPositionEx(dc, &from);
  // A line that GDI cannot take is left out, but the position still moves on.
  if (inRange(p) && inRange(Point(from.x, from.y))) {
    LineTo(dc, p.x, p.y);
  } else {
    MoveToEx(dc, p.x, p.y, nullptr);
  }
}

void GdiDevice::polyline(const Point* points, std::int32_t count) {
  const PointList list(points, count);
  if (list.count() >= 2) Polyline(dc, list.data(), list.count());
}

void GdiDevice::fillRect(const Rect& r) {
  // GDI would order the corners of an inverted rectangle and fill it.
  if (r.isEmpty()) return;
  const RECT area = clampedRect(r);
  FillRect(dc, &area, static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH)));
}

void GdiDevice::fillPolygon(const Point* points, std::int32_t count) {
  const PointList list(points, count);
  if (list.count() < 3) return;
  withoutPen([&] { Polygon(dc, list.data(), list.count()); });
}

void GdiDevice::fillEllipse(const Rect& box) {
  if (!curveBoxFits(box)) return;
  withoutPen([&] { Ellipse(dc, box.left, box.top, box.right, box.bottom); });
}

void GdiDevice::fillPie(const Rect& box, Point start, Point end) {
  if (!curveBoxFits(box) || !inRange(start) || !inRange(end)) return;
  withoutPen(
      [&] { Pie(dc, box.left, box.top, box.right, box.bottom, start.x, start.y, end.x, end.y); });
}

void GdiDevice::arc(const Rect& box, Point start, Point end) {
  if (!curveBoxFits(box) || !inRange(start) || !inRange(end)) return;
  Arc(dc, box.left, box.top, box.right, box.bottom, start.x, start.y, end.x, end.y);
}

void GdiDevice::setPixel(Point p, Color color) {
  if (inRange(p)) SetPixelV(dc, p.x, p.y, color.deviceWord());
}

COLORREF GdiDevice::visiblePixel(Point p) {
  // Not every implementation of GDI refuses a read outside the clip region by itself.
  if (!inRange(p) || !PtVisible(dc, p.x, p.y)) return CLR_INVALID;
  return GetPixel(dc, p.x, p.y);
}

Color GdiDevice::getPixel(Point p) {
  const COLORREF word = visiblePixel(p);
  return word == CLR_INVALID ? kWhite : fromDeviceWord(word);
}

void GdiDevice::floodFill(Point p) {
  const COLORREF seed = visiblePixel(p);
  // A point outside the surface or the clip region has no colour to fill.
  if (seed == CLR_INVALID) return;
  ExtFloodFill(dc, p.x, p.y, seed, FLOODFILLSURFACE);
}

Point GdiDevice::textExtent(const char* text, std::int32_t len) {
  const WideText wide(text, len);
  SIZE size{};
  if (!GetTextExtentPoint32W(dc, wide.data(), wide.size(), &size)) return Point();
  return Point(size.cx, size.cy);
}

void GdiDevice::textOut(Point p, const char* text, std::int32_t len, const Rect& clip) {
  if (clip.isEmpty() || !inRange(p)) return;
  const WideText wide(text, len);
  if (wide.size() == 0) return;
  const RECT box = clampedRect(clip);
  // Top-left alignment puts the cell's corner at p; the clip cuts the glyphs and, when the
  // background is opaque, the painted cell.
  SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  ExtTextOutW(dc, p.x, p.y, ETO_CLIPPED, &box, wide.data(), static_cast<UINT>(wide.size()),
              nullptr);
}

}  // namespace platform::win32
