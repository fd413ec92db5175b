#include "effect/TremoloEffect.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "base/HostText.h"
#include "base/Relaxed.h"

namespace {
constexpr const char* kProductName = "Quaverling";
constexpr const char* kVendor = "quaverling.audio";
constexpr int32 kUniqueId = fourCharCode('Q', 'v', 'r', 'l');

// The host abilities this effect takes part in; anything else is answered "no".
constexpr const char* kCanDoYes[] = {"sendVstMidiEvent",   "sendVstEvents",
                                     "receiveVstEvents",   "receiveVstMidiEvent",
                                     "receiveVstTimeInfo", "sendVstTimeInfo"};
}  // namespace

TremoloEffect::TremoloEffect(audioMasterCallback callback, EditorFactory makeEditor)
    : ExtendedEffect(callback, kProgramCount, kParameterCount),
      multiplierFactor(1.0f),
      tempo(120.0),
      workingSampleRate(0.0),
      beatPosition(1.5),
      sampleCounter(1),
      lastClickTime(0),
      tapCount(0),
      lightState(0),
      currentLevel(0.0f),
      rampStep(0.0f),
      lastTarget(0.5f),
      // No ramp is running, so the first block starts one from the resting level.
      rampRemaining(0),
      outgoingTimeInfo{} {
  setNumInputs(2);
  setNumOutputs(2);
  setUniqueId(kUniqueId);
  setCanMono(true);
  setCanReplacing(true);
  setRelaxed(workingSampleRate, static_cast<double>(getSampleRate()));

  outgoingTimeInfo.sampleRate = 44100.0;
  outgoingTimeInfo.timeSigNumerator = 4;
  outgoingTimeInfo.timeSigDenominator = 4;

  for (ProgramRecord& program : programs) {
    for (const ParameterRow& row : kParameterRows) {
      if (row.slot != kNoSlot) setRelaxed(program.values[row.slot], row.initial);
    }
    copyHostText(program.name, "Simple Sine Wave");
  }
  setProgram(0);
  // The editor registers itself with the effect, which owns it from now on.
  if (makeEditor) makeEditor(this);
  requestWindowSize(293, 249);
}

void TremoloEffect::process(float**, float**, int32) {}

void TremoloEffect::setSampleRate(float rate) {
  ExtendedEffect::setSampleRate(rate);
  setRelaxed(workingSampleRate, static_cast<double>(getSampleRate()));
}

bool TremoloEffect::canParameterBeAutomated(int32) {
  return true;
}
int32 TremoloEffect::getPlugCategory() {
  return kPlugCategEffect;
}

bool TremoloEffect::getEffectName(char* text) {
  copyHostText(text, kProductName);
  return true;
}

bool TremoloEffect::getVendorString(char* text) {
  copyHostText(text, kVendor);
  return true;
}

bool TremoloEffect::getProductString(char* text) {
  copyHostText(text, kProductName);
  return true;
}

int32 TremoloEffect::getVendorVersion() {
  return 1000;
}

int32 TremoloEffect::canDo(const char* text) {
  const bool yes = std::any_of(std::begin(kCanDoYes), std::end(kCanDoYes),
                               [text](const char* known) { return std::strcmp(known, text) == 0; });
  return yes ? 1 : -1;
}

int32 TremoloEffect::tempoSourceNumber() const {
  return kParameterRows[kTempoSource].number.of(live(kTempoSource));
}

int32 TremoloEffect::midiChannel() const {
  return kMidiChannelIndex.of(live(kMidiChannel));
}

int32 TremoloEffect::tapNumber() const {
  return kParameterRows[kTapNumber].number.of(live(kTapNumber));
}

int32 TremoloEffect::tapWindow() const {
  return kMinimumTapCount.of(live(kMinimumTaps)) - 1;
}

unsigned char TremoloEffect::metronomeNote() const {
  return static_cast<unsigned char>(kParameterRows[kMetronomeNote].number.of(live(kMetronomeNote)));
}

unsigned char TremoloEffect::metronomeVelocity() const {
  return static_cast<unsigned char>(kClickVelocity.of(live(kMetronomeVolume)));
}
