// The native build's stand-in for the BITMAP resources of the plug-in's module: a registry
// from numeric id (its low 16 bits, as resource names are) to BMP bytes built into the
// program. The bytes are not copied and must outlive their registration. Registration
// happens at start-up or in tests, on one thread.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform::software {

struct BitmapResource {
  std::int32_t id = 0;
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
};

// A later registration of the same id replaces the earlier one.
void registerBitmapResource(std::int32_t id, const std::uint8_t* data, std::size_t size);
void unregisterBitmapResource(std::int32_t id);
// Null when nothing is registered under the id.
const BitmapResource* findBitmapResource(std::int32_t id);

}  // namespace platform::software
