#include "gui/core/ViewContainer.h"

#include "gui/core/Bitmap.h"
#include "gui/core/DrawContext.h"
#include "gui/core/FrameServices.h"
#include "gui/core/OffscreenContext.h"

namespace {

// Moves a context's drawing offset and pointer origin to a container's corner for the
// lifetime of the object, so that children draw and read the mouse in container
// coordinates. The offset accumulates, so nested containers land where they lie.
class ShiftedOrigin {
 public:
  ShiftedOrigin(DrawContext* target, const Rect& size) : context(target) {
    if (!context) return;
    Point origin = context->getOffset();
    context->pushOrigin(origin.offset(size.left, size.top), saved);
  }
  ~ShiftedOrigin() {
    if (context) context->popOrigin(saved);
  }
  ShiftedOrigin(const ShiftedOrigin&) = delete;
  ShiftedOrigin& operator=(const ShiftedOrigin&) = delete;

 private:
  DrawContext* context;
  SavedOrigin saved;
};

Point toLocal(const Point& where, const Rect& size) {
  return Point(where.x - size.left, where.y - size.top);
}

}  // namespace

ViewContainer::ViewContainer(const Rect& bounds, FrameServices* owner, Bitmap* backdropBitmap)
    : View(bounds), backdrop(backdropBitmap) {
  frame = owner;
  if (backdrop) backdrop->retain();
}

ViewContainer::~ViewContainer() {
  if (backdrop) backdrop->release();
  removeAllChildren(true);
}

void ViewContainer::ensureBuffer() {
  if (buffered && !buffer) {
    buffer = std::make_unique<OffscreenContext>(frame, size.width(), size.height(), kBlack);
  }
}

OffscreenContext* ViewContainer::drawingBuffer() const {
  // A buffer whose surface could not be made would swallow every picture; drawing
  // straight to the target is the better fallback.
  return buffer && buffer->getSurface() ? buffer.get() : nullptr;
}

void ViewContainer::paintBackdrop(DrawContext* context, const Rect& area) {
  if (backdrop) {
    const Point source(backdropOffset.x + area.left, backdropOffset.y + area.top);
    if (transparent) {
      backdrop->drawTransparent(context, area, source);
    } else {
      backdrop->draw(context, area, source);
    }
  } else if (!transparent) {
    context->setFillColor(backdropColor);
    // fillRect leaves out the top row and the left column of its rectangle.
    context->fillRect(Rect(area.left - 1, area.top - 1, area.right, area.bottom));
  }
}

void ViewContainer::compose(DrawContext* context, const Rect& local, bool onlyTouching) {
  if (!context) return;
  ensureBuffer();
  const auto drawLayers = [&](DrawContext* target) {
    paintBackdrop(target, local);
    children.visitBottomUp([&](View* child) {
      if (!onlyTouching || child->touchesArea(local)) child->draw(target);
      return false;
    });
  };
  if (OffscreenContext* target = drawingBuffer()) {
    drawLayers(target);
    Rect destination = local;
    target->copyTo(context, destination.offset(size.left, size.top), Point(local.left, local.top));
  } else {
    ShiftedOrigin shift(context, size);
    drawLayers(context);
  }
  setDirty(false);
}

void ViewContainer::draw(DrawContext* context) {
  compose(context, Rect(0, 0, size.width(), size.height()), false);
}

void ViewContainer::drawArea(DrawContext* context, const Rect& area) {
  Rect local = area;
  local.bound(size).offset(-size.left, -size.top);
  compose(context, local, true);
}

void ViewContainer::update(DrawContext* context) {
  if (redrawMode == kRedrawWhole) {
    if (isDirty()) draw(context);
  } else if (redrawMode == kRedrawDirtyChildren) {
    updateDirtyChildren(context);
  }
}

void ViewContainer::updateDirtyChildren(DrawContext* context) {
  if (!context) return;
  if (View::isDirty()) {
    draw(context);
    return;
  }
  if (OffscreenContext* target = drawingBuffer()) {
    const bool wasDirty = isDirty();
    children.visitBottomUp([&](View* child) {
      child->update(target);
      return false;
    });
    if (wasDirty) target->copyTo(context, size, Point(0, 0));
  } else {
    ShiftedOrigin shift(context, size);
    children.visitBottomUp([&](View* child) {
      if (!child->isDirty()) return false;
      // Painting only the backdrop under the child would leave a nested container's
      // untouched children erased, so it redraws whole for this pass.
      ViewContainer* nested = child->handleMessage(this, kMsgCheckIfViewContainer)
                                  ? dynamic_cast<ViewContainer*>(child)
                                  : nullptr;
      const std::int32_t savedMode = nested ? nested->getRedrawMode() : kRedrawWhole;
      if (nested) nested->setRedrawMode(kRedrawWhole);
      Rect childSize;
      paintBackdrop(context, child->getBounds(childSize));
      child->update(context);
      if (nested) nested->setRedrawMode(savedMode);
      return false;
    });
  }
  setDirty(false);
}

void ViewContainer::onMouseDown(DrawContext* context, Point& where) {
  const Point local = toLocal(where, size);
  ShiftedOrigin shift(context, size);
  const std::int32_t buttons = context ? context->getMouseButtons() : -1;
  children.visitTopDown([&](View* child) {
    Point point = local;
    if (!child->isMouseActive() || !child->hitTest(point, buttons)) return false;
    child->onMouseDown(context, point);
    return true;
  });
}

std::int32_t ViewContainer::handleMessage(View*, const char* message) {
  return message == kMsgCheckIfViewContainer ? 1 : 0;
}

std::int32_t ViewContainer::onKeyDown(const KeyCode& key) {
  std::int32_t result = -1;
  children.visitTopDown([&](View* child) {
    result = child->onKeyDown(key);
    return result != -1;
  });
  return result;
}

std::int32_t ViewContainer::onKeyUp(const KeyCode& key) {
  std::int32_t result = -1;
  children.visitTopDown([&](View* child) {
    result = child->onKeyUp(key);
    return result != -1;
  });
  return result;
}

bool ViewContainer::onDropItems(const char* const* items, std::int32_t count, std::int32_t type,
                                Point& where) {
  if (!frame) return false;
  const Point local = toLocal(where, size);
  return children.visitTopDown([&](View* child) {
    Point point = local;
    Rect hit;
    return child->isMouseActive() && insideEdgesIncluded(child->getHitArea(hit), point) &&
           child->onDropItems(items, count, type, point);
  });
}

Point ViewContainer::originInFrame() const {
  Point origin(size.left, size.top);
  for (const View* holder = parent; holder; holder = holder->getParent()) {
    Rect holderSize;
    holder->getBounds(holderSize);
    origin.offset(holderSize.left, holderSize.top);
  }
  return origin;
}

bool ViewContainer::onWheel(DrawContext* context, const Point& where, float distance) {
  if (!frame) return false;
  // The frame reports the cursor in its own coordinates; a container inside another one
  // lies at the sum of all the corners above it.
  Point cursor;
  frame->getPointerInFrame(cursor);
  const Point origin = originInFrame();
  cursor.offset(-origin.x, -origin.y);
  bool taken = false;
  children.visitTopDown([&](View* child) {
    Rect hit;
    if (!insideEdgesIncluded(child->getHitArea(hit), cursor)) return false;
    ShiftedOrigin shift(context, size);
    taken = child->onWheel(context, toLocal(where, size), distance);
    return true;
  });
  return taken;
}

void ViewContainer::focusLost(DrawContext* context) {
  children.visitBottomUp([&](View* child) {
    child->focusLost(context);
    return false;
  });
}

void ViewContainer::focusGained(DrawContext* context) {
  children.visitBottomUp([&](View* child) {
    child->focusGained(context);
    return false;
  });
}

bool ViewContainer::isDirty() const {
  if (View::isDirty()) return true;
  for (std::int32_t i = 0; i < children.count(); ++i) {
    if (children.at(i)->isDirty()) return true;
  }
  return false;
}

void ViewContainer::setBounds(const Rect& newSize) {
  View::setBounds(newSize);
  if (buffer) {
    buffer.reset();
    ensureBuffer();
  }
}

void ViewContainer::setOwnerFrame(FrameServices* newFrame) {
  View::setOwnerFrame(newFrame);
  for (std::int32_t i = 0; i < children.count(); ++i) children.at(i)->setOwnerFrame(newFrame);
}

bool ViewContainer::onDetached(View*) {
  buffer.reset();
  return true;
}

bool ViewContainer::onAttached(View*) {
  ensureBuffer();
  return true;
}

bool ViewContainer::wouldContainItself(View* child) const {
  for (const View* holder = this; holder; holder = holder->getParent()) {
    if (holder == child) return true;
  }
  return false;
}

void ViewContainer::addChild(View* child, const Rect& childHitArea, bool childMouseActive) {
  if (!child) return;
  child->setMouseActive(childMouseActive);
  child->setHitArea(childHitArea);
  addChild(child);
}

void ViewContainer::addChild(View* child) {
  if (!child || wouldContainItself(child)) return;
  // The entry's own reference; the creator keeps theirs.
  child->retain();
  if (!children.add(child)) {
    child->release();
    return;
  }
  child->setOwnerFrame(frame);
  child->setParent(this);
  child->onAttached(this);
  child->setDirty(true);
}

void ViewContainer::removeChild(View* child, bool alsoRelease) {
  if (!child) return;
  // Held until every entry is gone: releasing the creator's reference once per entry
  // would delete a child added twice while entries still point at it.
  child->retain();
  bool removed = false;
  // Searched afresh after every removal, since onDetached may change the list.
  while (View* taken = children.take(children.indexOf(child))) {
    taken->onDetached(this);
    // The entry's own reference, handed back by the list.
    taken->release();
    removed = true;
  }
  if (removed) {
    if (child->getParent() == this) child->setParent(nullptr);
    // When the guard is the last reference, the creator kept none to hand over (it released
    // its own after adding); releasing it again would delete the child twice.
    if (alsoRelease && child->referenceCount() > 1) child->release();
  }
  child->release();
}

void ViewContainer::removeAllChildren(bool alsoRelease) {
  while (View* first = children.at(0)) removeChild(first, alsoRelease);
}

bool ViewContainer::hasChild(View* child) const {
  return children.contains(child);
}

std::int32_t ViewContainer::childCount() const {
  return children.count();
}

View* ViewContainer::childAt(std::int32_t index) const {
  return children.at(index);
}

void ViewContainer::setBackdropColor(Color color) {
  backdropColor = color;
}

Color ViewContainer::getBackdropColor() const {
  return backdropColor;
}

void ViewContainer::setBackdrop(Bitmap* bitmap) {
  // Retained first: the old and the new bitmap may be the same one.
  if (bitmap) bitmap->retain();
  if (backdrop) backdrop->release();
  backdrop = bitmap;
}

Bitmap* ViewContainer::getBackdrop() const {
  return backdrop;
}

void ViewContainer::setBackdropOffset(const Point& offset) {
  backdropOffset = offset;
}

Point ViewContainer::getBackdropOffset() const {
  return backdropOffset;
}

void ViewContainer::setRedrawMode(std::int32_t mode) {
  redrawMode = mode;
}

std::int32_t ViewContainer::getRedrawMode() const {
  return redrawMode;
}

void ViewContainer::setBuffered(bool flag) {
  buffered = flag;
  if (!flag) buffer.reset();
}
