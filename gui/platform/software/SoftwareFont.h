// A device font of the software backend: a scalable face from the system's font folders
// standing in for the table's faces ("Arial": Liberation Sans, "Symbol": DejaVu Sans with
// the symbol code page's Greek letters), rendered with FreeType. Each font has its own
// FreeType instance, so fonts on different threads share nothing.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "gui/base/Font.h"
#include "gui/base/Point.h"

struct FT_LibraryRec_;
struct FT_FaceRec_;

namespace platform::software {

class SoftwareFont {
 public:
  // Heights above this are refused: no control draws such text, and it would only cost
  // memory.
  static constexpr std::int32_t kMaxHeight = 1024;

  // Null when no face file is found or the height is out of range (0 or beyond kMaxHeight;
  // a negative height is taken as its magnitude).
  static std::shared_ptr<SoftwareFont> open(const FontChoice& chosen);
  ~SoftwareFont();
  SoftwareFont(const SoftwareFont&) = delete;
  SoftwareFont& operator=(const SoftwareFont&) = delete;

  // Width of the text and height of its line, in pixels.
  Point extent(const char* text, std::int32_t len);
  // Reports every pixel that the text covers, with its coverage (1-255), for the text's
  // line cell placed with its top-left corner at origin.
  using Plot = std::function<void(std::int64_t x, std::int64_t y, std::uint8_t coverage)>;
  void render(Point origin, const char* text, std::int32_t len, const Plot& plot);

 private:
  SoftwareFont() = default;
  std::uint32_t codePoint(unsigned char byte) const;

  FT_LibraryRec_* library = nullptr;
  FT_FaceRec_* face = nullptr;
  bool symbolCodePage = false;
  bool underline = false;
  std::int32_t ascent = 0;
  std::int32_t descent = 0;
};

}  // namespace platform::software
