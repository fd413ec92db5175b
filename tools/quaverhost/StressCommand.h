// `quaverhost stress PLUGIN`: random but well-formed host requests, checked.
#pragma once

#include <ostream>
#include <span>
#include <string>

namespace qv::hostcli {

extern const char kStressUsage[];

// Loads the plug-in, runs the requests (100000 unless --requests or --seconds
// says otherwise), closes it and prints a summary to `out`. Returns 0 when every
// check passed; 1 for wrong arguments, a plug-in that cannot be loaded, or the
// first violation, which is reported on `err` with the seed and request number
// that reproduce it.
int runStress(std::span<const std::string> args, std::ostream& out, std::ostream& err);

}  // namespace qv::hostcli
