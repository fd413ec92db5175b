// The audio routine: beat clock, light and the LFO gain.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "effect/LfoShape.h"
#include "effect/TremoloEffect.h"
#include "effect/WholePart.h"
#include "host/Relaxed.h"
#include "host/SafeConvert.h"

namespace {
// The shape is evaluated once per chunk; the per-frame work is a ramp step and
// a multiplication per channel.
constexpr int32 kChunkFrames = 64;
// Blocks from this size on work out the next block's target ahead.
constexpr int32 kFramesToWorkAhead = 256;
constexpr std::uint64_t kCounterRange = std::uint64_t{1} << 32;

// x - floor(x), looking for floor(x) first at `whole`, which is left holding it.
double fraction(double x, double& whole) {
  whole = wholePartNear(x, whole);
  return x - whole;
}

// Where in its cycle the LFO is at a beat position: multiplier cycles per beat,
// offset by the phase parameter.
float cyclePhase(double multiplier, double beat, double phase, double& whole) {
  return static_cast<float>(fraction(multiplier * beat + phase + 0.5, whole));
}

float targetAt(const BlockConstants& constants, int32 shape, float phase) {
  if (constants.preparedShape == shape && BlockConstants::same(constants.preparedPhase, phase))
    return constants.preparedTarget;
  return lfoTarget(shape, phase);
}

// The frames of one chunk: [start, rampEnd) step the level, [rampEnd, end) hold it.
struct Span {
  const float* left;
  const float* right;
  float* leftOut;
  float* rightOut;
  int32 start;
  int32 rampEnd;
  int32 end;
};

using Float4 = float __attribute__((vector_size(16)));

Float4 load4(const float* samples) {
  Float4 four;
  std::memcpy(&four, samples, sizeof four);
  return four;
}

void store4(float* samples, Float4 four) {
  std::memcpy(samples, &four, sizeof four);
}

// One instance per layout, so that no test is left inside the frame loops. Every
// frame computes its samples with the same operations in the same order in every
// instance, four frames side by side where they can be: the level still climbs
// one frame after the other. Each group reads all its inputs before it writes,
// as the host may process in place. Answers the level reached.
template <bool kTremolo, bool kRightOut>
float applyGain(const Span& span, float depth, float step, float level) {
  int32 i = span.start;
  for (; i + 4 <= span.rampEnd; i += 4) {
    const float level0 = level + step;
    const float level1 = level0 + step;
    const float level2 = level1 + step;
    level = level2 + step;
    const Float4 gain = depth * Float4{level0, level1, level2, level};
    const Float4 leftIn = load4(span.left + i);
    const Float4 rightIn = load4(span.right + i);
    store4(span.leftOut + i, (1.0f - gain) * leftIn);
    if (kRightOut)
      store4(span.rightOut + i, (kTremolo ? 1.0f - gain : gain + 1.0f - depth) * rightIn);
  }
  for (; i < span.rampEnd; ++i) {
    level += step;
    const float gain = depth * level;
    const float leftIn = span.left[i];
    const float rightIn = span.right[i];
    span.leftOut[i] = (1.0f - gain) * leftIn;
    if (kRightOut) span.rightOut[i] = (kTremolo ? 1.0f - gain : gain + 1.0f - depth) * rightIn;
  }
  const float gain = depth * level;
  const float leftGain = 1.0f - gain;
  const float rightGain = kTremolo ? 1.0f - gain : gain + 1.0f - depth;
  for (; i + 4 <= span.end; i += 4) {
    const Float4 leftIn = load4(span.left + i);
    const Float4 rightIn = load4(span.right + i);
    store4(span.leftOut + i, leftGain * leftIn);
    if (kRightOut) store4(span.rightOut + i, rightGain * rightIn);
  }
  for (; i < span.end; ++i) {
    const float leftIn = span.left[i];
    const float rightIn = span.right[i];
    span.leftOut[i] = leftGain * leftIn;
    if (kRightOut) span.rightOut[i] = rightGain * rightIn;
  }
  return level;
}
}  // namespace

void TremoloEffect::processReplacing(float** inputs, float** outputs, int32 sampleFrames) {
  const double previousBeat = advanceBeatClock(sampleFrames);
  runTempoSource();
  updateLight();
  runMetronome(previousBeat, beatPosition);
  if (sampleFrames > 0 && inputs && outputs && inputs[0] && outputs[0]) {
    modulate(inputs, outputs, sampleFrames);
  }
}

double TremoloEffect::advanceBeatClock(int32 sampleFrames) {
  // A negative count cannot move the clock backwards.
  const std::uint64_t frames = sampleFrames > 0 ? static_cast<std::uint64_t>(sampleFrames) : 0;
  std::uint64_t counter = relaxed(sampleCounter);
  // Restart the counter shortly before it would wrap. The margin grows with the
  // block for long blocks; short blocks only restart it at a real wrap.
  const std::uint64_t margin = frames >= 3 ? 2 * frames - 4 : frames;
  if (counter + margin >= kCounterRange) counter = 0;
  counter = (counter + frames) % kCounterRange;
  setRelaxed(sampleCounter, static_cast<std::uint32_t>(counter));
  BlockConstants& constants = blockConstants;
  if (BlockConstants::renew(constants.tempo, relaxed(tempo)))
    constants.beatsPerSecond = constants.tempo / 60.0;
  const double previousBeat = beatPosition;
  beatPosition = beatAt(counter);
  return previousBeat;
}

double TremoloEffect::beatAt(std::uint64_t counter) const {
  return (static_cast<double>(counter) / rate()) * blockConstants.beatsPerSecond;
}

void TremoloEffect::updateLight() {
  const double cyclesPerBeat =
      live(kLightFollows) >= 0.5f ? 1.0 : static_cast<double>(relaxed(multiplierFactor));
  const double x = cyclesPerBeat * beatPosition + static_cast<double>(live(kPhase));
  BlockConstants& constants = blockConstants;
  if (fraction(x, constants.lightWhole) < 0.25) setRelaxed(lightState, 1);
  if (fraction(x + 0.5, constants.lightHalf) < 0.25) setRelaxed(lightState, 0);
}

void TremoloEffect::modulate(float** inputs, float** outputs, int32 sampleFrames) {
  BlockConstants& constants = blockConstants;
  const float depth = live(kDepth);
  if (BlockConstants::renew(constants.softness, live(kSoftness))) {
    constants.rampLength = 1 + truncateClamped(constants.softness * 2047.0f, 0, 2047);
    constants.restartDistance = constants.softness / 2.0f + 0.01;
  }
  if (BlockConstants::renew(constants.shapeValue, live(kShape)))
    constants.shape = truncateClamped(constants.shapeValue * 5.0f, 0, kSine);
  const int32 rampLength = constants.rampLength;
  const double restartDistance = constants.restartDistance;
  const bool tremolo = live(kStereoMode) >= 0.5f;
  const double multiplier = static_cast<double>(relaxed(multiplierFactor));
  const double phase = static_cast<double>(live(kPhase));
  const int32 shape = constants.shape;
  const float target =
      targetAt(constants, shape, cyclePhase(multiplier, beatPosition, phase, constants.cycleWhole));
  // The next block's target is worked out while this block's ramp runs: hosts
  // mostly send blocks of one size, and the next block then finds it ready
  // instead of waiting for the shape to be evaluated before its ramp can go on.
  // Short blocks have too few frames to hide the work behind.
  if (sampleFrames >= kFramesToWorkAhead) {
    double nextWhole = constants.cycleWhole;
    const float nextPhase = cyclePhase(
        multiplier, beatAt(std::uint64_t{relaxed(sampleCounter)} + sampleFrames), phase, nextWhole);
    constants.preparedShape = shape;
    constants.preparedPhase = nextPhase;
    constants.preparedTarget = lfoTarget(shape, nextPhase);
  }

  const float* left = inputs[0];
  const float* right = inputs[1] ? inputs[1] : inputs[0];
  float* leftOut = outputs[0];
  float* rightOut = outputs[1];
  // The ramp lives in locals while the loops run: kept in the object it would be
  // stored and re-read on every frame, since the outputs might alias it.
  float level = currentLevel;
  float step = rampStep;
  int32 remaining = rampRemaining;
  for (int32 start = 0, end = 0; start < sampleFrames; start = end) {
    end = start + std::min(kChunkFrames, sampleFrames - start);
    // A small move of the target lets a running ramp finish; a jump restarts it.
    if (std::fabs(target - lastTarget) > restartDistance || remaining <= 0) {
      remaining = rampLength;
      step = (target - level) / static_cast<float>(remaining);
    }
    lastTarget = target;
    const int32 ramped = std::min(remaining, end - start);
    remaining -= ramped;
    const Span span{left, right, leftOut, rightOut, start, start + ramped, end};
    if (!rightOut) {
      level = applyGain<false, false>(span, depth, step, level);
    } else if (tremolo) {
      level = applyGain<true, true>(span, depth, step, level);
    } else {
      level = applyGain<false, true>(span, depth, step, level);
    }
  }
  currentLevel = level;
  rampStep = step;
  rampRemaining = remaining;
}
