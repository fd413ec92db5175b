#include "tests/support/host/FakeHost.h"

#include <algorithm>
#include <string>

#include "plugin/PluginEntry.h"

namespace {
FakeHost* activeHost = nullptr;
constexpr std::size_t kReserved = 1 << 16;
}  // namespace

FakeHost::FakeHost() {
  calls.reserve(kReserved);
  midiOut.reserve(kReserved);
  midiDeltaFrames.reserve(kReserved);
  midiEvents.reserve(kReserved);
  eventLists.reserve(kReserved);
  timeSent.reserve(kReserved);
  transport.sampleRate = 44100.0;
  transport.tempo = 120.0;
  transport.flags = kVstTempoValid;
  previousHost = activeHost;
  activeHost = this;
}

FakeHost::~FakeHost() {
  activeHost = previousHost;
}

intptr VSTCALLBACK FakeHost::callback(AEffect*, int32 opcode, int32 index, intptr value, void* ptr,
                                      float opt) {
  FakeHost& host = *activeHost;
  host.calls.push_back({opcode, index, value, ptr, opt});
  switch (opcode) {
    case audioMasterVersion:
      return host.versionAnswer;
    case audioMasterGetTime:
      return host.hasTransport ? reinterpret_cast<intptr>(&host.transport) : 0;
    case audioMasterSetTime:
      host.timeSent.push_back(*static_cast<VstTimeInfo*>(ptr));
      return 1;
    case audioMasterProcessEvents: {
      const auto* events = static_cast<VstEvents*>(ptr);
      host.eventLists.push_back({events->numEvents, events->reserved});
      for (int32 i = 0; i < events->numEvents; ++i) {
        const auto* midi = reinterpret_cast<const VstMidiEvent*>(events->events[i]);
        host.midiOut.push_back({static_cast<unsigned char>(midi->midiData[0]),
                                static_cast<unsigned char>(midi->midiData[1]),
                                static_cast<unsigned char>(midi->midiData[2]),
                                static_cast<unsigned char>(midi->midiData[3])});
        host.midiDeltaFrames.push_back(midi->deltaFrames);
        host.midiEvents.push_back(*midi);
      }
      return 1;
    }
    default:
      return host.defaultAnswer;
  }
}

int FakeHost::count(int32 opcode) const {
  return static_cast<int>(std::count_if(
      calls.begin(), calls.end(), [opcode](const HostCall& c) { return c.opcode == opcode; }));
}

void FakeHost::clear() {
  calls.clear();
  midiOut.clear();
  midiDeltaFrames.clear();
  midiEvents.clear();
  eventLists.clear();
  timeSent.clear();
}

Instance::Instance()
    : record(createPluginInstance(FakeHost::callback)),
      effect(static_cast<TremoloEffect*>(static_cast<BasicEffect*>(record->object))) {}

Instance::~Instance() {
  record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f);
}

intptr Instance::dispatch(int32 opcode, int32 index, intptr value, void* ptr, float opt) {
  return record->dispatcher(record, opcode, index, value, ptr, opt);
}

void Instance::run(int32 frames) {
  std::vector<float> left(static_cast<std::size_t>(std::max(frames, 0)));
  std::vector<float> right(left.size());
  float* inputs[] = {left.data(), right.data()};
  float* outputs[] = {left.data(), right.data()};
  process(inputs, outputs, frames);
}

void Instance::process(float** inputs, float** outputs, int32 frames) {
  record->processReplacing(record, inputs, outputs, frames);
}

std::string Instance::display(int32 index) {
  char text[64] = {};
  dispatch(effGetParamDisplay, index, 0, text);
  return text;
}
