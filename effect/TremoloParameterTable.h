// The tremolo's parameters in one table: per index the host sees, its name, label,
// how its text is made, its program slot and default, how a stored value (0 to 1)
// becomes the whole number that the effect works with and the editor shows, and the
// editor's typed field. The effect, its editor and the benchmarks take their
// numbers from here.
#pragma once

#include <cstdint>

#include "base/SafeConvert.h"
#include "host/Vst2.h"

// Parameter indexes as the host sees them; 11, 12 and 16 hold nothing.
enum TremoloParameter : int32 {
  kMultiplier = 0,
  kTempo = 1,
  kDepth = 2,
  kShape = 3,
  kPhase = 4,
  kSoftness = 5,
  kStereoMode = 6,
  kLightFollows = 7,
  kTempoSource = 8,
  kMidiChannel = 9,
  kTapNumber = 10,
  kMinimumTaps = 13,
  kMetronomeNote = 14,
  kMetronomeVolume = 15,
  kParameterCount = 17,
  kLightState = 19,  // read only: the indicator light as 0 or 1
  kTap = 21,         // write only: one tap (1.0 from MIDI or the space bar)
};

// A stored value v (0 to 1) as a whole number: v * scale + before in float,
// truncated toward zero and clamped to [low, high], then after added. Adding
// before or after the truncation differs at a few values just below a step (the
// float sum rounds up to the next whole number), so each number keeps its order.
struct WholeNumber {
  float scale;
  float before;
  std::int32_t low;
  std::int32_t high;
  std::int32_t after;

  std::int32_t of(float v) const { return truncateClamped(v * scale + before, low, high) + after; }
};

// The number of a choice among count texts.
constexpr WholeNumber choiceOf(std::int32_t count) {
  return {static_cast<float>(count), 0.0f, 0, count - 1, 0};
}

// How getParameterDisplay writes a parameter's text.
enum class ParameterDisplay : std::uint8_t {
  kNothing,       // ""
  kChoice,        // the text of its number among the row's choices
  kAboveHalf,     // the second choice when the value is above one half, else the first
  kTempo,         // "%d" of the tempo in beats per minute, truncated
  kPercent,       // formatFloat of the value * 100
  kNumber,        // "%d" of its number
  kPaddedNumber,  // formatInteger of its number
  kDecibels,      // formatDecibels of the value
};

// A field of the editor that takes a typed whole number n and sets the value
// (n - first) / span + halfStep. The half step (half of one number's share of the
// range, as a float) makes the field's number of that value n again.
struct TypedField {
  WholeNumber shown;  // the number the field shows of a value
  double first;
  double span;
  float halfStep;

  // No field: nothing to type.
  constexpr bool exists() const { return span > 0.0; }
  double valueOf(double typed) const { return (typed - first) / span + halfStep; }
};

constexpr TypedField typedField(WholeNumber shown, double first, double span) {
  return {shown, first, span, 0.5f / static_cast<float>(span)};
}

constexpr std::int32_t kNoSlot = -1;

struct ParameterRow {
  const char* name;
  const char* label;  // the tap number's label follows the tempo source instead
  ParameterDisplay display;
  WholeNumber number;           // of kChoice, kNumber and kPaddedNumber
  const char* const* choices;   // of kChoice and kAboveHalf
  std::int32_t slot = kNoSlot;  // in a program record; kNoSlot: not a stored parameter
  float initial = 0.0f;         // in every program at construction
  TypedField field = {};        // the editor's typed field, if any
};

// Choice texts, by number.
inline constexpr const char* kMultiplierTexts[] = {"1/2", "2/3", "  1", "1.5", "  2",
                                                   "  3", "  4", "  6", " 8"};
inline constexpr float kMultiplierFactors[] = {0.5f, 2.0f / 3.0f, 1.0f, 1.5f, 2.0f,
                                               3.0f, 4.0f,        6.0f, 8.0f};
inline constexpr const char* kShapeTexts[] = {"  Square  ", "  Triangle  ", "  Saw Ascending  ",
                                              "  Saw Descending  ", "  Sine  "};
inline constexpr const char* kStereoModeTexts[] = {"Panner", "Tremolo"};
inline constexpr const char* kLightFollowsTexts[] = {"Frequency", "Beat"};
inline constexpr const char* kSourceTexts[] = {"Controller Taps", "Note Taps", "VST Host Sync",
                                               "MIDI Vesko Sync"};
// The tap number's label by tempo source number.
inline constexpr const char* kTapNumberLabels[] = {
    "Controller #", "Note #", "VST TimeInfo (ignoring)", "MIDI Sync (ignoring)"};

// Numbers of 1 to 128 as MIDI notes and controllers are counted for the user.
inline constexpr WholeNumber kOneTo128{127.0f, 1.0f, 1, 128, 0};
// The minimum taps to average, 2 to 10, as the effect counts them and the editor's
// field shows them, and as the parameter's text shows them: the text adds the 2
// before truncating.
inline constexpr WholeNumber kMinimumTapCount{8.0f, 0.0f, 0, 8, 2};
inline constexpr WholeNumber kMinimumTapsText{8.0f, 2.0f, 2, 10, 0};
// The ramp length of the softness, 1 to 2048 samples.
inline constexpr WholeNumber kRampLength{2047.0f, 0.0f, 0, 2047, 1};
// The MIDI channel as the user counts it, 1 to 16, and as the effect matches and
// sends it, 0 to 15: the first is the second plus 1 but at a few values just below
// a step, where the float sum already reaches the next whole number.
inline constexpr WholeNumber kMidiChannelShown{15.0f, 1.0f, 1, 16, 0};
inline constexpr WholeNumber kMidiChannelIndex{15.0f, 0.0f, 0, 15, 0};
// The metronome's click velocity.
inline constexpr WholeNumber kClickVelocity{127.0f, 0.0f, 0, 127, 0};

inline constexpr ParameterRow kParameterRows[kParameterCount] = {
    {"Multiplier", "cycles/beat", ParameterDisplay::kChoice, choiceOf(9), kMultiplierTexts, 0,
     0.357f},
    {"Beat Length/Tempo", "BPM", ParameterDisplay::kTempo, {}, nullptr, 1, 0.25f},
    {"Depth", "%", ParameterDisplay::kPercent, {}, nullptr, 2, 0.5f},
    {"Tremolo Type", "dB", ParameterDisplay::kChoice, choiceOf(5), kShapeTexts, 3, 1.0f},
    {"Phase", "dB", ParameterDisplay::kPercent, {}, nullptr, 4, 0.0f},
    {"Softness/LFO Precision", " samples", ParameterDisplay::kNumber, kRampLength, nullptr, 5,
     0.125f},
    {"Stereo Mode", "", ParameterDisplay::kChoice, choiceOf(2), kStereoModeTexts, 6, 0.0f},
    // The light itself follows the beat from one half on (see updateLight).
    {"Light Follows", "", ParameterDisplay::kAboveHalf, {}, kLightFollowsTexts, 7, 0.0f},
    {"Set tempo to", "Incoming MIDI", ParameterDisplay::kChoice, choiceOf(4), kSourceTexts, 8,
     0.0f},
    // Shown from 1; the effect counts from 0 (kMidiChannelIndex). Slots 9 and 10 are
    // swapped.
    {"MIDI Channel", "Channel", ParameterDisplay::kPaddedNumber, kMidiChannelShown, nullptr, 10,
     0.51f, typedField(kMidiChannelShown, 1.0, 15.0)},
    {"Tap Tempo Note/CC #", nullptr, ParameterDisplay::kPaddedNumber, kOneTo128, nullptr, 9, 0.192f,
     typedField(kOneTo128, 1.0, 127.0)},
    {"", "", ParameterDisplay::kNothing, {}, nullptr},
    {"", "", ParameterDisplay::kNothing, {}, nullptr},
    {"Minimum taps to average", "Taps", ParameterDisplay::kNumber, kMinimumTapsText, nullptr, 11,
     0.36f, typedField(kMinimumTapCount, 2.0, 8.0)},
    {"Metronome Note#", "Note #", ParameterDisplay::kPaddedNumber, kOneTo128, nullptr, 12, 0.65625f,
     typedField(kOneTo128, 1.0, 127.0)},
    {"Metronome Volume", "dB", ParameterDisplay::kDecibels, {}, nullptr, 13, 0.65625f},
    {"", "", ParameterDisplay::kNothing, {}, nullptr},
};

// The row of any index; indexes without a parameter get an empty row.
inline const ParameterRow& parameterRow(std::int32_t index) {
  static constexpr ParameterRow kNone{"", "", ParameterDisplay::kNothing, {}, nullptr};
  return index >= 0 && index < kParameterCount ? kParameterRows[index] : kNone;
}

// The tempo parameter: a stored value v is a beat of 0.1 s (v = 0) to 1.2 s (v = 1)
// at the sample rate w; a typed or automated value above 1 is a tempo in beats per
// minute, kept to at most kHighestTempo and stored as its share of it. A higher
// tempo would store a value above 1, which a program change would replay as a
// tempo of a few beats per minute.
inline constexpr float kHighestTempo = 300.0f;
inline double shortestBeat(double w) {
  return w / 10.0;
}
inline double longestBeat(double w) {
  return 1.2 * w;
}
inline double tempoOfValue(float v, double w) {
  return 60.0 * w / (shortestBeat(w) + v * (longestBeat(w) - shortestBeat(w)));
}
// The stored value of a beat of `beat` samples.
inline float valueOfBeat(double beat, double w) {
  return (static_cast<float>(beat) - static_cast<float>(shortestBeat(w))) /
         static_cast<float>(longestBeat(w) - shortestBeat(w));
}
