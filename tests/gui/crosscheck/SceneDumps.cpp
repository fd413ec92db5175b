#include "tests/gui/crosscheck/SceneDumps.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace crosscheck {

namespace {

// The build hashes the scene sources into this text: a dump of other scenes is stale.
constexpr const char* kFingerprint = QV_SCENES_FINGERPRINT;

std::string manifestPath(const std::string& directory) {
  return directory + "/manifest.txt";
}

}  // namespace

bool makeDirectory(const std::string& directory) {
  std::error_code error;
  std::filesystem::create_directories(directory, error);
  return std::filesystem::is_directory(directory, error);
}

bool writeManifest(const std::string& directory) {
  std::FILE* file = std::fopen(manifestPath(directory).c_str(), "w");
  if (!file) return false;
  const bool written = std::fprintf(file, "%s\n", kFingerprint) > 0;
  return std::fclose(file) == 0 && written;
}

void removeManifest(const std::string& directory) {
  std::remove(manifestPath(directory).c_str());
}

bool hasCurrentDump(const std::string& directory) {
  std::FILE* file = std::fopen(manifestPath(directory).c_str(), "r");
  if (!file) return false;
  char line[128] = {};
  const bool read = std::fgets(line, sizeof(line), file) != nullptr;
  std::fclose(file);
  line[std::strcspn(line, "\r\n")] = '\0';
  return read && std::strcmp(line, kFingerprint) == 0;
}

std::string scenePath(const std::string& directory, const char* sceneName) {
  return directory + "/" + sceneName + ".ppm";
}

}  // namespace crosscheck
