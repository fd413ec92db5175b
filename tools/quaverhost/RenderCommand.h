// `quaverhost render`: runs a WAV file through a plug-in block by block.
#pragma once

#include <ostream>
#include <span>
#include <string>

namespace qv::hostcli {

// Renders as a host does (effOpen, sample rate, block size, program and parameters,
// effMainsChanged 1, per block effProcessEvents and processReplacing, effMainsChanged 0,
// effClose) and writes the output WAV and the requested event files. Returns 0; 2 when
// an output would be an input or another output; 1 on any other error. Every failure
// is told on `err` and leaves every output file as it was.
// `progressOnTerminal` allows the progress bar on `err` for long renders.
int runRender(std::span<const std::string> args, std::ostream& out, std::ostream& err,
              bool progressOnTerminal);

}  // namespace qv::hostcli
