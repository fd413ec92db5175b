#include "tools/stress/StressHost.h"

namespace qv::stress {

namespace {

constexpr intptr kHostVersion = 2400;
// More events than any plug-in has reason to send for one block.
constexpr int32 kMostEvents = 4096;

thread_local StressHost* hostBeingCreated = nullptr;

}  // namespace

StressHost::StressHost() {
  hostBeingCreated = this;
}

StressHost::~StressHost() {
  if (hostBeingCreated == this) hostBeingCreated = nullptr;
}

void StressHost::adopt(AEffect& record) {
  record.resvd1 = reinterpret_cast<intptr>(this);
  if (hostBeingCreated == this) hostBeingCreated = nullptr;
}

intptr VSTCALLBACK StressHost::callback(AEffect* effect, int32 opcode, int32, intptr value,
                                        void* ptr, float) {
  StressHost* host =
      effect && effect->resvd1 ? reinterpret_cast<StressHost*>(effect->resvd1) : hostBeingCreated;
  if (!host) return opcode == audioMasterVersion ? kHostVersion : 0;
  return host->answer(opcode, value, ptr);
}

intptr StressHost::answer(int32 opcode, intptr, void* ptr) {
  switch (opcode) {
    case audioMasterVersion:
      return kHostVersion;
    case audioMasterGetTime:
      ++timeRequests_;
      return reinterpret_cast<intptr>(offeredTime_);
    case audioMasterProcessEvents:
      checkEvents(static_cast<const VstEvents*>(ptr));
      return 1;
    case audioMasterSetTime:
      ++timeReports_;
      if (!ptr) fault("audioMasterSetTime without time information");
      return 1;
    default:
      return 0;
  }
}

void StressHost::checkEvents(const VstEvents* events) {
  if (!events) return fault("audioMasterProcessEvents without an event list");
  if (events->numEvents < 0 || events->numEvents > kMostEvents)
    return fault("audioMasterProcessEvents with " + std::to_string(events->numEvents) + " events");
  for (int32 i = 0; i < events->numEvents; ++i) {
    const VstEvent* event = events->events[i];
    if (!event) return fault("audioMasterProcessEvents with a null event");
    ++eventsReceived_;
    if (event->type != kVstMidiType) continue;
    const auto* midi = reinterpret_cast<const VstMidiEvent*>(event);
    if (midi->deltaFrames < 0) fault("a MIDI event sent with negative deltaFrames");
    if ((static_cast<unsigned char>(midi->midiData[0]) & 0x80) == 0)
      fault("a MIDI event sent without a status byte");
  }
}

void StressHost::fault(const std::string& text) {
  if (fault_.empty()) fault_ = text;
}

std::string StressHost::takeFault() {
  std::string text;
  text.swap(fault_);
  return text;
}

}  // namespace qv::stress
