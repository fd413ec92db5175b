// Reads RIFF WAVE files: PCM of 16, 24 or 32 bits or 32-bit float, mono or stereo,
// plain or WAVE_FORMAT_EXTENSIBLE, at any sample rate.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/audio/WavFormat.h"

namespace qv::audio {

// Streams the sample frames of one file. Not copyable; closes the file when destroyed.
class WavReader {
 public:
  WavReader() = default;
  ~WavReader();
  WavReader(const WavReader&) = delete;
  WavReader& operator=(const WavReader&) = delete;

  // Opens and checks the file. On failure (unreadable, not a WAVE file, unsupported
  // format, data running past the end of the file) returns false with a reason.
  bool open(const std::string& path, std::string& error);

  const WavFormat& format() const { return format_; }
  std::int64_t frames() const { return frames_; }

  // Reads the next `count` frames (fewer at the end) as floats in [-1, 1) for PCM,
  // unchanged for float files; a mono file fills both channels. Returns the number
  // of frames read, or -1 with a reason when the file cannot be read.
  std::int32_t read(float* left, float* right, std::int32_t count, std::string& error);

 private:
  std::FILE* file_ = nullptr;
  WavFormat format_;
  std::int64_t frames_ = 0;
  std::int64_t framesLeft_ = 0;
  std::vector<std::uint8_t> buffer_;
};

}  // namespace qv::audio
