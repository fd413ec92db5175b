// The audio routine: beat clock, light and the LFO gain.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "base/Relaxed.h"
#include "effect/LfoShape.h"
#include "effect/TremoloEffect.h"
#include "effect/WholePart.h"

namespace {
// A ramp starts or restarts only at the start of a chunk of this many frames,
// counted from the block's first frame; the per-frame work is a ramp step and a
// multiplication per channel.
constexpr int32 kChunkFrames = 64;
static_assert((kChunkFrames & (kChunkFrames - 1)) == 0,
              "stretch ends are rounded up to a chunk start with a mask");
// Blocks from this size on work out the next block's target ahead.
constexpr int32 kFramesToWorkAhead = 256;
constexpr std::uint64_t kCounterRange = std::uint64_t{1} << 32;
static_assert(kParameterRows[kShape].number.high == kSine, "every shape number has a shape");

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

// A stretch of frames from a chunk start: [start, rampEnd) step the level,
// [rampEnd, end) hold it.
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

// The next four levels of a ramp, one step after the other; level is left at
// the last of them.
Float4 climb4(float& level, float step) {
  const float level0 = level + step;
  const float level1 = level0 + step;
  const float level2 = level1 + step;
  level = level2 + step;
  return Float4{level0, level1, level2, level};
}

// Four frames at per-frame gains from four levels. Reads all its inputs before it
// writes, as the host may process in place.
template <bool kTremolo, bool kRightOut>
void apply4(const Span& span, int32 i, float depth, Float4 levels) {
  const Float4 gain = depth * levels;
  const Float4 leftIn = load4(span.left + i);
  const Float4 rightIn = load4(span.right + i);
  store4(span.leftOut + i, (1.0f - gain) * leftIn);
  if (kRightOut)
    store4(span.rightOut + i, (kTremolo ? 1.0f - gain : gain + 1.0f - depth) * rightIn);
}

// One instance per layout, so that no test is left inside the frame loops. Every
// frame computes its samples with the same operations in the same order in every
// instance, four frames side by side where they can be: the level still climbs
// one frame after the other. Answers the level reached.
template <bool kTremolo, bool kRightOut>
float applyGain(const Span& span, float depth, float step, float level) {
  int32 i = span.start;
  if (span.rampEnd - i >= 8) {
    // The level climbs eight frames ahead of the gains. Each step waits for the
    // one before, so the steps set the pace; placed ahead of the gains of the
    // eight frames before, they are never held up behind that arithmetic, which
    // is done while later steps wait. Eight frames ahead keep the processor's
    // time per frame at one step at large blocks; four were about a tenth slower.
    Float4 levels = climb4(level, step);
    Float4 moreLevels = climb4(level, step);
    for (; span.rampEnd - i >= 16; i += 8) {
      const Float4 next = climb4(level, step);
      const Float4 nextMore = climb4(level, step);
      apply4<kTremolo, kRightOut>(span, i, depth, levels);
      apply4<kTremolo, kRightOut>(span, i + 4, depth, moreLevels);
      levels = next;
      moreLevels = nextMore;
    }
    apply4<kTremolo, kRightOut>(span, i, depth, levels);
    apply4<kTremolo, kRightOut>(span, i + 4, depth, moreLevels);
    i += 8;
  }
  if (span.rampEnd - i >= 4) {
    apply4<kTremolo, kRightOut>(span, i, depth, climb4(level, step));
    i += 4;
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
  for (; span.end - i >= 4; i += 4) {
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

// The steps of a block, each called from here alone, are inline: a short block
// feels the cost of every call.
void TremoloEffect::processReplacing(float** inputs, float** outputs, int32 sampleFrames) {
  const double previousBeat = advanceBeatClock(sampleFrames);
  runTempoSource();
  updateLight();
  runMetronome(previousBeat, beatPosition);
  if (sampleFrames > 0 && inputs && outputs && inputs[0] && outputs[0]) {
    modulate(inputs, outputs, sampleFrames);
  }
}

inline double TremoloEffect::advanceBeatClock(int32 sampleFrames) {
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

inline double TremoloEffect::beatAt(std::uint64_t counter) const {
  return (static_cast<double>(counter) / rate()) * blockConstants.beatsPerSecond;
}

inline void TremoloEffect::updateLight() {
  // The light follows the beat from one half on; the parameter's text says "Beat"
  // only above it.
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
    constants.rampLength = kParameterRows[kSoftness].number.of(constants.softness);
    constants.restartDistance = constants.softness / 2.0f + 0.01;
  }
  if (BlockConstants::renew(constants.shapeValue, live(kShape)))
    constants.shape = kParameterRows[kShape].number.of(constants.shapeValue);
  const int32 rampLength = constants.rampLength;
  const double restartDistance = constants.restartDistance;
  const bool tremolo = kParameterRows[kStereoMode].number.of(live(kStereoMode)) == 1;
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
        multiplier,
        beatAt(std::uint64_t{relaxed(sampleCounter)} + static_cast<std::uint64_t>(sampleFrames)),
        phase, nextWhole);
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
  // A ramp is restarted only where a chunk starts. After the block's first chunk
  // the target stands still, which is no jump (restartDistance is at least 0.01),
  // so a chunk start restarts the ramp only where it has run out. A ramp thus runs
  // on through the chunk starts before its end, in one stretch of frames, and
  // holds its level from its end to the next chunk start.
  for (int32 start = 0, end = 0; start < sampleFrames; start = end) {
    // A small move of the target lets a running ramp finish; a jump restarts it.
    if (std::fabs(target - lastTarget) > restartDistance || remaining <= 0) {
      remaining = rampLength;
      step = (target - level) / static_cast<float>(remaining);
    }
    lastTarget = target;
    const int32 ramped = std::min(remaining, sampleFrames - start);
    remaining -= ramped;
    const int32 toChunkStart = (ramped + kChunkFrames - 1) & -kChunkFrames;
    end = start + std::min(sampleFrames - start, toChunkStart);
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
