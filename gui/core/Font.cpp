#include "gui/core/Font.h"

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

FontSpec makeFontSpec(FontId id, std::int32_t size, std::int32_t style) {
  const FontEntry& entry = fontEntry(id);
  FontSpec spec;
  spec.id = validId(id);
  spec.face = entry.face;
  spec.height = size == 0 ? entry.defaultHeight : size;
  spec.weight = (style & kStyleBold) != 0 || entry.alwaysBold ? 700 : 400;
  spec.italic = (style & kStyleItalic) != 0;
  spec.underline = (style & kStyleUnderline) != 0;
  spec.pitchAndFamily = entry.pitchAndFamily;
  return spec;
}
