// Toggle, momentary and latch buttons under the scripted user, and drawn.
#include <limits>

#include "gui/controls/Button.h"
#include "tests/support/user/DragFixture.h"

namespace {

class ButtonTest : public DragTest {
 protected:
  // Each has its off image red above its on image green, 30 by 13, at (10, 150).
  ToggleButton* addToggle() {
    Bitmap* images = strip(30, 13, {kRed, kGreen});
    auto* button = add(new ToggleButton(Rect(10, 150, 40, 163), this, 20, images));
    images->release();
    return button;
  }
  MomentaryButton* addMomentary() {
    Bitmap* images = strip(30, 13, {kRed, kGreen});
    auto* button = add(new MomentaryButton(Rect(10, 150, 40, 163), this, 21, 13, images, Point()));
    images->release();
    return button;
  }
  LatchButton* addLatch() {
    Bitmap* images = strip(30, 13, {kRed, kGreen});
    auto* button = add(new LatchButton(Rect(10, 150, 40, 163), this, 22, 13, images, Point()));
    images->release();
    return button;
  }
};

TEST_F(ButtonTest, ToggleFlipsOnEveryPressByTheIntegerPartAndAlwaysTells) {
  ToggleButton* toggle = addToggle();
  toggle->setValue(0.7f);
  frame->idleUpdate();
  EXPECT_EQ(pixel(Point(20, 160)), kGreen);
  const std::pair<float, float> flips[] = {{0.7f, 1.0f},
                                           {1.0f, 0.0f},
                                           {-3.5f, 0.0f},
                                           {0.0f, 1.0f},
                                           {std::numeric_limits<float>::quiet_NaN(), 0.0f}};
  for (const auto& [before, after] : flips) {
    toggle->setValue(before);
    click(Point(20, 155));
    EXPECT_EQ(toggle->getValue(), after) << before;
  }
  // Told even when nothing changed; a Control-click toggles too; no gesture at all.
  toggle->setValue(0.0f);
  frame->idleUpdate();
  click(Point(20, 155), platform::kControlDown);
  EXPECT_TRUE(near(heardValues(), {1.0f}));
  EXPECT_TRUE(heard[0].withContext);
  EXPECT_EQ(count(audioMasterBeginEdit) + count(audioMasterEndEdit), 0);
  frame->idleUpdate();
  EXPECT_EQ(pixel(Point(20, 160)), kGreen);
}

TEST_F(ButtonTest, MomentaryIsOnWhileHeldInsideAndTellsThePressAndTheRelease) {
  MomentaryButton* button = addMomentary();
  moveAt(20, Point(80, 155));
  moveAt(40, Point(30, 160));
  buttonsAt(60, 0);
  press(Point(20, 155));
  EXPECT_TRUE(near(changes(), {1.0f, 0.0f, 1.0f, 0.0f}));
  EXPECT_EQ(heard.front().openGestures, 1);
  EXPECT_EQ(heard.back().openGestures, 0);
  EXPECT_EQ(button->getValue(), 0.0f);

  // Released outside, where the value is already 0: the release is still heard.
  moveAt(20, Point(80, 155));
  buttonsAt(40, 0);
  press(Point(20, 155));
  EXPECT_EQ(heard.back().value, 0.0f);
  EXPECT_EQ(heard.back().openGestures, 0);

  // A modifier at the press flips once, with no gesture and no tracking.
  moveAt(20, Point(80, 155));
  buttonsAt(40, 0);
  press(Point(20, 155), platform::kControlDown);
  EXPECT_TRUE(near(heardValues(), {1.0f, 0.0f}));
  EXPECT_EQ(count(audioMasterBeginEdit), 0);
}

TEST_F(ButtonTest, LatchKeepsTheFlipWhenReleasedOverItAndUndoesItElsewhere) {
  LatchButton* latch = addLatch();
  click(Point(20, 155));
  EXPECT_EQ(latch->getValue(), 1.0f);
  EXPECT_EQ(count(audioMasterBeginEdit), 1);
  EXPECT_EQ(count(audioMasterEndEdit), 1);

  moveAt(20, Point(60, 155));
  buttonsAt(40, 0);
  press(Point(20, 155));
  EXPECT_TRUE(near(changes(), {0.0f, 1.0f}));
  EXPECT_EQ(latch->getValue(), 1.0f);

  // No Control-click reset: it flips; and a modifier going down ends the drag in place.
  buttonsAt(20, platform::kPhysicalLeft | platform::kControlDown | platform::kShiftDown);
  moveAt(40, Point(60, 155));
  buttonsAt(60, 0);
  press(Point(20, 155), platform::kControlDown);
  EXPECT_EQ(latch->getValue(), 0.0f);
}

TEST_F(ButtonTest, DrawnButtonsMatchTheirPicture) {
  Bitmap* images = strip(8, 6, {kRed, kGreen});
  Control* controls[6];
  for (int on = 0; on < 2; ++on) {
    controls[on] = new ToggleButton(Rect(2 + 10 * on, 2, 10 + 10 * on, 8), nullptr, 0, images);
    controls[2 + on] =
        new MomentaryButton(Rect(22 + 10 * on, 2, 30 + 10 * on, 8), nullptr, 0, 6, images, Point());
    controls[4 + on] =
        new LatchButton(Rect(42 + 10 * on, 2, 50 + 10 * on, 8), nullptr, 0, 6, images, Point());
    for (int kind = 0; kind < 3; ++kind) controls[2 * kind + on]->setValue(static_cast<float>(on));
  }
  images->release();
  EXPECT_TRUE(
      drawnMatches("buttons", 62, 10,
                   {controls[0], controls[1], controls[2], controls[3], controls[4], controls[5]}));
}

}  // namespace
