// The window service over user32 and ole32: the frame window class of this module, child
// windows whose messages go to frameWindowProc, the windows above them, cursors, the
// thread's paint messages and OLE.
#include <ole2.h>
#include <windows.h>

#include <cstring>
#include <optional>

#include "gui/platform/Module.h"
#include "gui/platform/WindowClient.h"
#include "gui/platform/WindowService.h"
#include "gui/platform/win32/GdiDevice.h"
#include "gui/platform/win32/OleDropTarget.h"
#include "gui/platform/win32/WideText.h"
#include "gui/platform/win32/Win32WindowProc.h"

namespace platform {

namespace {

HINSTANCE instance() {
  // A program that links the toolkit directly has no load hook; its windows belong to it.
  void* const module = moduleHandle();
  return module ? static_cast<HINSTANCE>(module) : GetModuleHandleW(nullptr);
}

HWND hwnd(WindowHandle window) {
  return static_cast<HWND>(window);
}

std::int32_t nonNegative(std::int32_t v) {
  return v < 0 ? 0 : v;
}

// Terminated: the terminator is converted with the text.
win32::WideText wide(const char* text) {
  return win32::WideText(text, text ? static_cast<std::int32_t>(std::strlen(text) + 1) : 0);
}

// The window's device, given back to the window once the drawing objects are restored.
class FetchedDevice final : public WindowDevice {
 public:
  FetchedDevice(HWND owner, HDC device) : window(owner), dc(device) { drawing.emplace(dc); }
  ~FetchedDevice() override {
    drawing.reset();
    ReleaseDC(window, dc);
  }
  FetchedDevice(const FetchedDevice&) = delete;
  FetchedDevice& operator=(const FetchedDevice&) = delete;
  Device& device() override { return *drawing; }

 private:
  HWND window;
  HDC dc;
  std::optional<win32::GdiDevice> drawing;
};

class Win32Windows final : public WindowService {
 public:
  bool registerWindowClass(const char* name) override {
    const win32::WideText className = wide(name);
    WNDCLASSW windowClass{};
    windowClass.style = CS_GLOBALCLASS;
    windowClass.lpfnWndProc = win32::frameWindowProc;
    windowClass.hInstance = instance();
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = className.data();
    return RegisterClassW(&windowClass) != 0;
  }

  void unregisterWindowClass(const char* name) override {
    UnregisterClassW(wide(name).data(), instance());
  }

  WindowHandle createChildWindow(const char* className, WindowHandle parent, const char* caption,
                                 std::int32_t width, std::int32_t height) override {
    return CreateWindowExW(0, wide(className).data(), wide(caption).data(), WS_CHILD | WS_VISIBLE,
                           0, 0, nonNegative(width), nonNegative(height), hwnd(parent), nullptr,
                           instance(), nullptr);
  }

  void destroyWindow(WindowHandle window) override {
    if (IsWindow(hwnd(window))) DestroyWindow(hwnd(window));
  }

  void setClient(WindowHandle window, WindowClient* client) override {
    SetWindowLongPtrW(hwnd(window), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(client));
  }

  bool screenRect(WindowHandle window, Rect& out) override {
    RECT r;
    if (!window || !GetWindowRect(hwnd(window), &r)) return false;
    out = Rect(r.left, r.top, r.right, r.bottom);
    return true;
  }

  bool positionInParent(WindowHandle window, Point& out) override {
    RECT r;
    if (!window || !GetWindowRect(hwnd(window), &r)) return false;
    POINT corner{r.left, r.top};
    if (HWND parent = GetParent(hwnd(window))) ScreenToClient(parent, &corner);
    out = Point(corner.x, corner.y);
    return true;
  }

  WindowHandle parentOf(WindowHandle window) override {
    return window ? GetParent(hwnd(window)) : nullptr;
  }

  bool hasCaption(WindowHandle window) override {
    return (GetWindowLongW(hwnd(window), GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
  }

  bool className(WindowHandle window, char* out, std::int32_t size) override {
    if (!out || size <= 0) return false;
    return GetClassNameA(hwnd(window), out, size) > 0;
  }

  bool resizeWindow(WindowHandle window, std::int32_t width, std::int32_t height) override {
    return SetWindowPos(hwnd(window), nullptr, 0, 0, nonNegative(width), nonNegative(height),
                        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE) != FALSE;
  }

  void bringToTop(WindowHandle window) override { BringWindowToTop(hwnd(window)); }

  std::unique_ptr<WindowDevice> fetchDevice(WindowHandle window) override {
    HDC dc = GetDC(hwnd(window));
    if (!dc) return nullptr;
    return std::make_unique<FetchedDevice>(hwnd(window), dc);
  }

  bool setDropTarget(WindowHandle window, std::unique_ptr<DropSink> sink) override {
    return win32::setWindowDropSink(hwnd(window), std::move(sink));
  }

  CursorHandle currentCursor() override { return GetCursor(); }

  CursorHandle systemCursor(CursorShape shape) override {
    switch (shape) {
      case CursorShape::Wait:
        return LoadCursorW(nullptr, IDC_WAIT);
      case CursorShape::ResizeHorizontal:
        return LoadCursorW(nullptr, IDC_SIZEWE);
      case CursorShape::ResizeVertical:
        return LoadCursorW(nullptr, IDC_SIZENS);
      case CursorShape::MoveAll:
        return LoadCursorW(nullptr, IDC_SIZEALL);
      case CursorShape::ResizeRising:
        return LoadCursorW(nullptr, IDC_SIZENESW);
      case CursorShape::ResizeFalling:
        return LoadCursorW(nullptr, IDC_SIZENWSE);
    }
    return nullptr;
  }

  void setCursor(CursorHandle cursor) override {
    if (cursor) SetCursor(static_cast<HCURSOR>(cursor));
  }

  std::int32_t dialogFrameHeight() override { return GetSystemMetrics(SM_CYDLGFRAME); }

  bool dispatchOnePaintMessage() override {
    MSG message;
    if (!PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) return false;
    DispatchMessageW(&message);
    return true;
  }

  void sleep(std::uint32_t milliseconds) override { Sleep(milliseconds); }

  void oleInitialize() override {
    if (SUCCEEDED(OleInitialize(nullptr))) ++oleHeld;
  }
  // Only what this thread initialised here is given back: a failed initialise (the host's
  // thread already runs another COM model) must not undo the host's own.
  void oleUninitialize() override {
    if (oleHeld == 0) return;
    --oleHeld;
    OleUninitialize();
  }

 private:
  static thread_local std::int32_t oleHeld;
};

thread_local std::int32_t Win32Windows::oleHeld = 0;

}  // namespace

WindowService& windows() {
  static Win32Windows service;
  return service;
}

}  // namespace platform
