// Factories of the drawing backend. Each answers null when the platform cannot make the
// object; the caller owns what it gets.
#pragma once

#include <cstdint>
#include <memory>

#include "gui/platform/Device.h"
#include "gui/platform/Surface.h"

namespace platform {

// A memory device compatible with the given device, or with the screen when it is null.
// Its initial surface is a 1 by 1 one-bit surface, as the platform's are.
std::unique_ptr<Device> createMemoryDevice(Device* compatibleWith);

// A colour surface, initially black, compatible with the given device or with the screen.
// Null for a size that is not positive or too large to allocate.
std::unique_ptr<Surface> createSurface(Device* compatibleWith, std::int32_t width,
                                       std::int32_t height);

// A one-bit surface (0 black, 1 white), initially all 0.
std::unique_ptr<Surface> createMaskSurface(std::int32_t width, std::int32_t height);

// The BITMAP resource with this numeric id from the plug-in's own module (the low 16 bits
// of the id name it); null when there is none or it cannot be decoded.
std::unique_ptr<Surface> loadBitmapResource(std::int32_t resourceId);

}  // namespace platform
