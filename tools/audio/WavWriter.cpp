#include "tools/audio/WavWriter.h"

#include <cmath>
#include <cstring>

#include "tools/common/EchoedWord.h"

namespace qv::audio {

namespace {

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}
// Byte by byte: GCC 12 takes a range insert into a small vector for an overflow when
// ThreadSanitizer's build inlines it.
void putTag(std::vector<std::uint8_t>& out, const char* tag) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(tag[i]));
}

// Rounds to the integer grid of `scale` steps per unit, clipped to the encoding's range.
std::int64_t quantise(float value, double scale) {
  if (std::isnan(value)) return 0;
  const double scaled = std::round(static_cast<double>(value) * scale);
  if (scaled >= scale - 1.0) return static_cast<std::int64_t>(scale - 1.0);
  if (scaled <= -scale) return static_cast<std::int64_t>(-scale);
  return static_cast<std::int64_t>(scaled);
}

}  // namespace

WavWriter::~WavWriter() {
  release();
}

void WavWriter::release() {
  if (file_ && ownsFile_) std::fclose(file_);
  file_ = nullptr;
  ownsFile_ = false;
}

bool WavWriter::writeHeader() {
  const bool isFloat = format_.encoding == SampleEncoding::Float32;
  const std::uint32_t sampleBytes = static_cast<std::uint32_t>(bytesPerSample(format_.encoding));
  const std::uint32_t blockAlign = sampleBytes * static_cast<std::uint32_t>(format_.channels);
  const std::uint32_t dataBytes = static_cast<std::uint32_t>(frames_ * blockAlign);
  std::vector<std::uint8_t> header;
  putTag(header, "RIFF");
  put32(header, 0);  // filled below
  putTag(header, "WAVE");
  putTag(header, "fmt ");
  // Float files carry the cbSize word and a fact chunk, as non-PCM formats should.
  put32(header, isFloat ? 18 : 16);
  put16(header, isFloat ? 3 : 1);
  put16(header, static_cast<std::uint32_t>(format_.channels));
  put32(header, format_.sampleRate);
  put32(header, format_.sampleRate * blockAlign);
  put16(header, blockAlign);
  put16(header, sampleBytes * 8);
  if (isFloat) {
    put16(header, 0);
    putTag(header, "fact");
    put32(header, 4);
    put32(header, static_cast<std::uint32_t>(frames_));
  }
  putTag(header, "data");
  put32(header, dataBytes);
  // An odd-sized data chunk is followed by a pad byte, which the RIFF size counts.
  const std::uint32_t riffSize =
      static_cast<std::uint32_t>(header.size() - 8) + dataBytes + (dataBytes & 1);
  for (int i = 0; i < 4; ++i)
    header[static_cast<size_t>(4 + i)] = static_cast<std::uint8_t>(riffSize >> (8 * i));
  return std::fseek(file_, 0, SEEK_SET) == 0 &&
         std::fwrite(header.data(), 1, header.size(), file_) == header.size();
}

bool WavWriter::open(const std::string& path, const WavFormat& format, std::string& error) {
  release();
  if (!isSupported(format)) {
    error = "unsupported WAVE format";
    return false;
  }
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) {
    error = "cannot write " + tools::echoedWord(path);
    return false;
  }
  const bool opened = open(file, format, error);
  ownsFile_ = true;
  if (!opened) error = "cannot write " + tools::echoedWord(path);
  return opened;
}

bool WavWriter::open(std::FILE* stream, const WavFormat& format, std::string& error) {
  release();
  if (!stream || !isSupported(format)) {
    error = stream ? "unsupported WAVE format" : "no file is open for writing";
    return false;
  }
  file_ = stream;
  format_ = format;
  frames_ = 0;
  if (!writeHeader()) {
    error = "cannot write the WAVE header";
    return false;
  }
  return true;
}

bool WavWriter::write(const float* const* channels, std::int32_t count, std::string& error) {
  if (!file_ || count < 0) {
    error = "no file is open for writing";
    return false;
  }
  const int sampleBytes = bytesPerSample(format_.encoding);
  const std::uint64_t blockAlign = static_cast<std::uint64_t>(sampleBytes * format_.channels);
  // The RIFF sizes are 32-bit; keep room for the header.
  if ((frames_ + static_cast<std::uint64_t>(count)) * blockAlign > 0xFFFFFF00u) {
    error = "the output would exceed the 4 GB limit of a WAVE file";
    return false;
  }
  buffer_.clear();
  for (std::int32_t i = 0; i < count; ++i) {
    for (int c = 0; c < format_.channels; ++c) {
      const float v = channels[c][i];
      switch (format_.encoding) {
        case SampleEncoding::Pcm16:
          put16(buffer_, static_cast<std::uint32_t>(quantise(v, 32768.0)));
          break;
        case SampleEncoding::Pcm24: {
          const auto q = static_cast<std::uint32_t>(quantise(v, 8388608.0));
          put16(buffer_, q & 0xFFFF);
          buffer_.push_back(static_cast<std::uint8_t>(q >> 16));
          break;
        }
        case SampleEncoding::Pcm32:
          put32(buffer_, static_cast<std::uint32_t>(quantise(v, 2147483648.0)));
          break;
        case SampleEncoding::Float32: {
          std::uint32_t bits;
          std::memcpy(&bits, &v, sizeof bits);
          put32(buffer_, bits);
          break;
        }
      }
    }
  }
  if (std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) {
    error = "write error (disk full?)";
    return false;
  }
  frames_ += static_cast<std::uint64_t>(count);
  return true;
}

bool WavWriter::finish(std::string& error) {
  if (!file_) {
    error = "no file is open for writing";
    return false;
  }
  const std::uint64_t dataBytes =
      frames_ * static_cast<std::uint64_t>(bytesPerSample(format_.encoding) * format_.channels);
  const bool padded = (dataBytes & 1) == 0 || std::fputc(0, file_) != EOF;
  const bool ok = padded && writeHeader() && std::fflush(file_) == 0;
  const bool closed = !ownsFile_ || std::fclose(file_) == 0;
  file_ = nullptr;
  ownsFile_ = false;
  if (!ok || !closed) {
    error = "write error while finishing the file";
    return false;
  }
  return true;
}

}  // namespace qv::audio
