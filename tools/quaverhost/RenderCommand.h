// `quaverhost render`: runs a WAV file through a plug-in block by block.
#pragma once

#include <ostream>
#include <span>
#include <string>

namespace qv::hostcli {

// Renders as a host does (effOpen, sample rate, block size, program and parameters,
// effMainsChanged 1, per block effProcessEvents and processReplacing, effMainsChanged 0,
// effClose) and writes the output WAV and the requested event files. Returns 0, or 1
// with a message on `err`; on failure no output file is created or replaced.
// `progressOnTerminal` allows the progress bar on `err` for long renders.
int runRender(std::span<const std::string> args, std::ostream& out, std::ostream& err,
              bool progressOnTerminal);

}  // namespace qv::hostcli
