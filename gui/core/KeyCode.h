// A key as views receive it: the character it types, or a virtual key for the keys that type
// none, and the modifier bits held with it.
#pragma once

#include <cstdint>

struct KeyCode {
  // The typed character; 0 for a virtual key.
  std::int32_t character = 0;
  // One of the kKey values below, or 0.
  std::uint8_t virt = 0;
  // kModifier bits.
  std::uint8_t modifier = 0;
};

inline constexpr std::uint8_t kKeyLeft = 11;
inline constexpr std::uint8_t kKeyUp = 12;
inline constexpr std::uint8_t kKeyRight = 13;
inline constexpr std::uint8_t kKeyDown = 14;

inline constexpr std::uint8_t kModifierShift = 1;
inline constexpr std::uint8_t kModifierAlternate = 2;
inline constexpr std::uint8_t kModifierCommand = 4;
inline constexpr std::uint8_t kModifierControl = 8;
