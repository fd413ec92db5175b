#include <iostream>
#include <string>
#include <vector>

#include "tools/quaverhost/CommandLine.h"
#include "tools/vsthost/PluginLibrary.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return qv::hostcli::runCommandLine(args, std::cout, std::cerr, qv::host::stderrIsTerminal());
}
