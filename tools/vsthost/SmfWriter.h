// Standard MIDI File (format 0) of the events a render captured.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/vsthost/MidiEvent.h"
#include "tools/vsthost/TempoMap.h"

namespace qv::host {

constexpr int kSmfTicksPerQuarter = 480;

struct SmfResult {
  std::vector<std::uint8_t> bytes;  // the whole file
  int skipped = 0;                  // messages no MIDI file can carry, left out
};

// One track at 480 ticks per quarter note: the tempo map as tempo meta events, a 4/4
// time signature, then the channel messages in sample order. Times become ticks
// through the tempo values actually written (whole microseconds per quarter note,
// limited to what the file format holds), so a sequencer plays each event at its
// sample position. System messages and messages with data bytes of 0x80 or more
// are counted in `skipped` and left out.
SmfResult buildSmf(const std::vector<TimedMidiEvent>& events, const TempoMap& tempo);

}  // namespace qv::host
