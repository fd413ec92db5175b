#include "tools/common/FileIdentity.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace qv::tools {

namespace {

std::string normalisedPath(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::path absolute = fs::absolute(fs::path(path), error);
  if (error) absolute = fs::path(path);
  fs::path resolved = fs::weakly_canonical(absolute, error);
  if (error) resolved = absolute.lexically_normal();
  std::string text = resolved.string();
#ifdef _WIN32
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
#endif
  return text;
}

#ifdef _WIN32
// Opened without access rights, which also works for folders and files in use.
void lookAt(const std::string& path, FileIdentity& identity) {
  const HANDLE handle =
      CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return;
  identity.exists = true;
  BY_HANDLE_FILE_INFORMATION info;
  // Devices such as NUL have no file information and are no plain files.
  if (GetFileType(handle) == FILE_TYPE_DISK && GetFileInformationByHandle(handle, &info)) {
    identity.regular = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    identity.numbered = true;
    identity.device = info.dwVolumeSerialNumber;
    identity.index = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  }
  CloseHandle(handle);
}
#else
void lookAt(const std::string& path, FileIdentity& identity) {
  struct stat status;
  if (::stat(path.c_str(), &status) != 0) return;
  identity.exists = true;
  identity.regular = S_ISREG(status.st_mode);
  identity.numbered = true;
  identity.device = static_cast<std::uint64_t>(status.st_dev);
  identity.index = static_cast<std::uint64_t>(status.st_ino);
}
#endif

}  // namespace

FileIdentity identifyFile(const std::string& path) {
  FileIdentity identity;
  lookAt(path, identity);
  identity.normalised = normalisedPath(path);
  return identity;
}

bool sameFile(const FileIdentity& a, const FileIdentity& b) {
  if (a.numbered && b.numbered) return a.device == b.device && a.index == b.index;
  return a.normalised == b.normalised;
}

}  // namespace qv::tools
