// A host window on the software backend's pretend screen with a frame open in it, and a
// view that also logs the focus it loses, for the frame tests.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "gui/core/Frame.h"
#include "gui/platform/software/ScriptedInput.h"
#include "gui/platform/software/WindowTree.h"
#include "tests/gui/controls/ViewProbes.h"

using Log = std::vector<std::string>;

class FocusProbe : public ProbeView {
 public:
  FocusProbe(const Rect& bounds, std::string probeName, std::vector<std::string>* probeLog)
      : ProbeView(bounds, probeName, probeLog), label(std::move(probeName)), focusLog(probeLog) {}
  void focusLost(DrawContext* context) override {
    focusLog->push_back(label + (context ? " focus lost with context" : " focus lost"));
  }

 private:
  std::string label;
  std::vector<std::string>* focusLog;
};

class FrameTest : public ::testing::Test {
 protected:
  static constexpr Rect kEditorSize{0, 0, 293, 249};
  // The host's window: client area at (100, 50) of the screen.
  static constexpr Rect kHostRect{100, 50, 700, 550};

  void SetUp() override {
    tree.reset();
    input.reset();
    host = tree.createWindow(nullptr, kHostRect, "HostWindow", true);
    frame = std::make_unique<Frame>(kEditorSize, host, nullptr);
  }
  void TearDown() override {
    frame.reset();
    tree.reset();
    input.reset();
  }

  // A view of the frame that the frame owns from now on.
  ProbeView* add(const Rect& size, const std::string& name) {
    auto* view = new FocusProbe(size, name, &log);
    EXPECT_TRUE(frame->addChild(view));
    return view;
  }
  // The user presses the left button at a point of the frame and the message is handled.
  void click(Point inFrame) {
    tree.press(Point(kHostRect.left + inFrame.x, kHostRect.top + inFrame.y),
               platform::PressedButton::Left);
    input.setButtons(0);
    tree.dispatchMessages();
  }

  platform::software::WindowTree& tree = platform::software::windowTree();
  platform::software::ScriptedInput& input = platform::software::scriptedInput();
  platform::WindowHandle host = nullptr;
  std::unique_ptr<Frame> frame;
  std::vector<std::string> log;
};
