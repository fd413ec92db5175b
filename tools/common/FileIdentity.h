// Which file a path names, so that two spellings of one file can be told apart
// from two files.
#pragma once

#include <cstdint>
#include <string>

namespace qv::tools {

struct FileIdentity {
  bool exists = false;   // the path names something that could be looked at
  bool regular = false;  // ... and it is a plain file (links followed)
  // Where known: the device and the file's number on it (st_dev and st_ino; the
  // volume serial number and file index on Windows, which devices lack).
  bool numbered = false;
  std::uint64_t device = 0;
  std::uint64_t index = 0;
  // The absolute path with "." and ".." resolved and the links of its existing
  // part followed; folded to lower case on Windows, whose file names ignore case.
  std::string normalised;
};

FileIdentity identifyFile(const std::string& path);

// Same device and number when both have them, else the same normalised path.
bool sameFile(const FileIdentity& a, const FileIdentity& b);

}  // namespace qv::tools
