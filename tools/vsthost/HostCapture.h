// What a plug-in sends to the host while it runs: MIDI events, automation and
// the time information it reports.
#pragma once

#include <cstdint>
#include <vector>

#include "host/Vst2.h"
#include "tools/vsthost/MidiEvent.h"

namespace qv::host {

struct AutomationRecord {
  enum class Kind { Automate, BeginEdit, EndEdit };
  Kind kind;
  std::int64_t sample;  // start of the block in which it arrived
  std::int32_t index;
  float value;  // the automated value; 0 for begin and end
};

// Copies of everything received, stamped with sample positions. Filled by the
// host callback on the thread that calls it; read after processing. Not thread
// safe: one thread at a time drives the plug-in.
class HostCapture {
 public:
  // Events that arrive from now on belong to the block starting at `sample`.
  void setBlockStart(std::int64_t sample) { blockStart_ = sample; }

  // Copies the MIDI events of a list (sample = block start + deltaFrames); other
  // event types and null entries are skipped. Tolerates a null list.
  void addEvents(const VstEvents* events);
  void addAutomation(AutomationRecord::Kind kind, std::int32_t index, float value);
  // Counts a time report of the plug-in and keeps the latest one.
  void addTimeReport(const VstTimeInfo* info);
  void countTimeRequest() { ++timeRequests_; }

  const std::vector<TimedMidiEvent>& midi() const { return midi_; }
  const std::vector<AutomationRecord>& automation() const { return automation_; }
  std::int64_t timeReports() const { return timeReports_; }
  const VstTimeInfo& lastTimeReport() const { return lastTimeReport_; }
  std::int64_t timeRequests() const { return timeRequests_; }

 private:
  std::int64_t blockStart_ = 0;
  std::vector<TimedMidiEvent> midi_;
  std::vector<AutomationRecord> automation_;
  std::int64_t timeReports_ = 0;
  VstTimeInfo lastTimeReport_{};
  std::int64_t timeRequests_ = 0;
};

}  // namespace qv::host
