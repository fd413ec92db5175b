// Pictures of surfaces as PNG files, for tests and tools. Failures answer false or null.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "gui/platform/software/PixelSurface.h"

namespace platform::software {

// Writes the surface as 8-bit RGB.
bool savePng(const PixelSurface& surface, const char* path);
// The bytes of that file; empty when encoding fails.
std::vector<std::uint8_t> encodePng(const PixelSurface& surface);
// Reads any PNG that libpng can turn into 8-bit RGB; null when it cannot.
std::unique_ptr<PixelSurface> loadPng(const char* path);

}  // namespace platform::software
