#include "gui/platform/software/SoftwareFont.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cctype>
#include <limits>
#include <string>

namespace platform::software {

namespace {

bool sameFace(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b) {
    if (std::tolower(static_cast<unsigned char>(*a)) !=
        std::tolower(static_cast<unsigned char>(*b)))
      return false;
  }
  return *a == *b;
}

// Bytes 0x80-0x9F of the Western code page; the rest of the page is Latin-1.
constexpr std::uint16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Letters A-Z and a-z of the symbol code page: the Greek alphabet in its own order.
constexpr std::uint16_t kSymbolUpper[26] = {0x0391, 0x0392, 0x03A7, 0x0394, 0x0395, 0x03A6, 0x0393,
                                            0x0397, 0x0399, 0x03D1, 0x039A, 0x039B, 0x039C, 0x039D,
                                            0x039F, 0x03A0, 0x0398, 0x03A1, 0x03A3, 0x03A4, 0x03A5,
                                            0x03C2, 0x03A9, 0x039E, 0x03A8, 0x0396};
constexpr std::uint16_t kSymbolLower[26] = {0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, 0x03C6, 0x03B3,
                                            0x03B7, 0x03B9, 0x03D5, 0x03BA, 0x03BB, 0x03BC, 0x03BD,
                                            0x03BF, 0x03C0, 0x03B8, 0x03C1, 0x03C3, 0x03C4, 0x03C5,
                                            0x03D6, 0x03C9, 0x03BE, 0x03C8, 0x03B6};

struct FaceFiles {
  const char* folders[2];
  const char* files[4];  // regular, bold, italic, bold italic
};

constexpr FaceFiles kSansFiles = {
    {"/usr/share/fonts/truetype/liberation/", "/usr/share/fonts/truetype/liberation2/"},
    {"LiberationSans-Regular.ttf", "LiberationSans-Bold.ttf", "LiberationSans-Italic.ttf",
     "LiberationSans-BoldItalic.ttf"}};
constexpr FaceFiles kSymbolFiles = {
    {"/usr/share/fonts/truetype/dejavu/", "/usr/share/fonts/dejavu/"},
    {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "DejaVuSans-Oblique.ttf",
     "DejaVuSans-BoldOblique.ttf"}};

std::int32_t roundUp26_6(FT_Pos v) {
  return static_cast<std::int32_t>((v + 63) >> 6);
}

}  // namespace

std::shared_ptr<SoftwareFont> SoftwareFont::open(const FontChoice& chosen) {
  const std::int32_t height = chosen.height < 0 ? -chosen.height : chosen.height;
  if (height <= 0 || height > kMaxHeight) return nullptr;
  std::shared_ptr<SoftwareFont> font(new SoftwareFont);
  if (FT_Init_FreeType(&font->library) != 0) {
    font->library = nullptr;
    return nullptr;
  }
  font->symbolCodePage = sameFace(chosen.face, "Symbol");
  const FaceFiles& files = font->symbolCodePage ? kSymbolFiles : kSansFiles;
  const int style = (chosen.weight >= 700 ? 1 : 0) + (chosen.italic ? 2 : 0);
  // The styled file first, the regular one when a system lacks it.
  for (int pick : {style, 0}) {
    for (const char* folder : files.folders) {
      const std::string path = std::string(folder) + files.files[pick];
      if (FT_New_Face(font->library, path.c_str(), 0, &font->face) == 0) break;
      font->face = nullptr;
    }
    if (font->face) break;
  }
  if (!font->face || FT_Set_Pixel_Sizes(font->face, 0, static_cast<FT_UInt>(height)) != 0)
    return nullptr;
  font->underline = chosen.underline;
  font->ascent = roundUp26_6(font->face->size->metrics.ascender);
  font->descent = roundUp26_6(-font->face->size->metrics.descender);
  return font;
}

SoftwareFont::~SoftwareFont() {
  if (face) FT_Done_Face(face);
  if (library) FT_Done_FreeType(library);
}

std::uint32_t SoftwareFont::codePoint(unsigned char byte) const {
  if (symbolCodePage) {
    if (byte >= 'A' && byte <= 'Z') return kSymbolUpper[byte - 'A'];
    if (byte >= 'a' && byte <= 'z') return kSymbolLower[byte - 'a'];
  }
  if (byte >= 0x80 && byte < 0xA0) return kWindows1252High[byte - 0x80];
  return byte;
}

Point SoftwareFont::extent(const char* text, std::int32_t len) {
  std::int64_t width = 0;
  for (std::int32_t i = 0; i < len; ++i) {
    const FT_UInt glyph = FT_Get_Char_Index(face, codePoint(static_cast<unsigned char>(text[i])));
    if (FT_Load_Glyph(face, glyph, FT_LOAD_DEFAULT) != 0) continue;
    width += face->glyph->advance.x >> 6;
  }
  width = std::min<std::int64_t>(width, std::numeric_limits<std::int32_t>::max());
  return Point(static_cast<std::int32_t>(width), ascent + descent);
}

void SoftwareFont::render(Point origin, const char* text, std::int32_t len, const Plot& plot) {
  std::int64_t penX = origin.x;
  const std::int64_t baseline = static_cast<std::int64_t>(origin.y) + ascent;
  for (std::int32_t i = 0; i < len; ++i) {
    const FT_UInt glyph = FT_Get_Char_Index(face, codePoint(static_cast<unsigned char>(text[i])));
    if (FT_Load_Glyph(face, glyph, FT_LOAD_RENDER) != 0) continue;
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
      for (unsigned row = 0; row < bitmap.rows; ++row) {
        const unsigned char* line = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
        for (unsigned col = 0; col < bitmap.width; ++col) {
          if (line[col] != 0)
            plot(penX + slot->bitmap_left + col, baseline - slot->bitmap_top + row, line[col]);
        }
      }
    }
    penX += slot->advance.x >> 6;
  }
  if (underline && penX > origin.x) {
    const FT_Fixed scale = face->size->metrics.y_scale;
    const std::int64_t below = FT_MulFix(-face->underline_position, scale) >> 6;
    const std::int64_t thickness = FT_MulFix(face->underline_thickness, scale) >> 6;
    for (std::int64_t t = 0; t < (thickness > 1 ? thickness : 1); ++t) {
      for (std::int64_t x = origin.x; x < penX; ++x)
        plot(x, baseline + (below > 1 ? below : 1) + t, 255);
    }
  }
}

}  // namespace platform::software
