#include "tools/audio/WavReader.h"

#include <algorithm>
#include <cstring>

#include "tools/common/EchoedWord.h"

namespace qv::audio {

namespace {

std::uint32_t le16(const std::uint8_t* p) {
  return p[0] | (p[1] << 8);
}
std::uint32_t le32(const std::uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatFloat = 3;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;
// The GUID of an extensible format is its format code followed by these 14 bytes.
constexpr std::uint8_t kGuidTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                        0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

bool parseFormat(const std::vector<std::uint8_t>& fmt, WavFormat& format, std::string& error) {
  if (fmt.size() < 16) {
    error = "the fmt chunk is too short";
    return false;
  }
  std::uint32_t tag = le16(&fmt[0]);
  const std::uint32_t channels = le16(&fmt[2]);
  const std::uint32_t rate = le32(&fmt[4]);
  const std::uint32_t byteRate = le32(&fmt[8]);
  const std::uint32_t blockAlign = le16(&fmt[12]);
  const std::uint32_t bits = le16(&fmt[14]);
  if (tag == kFormatExtensible) {
    if (fmt.size() < 40 || le16(&fmt[16]) < 22 || std::memcmp(&fmt[26], kGuidTail, 14) != 0) {
      error = "unsupported extensible format";
      return false;
    }
    tag = le16(&fmt[24]);
  }
  if (tag == kFormatPcm && bits == 16)
    format.encoding = SampleEncoding::Pcm16;
  else if (tag == kFormatPcm && bits == 24)
    format.encoding = SampleEncoding::Pcm24;
  else if (tag == kFormatPcm && bits == 32)
    format.encoding = SampleEncoding::Pcm32;
  else if (tag == kFormatFloat && bits == 32)
    format.encoding = SampleEncoding::Float32;
  else {
    error = "unsupported sample format (format code " + std::to_string(tag) + ", " +
            std::to_string(bits) + " bits); use PCM 16, 24 or 32-bit or 32-bit float";
    return false;
  }
  if (channels != 1 && channels != 2) {
    error = "unsupported channel count " + std::to_string(channels) + " (mono or stereo only)";
    return false;
  }
  if (rate < kMinSampleRate || rate > kMaxSampleRate) {
    error = "unsupported sample rate " + std::to_string(rate) + " Hz (1 Hz to 4 MHz)";
    return false;
  }
  if (blockAlign != channels * bits / 8) {
    error = "the block alignment does not match the sample format";
    return false;
  }
  if (byteRate != rate * blockAlign) {
    error = "the byte rate does not match the sample rate and format";
    return false;
  }
  format.channels = static_cast<int>(channels);
  format.sampleRate = rate;
  return true;
}

}  // namespace

WavReader::~WavReader() {
  if (file_) std::fclose(file_);
}

bool WavReader::open(const std::string& path, std::string& error) {
  if (file_) std::fclose(file_);
  file_ = std::fopen(path.c_str(), "rb");
  if (!file_) {
    error = "cannot open " + tools::echoedWord(path);
    return false;
  }
  auto fail = [&](const std::string& reason) {
    std::fclose(file_);
    file_ = nullptr;
    error = tools::echoedWord(path) + ": " + reason;
    return false;
  };
  if (std::fseek(file_, 0, SEEK_END) != 0) return fail("cannot read the file");
  const std::int64_t fileSize = std::ftell(file_);
  std::rewind(file_);
  std::uint8_t header[12];
  if (fileSize < 12 || std::fread(header, 1, 12, file_) != 12)
    return fail("not a WAVE file (too short)");
  if (std::memcmp(header, "RIFF", 4) != 0 || std::memcmp(header + 8, "WAVE", 4) != 0)
    return fail("not a RIFF WAVE file");

  std::vector<std::uint8_t> fmt;
  std::int64_t position = 12;
  for (;;) {
    std::uint8_t chunk[8];
    if (position + 8 > fileSize || std::fread(chunk, 1, 8, file_) != 8)
      return fail(fmt.empty() ? "no fmt chunk" : "no data chunk");
    const std::uint32_t size = le32(chunk + 4);
    position += 8;
    if (std::memcmp(chunk, "fmt ", 4) == 0) {
      if (size > 1024 || position + size > fileSize) return fail("the fmt chunk is damaged");
      fmt.resize(size);
      if (std::fread(fmt.data(), 1, size, file_) != size) return fail("the fmt chunk is truncated");
      if (!parseFormat(fmt, format_, error)) return fail(error);
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      if (fmt.empty()) return fail("the data chunk comes before the fmt chunk");
      if (position + size > fileSize)
        return fail("truncated: the data chunk runs past the end of the file");
      frames_ =
          size / (static_cast<std::uint32_t>(format_.channels) * bytesPerSample(format_.encoding));
      framesLeft_ = frames_;
      return true;
    } else if (position + size > fileSize ||
               std::fseek(file_, static_cast<long>(size), SEEK_CUR) != 0) {
      return fail("truncated chunk");
    }
    // Chunks are padded to an even length.
    position += size;
    if (size & 1) {
      ++position;
      std::fseek(file_, 1, SEEK_CUR);
    }
  }
}

std::int32_t WavReader::read(float* left, float* right, std::int32_t count, std::string& error) {
  if (!file_) {
    error = "no file is open";
    return -1;
  }
  const std::int64_t wanted = std::min<std::int64_t>(std::max(count, 0), framesLeft_);
  const int sampleBytes = bytesPerSample(format_.encoding);
  const size_t frameBytes = static_cast<size_t>(sampleBytes * format_.channels);
  buffer_.resize(static_cast<size_t>(wanted) * frameBytes);
  if (std::fread(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) {
    error = "read error in the sample data";
    return -1;
  }
  auto sampleAt = [&](const std::uint8_t* p) -> float {
    switch (format_.encoding) {
      case SampleEncoding::Pcm16:
        return static_cast<float>(static_cast<std::int16_t>(le16(p))) / 32768.0f;
      case SampleEncoding::Pcm24: {
        // Shift the three bytes to the top of a 32-bit word to keep the sign.
        const std::int32_t v = static_cast<std::int32_t>((static_cast<std::uint32_t>(p[0]) << 8) |
                                                         (static_cast<std::uint32_t>(p[1]) << 16) |
                                                         (static_cast<std::uint32_t>(p[2]) << 24));
        return static_cast<float>(v / 256) / 8388608.0f;
      }
      case SampleEncoding::Pcm32:
        return static_cast<float>(static_cast<std::int32_t>(le32(p)) / 2147483648.0);
      case SampleEncoding::Float32: {
        const std::uint32_t bits = le32(p);
        float v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
      }
    }
    return 0.0f;
  };
  for (std::int64_t i = 0; i < wanted; ++i) {
    const std::uint8_t* frame = buffer_.data() + static_cast<size_t>(i) * frameBytes;
    left[i] = sampleAt(frame);
    right[i] = format_.channels == 2 ? sampleAt(frame + sampleBytes) : left[i];
  }
  framesLeft_ -= wanted;
  return static_cast<std::int32_t>(wanted);
}

}  // namespace qv::audio
