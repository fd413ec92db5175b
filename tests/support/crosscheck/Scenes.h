// Drawing scenes that every drawing backend must render alike. Each scene draws through the
// toolkit's portable API only, into an off-screen context of its own size that starts out
// filled with its background colour.
#pragma once

#include <cstdint>

#include "gui/base/Color.h"

class OffscreenContext;

namespace crosscheck {

// Exact scenes must match pixel for pixel. Text scenes hold one string each and are
// compared by where their drawn pixels lie, since every system rasterises glyphs its own way.
enum class Match { Exact, TextBox };

struct Scene {
  const char* name;
  std::int32_t width;
  std::int32_t height;
  Color background;
  Match match;
  void (*draw)(OffscreenContext& context);
};

const Scene* scenes();
std::int32_t sceneCount();

// Ids of the pictures that the scenes load as bitmap resources (16, 24 and 32 bits per
// pixel); the resource script of the Windows programs gives them the same numbers.
inline constexpr std::int32_t kPicture24 = 201;
inline constexpr std::int32_t kPicture32 = 202;
inline constexpr std::int32_t kPicture16 = 203;

// Makes the pictures loadable as this program's own bitmap resources, the way the backend
// at hand finds them. Safe to call more than once.
void installSceneResources();

}  // namespace crosscheck
