// The frame's dealings with the windows around it: cursors, the drop registration, sizing
// and positions in the host's windows, and the windows that the host opens for it.
#include <cstdlib>
#include <cstring>

#include "gui/core/DropTarget.h"
#include "gui/core/Frame.h"

namespace {

// The platform sizes windows with 32-bit numbers.
std::int32_t clampedSum(std::int64_t a, std::int64_t b) {
  const std::int64_t sum = a + b;
  if (sum > INT32_MAX) return INT32_MAX;
  if (sum < INT32_MIN) return INT32_MIN;
  return static_cast<std::int32_t>(sum);
}

// A parent that is wider or taller than the window by more than this is not a tight
// wrapper of it.
constexpr std::int32_t kWrapperMargin = 80;
// How far a window's size may stray from the frame's for the climb of getPosition.
constexpr std::int64_t kPositionSlack = 60;

}  // namespace

void Frame::setCursor(std::int32_t type) {
  platform::WindowService& service = platform::windows();
  if (!defaultCursorKnown) {
    defaultCursor = service.currentCursor();
    defaultCursorKnown = true;
  }
  static constexpr platform::CursorShape kShapes[] = {
      platform::CursorShape::Wait,           platform::CursorShape::ResizeHorizontal,
      platform::CursorShape::ResizeVertical, platform::CursorShape::MoveAll,
      platform::CursorShape::ResizeRising,   platform::CursorShape::ResizeFalling};
  if (type == kPointerDefault) {
    service.setCursor(defaultCursor);
  } else if (type >= kPointerWait && type <= kPointerResizeFalling) {
    service.setCursor(service.systemCursor(kShapes[type - kPointerWait]));
  }
}

bool Frame::setDropActive(bool active) {
  // Registering twice is refused by the platform, revoking twice is pointless.
  if (active == dropActive) return true;
  const platform::WindowHandle own = getWindow();
  if (!own) return false;
  std::unique_ptr<platform::DropSink> sink;
  if (active) sink = std::make_unique<DropTarget>(this);
  if (!platform::windows().setDropTarget(own, std::move(sink))) return false;
  dropActive = active;
  return true;
}

bool Frame::setSize(std::int32_t width, std::int32_t height) {
  if (!isOpen() || width < 0 || height < 0) return false;
  if (width == size.width() && height == size.height()) return false;
  if (editor && editor->requestWindowSize(width, height)) {
    if (const platform::WindowHandle own = getWindow()) {
      platform::windows().resizeWindow(own, width, height);
    }
    return true;
  }
  size.right = clampedSum(size.left, width);
  size.bottom = clampedSum(size.top, height);
  return resizeWrappersByHand(width, height);
}

bool Frame::resizeWrappersByHand(std::int32_t width, std::int32_t height) {
  platform::WindowService& service = platform::windows();
  const std::int32_t dialogFrames =
      clampedSum(service.dialogFrameHeight(), service.dialogFrameHeight());
  platform::WindowHandle current = getWindow();
  std::int32_t dx = 0;
  std::int32_t dy = 0;
  if (dialogFrames != 0) {
    do {
      if (!current) return true;
      const platform::WindowHandle outerWindow = service.parentOf(current);
      char parentClass[64] = "";
      if (!outerWindow || (service.className(outerWindow, parentClass, sizeof parentClass) &&
                           std::strcmp(parentClass, "MDIClient") == 0)) {
        break;
      }
      Rect inner;
      Rect outer;
      service.screenRect(current, inner);
      service.screenRect(outerWindow, outer);
      service.resizeWindow(current, clampedSum(width, dx), clampedSum(height, dy));
      dx = clampedSum(outer.width(), -static_cast<std::int64_t>(inner.width()));
      dy = clampedSum(outer.height(), -static_cast<std::int64_t>(inner.height()));
      if (dx > kWrapperMargin || dy > kWrapperMargin) return true;
      current = outerWindow;
    } while (dx != dialogFrames);
  }
  if (current) service.resizeWindow(current, clampedSum(width, dx), clampedSum(height, dy));
  return true;
}

bool Frame::getPosition(std::int32_t& x, std::int32_t& y) const {
  platform::WindowService& service = platform::windows();
  platform::WindowHandle current = getWindow();
  Rect own;
  if (!isOpen() || !service.screenRect(current, own)) return false;
  for (;;) {
    if (service.hasCaption(current)) break;
    const platform::WindowHandle outerWindow = service.parentOf(current);
    Rect outer;
    if (!outerWindow || !service.screenRect(outerWindow, outer)) break;
    const std::int64_t dw = static_cast<std::int64_t>(outer.width()) - own.width();
    const std::int64_t dh = static_cast<std::int64_t>(outer.height()) - own.height();
    if (std::llabs(dw) > kPositionSlack || std::llabs(dh) > kPositionSlack) break;
    current = outerWindow;
  }
  Point corner;
  if (!service.positionInParent(current, corner)) return false;
  x = corner.x;
  y = corner.y;
  return true;
}

bool Frame::openThroughHost(const Point* topLeft) {
  platform::WindowService& service = platform::windows();
  if (isOpen()) {
    const platform::WindowHandle own = getWindow();
    const platform::WindowHandle outerWindow = own ? service.parentOf(own) : nullptr;
    const platform::WindowHandle grandparent =
        outerWindow ? service.parentOf(outerWindow) : nullptr;
    if (grandparent) service.bringToTop(grandparent);
    return true;
  }
  if (!windowRecord || !editor) return false;
  if (topLeft) {
    windowRecord->x = static_cast<std::int16_t>(topLeft->x);
    windowRecord->y = static_cast<std::int16_t>(topLeft->y);
  }
  platform::WindowHandle hostWindow = editor->openHostWindow(*windowRecord);
  if (!hostWindow) return false;
  parentWindow = hostWindow;
  open = createWindow(hostWindow);
  return isOpen();
}

bool Frame::closeThroughHost() {
  return windowRecord && editor && editor->closeHostWindow(*windowRecord);
}
