// Draws every scene through the Win32 backend (GDI as the system at hand implements it) and
// leaves the pictures where the native build compares them with its own backend's.
#include <gtest/gtest.h>

#include "gui/platform/win32/BlendFunctions.h"
#include "tests/support/crosscheck/Picture.h"
#include "tests/support/crosscheck/SceneDumps.h"
#include "tests/support/crosscheck/Scenes.h"

namespace crosscheck {
namespace {

const std::string kDumpDirectory = QV_CROSSCHECK_OUT;
const std::string kArch = sizeof(void*) == 4 ? "win32" : "win64";

const Scene& sceneNamed(const char* name) {
  for (std::int32_t i = 0; i < sceneCount(); ++i) {
    if (std::string(scenes()[i].name) == name) return scenes()[i];
  }
  return scenes()[0];
}

TEST(CrosscheckRender, EverySceneIsDrawnAndStored) {
  ASSERT_TRUE(makeDirectory(kDumpDirectory)) << kDumpDirectory;
  removeManifest(kDumpDirectory);
  bool all = true;
  for (std::int32_t i = 0; i < sceneCount(); ++i) {
    const Scene& scene = scenes()[i];
    const Picture picture = renderScene(scene);
    ASSERT_EQ(picture.width, scene.width) << scene.name;
    ASSERT_EQ(picture.height, scene.height) << scene.name;
    const bool written = writePicture(scenePath(kDumpDirectory, scene.name), picture);
    EXPECT_TRUE(written) << scene.name;
    all = all && written;
  }
  if (all) {
    EXPECT_TRUE(writeManifest(kDumpDirectory, kArch));
  }
}

TEST(CrosscheckRender, MaskPassesMatchTheSystemsKeyedCopy) {
  ASSERT_NE(platform::win32::transparentBltFunction(), nullptr);
  const Scene& scene = sceneNamed("bitmap_transparent");
  const Picture keyed = renderScene(scene);
  platform::win32::setBlendFunctionsEnabled(false);
  const Picture masked = renderScene(scene);
  platform::win32::setBlendFunctionsEnabled(true);
  EXPECT_EQ(comparePictures(scene, keyed, masked), "");
}

TEST(CrosscheckRender, WithoutTheBlendFunctionAlphaDrawsNothing) {
  const Scene& scene = sceneNamed("bitmap_alpha");
  platform::win32::setBlendFunctionsEnabled(false);
  const Picture unblended = renderScene(scene);
  platform::win32::setBlendFunctionsEnabled(true);
  const Picture blended = renderScene(scene);
  // Only the background bands remain: every column is one colour from top to bottom.
  for (std::int32_t x = 0; x < unblended.width; ++x) {
    for (std::int32_t y = 1; y < unblended.height; ++y) {
      ASSERT_EQ(unblended.at(x, y), unblended.at(x, 0)) << x << "," << y;
    }
  }
  EXPECT_NE(comparePictures(scene, unblended, blended), "");
}

}  // namespace
}  // namespace crosscheck
