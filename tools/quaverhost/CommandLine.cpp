#include "tools/quaverhost/CommandLine.h"

#include "tools/common/EchoedWord.h"
#include "tools/quaverhost/BenchCommand.h"
#include "tools/quaverhost/EditCommand.h"
#include "tools/quaverhost/InfoCommand.h"
#include "tools/quaverhost/RenderCommand.h"
#include "tools/quaverhost/RenderOptions.h"
#ifndef _WIN32
#include "tools/quaverhost/SnapshotCommand.h"
#endif
#include "tools/quaverhost/StressCommand.h"
#include "tools/vsthost/HostedPlugin.h"

namespace qv::hostcli {

namespace {

void printUsage(std::ostream& stream) {
  stream << "quaverhost: a small VST 2 host for testing plug-ins\n"
         << "usage:\n"
         << kInfoUsage << kRenderUsage << kStressUsage << kBenchUsage;
  stream << kEditUsage;
#ifndef _WIN32
  stream << kSnapshotUsage;
#endif
}

}  // namespace

std::unique_ptr<host::HostedPlugin> openPlugin(const std::string& path, std::ostream& err) {
  std::string error;
  std::unique_ptr<host::HostedPlugin> plugin = host::HostedPlugin::load(path, error);
  if (!plugin) {
    err << "quaverhost: " << error << '\n';
    return nullptr;
  }
  plugin->dispatch(effOpen);
  return plugin;
}

int runCommandLine(std::span<const std::string> args, std::ostream& out, std::ostream& err,
                   bool stderrIsTerminal) {
  if (args.empty()) {
    printUsage(err);
    return 2;
  }
  const std::string& command = args[0];
  const std::span<const std::string> rest = args.subspan(1);
  if (command == "info") return runInfo(rest, out, err);
  if (command == "render") return runRender(rest, out, err, stderrIsTerminal);
  if (command == "stress") return runStress(rest, out, err);
  if (command == "bench") return runBench(rest, out, err);
  // A real window for the editor: a Windows window, or an X11 window on Linux.
  if (command == "edit") return runEdit(rest, out, err);
#ifndef _WIN32
  // The editor's picture needs the software GUI backend of the native builds.
  if (command == "snapshot") return runSnapshot(rest, out, err);
#endif
  if (command == "help" || command == "--help" || command == "-h") {
    printUsage(out);
    return 0;
  }
  err << "quaverhost: unknown command '" << tools::echoedWord(command) << "'\n";
  printUsage(err);
  return 2;
}

}  // namespace qv::hostcli
