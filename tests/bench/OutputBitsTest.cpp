// The exact output bits of the audio routine for every shape, both stereo
// modes, all channel layouts and awkward block sizes. The processing loops may
// be reshaped for speed, but every bit they produce must stay the same.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "bench/BenchHost.h"
#include "effect/TremoloEffect.h"
#include "plugin/TremoloEditor.h"

namespace {

constexpr int32 kBlocks[] = {512, 1, 2, 3, 63, 64, 65, 100, 4096, 777, 128, 5000, 256, 31};

enum class Layout { Stereo, MonoIn, MonoOut, InPlace };

struct Fingerprint {
  std::uint64_t value = 0xCBF29CE484222325ull;
  void mix(const std::vector<float>& samples) {
    for (float sample : samples) {
      std::uint32_t bits;
      std::memcpy(&bits, &sample, sizeof bits);
      value = (value ^ bits) * 0x100000001B3ull;
    }
  }
};

std::vector<float> signal(size_t frames, std::uint32_t seed) {
  std::vector<float> samples(frames);
  for (float& sample : samples) {
    seed = seed * 1664525u + 1013904223u;
    sample = static_cast<float>(seed >> 8) / 8388608.0f - 1.0f;
  }
  return samples;
}

// Runs the block sequence through a fresh instance and mixes every output sample.
void render(Fingerprint& fingerprint, int32 shape, bool tremolo, float softness, float depth,
            Layout layout) {
  TremoloEffect* effect = new TremoloEffect(&qv::bench::benchHostCallback, &makeTremoloEditor);
  AEffect* record = effect->getRecord();
  record->setParameter(record, kShape, (static_cast<float>(shape) + 0.5f) / 5.0f);
  record->setParameter(record, kStereoMode, tremolo ? 1.0f : 0.0f);
  record->setParameter(record, kSoftness, softness);
  record->setParameter(record, kDepth, depth);
  record->setParameter(record, kPhase, 0.3f);
  record->setParameter(record, kMultiplier, 0.9f);  // 8 cycles per beat: the target moves fast
  std::uint32_t seed = 1;
  for (int32 frames : kBlocks) {
    std::vector<float> left = signal(static_cast<size_t>(frames), seed++);
    std::vector<float> right = signal(static_cast<size_t>(frames), seed++);
    std::vector<float> leftOut(static_cast<size_t>(frames));
    std::vector<float> rightOut(static_cast<size_t>(frames));
    float* inputs[2] = {left.data(), layout == Layout::MonoIn ? nullptr : right.data()};
    float* outputs[2] = {leftOut.data(), layout == Layout::MonoOut ? nullptr : rightOut.data()};
    if (layout == Layout::InPlace) {
      outputs[0] = left.data();
      outputs[1] = right.data();
    }
    record->processReplacing(record, inputs, outputs, frames);
    fingerprint.mix(layout == Layout::InPlace ? left : leftOut);
    if (layout != Layout::MonoOut) fingerprint.mix(layout == Layout::InPlace ? right : rightOut);
  }
  record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f);
}

// Taken from the loops as they were before any reshaping. If the arithmetic is
// changed on purpose, the failure message shows the new values.
constexpr std::uint64_t kExpected[5] = {0x0D56867E378DC3D5ull, 0x67B1F4B3109D428Full,
                                        0xFB5952A0345F2BA5ull, 0xD310B0C599EB88BFull,
                                        0x9F3B885383704649ull};

TEST(OutputBits, EveryShapeModeSoftnessAndLayoutKeepsItsBits) {
  for (int32 shape = 0; shape < 5; ++shape) {
    Fingerprint fingerprint;
    for (bool tremolo : {false, true})
      for (float softness : {0.0f, 0.01f, 0.125f, 1.0f})
        for (float depth : {0.5f, 1.0f})
          for (Layout layout : {Layout::Stereo, Layout::MonoIn, Layout::MonoOut, Layout::InPlace})
            render(fingerprint, shape, tremolo, softness, depth, layout);
    EXPECT_EQ(fingerprint.value, kExpected[shape]) << "shape " << shape;
  }
}

}  // namespace
