#include "tests/hosts/RenderCheck.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace qv::hosttest {

namespace {

// Input samples quieter than this say too little about the gain.
constexpr float kAudibleInput = 0.05f;
// Less than this between the lowest and the highest gain is no modulation.
constexpr double kMinimumSwing = 0.05;

std::string format(const char* pattern, double a, double b = 0.0, double c = 0.0) {
  char text[200];
  std::snprintf(text, sizeof text, pattern, a, b, c);
  return text;
}

}  // namespace

Modulation measureModulation(const std::vector<float>& input, const std::vector<float>& output,
                             std::uint32_t sampleRate) {
  Modulation result;
  std::vector<std::pair<size_t, double>> gains;
  const size_t frames = std::min(input.size(), output.size());
  for (size_t i = 0; i < frames; ++i)
    if (std::fabs(input[i]) >= kAudibleInput) gains.emplace_back(i, output[i] / input[i]);
  if (gains.empty()) return result;
  result.minGain = result.maxGain = gains.front().second;
  for (const auto& [at, gain] : gains) {
    result.minGain = std::min(result.minGain, gain);
    result.maxGain = std::max(result.maxGain, gain);
  }
  const double swing = result.maxGain - result.minGain;
  if (!(swing >= kMinimumSwing)) return result;
  // Crossings of the middle with a hysteresis of a fifth of the swing: two a cycle.
  const double middle = (result.minGain + result.maxGain) / 2.0;
  const double margin = swing / 5.0;
  int side = 0;
  int crossings = 0;
  size_t first = 0, last = 0;
  for (const auto& [at, gain] : gains) {
    const int now = gain > middle + margin ? 1 : gain < middle - margin ? -1 : 0;
    if (now == 0 || now == side) continue;
    if (side != 0) {
      if (crossings == 0) first = at;
      last = at;
      ++crossings;
    }
    side = now;
  }
  // Cycles counted between the first and the last crossing.
  if (crossings >= 3 && last > first)
    result.cyclesPerSecond =
        (crossings - 1) / 2.0 / (static_cast<double>(last - first) / sampleRate);
  return result;
}

Verdict judgeHostRender(const Stereo& input, const Stereo& host, const Stereo& reference,
                        double expectedRate, double tolerance) {
  Verdict verdict;
  auto fail = [&](const std::string& line) {
    verdict.passed = false;
    verdict.lines.insert(verdict.lines.begin(), "FAIL: " + line);
  };
  const size_t frames = input.left.size();
  if (host.left.size() != frames || host.right.size() != frames) {
    fail(format("the host's render has %.0f frames, the input %.0f", host.left.size(), frames));
    return verdict;
  }
  const std::vector<float>* channels[2][3] = {{&input.left, &host.left, &reference.left},
                                              {&input.right, &host.right, &reference.right}};
  const char* names[2] = {"left", "right"};
  for (int c = 0; c < 2; ++c) {
    const std::vector<float>& in = *channels[c][0];
    const std::vector<float>& out = *channels[c][1];
    const std::vector<float>& ref = *channels[c][2];
    const std::string side = names[c];
    size_t nonFinite = 0;
    double peak = 0.0, dryDifference = 0.0;
    for (size_t i = 0; i < frames; ++i) {
      if (!std::isfinite(out[i])) {
        ++nonFinite;
        continue;
      }
      peak = std::max(peak, static_cast<double>(std::fabs(out[i])));
      dryDifference = std::max(dryDifference, static_cast<double>(std::fabs(out[i] - in[i])));
    }
    if (nonFinite > 0) {
      fail(format("%.0f samples of the host's render are not finite", nonFinite) + " (" + side +
           ")");
      continue;
    }
    if (peak < 1e-4) {
      fail(side + " channel of the host's render is silent");
      continue;
    }
    if (dryDifference < 1e-4) {
      fail(side +
           " channel of the host's render is the dry input: the host did not run the "
           "plug-in, or the plug-in let the audio through");
      continue;
    }
    const Modulation m = measureModulation(in, out, input.sampleRate);
    const double swing = m.maxGain - m.minGain;
    if (!(swing >= kMinimumSwing))
      fail(side + format(" channel is not modulated (gain %.3f to %.3f)", m.minGain, m.maxGain));
    else if (!(std::fabs(m.cyclesPerSecond - expectedRate) <= 0.1 * expectedRate))
      fail(side + format(" channel is modulated at %.3f cycles per second, expected %.3f",
                         m.cyclesPerSecond, expectedRate));
    else
      verdict.lines.push_back(side + format(": gain %.3f to %.3f at %.3f cycles per second",
                                            m.minGain, m.maxGain, m.cyclesPerSecond));
    if (ref.size() != frames) {
      fail(side + format(" channel of the reference render has %.0f frames, expected %.0f",
                         ref.size(), frames));
      continue;
    }
    double worst = 0.0;
    size_t worstAt = 0;
    for (size_t i = 0; i < frames; ++i) {
      double difference = std::fabs(static_cast<double>(out[i]) - ref[i]);
      if (std::isnan(difference)) difference = INFINITY;
      if (difference > worst) {
        worst = difference;
        worstAt = i;
      }
    }
    if (!(worst <= tolerance))
      fail(side + format(" channel differs from the reference render by %.3g at frame %.0f", worst,
                         worstAt));
    else
      verdict.lines.push_back(side + format(": equals the reference within %.3g", worst));
  }
  return verdict;
}

}  // namespace qv::hosttest
