// The X11 backend's popup menus in this process, over a window of the backend's own: an entry
// chosen by a click, a click outside dismissing the menu, and no window left behind.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include "gui/platform/PopupMenu.h"
#include "gui/platform/x11/BackendChoice.h"
#include "gui/platform/x11/X11Windows.h"
#include "tests/x11/XServer.h"

namespace {

constexpr std::int32_t kMenuX = 100;
constexpr std::int32_t kMenuY = 100;

class X11PopupMenu : public testing::Test {
 protected:
  void SetUp() override {
    static std::unique_ptr<xtest::XServer> shared = xtest::XServer::connect();
    server = shared.get();
    if (!server) GTEST_SKIP() << "no X server with XTEST (run under xvfb-run)";
    platform::x11::useX11UnlessHeadless();
    ASSERT_TRUE(platform::x11::onX11());
    host = server->makeWindow(0, 0, 300, 300);
    platform::x11::X11Windows& windows = platform::x11::x11Windows();
    windows.registerWindowClass("PopupOwner");
    owner = windows.createChildWindow("PopupOwner", reinterpret_cast<void*>(std::uintptr_t{host}),
                                      "", 300, 300);
    ASSERT_NE(owner, nullptr);
  }

  void TearDown() override {
    if (!server) return;
    platform::x11::x11Windows().destroyWindow(owner);
    platform::x11::x11Windows().unregisterWindowClass("PopupOwner");
    server->destroy(host);
  }

  // Tracks a menu of three entries (the middle one greyed) while the user clicks at a point.
  std::int32_t trackWhileUserClicks(std::int32_t x, std::int32_t y) {
    std::unique_ptr<platform::PopupMenu> menu = platform::createPopupMenu();
    menu->appendEntry("One", 10, 0);
    menu->appendEntry("Greyed", 20, platform::kMenuGreyed);
    menu->appendEntry("Three", 30, 0);
    std::thread user([&] {
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
      server->moveTo(x, y);
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      server->button(1, true);
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      server->button(1, false);
      // A click on a greyed entry keeps the menu: one more on the last entry ends it.
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      server->moveTo(kMenuX + 10, kMenuY + 45);
      server->button(1, true);
      server->button(1, false);
    });
    std::int32_t chosen;
    {
      // Menus run inside the editor's event handling, which holds the lock.
      std::lock_guard<std::recursive_mutex> hold(platform::x11::x11Windows().uiLock());
      chosen = menu->track(owner, Point(kMenuX, kMenuY), false);
    }
    user.join();
    return chosen;
  }

  xtest::XServer* server = nullptr;
  xcb_window_t host = 0;
  platform::WindowHandle owner = nullptr;
};

TEST_F(X11PopupMenu, AClickChoosesTheEntryUnderThePointer) {
  EXPECT_EQ(trackWhileUserClicks(kMenuX + 10, kMenuY + 8), 10);
  // The menu's window went with the choice.
  EXPECT_EQ(platform::x11::x11Windows().windowCount(), 1);
}

TEST_F(X11PopupMenu, AGreyedEntryCannotBeChosen) {
  EXPECT_EQ(trackWhileUserClicks(kMenuX + 10, kMenuY + 27), 30);
}

TEST_F(X11PopupMenu, AClickOutsideDismissesTheMenu) {
  EXPECT_EQ(trackWhileUserClicks(kMenuX + 250, kMenuY + 150), platform::kNoMenuCommand);
  EXPECT_EQ(platform::x11::x11Windows().windowCount(), 1);
}

TEST_F(X11PopupMenu, AnEmptyMenuAnswersAtOnce) {
  std::unique_ptr<platform::PopupMenu> menu = platform::createPopupMenu();
  EXPECT_EQ(menu->track(owner, Point(kMenuX, kMenuY), false), platform::kNoMenuCommand);
  EXPECT_FALSE(menu->appendEntry("Out of range", platform::kMenuCommandLimit, 0));
}

}  // namespace
