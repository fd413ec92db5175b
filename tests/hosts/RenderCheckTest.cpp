#include "tests/hosts/RenderCheck.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using qv::hosttest::judgeHostRender;
using qv::hosttest::measureModulation;
using qv::hosttest::Stereo;

constexpr std::uint32_t kRate = 8000;

Stereo tones(double seconds) {
  Stereo s;
  s.sampleRate = kRate;
  for (int i = 0; i < seconds * kRate; ++i) {
    s.left.push_back(static_cast<float>(0.5 * std::sin(i * 0.17)));
    s.right.push_back(static_cast<float>(0.4 * std::sin(i * 0.23)));
  }
  return s;
}

// The input through a square-wave tremolo (gain 1 or 1 - depth) stepping every
// `block` frames, as the plug-in does; the right channel in opposition (panner).
Stereo modulated(const Stereo& in, double cyclesPerSecond, double depth, int block = 64) {
  Stereo out = in;
  for (size_t i = 0; i < in.left.size(); ++i) {
    const double t = static_cast<double>(i - i % block) / kRate;
    const bool low = std::fmod(t * cyclesPerSecond, 1.0) < 0.5;
    out.left[i] = static_cast<float>(in.left[i] * (low ? 1.0 - depth : 1.0));
    out.right[i] = static_cast<float>(in.right[i] * (low ? 1.0 : 1.0 - depth));
  }
  return out;
}

bool mentions(const qv::hosttest::Verdict& verdict, const std::string& text) {
  for (const std::string& line : verdict.lines)
    if (line.find(text) != std::string::npos) return true;
  return false;
}

TEST(RenderCheck, MeasuresTheModulationRateAndSwingFromOutputOverInput) {
  const Stereo in = tones(4.0);
  for (double rate : {0.8, 2.4, 6.0}) {
    const Stereo out = modulated(in, rate, 0.5);
    const auto m = measureModulation(in.left, out.left, kRate);
    EXPECT_NEAR(m.cyclesPerSecond, rate, 0.05 * rate) << rate;
    EXPECT_NEAR(m.minGain, 0.5, 1e-6);
    EXPECT_NEAR(m.maxGain, 1.0, 1e-6);
  }
  const auto flat = measureModulation(in.left, in.left, kRate);
  EXPECT_EQ(flat.cyclesPerSecond, 0.0) << "a constant gain has no rate";
  const auto silentInput =
      measureModulation(std::vector<float>(100, 0.0f), std::vector<float>(100, 0.3f), kRate);
  EXPECT_EQ(silentInput.maxGain - silentInput.minGain, 0.0) << "no audible input, no gain";
}

TEST(RenderCheck, PassesAModulatedRenderEqualToItsReference) {
  const Stereo in = tones(3.0);
  const Stereo out = modulated(in, 2.4, 0.7);
  const auto verdict = judgeHostRender(in, out, out, 2.4);
  EXPECT_TRUE(verdict.passed);
  EXPECT_TRUE(mentions(verdict, "left: gain 0.300 to 1.000"));
  EXPECT_TRUE(mentions(verdict, "right: equals the reference"));
}

TEST(RenderCheck, FailsWhatARealHostHidesBehindADryOrSilentRender) {
  const Stereo in = tones(2.0);
  const auto dry = judgeHostRender(in, in, in, 2.4);
  EXPECT_FALSE(dry.passed);
  EXPECT_TRUE(mentions(dry, "FAIL: left channel of the host's render is the dry input"));

  Stereo silent = in;
  std::fill(silent.left.begin(), silent.left.end(), 0.0f);
  const auto quiet = judgeHostRender(in, silent, silent, 2.4);
  EXPECT_FALSE(quiet.passed);
  EXPECT_TRUE(mentions(quiet, "FAIL: left channel of the host's render is silent"));
  EXPECT_FALSE(mentions(quiet, "right channel of the host's render is silent"));

  Stereo broken = modulated(in, 2.4, 0.5);
  broken.right[77] = std::numeric_limits<float>::quiet_NaN();
  const auto nan = judgeHostRender(in, broken, broken, 2.4);
  EXPECT_FALSE(nan.passed);
  EXPECT_TRUE(mentions(nan, "FAIL: 1 samples of the host's render are not finite (right)"));

  Stereo shorter = modulated(in, 2.4, 0.5);
  shorter.left.pop_back();
  EXPECT_TRUE(mentions(judgeHostRender(in, shorter, shorter, 2.4), "FAIL: the host's render has"));
}

TEST(RenderCheck, FailsTheWrongRateAnUnmodulatedChannelAndADifferentReference) {
  const Stereo in = tones(3.0);
  const Stereo out = modulated(in, 2.4, 0.5);
  const auto wrongRate = judgeHostRender(in, out, out, 3.2);
  EXPECT_FALSE(wrongRate.passed);
  EXPECT_TRUE(mentions(wrongRate, "expected 3.200"));

  Stereo halfDry = out;
  halfDry.right = in.right;
  for (float& s : halfDry.right) s *= 0.9f;  // level changed but never modulated
  const auto flat = judgeHostRender(in, halfDry, halfDry, 2.4);
  EXPECT_FALSE(flat.passed);
  EXPECT_TRUE(mentions(flat, "FAIL: right channel is not modulated"));

  Stereo reference = out;
  reference.left[1234] += 1e-5f;
  const auto differs = judgeHostRender(in, out, reference, 2.4);
  EXPECT_FALSE(differs.passed);
  EXPECT_TRUE(mentions(differs, "left channel differs from the reference render by"));
  EXPECT_TRUE(mentions(differs, "at frame 1234"));
  EXPECT_TRUE(judgeHostRender(in, out, reference, 2.4, 1e-4).passed)
      << "within the tolerance asked for";

  Stereo nanReference = out;
  nanReference.right[5] = std::numeric_limits<float>::quiet_NaN();
  EXPECT_TRUE(mentions(judgeHostRender(in, out, nanReference, 2.4), "by inf at frame 5"));
}

}  // namespace
