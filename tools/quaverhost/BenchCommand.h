// `quaverhost bench PLUGIN`: processing time per frame beside the plain gain
// loop and the serial per-frame ramp, the same table the benchmark program prints.
#pragma once

#include <ostream>
#include <span>
#include <string>

namespace qv::hostcli {

extern const char kBenchUsage[];

// Measures every case (shape, stereo mode, softness, block size) on a fresh
// instance for about --seconds each (default 0.2), in rounds beside both
// baselines, and prints ns/frame, the ratios and the targets to `out`.
// Returns 0, or 1 with a message on `err` for wrong arguments or a plug-in that
// cannot be loaded. Never fails on the figures themselves.
int runBench(std::span<const std::string> args, std::ostream& out, std::ostream& err);

}  // namespace qv::hostcli
