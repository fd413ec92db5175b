#include "gui/core/Frame.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <new>

#include "gui/core/Bitmap.h"
#include "gui/core/DrawContext.h"
#include "gui/platform/Input.h"
#include "gui/platform/Module.h"

namespace {

// Written only on the user-interface thread; relaxed atomics keep other readers defined.
std::atomic<std::int32_t> classCount{0};
std::atomic<std::int32_t> knobMode{0};
char className[32] = "";

constexpr std::int32_t kListGrowth = 20;

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
  if (!view) return false;
  std::int32_t count = viewCount.load(std::memory_order_relaxed);
  View** list = views.load(std::memory_order_relaxed);
  if (count == viewCapacity) {
    if (viewCapacity > INT32_MAX - kListGrowth) return false;
    View** grown = new (std::nothrow) View*[static_cast<std::size_t>(viewCapacity + kListGrowth)];
    if (!grown) return false;
    if (count > 0) std::memcpy(grown, list, sizeof(View*) * static_cast<std::size_t>(count));
    views = grown;
    delete[] list;
    list = grown;
    viewCapacity += kListGrowth;
  }
  list[count] = view;
  viewCount = count + 1;
  view->setOwnerFrame(this);
  view->onAttached(this);
  return true;
}

bool Frame::removeChild(View* view, bool alsoRelease) {
  View** list = views.load(std::memory_order_relaxed);
  const std::int32_t count = viewCount.load(std::memory_order_relaxed);
  std::int32_t index = 0;
  while (index < count && list[index] != view) ++index;
  // Releasing a view that the frame does not hold would take a reference it never had.
  if (index == count) return false;
  // Leaving the focus here keeps the frame from calling a view that may be gone.
  if (view == focusView) setFocusView(nullptr);
  std::memmove(list + index, list + index + 1,
               sizeof(View*) * static_cast<std::size_t>(count - index - 1));
  viewCount = count - 1;
  detach(view, alsoRelease);
  return true;
}

bool Frame::removeAllChildren(bool alsoRelease) {
  setFocusView(nullptr);
  View** list = views.exchange(nullptr, std::memory_order_relaxed);
  const std::int32_t count = viewCount.exchange(0, std::memory_order_relaxed);
  viewCapacity = 0;
  for (std::int32_t i = 0; i < count; ++i) detach(list[i], alsoRelease);
  delete[] list;
  return true;
}

void Frame::detach(View* view, bool alsoRelease) {
  view->onDetached(this);
  // A view that outlives the frame must not keep a link to it.
  view->setOwnerFrame(nullptr);
  if (alsoRelease) view->release();
}

bool Frame::hasChild(View* view) const {
  const std::int32_t count = childCount();
  for (std::int32_t i = 0; i < count; ++i) {
    if (childAt(i) == view) return true;
  }
  return false;
}

std::int32_t Frame::childCount() const {
  return viewCount.load(std::memory_order_relaxed);
}

View* Frame::childAt(std::int32_t index) const {
  if (index < 0 || index >= childCount()) return nullptr;
  return views.load(std::memory_order_relaxed)[index];
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
