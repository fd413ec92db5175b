// Multi-position switches and the spring-back rocker under the scripted user, and drawn.
#include <limits>

#include "gui/controls/Switch.h"
#include "tests/support/user/DragFixture.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

class SwitchTest : public DragTest {
 protected:
  // Four positions with images 20 pixels high, at (100, 100).
  VerticalSwitch* addFourWay() {
    Bitmap* images = strip(15, 20, {kRed, kGreen, kBlue, kYellow});
    auto* control =
        add(new VerticalSwitch(Rect(100, 100, 115, 120), this, 8, 4, 20, 4, images, Point()));
    images->release();
    return control;
  }
  // The rocker at (150, 100), 20 by 20; images of -1, 0 and 1.
  SpringSwitch* addRocker(std::int32_t style) {
    Bitmap* images = strip(20, 20, {kRed, kGreen, kBlue});
    auto* control =
        add(new SpringSwitch(Rect(150, 100, 170, 120), this, 9, 20, images, Point(), style));
    images->release();
    return control;
  }
};

TEST_F(SwitchTest, PressPicksTheBandUnderTheCursorAndDraggingBeyondClamps) {
  VerticalSwitch* control = addFourWay();
  const std::pair<int, float> bands[] = {{0, 0.0f},     {4, 0.0f},      {5, 1.0f / 3},
                                         {9, 1.0f / 3}, {10, 2.0f / 3}, {14, 2.0f / 3},
                                         {15, 1.0f},    {19, 1.0f},     {20, 1.0f}};
  for (const auto& [below, value] : bands) {
    click(Point(107, 100 + below));
    EXPECT_EQ(control->getValue(), value) << below << " below the top";
  }
  // Beyond either end of the switch, then a modifier goes down: the drag ends there.
  moveAt(20, Point(107, 170));
  moveAt(40, Point(107, 40));
  buttonsAt(60, platform::kPhysicalLeft | platform::kShiftDown);
  moveAt(80, Point(107, 112));
  buttonsAt(100, 0);
  press(Point(107, 107));
  EXPECT_TRUE(near(changes(), {1.0f / 3, 1.0f, 0.0f}));
  EXPECT_EQ(control->getValue(), 0.0f);
  for (const Heard& h : heard) EXPECT_EQ(h.openGestures, 1);
  EXPECT_EQ(count(audioMasterEndEdit), 1);
  EXPECT_EQ(hostProgram.calls.back().index, 8);
  // Switches do not take the keyboard focus.
  EXPECT_EQ(frame->getFocusView(), nullptr);
}

TEST_F(SwitchTest, ControlClickResetsToZeroWithoutAGesture) {
  VerticalSwitch* control = addFourWay();
  control->setValue(2.0f / 3);
  frame->idleUpdate();
  click(Point(107, 118), platform::kControlDown);
  EXPECT_TRUE(near(heardValues(), {0.0f}));
  EXPECT_EQ(count(audioMasterBeginEdit) + count(audioMasterEndEdit), 0);
}

TEST_F(SwitchTest, ImagesFollowTheValueAndNeverLeaveTheStrip) {
  VerticalSwitch* control = addFourWay();
  const std::pair<float, Color> shown[] = {{0.5f, kBlue},   {0.16f, kRed}, {0.17f, kGreen},
                                           {3.0f, kYellow}, {-1.0f, kRed}, {kNaN, kRed}};
  for (const auto& [value, color] : shown) {
    control->setValue(value);
    frame->idleUpdate();
    EXPECT_EQ(pixel(Point(107, 119)), color) << value;
  }
}

TEST_F(SwitchTest, HorizontalSwitchSplitsTheBitmapWidth) {
  Bitmap* images = strip(30, 10, {kRed, kGreen, kBlue});
  auto* control =
      add(new HorizontalSwitch(Rect(10, 10, 40, 20), this, 1, 3, 10, 3, images, Point()));
  images->release();
  const std::pair<int, float> bands[] = {{0, 0.0f}, {9, 0.0f}, {10, 0.5f}, {20, 1.0f}, {30, 1.0f}};
  for (const auto& [right, value] : bands) {
    click(Point(10 + right, 15));
    EXPECT_EQ(control->getValue(), value) << right << " right of the left edge";
  }
}

TEST_F(SwitchTest, SwitchesWithoutBandsStayAtZero) {
  Bitmap* images = strip(10, 10, {kRed});
  Control* controls[] = {
      add(new VerticalSwitch(Rect(0, 0, 10, 10), this, 1, 1, 10, 1, images, Point())),
      add(new VerticalSwitch(Rect(0, 20, 10, 30), this, 1, 1, 0, 4, images, Point())),
      add(new HorizontalSwitch(Rect(0, 40, 10, 50), this, 1, 1, 10, 0, nullptr, Point()))};
  images->release();
  for (int i = 0; i < 3; ++i) {
    controls[i]->setValue(0.7f);
    click(Point(10, 20 * i + 10));
    EXPECT_EQ(controls[i]->getValue(), 0.0f) << i;
  }
  frame->idleUpdate();
}

TEST_F(SwitchTest, RockerFollowsItsHalvesWhileAnythingIsHeldAndSpringsBack) {
  addRocker(0);
  // The left button goes up first; Shift still holds the rocker.
  buttonsAt(20, platform::kShiftDown);
  moveAt(40, Point(160, 115));
  moveAt(60, Point(200, 115));
  buttonsAt(80, 0);
  press(Point(160, 110));
  EXPECT_TRUE(near(changes(), {-1.0f, 1.0f, 0.0f}));
  // Back to the entry value outside, then the release always heard after the gesture.
  ASSERT_GE(heard.size(), 2u);
  EXPECT_EQ(heard[heard.size() - 2].openGestures, 1);
  EXPECT_EQ(heard.back().openGestures, 0);
  EXPECT_EQ(heard.back().value, 0.0f);

  // Control-click is an ordinary press; the wheel rocks once and back.
  addRocker(kSpringHorizontal);
  click(Point(170, 100), platform::kControlDown);
  EXPECT_TRUE(near(changes(), {1.0f, 0.0f}));
  input.setCursor(Point(kHostRect.left + 160, kHostRect.top + 110));
  EXPECT_TRUE(frame->onWheel(nullptr, Point(), 1.0f));
  EXPECT_TRUE(near(changes(), {1.0f, 0.0f, -1.0f, 0.0f}));
}

TEST_F(SwitchTest, DrawnSwitchesMatchTheirPicture) {
  Bitmap* four = strip(8, 6, {kRed, kGreen, kBlue, kYellow});
  Bitmap* rocker = strip(8, 6, {kMagenta, kBlack, kCyan});
  Control* controls[6];
  for (int i = 0; i < 3; ++i) {
    controls[i] =
        new VerticalSwitch(Rect(2 + 10 * i, 2, 10 + 10 * i, 8), nullptr, 0, 4, 6, 4, four, Point());
    controls[i]->setValue(static_cast<float>(i) * 0.5f);
    controls[3 + i] =
        new SpringSwitch(Rect(32 + 10 * i, 2, 40 + 10 * i, 8), nullptr, 0, 6, rocker, Point(), 0);
    controls[3 + i]->setValue(static_cast<float>(i) - 1.0f);
  }
  four->release();
  rocker->release();
  EXPECT_TRUE(
      drawnMatches("switches", 62, 10,
                   {controls[0], controls[1], controls[2], controls[3], controls[4], controls[5]}));
}

}  // namespace
