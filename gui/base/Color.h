// A colour with a spare byte that travels with it but takes no part in drawing or
// comparison, and the ten standard colours.
#pragma once

#include <cstdint>

struct Color {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  std::uint8_t spare = 0;

  constexpr Color() = default;
  constexpr Color(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t s = 0)
      : red(r), green(g), blue(b), spare(s) {}

  // The packed word: red in the lowest byte, then green, blue, and spare in the highest.
  static constexpr Color fromWord(std::uint32_t word) {
    return Color(static_cast<std::uint8_t>(word), static_cast<std::uint8_t>(word >> 8),
                 static_cast<std::uint8_t>(word >> 16), static_cast<std::uint8_t>(word >> 24));
  }
  constexpr Color& operator=(std::uint32_t word) { return *this = fromWord(word); }
  constexpr std::uint32_t toWord() const {
    return static_cast<std::uint32_t>(red) | (static_cast<std::uint32_t>(green) << 8) |
           (static_cast<std::uint32_t>(blue) << 16) | (static_cast<std::uint32_t>(spare) << 24);
  }
  // The word handed to the platform: the packed word without the spare byte.
  constexpr std::uint32_t deviceWord() const { return toWord() & 0x00FFFFFFu; }

  constexpr bool operator!=(const Color& o) const {
    return red != o.red || green != o.green || blue != o.blue;
  }
  constexpr bool operator==(const Color& o) const { return !(*this != o); }
};

inline constexpr Color kWhite{255, 255, 255, 0};
inline constexpr Color kBlack{0, 0, 0, 0};
inline constexpr Color kGrey{127, 127, 127, 0};
inline constexpr Color kRed{255, 0, 0, 0};
inline constexpr Color kGreen{0, 255, 0, 0};
inline constexpr Color kBlue{0, 0, 255, 0};
inline constexpr Color kYellow{255, 255, 0, 0};
inline constexpr Color kMagenta{255, 0, 255, 0};
inline constexpr Color kCyan{0, 255, 255, 0};
// The same value as kWhite, kept apart: bitmaps take their colour key from this one.
inline constexpr Color kTransparentWhite{255, 255, 255, 0};
