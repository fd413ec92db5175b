#include "tools/quaverhost/RenderOptions.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "tools/common/EchoedWord.h"

namespace qv::hostcli {

const char kRenderUsage[] =
    "  quaverhost render PLUGIN IN.wav OUT.wav [options]\n"
    "    --block N                 block size, 1 to 8192 (default 512)\n"
    "    --random-blocks[=SEED]    random block sizes from 0 to 8192 (default seed 1)\n"
    "    --first-block N           size of the song's first block, 1 to 8192\n"
    "    --lead-in N               samples run with the transport stopped before the song\n"
    "    --whole-blocks            the last block runs at full size, silence past the end\n"
    "    --program N               program to select before processing\n"
    "    --param INDEX|NAME=VALUE  set a parameter (normalised 0 to 1); repeatable\n"
    "    --tempo BPM               host tempo, 1 to 1000 (default 120)\n"
    "    --start-ppq Q             song position of the first sample in quarter notes\n"
    "    --stopped                 the host transport does not play\n"
    "    --tempo-change SECONDS:BPM  host tempo change; repeatable\n"
    "    --no-time-info            the host offers no time information\n"
    "    --ppq-resolution N        song position rounded to 1/N quarter note\n"
    "    --midi-in FILE            MIDI to send: lines \"SAMPLE note|off|cc CH NUM VALUE\"\n"
    "    --events-out FILE.txt     the plug-in's MIDI output with sample positions\n"
    "    --smf-out FILE.mid        the plug-in's MIDI output as a Standard MIDI File\n"
    "    --bits 16|24|32|32f       output sample format (default 32f, float)\n"
    "    --quiet                   no summary, no progress bar\n";

namespace {

template <typename T>
bool parseNumber(std::string_view text, T& value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}

bool parseFinite(std::string_view text, double& value) {
  return parseNumber(text, value) && std::isfinite(value);
}

constexpr double kMinTempo = 1.0;
constexpr double kMaxTempo = 1000.0;

}  // namespace

bool parseRenderOptions(std::span<const std::string> args, RenderOptions& options,
                        std::string& error) {
  std::vector<std::string> files;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
      files.push_back(arg);
      continue;
    }
    const size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    const std::string shownName = tools::echoedWord(name);
    std::optional<std::string> attached;
    if (equals != std::string::npos) attached = arg.substr(equals + 1);

    auto flag = [&]() {
      if (attached) error = "option " + shownName + " takes no value";
      return !attached;
    };
    // Takes the value after '=' or the next argument.
    std::string value;
    auto takeValue = [&]() {
      if (attached) {
        value = *attached;
        return true;
      }
      if (i + 1 >= args.size()) {
        error = "option " + shownName + " needs a value";
        return false;
      }
      value = args[++i];
      return true;
    };
    auto bad = [&](const std::string& what) {
      error = "bad value '" + tools::echoedWord(value) + "' for " + shownName + ": " + what;
      return false;
    };

    if (name == "--block") {
      if (!takeValue()) return false;
      if (!parseNumber(value, options.blockSize) || options.blockSize < 1 ||
          options.blockSize > kMaxBlockSize)
        return bad("expected a whole number from 1 to 8192");
    } else if (name == "--first-block") {
      std::int32_t frames = 0;
      if (!takeValue()) return false;
      if (!parseNumber(value, frames) || frames < 1 || frames > kMaxBlockSize)
        return bad("expected a whole number from 1 to 8192");
      options.firstBlock = frames;
    } else if (name == "--whole-blocks") {
      if (!flag()) return false;
      options.wholeBlocks = true;
    } else if (name == "--lead-in") {
      if (!takeValue()) return false;
      if (!parseNumber(value, options.leadIn) || options.leadIn < 0 || options.leadIn > kMaxLeadIn)
        return bad("expected a number of samples from 0 to 100000000");
    } else if (name == "--ppq-resolution") {
      if (!takeValue()) return false;
      if (!parseNumber(value, options.ppqResolution) || options.ppqResolution < 1 ||
          options.ppqResolution > 1'000'000)
        return bad("expected subdivisions of a quarter note from 1 to 1000000");
    } else if (name == "--random-blocks") {
      std::uint32_t seed = 1;
      if (attached && !parseNumber(*attached, seed)) {
        value = *attached;
        return bad("expected a whole number seed");
      }
      options.randomSeed = seed;
    } else if (name == "--program") {
      std::int32_t program = 0;
      if (!takeValue()) return false;
      if (!parseNumber(value, program) || program < 0)
        return bad("expected a program number from 0");
      options.program = program;
    } else if (name == "--param") {
      if (!takeValue()) return false;
      // Split at the last '=' so that a name may contain one.
      const size_t split = value.rfind('=');
      double number = 0.0;
      if (split == std::string::npos || split == 0)
        return bad("expected INDEX=VALUE or NAME=VALUE");
      if (!parseFinite(std::string_view(value).substr(split + 1), number) || number < 0.0 ||
          number > 1.0)
        return bad("the value must be a number from 0 to 1");
      options.parameters.push_back({value.substr(0, split), static_cast<float>(number)});
    } else if (name == "--tempo") {
      if (!takeValue()) return false;
      if (!parseFinite(value, options.tempo) || options.tempo < kMinTempo ||
          options.tempo > kMaxTempo)
        return bad("expected beats per minute from 1 to 1000");
    } else if (name == "--start-ppq") {
      if (!takeValue()) return false;
      if (!parseFinite(value, options.startPpq) || options.startPpq < 0.0 || options.startPpq > 1e9)
        return bad("expected a position in quarter notes from 0");
    } else if (name == "--stopped") {
      if (!flag()) return false;
      options.stopped = true;
    } else if (name == "--no-time-info") {
      if (!flag()) return false;
      options.timeInfo = false;
    } else if (name == "--tempo-change") {
      if (!takeValue()) return false;
      const size_t colon = value.find(':');
      TempoChange change{};
      if (colon == std::string::npos ||
          !parseFinite(std::string_view(value).substr(0, colon), change.seconds) ||
          !parseFinite(std::string_view(value).substr(colon + 1), change.bpm) ||
          change.seconds < 0.0 || change.seconds > 1e7 || change.bpm < kMinTempo ||
          change.bpm > kMaxTempo)
        return bad("expected SECONDS:BPM, seconds from 0, tempo from 1 to 1000");
      options.tempoChanges.push_back(change);
    } else if (name == "--midi-in" || name == "--events-out" || name == "--smf-out") {
      if (!takeValue()) return false;
      if (value.empty()) return bad("expected a file name");
      (name == "--midi-in"      ? options.midiIn
       : name == "--events-out" ? options.eventsOut
                                : options.smfOut) = value;
    } else if (name == "--bits") {
      if (!takeValue()) return false;
      if (value == "16")
        options.encoding = audio::SampleEncoding::Pcm16;
      else if (value == "24")
        options.encoding = audio::SampleEncoding::Pcm24;
      else if (value == "32")
        options.encoding = audio::SampleEncoding::Pcm32;
      else if (value == "32f")
        options.encoding = audio::SampleEncoding::Float32;
      else
        return bad("expected 16, 24, 32 or 32f");
    } else if (name == "--quiet") {
      if (!flag()) return false;
      options.quiet = true;
    } else {
      error = "unknown option " + shownName;
      return false;
    }
  }
  if (files.size() != 3) {
    error = files.size() < 3 ? "render needs PLUGIN IN.wav OUT.wav"
                             : "unexpected argument '" + tools::echoedWord(files[3]) + "'";
    return false;
  }
  options.plugin = files[0];
  options.input = files[1];
  options.output = files[2];
  return true;
}

}  // namespace qv::hostcli
