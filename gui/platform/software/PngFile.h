// Pictures of surfaces as PNG files, for tests and tools. Failures answer false or null.
#pragma once

#include <memory>

#include "gui/platform/software/PixelSurface.h"

namespace software {

// Writes the surface as 8-bit RGB.
bool savePng(const PixelSurface& surface, const char* path);
// Reads any PNG that libpng can turn into 8-bit RGB; null when it cannot.
std::unique_ptr<PixelSurface> loadPng(const char* path);

}  // namespace software
