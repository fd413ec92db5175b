// One stored program of the tremolo: fourteen normalised values and a name.
#pragma once

#include <atomic>

// Values are relaxed atomics because taps on the audio thread write the tempo
// slot while the user-interface thread may be switching programs.
struct ProgramRecord {
  static constexpr int kSlotCount = 14;
  static constexpr int kNameSize = 24;

  std::atomic<float> values[kSlotCount];
  char name[kNameSize];
};
