// The frame's drawing and the routing of the mouse, keys, the wheel, drops and the window's
// own messages to its views.
#include <cmath>
#include <memory>

#include "gui/core/Bitmap.h"
#include "gui/core/DrawContext.h"
#include "gui/core/FocusPainting.h"
#include "gui/core/Frame.h"
#include "gui/platform/Device.h"
#include "gui/platform/Input.h"

template <typename Use>
void Frame::withWindowContext(Use use) {
  const platform::WindowHandle own = window.load(std::memory_order_relaxed);
  // The device is declared first so that it outlives the context that draws on it.
  std::unique_ptr<platform::WindowDevice> fetched =
      own ? platform::windows().fetchDevice(own) : nullptr;
  platform::WindowRef ref(own);
  DrawContext context(this, fetched ? &fetched->device() : nullptr, &ref);
  use(&context);
}

void Frame::draw(DrawContext* context) {
  firstPaintPending = false;
  if (backdrop) {
    backdrop->draw(context, Rect(0, 0, backdrop->getWidth(), backdrop->getHeight()), Point());
  }
  // The count is read on every pass: a view may change the list while it draws.
  for (std::int32_t i = 0; i < childCount(); ++i) childAt(i)->draw(context);
  if (modalView) modalView->draw(context);
}

void Frame::drawArea(DrawContext* context, const Rect& area) {
  firstPaintPending = false;
  if (backdrop) backdrop->draw(context, area, Point(area.left, area.top));
  for (std::int32_t i = 0; i < childCount(); ++i) {
    View* view = childAt(i);
    if (view->touchesArea(area)) view->drawArea(context, area);
  }
  if (modalView && modalView->touchesArea(area)) modalView->draw(context);
}

void Frame::update(DrawContext* context) {
  if (!isOpen()) return;
  if (modalView) {
    modalView->update(context);
  } else if (isDirty()) {
    draw(context);
    setDirty(false);
  } else {
    for (std::int32_t i = 0; i < childCount(); ++i) childAt(i)->update(context);
  }
}

void Frame::idleUpdate() {
  if (!isOpen() || firstPaintPending) return;
  bool needed = modalView != nullptr || isDirty();
  for (std::int32_t i = 0; !needed && i < childCount(); ++i) needed = childAt(i)->isDirty();
  if (needed) withWindowContext([this](DrawContext* context) { update(context); });
}

void Frame::drawView(View* view) {
  if (!getWindow()) return;
  withWindowContext([this, view](DrawContext* context) {
    if (view && hasChild(view)) {
      view->draw(context);
    } else {
      draw(context);
    }
  });
}

void Frame::onMouseDown(DrawContext* context, Point& where) {
  // Any click ends text editing.
  if (focusView) setFocusView(nullptr);
  const std::int32_t buttons = context ? context->getMouseButtons() : -1;
  if (modalView) {
    if (modalView->hitTest(where, buttons)) modalView->onMouseDown(context, where);
    return;
  }
  for (std::int32_t i = childCount() - 1; i >= 0; --i) {
    View* view = childAt(i);
    if (view && view->isMouseActive() && view->hitTest(where, buttons)) {
      view->onMouseDown(context, where);
      return;
    }
  }
}

namespace {

template <typename Offer>
std::int32_t offerKey(View* focus, View* modal, const Frame& frame, Offer offer) {
  if (focus) {
    if (const std::int32_t answer = offer(focus); answer != -1) return answer;
  }
  if (modal) {
    if (const std::int32_t answer = offer(modal); answer != -1) return answer;
  }
  for (std::int32_t i = frame.childCount() - 1; i >= 0; --i) {
    View* view = frame.childAt(i);
    if (!view) continue;
    if (const std::int32_t answer = offer(view); answer != -1) return answer;
  }
  return -1;
}

bool underPoint(const View& view, const Point& where) {
  Rect bounds;
  return insideEdgesIncluded(view.getBounds(bounds), where);
}

}  // namespace

std::int32_t Frame::onKeyDown(const KeyCode& key) {
  return offerKey(focusView, modalView, *this, [&key](View* view) { return view->onKeyDown(key); });
}

std::int32_t Frame::onKeyUp(const KeyCode& key) {
  return offerKey(focusView, modalView, *this, [&key](View* view) { return view->onKeyUp(key); });
}

bool Frame::onDropItems(const char* const* items, std::int32_t count, std::int32_t type,
                        Point& where) {
  if (modalView || focusView) return false;
  for (std::int32_t i = childCount() - 1; i >= 0; --i) {
    View* view = childAt(i);
    if (view && view->isMouseActive() && underPoint(*view, where) &&
        view->onDropItems(items, count, type, where)) {
      return true;
    }
  }
  return false;
}

void Frame::getPointerInFrame(Point& out) {
  out = platform::input().cursorPosition();
  Rect screen;
  if (platform::windows().screenRect(getWindow(), screen)) {
    out.x -= screen.left;
    out.y -= screen.top;
  }
}

View* Frame::getViewUnderPointer() {
  if (modalView) return modalView;
  Point where;
  getPointerInFrame(where);
  for (std::int32_t i = childCount() - 1; i >= 0; --i) {
    View* view = childAt(i);
    if (view && underPoint(*view, where)) return view;
  }
  return nullptr;
}

bool Frame::onWheel(DrawContext* context, const Point&, float distance) {
  // A turn the size of which is not a number would carry into the views' values.
  if (!std::isfinite(distance)) return false;
  View* view = getViewUnderPointer();
  if (!view) return false;
  bool taken = false;
  const auto turn = [this, view, distance, &taken](DrawContext* used) {
    Point where;
    getPointerInFrame(where);
    taken = view->onWheel(used, where, distance);
  };
  if (context) {
    turn(context);
  } else {
    withWindowContext(turn);
  }
  return taken;
}

void Frame::windowDestroyed() {
  // The drop registration goes while the window still exists; the handle is dead after.
  setDropActive(false);
  open = false;
  parentWindow = nullptr;
  window = nullptr;
}

void Frame::windowPaint(platform::Device& device, const Rect& area) {
  platform::WindowRef ref(getWindow());
  DrawContext context(this, &device, &ref);
  drawArea(&context, area);
}

void Frame::windowButtonDown(platform::Device& device, Point where, platform::PressedButton) {
  platform::WindowRef ref(getWindow());
  DrawContext context(this, &device, &ref);
  onMouseDown(&context, where);
}

bool Frame::windowMeasureMenuItem(std::uintptr_t itemData, platform::Device& device,
                                  Point& itemSize) {
  auto* painting = dynamic_cast<FocusPainting*>(focusView);
  if (!painting || itemData == 0) return false;
  platform::WindowRef ref(getWindow());
  DrawContext context(this, &device, &ref);
  return painting->measureMenuItem(reinterpret_cast<const char*>(itemData), &context, itemSize);
}

bool Frame::windowDrawMenuItem(std::uintptr_t itemData, std::int32_t itemId, std::int32_t stateBits,
                               platform::Device& device, const Rect& rect) {
  auto* painting = dynamic_cast<FocusPainting*>(focusView);
  if (!painting || itemData == 0) return false;
  // The item's device belongs to the menu, not to the frame's window.
  DrawContext context(this, &device, nullptr);
  return painting->drawMenuItem(reinterpret_cast<const char*>(itemData), itemId, stateBits,
                                &context, rect);
}

bool Frame::windowEditBoxColors(Color& text, Color& background) {
  auto* painting = dynamic_cast<FocusPainting*>(focusView);
  return painting && painting->editBoxColors(text, background);
}
