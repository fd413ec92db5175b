// The skin's description against the bitmaps as they load: every control that shows a
// bitmap is one picture of it in size, everything lies on the panel, and the slider handles
// and the knob's pointer stay on their tracks and knob wherever they travel.
#include <gtest/gtest.h>

#include "gui/core/Bitmap.h"
#include "resources/layout/SkinLayout.h"

namespace {

using namespace skin;

struct Shown {
  const char* control;
  Rect place;
  const BitmapFile& bitmap;
};

const Shown kShown[] = {
    {"light", kLight, kLightStrip},
    {"shape picture", kShapeDisplay, kShapePictures},
    {"light follows", kLightFollows, kLightFollowsStrip},
    {"stereo mode", kStereoMode, kStereoModeStrip},
    {"tap", kTap, kTapButtonStrip},
    {"depth", kDepthSlider, kSliderTrack},
    {"phase", kPhaseSlider, kPhaseTrack},
    {"multiplier", kMultiplierSlider, kSliderTrack},
    {"softness", kSoftnessSlider, kSliderTrack},
    {"tempo source", kTempoSource, kTempoSourceStrip},
    {"shape switch", kTremoloType, kShapeSwitchStrip},
    {"volume", kVolumeKnob, kKnobBackground},
    {"background", kPanel, kBackground},
    {"about picture", placed(kAboutPicture, 0, 0), kAboutPicture},
};

bool inside(const Rect& inner, const Rect& outer) {
  return !inner.isEmpty() && outer.left <= inner.left && inner.right <= outer.right &&
         outer.top <= inner.top && inner.bottom <= outer.bottom;
}

TEST(SkinLayoutTest, EachControlIsOnePictureOfItsBitmapInSize) {
  for (const Shown& shown : kShown) {
    Bitmap* bitmap = new Bitmap(shown.bitmap.id);
    ASSERT_TRUE(bitmap->isLoaded()) << shown.control;
    EXPECT_EQ(bitmap->getWidth(), shown.place.width()) << shown.control;
    EXPECT_EQ(bitmap->getHeight(), shown.place.height() * shown.bitmap.pictures) << shown.control;
    bitmap->release();
  }
}

TEST(SkinLayoutTest, EveryControlLiesOnThePanel) {
  const Rect controls[] = {
      kLight,          kShapeDisplay, kLightFollows, kStereoMode,       kTap,
      kDepthSlider,    kDepthText,    kPhaseSlider,  kMultiplierSlider, kMultiplierText,
      kSoftnessSlider, kSoftnessText, kTempoSource,  kTremoloType,      kTempoField,
      kMinimumTaps,    kMidiChannel,  kTapNote,      kMetronomeNote,    kVolumeKnob,
      kAboutArea};
  for (const Rect& r : controls) {
    EXPECT_TRUE(inside(r, kPanel))
        << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom;
  }
  EXPECT_EQ(kPanel, placed(kAboutPicture, 0, 0)) << "the about picture covers the panel";
}

// The handle at both ends of its travel, as the editor sets the sliders up.
TEST(SkinLayoutTest, SliderHandlesStayOnTheirTracks) {
  for (const Rect& track : {kDepthSlider, kMultiplierSlider, kSoftnessSlider}) {
    for (const std::int32_t top :
         {track.top + kHandleInset, track.top + kHandleInset + kHandleTravel}) {
      const Rect handle = placed(kSliderHandle, track.left + kHandleInset, top);
      EXPECT_TRUE(inside(handle, track)) << track.left << ", " << top;
    }
  }
  EXPECT_GT(kHandleTravel, 0);
  for (const std::int32_t left : {kPhaseSlider.left, kPhaseSlider.left + kPhaseTravel}) {
    EXPECT_TRUE(inside(placed(kPhaseHandle, left, kPhaseSlider.top), kPhaseSlider)) << left;
  }
  EXPECT_GT(kPhaseTravel, 0);
}

TEST(SkinLayoutTest, EveryPictureFitsThePanelAndThePointerTheKnob) {
  for (const BitmapFile& bitmap : kBitmaps) {
    EXPECT_GE(bitmap.pictures, 1) << bitmap.file;
    EXPECT_GT(bitmap.width, 0) << bitmap.file;
    EXPECT_GT(bitmap.height, 0) << bitmap.file;
    EXPECT_TRUE(inside(placed(bitmap, 0, 0), kPanel)) << bitmap.file;
  }
  EXPECT_LE(kKnobHandle.width, kKnobBackground.width);
  EXPECT_LE(kKnobHandle.height, kKnobBackground.height);
}

}  // namespace
