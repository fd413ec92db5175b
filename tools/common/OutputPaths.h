// The files a command reads and writes, checked before anything is opened for
// writing, so that no run can write over its own input or write one file twice.
#pragma once

#include <span>
#include <string>

namespace qv::tools {

struct NamedFile {
  std::string role;  // how the command line names it: "IN.wav", "--events-out"
  std::string path;
};

enum class PathCheck {
  Ok,
  Clash,     // an output is an input or another output
  Unusable,  // an input or output exists but is no plain file, or an output has no name
};

// Compares every output with every input and with the other outputs by file identity
// (see sameFile), and refuses inputs and outputs that exist but are no regular files
// (folders, devices, pipes) and outputs without a name. A missing input passes; its
// reader reports it. On
// refusal `error` names the files involved.
PathCheck checkFiles(std::span<const NamedFile> inputs, std::span<const NamedFile> outputs,
                     std::string& error);

}  // namespace qv::tools
