#include "gui/platform/software/BitmapResources.h"

#include <algorithm>
#include <vector>

namespace platform::software {

namespace {

std::vector<BitmapResource>& registry() {
  static std::vector<BitmapResource> resources;
  return resources;
}

std::int32_t resourceName(std::int32_t id) {
  return id & 0xFFFF;
}

}  // namespace

void registerBitmapResource(std::int32_t id, const std::uint8_t* data, std::size_t size) {
  unregisterBitmapResource(id);
  registry().push_back({resourceName(id), data, size});
}

void unregisterBitmapResource(std::int32_t id) {
  std::vector<BitmapResource>& r = registry();
  r.erase(std::remove_if(r.begin(), r.end(),
                         [id](const BitmapResource& e) { return e.id == resourceName(id); }),
          r.end());
}

const BitmapResource* findBitmapResource(std::int32_t id) {
  for (const BitmapResource& e : registry()) {
    if (e.id == resourceName(id)) return &e;
  }
  return nullptr;
}

}  // namespace platform::software
