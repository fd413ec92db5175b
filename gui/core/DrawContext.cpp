#include "gui/core/DrawContext.h"

#include <atomic>
#include <cstring>
#include <limits>
#include <memory>
#include <new>

#include "gui/core/FrameLink.h"
#include "gui/platform/Device.h"
#include "gui/platform/Input.h"
#include "gui/platform/Window.h"

namespace {

std::atomic<bool> buttonsSwapped{false};

constexpr Rect kClipWithoutFrame{0, 0, 1000, 1000};
constexpr std::int32_t kFixedPoints = 30;

// Views compute coordinates from values that users and hosts set; an overflowing sum must
// land on the edge of the coordinate space rather than wrap.
std::int32_t add(std::int32_t a, std::int64_t b) {
  const std::int64_t sum = a + b;
  if (sum > std::numeric_limits<std::int32_t>::max())
    return std::numeric_limits<std::int32_t>::max();
  if (sum < std::numeric_limits<std::int32_t>::min())
    return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(sum);
}

std::int32_t textLength(const char* text) {
  const std::size_t len = std::strlen(text);
  return len > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())
             ? std::numeric_limits<std::int32_t>::max()
             : static_cast<std::int32_t>(len);
}

platform::MixMode mixModeOf(std::int32_t drawMode) {
  switch (drawMode) {
    case kDrawOr:
      return platform::MixMode::MergePen;
    case kDrawXor:
      return platform::MixMode::NotXorPen;
    default:
      return platform::MixMode::CopyPen;
  }
}

}  // namespace

DrawContext::DrawContext(FrameLink* link, platform::Device* device, platform::Window* window)
    : windowHandle(window), frame(link) {
  clipRect = defaultClip();
  windowOrigin = windowTopLeft();
  attachDevice(device);
}

DrawContext::~DrawContext() {
  detachDevice();
}

void DrawContext::attachDevice(platform::Device* device) {
  deviceHandle = device;
  if (!deviceHandle) return;
  deviceHandle->openObjectScope();
  deviceHandle->setOpaqueBackground(false);
  setFrameColor(frameColor);
  setLineStyle(lineStyle);
  setFillColor(fillColor);
  setFontColor(fontColor);
}

void DrawContext::detachDevice() {
  if (deviceHandle) deviceHandle->closeObjectScope();
  deviceHandle = nullptr;
}

Rect DrawContext::defaultClip() const {
  return frame ? frame->frameSize() : kClipWithoutFrame;
}

Point DrawContext::windowTopLeft() const {
  Rect screen;
  if (windowHandle && windowHandle->screenRect(screen)) return Point(screen.left, screen.top);
  return Point();
}

Point DrawContext::toDevice(const Point& p) const {
  return Point(add(p.x, offset.x), add(p.y, offset.y));
}

Rect DrawContext::toDevice(const Rect& r) const {
  return Rect(add(r.left, offset.x), add(r.top, offset.y), add(r.right, offset.x),
              add(r.bottom, offset.y));
}

void DrawContext::applyPen() {
  if (deviceHandle) deviceHandle->selectPen({frameColor, lineWidth, lineStyle == kDottedLine});
}

void DrawContext::setFrameColor(Color color) {
  frameColor = color;
  applyPen();
}

void DrawContext::setLineWidth(std::int32_t width) {
  lineWidth = width;
  applyPen();
}

void DrawContext::setLineStyle(std::int32_t style) {
  lineStyle = style;
  applyPen();
}

void DrawContext::setFillColor(Color color) {
  fillColor = color;
  if (!deviceHandle) return;
  // Opaque text paints its cells in the background colour, so the two stay tied.
  deviceHandle->setBackgroundColor(color);
  deviceHandle->selectBrush(color);
}

void DrawContext::setFontColor(Color color) {
  fontColor = color;
  if (deviceHandle) deviceHandle->setTextColor(color);
}

void DrawContext::setFont(FontId id, std::int32_t size, std::int32_t style) {
  const FontChoice chosen = makeFontChoice(id, size, style);
  fontId = chosen.id;
  fontSize = chosen.height;
  if (deviceHandle) deviceHandle->selectFont(chosen);
}

void DrawContext::setDrawMode(std::int32_t mode) {
  if (mode == drawMode) return;
  drawMode = mode;
  if (deviceHandle) deviceHandle->setMixMode(mixModeOf(mode));
}

void DrawContext::setClipRect(const Rect& clip) {
  clipRect = clip;
  if (deviceHandle) deviceHandle->setClipRect(clip);
}

void DrawContext::resetClipRect() {
  setClipRect(defaultClip());
}

void DrawContext::pushOrigin(const Point& p, SavedOrigin& saved) {
  saved = {windowOrigin.x, windowOrigin.y, offset.x, offset.y};
  offset = p;
  const Point topLeft = windowTopLeft();
  windowOrigin = Point(add(topLeft.x, p.x), add(topLeft.y, p.y));
}

void DrawContext::popOrigin(const SavedOrigin& saved) {
  windowOrigin = Point(saved.originX, saved.originY);
  offset = Point(saved.offsetX, saved.offsetY);
}

void DrawContext::moveTo(const Point& p) {
  if (deviceHandle) deviceHandle->moveTo(toDevice(p));
}

void DrawContext::lineTo(const Point& p) {
  if (deviceHandle) deviceHandle->lineTo(toDevice(p));
}

template <typename Draw>
void DrawContext::withDevicePoints(const Point* points, std::int32_t count, Draw draw) {
  if (!deviceHandle || !points || count <= 0) return;
  Point fixed[kFixedPoints];
  std::unique_ptr<Point[]> heap;
  Point* buffer = fixed;
  if (count > kFixedPoints) {
    heap.reset(new (std::nothrow) Point[static_cast<std::size_t>(count)]);
    if (!heap) return;
    buffer = heap.get();
  }
  for (std::int32_t i = 0; i < count; ++i) buffer[i] = toDevice(points[i]);
  draw(buffer, count);
}

void DrawContext::polyLine(const Point* points, std::int32_t count) {
  withDevicePoints(points, count,
                   [this](const Point* p, std::int32_t n) { deviceHandle->polyline(p, n); });
}

void DrawContext::fillPolygon(const Point* points, std::int32_t count) {
  withDevicePoints(points, count,
                   [this](const Point* p, std::int32_t n) { deviceHandle->fillPolygon(p, n); });
}

void DrawContext::drawRect(const Rect& r) {
  if (!deviceHandle) return;
  // Four lines that each leave out their end pixel cover the outline exactly once, which
  // keeps it right in the XOR mode too.
  const Rect d = toDevice(r);
  deviceHandle->moveTo(Point(d.left, d.top));
  deviceHandle->lineTo(Point(d.right, d.top));
  deviceHandle->lineTo(Point(d.right, d.bottom));
  deviceHandle->lineTo(Point(d.left, d.bottom));
  deviceHandle->lineTo(Point(d.left, d.top));
}

void DrawContext::fillRect(const Rect& r) {
  if (!deviceHandle) return;
  const Rect d = toDevice(r);
  deviceHandle->fillRect(Rect(add(d.left, 1), add(d.top, 1), d.right, d.bottom));
}

void DrawContext::drawEllipse(const Rect& r) {
  const Point top(add(r.left, (static_cast<std::int64_t>(r.right) - r.left) / 2), r.top);
  drawArc(r, top, top);
}

void DrawContext::drawArc(const Rect& r, const Point& start, const Point& end) {
  if (!deviceHandle) return;
  const Rect d = toDevice(r);
  deviceHandle->arc(Rect(d.left, d.top, add(d.right, 1), add(d.bottom, 1)), toDevice(start),
                    toDevice(end));
}

void DrawContext::fillEllipse(const Rect& r) {
  if (!deviceHandle) return;
  const Rect d = toDevice(r);
  deviceHandle->fillEllipse(Rect(add(d.left, 1), add(d.top, 1), add(d.right, 1), add(d.bottom, 1)));
}

void DrawContext::fillArc(const Rect& r, const Point& start, const Point& end) {
  if (!deviceHandle) return;
  const Rect d = toDevice(r);
  deviceHandle->fillPie(Rect(add(d.left, 1), add(d.top, 1), d.right, d.bottom), toDevice(start),
                        toDevice(end));
}

void DrawContext::drawPoint(const Point& p, Color color) {
  if (deviceHandle) deviceHandle->setPixel(toDevice(p), color);
}

Color DrawContext::getPixelColor(const Point& p) {
  if (!deviceHandle) return kBlack;
  Color c = deviceHandle->getPixel(toDevice(p));
  c.spare = 0;
  return c;
}

void DrawContext::floodFill(const Point& p) {
  if (deviceHandle) deviceHandle->floodFill(toDevice(p));
}

std::int32_t DrawContext::getStringWidth(const char* text) {
  if (!deviceHandle || !text) return 0;
  return deviceHandle->textExtent(text, textLength(text)).x;
}

void DrawContext::drawString(const char* text, const Rect& r, std::int16_t opaque,
                             std::int32_t align) {
  if (!deviceHandle || !text) return;
  Rect box = toDevice(r);
  if (align != kTextCenter && align != kTextRight) box.left = add(box.left, 1);
  const std::int32_t len = textLength(text);
  const Point extent = deviceHandle->textExtent(text, len);
  const std::int64_t spare = static_cast<std::int64_t>(box.right) - box.left - extent.x;
  std::int64_t x = box.left;
  if (align == kTextCenter) x += spare / 2;
  if (align == kTextRight) x += spare;
  const std::int64_t y = box.top + (static_cast<std::int64_t>(box.bottom) - box.top - extent.y) / 2;
  deviceHandle->setOpaqueBackground(opaque != 0);
  deviceHandle->textOut(Point(add(0, x), add(0, y)), text, len, box);
  deviceHandle->setOpaqueBackground(false);
}

void DrawContext::copyFrom(DrawContext* source, const Rect& r, std::int32_t x, std::int32_t y) {
  if (!deviceHandle || !source || !source->deviceHandle) return;
  const Rect from = source->toDevice(r);
  const Rect to(x, y, add(x, r.width()), add(y, r.height()));
  deviceHandle->blit(to, *source->deviceHandle, Point(from.left, from.top),
                     platform::RasterOp::Copy);
}

void DrawContext::setButtonsSwapped(bool swapped) {
  buttonsSwapped.store(swapped, std::memory_order_relaxed);
}

std::int32_t DrawContext::getMouseButtons() {
  std::int32_t state = platform::input().buttonState();
  if (buttonsSwapped.load(std::memory_order_relaxed)) {
    const std::int32_t left = state & platform::kPhysicalLeft;
    const std::int32_t right = state & platform::kPhysicalRight;
    state &= ~(platform::kPhysicalLeft | platform::kPhysicalRight);
    if (left) state |= kButtonRight;
    if (right) state |= kButtonLeft;
  }
  return state & (kButtonLeft | kButtonMiddle | kButtonRight | kModShift | kModControl | kModAlt);
}

void DrawContext::getPointerLocation(Point& out) {
  const Point screen = platform::input().cursorPosition();
  out = Point(add(screen.x, -static_cast<std::int64_t>(windowOrigin.x)),
              add(screen.y, -static_cast<std::int64_t>(windowOrigin.y)));
}

namespace {

Rect nearBox(const Point& p) {
  return Rect(add(p.x, -2), add(p.y, -2), add(p.x, 2), add(p.y, 2));
}

}  // namespace

bool DrawContext::awaitDoubleClick() {
  platform::Input& in = platform::input();
  Point where;
  getPointerLocation(where);
  const Rect box = nearBox(where);
  const std::uint32_t deadline = in.messageTime() + in.doubleClickTime();
  // Tick counts wrap; the signed difference orders them across the wrap.
  auto reached = [&in, deadline] {
    return static_cast<std::int32_t>(in.tickCount() - deadline) >= 0;
  };
  while (!reached()) {
    getPointerLocation(where);
    if (!box.pointInside(where)) return false;
    if (in.takeLeftButtonDown()) return true;
  }
  return false;
}

bool DrawContext::awaitDrag() {
  if (!frame) return false;
  Point where;
  getPointerLocation(where);
  const Rect box = nearBox(where);
  while ((getMouseButtons() & kButtonLeft) != 0) {
    frame->frameIdle();
    getPointerLocation(where);
    if (!box.pointInside(where)) return true;
  }
  return false;
}
