// The audio thread processes while another thread changes parameters, taps,
// programs and texts, as hosts and editors do. Built with ThreadSanitizer
// (native-tsan) this proves the shared fields race-free; in every build it
// checks that the audio stays finite throughout.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdint>
#include <thread>
#include <vector>

#include "effect/TremoloEffect.h"
#include "plugin/TremoloEditor.h"

namespace {

constexpr int32 kBlockFrames = 256;
constexpr int kBlocks = 4000;  // about 23 seconds of audio at 44.1 kHz

// Answers the version and offers a playing transport, so the host tempo sources
// read it from the audio thread while the other thread changes parameters.
intptr VSTCALLBACK threadsHost(AEffect*, int32 opcode, int32, intptr, void*, float) {
  static const VstTimeInfo kTime = [] {
    VstTimeInfo info{};
    info.tempo = 133.0;
    info.ppqPos = 17.25;
    info.sampleRate = 44100.0;
    info.flags = kVstTempoValid | kVstTransportPlaying;
    return info;
  }();
  if (opcode == audioMasterVersion) return 2400;
  if (opcode == audioMasterGetTime) return reinterpret_cast<intptr>(&kTime);
  return 0;
}

// Taps on controller 25 and note 25 of the default channel (8).
struct TapEvents {
  VstMidiEvent events[2]{};
  intptr list[4]{};
  TapEvents() {
    for (VstMidiEvent& event : events) {
      event.type = kVstMidiType;
      event.byteSize = 24;
      event.midiData[1] = 25;
      event.midiData[2] = 127;
    }
    events[0].midiData[0] = static_cast<char>(0xB7);
    events[1].midiData[0] = static_cast<char>(0x97);
    list[0] = 2;  // numEvents, then the reserved word and the two pointers
    list[2] = reinterpret_cast<intptr>(&events[0]);
    list[3] = reinterpret_cast<intptr>(&events[1]);
  }
  VstEvents* get() { return reinterpret_cast<VstEvents*>(list); }
};

// Runs until the audio is done; counts its rounds in `rounds`.
void controlThread(AEffect* record, const std::atomic<bool>& audioDone, std::atomic<int>& rounds) {
  char text[64];
  std::uint32_t step = 0;
  while (!audioDone.load(std::memory_order_relaxed)) {
    rounds.fetch_add(1, std::memory_order_relaxed);
    ++step;
    const auto value = static_cast<float>(step % 101) / 100.0f;
    record->setParameter(record, static_cast<int32>(step % 17), value);
    record->setParameter(record, kTempoSource, static_cast<float>(step % 4) / 4.0f);
    if (step % 3 == 0) record->setParameter(record, kTap, step % 2 ? 1.0f : 0.5f);
    if (step % 5 == 0) record->setParameter(record, kTempo, 60.0f + static_cast<float>(step % 200));
    if (step % 7 == 0)
      record->dispatcher(record, effSetProgram, 0, static_cast<intptr>(step % 10), nullptr, 0.0f);
    if (step % 13 == 0)
      record->dispatcher(record, effSetSampleRate, 0, 0, nullptr, step % 2 ? 48000.0f : 44100.0f);
    if (step % 11 == 0) {
      char name[] = "Thread test";
      record->dispatcher(record, effSetProgramName, 0, 0, name, 0.0f);
    }
    record->dispatcher(record, effGetProgramName, 0, 0, text, 0.0f);
    record->dispatcher(record, effGetParamDisplay, static_cast<int32>(step % 17), 0, text, 0.0f);
    (void)record->getParameter(record, kLightState);
    (void)record->getParameter(record, static_cast<int32>(step % 17));
  }
}

TEST(AudioAndControlThreads, ProcessWhileParametersProgramsTapsAndTextsChange) {
  AEffect* record = (new TremoloEffect(&threadsHost, &makeTremoloEditor))->getRecord();
  std::vector<float> channels[4];
  for (std::vector<float>& channel : channels) channel.assign(kBlockFrames, 0.5f);
  float* inputs[2] = {channels[0].data(), channels[1].data()};
  float* outputs[2] = {channels[2].data(), channels[3].data()};
  TapEvents taps;

  std::atomic<bool> audioDone{false};
  std::atomic<int> rounds{0};
  std::thread control(controlThread, record, std::cref(audioDone), std::ref(rounds));
  // The audio starts once the other thread is changing things.
  while (rounds.load(std::memory_order_relaxed) == 0) std::this_thread::yield();
  bool finite = true;
  for (int block = 0; block < kBlocks; ++block) {
    if (block % 8 == 0) record->dispatcher(record, effProcessEvents, 0, 0, taps.get(), 0.0f);
    record->processReplacing(record, inputs, outputs, kBlockFrames);
    for (int channel = 2; channel < 4; ++channel)
      for (float sample : channels[channel]) finite = finite && std::isfinite(sample);
  }
  audioDone.store(true, std::memory_order_relaxed);
  control.join();
  record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f);
  EXPECT_TRUE(finite);
  EXPECT_GT(rounds.load(), 1);
}

}  // namespace
