// The text form of MIDI events used for --midi-in and --events-out files: one event
// a line, "SAMPLE note CH NUM VEL", "SAMPLE off CH NUM VEL" or "SAMPLE cc CH NUM VAL",
// channels 1 to 16, '#' starts a comment.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tools/vsthost/MidiEvent.h"

namespace qv::host {

// Parses the whole text. On success returns true with the events sorted by sample
// (lines with equal samples keep their order). On the first bad line returns false
// with "line N: reason" in `error` and `events` untouched.
bool parseMidiText(std::string_view text, std::vector<TimedMidiEvent>& events, std::string& error);

// One line for the event, without the newline. Notes and controllers use the words
// above; any other message is written as "SAMPLE raw" and its bytes in hex. Data bytes
// are printed as they were sent, also when they are not valid MIDI.
std::string formatMidiEvent(const TimedMidiEvent& event);

}  // namespace qv::host
