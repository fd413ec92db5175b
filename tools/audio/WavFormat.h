// Sample encodings and the format record shared by the WAV reader and writer.
#pragma once

#include <cstdint>

namespace qv::audio {

enum class SampleEncoding { Pcm16, Pcm24, Pcm32, Float32 };

constexpr int bytesPerSample(SampleEncoding encoding) {
  return encoding == SampleEncoding::Pcm16 ? 2 : encoding == SampleEncoding::Pcm24 ? 3 : 4;
}

// Sample rates the tools read and write; 4 MHz keeps every WAVE byte rate in 32 bits.
constexpr std::uint32_t kMinSampleRate = 1;
constexpr std::uint32_t kMaxSampleRate = 4'000'000;

struct WavFormat {
  int channels = 2;  // 1 or 2
  std::uint32_t sampleRate = 44100;
  SampleEncoding encoding = SampleEncoding::Float32;
};

constexpr bool isSupported(const WavFormat& format) {
  return (format.channels == 1 || format.channels == 2) && format.sampleRate >= kMinSampleRate &&
         format.sampleRate <= kMaxSampleRate;
}

}  // namespace qv::audio
