#include "gui/controls/Control.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "gui/core/Bitmap.h"
#include "tests/gui/controls/ControlProbes.h"

namespace {

// Controls die through release; the fixture holds one for each test.
class ControlTest : public ::testing::Test {
 protected:
  ~ControlTest() override { fader->release(); }

  RecordingListener listener;
  TestFader* fader = new TestFader(Rect(10, 20, 110, 40), &listener, 7);
};

KeyCode key(unsigned char virt, unsigned char modifier = 0) {
  return KeyCode{0, virt, modifier};
}

}  // namespace

TEST_F(ControlTest, AFreshControlIsDirtyAndDrawsOnItsFirstUpdate) {
  EXPECT_TRUE(fader->isDirty());
  fader->update(nullptr);
  EXPECT_EQ(fader->draws, 1);
  EXPECT_FALSE(fader->isDirty());
  fader->update(nullptr);
  EXPECT_EQ(fader->draws, 1);
}

TEST_F(ControlTest, ANewValueMakesTheControlDirtyUntilItIsDrawn) {
  fader->update(nullptr);
  fader->setValue(0.25f);
  EXPECT_TRUE(fader->isDirty());
  fader->update(nullptr);
  EXPECT_EQ(fader->getShownValue(), 0.25f);
  EXPECT_FALSE(fader->isDirty());
}

TEST_F(ControlTest, MarkingDirtyMakesTheShownValueDifferEvenForAValueOfMinusOne) {
  fader->setValue(0.3f);
  fader->setDirty(true);
  EXPECT_EQ(fader->getShownValue(), -1.0f);
  EXPECT_TRUE(fader->isDirty());

  fader->setValue(-1.0f);
  fader->setDirty(true);
  EXPECT_EQ(fader->getShownValue(), 0.0f);
  fader->View::setDirty(false);
  EXPECT_TRUE(fader->isDirty()) << "the value alone must still read as changed";

  fader->setDirty(false);
  EXPECT_EQ(fader->getShownValue(), -1.0f);
  EXPECT_FALSE(fader->isDirty());
}

TEST_F(ControlTest, ClampingBringsTheValueIntoRangeAndNeverLeavesANumberThatIsNotOne) {
  fader->setMinimum(-2.0f);
  fader->setMaximum(3.0f);
  fader->setValue(7.0f);
  EXPECT_EQ(fader->getValue(), 7.0f) << "setting does not clamp";
  fader->clampValue();
  EXPECT_EQ(fader->getValue(), 3.0f);
  fader->setValue(-std::numeric_limits<float>::infinity());
  fader->clampValue();
  EXPECT_EQ(fader->getValue(), -2.0f);
  fader->setValue(std::numeric_limits<float>::quiet_NaN());
  fader->clampValue();
  EXPECT_EQ(fader->getValue(), -2.0f);
}

TEST_F(ControlTest, ArrowKeysStepTheValueAndNotifyWithoutAContext) {
  fader->setValue(0.5f);
  fader->update(nullptr);
  EXPECT_EQ(fader->onKeyDown(key(kKeyRight)), 1);
  EXPECT_EQ(fader->onKeyDown(key(kKeyUp)), 1);
  EXPECT_FLOAT_EQ(fader->getValue(), 0.7f);
  EXPECT_EQ(fader->onKeyDown(key(kKeyLeft)), 1);
  EXPECT_EQ(fader->onKeyDown(key(kKeyDown, kModifierShift)), 1);
  EXPECT_FLOAT_EQ(fader->getValue(), 0.59f);
  ASSERT_EQ(listener.heard.size(), 4u);
  for (const Heard& heard : listener.heard) {
    EXPECT_EQ(heard.tag, 7);
    EXPECT_EQ(heard.context, nullptr);
  }
}

TEST_F(ControlTest, OtherKeysAndKeyReleasesAreLeftAlone) {
  fader->setValue(0.5f);
  for (const int code : {0, 10, 15, 32, 255}) {
    EXPECT_EQ(fader->onKeyDown(key(static_cast<unsigned char>(code))), -1) << code;
  }
  EXPECT_EQ(fader->onKeyUp(key(kKeyUp)), -1);
  EXPECT_EQ(fader->getValue(), 0.5f);
  EXPECT_TRUE(listener.heard.empty());
}

TEST_F(ControlTest, StepsStopAtTheEndsAndAStepThatChangesNothingIsNotReported) {
  fader->setValue(0.95f);
  fader->update(nullptr);
  fader->onKeyDown(key(kKeyUp));
  EXPECT_EQ(fader->getValue(), 1.0f);
  fader->update(nullptr);
  fader->onKeyDown(key(kKeyUp));
  EXPECT_TRUE(fader->onWheel(nullptr, Point(), 3.0f));
  EXPECT_EQ(fader->getValue(), 1.0f);
  EXPECT_EQ(listener.heard.size(), 1u);
}

TEST_F(ControlTest, TheWheelMovesByDistanceTimesStepUnlessTheControlIgnoresTheMouse) {
  fader->setValue(0.5f);
  EXPECT_TRUE(fader->onWheel(nullptr, Point(), -2.0f));
  EXPECT_FLOAT_EQ(fader->getValue(), 0.3f);
  ASSERT_EQ(listener.heard.size(), 1u);
  EXPECT_EQ(listener.heard[0].context, nullptr);

  fader->setMouseActive(false);
  EXPECT_FALSE(fader->onWheel(nullptr, Point(), 1.0f));
  EXPECT_FLOAT_EQ(fader->getValue(), 0.3f);
}

TEST_F(ControlTest, AWheelTurnThatIsNotANumberLeavesAValueInRange) {
  fader->setValue(0.5f);
  fader->onWheel(nullptr, Point(), std::numeric_limits<float>::quiet_NaN());
  EXPECT_FALSE(std::isnan(fader->getValue()));
  EXPECT_GE(fader->getValue(), 0.0f);
  EXPECT_LE(fader->getValue(), 1.0f);
}

TEST_F(ControlTest, WithoutAFrameTheControlHasNoClockAndIdlesInPlace) {
  fader->runIdle();
  EXPECT_EQ(fader->frameTicks(), 0u);
  EXPECT_FALSE(fader->checkDoubleClick());
  EXPECT_FALSE(fader->checkDoubleClick()) << "a clock standing at 0 gives no double click";
}

TEST(ControlBitmap, TheControlHoldsOneReferenceToItsBackground) {
  auto* first = new Bitmap(4, 4);
  auto* second = new Bitmap(4, 4);
  auto* control = new TestFader(Rect(0, 0, 10, 10), nullptr, 0);
  control->setBackgroundBitmap(first);
  EXPECT_EQ(first->referenceCount(), 2);
  control->setBackgroundBitmap(first);
  EXPECT_EQ(first->referenceCount(), 2) << "setting the same bitmap again keeps it";
  control->setBackgroundBitmap(second);
  EXPECT_EQ(first->referenceCount(), 1);
  EXPECT_EQ(control->getBackgroundBitmap(), second);
  control->release();
  EXPECT_EQ(second->referenceCount(), 1);
  first->release();
  second->release();
}
