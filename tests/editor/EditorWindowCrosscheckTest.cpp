// The editor's window as the Windows builds read it back under Wine, against the picture the
// software backend draws: equal pixel for pixel everywhere but the texts, which GDI draws with
// its own fonts and rasteriser.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "gui/base/Rect.h"
#include "gui/platform/software/PngFile.h"
#include "tests/support/crosscheck/Picture.h"
#include "tests/support/crosscheck/SceneDumps.h"

namespace {

// The tempo field, the four small number fields and the three text displays.
constexpr Rect kTextAreas[] = {{118, 70, 157, 90},   {104, 217, 126, 232}, {152, 217, 172, 232},
                               {192, 217, 217, 232}, {236, 217, 261, 232}, {34, 57, 62, 68},
                               {84, 57, 106, 68},    {124, 153, 186, 164}};
constexpr int kReportedPixels = 8;

bool inText(std::int32_t x, std::int32_t y) {
  for (const Rect& area : kTextAreas) {
    if (area.pointInside(Point(x, y))) return true;
  }
  return false;
}

// Every Windows build's dump of the current golden picture beside this build.
std::vector<std::string> findDumps() {
  std::vector<std::string> found;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(QV_CROSSCHECK_SEARCH, error)) {
    const std::string dump =
        crosscheck::scenePath(entry.path().string() + "/crosscheck", QV_EDITOR_DUMP);
    if (std::filesystem::is_regular_file(dump, error)) found.push_back(dump);
  }
  return found;
}

std::string describe(std::int32_t x, std::int32_t y, Color expected, Color actual) {
  char text[96];
  std::snprintf(text, sizeof(text), " (%d,%d): (%d,%d,%d) vs (%d,%d,%d);", static_cast<int>(x),
                static_cast<int>(y), expected.red, expected.green, expected.blue, actual.red,
                actual.green, actual.blue);
  return text;
}

TEST(EditorWindowCrosscheck, TheWindowsEditorMatchesTheSoftwarePictureOutsideText) {
  const std::vector<std::string> dumps = findDumps();
  if (dumps.empty()) {
    const char* why = "no Windows build has left the editor's picture under " QV_CROSSCHECK_SEARCH;
    if (crosscheck::gdiPicturesRequired()) FAIL() << why << ", and QV_REQUIRE_GDI_PICTURES is set";
    GTEST_SKIP() << why;
  }
  const auto golden = platform::software::loadPng(QV_GOLDEN_DIR "/editor.png");
  ASSERT_NE(golden, nullptr);
  for (const std::string& dump : dumps) {
    SCOPED_TRACE(dump);
    crosscheck::Picture window;
    ASSERT_TRUE(crosscheck::readPicture(dump, window));
    ASSERT_EQ(window.width, golden->width());
    ASSERT_EQ(window.height, golden->height());
    int differing = 0;
    std::string report;
    for (std::int32_t y = 0; y < window.height; ++y) {
      for (std::int32_t x = 0; x < window.width; ++x) {
        const Color expected = golden->colorAt(x, y);
        if (inText(x, y) || window.at(x, y) == expected) continue;
        if (differing++ < kReportedPixels) report += describe(x, y, expected, window.at(x, y));
      }
    }
    EXPECT_EQ(differing, 0) << report;
  }
}

}  // namespace
