// `quaverhost info PLUGIN`: what a plug-in tells a host about itself.
#pragma once

#include <ostream>
#include <span>
#include <string>

namespace qv::hostcli {

extern const char kInfoUsage[];

// Prints the identity, the canDo answers, the parameters and the programs to `out`.
// Returns 0, or 1 with a message on `err` when the arguments are wrong or the
// plug-in cannot be loaded.
int runInfo(std::span<const std::string> args, std::ostream& out, std::ostream& err);

}  // namespace qv::hostcli
