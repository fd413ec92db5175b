// Compares the software backend's pictures of every scene with those that the Windows builds
// drew through GDI under Wine: their test gui_crosscheck_render leaves them in
// <their build directory>/crosscheck, and every current one found beside this build's
// directory is compared. Without one the comparison is skipped (or fails, where
// QV_REQUIRE_GDI_PICTURES says the Windows tests ran), so run the Windows builds' tests
// first. The native pictures, and for every scene that differs the Windows one beside it,
// are written to <this build directory>/crosscheck for a look.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/crosscheck/Picture.h"
#include "tests/support/crosscheck/SceneDumps.h"
#include "tests/support/crosscheck/Scenes.h"

namespace crosscheck {
namespace {

const std::string kSearchRoot = QV_CROSSCHECK_SEARCH;
const std::string kNativeDump = QV_CROSSCHECK_NATIVE;

void compareWith(const std::string& windowsDump, const std::string& arch) {
  SCOPED_TRACE(windowsDump);
  const bool keep = makeDirectory(kNativeDump);
  for (std::int32_t i = 0; i < sceneCount(); ++i) {
    const Scene& scene = scenes()[i];
    SCOPED_TRACE(scene.name);
    Picture expected;
    ASSERT_TRUE(readPicture(scenePath(windowsDump, scene.name), expected));
    const Picture actual = renderScene(scene);
    if (keep) writePicture(scenePath(kNativeDump, scene.name), actual);
    const std::string difference = comparePictures(scene, expected, actual);
    EXPECT_EQ(difference, "") << arch << " drew it otherwise";
    if (!difference.empty() && keep) {
      writePicture(kNativeDump + "/" + scene.name + "." + arch + ".ppm", expected);
    }
  }
}

// Both Windows builds draw through the same GDI; whichever of them left pictures serves.
TEST(Crosscheck, SoftwareBackendDrawsAsGdiDoes) {
  int compared = 0;
  for (const char* arch : {"win32", "win64"}) {
    for (const std::string& dump : findCurrentDumps(kSearchRoot, arch)) {
      compareWith(dump, arch);
      ++compared;
    }
  }
  if (compared > 0) return;
  const std::string why =
      "no Windows build's GDI pictures of the current scenes in any build directory under " +
      kSearchRoot;
  if (gdiPicturesRequired()) FAIL() << why << ", and QV_REQUIRE_GDI_PICTURES is set";
  GTEST_SKIP() << why << "; run a Windows build's tests first";
}

}  // namespace
}  // namespace crosscheck
