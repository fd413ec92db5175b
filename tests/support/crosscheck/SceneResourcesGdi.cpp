// The Windows programs carry the pictures in their own resources; bitmaps load from the
// module that the host interface names, which here is the program itself.
#include <windows.h>

#include "gui/platform/Module.h"
#include "tests/support/crosscheck/Scenes.h"

namespace crosscheck {

void installSceneResources() {
  platform::setModuleHandle(GetModuleHandleW(nullptr));
}

}  // namespace crosscheck
