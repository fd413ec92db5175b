// Where the editor puts its controls on the 293 x 249 panel (window pixels, right and
// bottom exclusive), and the colours the skin is painted in. The artwork is drawn around
// these rectangles; the editor places its controls by the same numbers.
#pragma once

#include "gui/base/Rect.h"
#include "resources/skin/Canvas.h"

namespace layout {

inline constexpr std::int32_t kPanelWidth = 293;
inline constexpr std::int32_t kPanelHeight = 249;

inline constexpr Rect kLight{7, 204, 47, 244};
inline constexpr Rect kShapeDisplay{193, 135, 283, 185};
inline constexpr Rect kLightFollows{55, 229, 95, 243};
inline constexpr Rect kStereoMode{71, 128, 101, 141};
inline constexpr Rect kTap{117, 30, 177, 60};
inline constexpr Rect kDepthSlider{18, 43, 33, 93};
inline constexpr Rect kDepthText{34, 57, 62, 68};
inline constexpr Rect kPhaseSlider{193, 123, 283, 133};
inline constexpr Rect kMultiplierSlider{68, 43, 83, 93};
inline constexpr Rect kMultiplierText{84, 57, 106, 68};
inline constexpr Rect kSoftnessSlider{110, 133, 125, 183};
inline constexpr Rect kSoftnessText{124, 153, 186, 164};
inline constexpr Rect kTempoSource{200, 40, 215, 90};
inline constexpr Rect kTremoloType{15, 132, 30, 182};
inline constexpr Rect kTempoField{118, 70, 157, 90};
inline constexpr Rect kMinimumTaps{104, 217, 126, 232};
inline constexpr Rect kMidiChannel{152, 217, 172, 232};
inline constexpr Rect kTapNote{192, 217, 217, 232};
inline constexpr Rect kMetronomeNote{236, 217, 261, 232};
inline constexpr Rect kVolumeKnob{265, 217, 280, 232};
inline constexpr Rect kAboutArea{0, 0, 180, 25};

// Vertical sliders: the handle's top runs from 2 below the track's top to 12 above its
// bottom, 2 pixels in from its left.
inline constexpr std::int32_t kHandleSize = 11;
inline constexpr std::int32_t kHandleInset = 2;
inline constexpr std::int32_t kHandleTravel = 36;
// The phase handle's left edge runs over 86 pixels.
inline constexpr std::int32_t kPhaseHandleWidth = 3;
inline constexpr std::int32_t kPhaseTravel = 86;

inline constexpr std::int32_t kTempoSourceCount = 4;
inline constexpr std::int32_t kShapeCount = 5;

}  // namespace layout

namespace palette {

inline constexpr Rgb kPanelTop{41, 44, 52};
inline constexpr Rgb kPanelBottom{27, 29, 35};
inline constexpr Rgb kHeader{20, 21, 26};
inline constexpr Rgb kPlate{48, 52, 61};
inline constexpr Rgb kPlateEdge{70, 75, 87};
inline constexpr Rgb kWell{15, 16, 20};
inline constexpr Rgb kInk{232, 226, 212};
inline constexpr Rgb kMuted{148, 153, 164};
inline constexpr Rgb kAccent{245, 170, 60};
inline constexpr Rgb kAccentDeep{150, 88, 22};
inline constexpr Rgb kMetalLight{200, 204, 212};
inline constexpr Rgb kMetalDark{98, 103, 114};
inline constexpr Rgb kScreen{14, 22, 20};
// The colour key of transparently drawn images: pixels of exactly this colour are holes.
inline constexpr Rgb kKey{255, 255, 255};

}  // namespace palette
