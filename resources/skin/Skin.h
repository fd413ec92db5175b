// The fifteen pictures of the editor's skin with their resource ids, file names and
// depths, and a picture of the editor as it opens, for judging the whole.
#pragma once

#include <cstdint>
#include <vector>

#include "resources/skin/Canvas.h"
#include "resources/skin/Lettering.h"

struct SkinImage {
  std::int32_t id;
  const char* file;
  std::int32_t bitsPerPixel;
  Canvas picture;
};

std::vector<SkinImage> drawSkin(Lettering& lettering);
// The panel with every control drawn at its place, as a fresh instance shows it.
Canvas drawEditorPreview(const std::vector<SkinImage>& skin, Lettering& lettering);
