// A slider in a real frame window, dragged with the real mouse: the value follows the
// pointer while the button is down.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

#include "gui/controls/Slider.h"
#include "gui/core/Frame.h"
#include "gui/platform/Module.h"
#include "tests/support/win32/Win32TestHost.h"

namespace {

using namespace win32test;

struct Values : ControlListener {
  void valueChanged(DrawContext*, Control* control) override {
    heard.push_back(control->getValue());
  }
  std::vector<float> heard;
};

TEST(Win32Slider, RealDragMovesTheValue) {
  platform::setModuleHandle(GetModuleHandleW(nullptr));
  HWND host = openHostWindow();
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
    dragThrough({{kHostX + 107, kHostY + 84}, {kHostX + 107, kHostY + 66}});
  });
  pumpFor(1500);
  user.join();

  ASSERT_FALSE(values.heard.empty());
  bool passedMiddle = false;
  for (float v : values.heard) passedMiddle |= v == 0.5f;
  EXPECT_TRUE(passedMiddle);
  EXPECT_NEAR(slider->getValue(), 0.7f, 1e-6f);
  EXPECT_EQ(frame->getFocusView(), slider);

  frame.reset();
  closeHostWindow(host);
  platform::setModuleHandle(nullptr);
}

}  // namespace
