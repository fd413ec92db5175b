// Parameters, their texts and the ten stored programs.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <iterator>

#include "base/HostText.h"
#include "base/Relaxed.h"
#include "base/SafeConvert.h"
#include "effect/TremoloEffect.h"
#include "host/BasicEditor.h"

namespace {
// Program slots hold the parameters in this order.
constexpr std::array<int32, ProgramRecord::kSlotCount> parametersBySlot() {
  std::array<int32, ProgramRecord::kSlotCount> bySlot{};
  bySlot.fill(-1);
  for (int32 index = 0; index < kParameterCount; ++index) {
    const int32 slot = kParameterRows[index].slot;
    if (slot != kNoSlot) bySlot[static_cast<std::size_t>(slot)] = index;
  }
  return bySlot;
}
constexpr std::array<int32, ProgramRecord::kSlotCount> kParameterOfSlot = parametersBySlot();

constexpr bool everySlotHoldsOneParameter() {
  int32 stored = 0;
  for (const ParameterRow& row : kParameterRows) {
    if (row.slot == kNoSlot) continue;
    if (row.slot < 0 || row.slot >= ProgramRecord::kSlotCount) return false;
    ++stored;
  }
  for (int32 index : kParameterOfSlot) {
    if (index < 0) return false;
  }
  return stored == ProgramRecord::kSlotCount;
}
static_assert(everySlotHoldsOneParameter());

// The choices of a parameter's number, each with its text.
constexpr std::size_t choiceCount(int32 index) {
  return static_cast<std::size_t>(kParameterRows[index].number.high + 1);
}
static_assert(std::size(kMultiplierTexts) == choiceCount(kMultiplier));
static_assert(std::size(kMultiplierFactors) == choiceCount(kMultiplier));
static_assert(std::size(kShapeTexts) == choiceCount(kShape));
static_assert(std::size(kStereoModeTexts) == choiceCount(kStereoMode));
static_assert(std::size(kSourceTexts) == choiceCount(kTempoSource));
static_assert(std::size(kTapNumberLabels) == choiceCount(kTempoSource));

// Hosts may send anything; stored values stay within 0 to 1 and NaN reads as 0.
float toUnit(float value) {
  return std::isnan(value) ? 0.0f : std::clamp(value, 0.0f, 1.0f);
}
}  // namespace

void TremoloEffect::setParameter(int32 index, float value) {
  if (index == kTempo) {
    storeTempo(value);
  } else if (index == kTap) {
    tap(value);
  } else if (parameterRow(index).slot != kNoSlot) {
    storeParameter(index, toUnit(value));
  }
  if (editor) editor->setParameter(index, value);
}

ProgramRecord& TremoloEffect::currentProgramRecord() {
  return programs[static_cast<std::size_t>(relaxed(currentProgram))];
}

void TremoloEffect::storeParameter(int32 index, float value) {
  setRelaxed(currentProgramRecord().values[parameterRow(index).slot], value);
  setRelaxed(liveValues[static_cast<std::size_t>(index)], value);
  if (index == kMultiplier)
    setRelaxed(multiplierFactor, kMultiplierFactors[kParameterRows[kMultiplier].number.of(value)]);
}

void TremoloEffect::storeTempo(float value) {
  if (value > 1.0f) {
    const float beatsPerMinute = std::min(value, kHighestTempo);
    setRelaxed(tempo, static_cast<double>(beatsPerMinute));
    storeParameter(kTempo, beatsPerMinute / kHighestTempo);
    return;
  }
  const float normalised = toUnit(value);
  setRelaxed(tempo, tempoOfValue(normalised, rate()));
  storeParameter(kTempo, normalised);
}

float TremoloEffect::getParameter(int32 index) {
  if (index == kLightState) return relaxed(lightState) != 0 ? 1.0f : 0.0f;
  return parameterRow(index).slot != kNoSlot ? live(index) : 0.0f;
}

void TremoloEffect::setProgram(int32 index) {
  if (index < 0 || index >= kProgramCount) return;
  ExtendedEffect::setProgram(index);
  const ProgramRecord& program = programs[static_cast<std::size_t>(index)];
  for (int32 slot = 0; slot < ProgramRecord::kSlotCount; ++slot) {
    setParameter(kParameterOfSlot[static_cast<std::size_t>(slot)], relaxed(program.values[slot]));
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
  copyHostText(text, parameterRow(index).name);
}

void TremoloEffect::getParameterLabel(int32 index, char* text) {
  const char* label = parameterRow(index).label;
  copyHostText(text, label ? label : kTapNumberLabels[tempoSourceNumber()]);
}

void TremoloEffect::getParameterDisplay(int32 index, char* text) {
  const ParameterRow& row = parameterRow(index);
  const float v = getParameter(index);
  char number[kHostTextSize];
  switch (row.display) {
    case ParameterDisplay::kChoice:
      copyHostText(text, row.choices[row.number.of(v)]);
      return;
    case ParameterDisplay::kAboveHalf:
      copyHostText(text, row.choices[v > 0.5f ? 1 : 0]);
      return;
    case ParameterDisplay::kTempo:
      std::snprintf(number, sizeof number, "%d",
                    static_cast<int>(truncateClamped(relaxed(tempo), INT32_MIN, INT32_MAX)));
      copyHostText(text, number);
      return;
    case ParameterDisplay::kPercent:
      formatFloat(v * 100.0f, text);
      return;
    case ParameterDisplay::kNumber:
      std::snprintf(number, sizeof number, "%d", static_cast<int>(row.number.of(v)));
      copyHostText(text, number);
      return;
    case ParameterDisplay::kPaddedNumber:
      formatInteger(row.number.of(v), text);
      return;
    case ParameterDisplay::kDecibels:
      formatDecibels(v, text);
      return;
    case ParameterDisplay::kNothing:
      break;
  }
  copyHostText(text, "");
}
