#include "gui/core/View.h"

#include "gui/core/FrameServices.h"

View::View(const Rect& bounds) : size(bounds), hitArea(bounds) {}

View::~View() = default;

void View::draw(DrawContext*) {
  setDirty(false);
}

void View::drawArea(DrawContext* context, const Rect&) {
  draw(context);
}

bool View::touchesArea(const Rect& area) const {
  return area.right >= size.left && size.right >= area.left && area.bottom >= size.top &&
         size.bottom >= area.top;
}

void View::onMouseDown(DrawContext*, Point&) {}

void View::update(DrawContext* context) {
  if (!isDirty()) return;
  draw(context);
  setDirty(false);
}

std::int32_t View::handleMessage(View*, const char*) {
  return 0;
}

std::int32_t View::onKeyDown(const KeyCode&) {
  return -1;
}

std::int32_t View::onKeyUp(const KeyCode&) {
  return -1;
}

bool View::onDropItems(const char* const*, std::int32_t, std::int32_t, Point&) {
  return false;
}

bool View::onWheel(DrawContext*, const Point&, float) {
  return false;
}

void View::focusLost(DrawContext*) {}

void View::focusGained(DrawContext*) {}

bool View::isDirty() const {
  return dirty.load(std::memory_order_relaxed);
}

void View::setDirty(bool flag) {
  dirty.store(flag, std::memory_order_relaxed);
}

void View::setMouseActive(bool flag) {
  mouseActive = flag;
}

bool View::isMouseActive() const {
  return mouseActive;
}

void View::setHitArea(const Rect& area) {
  hitArea = area;
}

Rect& View::getHitArea(Rect& out) const {
  return out = hitArea;
}

bool View::hitTest(const Point& where, std::int32_t) const {
  return insideEdgesIncluded(size, where);
}

void View::setTransparent(bool flag) {
  transparent = flag;
}

bool View::isTransparent() const {
  return transparent;
}

void View::setBounds(const Rect& newSize) {
  size = newSize;
  setDirty(true);
}

Rect& View::getBounds(Rect& out) const {
  return out = size;
}

void View::setParent(View* newParent) {
  parent = newParent;
}

void View::setOwnerFrame(FrameServices* newFrame) {
  frame = newFrame;
}

EditorLink* View::getOwnerEditor() const {
  return frame ? frame->getOwnerEditor() : nullptr;
}

bool View::onDetached(View*) {
  return true;
}

bool View::onAttached(View*) {
  return true;
}

void View::release() {
  if (refCount <= 0) return;
  if (--refCount == 0) delete this;
}

void View::retain() {
  ++refCount;
}

std::int32_t View::referenceCount() const {
  return refCount;
}

void View::redrawNow() {
  if (frame) frame->drawView(this);
}
