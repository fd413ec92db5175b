#include "tests/support/crosscheck/SceneDumps.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
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

// The manifest's two lines: the fingerprint and the architecture.
bool isCurrentDump(const std::string& directory, const std::string& arch) {
  std::FILE* file = std::fopen(manifestPath(directory).c_str(), "r");
  if (!file) return false;
  char fingerprint[128] = {};
  char drawnFor[32] = {};
  const bool read = std::fgets(fingerprint, sizeof(fingerprint), file) != nullptr &&
                    std::fgets(drawnFor, sizeof(drawnFor), file) != nullptr;
  std::fclose(file);
  fingerprint[std::strcspn(fingerprint, "\r\n")] = '\0';
  drawnFor[std::strcspn(drawnFor, "\r\n")] = '\0';
  return read && std::strcmp(fingerprint, kFingerprint) == 0 && arch == drawnFor;
}

}  // namespace

bool makeDirectory(const std::string& directory) {
  std::error_code error;
  std::filesystem::create_directories(directory, error);
  return std::filesystem::is_directory(directory, error);
}

bool writeManifest(const std::string& directory, const std::string& arch) {
  std::FILE* file = std::fopen(manifestPath(directory).c_str(), "w");
  if (!file) return false;
  const bool written = std::fprintf(file, "%s\n%s\n", kFingerprint, arch.c_str()) > 0;
  return std::fclose(file) == 0 && written;
}

void removeManifest(const std::string& directory) {
  std::remove(manifestPath(directory).c_str());
}

std::vector<std::string> findCurrentDumps(const std::string& root, const std::string& arch) {
  std::vector<std::string> found;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(root, error)) {
    const std::string dump = entry.path().string() + "/crosscheck";
    if (isCurrentDump(dump, arch)) found.push_back(dump);
  }
  std::sort(found.begin(), found.end());
  return found;
}

std::string scenePath(const std::string& directory, const char* sceneName) {
  return directory + "/" + sceneName + ".ppm";
}

bool gdiPicturesRequired() {
  const char* value = std::getenv("QV_REQUIRE_GDI_PICTURES");
  return value != nullptr && *value != '\0' && std::string(value) != "0";
}

}  // namespace crosscheck
