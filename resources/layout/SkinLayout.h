// The editor's skin in one place: its bitmaps (resource id, file, size, depth) and where
// the editor puts each control on the panel (window pixels, right and bottom exclusive).
// The editor places its controls by these rectangles and travels, the generator
// (resources/skin/) draws the artwork to these sizes, and the build reads the bitmap lines
// below to number the bitmaps in the DLL's resource script, to build them into the native
// library and to check the DLL (resources/CMakeLists.txt).
#pragma once

#include <cstddef>
#include <cstdint>

#include "gui/base/Rect.h"

namespace skin {

// A bitmap file of resources/bitmaps/ with `pictures` pictures of width x height stacked
// top to bottom (the states of a button, switch or display), written at bitsPerPixel.
// White is the colour key of a keyed bitmap: those pixels are holes.
struct BitmapFile {
  std::int32_t id;
  const char* file;
  std::int32_t width;
  std::int32_t height;
  std::int32_t pictures;
  std::int32_t bitsPerPixel;
  bool keyed;

  // The whole file's height.
  constexpr std::int32_t fileHeight() const { return height * pictures; }
};

// The build reads each bitmap's name, id and file from these definitions: keep them in the
// form `BitmapFile kName{id, "file", ...}`, numbered on from 10001 in this order.
inline constexpr BitmapFile kBackground{10001, "background.bmp", 293, 249, 1, 24, false};
inline constexpr BitmapFile kSliderTrack{10002, "slider-track.bmp", 15, 50, 1, 24, false};
inline constexpr BitmapFile kSliderHandle{10003, "slider-handle.bmp", 11, 11, 1, 16, true};
inline constexpr BitmapFile kKnobBackground{10004, "knob.bmp", 15, 15, 1, 24, false};
inline constexpr BitmapFile kKnobHandle{10005, "knob-pointer.bmp", 3, 3, 1, 24, true};
inline constexpr BitmapFile kTempoSourceStrip{10006, "tempo-source-switch.bmp", 15, 50, 4, 24,
                                              false};
inline constexpr BitmapFile kShapeSwitchStrip{10007, "shape-switch.bmp", 15, 50, 5, 24, false};
inline constexpr BitmapFile kTapButtonStrip{10008, "tap-button.bmp", 60, 30, 2, 24, false};
inline constexpr BitmapFile kLightStrip{10009, "light.bmp", 40, 40, 2, 32, false};
inline constexpr BitmapFile kAboutPicture{10010, "about.bmp", 293, 249, 1, 24, false};
inline constexpr BitmapFile kPhaseTrack{10011, "phase-track.bmp", 90, 10, 1, 24, false};
inline constexpr BitmapFile kPhaseHandle{10012, "phase-handle.bmp", 3, 10, 1, 24, true};
inline constexpr BitmapFile kShapePictures{10013, "shapes.bmp", 90, 50, 5, 24, false};
inline constexpr BitmapFile kStereoModeStrip{10014, "stereo-mode-button.bmp", 30, 13, 2, 16, false};
inline constexpr BitmapFile kLightFollowsStrip{10015, "light-follows-button.bmp", 40, 14, 2, 24,
                                               false};

// Every bitmap, by id.
inline constexpr BitmapFile kBitmaps[] = {
    kBackground,       kSliderTrack,      kSliderHandle,   kKnobBackground,  kKnobHandle,
    kTempoSourceStrip, kShapeSwitchStrip, kTapButtonStrip, kLightStrip,      kAboutPicture,
    kPhaseTrack,       kPhaseHandle,      kShapePictures,  kStereoModeStrip, kLightFollowsStrip};
inline constexpr std::size_t kBitmapCount = sizeof kBitmaps / sizeof kBitmaps[0];

constexpr bool numberedInOrder() {
  for (std::size_t i = 0; i < kBitmapCount; ++i) {
    if (kBitmaps[i].id != kBackground.id + static_cast<std::int32_t>(i)) return false;
  }
  return true;
}
static_assert(numberedInOrder(), "the bitmaps are numbered on from 10001 without a gap");

// Where one picture of the bitmap lies with its top left corner at (x, y).
constexpr Rect placed(const BitmapFile& bitmap, std::int32_t x, std::int32_t y) {
  return Rect(x, y, x + bitmap.width, y + bitmap.height);
}

// The window: the background picture.
inline constexpr Rect kPanel = placed(kBackground, 0, 0);

// The controls in the order the editor adds them. Controls showing a bitmap are one of its
// pictures in size; the texts, fields and the about area have sizes of their own.
inline constexpr Rect kLight = placed(kLightStrip, 7, 204);
inline constexpr Rect kShapeDisplay = placed(kShapePictures, 193, 135);
inline constexpr Rect kLightFollows = placed(kLightFollowsStrip, 55, 229);
inline constexpr Rect kStereoMode = placed(kStereoModeStrip, 71, 128);
inline constexpr Rect kTap = placed(kTapButtonStrip, 117, 30);
inline constexpr Rect kDepthSlider = placed(kSliderTrack, 18, 43);
inline constexpr Rect kDepthText{34, 57, 62, 68};
inline constexpr Rect kPhaseSlider = placed(kPhaseTrack, 193, 123);
inline constexpr Rect kMultiplierSlider = placed(kSliderTrack, 68, 43);
inline constexpr Rect kMultiplierText{84, 57, 106, 68};
inline constexpr Rect kSoftnessSlider = placed(kSliderTrack, 110, 133);
inline constexpr Rect kSoftnessText{124, 153, 186, 164};
inline constexpr Rect kTempoSource = placed(kTempoSourceStrip, 200, 40);
inline constexpr Rect kTremoloType = placed(kShapeSwitchStrip, 15, 132);
inline constexpr Rect kTempoField{118, 70, 157, 90};
inline constexpr Rect kMinimumTaps{104, 217, 126, 232};
inline constexpr Rect kMidiChannel{152, 217, 172, 232};
inline constexpr Rect kTapNote{192, 217, 217, 232};
inline constexpr Rect kMetronomeNote{236, 217, 261, 232};
inline constexpr Rect kVolumeKnob = placed(kKnobBackground, 265, 217);
// Clicking here shows the about picture over the whole panel.
inline constexpr Rect kAboutArea{0, 0, 180, 25};

// Vertical sliders: the handle runs 2 pixels in from the track's left, its top edge from 2
// below the track's top down to the track's bottom less the handle and one pixel.
inline constexpr std::int32_t kHandleInset = 2;
inline constexpr std::int32_t kHandleTravel =
    kSliderTrack.height - kSliderHandle.height - 1 - kHandleInset;
// The phase slider: the handle's left edge runs from the track's left to its right less the
// handle and one pixel.
inline constexpr std::int32_t kPhaseTravel = kPhaseTrack.width - kPhaseHandle.width - 1;

}  // namespace skin
