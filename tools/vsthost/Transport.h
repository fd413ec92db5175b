// The host's transport as the plug-in sees it through audioMasterGetTime.
#pragma once

#include <cstdint>

#include "host/Vst2.h"
#include "tools/vsthost/TempoMap.h"

namespace qv::host {

// How the render's transport behaves.
struct TransportSettings {
  double startPpq = 0.0;   // song position of the first sample, in quarter notes
  bool playing = true;     // false: stopped at the start position for the whole render
  bool offersTime = true;  // false: the host answers audioMasterGetTime with null
  // Samples the host runs with its transport stopped at the start position before
  // the song starts, as a host does while it prepares to roll.
  std::int64_t leadIn = 0;
  // Quarter-note subdivisions the song position is rounded to (nearest); 0: exact.
  std::int32_t ppqResolution = 0;
};

// Advances block by block; the time it offers is that of the start of the current
// block, so every request within one block gets the same answer. Audio thread only.
class Transport {
 public:
  Transport(const TempoMap& tempo, const TransportSettings& settings);

  // The time at the start of the current block, or null when the host offers none.
  const VstTimeInfo* timeInfo() const;
  // Moves to the next block, `frames` samples later (negative counts as 0).
  void advance(std::int32_t frames);
  // Sample position of the current block's start, counted from the render's start
  // (the lead-in included).
  std::int64_t blockStart() const { return blockStart_; }
  // Sample position of the current block's start in the song: negative during the
  // lead-in.
  std::int64_t songPosition() const { return blockStart_ - settings_.leadIn; }

 private:
  void update();

  const TempoMap& tempo_;
  TransportSettings settings_;
  std::int64_t blockStart_ = 0;
  bool first_ = true;
  VstTimeInfo info_{};
};

}  // namespace qv::host
