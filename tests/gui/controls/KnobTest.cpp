// Knobs in an open frame, turned by the scripted user in both mouse modes, and drawn.
#include <cmath>
#include <limits>

#include "gui/controls/Knob.h"
#include "tests/support/user/DragFixture.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

class KnobTest : public DragTest {
 protected:
  // A 40 by 40 knob at (20, 20): centre (40, 40), pointer 17 pixels from it.
  Knob* addKnob() {
    Bitmap* face = strip(40, 40, {kDarkBlue});
    Knob* knob = add(new Knob(Rect(20, 20, 60, 60), this, 15, face, nullptr, Point()));
    face->release();
    return knob;
  }
  Point pointerAt(Knob* knob, float value) {
    Point p;
    knob->setValue(value);
    knob->pointerPosition(p);
    return p;
  }
};

TEST_F(KnobTest, ArcRunsClockwiseFromLowerLeftWithTheDeadZoneSplitBetweenTheEnds) {
  Knob* knob = addKnob();
  EXPECT_EQ(pointerAt(knob, 0.0f), Point(8, 32));
  EXPECT_EQ(pointerAt(knob, 0.5f), Point(20, 3));
  EXPECT_EQ(pointerAt(knob, 1.0f), Point(32, 32));
  EXPECT_NEAR(knob->valueAtPoint(Point(0, 20)), 1.0f / 6, 1e-6f);
  // Just left and just right of straight down: the halves of the gap.
  EXPECT_EQ(knob->valueAtPoint(Point(19, 40)), 0.0f);
  EXPECT_EQ(knob->valueAtPoint(Point(21, 40)), 1.0f);
  // The angle mapping keeps the range it was made with until an angle is set again.
  knob->setMaximum(2.0f);
  EXPECT_EQ(pointerAt(knob, 0.5f), Point(20, 3));
  knob->setArcStart(knob->getArcStart());
  EXPECT_EQ(pointerAt(knob, 1.0f), Point(20, 3));
  // A counter-clockwise quarter from straight up (given two turns too far) to the left.
  knob->setArcStart(1.5707964f + 2 * 6.2831855f);
  knob->setArcSweep(1.5707964f);
  EXPECT_NEAR(knob->valueAtPoint(Point(0, 20)), 2.0f, 1e-6f);
  EXPECT_EQ(knob->valueAtPoint(Point(21, 40)), 2.0f);
  EXPECT_EQ(knob->valueAtPoint(Point(40, 21)), 0.0f);
}

TEST_F(KnobTest, DegenerateArcsRangesAndValuesKeepThePointerOnTheKnob) {
  Knob* knob = addKnob();
  knob->setArcSweep(0.0f);
  knob->setArcStart(kNaN);
  knob->setFineFactor(0.0f);
  EXPECT_FLOAT_EQ(knob->getArcSweep(), -4.712389f);
  EXPECT_FLOAT_EQ(knob->getArcStart(), 3.9269908f);
  EXPECT_EQ(knob->getFineFactor(), 1.5f);
  for (float value : {kNaN, 1e30f, -1e30f}) {
    const Point p = pointerAt(knob, value);
    EXPECT_TRUE(p.x >= 0 && p.x <= 40 && p.y >= 0 && p.y <= 40) << value;
  }
  // An empty range: one value everywhere, the pointer resting at the start.
  knob->setMaximum(0.0f);
  knob->setArcStart(3.9269908f);
  EXPECT_EQ(knob->valueAtPoint(Point(20, 0)), 0.0f);
  EXPECT_EQ(pointerAt(knob, 0.0f), Point(8, 32));
}

TEST_F(KnobTest, CircularDragThroughTheGapStaysAtTheEndItCameFrom) {
  addKnob();
  moveAt(20, Point(42, 58));  // in the gap, maximum's half
  moveAt(40, Point(38, 58));  // in the gap, minimum's half
  moveAt(60, Point(22, 40));  // on the arc near the minimum
  moveAt(80, Point(58, 30));  // back above the gap on the maximum's side
  buttonsAt(100, 0);
  press(Point(56, 54));
  EXPECT_TRUE(near(changes(), {1.0f - (0.7853982f - std::atan2(14.0f, 16.0f)) / 4.712389f, 1.0f,
                               1.0f - (std::atan2(10.0f, 18.0f) + 0.7853982f) / 4.712389f}));
  for (const Heard& h : heard) EXPECT_EQ(h.openGestures, 1);
  EXPECT_EQ(count(audioMasterEndEdit), 1);
  EXPECT_EQ(hostProgram.calls.back().index, 15);
  EXPECT_EQ(frame->getFocusView(), frame->childAt(0));
}

TEST_F(KnobTest, LinearDragCoversTheRangeIn200PixelsAndShiftKeepsTheValueWhileSlowing) {
  Knob* knob = addKnob();
  Frame::setKnobMode(2);
  moveAt(20, Point(90, 40));
  moveAt(40, Point(90, -10));  // 50 right and 50 up
  buttonsAt(60, platform::kPhysicalLeft | platform::kShiftDown);
  moveAt(80, Point(120, -10));
  moveAt(100, Point(150, -10));
  buttonsAt(120, 0);
  press(Point(40, 40));
  EXPECT_TRUE(near(changes(), {0.25f, 0.5f, 0.65f, 0.75f}));

  // Shift at the press: 300 pixels for the range, and the value stops at the maximum.
  knob->setValue(0.0f);
  frame->idleUpdate();
  moveAt(20, Point(190, 40));
  moveAt(40, Point(440, 40));
  buttonsAt(60, 0);
  press(Point(40, 40), platform::kShiftDown);
  EXPECT_TRUE(near(changes(), {0.5f, 1.0f}));
}

TEST_F(KnobTest, AltPicksTheOtherModeAndControlClickResetsWithoutAGesture) {
  Knob* knob = addKnob();
  // Circular by default; Alt makes this press linear, so the value stays where it was.
  click(Point(40, 22), platform::kAltDown);
  EXPECT_TRUE(heard.empty());
  Frame::setKnobMode(2);
  click(Point(40, 22), platform::kAltDown);
  EXPECT_TRUE(near(changes(), {0.5f}));

  knob->setValue(0.2f);
  frame->idleUpdate();
  click(Point(40, 40), platform::kControlDown);
  EXPECT_TRUE(near(heardValues(), {0.5f}));
  EXPECT_EQ(count(audioMasterBeginEdit) + count(audioMasterEndEdit), 0);
  frame->idleUpdate();
  click(Point(40, 40), platform::kControlDown);
  EXPECT_TRUE(heard.empty());
  // Control with Shift is no reset but an ordinary drag.
  Frame::setKnobMode(0);
  click(Point(22, 40), platform::kControlDown | platform::kShiftDown);
  EXPECT_NEAR(knob->getValue(), 1.0f / 6, 1e-6f);
  EXPECT_EQ(count(audioMasterBeginEdit), 1);
}

TEST_F(KnobTest, ArrowKeysAndTheWheelStepTheKnob) {
  Knob* knob = addKnob();
  knob->setValue(0.5f);
  frame->setFocusView(knob);
  EXPECT_EQ(frame->onKeyDown(KeyCode{0, kKeyLeft, kModifierShift}), 1);
  EXPECT_FALSE(heard.at(0).withContext);
  input.setCursor(Point(kHostRect.left + 40, kHostRect.top + 40));
  EXPECT_TRUE(frame->onWheel(nullptr, Point(), 30.0f));
  EXPECT_TRUE(near(heardValues(), {0.49f, 1.0f}));
}

TEST_F(KnobTest, FilmstripShowsTheFloorFrameAndNeverLeavesTheStrip) {
  Bitmap* film = strip(10, 30, {kRed, kGreen, kBlue, kYellow, kCyan});
  auto* knob = add(new FilmstripKnob(Rect(0, 0, 10, 30), this, 1, 5, 30, film, Point()));
  film->release();
  const std::pair<float, Color> shown[] = {{0.0f, kRed},     {0.49f, kGreen}, {0.5f, kBlue},
                                           {0.99f, kYellow}, {1.0f, kCyan},   {-0.5f, kRed},
                                           {7.0f, kCyan},    {kNaN, kRed}};
  for (const auto& [value, color] : shown) {
    knob->setValue(value);
    frame->idleUpdate();
    EXPECT_EQ(pixel(Point(5, 29)), color) << value;
  }
}

TEST_F(KnobTest, DrawnKnobsMatchTheirPicture) {
  Bitmap* face = strip(20, 20, {kDarkBlue});
  // A 3 by 3 pointer: an orange bar between rows of the transparent colour.
  Bitmap* pointer = strip(3, 1, {kWhite, kOrange, kWhite});
  Knob* knobs[4];
  for (int i = 0; i < 4; ++i) {
    knobs[i] = new Knob(Rect(2 + 22 * i, 2, 22 + 22 * i, 22), nullptr, 0, face,
                        i == 3 ? pointer : nullptr, Point());
    knobs[i]->setValue(static_cast<float>(i) * 0.5f);
    knobs[i]->setPointerLineColor(kYellow);
  }
  knobs[3]->setValue(0.25f);
  face->release();
  pointer->release();
  EXPECT_TRUE(drawnMatches("knobs", 90, 24, {knobs[0], knobs[1], knobs[2], knobs[3]}));
}

}  // namespace
