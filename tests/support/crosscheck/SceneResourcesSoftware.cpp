// The native programs register the bytes of the same picture files, which the build
// embeds, with the software backend's resource table.
#include "SceneResourceData.h"
#include "gui/platform/software/BitmapResources.h"
#include "tests/support/crosscheck/Scenes.h"

namespace crosscheck {

void installSceneResources() {
  platform::software::registerBitmapResource(kPicture24, kPicture24Bytes, sizeof(kPicture24Bytes));
  platform::software::registerBitmapResource(kPicture32, kPicture32Bytes, sizeof(kPicture32Bytes));
  platform::software::registerBitmapResource(kPicture16, kPicture16Bytes, sizeof(kPicture16Bytes));
}

}  // namespace crosscheck
