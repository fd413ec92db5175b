// The drawing factories of the software backend.
#include "gui/platform/Graphics.h"
#include "gui/platform/software/BitmapResources.h"
#include "gui/platform/software/BmpDecoder.h"
#include "gui/platform/software/SoftwareDevice.h"

namespace platform {

std::unique_ptr<Device> createMemoryDevice(Device*) {
  return std::make_unique<software::SoftwareDevice>();
}

std::unique_ptr<Surface> createSurface(Device*, std::int32_t width, std::int32_t height) {
  return software::PixelSurface::create(width, height, false);
}

std::unique_ptr<Surface> createMaskSurface(std::int32_t width, std::int32_t height) {
  return software::PixelSurface::create(width, height, true);
}

std::unique_ptr<Surface> loadBitmapResource(std::int32_t resourceId) {
  const software::BitmapResource* resource = software::findBitmapResource(resourceId);
  if (!resource) return nullptr;
  return software::decodeBmp(resource->data, resource->size);
}

}  // namespace platform
