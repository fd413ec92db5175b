// The fixed table of eight fonts, the style bits, and the logical font that a font id,
// a size and style bits turn into. Plain values: no platform font is made here.
#pragma once

#include <cstdint>

using FontId = std::int32_t;

inline constexpr FontId kFontArialBold12 = 0;  // always bold, whatever style is asked
inline constexpr FontId kFontArial18 = 1;
inline constexpr FontId kFontArial14 = 2;
inline constexpr FontId kFontArial12 = 3;
inline constexpr FontId kFontArial11 = 4;
inline constexpr FontId kFontArial10 = 5;
inline constexpr FontId kFontArial9 = 6;
inline constexpr FontId kFontSymbol13 = 7;
inline constexpr std::int32_t kFontCount = 8;

inline constexpr std::int32_t kStyleBold = 1;
inline constexpr std::int32_t kStyleItalic = 2;
inline constexpr std::int32_t kStyleUnderline = 4;

// Pitch-and-family values of the platform's logical font record.
inline constexpr std::uint8_t kPitchVariableSwiss = 34;
inline constexpr std::uint8_t kPitchDefaultDecorative = 80;

// One entry of the font table.
struct FontEntry {
  const char* face;
  std::int32_t defaultHeight;
  bool alwaysBold;
  std::uint8_t pitchAndFamily;
};

// The entry of an id; ids outside 0-7 get the entry of id 0.
const FontEntry& fontEntry(FontId id);

// What a device font is made from. height is the character height in pixels (the size
// asked for, not the cell height); weight is 400 or 700.
struct FontChoice {
  FontId id = kFontArialBold12;
  const char* face = "";
  std::int32_t height = 0;
  std::int32_t weight = 400;
  bool italic = false;
  bool underline = false;
  std::uint8_t pitchAndFamily = kPitchVariableSwiss;
};

// Resolves an id (outside 0-7 becomes 0), a size (0 becomes the table's default height)
// and style bits (other bits ignored) into a logical font.
FontChoice makeFontChoice(FontId id, std::int32_t size, std::int32_t style);
