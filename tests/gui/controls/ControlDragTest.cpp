// Controls in an open editor, played by the scripted user: drags with their automation
// gestures, resets, the wheel and arrow keys through the host, and double-click timing.
#include <gtest/gtest.h>

#include "gui/platform/software/ScriptedInput.h"
#include "gui/platform/software/WindowTree.h"
#include "tests/gui/controls/ControlProbes.h"
#include "tests/support/editor/EditorHarness.h"

namespace {

constexpr std::int32_t kTag = 7;
// The host's window: client area at (100, 50) of the screen; the frame fills its top left.
constexpr Rect kHostRect{100, 50, 700, 550};
constexpr Rect kFaderRect{10, 20, 110, 40};

Point onScreen(Point inFrame) {
  return Point(kHostRect.left + inFrame.x, kHostRect.top + inFrame.y);
}

class ControlDragTest : public ::testing::Test {
 protected:
  ControlDragTest() {
    tree.reset();
    input.reset();
    hostWindow = tree.createWindow(nullptr, kHostRect, "HostWindow", true);
    effect = std::make_unique<HarnessEffect>(host);
    effect->dispatch(effEditOpen, 0, 0, hostWindow);
    frame = effect->editor().getFrame();
  }
  ~ControlDragTest() override {
    effect->dispatch(effEditClose);
    effect.reset();
    tree.reset();
    input.reset();
  }

  TestFader* addFader(DragRules rules = {DragHold::LeftButton, true, false}) {
    auto* fader = new TestFader(kFaderRect, &listener, kTag, rules);
    frame->addChild(fader);
    return fader;
  }
  // The user presses the left button (with whatever is already held) and the message
  // loop hands the press to the frame.
  void press(Point inFrame) {
    tree.press(onScreen(inFrame), platform::PressedButton::Left);
    tree.dispatchMessages();
  }
  // The edit gesture as the host saw it, without the idle requests in between.
  std::vector<int32> gestures() const { return host.opcodes({audioMasterIdle}); }

  platform::software::WindowTree& tree = platform::software::windowTree();
  platform::software::ScriptedInput& input = platform::software::scriptedInput();
  platform::WindowHandle hostWindow = nullptr;
  RecordingHost host;
  std::unique_ptr<HarnessEffect> effect;
  Frame* frame = nullptr;
  RecordingListener listener;
};

}  // namespace

TEST_F(ControlDragTest, ADragIsOneGestureForTheHostAndTheListenerFollowsTheCursor) {
  TestFader* fader = addFader();
  input.cursorAt(20, onScreen(Point(60, 30)));
  input.cursorAt(40, onScreen(Point(300, 30)));
  input.buttonsAt(60, 0);
  press(Point(20, 30));

  EXPECT_EQ(gestures(), (std::vector<int32>{audioMasterBeginEdit, audioMasterEndEdit}));
  for (const RecordedCall& call : host.calls) {
    if (call.opcode != audioMasterIdle) {
      EXPECT_EQ(call.index, kTag);
    }
  }
  EXPECT_GT(host.count(audioMasterIdle), 0) << "the window keeps its idle cycle during a drag";
  ASSERT_EQ(listener.heard.size(), 3u) << "only changes are reported";
  EXPECT_FLOAT_EQ(listener.heard[0].value, 0.1f);
  EXPECT_FLOAT_EQ(listener.heard[1].value, 0.5f);
  EXPECT_FLOAT_EQ(listener.heard[2].value, 1.0f) << "the drag clamps at the end";
  EXPECT_NE(listener.heard[0].context, nullptr);
  EXPECT_EQ(frame->getFocusView(), fader);
}

TEST_F(ControlDragTest, AControlClickRestoresTheResetValueWithoutAGesture) {
  TestFader* fader = addFader();
  input.setButtons(platform::kControlDown);
  press(Point(90, 30));
  EXPECT_EQ(fader->getValue(), 0.5f);
  ASSERT_EQ(listener.heard.size(), 1u);
  EXPECT_TRUE(gestures().empty());
  EXPECT_TRUE(fader->passWords.empty());

  fader->update(nullptr);
  press(Point(90, 30));
  EXPECT_EQ(listener.heard.size(), 1u) << "a reset that changes nothing is not reported";
}

TEST_F(ControlDragTest, AControlShiftClickIsAnOrdinaryDrag) {
  TestFader* fader = addFader();
  input.setButtons(platform::kControlDown | platform::kShiftDown);
  input.buttonsAt(30, 0);
  press(Point(60, 30));
  EXPECT_EQ(fader->pressWords, (std::vector<std::int32_t>{kButtonLeft | kModControl | kModShift}));
  EXPECT_EQ(gestures(), (std::vector<int32>{audioMasterBeginEdit, audioMasterEndEdit}));
  EXPECT_FLOAT_EQ(fader->getValue(), 0.5f);
}

TEST_F(ControlDragTest, PressesThatAreNotForTheControlStartNothing) {
  TestFader* fader = addFader();
  tree.press(onScreen(Point(60, 30)), platform::PressedButton::Right);
  input.setButtons(0);
  tree.dispatchMessages();

  fader->setMouseActive(false);
  press(Point(60, 30));
  input.setButtons(0);

  fader->setMouseActive(true);
  fader->grabAnswer = false;
  press(Point(60, 30));

  EXPECT_TRUE(fader->passWords.empty());
  EXPECT_TRUE(gestures().empty());
  EXPECT_TRUE(listener.heard.empty());
  EXPECT_EQ(frame->getFocusView(), nullptr);
}

TEST_F(ControlDragTest, AFamilyChoosesWhetherAChangedModifierEndsTheDrag) {
  TestFader* whileLeft = addFader({DragHold::LeftButton, false, false});
  input.buttonsAt(20, platform::kPhysicalLeft | platform::kShiftDown);
  input.buttonsAt(40, 0);
  press(Point(60, 30));
  EXPECT_EQ(whileLeft->passWords.back(), kButtonLeft | kModShift);
  EXPECT_GE(input.time(), 40u);

  frame->removeChild(whileLeft, true);
  host.calls.clear();
  TestFader* whilePressed = addFader({DragHold::PressWord, false, false});
  const std::uint32_t start = input.time();
  input.buttonsAt(start + 20, platform::kPhysicalLeft | platform::kShiftDown);
  input.buttonsAt(start + 200, 0);
  press(Point(60, 30));
  EXPECT_LT(input.time(), start + 200) << "pressing Shift ended the drag";
  for (std::int32_t word : whilePressed->passWords) EXPECT_EQ(word, kButtonLeft);
  EXPECT_EQ(gestures(), (std::vector<int32>{audioMasterBeginEdit, audioMasterEndEdit}));
  EXPECT_EQ(frame->getFocusView(), nullptr) << "these rules leave the focus alone";
}

TEST_F(ControlDragTest, AFamilyThatTestsAfterThePassStillActsOnAQuickRelease) {
  TestFader* before = addFader({DragHold::LeftButton, false, false});
  before->onGrab = [this] { input.setButtons(0); };
  press(Point(60, 30));
  EXPECT_TRUE(before->passWords.empty());
  EXPECT_EQ(gestures(), (std::vector<int32>{audioMasterBeginEdit, audioMasterEndEdit}));

  frame->removeChild(before, true);
  TestFader* after = addFader({DragHold::LeftButton, false, true});
  after->onGrab = [this] { input.setButtons(0); };
  press(Point(60, 30));
  EXPECT_EQ(after->passWords, (std::vector<std::int32_t>{0}));
  EXPECT_FLOAT_EQ(after->getValue(), 0.5f);
}

TEST_F(ControlDragTest, TheWheelWithShiftMovesATenthOfTheStep) {
  TestFader* fader = addFader();
  input.setCursor(onScreen(Point(50, 30)));
  input.setButtons(platform::kShiftDown);
  EXPECT_TRUE(effect->editor().onWheel(2.0f));
  EXPECT_FLOAT_EQ(fader->getValue(), 0.02f);
  input.setButtons(0);
  EXPECT_TRUE(effect->editor().onWheel(20.0f));
  EXPECT_EQ(fader->getValue(), 1.0f);
  ASSERT_EQ(listener.heard.size(), 2u);
  EXPECT_NE(listener.heard[0].context, nullptr);

  input.setCursor(onScreen(Point(200, 200)));
  EXPECT_FALSE(effect->editor().onWheel(1.0f)) << "no view under the cursor";
}

TEST_F(ControlDragTest, ArrowKeysFromTheHostReachTheControl) {
  TestFader* fader = addFader();
  EXPECT_EQ(effect->dispatch(effEditKeyDown, 0, kKeyUp, nullptr, 0.0f), 1);
  EXPECT_EQ(effect->dispatch(effEditKeyDown, 0, kKeyRight, nullptr, kModifierShift), 1);
  EXPECT_FLOAT_EQ(fader->getValue(), 0.11f);
  EXPECT_EQ(effect->dispatch(effEditKeyDown, 'a', 0, nullptr, 0.0f), -1);
  EXPECT_EQ(effect->dispatch(effEditKeyUp, 0, kKeyUp, nullptr, 0.0f), -1);
  ASSERT_EQ(listener.heard.size(), 2u);
  EXPECT_EQ(listener.heard[1].context, nullptr);
  EXPECT_TRUE(gestures().empty());
}

TEST_F(ControlDragTest, TwoClicksWithinTheDelayAreADoubleClickAndTheThirdStartsAfresh) {
  input.setDoubleClickTime(400);
  TestFader* fader = addFader();
  input.setStep(0);
  auto clickAt = [&](std::uint32_t time) {
    input.setTime(time);
    return fader->checkDoubleClick();
  };
  EXPECT_FALSE(clickAt(1000));
  EXPECT_TRUE(clickAt(1399));
  EXPECT_FALSE(clickAt(1500)) << "the click after a double click is a first click";
  EXPECT_FALSE(clickAt(1900)) << "400 ms apart is too slow";
  EXPECT_TRUE(clickAt(2000));
}

TEST_F(ControlDragTest, TheDoubleClickDelayIsNeverBelow250Milliseconds) {
  input.setDoubleClickTime(100);
  TestFader* fader = addFader();
  input.setStep(0);
  for (std::uint32_t gap : {249u, 250u}) {
    input.setTime(10000 * gap);
    fader->checkDoubleClick();
    input.setTime(10000 * gap + gap);
    EXPECT_EQ(fader->checkDoubleClick(), gap < 250) << gap << " ms apart";
  }
}

TEST_F(ControlDragTest, DoubleClicksWorkAcrossTheWrapOfTheTickClock) {
  TestFader* fader = addFader();
  input.setStep(0);
  input.setTime(0xFFFFFFF0u);
  EXPECT_FALSE(fader->checkDoubleClick());
  input.setTime(0x40u);
  EXPECT_TRUE(fader->checkDoubleClick());
  input.setTime(0x7FFFFFF0u);
  EXPECT_FALSE(fader->checkDoubleClick());
  input.setTime(0x80000040u);
  EXPECT_TRUE(fader->checkDoubleClick()) << "ticks above 2^31 count like any others";
}
