// The command line of `quaverhost render`.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "tools/audio/WavFormat.h"

namespace qv::hostcli {

constexpr std::int32_t kMaxBlockSize = 8192;
constexpr std::int64_t kMaxLeadIn = 100'000'000;

struct ParameterSetting {
  std::string key;  // an index or a parameter name, resolved against the plug-in
  float value;      // normalised, 0 to 1
};

struct TempoChange {
  double seconds;
  double bpm;
};

struct RenderOptions {
  std::string plugin;
  std::string input;
  std::string output;
  std::int32_t blockSize = 512;
  std::optional<std::uint32_t> randomSeed;  // set: random block sizes from 0 to kMaxBlockSize
  std::optional<std::int32_t> firstBlock;   // set: the size of the song's first block
  bool wholeBlocks = false;        // the song's last block runs at full size, silence past the end
  std::int64_t leadIn = 0;         // samples processed with the transport stopped before the song
  std::int32_t ppqResolution = 0;  // song position rounded to 1/N quarter note; 0: exact
  std::optional<std::int32_t> program;
  std::vector<ParameterSetting> parameters;
  double tempo = 120.0;
  double startPpq = 0.0;
  bool stopped = false;
  bool timeInfo = true;
  std::vector<TempoChange> tempoChanges;
  std::string midiIn;
  std::string eventsOut;
  std::string smfOut;
  audio::SampleEncoding encoding = audio::SampleEncoding::Float32;
  bool quiet = false;
};

// Usage lines of the render command, for the help text.
extern const char kRenderUsage[];

// Parses the arguments after "render": PLUGIN IN.wav OUT.wav and options in any
// order, each value either after a blank or after '='. Returns false with a
// message naming the offending argument on any unknown option, missing or
// malformed value, value out of range, or missing or surplus file name.
bool parseRenderOptions(std::span<const std::string> args, RenderOptions& options,
                        std::string& error);

}  // namespace qv::hostcli
