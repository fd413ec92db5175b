// The Windows programs carry the pictures in their own resources; bitmaps load from the
// module that the host interface names, which here is the program itself.
#include <windows.h>

#include "host/ModuleHandle.h"
#include "tests/gui/crosscheck/Scenes.h"

namespace crosscheck {

void installSceneResources() {
  moduleHandle = GetModuleHandleW(nullptr);
}

}  // namespace crosscheck
