// The fifteen pictures of the editor's skin, each with its description (resource id, file
// name, depth), and a picture of the editor as it opens, for judging the whole.
#pragma once

#include <cstdint>
#include <vector>

#include "resources/layout/SkinLayout.h"
#include "resources/skin/Canvas.h"
#include "resources/skin/Lettering.h"

struct SkinImage {
  skin::BitmapFile bitmap;
  Canvas picture;
};

std::vector<SkinImage> drawSkin(Lettering& lettering);
// The panel with every control drawn at its place, as a fresh instance shows it.
Canvas drawEditorPreview(const std::vector<SkinImage>& skin, Lettering& lettering);
