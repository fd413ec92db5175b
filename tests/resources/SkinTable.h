// What the editor expects of each skin bitmap: its id, file, size, depth and how many
// pictures of equal height it stacks.
#pragma once

#include <cstdint>

struct SkinEntry {
  std::int32_t id;
  const char* file;
  std::int32_t width;
  std::int32_t height;
  std::int32_t bitsPerPixel;
  std::int32_t images;
  // Drawn with white as the colour key.
  bool keyed;
};

inline constexpr SkinEntry kSkin[] = {
    {10001, "background.bmp", 293, 249, 24, 1, false},
    {10002, "slider-track.bmp", 15, 50, 24, 1, false},
    {10003, "slider-handle.bmp", 11, 11, 16, 1, true},
    {10004, "knob.bmp", 15, 15, 24, 1, false},
    {10005, "knob-pointer.bmp", 3, 3, 24, 1, true},
    {10006, "tempo-source-switch.bmp", 15, 200, 24, 4, false},
    {10007, "shape-switch.bmp", 15, 250, 24, 5, false},
    {10008, "tap-button.bmp", 60, 60, 24, 2, false},
    {10009, "light.bmp", 40, 80, 32, 2, false},
    {10010, "about.bmp", 293, 249, 24, 1, false},
    {10011, "phase-track.bmp", 90, 10, 24, 1, false},
    {10012, "phase-handle.bmp", 3, 10, 24, 1, true},
    {10013, "shapes.bmp", 90, 250, 24, 5, false},
    {10014, "stereo-mode-button.bmp", 30, 26, 16, 2, false},
    {10015, "light-follows-button.bmp", 40, 28, 24, 2, false},
};
