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
#include "tests/gui/win32/HostedFrameTest.h"

namespace {

using namespace win32test;

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

class Win32Menu : public HostedFrameTest {
 protected:
  void SetUp() override {
    HostedFrameTest::SetUp();
    if (HasFatalFailure()) return;
    SetForegroundWindow(host);
  }

  // Pumps messages while, on a thread of its own, the menu is clicked with the left or right
  // button and user plays its part, and a little longer; the popup runs inside the dispatch of
  // the press. Answers what user set ok to.
  template <typename User>
  bool play(User user, bool right = false) {
    bool ok = false;
    std::atomic<bool> done = false;
    std::thread helper([&] {
      Sleep(200);
      clickMenu(right);
      user(ok);
      // A popup left open would keep the test waiting in the platform's menu loop.
      if (!ok) {
        pressKey(VK_ESCAPE);
        pressKey(VK_ESCAPE);
      }
      done = true;
    });
    DWORD finished = 0;
    pumpUntil(
        [&] {
          if (done && finished == 0) finished = GetTickCount();
          return finished != 0 && GetTickCount() - finished > 300;
        },
        8000);
    helper.join();
    return ok;
  }

  static void clickMenu(bool right = false) { clickAt(kHostX + 15, kHostY + 25, right); }

  // Opens the menu with a real left click and clicks entry index of its popup; false when no
  // popup was seen.
  bool chooseEntry(int index) {
    return play([index](bool& ok) {
      HWND popup = waitForPopup();
      ok = popup && clickEntry(popup, index);
    });
  }

  Listener listener;
};

TEST_F(Win32Menu, RealClickOnAnEntryReachesTheListener) {
  auto* menu = new ChoiceMenu(kMenuRect, &listener, 3, nullptr, nullptr, 0);
  for (const char* text : {"A", "-", "B", "C"}) ASSERT_TRUE(menu->insertEntry(text));
  ASSERT_TRUE(frame->addChild(menu));
  ASSERT_TRUE(chooseEntry(2)) << "no popup menu seen";
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
  const bool chose = play(
      [](bool& ok) {
        HWND popup = waitForPopup();
        ok = popup && clickEntry(popup, 1, true);
        // A right click that does not choose leaves the popup open.
        for (int tries = 0; ok && tries < 50 && visiblePopup(); ++tries) Sleep(20);
        if (visiblePopup()) ok = false;
      },
      true);
  ASSERT_TRUE(chose) << "the right button chose nothing";
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
  const bool seen = play([](bool& ok) {
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
  });
  ASSERT_TRUE(seen) << "no submenu seen";
  ASSERT_EQ(listener.told.size(), 1u);
  EXPECT_EQ(listener.told[0].control, submenu);
  EXPECT_EQ(listener.told[0].value, 1.0f);
  EXPECT_EQ(menu->getSelection(nullptr, true), 0);
}

TEST_F(Win32Menu, EscapeDismissesThePopupWithoutTellingAnyone) {
  auto* menu = new ChoiceMenu(kMenuRect, &listener, 3, nullptr, nullptr, 0);
  for (const char* text : {"A", "B"}) ASSERT_TRUE(menu->insertEntry(text));
  ASSERT_TRUE(frame->addChild(menu));
  ASSERT_TRUE(play([](bool& ok) {
    ok = waitForPopup() != nullptr;
    Sleep(100);
    pressKey(VK_ESCAPE);
  }));
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
  PaintedMenu(ControlListener* menuListener, RecordingPainter* painter)
      : ChoiceMenu(kMenuRect, menuListener, 3, nullptr, nullptr, 0) {
    itemPainter = painter;
  }
};

TEST_F(Win32Menu, OwnerDrawnEntriesGoThroughThePainter) {
  auto* painter = new RecordingPainter;
  painter->retain();
  auto* menu = new PaintedMenu(&listener, painter);
  for (const char* text : {"First", "-", "Last"}) ASSERT_TRUE(menu->insertEntry(text));
  ASSERT_TRUE(frame->addChild(menu));
  ASSERT_TRUE(chooseEntry(2));
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
