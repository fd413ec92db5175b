// Where rendered scenes are kept between the build that draws them and the build that
// compares them: one directory per backend and architecture, holding one PPM per scene and a
// manifest naming the scene set it was drawn from.
#pragma once

#include <string>

namespace crosscheck {

// Makes the directory and its parents; true when it exists afterwards.
bool makeDirectory(const std::string& directory);
// Writes the manifest of the current scene set; the last step of a complete dump.
bool writeManifest(const std::string& directory);
// Removes the manifest, so that a dump being rewritten is never taken for a complete one.
void removeManifest(const std::string& directory);
// Whether the directory holds a complete dump of the current scene set.
bool hasCurrentDump(const std::string& directory);

std::string scenePath(const std::string& directory, const char* sceneName);

}  // namespace crosscheck
