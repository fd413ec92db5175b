// The colours the skin is painted in.
#pragma once

#include "resources/skin/Canvas.h"

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
