// `quaverhost snapshot PLUGIN OUT.png [--set INDEX=VALUE ...]`: a picture of a plug-in's
// editor, opened in a window of the software GUI backend (native builds).
#pragma once

#include <ostream>
#include <span>
#include <string>

namespace qv::hostcli {

extern const char kSnapshotUsage[];

// Sets the given parameters, opens the editor in a headless host window, lets one paint and
// one idle pass happen and writes the window as PNG. Returns 0; 2 when OUT.png is the
// plug-in's own file; 1 with a message on `err` when the arguments are wrong, the plug-in
// cannot be loaded, opens no window on the software backend, or the file cannot be
// written (an older OUT.png then stays as it was).
int runSnapshot(std::span<const std::string> args, std::ostream& out, std::ostream& err);

}  // namespace qv::hostcli
