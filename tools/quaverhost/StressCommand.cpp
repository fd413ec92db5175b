#include "tools/quaverhost/StressCommand.h"

#include <cstdio>
#include <cstdlib>

#include "tools/stress/StressHost.h"
#include "tools/stress/StressRun.h"
#include "tools/vsthost/PluginLibrary.h"

namespace qv::hostcli {

const char kStressUsage[] = "  quaverhost stress PLUGIN [--requests N] [--seconds S] [--seed N]\n";

namespace {

constexpr std::int64_t kDefaultRequests = 100000;

struct StressOptions {
  std::string plugin;
  stress::StressSettings settings;
};

bool parseNumber(const std::string& text, double& number) {
  char* end = nullptr;
  number = std::strtod(text.c_str(), &end);
  return !text.empty() && *end == '\0' && number > 0.0 && number < 1e15;
}

bool parse(std::span<const std::string> args, StressOptions& options, std::string& error) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--requests" || arg == "--seconds" || arg == "--seed") {
      double number = 0.0;
      if (i + 1 >= args.size() || !parseNumber(args[i + 1], number)) {
        error = arg + " needs a positive number";
        return false;
      }
      ++i;
      if (arg == "--requests") options.settings.requests = static_cast<std::int64_t>(number);
      if (arg == "--seconds") options.settings.seconds = number;
      if (arg == "--seed") options.settings.seed = static_cast<std::uint64_t>(number);
    } else if (options.plugin.empty() && arg.rfind("--", 0) != 0) {
      options.plugin = arg;
    } else {
      error = "unexpected argument '" + arg + "'";
      return false;
    }
  }
  if (options.plugin.empty()) {
    error = "no plug-in given";
    return false;
  }
  if (options.settings.requests <= 0 && options.settings.seconds <= 0.0)
    options.settings.requests = kDefaultRequests;
  return true;
}

void printSummary(std::ostream& out, const stress::StressReport& report,
                  const stress::StressHost& host, std::uint64_t seed) {
  char fingerprint[32];
  std::snprintf(fingerprint, sizeof fingerprint, "%016llx",
                static_cast<unsigned long long>(report.fingerprint));
  out << "stress: " << report.requests << " requests in " << report.seconds << " s, seed " << seed
      << "\n  dispatcher " << report.dispatches << ", parameters " << report.parameterRequests
      << ", audio blocks " << report.blocks << " (" << report.frames << " frames, "
      << report.levelCheckedBlocks << " checked against the input's peak)\n"
      << "  from the plug-in: " << host.timeRequests() << " time requests, " << host.timeReports()
      << " time reports, " << host.eventsReceived() << " events\n"
      << "  fingerprint " << fingerprint << "\n";
}

}  // namespace

int runStress(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  StressOptions options;
  std::string error;
  if (!parse(args, options, error)) {
    err << "quaverhost stress: " << error << "\nusage:\n" << kStressUsage;
    return 1;
  }
  host::PluginLibrary library;
  if (!library.load(options.plugin, error)) {
    err << "quaverhost stress: " << error << '\n';
    return 1;
  }
  stress::StressHost host;
  AEffect* effect = library.entry()(&stress::StressHost::callback);
  if (!effect || effect->magic != kEffectMagic) {
    err << "quaverhost stress: " << options.plugin << ": main returned no usable instance\n";
    return 1;
  }
  host.adopt(*effect);
  const stress::StressReport report = stress::stressPlugin(*effect, host, options.settings);
  effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
  printSummary(out, report, host, options.settings.seed);
  if (!report.violation.empty()) {
    err << "quaverhost stress: violation at " << report.violation
        << "\n  reproduce: quaverhost stress " << options.plugin << " --seed "
        << options.settings.seed << " --requests " << report.requests << '\n';
    return 1;
  }
  out << "  no violation\n";
  return 0;
}

}  // namespace qv::hostcli
