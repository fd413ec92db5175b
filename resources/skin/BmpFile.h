// Device-independent bitmap files as the plug-in's resources hold them: a 14-byte file
// header, a 40-byte information header, no compression, rows bottom-up and padded to four
// bytes, at 16 (5-5-5), 24 or 32 bits per pixel.
#pragma once

#include <cstdint>
#include <vector>

#include "resources/skin/Canvas.h"

// Empty for a depth other than 16, 24 or 32.
std::vector<std::uint8_t> encodeBmp(const Canvas& picture, std::int32_t bitsPerPixel);
// False when the file cannot be written whole.
bool writeFile(const char* path, const std::vector<std::uint8_t>& bytes);
