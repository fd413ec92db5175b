// Parameters, their texts and the ten stored programs.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>

#include "base/HostText.h"
#include "base/Relaxed.h"
#include "base/SafeConvert.h"
#include "effect/TremoloEffect.h"
#include "host/BasicEditor.h"

namespace {
constexpr int32 kNoSlot = -1;

// Program slots hold the parameters in this order; 9 and 10 are swapped.
constexpr int32 kParameterOfSlot[ProgramRecord::kSlotCount] = {
    kMultiplier,  kTempo,       kDepth,         kShape,          kPhase,
    kSoftness,    kStereoMode,  kLightFollows,  kTempoSource,    kTapNumber,
    kMidiChannel, kMinimumTaps, kMetronomeNote, kMetronomeVolume};

constexpr float kMultiplierFactors[] = {0.5f, 2.0f / 3.0f, 1.0f, 1.5f, 2.0f,
                                        3.0f, 4.0f,        6.0f, 8.0f};
constexpr const char* kMultiplierTexts[] = {"1/2", "2/3", "  1", "1.5", "  2",
                                            "  3", "  4", "  6", " 8"};
constexpr const char* kShapeTexts[] = {"  Square  ", "  Triangle  ", "  Saw Ascending  ",
                                       "  Saw Descending  ", "  Sine  "};
constexpr const char* kSourceTexts[] = {"Controller Taps", "Note Taps", "VST Host Sync",
                                        "MIDI Vesko Sync"};
constexpr const char* kTapNumberLabels[] = {"Controller #", "Note #", "VST TimeInfo (ignoring)",
                                            "MIDI Sync (ignoring)"};

// A typed or automated tempo above this would store a value above 1, which a
// program change would replay as a tempo of a few beats per minute.
constexpr float kHighestTypedTempo = 300.0f;

int32 slotOfParameter(int32 index) {
  for (int32 slot = 0; slot < ProgramRecord::kSlotCount; ++slot) {
    if (kParameterOfSlot[slot] == index) return slot;
  }
  return kNoSlot;
}

// Hosts may send anything; stored values stay within 0 to 1 and NaN reads as 0.
float toUnit(float value) {
  return std::isnan(value) ? 0.0f : std::clamp(value, 0.0f, 1.0f);
}

int32 multiplierIndex(float value) {
  return truncateClamped(value * 9.0f, 0, 8);
}
}  // namespace

void TremoloEffect::setParameter(int32 index, float value) {
  if (index == kTempo) {
    storeTempo(value);
  } else if (index == kTap) {
    tap(value);
  } else if (slotOfParameter(index) != kNoSlot) {
    storeParameter(index, toUnit(value));
  }
  if (editor) editor->setParameter(index, value);
}

ProgramRecord& TremoloEffect::currentProgramRecord() {
  return programs[static_cast<std::size_t>(relaxed(currentProgram))];
}

void TremoloEffect::storeParameter(int32 index, float value) {
  setRelaxed(currentProgramRecord().values[slotOfParameter(index)], value);
  setRelaxed(liveValues[static_cast<std::size_t>(index)], value);
  if (index == kMultiplier)
    setRelaxed(multiplierFactor, kMultiplierFactors[multiplierIndex(value)]);
}

void TremoloEffect::storeTempo(float value) {
  if (value > 1.0f) {
    const float beatsPerMinute = std::min(value, kHighestTypedTempo);
    setRelaxed(tempo, static_cast<double>(beatsPerMinute));
    storeParameter(kTempo, beatsPerMinute / 300.0f);
    return;
  }
  // Normalised: 0 is a beat of 0.1 s, 1 a beat of 1.2 s.
  const float normalised = toUnit(value);
  const double w = rate();
  setRelaxed(tempo, 60.0 * w / (w / 10.0 + normalised * (1.2 * w - w / 10.0)));
  storeParameter(kTempo, normalised);
}

float TremoloEffect::getParameter(int32 index) {
  if (index == kLightState) return relaxed(lightState) != 0 ? 1.0f : 0.0f;
  return slotOfParameter(index) != kNoSlot ? live(index) : 0.0f;
}

void TremoloEffect::setProgram(int32 index) {
  if (index < 0 || index >= kProgramCount) return;
  ExtendedEffect::setProgram(index);
  const ProgramRecord& program = programs[static_cast<std::size_t>(index)];
  for (int32 slot = 0; slot < ProgramRecord::kSlotCount; ++slot) {
    setParameter(kParameterOfSlot[slot], relaxed(program.values[slot]));
  }
}

void TremoloEffect::setProgramName(char* name) {
  char* field = currentProgramRecord().name;
  int32 length = 0;
  while (length < ProgramRecord::kNameSize - 1 && name[length] != '\0') {
    field[length] = name[length];
    ++length;
  }
  field[length] = '\0';
}

void TremoloEffect::getProgramName(char* text) {
  copyHostText(text, currentProgramRecord().name);
}

void TremoloEffect::getParameterName(int32 index, char* text) {
  switch (index) {
    case kMultiplier:
      copyHostText(text, "Multiplier");
      return;
    case kTempo:
      copyHostText(text, "Beat Length/Tempo");
      return;
    case kDepth:
      copyHostText(text, "Depth");
      return;
    case kShape:
      copyHostText(text, "Tremolo Type");
      return;
    case kPhase:
      copyHostText(text, "Phase");
      return;
    case kSoftness:
      copyHostText(text, "Softness/LFO Precision");
      return;
    case kStereoMode:
      copyHostText(text, "Stereo Mode");
      return;
    case kLightFollows:
      copyHostText(text, "Light Follows");
      return;
    case kTempoSource:
      copyHostText(text, "Set tempo to");
      return;
    case kMidiChannel:
      copyHostText(text, "MIDI Channel");
      return;
    case kTapNumber:
      copyHostText(text, "Tap Tempo Note/CC #");
      return;
    case kMinimumTaps:
      copyHostText(text, "Minimum taps to average");
      return;
    case kMetronomeNote:
      copyHostText(text, "Metronome Note#");
      return;
    case kMetronomeVolume:
      copyHostText(text, "Metronome Volume");
      return;
    default:
      copyHostText(text, "");
      return;
  }
}

void TremoloEffect::getParameterLabel(int32 index, char* text) {
  switch (index) {
    case kMultiplier:
      copyHostText(text, "cycles/beat");
      return;
    case kTempo:
      copyHostText(text, "BPM");
      return;
    case kDepth:
      copyHostText(text, "%");
      return;
    case kShape:
    case kPhase:
    case kMetronomeVolume:
      copyHostText(text, "dB");
      return;
    case kSoftness:
      copyHostText(text, " samples");
      return;
    case kTempoSource:
      copyHostText(text, "Incoming MIDI");
      return;
    case kMidiChannel:
      copyHostText(text, "Channel");
      return;
    case kTapNumber:
      copyHostText(text, kTapNumberLabels[tempoSourceNumber()]);
      return;
    case kMinimumTaps:
      copyHostText(text, "Taps");
      return;
    case kMetronomeNote:
      copyHostText(text, "Note #");
      return;
    default:
      copyHostText(text, "");
      return;
  }
}

void TremoloEffect::getParameterDisplay(int32 index, char* text) {
  const float v = getParameter(index);
  char number[kHostTextSize];
  switch (index) {
    case kMultiplier:
      copyHostText(text, kMultiplierTexts[multiplierIndex(v)]);
      return;
    case kTempo:
      std::snprintf(number, sizeof number, "%d",
                    static_cast<int>(truncateClamped(relaxed(tempo), INT32_MIN, INT32_MAX)));
      copyHostText(text, number);
      return;
    case kDepth:
    case kPhase:
      formatFloat(v * 100.0f, text);
      return;
    case kShape:
      copyHostText(text, kShapeTexts[truncateClamped(v * 5.0f, 0, 4)]);
      return;
    case kSoftness:
      std::snprintf(number, sizeof number, "%d",
                    static_cast<int>(1 + truncateClamped(v * 2047.0f, 0, 2047)));
      copyHostText(text, number);
      return;
    case kStereoMode:
      copyHostText(text, v < 0.5f ? "Panner" : "Tremolo");
      return;
    case kLightFollows:
      copyHostText(text, v > 0.5f ? "Beat" : "Frequency");
      return;
    case kTempoSource:
      copyHostText(text, kSourceTexts[tempoSourceNumber()]);
      return;
    case kMidiChannel:
      formatInteger(truncateClamped(v * 15.0f + 1.0f, 1, 16), text);
      return;
    case kTapNumber:
    case kMetronomeNote:
      formatInteger(truncateClamped(v * 127.0f + 1.0f, 1, 128), text);
      return;
    case kMinimumTaps:
      std::snprintf(number, sizeof number, "%d",
                    static_cast<int>(truncateClamped(v * 8.0f + 2.0f, 2, 10)));
      copyHostText(text, number);
      return;
    case kMetronomeVolume:
      formatDecibels(v, text);
      return;
    default:
      copyHostText(text, "");
      return;
  }
}
