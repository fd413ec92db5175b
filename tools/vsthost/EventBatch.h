// The VstEvents list a host hands to effProcessEvents for one block.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "host/Vst2.h"
#include "tools/vsthost/MidiEvent.h"

namespace qv::host {

// Owns the event records and the pointer list; valid until the next assign().
class EventBatch {
 public:
  // Fills the list with `events`, deltaFrames counted from `blockStart`.
  void assign(std::span<const TimedMidiEvent> events, std::int64_t blockStart);
  bool empty() const { return records_.empty(); }
  // The list in the standard's layout; its pointer array is as long as the events.
  VstEvents* list();

 private:
  std::vector<VstMidiEvent> records_;
  // Header words followed by one pointer per event, as the standard lays the list out.
  std::vector<intptr> storage_;
};

}  // namespace qv::host
