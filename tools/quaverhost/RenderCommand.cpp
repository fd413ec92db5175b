#include "tools/quaverhost/RenderCommand.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <vector>

#include "tools/audio/WavReader.h"
#include "tools/audio/WavWriter.h"
#include "tools/common/EchoedWord.h"
#include "tools/common/OutputPaths.h"
#include "tools/common/PendingFile.h"
#include "tools/quaverhost/Progress.h"
#include "tools/quaverhost/RenderOptions.h"
#include "tools/vsthost/EventBatch.h"
#include "tools/vsthost/HostedPlugin.h"
#include "tools/vsthost/MidiText.h"
#include "tools/vsthost/SmfWriter.h"

namespace qv::hostcli {

namespace {

// Plug-ins claiming more channels than this are refused rather than trusted.
constexpr int32 kMaxChannels = 64;

// Block sizes for one render: fixed, or a reproducible random mix that includes
// the empty and the single-frame block.
class BlockSizes {
 public:
  explicit BlockSizes(const RenderOptions& options)
      : fixed_(options.blockSize),
        first_(options.firstBlock.value_or(0)),
        random_(options.randomSeed.has_value()),
        generator_(options.randomSeed.value_or(1)) {}

  int32 maximum() const { return std::max(random_ ? kMaxBlockSize : fixed_, first_); }

  // The size of the song's first block: the one chosen for it, else the next.
  int32 first() { return first_ > 0 ? first_ : next(); }

  int32 next() {
    if (!random_) return fixed_;
    const std::uint32_t pick = generator_();
    if (pick % 8 == 0) return 0;
    if (pick % 8 == 1) return 1;
    return static_cast<int32>(2 + generator_() % (kMaxBlockSize - 1));
  }

 private:
  int32 fixed_;
  int32 first_;
  bool random_;
  std::mt19937 generator_;
};

std::string lowered(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// An index or a (case-insensitive) parameter name; -1 with a message when unknown.
int32 resolveParameter(host::HostedPlugin& plugin, const std::string& key, std::string& error) {
  const int32 count = plugin.effect().numParams;
  int32 index = -1;
  const auto [end, ec] = std::from_chars(key.data(), key.data() + key.size(), index);
  if (ec == std::errc() && end == key.data() + key.size()) {
    if (index >= 0 && index < count) return index;
    error = "parameter index " + tools::echoedWord(key) + " is out of range (0 to " +
            std::to_string(count - 1) + ")";
    return -1;
  }
  for (int32 i = 0; i < count; ++i)
    if (lowered(plugin.text(effGetParamName, i)) == lowered(key)) return i;
  error = "unknown parameter name \"" + tools::echoedWord(key) + "\" (see quaverhost info)";
  return -1;
}

bool readText(const std::string& path, std::string& text) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  std::ostringstream contents;
  contents << file.rdbuf();
  text = contents.str();
  return !file.bad();
}

std::string describeEncoding(audio::SampleEncoding encoding) {
  switch (encoding) {
    case audio::SampleEncoding::Pcm16:
      return "16-bit";
    case audio::SampleEncoding::Pcm24:
      return "24-bit";
    case audio::SampleEncoding::Pcm32:
      return "32-bit";
    case audio::SampleEncoding::Float32:
      return "32-bit float";
  }
  return "";
}

class Renderer {
 public:
  Renderer(const RenderOptions& options, std::ostream& out, std::ostream& err, bool terminal)
      : options_(options), out_(out), err_(err), terminal_(terminal) {}

  bool run(std::string& error);

 private:
  bool prepareInput(std::string& error);
  bool createOutputs(std::string& error);
  bool preparePlugin(std::string& error);
  bool process(std::string& error);
  void runLeadIn(host::Transport& transport, BlockSizes& sizes, float** inputs, float** outputs);
  bool writeEventFiles(std::string& error);
  void report() const;

  const RenderOptions& options_;
  std::ostream& out_;
  std::ostream& err_;
  bool terminal_;

  audio::WavReader reader_;
  std::vector<host::TimedMidiEvent> midiIn_;
  std::unique_ptr<host::HostedPlugin> plugin_;
  std::unique_ptr<host::TempoMap> tempo_;
  tools::PendingFile wavFile_{options_.output};
  tools::PendingFile eventsFile_{options_.eventsOut};
  tools::PendingFile smfFile_{options_.smfOut};
  std::vector<host::TimedMidiEvent> midiOut_;
  std::int64_t timeReports_ = 0;
  std::int64_t timeRequests_ = 0;
  double lastReportedTempo_ = 0.0;
  size_t automation_ = 0;
  std::int64_t nonFinite_ = 0;
  std::int64_t undelivered_ = 0;
  int smfSkipped_ = 0;
  std::string effectName_;
};

bool Renderer::prepareInput(std::string& error) {
  if (!reader_.open(options_.input, error)) return false;
  if (!options_.midiIn.empty()) {
    std::string text;
    if (!readText(options_.midiIn, text)) {
      error = "cannot read " + tools::echoedWord(options_.midiIn);
      return false;
    }
    if (!host::parseMidiText(text, midiIn_, error)) {
      error = tools::echoedWord(options_.midiIn) + ": " + error;
      return false;
    }
  }
  const double rate = reader_.format().sampleRate;
  tempo_ = std::make_unique<host::TempoMap>(rate, options_.tempo);
  for (const TempoChange& change : options_.tempoChanges)
    tempo_->addChange(std::llround(change.seconds * rate), change.bpm);
  return true;
}

// Every output's temporary file, before the work: a folder that is not there fails now.
bool Renderer::createOutputs(std::string& error) {
  return wavFile_.create(error) && (options_.eventsOut.empty() || eventsFile_.create(error)) &&
         (options_.smfOut.empty() || smfFile_.create(error));
}

bool Renderer::preparePlugin(std::string& error) {
  plugin_ = host::HostedPlugin::load(options_.plugin, error);
  if (!plugin_) return false;
  AEffect& effect = plugin_->effect();
  if (effect.numInputs < 0 || effect.numInputs > kMaxChannels || effect.numOutputs < 1 ||
      effect.numOutputs > kMaxChannels) {
    error = tools::echoedWord(options_.plugin) + ": unsupported channel counts (" +
            std::to_string(effect.numInputs) + " in, " + std::to_string(effect.numOutputs) +
            " out)";
    return false;
  }
  if (options_.program && *options_.program >= effect.numPrograms) {
    error = "program " + std::to_string(*options_.program) + " does not exist (the plug-in has " +
            std::to_string(effect.numPrograms) + ")";
    return false;
  }
  plugin_->dispatch(effOpen);
  plugin_->setSampleRate(reader_.format().sampleRate);
  plugin_->setBlockSize(BlockSizes(options_).maximum());
  effectName_ = plugin_->text(effGetEffectName);
  std::vector<std::pair<int32, float>> settings;
  for (const ParameterSetting& setting : options_.parameters) {
    const int32 index = resolveParameter(*plugin_, setting.key, error);
    if (index < 0) return false;
    settings.emplace_back(index, setting.value);
  }
  if (options_.program) plugin_->dispatch(effSetProgram, 0, *options_.program);
  for (const auto& [index, value] : settings) effect.setParameter(&effect, index, value);
  return true;
}

bool Renderer::process(std::string& error) {
  AEffect& effect = plugin_->effect();
  BlockSizes sizes(options_);
  const size_t capacity = static_cast<size_t>(sizes.maximum());
  const size_t inputs = static_cast<size_t>(std::max<int32>(effect.numInputs, 2));
  const size_t outputs = static_cast<size_t>(std::max<int32>(effect.numOutputs, 2));
  std::vector<std::vector<float>> inputData(inputs, std::vector<float>(capacity, 0.0f));
  std::vector<std::vector<float>> outputData(outputs, std::vector<float>(capacity, 0.0f));
  std::vector<float*> inputPointers, outputPointers;
  for (auto& channel : inputData) inputPointers.push_back(channel.data());
  for (auto& channel : outputData) outputPointers.push_back(channel.data());

  audio::WavWriter writer;
  audio::WavFormat format{2, reader_.format().sampleRate, options_.encoding};
  if (!writer.open(wavFile_.stream(), format, error)) {
    error = tools::echoedWord(options_.output) + ": " + error;
    return false;
  }

  host::TransportSettings settings;
  settings.startPpq = options_.startPpq;
  settings.playing = !options_.stopped;
  settings.offersTime = options_.timeInfo;
  settings.leadIn = options_.leadIn;
  settings.ppqResolution = options_.ppqResolution;
  host::Transport transport(*tempo_, settings);
  plugin_->setTransport(&transport);
  plugin_->dispatch(effMainsChanged, 0, 1);
  runLeadIn(transport, sizes, inputPointers.data(), outputPointers.data());

  const std::int64_t total = reader_.frames();
  const bool longRender = total > 5 * static_cast<std::int64_t>(reader_.format().sampleRate);
  Progress progress(err_, total, terminal_ && longRender && !options_.quiet);
  host::EventBatch batch;
  size_t nextEvent = 0;
  std::int64_t done = 0;
  while (done < total) {
    const int32 wanted = done == 0 ? sizes.first() : sizes.next();
    const int32 frames = static_cast<int32>(std::min<std::int64_t>(wanted, total - done));
    if (reader_.read(inputPointers[0], inputPointers[1], frames, error) != frames) {
      error = tools::echoedWord(options_.input) + ": " +
              (error.empty() ? "the sample data ended early" : error);
      return false;
    }
    // A host that runs whole blocks plays silence past the song's end; only the
    // song's frames are written.
    const int32 run = options_.wholeBlocks ? wanted : frames;
    for (size_t c = 0; c < inputs; ++c)
      std::fill(inputPointers[c] + frames, inputPointers[c] + run, 0.0f);
    size_t lastEvent = nextEvent;
    while (lastEvent < midiIn_.size() && midiIn_[lastEvent].sample < done + frames) ++lastEvent;
    batch.assign(std::span(midiIn_).subspan(nextEvent, lastEvent - nextEvent), done);
    nextEvent = lastEvent;
    plugin_->processBlock(done, batch.empty() ? nullptr : batch.list(), inputPointers.data(),
                          outputPointers.data(), run);
    // A mono plug-in's single output goes to both sides.
    const float* right = effect.numOutputs >= 2 ? outputPointers[1] : outputPointers[0];
    for (int32 i = 0; i < frames; ++i)
      nonFinite_ += !std::isfinite(outputPointers[0][i]) + !std::isfinite(right[i]);
    const float* channels[2] = {outputPointers[0], right};
    if (!writer.write(channels, frames, error)) {
      error = tools::echoedWord(options_.output) + ": " + error;
      return false;
    }
    transport.advance(frames);
    done += frames;
    progress.update(done);
  }
  progress.finish();
  undelivered_ = static_cast<std::int64_t>(midiIn_.size() - nextEvent);

  plugin_->dispatch(effMainsChanged, 0, 0);
  plugin_->setTransport(nullptr);
  const host::HostCapture& capture = plugin_->capture();
  // What the plug-in sent during the lead-in lies before the song and is left out.
  for (const host::TimedMidiEvent& event : capture.midi())
    if (event.sample >= 0) midiOut_.push_back(event);
  timeReports_ = capture.timeReports();
  timeRequests_ = capture.timeRequests();
  lastReportedTempo_ = capture.lastTimeReport().tempo;
  automation_ = capture.automation().size();
  plugin_->close();
  if (!writer.finish(error)) {
    error = tools::echoedWord(options_.output) + ": " + error;
    return false;
  }
  return true;
}

// The blocks a host runs with its transport stopped before the song: silence in,
// the output dropped. The last block ends where the song starts.
void Renderer::runLeadIn(host::Transport& transport, BlockSizes& sizes, float** inputs,
                         float** outputs) {
  const size_t channels = static_cast<size_t>(std::max<int32>(plugin_->effect().numInputs, 2));
  for (std::int64_t left = options_.leadIn; left > 0;) {
    const int32 frames = static_cast<int32>(std::min<std::int64_t>(sizes.next(), left));
    for (size_t c = 0; c < channels; ++c) std::fill_n(inputs[c], frames, 0.0f);
    plugin_->processBlock(transport.songPosition(), nullptr, inputs, outputs, frames);
    transport.advance(frames);
    left -= frames;
  }
}

bool Renderer::writeEventFiles(std::string& error) {
  if (!options_.eventsOut.empty()) {
    std::string text = "# MIDI output of " + effectName_ + " rendering " + options_.input + " at " +
                       std::to_string(reader_.format().sampleRate) + " Hz\n" +
                       "# SAMPLE note|off|cc CHANNEL NUMBER VALUE\n";
    for (const host::TimedMidiEvent& event : midiOut_) text += host::formatMidiEvent(event) + '\n';
    if (!eventsFile_.writeAll({text.begin(), text.end()}, error)) return false;
  }
  if (!options_.smfOut.empty()) {
    const host::SmfResult smf = host::buildSmf(midiOut_, *tempo_);
    smfSkipped_ = smf.skipped;
    if (!smfFile_.writeAll(smf.bytes, error)) return false;
  }
  return true;
}

void Renderer::report() const {
  if (options_.quiet) return;
  const double rate = reader_.format().sampleRate;
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%.2f", static_cast<double>(reader_.frames()) / rate);
  out_ << "Rendered " << options_.input << " (" << reader_.frames() << " frames, " << seconds
       << " s at " << reader_.format().sampleRate << " Hz) through " << effectName_ << " into "
       << options_.output << " (" << describeEncoding(options_.encoding) << " stereo).\n";
  out_ << "The plug-in sent " << midiOut_.size() << " MIDI event(s)";
  if (!options_.eventsOut.empty()) out_ << "; listed in " << options_.eventsOut;
  if (!options_.smfOut.empty()) out_ << "; MIDI file " << options_.smfOut;
  out_ << ".\n";
  if (timeReports_ > 0) {
    char tempo[32];
    std::snprintf(tempo, sizeof tempo, "%.2f", lastReportedTempo_);
    out_ << "It reported its own time information " << timeReports_ << " time(s), last at " << tempo
         << " BPM.\n";
  }
  if (timeRequests_ > 0)
    out_ << "It asked for the host's time information " << timeRequests_ << " time(s).\n";
  if (automation_ > 0) out_ << "It sent " << automation_ << " automation message(s).\n";
  if (smfSkipped_ > 0)
    out_ << "Warning: " << smfSkipped_
         << " event(s) with invalid MIDI bytes were left out of the MIDI file.\n";
  if (undelivered_ > 0)
    out_ << "Note: " << undelivered_ << " input MIDI event(s) lie past the end of the audio.\n";
  if (nonFinite_ > 0)
    out_ << "Warning: the output holds " << nonFinite_ << " sample(s) that are not finite.\n";
}

bool Renderer::run(std::string& error) {
  if (!prepareInput(error) || !createOutputs(error) || !preparePlugin(error) || !process(error) ||
      !writeEventFiles(error))
    return false;
  std::vector<tools::PendingFile*> files = {&wavFile_};
  if (!options_.eventsOut.empty()) files.push_back(&eventsFile_);
  if (!options_.smfOut.empty()) files.push_back(&smfFile_);
  if (!tools::PendingFile::commitAll(files, error)) return false;
  report();
  return true;
}

// Every file the render writes differs from every file it reads and from the others.
tools::PathCheck checkRenderFiles(const RenderOptions& options, std::string& error) {
  std::vector<tools::NamedFile> inputs = {{"PLUGIN", options.plugin}, {"IN.wav", options.input}};
  if (!options.midiIn.empty()) inputs.push_back({"--midi-in", options.midiIn});
  std::vector<tools::NamedFile> outputs = {{"OUT.wav", options.output}};
  if (!options.eventsOut.empty()) outputs.push_back({"--events-out", options.eventsOut});
  if (!options.smfOut.empty()) outputs.push_back({"--smf-out", options.smfOut});
  return tools::checkFiles(inputs, outputs, error);
}

}  // namespace

int runRender(std::span<const std::string> args, std::ostream& out, std::ostream& err,
              bool progressOnTerminal) {
  RenderOptions options;
  std::string error;
  if (!parseRenderOptions(args, options, error)) {
    err << "quaverhost render: " << error << "\nusage:\n" << kRenderUsage;
    return 1;
  }
  const tools::PathCheck files = checkRenderFiles(options, error);
  if (files != tools::PathCheck::Ok) {
    err << "quaverhost render: " << error << '\n';
    return files == tools::PathCheck::Clash ? 2 : 1;
  }
  Renderer renderer(options, out, err, progressOnTerminal);
  if (!renderer.run(error)) {
    err << "quaverhost render: " << error << '\n';
    return 1;
  }
  return 0;
}

}  // namespace qv::hostcli
