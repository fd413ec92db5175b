// Everything a host sees of the audio routine across a scripted session: every
// callback (opcode, index, value, the contents behind ptr, opt), the light, the
// parameters and the audio. Blocks of many sizes run between parameter, program,
// sample rate and tempo changes in all four tempo sources. Work on the routine's
// speed may reshape how it computes, never what a host receives.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "effect/TremoloEffect.h"
#include "host/PluginEntry.h"

namespace {

struct Digest {
  std::uint64_t value = 0xCBF29CE484222325ull;
  void mixBytes(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) value = (value ^ bytes[i]) * 0x100000001B3ull;
  }
  void mix(std::int64_t number) { mixBytes(&number, sizeof number); }
  void mix(double number) { mixBytes(&number, sizeof number); }
  void mix(float number) { mixBytes(&number, sizeof number); }
};

// The host: answers its version and its transport, and mixes every call into
// the digest field by field, so that padding and pointers do not count.
struct RecordingHost {
  Digest calls;
  int callCount = 0;
  bool hasTransport = true;
  VstTimeInfo transport{};
};
RecordingHost* host = nullptr;

void mixTimeInfo(Digest& digest, const VstTimeInfo& info) {
  for (double field : {info.samplePos, info.sampleRate, info.nanoSeconds, info.ppqPos, info.tempo,
                       info.barStartPos, info.cycleStartPos, info.cycleEndPos})
    digest.mix(field);
  for (int32 field : {info.timeSigNumerator, info.timeSigDenominator, info.smpteOffset,
                      info.smpteFrameRate, info.samplesToNextClock, info.flags})
    digest.mix(std::int64_t{field});
}

void mixEvents(Digest& digest, const VstEvents& events) {
  digest.mix(std::int64_t{events.numEvents});
  digest.mix(static_cast<std::int64_t>(events.reserved));
  VstEvent* const* list = events.events;
  for (int32 i = 0; i < events.numEvents; ++i) {
    const auto& midi = *reinterpret_cast<const VstMidiEvent*>(list[i]);
    for (int32 field :
         {midi.type, midi.byteSize, midi.deltaFrames, midi.flags, midi.noteLength, midi.noteOffset})
      digest.mix(std::int64_t{field});
    digest.mixBytes(midi.midiData, 4);
    for (char field : {midi.detune, midi.noteOffVelocity, midi.reserved1, midi.reserved2})
      digest.mix(std::int64_t{field});
  }
}

intptr VSTCALLBACK record(AEffect*, int32 opcode, int32 index, intptr value, void* ptr, float opt) {
  Digest& digest = host->calls;
  ++host->callCount;
  digest.mix(std::int64_t{opcode});
  digest.mix(std::int64_t{index});
  digest.mix(static_cast<std::int64_t>(value));
  digest.mix(opt);
  digest.mix(std::int64_t{ptr != nullptr});
  switch (opcode) {
    case audioMasterVersion:
      return 2400;
    case audioMasterGetTime:
      return host->hasTransport ? reinterpret_cast<intptr>(&host->transport) : 0;
    case audioMasterSetTime:
      mixTimeInfo(digest, *static_cast<const VstTimeInfo*>(ptr));
      return 1;
    case audioMasterProcessEvents:
      mixEvents(digest, *static_cast<const VstEvents*>(ptr));
      return 1;
    default:
      return 0;
  }
}

// Runs the script on one instance; the audio, the light, the parameters and the
// tempo display go into `state`.
class Session {
 public:
  explicit Session(Digest& state) : state_(state), record_(createPluginInstance(&record)) {}
  ~Session() { record_->dispatcher(record_, effClose, 0, 0, nullptr, 0.0f); }

  void set(int32 index, float value) { record_->setParameter(record_, index, value); }
  void dispatch(int32 opcode, int32 index, intptr value, float opt) {
    record_->dispatcher(record_, opcode, index, value, nullptr, opt);
  }
  void midi(VstEvents& events) {
    record_->dispatcher(record_, effProcessEvents, 0, 0, &events, 0.0f);
  }

  // Blocks of the given sizes in turn until at least `frames` frames have run.
  void play(std::initializer_list<int32> sizes, int64_t frames, bool monoOut = false) {
    for (int64_t done = 0; done < frames;) {
      for (int32 size : sizes) {
        block(size, monoOut);
        done += size > 0 ? size : 1;
      }
    }
    snapshot();
  }

  void block(int32 frames, bool monoOut = false) {
    const auto size = static_cast<std::size_t>(frames > 0 ? frames : 0);
    left_.resize(size);
    right_.resize(size);
    for (std::size_t i = 0; i < size; ++i) {
      seed_ = seed_ * 1664525u + 1013904223u;
      left_[i] = static_cast<float>(seed_ >> 8) / 8388608.0f - 1.0f;
      right_[i] = -0.5f * left_[i];
    }
    leftOut_.assign(size, 0.0f);
    rightOut_.assign(size, 0.0f);
    float* inputs[2] = {left_.data(), right_.data()};
    float* outputs[2] = {leftOut_.data(), monoOut ? nullptr : rightOut_.data()};
    record_->processReplacing(record_, inputs, outputs, frames);
    for (float sample : leftOut_) state_.mix(sample);
    for (float sample : rightOut_) state_.mix(sample);
    state_.mix(record_->getParameter(record_, kLightState));
  }

  void snapshot() {
    for (int32 index = 0; index < kParameterCount; ++index)
      state_.mix(record_->getParameter(record_, index));
    char text[64] = {};
    record_->dispatcher(record_, effGetParamDisplay, kTempo, 0, text, 0.0f);
    state_.mixBytes(text, std::strlen(text));
  }

 private:
  Digest& state_;
  AEffect* record_;
  std::uint32_t seed_ = 7;
  std::vector<float> left_, right_, leftOut_, rightOut_;
};

void tapTempoModes(Session& session) {
  session.play({64}, 100000);
  session.play({512, 64, 1, 2, 3, 65, 4096, 0, -3, 100}, 120000);
  // Taps from the editor's button and the space bar, then from MIDI.
  for (int i = 0; i < 6; ++i) {
    session.set(kTap, i % 2 ? 1.0f : 0.5f);
    session.play({64}, 22050);
  }
  VstMidiEvent controller{};
  controller.type = kVstMidiType;
  controller.byteSize = sizeof(VstMidiEvent);
  controller.midiData[0] = static_cast<char>(0xB7);
  controller.midiData[1] = 25;
  controller.midiData[2] = 127;
  VstEvents events{};
  events.numEvents = 1;
  events.events[0] = reinterpret_cast<VstEvent*>(&controller);
  for (int i = 0; i < 6; ++i) {
    session.midi(events);
    session.play({256, 64}, 18000);
  }
  session.set(kTempoSource, 0.25f);
  controller.midiData[0] = static_cast<char>(0x97);
  for (int i = 0; i < 5; ++i) {
    session.midi(events);
    session.play({64}, 15000);
  }
  session.set(kTempo, 0.3f);
  session.play({64, 512}, 60000);
  session.set(kTempo, 140.0f);
  session.play({4096}, 60000);
}

void parameterChanges(Session& session) {
  const float shapes[] = {0.1f, 0.3f, 0.5f, 0.7f, 0.9f};
  for (float shape : shapes) {
    session.set(kShape, shape);
    session.play({64, 4096, 100}, 30000);
    session.set(kStereoMode, 1.0f);
    session.play({512}, 20000, true);
    session.set(kStereoMode, 0.0f);
  }
  for (float softness : {0.0f, 0.01f, 1.0f, 0.5f, 0.125f}) {
    session.set(kSoftness, softness);
    session.play({64, 65, 63}, 25000);
  }
  session.set(kMultiplier, 1.0f);
  session.set(kPhase, 0.6f);
  session.set(kDepth, 1.0f);
  session.set(kLightFollows, 1.0f);
  session.play({64, 512}, 40000);
  session.set(kMultiplier, 0.0f);
  session.set(kLightFollows, 0.5f);
  session.set(kMidiChannel, 0.0f);
  session.set(kMetronomeNote, 1.0f);
  session.set(kMetronomeVolume, 0.0f);
  session.set(kDepth, 0.0f);
  session.play({64}, 40000);
  session.set(kMinimumTaps, 0.0f);
  for (int i = 0; i < 4; ++i) {
    session.set(kTap, 1.0f);
    session.play({64}, 30000);
  }
}

void programsAndRates(Session& session) {
  session.set(kMultiplier, 0.6f);
  session.set(kDepth, 0.8f);
  session.dispatch(effSetProgram, 0, 3, 0.0f);
  session.play({64, 512}, 40000);
  session.set(kShape, 0.0f);
  session.set(kSoftness, 0.02f);
  session.dispatch(effSetProgram, 0, 0, 0.0f);
  session.play({64}, 30000);
  session.dispatch(effSetProgram, 0, 3, 0.0f);
  session.play({64}, 30000);
  for (float rate : {48000.0f, 96000.0f, 22050.0f, 44100.0f}) {
    session.dispatch(effSetSampleRate, 0, 0, rate);
    session.play({64, 512, 4096}, 50000);
    session.set(kTempo, 0.4f);
    session.play({64}, 20000);
  }
  session.dispatch(effSetBlockSizeAndSampleRate, 0, 64, 88200.0f);
  session.play({64}, 40000);
}

void hostTempoModes(Session& session) {
  VstTimeInfo& transport = host->transport;
  transport.sampleRate = 44100.0;
  for (float source : {0.5f, 0.75f}) {
    session.set(kTempoSource, source);
    transport.flags = kVstTempoValid;
    const double tempos[] = {128.0, 128.005, 133.3, 400.0,
                             0.5,   1.0,     300.0, std::numeric_limits<double>::quiet_NaN(),
                             96.0};
    for (double tempo : tempos) {
      transport.tempo = tempo;
      session.play({64, 512}, 20000);
    }
    transport.flags = kVstTempoValid | kVstTransportPlaying;
    transport.tempo = 150.0;
    for (int i = 0; i < 200; ++i) {
      transport.ppqPos = 3.0 + i * 0.02;
      session.block(64);
    }
    transport.ppqPos = 57.75;  // a jump
    session.play({64}, 10000);
    transport.ppqPos = std::numeric_limits<double>::infinity();
    session.play({64}, 5000);
    transport.flags = kVstTransportPlaying;  // no tempo
    transport.tempo = 200.0;
    transport.ppqPos = 9.5;
    session.play({512}, 20000);
    host->hasTransport = false;
    session.play({64, 3}, 20000);
    host->hasTransport = true;
    session.set(kTempo, 0.9f);
    session.play({64}, 20000);
  }
}

// Taken from the code as it was before the audio routine's fixed work per block
// was reduced (with metronome events of 24 bytes, as the standard counts them).
// A failure means a host would see something new.
constexpr std::uint64_t kExpectedCalls = 0xBDD300C6DEA7E84Cull;
constexpr int kExpectedCallCount = 18272;
constexpr std::uint64_t kExpectedState = 0xF7968D3F2160BCB4ull;

TEST(HostCalls, ScriptedSessionShowsTheHostWhatItAlwaysSaw) {
  RecordingHost recording;
  host = &recording;
  Digest state;
  {
    Session session(state);
    tapTempoModes(session);
    parameterChanges(session);
    programsAndRates(session);
    hostTempoModes(session);
  }
  host = nullptr;
  EXPECT_EQ(recording.callCount, kExpectedCallCount);
  EXPECT_EQ(recording.calls.value, kExpectedCalls) << std::hex << recording.calls.value;
  EXPECT_EQ(state.value, kExpectedState) << std::hex << state.value;
}

}  // namespace
