// Sample encodings and the format record shared by the WAV reader and writer.
#pragma once

#include <cstdint>

namespace qv::audio {

enum class SampleEncoding { Pcm16, Pcm24, Pcm32, Float32 };

constexpr int bytesPerSample(SampleEncoding encoding) {
  return encoding == SampleEncoding::Pcm16 ? 2 : encoding == SampleEncoding::Pcm24 ? 3 : 4;
}

struct WavFormat {
  int channels = 2;  // 1 or 2
  std::uint32_t sampleRate = 44100;
  SampleEncoding encoding = SampleEncoding::Float32;
};

}  // namespace qv::audio
