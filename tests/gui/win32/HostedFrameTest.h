// A fixture for the suites that put a frame into the host's window: the window is opened by the
// first test and lives as long as the suite (destroying a window takes Wine's display driver
// long); each test gets a fresh frame of the editor's size in it.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "gui/core/Frame.h"
#include "gui/platform/Module.h"
#include "tests/support/win32/Win32TestHost.h"

class HostedFrameTest : public ::testing::Test {
 protected:
  // The host's window stands at screen point (x, y) when this test is the first to open it.
  explicit HostedFrameTest(int x = win32test::kHostX, int y = win32test::kHostY)
      : hostX(x), hostY(y) {}

  // A test may destroy host itself and set it to null; the next test opens a new one.
  static void TearDownTestSuite() {
    win32test::closeHostWindow(host);
    host = nullptr;
  }

  // Derived suites call this first and return when it failed (HasFatalFailure()).
  void SetUp() override {
    platform::setModuleHandle(GetModuleHandleW(nullptr));
    if (!host) host = win32test::openHostWindow(hostX, hostY);
    ASSERT_NE(host, nullptr) << GetLastError();
    frame = std::make_unique<Frame>(Rect(0, 0, 293, 249), host, nullptr);
    ASSERT_NE(frame->getWindow(), nullptr);
  }
  void TearDown() override {
    frame.reset();
    platform::setModuleHandle(nullptr);
  }

  const int hostX;
  const int hostY;
  static inline HWND host = nullptr;
  std::unique_ptr<Frame> frame;
};
