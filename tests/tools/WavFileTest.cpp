#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <string>
#include <system_error>
#include <vector>

#include "tools/audio/WavReader.h"
#include "tools/audio/WavWriter.h"

namespace {

using qv::audio::SampleEncoding;
using qv::audio::WavFormat;
using qv::audio::WavReader;
using qv::audio::WavWriter;

std::string tempPath(const std::string& name) {
  return (std::filesystem::temp_directory_path() / ("qv_wav_" + name)).string();
}

// Removed when the test ends; declared before any reader of it, so that the reader
// has closed it by then (Windows cannot remove an open file).
struct TempFile {
  explicit TempFile(const std::string& name) : path(tempPath(name)) {}
  ~TempFile() {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
  }
  std::string path;
};

void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

void put16(std::vector<std::uint8_t>& b, std::uint32_t v) {
  b.push_back(v & 0xFF);
  b.push_back((v >> 8) & 0xFF);
}
void put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
  put16(b, v & 0xFFFF);
  put16(b, v >> 16);
}
void tag(std::vector<std::uint8_t>& b, const char* t) {
  b.insert(b.end(), t, t + 4);
}

// A WAVE file put together by hand, so the reader is not only checked against our writer.
struct WaveBuilder {
  std::vector<std::uint8_t> fmt;
  std::vector<std::uint8_t> data;
  std::vector<std::uint8_t> extraChunkBeforeData;
  std::uint32_t dataSizeOverride = 0;

  void plainFormat(std::uint16_t code, std::uint16_t channels, std::uint32_t rate,
                   std::uint16_t bits) {
    fmt.clear();
    put16(fmt, code);
    put16(fmt, channels);
    put32(fmt, rate);
    put32(fmt, rate * channels * bits / 8);
    put16(fmt, channels * bits / 8);
    put16(fmt, bits);
  }
  void extensibleFormat(std::uint16_t subCode, std::uint16_t channels, std::uint32_t rate,
                        std::uint16_t bits) {
    plainFormat(0xFFFE, channels, rate, bits);
    put16(fmt, 22);
    put16(fmt, bits);
    put32(fmt, channels == 2 ? 3 : 4);
    put16(fmt, subCode);
    const std::uint8_t tail[14] = {0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71};
    fmt.insert(fmt.end(), tail, tail + 14);
  }
  std::vector<std::uint8_t> bytes() const {
    std::vector<std::uint8_t> out;
    tag(out, "RIFF");
    put32(out, 0);
    tag(out, "WAVE");
    if (!fmt.empty()) {
      tag(out, "fmt ");
      put32(out, static_cast<std::uint32_t>(fmt.size()));
      out.insert(out.end(), fmt.begin(), fmt.end());
    }
    out.insert(out.end(), extraChunkBeforeData.begin(), extraChunkBeforeData.end());
    tag(out, "data");
    put32(out, dataSizeOverride ? dataSizeOverride : static_cast<std::uint32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    const std::uint32_t riff = static_cast<std::uint32_t>(out.size() - 8);
    for (int i = 0; i < 4; ++i) out[4 + i] = (riff >> (8 * i)) & 0xFF;
    return out;
  }
};

std::vector<float> readAll(WavReader& reader, std::vector<float>* right = nullptr) {
  std::vector<float> left(static_cast<size_t>(reader.frames()));
  std::vector<float> r(left.size());
  std::string error;
  EXPECT_EQ(reader.read(left.data(), r.data(), static_cast<std::int32_t>(left.size()), error),
            static_cast<std::int32_t>(left.size()))
      << error;
  if (right) *right = r;
  return left;
}

struct RoundTripCase {
  SampleEncoding encoding;
  int channels;
  float tolerance;
};

class WavRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(WavRoundTrip, ReadsBackWhatWasWrittenWithinTheFormatsResolution) {
  const RoundTripCase c = GetParam();
  const TempFile file("roundtrip.wav");
  const std::string& path = file.path;
  // An odd frame count checks the pad byte of odd-sized 24-bit mono data.
  const int frames = 1001;
  std::vector<float> left(frames), right(frames);
  for (int i = 0; i < frames; ++i) {
    left[i] = 0.9f * std::sin(0.01f * i);
    right[i] = -0.5f + static_cast<float>(i) / frames;
  }
  left[0] = -1.0f;  // the most negative code of every PCM width
  const float* channels[2] = {left.data(), right.data()};
  WavWriter writer;
  std::string error;
  ASSERT_TRUE(writer.open(path, {c.channels, 48000, c.encoding}, error)) << error;
  // Written in two pieces, as a render streams its blocks.
  ASSERT_TRUE(writer.write(channels, 400, error)) << error;
  const float* rest[2] = {left.data() + 400, right.data() + 400};
  ASSERT_TRUE(writer.write(rest, frames - 400, error)) << error;
  ASSERT_TRUE(writer.finish(error)) << error;

  WavReader reader;
  ASSERT_TRUE(reader.open(path, error)) << error;
  EXPECT_EQ(reader.format().channels, c.channels);
  EXPECT_EQ(reader.format().sampleRate, 48000u);
  EXPECT_EQ(reader.format().encoding, c.encoding);
  ASSERT_EQ(reader.frames(), frames);
  std::vector<float> readRight;
  const std::vector<float> readLeft = readAll(reader, &readRight);
  for (int i = 0; i < frames; ++i) {
    ASSERT_NEAR(readLeft[i], left[i], c.tolerance) << "frame " << i;
    ASSERT_NEAR(readRight[i], c.channels == 2 ? right[i] : left[i], c.tolerance) << "frame " << i;
  }
  EXPECT_EQ(readLeft[0], -1.0f);
  float none[1];
  EXPECT_EQ(reader.read(none, none, 1, error), 0) << "nothing after the end";
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, WavRoundTrip,
                         ::testing::Values(RoundTripCase{SampleEncoding::Pcm16, 1, 1.0f / 32768},
                                           RoundTripCase{SampleEncoding::Pcm16, 2, 1.0f / 32768},
                                           RoundTripCase{SampleEncoding::Pcm24, 1, 1.0f / 8388608},
                                           RoundTripCase{SampleEncoding::Pcm24, 2, 1.0f / 8388608},
                                           RoundTripCase{SampleEncoding::Pcm32, 2, 1e-7f},
                                           RoundTripCase{SampleEncoding::Float32, 1, 0.0f},
                                           RoundTripCase{SampleEncoding::Float32, 2, 0.0f}));

TEST(WavWriter, ClipsAndRoundsPcmAndTurnsNanIntoSilence) {
  const TempFile file("clip.wav");
  const std::string& path = file.path;
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  std::vector<float> samples = {1.5f, -1.5f, nan, inf, -inf, 1.0f, 0.5f / 32768.0f * 3.0f};
  const float* channels[1] = {samples.data()};
  WavWriter writer;
  std::string error;
  ASSERT_TRUE(writer.open(path, {1, 44100, SampleEncoding::Pcm16}, error));
  ASSERT_TRUE(writer.write(channels, static_cast<std::int32_t>(samples.size()), error));
  ASSERT_TRUE(writer.finish(error));
  WavReader reader;
  ASSERT_TRUE(reader.open(path, error)) << error;
  const std::vector<float> back = readAll(reader);
  ASSERT_EQ(back.size(), samples.size());
  EXPECT_EQ(back[0], 32767.0f / 32768.0f);
  EXPECT_EQ(back[1], -1.0f);
  EXPECT_EQ(back[2], 0.0f);
  EXPECT_EQ(back[3], 32767.0f / 32768.0f);
  EXPECT_EQ(back[4], -1.0f);
  EXPECT_EQ(back[5], 32767.0f / 32768.0f);
  EXPECT_EQ(back[6], 2.0f / 32768.0f) << "1.5 steps round to 2";
}

TEST(WavReader, ReadsExtensibleFilesAndSkipsOtherChunks) {
  const TempFile file("extensible.wav");
  const TempFile floatFile("extensible-float.wav");
  const std::string& path = file.path;
  WaveBuilder pcm24;
  pcm24.extensibleFormat(1, 2, 96000, 24);
  // Left +0.5, right -0.25 in 24-bit little-endian.
  pcm24.data = {0x00, 0x00, 0x40, 0x00, 0x00, 0xE0};
  // An odd-sized chunk before the data, with its pad byte.
  pcm24.extraChunkBeforeData = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
  writeBytes(path, pcm24.bytes());
  WavReader reader;
  std::string error;
  ASSERT_TRUE(reader.open(path, error)) << error;
  EXPECT_EQ(reader.format().sampleRate, 96000u);
  EXPECT_EQ(reader.format().encoding, SampleEncoding::Pcm24);
  std::vector<float> right;
  const std::vector<float> left = readAll(reader, &right);
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left[0], 0.5f);
  EXPECT_EQ(right[0], -0.25f);

  WaveBuilder floats;
  floats.extensibleFormat(3, 1, 44100, 32);
  floats.data = {0x00, 0x00, 0x80, 0xBF};  // -1.0f
  writeBytes(floatFile.path, floats.bytes());
  ASSERT_TRUE(reader.open(floatFile.path, error)) << error;
  EXPECT_EQ(reader.format().encoding, SampleEncoding::Float32);
  EXPECT_EQ(readAll(reader).at(0), -1.0f);
}

TEST(WavReader, RefusesDamagedAndUnsupportedFilesWithAReason) {
  const TempFile file("bad.wav");
  const std::string& path = file.path;
  struct BadCase {
    const char* what;
    std::vector<std::uint8_t> bytes;
    const char* reasonPart;
  };
  std::vector<BadCase> cases;
  WaveBuilder good;
  good.plainFormat(1, 2, 44100, 16);
  good.data.assign(400, 0);
  {
    WaveBuilder b = good;
    b.dataSizeOverride = 800;
    cases.push_back({"data chunk longer than the file", b.bytes(), "truncated"});
  }
  {
    std::vector<std::uint8_t> bytes = good.bytes();
    bytes.resize(30);
    cases.push_back({"cut inside the fmt chunk", bytes, "fmt"});
  }
  {
    std::vector<std::uint8_t> bytes = good.bytes();
    bytes[0] = 'R', bytes[1] = 'I', bytes[2] = 'F', bytes[3] = 'X';
    cases.push_back({"big-endian RIFX", bytes, "not a RIFF WAVE"});
  }
  {
    WaveBuilder b = good;
    b.fmt.clear();
    cases.push_back({"no fmt chunk", b.bytes(), "before the fmt"});
  }
  {
    WaveBuilder b = good;
    b.plainFormat(1, 1, 44100, 8);
    cases.push_back({"8-bit PCM", b.bytes(), "unsupported sample format"});
  }
  {
    WaveBuilder b = good;
    b.plainFormat(3, 2, 44100, 64);
    cases.push_back({"64-bit float", b.bytes(), "unsupported sample format"});
  }
  {
    WaveBuilder b = good;
    b.plainFormat(2, 2, 44100, 16);
    cases.push_back({"ADPCM", b.bytes(), "unsupported sample format"});
  }
  {
    WaveBuilder b = good;
    b.plainFormat(1, 3, 44100, 16);
    cases.push_back({"three channels", b.bytes(), "channel count"});
  }
  {
    WaveBuilder b = good;
    b.plainFormat(1, 2, 0, 16);
    cases.push_back({"sample rate 0", b.bytes(), "sample rate"});
  }
  {
    WaveBuilder b = good;
    b.plainFormat(1, 2, 0xFFFFFFFF, 16);
    cases.push_back({"sample rate 0xFFFFFFFF", b.bytes(), "sample rate 4294967295"});
  }
  {
    WaveBuilder b = good;
    b.plainFormat(1, 2, 4'000'001, 16);
    cases.push_back({"sample rate just above 4 MHz", b.bytes(), "sample rate"});
  }
  {
    WaveBuilder b = good;
    b.plainFormat(1, 0, 44100, 16);
    cases.push_back({"no channels", b.bytes(), "channel count"});
  }
  {
    WaveBuilder b = good;
    b.fmt[8] ^= 1;  // byteRate one off
    cases.push_back({"byte rate off by one", b.bytes(), "byte rate"});
  }
  {
    WaveBuilder b = good;
    b.fmt[12] = 2;  // blockAlign of mono in a stereo file
    cases.push_back({"block alignment of mono", b.bytes(), "block alignment"});
  }
  {
    WaveBuilder b = good;
    b.extensibleFormat(1, 2, 44100, 16);
    b.fmt[26] = 0x01;  // a GUID that is not a plain format code
    cases.push_back({"foreign extensible GUID", b.bytes(), "extensible"});
  }
  cases.push_back({"empty file", {}, "too short"});
  cases.push_back({"text file",
                   {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '!', '\n'},
                   "not a RIFF WAVE"});

  for (const BadCase& c : cases) {
    writeBytes(path, c.bytes);
    WavReader reader;
    std::string error;
    EXPECT_FALSE(reader.open(path, error)) << c.what;
    EXPECT_NE(error.find(c.reasonPart), std::string::npos) << c.what << ": " << error;
  }
  WavReader reader;
  std::string error;
  EXPECT_FALSE(reader.open(tempPath("does-not-exist.wav"), error));
}

TEST(WavFormat, SampleRatesFrom1HzTo4MHzAreReadAndWritten) {
  const TempFile file("rates.wav");
  for (const std::uint32_t rate : {1u, 4'000'000u}) {
    WaveBuilder b;
    b.plainFormat(1, 2, rate, 32);
    b.data.assign(16, 0);
    writeBytes(file.path, b.bytes());
    WavReader reader;
    std::string error;
    ASSERT_TRUE(reader.open(file.path, error)) << rate << ": " << error;
    EXPECT_EQ(reader.format().sampleRate, rate);
    EXPECT_EQ(reader.frames(), 2);
  }
  // The writer refuses what the reader would refuse, rather than writing a wrapped byte rate.
  for (const WavFormat& format :
       {WavFormat{2, 0, SampleEncoding::Pcm16}, WavFormat{2, 4'000'001, SampleEncoding::Float32},
        WavFormat{2, 0xFFFFFFFF, SampleEncoding::Pcm32},
        WavFormat{3, 44100, SampleEncoding::Pcm16}}) {
    WavWriter writer;
    std::string error;
    EXPECT_FALSE(writer.open(file.path, format, error)) << format.sampleRate;
    EXPECT_NE(error.find("unsupported"), std::string::npos) << error;
  }
  WavWriter writer;
  std::string error;
  ASSERT_TRUE(writer.open(file.path, {2, 4'000'000, SampleEncoding::Float32}, error)) << error;
  ASSERT_TRUE(writer.finish(error)) << error;
  WavReader reader;
  ASSERT_TRUE(reader.open(file.path, error)) << error << ": the byte rate 32000000 fits";
}

}  // namespace
