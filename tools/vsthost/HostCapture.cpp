#include "tools/vsthost/HostCapture.h"

#include <algorithm>

namespace qv::host {

void HostCapture::addEvents(const VstEvents* events) {
  if (!events) return;
  // A damaged count must not make the host read far past the list.
  constexpr std::int32_t kMaxEventsPerCall = 1 << 16;
  const std::int32_t count = std::clamp(events->numEvents, 0, kMaxEventsPerCall);
  for (std::int32_t i = 0; i < count; ++i) {
    const VstEvent* event = events->events[i];
    if (!event || event->type != kVstMidiType) continue;
    const auto* midi = reinterpret_cast<const VstMidiEvent*>(event);
    TimedMidiEvent copy;
    copy.sample = blockStart_ + midi->deltaFrames;
    for (size_t b = 0; b < copy.bytes.size(); ++b)
      copy.bytes[b] = static_cast<std::uint8_t>(midi->midiData[b]);
    midi_.push_back(copy);
  }
}

void HostCapture::addAutomation(AutomationRecord::Kind kind, std::int32_t index, float value) {
  automation_.push_back({kind, blockStart_, index, value});
}

void HostCapture::addTimeReport(const VstTimeInfo* info) {
  if (!info) return;
  ++timeReports_;
  lastTimeReport_ = *info;
}

}  // namespace qv::host
