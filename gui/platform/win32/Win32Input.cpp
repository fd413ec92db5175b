#include <windows.h>

#include "gui/platform/Input.h"

namespace platform {

namespace {

bool isDown(int key) {
  return GetAsyncKeyState(key) < 0;
}

// The asynchronous state of the physical buttons and the modifier keys, and the clock and
// message queue of the calling thread.
class Win32Input final : public Input {
 public:
  std::int32_t buttonState() override {
    std::int32_t state = 0;
    if (isDown(VK_LBUTTON)) state |= kPhysicalLeft;
    if (isDown(VK_MBUTTON)) state |= kPhysicalMiddle;
    if (isDown(VK_RBUTTON)) state |= kPhysicalRight;
    if (isDown(VK_SHIFT)) state |= kShiftDown;
    if (isDown(VK_CONTROL)) state |= kControlDown;
    if (isDown(VK_MENU)) state |= kAltDown;
    return state;
  }

  Point cursorPosition() override {
    POINT p{};
    if (!GetCursorPos(&p)) return Point();
    return Point(p.x, p.y);
  }

  std::uint32_t tickCount() override { return GetTickCount(); }

  std::uint32_t messageTime() override { return static_cast<std::uint32_t>(GetMessageTime()); }

  std::uint32_t doubleClickTime() override { return GetDoubleClickTime(); }

  bool takeLeftButtonDown() override {
    MSG message;
    return PeekMessageW(&message, nullptr, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE) != FALSE;
  }

  bool buttonsSwapped() override { return GetSystemMetrics(SM_SWAPBUTTON) > 0; }
};

}  // namespace

Input& input() {
  static Win32Input instance;
  return instance;
}

}  // namespace platform
