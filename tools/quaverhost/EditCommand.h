// `quaverhost edit PLUGIN [--close-after MS]`: a plug-in's editor in a window of its own, with
// silent audio running through it: a Windows window, or on Linux an X11 window whose id the
// editor gets as Linux hosts give it.
#pragma once

#include <ostream>
#include <span>
#include <string>

namespace qv::hostcli {

extern const char kEditUsage[];

// Opens the plug-in's editor in a top-level window, runs silent audio through
// processReplacing on a thread of its own and idles the editor every 30 ms, until the user
// closes the window (or the given number of milliseconds has passed). Returns 0, or 1 with
// a message on `err` when the arguments are wrong, the plug-in cannot be loaded, has no
// editor or the window cannot be made.
int runEdit(std::span<const std::string> args, std::ostream& out, std::ostream& err);

}  // namespace qv::hostcli
