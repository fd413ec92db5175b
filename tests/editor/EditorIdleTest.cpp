// The editor's idle cycle and window life on the software backend, with the scripted clock:
// sleeping moves the clock on, so nothing here waits.
#include <gtest/gtest.h>

#include <memory>

#include "gui/platform/software/ScriptedInput.h"
#include "gui/platform/software/WindowTree.h"
#include "tests/support/editor/EditorHarness.h"

namespace {

constexpr Rect kHostRect{100, 50, 700, 550};

class EditorIdleTest : public ::testing::Test {
 protected:
  EditorIdleTest() {
    tree.reset();
    input.reset();
    input.setStep(0);
    hostWindow = tree.createWindow(nullptr, kHostRect, "HostWindow", true);
    effect = std::make_unique<HarnessEffect>(host);
  }
  ~EditorIdleTest() override {
    effect.reset();
    tree.reset();
    input.reset();
  }

  HarnessEditor& editor() { return effect->editor(); }
  // One pump at the given time; true when it ran a full cycle (it asked the host for idle).
  bool pumpAt(std::uint32_t time) {
    input.setTime(time);
    const int before = host.count(audioMasterIdle);
    editor().pumpIdle();
    return host.count(audioMasterIdle) > before;
  }

  platform::software::WindowTree& tree = platform::software::windowTree();
  platform::software::ScriptedInput& input = platform::software::scriptedInput();
  platform::WindowHandle hostWindow = nullptr;
  RecordingHost host;
  std::unique_ptr<HarnessEffect> effect;
};

}  // namespace

TEST_F(EditorIdleTest, ASecondCallRightAfterACycleOnlySleeps) {
  editor().requestUpdate();
  EXPECT_TRUE(pumpAt(1000));
  EXPECT_EQ(editor().updates, 1);
  EXPECT_EQ(input.time(), 1000u) << "a call on time does not sleep";
  editor().requestUpdate();
  EXPECT_FALSE(pumpAt(1000));
  EXPECT_EQ(input.time(), 1001u) << "it slept 1 ms";
  EXPECT_EQ(editor().updates, 1);
  EXPECT_TRUE(pumpAt(1010));
  EXPECT_EQ(editor().updates, 2);
}

TEST_F(EditorIdleTest, ACallWithinSixMillisecondsOfTheNextCycleRunsItEarly) {
  for (std::uint32_t early = 1; early <= 9; ++early) {
    input.setTime(0);
    effect = std::make_unique<HarnessEffect>(host);
    ASSERT_TRUE(pumpAt(1000));
    editor().requestUpdate();
    const bool ran = pumpAt(1010 - early);
    EXPECT_EQ(ran, early <= 6) << early << " ms before";
    EXPECT_EQ(editor().updates, ran ? 1 : 0) << early << " ms before";
    EXPECT_EQ(input.time(), 1010 - early + 1) << "every early call sleeps 1 ms";
  }
}

TEST_F(EditorIdleTest, AnEarlyCycleSetsTheNextOneFromTheTimeAfterItsSleep) {
  ASSERT_TRUE(pumpAt(1000));
  ASSERT_TRUE(pumpAt(1004));
  EXPECT_FALSE(pumpAt(1008));
  EXPECT_TRUE(pumpAt(1009));
}

TEST_F(EditorIdleTest, TheThrottleKeepsWorkingWhenTheTickClockWraps) {
  input.setTime(0xFFFFFF00u);
  effect = std::make_unique<HarnessEffect>(host);
  ASSERT_TRUE(pumpAt(0xFFFFFFF0u));
  EXPECT_FALSE(pumpAt(0xFFFFFFF2u));
  EXPECT_TRUE(pumpAt(0x00000005u)) << "21 ms later, after the wrap";
  EXPECT_FALSE(pumpAt(0x00000006u));
}

TEST_F(EditorIdleTest, AHostThatAnswersTheIdleRequestWithAnIdleGetsNoNestedWork) {
  int nested = 0;
  host.onCall = [this, &nested](int32 opcode) {
    if (opcode != audioMasterIdle) return;
    ++nested;
    editor().requestUpdate();
    effect->dispatch(effEditIdle);
  };
  EXPECT_TRUE(pumpAt(1000));
  EXPECT_EQ(nested, 1);
  EXPECT_EQ(editor().updates, 0);
  host.onCall = nullptr;
  effect->dispatch(effEditIdle);
  EXPECT_EQ(editor().updates, 1) << "the request waits for the next idle of its own";
}

TEST_F(EditorIdleTest, OnlyAFullCycleDispatchesAWaitingPaint) {
  effect->dispatch(effEditOpen, 0, 0, hostWindow);
  const platform::WindowHandle window = editor().getFrame()->getWindow();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(pumpAt(1000));
  EXPECT_TRUE(tree.updateArea(window).isEmpty());

  tree.invalidate(window, nullptr);
  EXPECT_FALSE(pumpAt(1001));
  EXPECT_FALSE(tree.updateArea(window).isEmpty());
  EXPECT_TRUE(pumpAt(1010));
  EXPECT_TRUE(tree.updateArea(window).isEmpty());
  effect->dispatch(effEditClose);
}

TEST_F(EditorIdleTest, AnEditorDeletedWithItsWindowOpenTakesTheWindowWithIt) {
  effect->dispatch(effEditOpen, 0, 0, hostWindow);
  ASSERT_EQ(tree.windowCount(), 2);
  effect.reset();
  EXPECT_EQ(tree.windowCount(), 1) << "only the host's window is left";
  EXPECT_EQ(Frame::classRegistrations(), 0);
  EXPECT_EQ(tree.oleInitialisations(), 0) << "every OLE initialisation was given back";
  tree.press(Point(kHostRect.left + 10, kHostRect.top + 10), platform::PressedButton::Left);
  tree.dispatchMessages();
}
