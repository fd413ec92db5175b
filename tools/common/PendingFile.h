// An output file that appears under its name only once it is complete.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qv::tools {

// Hands out a temporary name beside the final one; commit() renames it into place.
// Destroying it uncommitted removes the temporary file, so a failed run leaves no
// partial output behind (and an older file of the final name untouched).
class PendingFile {
 public:
  explicit PendingFile(std::string path);
  ~PendingFile();
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;

  const std::string& path() const { return path_; }
  const std::string& temporaryPath() const { return temporary_; }

  // Writes `bytes` to the temporary file; false on any write error.
  bool writeAll(const std::vector<std::uint8_t>& bytes);
  // Moves the temporary file to the final name; false (with the reason) on failure.
  bool commit(std::string& error);

 private:
  std::string path_;
  std::string temporary_;
  bool committed_ = false;
};

}  // namespace qv::tools
