#include "gui/base/Font.h"

namespace {

constexpr FontEntry kFontTable[kFontCount] = {
    {"Arial", 12, true, kPitchVariableSwiss},  {"Arial", 18, false, kPitchVariableSwiss},
    {"Arial", 14, false, kPitchVariableSwiss}, {"Arial", 12, false, kPitchVariableSwiss},
    {"Arial", 11, false, kPitchVariableSwiss}, {"Arial", 10, false, kPitchVariableSwiss},
    {"Arial", 9, false, kPitchVariableSwiss},  {"Symbol", 13, false, kPitchDefaultDecorative},
};

FontId validId(FontId id) {
  return id < 0 || id >= kFontCount ? kFontArialBold12 : id;
}

}  // namespace

const FontEntry& fontEntry(FontId id) {
  return kFontTable[validId(id)];
}

FontChoice makeFontChoice(FontId id, std::int32_t size, std::int32_t style) {
  const FontEntry& entry = fontEntry(id);
  FontChoice chosen;
  chosen.id = validId(id);
  chosen.face = entry.face;
  chosen.height = size == 0 ? entry.defaultHeight : size;
  chosen.weight = (style & kStyleBold) != 0 || entry.alwaysBold ? 700 : 400;
  chosen.italic = (style & kStyleItalic) != 0;
  chosen.underline = (style & kStyleUnderline) != 0;
  chosen.pitchAndFamily = entry.pitchAndFamily;
  return chosen;
}
