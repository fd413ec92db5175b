// Parameter changes, program changes and taps from another thread while the
// audio thread processes: the sanitizer builds report any data race.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

#include "effect/TremoloEffect.h"
#include "plugin/TremoloEditor.h"

namespace {

// Answers from both threads and keeps no record, so the host itself shares nothing.
intptr VSTCALLBACK quietHost(AEffect*, int32 opcode, int32, intptr, void*, float) {
  static const VstTimeInfo transport = [] {
    VstTimeInfo info{};
    info.tempo = 97.0;
    info.ppqPos = 3.3;
    info.flags = kVstTempoValid | kVstTransportPlaying;
    return info;
  }();
  return opcode == audioMasterGetTime ? reinterpret_cast<intptr>(&transport) : 0;
}

TEST(Concurrency, ControlThreadAndAudioThread) {
  TremoloEffect effect(quietHost, &makeTremoloEditor);
  std::atomic<bool> done{false};
  std::thread control([&] {
    for (int i = 0; !done.load(); ++i) {
      const float value = static_cast<float>(i % 101) / 100.0f;
      for (int32 index = 0; index < kParameterCount; ++index) effect.setParameter(index, value);
      effect.setParameter(kTempoSource, static_cast<float>(i % 4) / 4.0f);
      effect.setParameter(kTap, 0.5f);
      effect.setProgram(i % TremoloEffect::kProgramCount);
      effect.getParameter(kLightState);
    }
  });
  std::vector<float> left(256, 1.0f);
  std::vector<float> right(256, 1.0f);
  float* buffers[] = {left.data(), right.data()};
  for (int block = 0; block < 2000; ++block) {
    effect.processReplacing(buffers, buffers, 256);
    for (float sample : left) ASSERT_TRUE(std::isfinite(sample));
  }
  done.store(true);
  control.join();
}

}  // namespace
