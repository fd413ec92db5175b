#include "tools/vsthost/EventBatch.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace qv::host {

static_assert(offsetof(VstEvents, events) == 2 * sizeof(intptr) &&
              sizeof(VstEvent*) == sizeof(intptr));

void EventBatch::assign(std::span<const TimedMidiEvent> events, std::int64_t blockStart) {
  records_.assign(events.size(), VstMidiEvent{});
  for (size_t i = 0; i < events.size(); ++i) {
    VstMidiEvent& record = records_[i];
    record.type = kVstMidiType;
    record.byteSize = kVstMidiEventByteSize;
    record.deltaFrames = static_cast<int32>(events[i].sample - blockStart);
    for (size_t b = 0; b < events[i].bytes.size(); ++b)
      record.midiData[b] = static_cast<char>(events[i].bytes[b]);
  }
}

VstEvents* EventBatch::list() {
  storage_.assign(2 + std::max<size_t>(records_.size(), 2), 0);
  storage_[0] = static_cast<intptr>(records_.size());
  for (size_t i = 0; i < records_.size(); ++i) {
    VstEvent* pointer = reinterpret_cast<VstEvent*>(&records_[i]);
    std::memcpy(&storage_[2 + i], &pointer, sizeof pointer);
  }
  return reinterpret_cast<VstEvents*>(storage_.data());
}

}  // namespace qv::host
