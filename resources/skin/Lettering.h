// Labels for the skin, set in the toolkit's sans-serif face (the software backend's
// FreeType fonts) and placed by their capital letters, so that labels of one size share a
// baseline whatever letters they hold. Single-threaded.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <utility>

#include "resources/skin/Canvas.h"

namespace platform::software {
class SoftwareFont;
}  // namespace platform::software

enum class Align { Left, Centre, Right };

struct TextStyle {
  std::int32_t pixelSize = 10;
  bool bold = false;
  // Extra pixels after each letter.
  std::int32_t tracking = 0;
  Rgb colour{255, 255, 255};
};

class Lettering {
 public:
  Lettering();
  ~Lettering();

  // Whether the face was found; without it nothing is drawn and widths are 0.
  bool ready();
  std::int32_t width(const char* text, const TextStyle& style);
  // Draws one line with the capitals' vertical middle at capMiddle; x is the left edge,
  // the middle or the right edge by align.
  void draw(Canvas& canvas, const char* text, float x, float capMiddle, Align align,
            const TextStyle& style);

 private:
  struct Face {
    std::shared_ptr<platform::software::SoftwareFont> font;
    float capMiddle = 0;  // below the line cell's top
  };
  Face& face(const TextStyle& style);

  std::map<std::pair<std::int32_t, bool>, Face> faces;
};
