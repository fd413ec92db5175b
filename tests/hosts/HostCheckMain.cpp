// qv_host_check: the real-host tests' helper for audio files.
//   signal OUT.wav SECONDS RATE   a stereo test signal (32-bit float)
//   split IN.wav LEFT.wav RIGHT.wav   one mono 32-bit float file per channel
//   check IN.wav HOST.wav REF.wav CYCLES_PER_SECOND [tail]   judge a host's render;
//     with "tail", frames the host rendered past the input's end are left out
#include <charconv>
#include <cmath>
#include <iostream>
#include <string>

#include "tests/hosts/RenderCheck.h"
#include "tools/audio/WavReader.h"
#include "tools/audio/WavWriter.h"

namespace {

using qv::hosttest::Stereo;

bool readStereo(const std::string& path, Stereo& audio, std::string& error) {
  qv::audio::WavReader reader;
  if (!reader.open(path, error)) return false;
  const auto frames = static_cast<size_t>(reader.frames());
  audio.sampleRate = reader.format().sampleRate;
  audio.left.assign(frames, 0.0f);
  audio.right.assign(frames, 0.0f);
  if (frames > 0 &&
      reader.read(audio.left.data(), audio.right.data(), static_cast<std::int32_t>(frames),
                  error) != static_cast<std::int32_t>(frames)) {
    if (error.empty()) error = path + ": the sample data ended early";
    return false;
  }
  return true;
}

bool writeFloat(const std::string& path, int channels, std::uint32_t rate, const float* const* data,
                size_t frames, std::string& error) {
  qv::audio::WavWriter writer;
  return writer.open(path, {channels, rate, qv::audio::SampleEncoding::Float32}, error) &&
         writer.write(data, static_cast<std::int32_t>(frames), error) && writer.finish(error);
}

bool number(const std::string& text, double& value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

// Two steady tones with a slow swell, loud enough everywhere to read the gain.
int makeSignal(const std::string& path, double seconds, double rate) {
  const auto frames = static_cast<size_t>(seconds * rate);
  Stereo audio;
  for (size_t i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / rate;
    const double swell = 0.8 + 0.1 * std::sin(2.0 * M_PI * 0.25 * t);
    audio.left.push_back(static_cast<float>(0.5 * swell * std::sin(2.0 * M_PI * 220.0 * t)));
    audio.right.push_back(static_cast<float>(0.4 * swell * std::sin(2.0 * M_PI * 331.0 * t)));
  }
  const float* channels[2] = {audio.left.data(), audio.right.data()};
  std::string error;
  if (!writeFloat(path, 2, static_cast<std::uint32_t>(rate), channels, frames, error)) {
    std::cerr << "qv_host_check: " << error << '\n';
    return 1;
  }
  return 0;
}

int split(const std::string& in, const std::string& left, const std::string& right) {
  Stereo audio;
  std::string error;
  const float* l[1] = {nullptr};
  const float* r[1] = {nullptr};
  if (readStereo(in, audio, error)) {
    l[0] = audio.left.data();
    r[0] = audio.right.data();
  }
  if (!error.empty() || !writeFloat(left, 1, audio.sampleRate, l, audio.left.size(), error) ||
      !writeFloat(right, 1, audio.sampleRate, r, audio.right.size(), error)) {
    std::cerr << "qv_host_check: " << error << '\n';
    return 1;
  }
  return 0;
}

int check(const std::string& in, const std::string& host, const std::string& ref, double rate,
          bool tail) {
  Stereo input, hosted, reference;
  std::string error;
  if (!readStereo(in, input, error) || !readStereo(host, hosted, error) ||
      !readStereo(ref, reference, error)) {
    std::cout << "FAIL: " << error << '\n';
    return 1;
  }
  if (tail && hosted.left.size() > input.left.size()) {
    hosted.left.resize(input.left.size());
    hosted.right.resize(input.right.size());
  }
  const qv::hosttest::Verdict verdict =
      qv::hosttest::judgeHostRender(input, hosted, reference, rate);
  for (const std::string& line : verdict.lines) std::cout << line << '\n';
  return verdict.passed ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  double a = 0.0, b = 0.0;
  if (command == "signal" && argc == 5 && number(argv[3], a) && number(argv[4], b) && a > 0.0 &&
      a <= 600.0 && b >= 8000.0 && b <= 192000.0)
    return makeSignal(argv[2], a, b);
  if (command == "split" && argc == 5) return split(argv[2], argv[3], argv[4]);
  const bool tail = argc == 7 && std::string(argv[6]) == "tail";
  if (command == "check" && (argc == 6 || tail) && number(argv[5], a) && a > 0.0)
    return check(argv[2], argv[3], argv[4], a, tail);
  std::cerr << "usage: qv_host_check signal OUT.wav SECONDS RATE\n"
               "       qv_host_check split IN.wav LEFT.wav RIGHT.wav\n"
               "       qv_host_check check IN.wav HOST.wav REF.wav CYCLES_PER_SECOND [tail]\n";
  return 2;
}
