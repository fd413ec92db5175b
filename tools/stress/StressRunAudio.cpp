// Audio blocks of a stress run: null channels, in-place buffers, any frame
// count, and the checks of what comes out.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "tools/stress/StressRun.h"

namespace qv::stress {

namespace {

// Samples after each channel that the plug-in must leave alone.
constexpr size_t kGuardFrames = 16;
constexpr std::uint32_t kGuardBits = 0x7FA5A5A5u;  // a NaN no arithmetic produces
// A smoothing ramp adds its step up to 2048 times, so its level may end a little
// past its target (about 1e-4 at most); a real fault overshoots far more.
constexpr double kLevelTolerance = 1e-3;

std::uint32_t bitsOf(float sample) {
  std::uint32_t bits;
  std::memcpy(&bits, &sample, sizeof bits);
  return bits;
}

float guardSample() {
  float sample;
  std::memcpy(&sample, &kGuardBits, sizeof sample);
  return sample;
}

std::string outputFault(int channel, size_t frame, float sample, bool bounded, double peak) {
  char text[128];
  std::snprintf(text, sizeof text, "output %d sample %zu is %.9g", channel, frame,
                static_cast<double>(sample));
  std::string fault = text;
  if (bounded) {
    std::snprintf(text, sizeof text, " (input peak %.9g)", peak);
    fault += text;
  }
  return fault;
}

}  // namespace

void StressRun::fillBlock(const Request& request, size_t frames) {
  for (std::vector<float>& channel : channels_)
    channel.assign(frames + kGuardFrames, guardSample());
  for (int channel = 0; channel < 4; ++channel) {
    // A null input's storage may still be an in-place output: it starts silent.
    // Accumulating processing adds to what the outputs hold.
    float amplitude = request.kind == RequestKind::Accumulate ? 1.0f : 0.0f;
    if (channel < 2) amplitude = request.input[channel] ? request.amplitude : 0.0f;
    for (size_t i = 0; i < frames; ++i)
      channels_[channel][i] = (random_.unit() * 2.0f - 1.0f) * amplitude;
  }
  for (int channel = 0; channel < 2; ++channel)
    inputCopies_[channel].assign(channels_[channel].begin(),
                                 channels_[channel].begin() + static_cast<std::ptrdiff_t>(frames));
}

void StressRun::process(const Request& request) {
  const size_t frames = request.frames > 0 ? static_cast<size_t>(request.frames) : 0;
  fillBlock(request, frames);
  float* inputs[2];
  float* outputs[2];
  for (int channel = 0; channel < 2; ++channel) {
    inputs[channel] = request.input[channel] ? channels_[channel].data() : nullptr;
    float* storage = channels_[request.inPlace ? channel : channel + 2].data();
    outputs[channel] = request.output[channel] ? storage : nullptr;
  }
  host_.offerTime(request.offersTime ? &request.time : nullptr);
  if (request.kind == RequestKind::Process)
    record_.processReplacing(&record_, inputs, outputs, request.frames);
  else
    record_.process(&record_, inputs, outputs, request.frames);
  host_.offerTime(nullptr);
  ++report_.blocks;
  report_.frames += static_cast<std::int64_t>(frames);
  checkBlock(request, outputs, frames);
}

void StressRun::checkBlock(const Request& request, float** outputs, size_t frames) {
  for (int channel = 0; channel < 4; ++channel)
    for (size_t i = frames; i < frames + kGuardFrames; ++i)
      if (bitsOf(channels_[channel][i]) != kGuardBits)
        return fail(std::string(channel < 2 ? "input " : "output ") + std::to_string(channel % 2) +
                    " written past its " + std::to_string(frames) + " frames");
  for (int channel = 0; channel < 2; ++channel) {
    const bool shared = request.inPlace && request.output[channel];
    if (!shared && !std::equal(inputCopies_[channel].begin(), inputCopies_[channel].end(),
                               channels_[channel].begin()))
      return fail("input " + std::to_string(channel) + " was changed");
  }

  double peak = 0.0;
  for (int channel = 0; channel < 2; ++channel)
    if (request.input[channel])
      for (float sample : inputCopies_[channel]) peak = std::max(peak, std::fabs(double{sample}));
  const bool bounded = request.kind == RequestKind::Process && levelIsBounded();
  const double limit = peak * (1.0 + kLevelTolerance) + std::numeric_limits<float>::min();
  if (bounded) ++report_.levelCheckedBlocks;

  for (int channel = 0; channel < 2; ++channel) {
    if (!outputs[channel]) continue;
    for (size_t i = 0; i < frames; ++i) {
      const float sample = outputs[channel][i];
      mix(bitsOf(sample));
      if (!std::isfinite(sample) || (bounded && std::fabs(double{sample}) > limit))
        return fail(outputFault(channel, i, sample, bounded, peak));
    }
  }
}

}  // namespace qv::stress
