#include "tools/common/PendingFile.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace qv::tools {

PendingFile::PendingFile(std::string path) : path_(std::move(path)), temporary_(path_ + ".part") {}

PendingFile::~PendingFile() {
  if (!committed_) {
    std::error_code ignored;
    std::filesystem::remove(std::filesystem::path(temporary_), ignored);
  }
}

bool PendingFile::writeAll(const std::vector<std::uint8_t>& bytes) {
  std::FILE* file = std::fopen(temporary_.c_str(), "wb");
  if (!file) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

bool PendingFile::commit(std::string& error) {
  std::error_code code;
  std::filesystem::rename(std::filesystem::path(temporary_), std::filesystem::path(path_), code);
  if (code) {
    error = "cannot create " + path_ + ": " + code.message();
    return false;
  }
  committed_ = true;
  return true;
}

}  // namespace qv::tools
