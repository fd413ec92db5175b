// An output file that appears under its name only once it is complete.
#pragma once

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

namespace qv::tools {

// Writes to a temporary file beside the final one and renames it into place on
// commit. The temporary file is created exclusively under a fresh name, so it never
// opens, truncates or replaces a file that exists already. Destroying it uncommitted
// removes the temporary file: a failed run leaves the final name as it was.
class PendingFile {
 public:
  explicit PendingFile(std::string path);
  ~PendingFile();
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;

  const std::string& path() const { return path_; }

  // Creates the temporary file; false with the reason (naming the final path).
  bool create(std::string& error);
  // The open temporary file, from create() to commit(); null before.
  std::FILE* stream() const { return stream_; }
  // Writes `bytes` to the temporary file, creating it first unless create() did;
  // false with the reason.
  bool writeAll(const std::vector<std::uint8_t>& bytes, std::string& error);

  // Closes the temporary file and moves it to the final name; false with the reason.
  bool commit(std::string& error);
  // Commits several files together: either all of them take their final names, or
  // (when a close or rename fails) every final name is left as it was before.
  static bool commitAll(std::span<PendingFile* const> files, std::string& error);

 private:
  bool closeStream(std::string& error);

  std::string path_;
  std::string temporary_;  // empty until created
  std::FILE* stream_ = nullptr;
  bool committed_ = false;
};

}  // namespace qv::tools
