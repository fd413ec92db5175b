// The editor drawn from outside the plug-in: the native library loaded as a host loads it, its
// editor opened in a headless host window of the software backend, and the picture written by
// quaverhost's snapshot command.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "gui/platform/software/PngFile.h"
#include "tests/support/canvas/Canvas.h"
#include "tools/quaverhost/SnapshotCommand.h"

namespace {

int snapshot(const std::vector<std::string>& args, std::string& errors) {
  std::ostringstream out;
  std::ostringstream err;
  const int code = qv::hostcli::runSnapshot(args, out, err);
  errors = err.str();
  return code;
}

TEST(TremoloEditorSnapshot, ThePluginDrawsTheSamePictureInAHostsWindow) {
  const std::string path = testing::TempDir() + "editor-snapshot.png";
  std::string errors;
  ASSERT_EQ(snapshot({QV_PLUGIN_PATH, path}, errors), 0) << errors;
  std::unique_ptr<platform::software::PixelSurface> picture =
      platform::software::loadPng(path.c_str());
  ASSERT_NE(picture, nullptr);
  EXPECT_TRUE(matchesGolden(*picture, "editor"));
  std::remove(path.c_str());
}

TEST(TremoloEditorSnapshot, SettingsAreCheckedBeforeThePluginLoads) {
  std::string errors;
  for (const std::vector<std::string>& args : {std::vector<std::string>{QV_PLUGIN_PATH},
                                               {QV_PLUGIN_PATH, "x.png", "--set"},
                                               {QV_PLUGIN_PATH, "x.png", "--set", "2"},
                                               {QV_PLUGIN_PATH, "x.png", "--set", "2=nan"},
                                               {QV_PLUGIN_PATH, "x.png", "--set", "-1=0.5"},
                                               {QV_PLUGIN_PATH, "x.png", "--sett", "2=0.5"}}) {
    EXPECT_EQ(snapshot(args, errors), 1);
    EXPECT_NE(errors.find("usage"), std::string::npos);
  }
  EXPECT_EQ(snapshot({"/nonexistent/plugin.so", "x.png"}, errors), 1);
}

TEST(TremoloEditorSnapshot, NeverWritesOverThePluginOrIntoAFolder) {
  const std::filesystem::path dir = std::filesystem::path(testing::TempDir()) / "qv_snapshot_paths";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir / "folder");
  const std::string plugin = (dir / "plugin.so").string();
  std::filesystem::copy_file(QV_PLUGIN_PATH, plugin);
  const auto size = std::filesystem::file_size(plugin);
  std::string errors;
  EXPECT_EQ(snapshot({plugin, (dir / "." / "plugin.so").string()}, errors), 2);
  EXPECT_NE(errors.find("is the same file as"), std::string::npos) << errors;
  EXPECT_EQ(std::filesystem::file_size(plugin), size);
  EXPECT_EQ(snapshot({plugin, (dir / "folder").string()}, errors), 1);
  EXPECT_NE(errors.find("not a regular file"), std::string::npos) << errors;
  EXPECT_TRUE(std::filesystem::is_empty(dir / "folder"));
  // A snapshot replaces an older picture, and leaves no temporary file beside it.
  const std::string picture = (dir / "editor.png").string();
  std::ofstream(picture) << "older";
  ASSERT_EQ(snapshot({plugin, picture}, errors), 0) << errors;
  EXPECT_NE(platform::software::loadPng(picture.c_str()), nullptr);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir),
                          std::filesystem::directory_iterator()),
            3);
  std::filesystem::remove_all(dir);
}

}  // namespace
