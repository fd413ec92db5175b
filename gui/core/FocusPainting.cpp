#include "gui/core/FocusPainting.h"

bool FocusPainting::measureMenuItem(const char*, DrawContext*, Point&) {
  return false;
}

bool FocusPainting::drawMenuItem(const char*, std::int32_t, std::int32_t, DrawContext*,
                                 const Rect&) {
  return false;
}

bool FocusPainting::editBoxColors(Color&, Color&) {
  return false;
}
