#include "gui/platform/Module.h"

namespace {
void* current = nullptr;
}  // namespace

namespace platform {

void setModuleHandle(void* module) {
  current = module;
}

void* moduleHandle() {
  return current;
}

}  // namespace platform
