// The frame in a real top-level window: its class name, a real paint of the views over the
// backdrop read back from the screen, and real pointer input reaching the view under it.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "gui/core/Bitmap.h"
#include "gui/core/DrawContext.h"
#include "gui/core/FocusPainting.h"
#include "gui/core/OffscreenContext.h"
#include "tests/gui/win32/HostedFrameTest.h"

namespace {

using namespace win32test;

// A view that paints itself in one colour, and records the presses and, while the left
// button stays down, the path of the pointer, as the toolkit's controls follow drags.
class TrackingView : public View {
 public:
  TrackingView(const Rect& bounds, Color fill) : View(bounds), color(fill) {}
  void draw(DrawContext* context) override {
    context->setFillColor(color);
    context->fillRect(Rect(size.left - 1, size.top - 1, size.right, size.bottom));
    setDirty(false);
  }
  void onMouseDown(DrawContext* context, Point& where) override {
    presses.push_back(where);
    const DWORD start = GetTickCount();
    // Bounded, so that lost input cannot hang the test.
    while ((context->getMouseButtons() & kButtonLeft) && GetTickCount() - start < 5000) {
      Point now;
      context->getPointerLocation(now);
      if (path.empty() || !(path.back() == now)) path.push_back(now);
      static_cast<Frame*>(getFrame())->idle();
      Sleep(1);
    }
  }

  Color color;
  std::vector<Point> presses;
  std::vector<Point> path;
};

// A focus view that colours an edit box and draws its menu items itself, recording what the
// window asked of it.
class PaintingFocus : public View, public FocusPainting {
 public:
  PaintingFocus() : View(Rect(0, 0, 10, 10)) {}
  bool editBoxColors(Color& text, Color& background) override {
    text = kYellow;
    background = kMagenta;
    return true;
  }
  bool measureMenuItem(const char* text, DrawContext* context, Point& out) override {
    measured = text;
    hadContext = context != nullptr;
    out = Point(77, 18);
    return true;
  }
  bool drawMenuItem(const char* text, std::int32_t command, std::int32_t stateBits, DrawContext*,
                    const Rect& rect) override {
    drawn = text;
    drawnCommand = command;
    drawnState = stateBits;
    drawnRect = rect;
    return true;
  }

  std::string measured;
  bool hadContext = false;
  std::string drawn;
  std::int32_t drawnCommand = 0;
  std::int32_t drawnState = 0;
  Rect drawnRect;
};

class Win32Frame : public HostedFrameTest {
 protected:
  void SetUp() override {
    HostedFrameTest::SetUp();
    if (HasFatalFailure()) return;
    pumpFor(100);
  }

  COLORREF pixel(int x, int y) {
    HWND window = static_cast<HWND>(frame->getWindow());
    HDC dc = GetDC(window);
    const COLORREF value = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return value;
  }
};

TEST_F(Win32Frame, ClassNameFollowsTheModuleHandle) {
  char expected[32];
  std::snprintf(
      expected, sizeof expected, "Plugin%08llx",
      static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(platform::moduleHandle())));
  char actual[64] = "";
  GetClassNameA(static_cast<HWND>(frame->getWindow()), actual, sizeof actual);
  EXPECT_STREQ(actual, expected);
  EXPECT_STREQ(Frame::windowClassName(), expected);
  EXPECT_EQ(GetParent(static_cast<HWND>(frame->getWindow())), host);
}

TEST_F(Win32Frame, PaintDrawsTheViewsOverTheBackdrop) {
  auto* backdrop = new Bitmap(293, 249);
  {
    OffscreenContext painter(nullptr, backdrop, true);
    painter.setFillColor(kBlue);
    painter.fillRect(Rect(-1, -1, 293, 249));
  }
  frame->setBackdrop(backdrop);
  backdrop->release();
  ASSERT_TRUE(frame->addChild(new TrackingView(Rect(100, 80, 150, 120), kRed)));
  InvalidateRect(static_cast<HWND>(frame->getWindow()), nullptr, FALSE);
  UpdateWindow(static_cast<HWND>(frame->getWindow()));
  pumpFor(100);
  EXPECT_EQ(pixel(10, 10), RGB(0, 0, 255));
  EXPECT_EQ(pixel(120, 100), RGB(255, 0, 0));
  EXPECT_EQ(pixel(292, 248), RGB(0, 0, 255));
}

TEST_F(Win32Frame, PressAndDragFollowTheRealPointer) {
  auto* view = new TrackingView(Rect(100, 80, 200, 180), kGreen);
  ASSERT_TRUE(frame->addChild(view));
  SetCursorPos(kHostX + 120, kHostY + 100);
  pumpFor(100);

  // The user, on another thread: press, move twice, release.
  std::thread user([] {
    dragThrough({{kHostX + 140, kHostY + 110}, {kHostX + 170, kHostY + 150}});
  });
  pumpUntil([view] { return !view->presses.empty(); }, 3000);
  user.join();
  pumpFor(100);

  ASSERT_EQ(view->presses.size(), 1u);
  EXPECT_EQ(view->presses[0], Point(120, 100));
  ASSERT_FALSE(view->path.empty());
  EXPECT_EQ(view->path.front(), Point(120, 100));
  EXPECT_EQ(view->path.back(), Point(170, 150));
  bool passedMiddle = false;
  for (const Point& p : view->path) passedMiddle |= p == Point(140, 110);
  EXPECT_TRUE(passedMiddle);
}

TEST_F(Win32Frame, FocusViewColoursTheEditBoxAndDrawsMenuItems) {
  auto* focus = new PaintingFocus;
  ASSERT_TRUE(frame->addChild(focus));
  frame->setFocusView(focus);
  HWND window = static_cast<HWND>(frame->getWindow());

  HDC dc = GetDC(window);
  const LRESULT brush = SendMessageW(window, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), 0);
  ASSERT_NE(brush, 0);
  EXPECT_EQ(GetTextColor(dc), RGB(255, 255, 0));
  EXPECT_EQ(GetBkColor(dc), RGB(255, 0, 255));
  LOGBRUSH made{};
  ASSERT_NE(GetObjectW(reinterpret_cast<HBRUSH>(brush), sizeof made, &made), 0);
  EXPECT_EQ(made.lbColor, RGB(255, 0, 255));
  ReleaseDC(window, dc);

  const char entry[] = "Entry";
  MEASUREITEMSTRUCT measure{};
  measure.CtlType = ODT_MENU;
  measure.itemData = reinterpret_cast<ULONG_PTR>(entry);
  EXPECT_EQ(SendMessageW(window, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)), 1);
  EXPECT_EQ(measure.itemWidth, 77u);
  EXPECT_EQ(measure.itemHeight, 18u);
  EXPECT_EQ(focus->measured, "Entry");
  EXPECT_TRUE(focus->hadContext);

  HDC memory = CreateCompatibleDC(nullptr);
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_MENU;
  item.itemID = 5;
  item.itemState = ODS_CHECKED | ODS_SELECTED;
  item.hDC = memory;
  item.rcItem = RECT{1, 2, 30, 20};
  item.itemData = reinterpret_cast<ULONG_PTR>(entry);
  EXPECT_EQ(SendMessageW(window, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item)), 1);
  EXPECT_EQ(focus->drawn, "Entry");
  EXPECT_EQ(focus->drawnCommand, 5);
  EXPECT_EQ(focus->drawnState, 1 | 4);
  EXPECT_EQ(focus->drawnRect, Rect(1, 2, 30, 21));

  // Items without data are the platform's.
  item.itemData = 0;
  focus->drawn.clear();
  SendMessageW(window, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_TRUE(focus->drawn.empty());
  DeleteDC(memory);
}

TEST_F(Win32Frame, HostClosingItsWindowFirstLeavesTheFrameClosed) {
  DestroyWindow(host);
  host = nullptr;
  EXPECT_FALSE(frame->isOpen());
  EXPECT_EQ(frame->getWindow(), nullptr);
  frame->idleUpdate();
  frame.reset();
  EXPECT_EQ(Frame::classRegistrations(), 0);
  char name[32];
  std::snprintf(
      name, sizeof name, "Plugin%08llx",
      static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(platform::moduleHandle())));
  WNDCLASSA gone{};
  EXPECT_FALSE(GetClassInfoA(GetModuleHandleA(nullptr), name, &gone));
}

}  // namespace
