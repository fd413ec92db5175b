// Where rendered scenes are kept between the build that draws them and the build that
// compares them. Each Windows build keeps its own dump in <build directory>/crosscheck: one
// PPM per scene and a manifest naming the scene set it was drawn from and the architecture.
// The native build looks for current dumps in the build directories beside its own.
#pragma once

#include <string>
#include <vector>

namespace crosscheck {

// Makes the directory and its parents; true when it exists afterwards.
bool makeDirectory(const std::string& directory);
// Writes the manifest of the current scene set; the last step of a complete dump.
bool writeManifest(const std::string& directory, const std::string& arch);
// Removes the manifest, so that a dump being rewritten is never taken for a complete one.
void removeManifest(const std::string& directory);
// The directories <root>/<any build>/crosscheck that hold a complete dump of the current
// scene set drawn for arch.
std::vector<std::string> findCurrentDumps(const std::string& root, const std::string& arch);

std::string scenePath(const std::string& directory, const char* sceneName);

// True when QV_REQUIRE_GDI_PICTURES is set (and not "0"), as scripts/test.sh sets it after
// running a Windows build's tests: a missing picture is then a failure of that build, not a
// comparison to skip.
bool gdiPicturesRequired();

}  // namespace crosscheck
