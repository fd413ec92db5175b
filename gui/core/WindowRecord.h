// How a frame that asks its editor for a window describes it: the title, where it goes, its
// size and the platform's window style.
#pragma once

#include <cstdint>

struct WindowRecord {
  // Terminated; at most 127 characters.
  char title[128] = "";
  std::int16_t x = 0;
  std::int16_t y = 0;
  std::int16_t width = 0;
  std::int16_t height = 0;
  std::int32_t style = 0;
};
