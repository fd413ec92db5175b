#include "tools/make-demo-loop/DemoLoop.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace qv::demo {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kBeatsPerMinute = 120.0;
constexpr int kBars = 4;
constexpr int kBeatsPerBar = 4;

double noteFrequency(int midiNote) {
  return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0);
}

// A band-limited-enough sawtooth for low notes: the first harmonics only.
double softSaw(double phase) {
  double sum = 0.0;
  for (int h = 1; h <= 6; ++h) sum += std::sin(2.0 * kPi * h * phase) / h;
  return sum * 0.55;
}

// Deterministic white noise (xorshift), identical on every platform.
class Noise {
 public:
  double next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<double>(state_) / 2147483648.0 - 1.0;
  }

 private:
  std::uint32_t state_ = 0x12345678u;
};

struct Chord {
  int root;      // bass note
  int notes[3];  // pad voicing
};

constexpr Chord kChords[kBars] = {
    {45, {57, 60, 64}},  // A minor
    {41, {57, 60, 65}},  // F major
    {48, {55, 60, 64}},  // C major
    {43, {55, 59, 62}},  // G major
};

void addPad(StereoBuffer& out, int rate, double beatSeconds) {
  const double barSeconds = beatSeconds * kBeatsPerBar;
  for (size_t i = 0; i < out.left.size(); ++i) {
    const double t = static_cast<double>(i) / rate;
    const int bar = std::min(static_cast<int>(t / barSeconds), kBars - 1);
    const double inBar = t - bar * barSeconds;
    // Soft attack, a slight swell and a short release before the next chord.
    const double envelope =
        std::min(1.0, inBar / 0.08) * std::min(1.0, (barSeconds - inBar) / 0.05);
    double left = 0.0, right = 0.0;
    for (int note : kChords[bar].notes) {
      const double f = noteFrequency(note);
      left += softSaw(std::fmod(f * 0.998 * t, 1.0));
      right += softSaw(std::fmod(f * 1.002 * t, 1.0));
    }
    out.left[i] += static_cast<float>(0.09 * envelope * left);
    out.right[i] += static_cast<float>(0.09 * envelope * right);
  }
}

void addBass(StereoBuffer& out, int rate, double beatSeconds) {
  const double eighth = beatSeconds / 2.0;
  for (size_t i = 0; i < out.left.size(); ++i) {
    const double t = static_cast<double>(i) / rate;
    const int bar = std::min(static_cast<int>(t / (beatSeconds * kBeatsPerBar)), kBars - 1);
    const double inNote = std::fmod(t, eighth);
    const int step = static_cast<int>(t / eighth) % 8;
    // Root on most eighths, the octave on the last one of the bar.
    const double f = noteFrequency(kChords[bar].root + (step == 7 ? 12 : 0));
    const double envelope = std::exp(-inNote * 6.0) * std::min(1.0, inNote / 0.004);
    const double phase = f * t;
    const double v = std::sin(2.0 * kPi * phase) + 0.3 * std::sin(4.0 * kPi * phase);
    out.left[i] += static_cast<float>(0.28 * envelope * v);
    out.right[i] += static_cast<float>(0.28 * envelope * v);
  }
}

void addDrums(StereoBuffer& out, int rate, double beatSeconds) {
  Noise noise;
  double previous = 0.0;
  const double eighth = beatSeconds / 2.0;
  for (size_t i = 0; i < out.left.size(); ++i) {
    const double t = static_cast<double>(i) / rate;
    const double inBeat = std::fmod(t, beatSeconds);
    const int beat = static_cast<int>(t / beatSeconds) % kBeatsPerBar;
    // Kick on beats 1 and 3: a sine falling from 110 Hz to 45 Hz.
    double kick = 0.0;
    if (beat % 2 == 0 && inBeat < 0.35) {
      const double sweep = 45.0 * inBeat + (65.0 / 30.0) * (1.0 - std::exp(-30.0 * inBeat));
      kick = std::sin(2.0 * kPi * sweep) * std::exp(-inBeat * 9.0);
    }
    // Hi-hat on every eighth: noise through a first-order high-pass, louder off the beat.
    const double white = noise.next();
    const double bright = white - previous;
    previous = white;
    const double inEighth = std::fmod(t, eighth);
    const bool offBeat = static_cast<int>(t / eighth) % 2 == 1;
    const double hat =
        bright * std::exp(-inEighth * (offBeat ? 28.0 : 45.0)) * (offBeat ? 0.5 : 0.3);
    out.left[i] += static_cast<float>(0.55 * kick + 0.16 * hat);
    out.right[i] += static_cast<float>(0.55 * kick + 0.12 * hat);
  }
}

}  // namespace

StereoBuffer synthesizeDemoLoop(int sampleRate) {
  const double beatSeconds = 60.0 / kBeatsPerMinute;
  const auto frames =
      static_cast<size_t>(std::llround(beatSeconds * kBeatsPerBar * kBars * sampleRate));
  StereoBuffer out{std::vector<float>(frames, 0.0f), std::vector<float>(frames, 0.0f)};
  addPad(out, sampleRate, beatSeconds);
  addBass(out, sampleRate, beatSeconds);
  addDrums(out, sampleRate, beatSeconds);
  float peak = 0.0f;
  for (size_t i = 0; i < frames; ++i)
    peak = std::max({peak, std::fabs(out.left[i]), std::fabs(out.right[i])});
  const float gain = peak > 0.0f ? 0.794f / peak : 1.0f;
  for (size_t i = 0; i < frames; ++i) {
    out.left[i] *= gain;
    out.right[i] *= gain;
  }
  return out;
}

}  // namespace qv::demo
