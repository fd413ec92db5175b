// Sliders laid out as the editor's depth and phase sliders, moved by the scripted user, and
// drawn through their buffer and without one.
#include <limits>

#include "gui/controls/Slider.h"
#include "tests/support/user/DragFixture.h"

namespace {

class SliderTest : public DragTest {
 protected:
  // Track 15 by 50 at (18, 43), thumb 11 by 11 whose top travels from 45 to 81, value 0 at
  // the bottom.
  VerticalSlider* addDepth() {
    Bitmap* track = strip(15, 50, {kDarkBlue});
    Bitmap* thumb = strip(11, 11, {kOrange});
    auto* slider = new VerticalSlider(Rect(18, 43, 33, 93), this, 2, 45, 81, thumb, track, Point(),
                                      kSliderOriginBottom);
    slider->setThumbOffset(Point(2, 0));
    track->release();
    thumb->release();
    return add(slider);
  }
  // The first row of the window's column 25 that shows the thumb, or -1.
  std::int32_t thumbTop() {
    frame->idleUpdate();
    for (std::int32_t y = 43; y < 93; ++y) {
      if (pixel(Point(25, y)) == kOrange) return y;
    }
    return -1;
  }
};

TEST_F(SliderTest, ThumbRunsFromTheTopEndAtOneToTheBottomEndAtZeroForAnyValue) {
  VerticalSlider* slider = addDepth();
  const std::pair<float, std::int32_t> tops[] = {
      {1.0f, 45}, {0.5f, 61},  {0.0f, 79},
      {5.0f, 45}, {-3.0f, 79}, {std::numeric_limits<float>::quiet_NaN(), 79}};
  for (const auto& [value, top] : tops) {
    slider->setValue(value);
    EXPECT_EQ(thumbTop(), top) << value;
  }
}

TEST_F(SliderTest, JumpToClickCentresTheThumbAndShiftSlowsFromWhereItWent) {
  VerticalSlider* slider = addDepth();
  click(Point(25, 65));
  EXPECT_EQ(slider->getValue(), 0.5f);
  EXPECT_EQ(frame->getFocusView(), slider);
  EXPECT_EQ(count(audioMasterBeginEdit), 1);
  EXPECT_EQ(count(audioMasterEndEdit), 1);
  EXPECT_EQ(hostProgram.calls.back().index, 2);

  moveAt(20, Point(25, 56));
  buttonsAt(40, platform::kPhysicalLeft | platform::kShiftDown);
  moveAt(60, Point(25, 47));
  buttonsAt(80, platform::kPhysicalLeft);
  buttonsAt(100, 0);
  press(Point(25, 65));
  EXPECT_TRUE(near(changes(), {0.75f, 0.775f, 1.0f}));
  for (const Heard& h : heard) EXPECT_EQ(h.openGestures, 1);

  // Beyond the track's ends the value stays in range; then the keys step it.
  click(Point(25, 93));
  EXPECT_EQ(slider->getValue(), 0.0f);
  EXPECT_EQ(frame->onKeyDown(KeyCode{0, kKeyUp, 0}), 1);
  EXPECT_NEAR(slider->getValue(), 0.1f, 1e-6f);
}

TEST_F(SliderTest, WithoutJumpOnlyTheThumbIsGrabbedButControlClickResetsAnywhere) {
  VerticalSlider* slider = addDepth();
  slider->setJumpToClick(false);
  slider->setValue(0.5f);
  frame->idleUpdate();
  click(Point(25, 50));
  EXPECT_TRUE(heard.empty());
  EXPECT_EQ(count(audioMasterBeginEdit), 0);
  EXPECT_EQ(slider->getValue(), 0.5f);

  // Grabbed 4 pixels below the thumb's top and moved 9 pixels up: a quarter of the travel.
  moveAt(20, Point(25, 56));
  buttonsAt(40, 0);
  press(Point(25, 65));
  EXPECT_TRUE(near(changes(), {0.75f}));

  click(Point(25, 50), platform::kControlDown);
  EXPECT_TRUE(near(heardValues(), {0.5f}));
  EXPECT_EQ(count(audioMasterBeginEdit), 0);
}

TEST_F(SliderTest, HorizontalSliderGrowsFromTheLeft) {
  Bitmap* track = strip(90, 10, {kDarkBlue});
  Bitmap* thumb = strip(3, 10, {kOrange});
  auto* slider = add(new HorizontalSlider(Rect(193, 123, 283, 133), this, 4, 193, 279, thumb, track,
                                          Point(), kSliderOriginLeft));
  track->release();
  thumb->release();
  click(Point(236, 128));
  EXPECT_EQ(slider->getValue(), 0.5f);
  frame->idleUpdate();
  EXPECT_EQ(pixel(Point(236, 128)), kOrange);
  EXPECT_EQ(pixel(Point(232, 128)), kDarkBlue);
}

TEST_F(SliderTest, ThumbLeavesNoTrailOnATrackWithoutPicture) {
  Bitmap* thumb = strip(11, 11, {kOrange});
  auto* slider = add(new VerticalSlider(Rect(18, 43, 33, 93), this, 2, 45, 81, thumb, nullptr,
                                        Point(), kSliderOriginBottom));
  thumb->release();
  slider->setValue(1.0f);
  EXPECT_EQ(thumbTop(), 45);
  slider->setValue(0.0f);
  EXPECT_EQ(thumbTop(), 79);
}

TEST_F(SliderTest, TrackWithoutTravelAndRefusedDivisorsLeaveTheValueAlone) {
  Bitmap* thumb = strip(11, 11, {kOrange});
  auto* slider = add(new VerticalSlider(Rect(18, 43, 33, 93), this, 2, 60, 60, thumb, nullptr,
                                        Point(), kSliderOriginBottom));
  thumb->release();
  slider->setValue(0.3f);
  click(Point(25, 50));
  EXPECT_EQ(slider->getValue(), 0.3f);
  slider->setFineDivisor(0.0f);
  slider->setFineDivisor(-std::numeric_limits<float>::infinity());
  EXPECT_EQ(slider->getFineDivisor(), 10.0f);
  frame->idleUpdate();
}

TEST_F(SliderTest, DrawnSlidersMatchTheirPictureWithOrWithoutABuffer) {
  Bitmap* track = strip(6, 20, {kDarkBlue});
  // A thumb with a transparent middle row.
  Bitmap* thumb = strip(4, 1, {kOrange, kWhite, kOrange});
  Slider* sliders[4];
  for (int i = 0; i < 3; ++i) {
    sliders[i] = new VerticalSlider(Rect(2 + 8 * i, 2, 8 + 8 * i, 22), nullptr, 0, Point(1, 0), 20,
                                    thumb, track, Point(), kSliderOriginBottom);
    sliders[i]->setValue(static_cast<float>(i) * 0.5f);
    // The last one was never attached and draws straight to the context.
    if (i < 2) sliders[i]->onAttached(nullptr);
  }
  sliders[3] = new HorizontalSlider(Rect(26, 2, 38, 8), nullptr, 0, Point(0, 1), 12, thumb, nullptr,
                                    Point(), kSliderOriginRight);
  sliders[3]->setValue(0.25f);
  track->release();
  thumb->release();
  EXPECT_TRUE(drawnMatches("sliders", 40, 24, {sliders[0], sliders[1], sliders[2], sliders[3]}));
}

}  // namespace
