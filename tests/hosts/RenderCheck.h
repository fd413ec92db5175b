// Judges a render that a real host made of the plug-in: against the input (did the
// plug-in run at all, does it modulate at the expected rate) and against the
// project's own host replaying the same transport (is it the same audio).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qv::hosttest {

struct Stereo {
  std::vector<float> left;
  std::vector<float> right;
  std::uint32_t sampleRate = 44100;
};

// The level modulation of one channel, read as output over input wherever the
// input is loud enough.
struct Modulation {
  double minGain = 0.0;
  double maxGain = 0.0;
  double cyclesPerSecond = 0.0;  // from the crossings of the middle of the gain range
};

// Measures the modulation that turned `input` into `output` (same length).
Modulation measureModulation(const std::vector<float>& input, const std::vector<float>& output,
                             std::uint32_t sampleRate);

struct Verdict {
  bool passed = true;
  std::vector<std::string> lines;  // one per finding, failures first with "FAIL: "
};

// The host's render must have the input's length, be finite, not silent, not
// the dry input, modulated on both channels at `expectedRate` cycles per second
// (within 10 %), and equal `reference` within `tolerance` on every sample.
Verdict judgeHostRender(const Stereo& input, const Stereo& host, const Stereo& reference,
                        double expectedRate, double tolerance = 1e-6);

}  // namespace qv::hosttest
