#include "tools/common/PendingFile.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

#include "tools/common/EchoedWord.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace qv::tools {

namespace {

std::atomic<std::uint32_t> namesHandedOut{0};

std::string freshName(const std::string& path) {
  std::random_device random;
  char suffix[32];
  std::snprintf(suffix, sizeof suffix, ".%08x%04x.tmp", static_cast<unsigned>(random()),
                static_cast<unsigned>(namesHandedOut.fetch_add(1) & 0xFFFF));
  return path + suffix;
}

int openNew(const std::string& name) {
#ifdef _WIN32
  return _open(name.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
#else
  return ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
#endif
}

// A new, empty file under a fresh name beside `path`, open for writing; never an
// existing one. Null with errno set on failure.
std::FILE* createBeside(const std::string& path, std::string& name) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = freshName(path);
    const int descriptor = openNew(name);
    if (descriptor < 0) {
      if (errno == EEXIST) continue;
      return nullptr;
    }
#ifdef _WIN32
    std::FILE* stream = _fdopen(descriptor, "wb");
    if (!stream) _close(descriptor);
#else
    std::FILE* stream = ::fdopen(descriptor, "wb");
    if (!stream) ::close(descriptor);
#endif
    if (!stream) std::remove(name.c_str());
    return stream;
  }
  errno = EEXIST;
  return nullptr;
}

// Renames `from` to `to`, replacing what `to` names.
bool replaceFile(const std::string& from, const std::string& to, std::string& reason) {
#ifdef _WIN32
  if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
  reason = std::system_category().message(static_cast<int>(GetLastError()));
#else
  if (std::rename(from.c_str(), to.c_str()) == 0) return true;
  reason = std::strerror(errno);
#endif
  return false;
}

bool exists(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::exists(std::filesystem::symlink_status(path, ignored));
}

std::string cannotWrite(const std::string& path, const std::string& reason) {
  return "cannot write " + echoedWord(path) + ": " + reason;
}

}  // namespace

PendingFile::PendingFile(std::string path) : path_(std::move(path)) {}

PendingFile::~PendingFile() {
  if (stream_) std::fclose(stream_);
  if (!committed_ && !temporary_.empty()) std::remove(temporary_.c_str());
}

bool PendingFile::create(std::string& error) {
  if (stream_ || committed_) {
    error = cannotWrite(path_, "it is being written already");
    return false;
  }
  stream_ = createBeside(path_, temporary_);
  if (!stream_) {
    error = cannotWrite(path_, std::strerror(errno));
    temporary_.clear();
    return false;
  }
  return true;
}

bool PendingFile::writeAll(const std::vector<std::uint8_t>& bytes, std::string& error) {
  if (!stream_ && !create(error)) return false;
  if (std::fwrite(bytes.data(), 1, bytes.size(), stream_) != bytes.size()) {
    error = cannotWrite(path_, "write error (disk full?)");
    return false;
  }
  return true;
}

bool PendingFile::closeStream(std::string& error) {
  if (!stream_) {
    error = cannotWrite(path_, "nothing was written");
    return false;
  }
  const bool failed = std::ferror(stream_) != 0;
  const bool closed = std::fclose(stream_) == 0;
  stream_ = nullptr;
  if (failed || !closed) {
    error = cannotWrite(path_, "write error (disk full?)");
    return false;
  }
  return true;
}

bool PendingFile::commit(std::string& error) {
  PendingFile* self = this;
  return commitAll(std::span(&self, 1), error);
}

bool PendingFile::commitAll(std::span<PendingFile* const> files, std::string& error) {
  for (PendingFile* file : files)
    if (!file->closeStream(error)) return false;

  // Every final name but the last that holds a file now is moved aside first, so
  // that a later failure can put it back; the last rename is the last step that
  // can fail, so its old file needs no keeping.
  std::vector<std::string> backups(files.size());
  std::string reason;
  auto restore = [&](size_t renamed) {
    for (size_t i = 0; i < files.size(); ++i) {
      std::string ignored;
      if (!backups[i].empty())
        replaceFile(backups[i], files[i]->path_, ignored);
      else if (i < renamed)
        std::remove(files[i]->path_.c_str());
    }
  };
  for (size_t i = 0; i + 1 < files.size(); ++i) {
    const std::string& target = files[i]->path_;
    if (!exists(target)) continue;
    std::string backup;
    std::FILE* reserved = createBeside(target, backup);
    if (reserved) std::fclose(reserved);
    if (!reserved || !replaceFile(target, backup, reason)) {
      if (reserved) std::remove(backup.c_str());
      restore(0);
      error = "cannot replace " + echoedWord(target) + ": " +
              (reserved ? reason : std::string(std::strerror(errno)));
      return false;
    }
    backups[i] = backup;
  }
  for (size_t i = 0; i < files.size(); ++i) {
    if (!replaceFile(files[i]->temporary_, files[i]->path_, reason)) {
      restore(i);
      error = "cannot create " + echoedWord(files[i]->path_) + ": " + reason;
      return false;
    }
  }
  for (size_t i = 0; i < files.size(); ++i) {
    if (!backups[i].empty()) std::remove(backups[i].c_str());
    files[i]->committed_ = true;
  }
  return true;
}

}  // namespace qv::tools
