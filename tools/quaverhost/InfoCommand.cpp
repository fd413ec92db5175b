#include "tools/quaverhost/InfoCommand.h"

#include <algorithm>
#include <cstdio>
#include <string_view>
#include <vector>

#include "tools/quaverhost/CommandLine.h"
#include "tools/vsthost/HostedPlugin.h"

namespace qv::hostcli {

const char kInfoUsage[] = "  quaverhost info PLUGIN\n";

namespace {

// The capability strings of the VST 2 standard that hosts commonly ask about.
constexpr std::string_view kStandardCanDo[] = {
    "sendVstEvents",
    "sendVstMidiEvent",
    "sendVstTimeInfo",
    "receiveVstEvents",
    "receiveVstMidiEvent",
    "receiveVstTimeInfo",
    "offline",
    "midiProgramNames",
    "bypass",
    "plugAsChannelInsert",
    "plugAsSend",
    "mixDryWet",
    "noRealTime",
    "multipass",
    "metapass",
    "1in1out",
    "1in2out",
    "2in1out",
    "2in2out",
    "2in4out",
    "4in2out",
    "4in4out",
    "4in8out",
    "8in4out",
    "8in8out",
    "conformsToWindowRules",
};

constexpr struct {
  int32 bit;
  const char* name;
} kFlagNames[] = {
    {effFlagsHasEditor, "HasEditor"},
    {effFlagsHasClip, "HasClip"},
    {effFlagsHasVu, "HasVu"},
    {effFlagsCanMono, "CanMono"},
    {effFlagsCanReplacing, "CanReplacing"},
    {effFlagsProgramChunks, "ProgramChunks"},
    {effFlagsIsSynth, "IsSynth"},
    {effFlagsNoSoundInStop, "NoSoundInStop"},
    {effFlagsExtIsAsync, "ExtIsAsync"},
    {effFlagsExtHasBuffer, "ExtHasBuffer"},
};

std::string fourChars(int32 code) {
  std::string text = "'";
  for (int shift = 24; shift >= 0; shift -= 8) {
    const char c = static_cast<char>((static_cast<std::uint32_t>(code) >> shift) & 0xFF);
    text += c >= 0x20 && c < 0x7F ? c : '?';
  }
  return text + "'";
}

std::string hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", value);
  return text;
}

const char* categoryName(intptr category) {
  static const char* const names[] = {"unknown",     "effect",      "synth",       "analysis",
                                      "mastering",   "spacializer", "room effect", "surround",
                                      "restoration", "offline",     "shell",       "generator"};
  return category >= 0 && category < 12 ? names[category] : "other";
}

void printIdentity(host::HostedPlugin& plugin, std::ostream& out) {
  AEffect& effect = plugin.effect();
  const intptr category = plugin.dispatch(effGetPlugCategory);
  std::string flags;
  for (const auto& flag : kFlagNames)
    if (effect.flags & flag.bit) flags += std::string(flags.empty() ? "" : " ") + flag.name;

  out << "Effect name:     " << plugin.text(effGetEffectName) << '\n'
      << "Vendor:          " << plugin.text(effGetVendorString) << '\n'
      << "Product:         " << plugin.text(effGetProductString) << '\n'
      << "Vendor version:  " << plugin.dispatch(effGetVendorVersion) << '\n'
      << "VST version:     " << plugin.dispatch(effGetVstVersion) << '\n'
      << "Unique ID:       " << fourChars(effect.uniqueID) << " ("
      << hex(static_cast<std::uint32_t>(effect.uniqueID)) << ")\n"
      << "Version:         " << effect.version << '\n'
      << "Category:        " << category << " (" << categoryName(category) << ")\n"
      << "Flags:           " << effect.flags << " (" << (flags.empty() ? "none" : flags) << ")\n"
      << "Inputs:          " << effect.numInputs << '\n'
      << "Outputs:         " << effect.numOutputs << '\n'
      << "Initial delay:   " << effect.initialDelay << '\n'
      << "Programs:        " << effect.numPrograms << '\n'
      << "Parameters:      " << effect.numParams << '\n';
  if (plugin.requestedWidth() > 0 || plugin.requestedHeight() > 0)
    out << "Editor size:     " << plugin.requestedWidth() << " x " << plugin.requestedHeight()
        << " (asked for with audioMasterSizeWindow)\n";
}

void printCanDo(host::HostedPlugin& plugin, std::ostream& out) {
  out << "\nCan do (1 yes, 0 don't know, -1 no):\n";
  for (std::string_view text : kStandardCanDo) {
    std::string asked(text);
    char line[64];
    std::snprintf(line, sizeof line, "  %-22s %d\n", asked.c_str(),
                  static_cast<int>(plugin.dispatch(effCanDo, 0, 0, asked.data())));
    out << line;
  }
}

void printParameters(host::HostedPlugin& plugin, std::ostream& out) {
  AEffect& effect = plugin.effect();
  out << "\nParameters (index: name = value, display label):\n";
  for (int32 i = 0; i < effect.numParams; ++i) {
    char value[32];
    std::snprintf(value, sizeof value, "%.6g",
                  static_cast<double>(effect.getParameter(&effect, i)));
    out << "  " << i << ": \"" << plugin.text(effGetParamName, i) << "\" = " << value << ", \""
        << plugin.text(effGetParamDisplay, i) << "\" \"" << plugin.text(effGetParamLabel, i)
        << "\"\n";
  }
}

void printPrograms(host::HostedPlugin& plugin, std::ostream& out) {
  AEffect& effect = plugin.effect();
  out << "\nPrograms:\n";
  const intptr current = plugin.dispatch(effGetProgram);
  for (int32 i = 0; i < effect.numPrograms; ++i) {
    std::vector<char> name(512, '\0');
    // Plug-ins that do not name programs by index are asked program by program.
    if (plugin.dispatch(effGetProgramNameIndexed, i, -1, name.data()) == 0) {
      plugin.dispatch(effSetProgram, 0, i);
      std::fill(name.begin(), name.end(), '\0');
      plugin.dispatch(effGetProgramName, 0, 0, name.data());
    }
    name.back() = '\0';
    out << "  " << i << ": \"" << name.data() << "\"\n";
  }
  if (effect.numPrograms > 0) plugin.dispatch(effSetProgram, 0, current);
}

}  // namespace

int runInfo(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  if (args.size() != 1) {
    err << "usage:\n" << kInfoUsage;
    return 1;
  }
  std::unique_ptr<host::HostedPlugin> plugin = openPlugin(args[0], err);
  if (!plugin) return 1;
  out << "Plug-in:         " << args[0] << '\n';
  printIdentity(*plugin, out);
  printCanDo(*plugin, out);
  printParameters(*plugin, out);
  printPrograms(*plugin, out);
  plugin->close();
  return 0;
}

}  // namespace qv::hostcli
