// Decodes the device-independent bitmaps that the skin is made of: an optional 14-byte
// file header, an information header of at least 40 bytes, no compression, 16 (5-5-5),
// 24 or 32 bits per pixel, rows bottom-up (or top-down for a negative height). Anything
// else, and any header that claims more data than there is, is refused without reading
// past the end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "gui/platform/software/PixelSurface.h"

namespace platform::software {

// Null when the data is not such a bitmap.
std::unique_ptr<PixelSurface> decodeBmp(const std::uint8_t* data, std::size_t size);

}  // namespace platform::software
