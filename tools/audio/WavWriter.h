// Writes RIFF WAVE files: 16, 24 or 32-bit PCM or 32-bit float, mono or stereo.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/audio/WavFormat.h"

namespace qv::audio {

// Streams frames to a new file and fills in the sizes at finish(). Not copyable;
// a writer destroyed before finish() closes a file it opened as it stands (the
// caller removes it). PCM output is clipped to [-1, 1] and rounded; NaN becomes 0.
class WavWriter {
 public:
  WavWriter() = default;
  ~WavWriter();
  WavWriter(const WavWriter&) = delete;
  WavWriter& operator=(const WavWriter&) = delete;

  // Creates (or replaces) the file and writes a provisional header. The format must
  // be supported (isSupported).
  bool open(const std::string& path, const WavFormat& format, std::string& error);
  // The same on an empty stream open for writing and seeking, which the caller
  // keeps and closes.
  bool open(std::FILE* stream, const WavFormat& format, std::string& error);
  // Appends `count` frames, one array per channel of the format.
  bool write(const float* const* channels, std::int32_t count, std::string& error);
  // Writes the final sizes and closes the file (flushes a stream given to open).
  bool finish(std::string& error);

 private:
  bool writeHeader();
  void release();

  std::FILE* file_ = nullptr;
  bool ownsFile_ = false;
  WavFormat format_;
  std::uint64_t frames_ = 0;
  std::vector<std::uint8_t> buffer_;
};

}  // namespace qv::audio
