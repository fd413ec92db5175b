// A slider in a real frame window, dragged with the real mouse: the value follows the
// pointer while the button is down.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

#include "gui/controls/Slider.h"
#include "gui/core/Frame.h"
#include "host/ModuleHandle.h"

namespace {

constexpr wchar_t kHostClass[] = L"QuaverlingSliderHost";
constexpr int kHostX = 60;
constexpr int kHostY = 40;

struct Values : ControlListener {
  void valueChanged(DrawContext*, Control* control) override {
    heard.push_back(control->getValue());
  }
  std::vector<float> heard;
};

void sendButton(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof input);
}

void moveTo(int x, int y) {
  SetCursorPos(kHostX + x, kHostY + y);
  sendButton(MOUSEEVENTF_MOVE);
}

TEST(Win32Slider, RealDragMovesTheValue) {
  moduleHandle = GetModuleHandleW(nullptr);
  WNDCLASSW hostClass{};
  hostClass.lpfnWndProc = DefWindowProcW;
  hostClass.hInstance = GetModuleHandleW(nullptr);
  hostClass.lpszClassName = kHostClass;
  RegisterClassW(&hostClass);
  // A window without a frame, so that its client area starts at its corner.
  HWND host =
      CreateWindowExW(WS_EX_TOPMOST, kHostClass, L"Host", WS_POPUP | WS_VISIBLE, kHostX, kHostY,
                      400, 320, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(host, nullptr);
  auto frame = std::make_unique<Frame>(Rect(0, 0, 293, 249), host, nullptr);
  Values values;
  // No bitmaps: a 1-pixel thumb whose leading edge travels 90 pixels from y = 40, value 0
  // at the bottom.
  auto* slider = new VerticalSlider(Rect(100, 40, 115, 140), &values, 2, 40, 130, nullptr, nullptr,
                                    Point(), kSliderOriginBottom);
  ASSERT_TRUE(frame->addChild(slider));
  SetCursorPos(kHostX + 107, kHostY + 130);

  std::thread user([] {
    Sleep(100);
    sendButton(MOUSEEVENTF_LEFTDOWN);
    Sleep(200);
    moveTo(107, 84);
    Sleep(200);
    moveTo(107, 66);
    Sleep(200);
    sendButton(MOUSEEVENTF_LEFTUP);
  });
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < 1500) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(5);
  }
  user.join();

  ASSERT_FALSE(values.heard.empty());
  bool passedMiddle = false;
  for (float v : values.heard) passedMiddle |= v == 0.5f;
  EXPECT_TRUE(passedMiddle);
  EXPECT_NEAR(slider->getValue(), 0.7f, 1e-6f);
  EXPECT_EQ(frame->getFocusView(), slider);

  frame.reset();
  DestroyWindow(host);
  UnregisterClassW(kHostClass, GetModuleHandleW(nullptr));
  moduleHandle = nullptr;
}

}  // namespace
