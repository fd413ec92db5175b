// The command dispatch of quaverhost, separate from main() so tests can run it.
#pragma once

#include <memory>
#include <ostream>
#include <span>
#include <string>

namespace qv::host {
class HostedPlugin;
}

namespace qv::hostcli {

// Loads the plug-in at path and opens it (effOpen); on failure reports why on `err` and
// gives nothing.
std::unique_ptr<host::HostedPlugin> openPlugin(const std::string& path, std::ostream& err);

// Runs the command named by args[0] with the rest of the arguments and returns the
// process exit code: 0 on success, 1 on any error (reported on `err`), 2 for an
// unknown command or none.
int runCommandLine(std::span<const std::string> args, std::ostream& out, std::ostream& err,
                   bool stderrIsTerminal);

}  // namespace qv::hostcli
