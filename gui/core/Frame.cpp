#include "gui/core/Frame.h"

#include <cinttypes>
#include <cstdio>

#include "gui/core/Bitmap.h"
#include "gui/core/DrawContext.h"
#include "gui/platform/Input.h"
#include "gui/platform/Module.h"

namespace {

// Written only on the user-interface thread; relaxed atomics keep other readers defined.
std::atomic<std::int32_t> classCount{0};
std::atomic<std::int32_t> knobMode{0};
char className[32] = "";

}  // namespace

Frame::Frame(const Rect& bounds, platform::WindowHandle hostWindow, EditorLink* owner)
    : View(bounds), editor(owner), parentWindow(hostWindow) {
  open = true;
  platform::windows().oleInitialize();
  createWindow(hostWindow);
}

Frame::Frame(const Rect& bounds, const char* title, EditorLink* owner, std::int32_t style)
    : View(bounds), editor(owner), hostWindowMode(true) {
  platform::windows().oleInitialize();
  windowRecord = new WindowRecord{};
  if (title) std::snprintf(windowRecord->title, sizeof windowRecord->title, "%s", title);
  windowRecord->x = static_cast<std::int16_t>(bounds.left);
  windowRecord->y = static_cast<std::int16_t>(bounds.top);
  windowRecord->width = static_cast<std::int16_t>(bounds.width());
  windowRecord->height = static_cast<std::int16_t>(bounds.height());
  windowRecord->style = style;
}

Frame::~Frame() {
  setCursor(kPointerDefault);
  setDropActive(false);
  removeAllChildren(true);
  if (backdrop) backdrop->release();
  backdrop = nullptr;
  platform::WindowService& service = platform::windows();
  service.oleUninitialize();
  if (platform::WindowHandle own = window.load(std::memory_order_relaxed)) {
    service.setClient(own, nullptr);
    window = nullptr;
    service.destroyWindow(own);
  }
  // The class is held from the window's creation on, also when the platform destroyed the
  // window before the frame.
  if (holdsClass) unregisterClass();
  if (hostWindowMode) closeThroughHost();
  delete windowRecord;
}

bool Frame::createWindow(platform::WindowHandle hostWindow) {
  if (!hostWindow) return false;
  registerClass();
  platform::WindowService& service = platform::windows();
  platform::WindowHandle made =
      service.createChildWindow(className, hostWindow, "Window", size.width(), size.height());
  if (!made) {
    // Nothing will unregister for a window that never was.
    unregisterClass();
    return false;
  }
  holdsClass = true;
  window = made;
  service.setClient(made, this);
  setDropActive(true);
  return true;
}

void Frame::registerClass() {
  if (classCount.fetch_add(1, std::memory_order_relaxed) != 0) return;
  std::snprintf(className, sizeof className, "Plugin%08" PRIxPTR,
                reinterpret_cast<std::uintptr_t>(platform::moduleHandle()));
  DrawContext::setButtonsSwapped(platform::input().buttonsSwapped());
  platform::windows().registerWindowClass(className);
}

void Frame::unregisterClass() {
  if (classCount.fetch_sub(1, std::memory_order_relaxed) == 1) {
    platform::windows().unregisterWindowClass(className);
  }
}

const char* Frame::windowClassName() {
  return className;
}

std::int32_t Frame::classRegistrations() {
  return classCount.load(std::memory_order_relaxed);
}

void Frame::setKnobMode(std::int32_t mode) {
  knobMode.store(mode, std::memory_order_relaxed);
}

std::int32_t Frame::getKnobMode() const {
  return knobMode.load(std::memory_order_relaxed);
}

bool Frame::addChild(View* view) {
  if (!children.add(view)) return false;
  view->setOwnerFrame(this);
  view->onAttached(this);
  return true;
}

bool Frame::removeChild(View* view, bool alsoRelease) {
  // Releasing a view that the frame does not hold would take a reference it never had.
  if (!children.contains(view)) return false;
  // Leaving the focus here keeps the frame from calling a view that may be gone.
  if (view == focusView) setFocusView(nullptr);
  // Found afresh: the view told of the lost focus may have changed the list, or left it.
  if (View* taken = children.take(children.indexOf(view))) detach(taken, alsoRelease);
  return true;
}

bool Frame::removeAllChildren(bool alsoRelease) {
  setFocusView(nullptr);
  children.takeAll([this, alsoRelease](View* view) { detach(view, alsoRelease); });
  return true;
}

void Frame::detach(View* view, bool alsoRelease) {
  view->onDetached(this);
  // A view that outlives the frame must not keep a link to it.
  view->setOwnerFrame(nullptr);
  // The reference taken back from the list is the creator's: it goes only when asked.
  if (alsoRelease) view->release();
}

bool Frame::hasChild(View* view) const {
  return children.contains(view);
}

std::int32_t Frame::childCount() const {
  return children.count();
}

View* Frame::childAt(std::int32_t index) const {
  return children.at(index);
}

void Frame::setBackdrop(Bitmap* bitmap) {
  // Retaining first keeps a bitmap alive that is set again while the frame holds its last
  // reference.
  if (bitmap) bitmap->retain();
  if (backdrop) backdrop->release();
  backdrop = bitmap;
}

bool Frame::setModalView(View* view) {
  if (view && modalView) return false;
  if (modalView) modalView->onDetached(this);
  modalView = view;
  if (view) view->onAttached(this);
  return true;
}

void Frame::setFocusView(View* view) {
  View* previous = focusView;
  // The view that loses the focus is told while it still has it, so that it can end what
  // it opened; if it clears the focus itself meanwhile, it is not told twice.
  if (previous && previous != view && previous != leavingFocus) {
    leavingFocus = previous;
    previous->focusLost(nullptr);
    leavingFocus = nullptr;
  }
  focusView = view;
}

EditorLink* Frame::getOwnerEditor() const {
  return editor;
}

void Frame::idle() {
  if (editor) editor->pumpIdle();
}

std::uint32_t Frame::getTicks() const {
  return editor ? editor->getTicks() : 0;
}

void Frame::beginEdit(std::int32_t index) {
  if (editor) editor->beginEdit(index);
}

void Frame::endEdit(std::int32_t index) {
  if (editor) editor->endEdit(index);
}

Rect Frame::frameSize() const {
  return size;
}

void Frame::frameIdle() {
  idle();
}
