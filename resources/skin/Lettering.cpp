#include "resources/skin/Lettering.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "gui/base/Font.h"
#include "gui/platform/software/SoftwareFont.h"

Lettering::Lettering() = default;
Lettering::~Lettering() = default;

Lettering::Face& Lettering::face(const TextStyle& style) {
  const auto key = std::make_pair(style.pixelSize, style.bold);
  auto found = faces.find(key);
  if (found != faces.end()) return found->second;
  FontChoice chosen;
  chosen.face = "Arial";
  chosen.height = style.pixelSize;
  chosen.weight = style.bold ? 700 : 400;
  Face made;
  made.font = platform::software::SoftwareFont::open(chosen);
  if (made.font) {
    // The ink of a capital gives the line's cap top and baseline.
    std::int64_t top = INT64_MAX;
    std::int64_t bottom = INT64_MIN;
    made.font->render(Point(0, 0), "H", 1, [&](std::int64_t, std::int64_t y, std::uint8_t) {
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    });
    if (top <= bottom) made.capMiddle = static_cast<float>(top + bottom + 1) / 2;
  }
  return faces.emplace(key, std::move(made)).first->second;
}

bool Lettering::ready() {
  return face(TextStyle{}).font != nullptr;
}

std::int32_t Lettering::width(const char* text, const TextStyle& style) {
  Face& f = face(style);
  if (!f.font) return 0;
  const auto len = static_cast<std::int32_t>(std::strlen(text));
  return f.font->extent(text, len).x + style.tracking * std::max(len - 1, 0);
}

void Lettering::draw(Canvas& canvas, const char* text, float x, float capMiddle, Align align,
                     const TextStyle& style) {
  Face& f = face(style);
  if (!f.font) return;
  const std::int32_t total = width(text, style);
  float left = x;
  if (align == Align::Centre) left = x - static_cast<float>(total) / 2;
  if (align == Align::Right) left = x - static_cast<float>(total);
  auto penX = static_cast<std::int32_t>(std::lround(left));
  const auto top = static_cast<std::int32_t>(std::lround(capMiddle - f.capMiddle));
  const auto plot = [&](std::int64_t px, std::int64_t py, std::uint8_t coverage) {
    canvas.blend(static_cast<std::int32_t>(px), static_cast<std::int32_t>(py), style.colour,
                 static_cast<float>(coverage) / 255.0f);
  };
  // Letter by letter, so that tracking can open the spacing of small capitals.
  for (const char* c = text; *c; ++c) {
    f.font->render(Point(penX, top), c, 1, plot);
    penX += f.font->extent(c, 1).x + style.tracking;
  }
}
