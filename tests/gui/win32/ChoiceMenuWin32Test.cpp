// The option menu in a real frame window: a real click opens the platform's popup menu, and
// real clicks on its entries (sent from a helper thread while the popup waits) reach the
// listener; Escape dismisses it; owner-drawn entries are measured and drawn by the menu's
// painter through the frame.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "gui/controls/ChoiceMenu.h"
#include "gui/controls/MenuItemPainter.h"
#include "gui/core/Frame.h"
#include "host/ModuleHandle.h"

namespace {

constexpr wchar_t kHostClass[] = L"QuaverlingMenuHost";
constexpr int kHostX = 60;
constexpr int kHostY = 40;
constexpr Rect kMenuRect{10, 20, 90, 36};

struct Told {
  Control* control;
  float value;
};

struct Listener : ControlListener {
  void valueChanged(DrawContext*, Control* control) override {
    told.push_back({control, control->getValue()});
  }
  std::vector<Told> told;
};

void sendMouse(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof input);
}

void clickAt(int x, int y, bool right = false) {
  SetCursorPos(x, y);
  sendMouse(MOUSEEVENTF_MOVE);
  Sleep(50);
  sendMouse(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
  Sleep(50);
  sendMouse(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
}

void pressKey(WORD key) {
  INPUT input[2] = {};
  input[0].type = INPUT_KEYBOARD;
  input[0].ki.wVk = key;
  input[1] = input[0];
  input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, input, sizeof input[0]);
}

// The popup menu window on the screen now, or null.
HWND visiblePopup() {
  HWND window = nullptr;
  while ((window = FindWindowExW(nullptr, window, L"#32768", nullptr)) != nullptr) {
    if (IsWindowVisible(window)) return window;
  }
  return nullptr;
}

HWND waitForPopup() {
  for (int tries = 0; tries < 200; ++tries) {
    if (HWND window = visiblePopup()) return window;
    Sleep(20);
  }
  return nullptr;
}

// Clicks the centre of entry index of the popup shown in window.
bool clickEntry(HWND popupWindow, int index, bool right = false) {
  auto menu = reinterpret_cast<HMENU>(SendMessageW(popupWindow, MN_GETHMENU, 0, 0));
  RECT r;
  if (!menu || !GetMenuItemRect(nullptr, menu, static_cast<UINT>(index), &r)) return false;
  clickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2, right);
  return true;
}

class Win32Menu : public ::testing::Test {
 protected:
  static void TearDownTestSuite() {
    if (host) DestroyWindow(host);
    host = nullptr;
    UnregisterClassW(kHostClass, GetModuleHandleW(nullptr));
  }

  void SetUp() override {
    moduleHandle = GetModuleHandleW(nullptr);
    if (!host) {
      WNDCLASSW hostClass{};
      hostClass.lpfnWndProc = DefWindowProcW;
      hostClass.hInstance = GetModuleHandleW(nullptr);
      hostClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
      hostClass.lpszClassName = kHostClass;
      RegisterClassW(&hostClass);
      host =
          CreateWindowExW(WS_EX_TOPMOST, kHostClass, L"Host", WS_POPUP | WS_VISIBLE, kHostX, kHostY,
                          400, 320, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ASSERT_NE(host, nullptr);
    SetForegroundWindow(host);
    frame = std::make_unique<Frame>(Rect(0, 0, 293, 249), host, nullptr);
    ASSERT_NE(frame->getWindow(), nullptr);
  }
  void TearDown() override {
    frame.reset();
    moduleHandle = nullptr;
  }

  // Pumps messages while user plays its part on a thread of its own, and a little longer;
  // the popup runs inside the dispatch of the press.
  void play(void (*user)(bool& ok), bool& ok) {
    std::atomic<bool> done = false;
    std::thread helper([&] {
      user(ok);
      // A popup left open would keep the test waiting in the platform's menu loop.
      if (!ok) {
        pressKey(VK_ESCAPE);
        pressKey(VK_ESCAPE);
      }
      done = true;
    });
    const DWORD start = GetTickCount();
    DWORD finished = 0;
    while (GetTickCount() - start < 8000) {
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
      if (done && finished == 0) finished = GetTickCount();
      if (finished != 0 && GetTickCount() - finished > 300) break;
      Sleep(5);
    }
    helper.join();
  }

  static void clickMenu(bool right = false) { clickAt(kHostX + 15, kHostY + 25, right); }

  static inline HWND host = nullptr;
  std::unique_ptr<Frame> frame;
  Listener listener;
};

TEST_F(Win32Menu, RealClickOnAnEntryReachesTheListener) {
  auto* menu = new ChoiceMenu(kMenuRect, &listener, 3, nullptr, nullptr, 0);
  for (const char* text : {"A", "-", "B", "C"}) ASSERT_TRUE(menu->insertEntry(text));
  ASSERT_TRUE(frame->addChild(menu));
  bool ok = false;
  play(
      [](bool& ok) {
        Sleep(200);
        clickMenu();
        HWND popup = waitForPopup();
        ok = popup && clickEntry(popup, 2);
      },
      ok);
  ASSERT_TRUE(ok) << "no popup menu seen";
  ASSERT_EQ(listener.told.size(), 1u);
  EXPECT_EQ(listener.told[0].control, menu);
  EXPECT_EQ(listener.told[0].value, 2.0f);
  EXPECT_EQ(menu->getSelection(nullptr, true), 2);
  EXPECT_EQ(frame->getFocusView(), nullptr);
  EXPECT_FALSE(menu->isPopupOpen());
}

TEST_F(Win32Menu, OpenedWithTheRightButtonTheRightButtonChooses) {
  auto* menu = new ChoiceMenu(kMenuRect, &listener, 3, nullptr, nullptr, 0);
  for (const char* text : {"A", "B", "C"}) ASSERT_TRUE(menu->insertEntry(text));
  ASSERT_TRUE(frame->addChild(menu));
  bool ok = false;
  play(
      [](bool& ok) {
        Sleep(200);
        clickMenu(true);
        HWND popup = waitForPopup();
        ok = popup && clickEntry(popup, 1, true);
        // A right click that does not choose leaves the popup open.
        for (int tries = 0; ok && tries < 50 && visiblePopup(); ++tries) Sleep(20);
        if (visiblePopup()) ok = false;
      },
      ok);
  ASSERT_TRUE(ok) << "the right button chose nothing";
  ASSERT_EQ(listener.told.size(), 1u);
  EXPECT_EQ(listener.told[0].value, 1.0f);
}

TEST_F(Win32Menu, RealClickInASubmenuTellsAboutTheSubmenu) {
  auto* menu = new ChoiceMenu(kMenuRect, &listener, 3, nullptr, nullptr, 0);
  auto* submenu = new ChoiceMenu(kMenuRect, nullptr, 0, nullptr, nullptr, 0);
  for (const char* text : {"x", "y"}) ASSERT_TRUE(submenu->insertEntry(text));
  ASSERT_TRUE(menu->insertEntry("A"));
  ASSERT_TRUE(menu->appendSubmenu(submenu, "More"));
  submenu->release();
  ASSERT_TRUE(frame->addChild(menu));
  bool ok = false;
  play(
      [](bool& ok) {
        Sleep(200);
        clickMenu();
        HWND popup = waitForPopup();
        if (!popup || !clickEntry(popup, 1)) return;
        auto top = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
        HMENU inner = GetSubMenu(top, 1);
        RECT r;
        for (int tries = 0; tries < 100 && !ok; ++tries) {
          ok = inner && GetMenuItemRect(nullptr, inner, 1, &r) && r.right > r.left;
          if (!ok) Sleep(20);
        }
        if (ok) clickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
      },
      ok);
  ASSERT_TRUE(ok) << "no submenu seen";
  ASSERT_EQ(listener.told.size(), 1u);
  EXPECT_EQ(listener.told[0].control, submenu);
  EXPECT_EQ(listener.told[0].value, 1.0f);
  EXPECT_EQ(menu->getSelection(nullptr, true), 0);
}

TEST_F(Win32Menu, EscapeDismissesThePopupWithoutTellingAnyone) {
  auto* menu = new ChoiceMenu(kMenuRect, &listener, 3, nullptr, nullptr, 0);
  for (const char* text : {"A", "B"}) ASSERT_TRUE(menu->insertEntry(text));
  ASSERT_TRUE(frame->addChild(menu));
  bool ok = false;
  play(
      [](bool& ok) {
        Sleep(200);
        clickMenu();
        ok = waitForPopup() != nullptr;
        Sleep(100);
        pressKey(VK_ESCAPE);
      },
      ok);
  ASSERT_TRUE(ok);
  EXPECT_TRUE(listener.told.empty());
  EXPECT_EQ(menu->getLastCommand(), -1);
  EXPECT_EQ(menu->getSelection(nullptr, true), 0);
  EXPECT_EQ(frame->getFocusView(), nullptr);
}

// A painter that records what the frame asks of it.
class RecordingPainter : public MenuItemPainter {
 public:
  void measureItem(const char* text, DrawContext* context, Point& size) override {
    MenuItemPainter::measureItem(text, context, size);
    measured.push_back(text);
  }
  void drawItem(const char* text, std::int32_t command, std::int32_t stateBits,
                DrawContext* context, const Rect& rect) override {
    MenuItemPainter::drawItem(text, command, stateBits, context, rect);
    drawn.push_back(text);
  }
  std::vector<std::string> measured;
  std::vector<std::string> drawn;
};

class PaintedMenu : public ChoiceMenu {
 public:
  PaintedMenu(ControlListener* listener, RecordingPainter* painter)
      : ChoiceMenu(kMenuRect, listener, 3, nullptr, nullptr, 0) {
    itemPainter = painter;
  }
};

TEST_F(Win32Menu, OwnerDrawnEntriesGoThroughThePainter) {
  auto* painter = new RecordingPainter;
  painter->retain();
  auto* menu = new PaintedMenu(&listener, painter);
  for (const char* text : {"First", "-", "Last"}) ASSERT_TRUE(menu->insertEntry(text));
  ASSERT_TRUE(frame->addChild(menu));
  bool ok = false;
  play(
      [](bool& ok) {
        Sleep(200);
        clickMenu();
        HWND popup = waitForPopup();
        ok = popup && clickEntry(popup, 2);
      },
      ok);
  ASSERT_TRUE(ok);
  ASSERT_EQ(listener.told.size(), 1u);
  EXPECT_EQ(listener.told[0].value, 2.0f);
  EXPECT_EQ(painter->measured, (std::vector<std::string>{"First", "-", "Last"}));
  bool drewLast = false;
  for (const std::string& text : painter->drawn) drewLast |= text == "Last";
  EXPECT_TRUE(drewLast);
  frame.reset();
  EXPECT_EQ(painter->referenceCount(), 1);
  painter->release();
}

}  // namespace
