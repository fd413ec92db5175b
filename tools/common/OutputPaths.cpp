#include "tools/common/OutputPaths.h"

#include <vector>

#include "tools/common/EchoedWord.h"
#include "tools/common/FileIdentity.h"

namespace qv::tools {

namespace {

std::string describe(const NamedFile& file) {
  return file.role + " (" + echoedWord(file.path) + ")";
}

}  // namespace

PathCheck checkFiles(std::span<const NamedFile> inputs, std::span<const NamedFile> outputs,
                     std::string& error) {
  std::vector<FileIdentity> read;
  for (const NamedFile& input : inputs) {
    read.push_back(identifyFile(input.path));
    if (read.back().exists && !read.back().regular) {
      error = describe(input) + " is not a regular file";
      return PathCheck::Unusable;
    }
  }
  std::vector<FileIdentity> written;
  for (const NamedFile& output : outputs) {
    if (output.path.empty()) {
      error = output.role + " needs a file name";
      return PathCheck::Unusable;
    }
    const FileIdentity identity = identifyFile(output.path);
    if (identity.exists && !identity.regular) {
      error = describe(output) + " exists and is not a regular file";
      return PathCheck::Unusable;
    }
    for (size_t i = 0; i < inputs.size(); ++i) {
      if (sameFile(identity, read[i])) {
        error = describe(output) + " is the same file as the input " + describe(inputs[i]);
        return PathCheck::Clash;
      }
    }
    for (size_t i = 0; i < written.size(); ++i) {
      if (sameFile(identity, written[i])) {
        error = describe(output) + " is the same file as the output " + describe(outputs[i]);
        return PathCheck::Clash;
      }
    }
    written.push_back(identity);
  }
  return PathCheck::Ok;
}

}  // namespace qv::tools
