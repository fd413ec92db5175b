// The gain path against a per-sample reference, block splits that must not
// matter, and inputs a host may send that must stay harmless.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "effect/LfoShape.h"
#include "tests/support/host/FakeHost.h"

namespace {

struct Settings {
  float depth = 0.8f;
  float shape = 1.0f;
  float phase = 0.0f;
  float softness = 0.0f;
  float stereo = 0.0f;
  float multiplier = 0.23f;  // one cycle per beat
};

// Straight from the rules: the LFO is sampled at the end of each block, a ramp
// of 1 + trunc(s * 2047) samples moves the level toward it, re-judged every 64
// frames, and the gain is 1 - depth * level (the panner's right side mirrors it).
class Reference {
 public:
  explicit Reference(const Settings& settings) : s(settings) {}

  void block(const float* left, const float* right, float* leftOut, float* rightOut, int frames,
             float target) {
    for (int i = 0; i < frames; ++i) {
      if (i % 64 == 0) {
        if (std::fabs(target - lastTarget) > s.softness / 2.0f + 0.01 || remaining <= 0) {
          remaining = 1 + static_cast<int>(s.softness * 2047.0f);
          step = (target - level) / static_cast<float>(remaining);
        }
        lastTarget = target;
      }
      if (remaining > 0) {
        level += step;
        --remaining;
      }
      const float gain = s.depth * level;
      leftOut[i] = (1.0f - gain) * left[i];
      rightOut[i] = (s.stereo >= 0.5f ? 1.0f - gain : gain + 1.0f - s.depth) * right[i];
    }
  }

  // Target at the end of a block that leaves the counter at m, at 120 BPM and 44100 Hz.
  float targetAt(double counter, float factor) const {
    const double beat = counter / 44100.0 * (120.0 / 60.0);
    const double x = factor * beat + s.phase + 0.5;
    const int shape = static_cast<int>(s.shape * 5.0f);
    return lfoTarget(shape > 4 ? 4 : shape, static_cast<float>(x - std::floor(x)));
  }

 private:
  Settings s;
  float level = 0.0f;
  float step = 0.0f;
  float lastTarget = 0.5f;
  int remaining = 0;
};

void apply(Instance& plugin, const Settings& s) {
  plugin.setParameter(kTempo, 120.0f);
  plugin.setParameter(kDepth, s.depth);
  plugin.setParameter(kShape, s.shape);
  plugin.setParameter(kPhase, s.phase);
  plugin.setParameter(kSoftness, s.softness);
  plugin.setParameter(kStereoMode, s.stereo);
  plugin.setParameter(kMultiplier, s.multiplier);
}

std::vector<float> noise(std::size_t count, unsigned seed) {
  std::mt19937 generator(seed);
  std::uniform_real_distribution<float> sample(-1.0f, 1.0f);
  std::vector<float> signal(count);
  for (float& value : signal) value = sample(generator);
  return signal;
}

// Runs a stereo signal through the effect in the given blocks.
struct Stereo {
  std::vector<float> left;
  std::vector<float> right;
};

Stereo render(Instance& plugin, const std::vector<float>& left, const std::vector<float>& right,
              const std::vector<int>& blocks) {
  Stereo out{std::vector<float>(left.size()), std::vector<float>(left.size())};
  std::size_t at = 0;
  for (int frames : blocks) {
    float* inputs[] = {const_cast<float*>(left.data() + at), const_cast<float*>(right.data() + at)};
    float* outputs[] = {out.left.data() + at, out.right.data() + at};
    plugin.process(inputs, outputs, frames);
    at += static_cast<std::size_t>(frames);
  }
  return out;
}

TEST(SignalPath, EveryShapeInBothModesMatchesTheReference) {
  const std::vector<int> blocks = {512, 37, 64, 200, 1, 2, 3, 1024, 129, 700, 4096, 300, 5000};
  std::size_t total = 0;
  for (int frames : blocks) total += static_cast<std::size_t>(frames);
  const auto left = noise(total, 1);
  const auto right = noise(total, 2);

  for (float shape : {0.0f, 0.2f, 0.4f, 0.6f, 0.8f}) {
    for (float stereo : {0.0f, 1.0f}) {
      for (float softness : {0.0f, 0.1f, 0.7f}) {
        Settings s{0.8f, shape, 0.3f, softness, stereo, 0.67f};
        Instance plugin;
        apply(plugin, s);
        const Stereo actual = render(plugin, left, right, blocks);

        Reference reference(s);
        Stereo expected{std::vector<float>(total), std::vector<float>(total)};
        double counter = 1.0;
        std::size_t at = 0;
        for (int frames : blocks) {
          counter += frames;
          reference.block(left.data() + at, right.data() + at, expected.left.data() + at,
                          expected.right.data() + at, frames, reference.targetAt(counter, 4.0f));
          at += static_cast<std::size_t>(frames);
        }
        for (std::size_t i = 0; i < total; ++i) {
          ASSERT_NEAR(actual.left[i], expected.left[i], 1e-6f)
              << "shape " << shape << " stereo " << stereo << " softness " << softness << " @" << i;
          ASSERT_NEAR(actual.right[i], expected.right[i], 1e-6f) << i;
        }
      }
    }
  }
}

TEST(SignalPath, DepthZeroLeavesTheSignalUntouched) {
  const auto left = noise(3000, 3);
  const auto right = noise(3000, 4);
  for (float stereo : {0.0f, 1.0f}) {
    Instance plugin;
    apply(plugin, Settings{0.0f, 0.0f, 0.0f, 0.0f, stereo, 1.0f});
    const Stereo out = render(plugin, left, right, {1000, 1000, 1000});
    EXPECT_EQ(out.left, left);
    EXPECT_EQ(out.right, right);
  }
}

TEST(SignalPath, PannerMovesTheLevelBetweenSides) {
  for (float depth : {1.0f, 0.4f}) {
    Instance plugin;
    apply(plugin, Settings{depth, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f});
    const std::vector<float> ones(64 * 200, 1.0f);
    const Stereo out = render(plugin, ones, ones, std::vector<int>(200, 64));
    bool leftSilent = false;
    for (std::size_t i = 0; i < ones.size(); ++i) {
      ASSERT_NEAR(out.left[i] + out.right[i], 2.0f - depth, 1e-5f);
      if (depth == 1.0f && out.left[i] == 0.0f) {
        leftSilent = true;
        EXPECT_NEAR(out.right[i], 1.0f, 1e-6f);
      }
    }
    if (depth == 1.0f) {
      EXPECT_TRUE(leftSilent);
    }
  }
}

// A null right input is read from the left one, also when the left buffer is
// processed in place; a null right output leaves only the left written.
TEST(SignalPath, MonoAndInPlaceBuffers) {
  const auto signal = noise(1024, 5);
  Instance reference;
  apply(reference, Settings{});
  const Stereo expected = render(reference, signal, signal, {1024});

  Instance inPlace;
  apply(inPlace, Settings{});
  auto buffer = signal;
  std::vector<float> right(1024);
  float* inputs[] = {buffer.data(), nullptr};
  float* outputs[] = {buffer.data(), right.data()};
  inPlace.process(inputs, outputs, 1024);
  EXPECT_EQ(buffer, expected.left);
  EXPECT_EQ(right, expected.right);

  Instance leftOnly;
  apply(leftOnly, Settings{});
  std::vector<float> left(1024);
  float* stereoInputs[] = {const_cast<float*>(signal.data()), const_cast<float*>(signal.data())};
  float* leftOutput[] = {left.data(), nullptr};
  leftOnly.process(stereoInputs, leftOutput, 1024);
  EXPECT_EQ(left, expected.left);
}

// With a steady target the ramp only depends on 64-frame chunks, so any split
// at multiples of 64 gives the same signal; with a one-sample ramp any split does.
TEST(SignalPath, SplitsThatKeepTheTargetGiveTheSameSignal) {
  const auto left = noise(4096, 9);
  const auto right = noise(4096, 10);
  // Half a cycle lasts 1.2 s at 50 BPM and half a cycle per beat: the square
  // stays high for the whole signal.
  Settings s{0.9f, 0.0f, 0.5f, 0.4f, 1.0f, 0.0f};
  auto renderWith = [&](const Settings& settings, const std::vector<int>& blocks) {
    Instance plugin;
    apply(plugin, settings);
    plugin.setParameter(kTempo, 1.0f);
    return render(plugin, left, right, blocks);
  };
  const Stereo whole = renderWith(s, {4096});
  const Stereo aligned = renderWith(s, {64, 192, 1024, 128, 640, 2048});
  EXPECT_EQ(whole.left, aligned.left);
  EXPECT_EQ(whole.right, aligned.right);

  s.softness = 0.0f;
  const Stereo wholeStep = renderWith(s, {4096});
  const Stereo uneven = renderWith(s, {1, 2, 3, 5, 77, 300, 1000, 13, 2695});
  EXPECT_EQ(wholeStep.left, uneven.left);
  EXPECT_EQ(wholeStep.right, uneven.right);
}

TEST(SignalPath, LevelStaysInRangeFromTheFirstBlock) {
  const std::vector<float> ones(4096, 1.0f);
  for (float shape : {0.0f, 0.2f, 0.4f, 0.6f, 0.8f}) {
    for (float softness : {0.0f, 0.5f, 1.0f}) {
      for (float phase : {0.0f, 0.25f, 0.5f, 0.75f}) {
        Instance plugin;
        apply(plugin, Settings{1.0f, shape, phase, softness, 1.0f, 0.23f});
        const Stereo out = render(plugin, ones, ones, {256, 256, 512, 1024, 2048});
        for (float gain : out.left) {
          ASSERT_GE(gain, -1e-6f) << shape << " " << softness << " " << phase;
          ASSERT_LE(gain, 1.0f + 1e-6f);
        }
      }
    }
  }
}

TEST(SignalPath, AnyParameterValueKeepsTheAudioFinite) {
  const float odd[] = {std::numeric_limits<float>::quiet_NaN(),
                       std::numeric_limits<float>::infinity(),
                       -std::numeric_limits<float>::infinity(),
                       1e30f,
                       -1e30f,
                       5.0f,
                       -5.0f};
  const auto signal = noise(1024, 11);
  for (int32 index = 0; index < 22; ++index) {
    for (float value : odd) {
      Instance plugin;
      plugin.setParameter(index, value);
      const Stereo out = render(plugin, signal, signal, {100, 924});
      for (std::size_t i = 0; i < signal.size(); ++i) {
        ASSERT_TRUE(std::isfinite(out.left[i]) && std::isfinite(out.right[i]))
            << index << " " << value;
      }
    }
  }
}

TEST(SignalPath, MissingBuffersAndOddFrameCountsTouchNothing) {
  Instance plugin;
  float sample = 0.25f;
  float* none[] = {nullptr, nullptr};
  float* one[] = {&sample, &sample};
  plugin.process(nullptr, nullptr, 64);
  plugin.process(none, one, 64);
  plugin.process(one, none, 64);
  plugin.process(one, one, 0);
  plugin.process(one, one, -1);
  plugin.process(one, one, std::numeric_limits<int32>::min());
  plugin.process(nullptr, nullptr, std::numeric_limits<int32>::max());
  EXPECT_EQ(sample, 0.25f);
  plugin.process(one, one, 1);
  EXPECT_TRUE(std::isfinite(sample));
}

TEST(Light, FollowsTheBeatOrTheCycle) {
  // One block ends just past the first beat at 120 BPM: on the beat, but in the
  // third quarter of a half-speed LFO cycle.
  for (float follows : {0.5f, 0.0f}) {
    Instance plugin;
    plugin.setParameter(kTempo, 120.0f);
    plugin.setParameter(kMultiplier, 0.0f);
    plugin.setParameter(kLightFollows, follows);
    plugin.setParameter(kTap, 0.5f);  // lights it
    plugin.run(22050);
    EXPECT_EQ(plugin.getParameter(kLightState), follows == 0.5f ? 1.0f : 0.0f) << follows;
  }
  Instance plugin;
  plugin.setParameter(kTempo, 120.0f);
  plugin.setParameter(kLightFollows, 1.0f);
  plugin.run(22050);
  EXPECT_EQ(plugin.getParameter(kLightState), 1.0f);
  plugin.run(6000);  // second quarter: kept
  EXPECT_EQ(plugin.getParameter(kLightState), 1.0f);
  plugin.run(6100);  // third quarter: off
  EXPECT_EQ(plugin.getParameter(kLightState), 0.0f);
}

TEST(LfoShape, KeyPoints) {
  EXPECT_EQ(lfoTarget(kSquare, 0.49f), 1.0f);
  EXPECT_EQ(lfoTarget(kSquare, 0.5f), 0.0f);
  EXPECT_FLOAT_EQ(lfoTarget(kTriangle, 0.0f), 0.5f);
  EXPECT_FLOAT_EQ(lfoTarget(kTriangle, 0.25f), 1.0f);
  EXPECT_FLOAT_EQ(lfoTarget(kTriangle, 0.5f), 0.5f);
  EXPECT_FLOAT_EQ(lfoTarget(kTriangle, 0.75f), 0.0f);
  EXPECT_FLOAT_EQ(lfoTarget(kSawAscending, 0.0f), 0.875f);
  EXPECT_FLOAT_EQ(lfoTarget(kSawAscending, 0.5f), 0.375f);
  EXPECT_FLOAT_EQ(lfoTarget(kSawDescending, 0.0f), 0.5f);
  EXPECT_FLOAT_EQ(lfoTarget(kSawDescending, 0.25f), 0.75f);
  EXPECT_FLOAT_EQ(lfoTarget(kSine, 0.0f), 0.5f);
  EXPECT_FLOAT_EQ(lfoTarget(kSine, 0.25f), 1.0f);
  EXPECT_NEAR(lfoTarget(kSine, 0.75f), 0.0f, 1e-7f);
  EXPECT_FLOAT_EQ(lfoTarget(7, 0.25f), 1.0f) << "higher numbers are sine";
}

}  // namespace
