#include "effect/TremoloEffect.h"

#include <algorithm>
#include <cstring>

#include "editor/TremoloEditor.h"
#include "host/HostText.h"
#include "host/Relaxed.h"
#include "host/SafeConvert.h"

namespace {
constexpr const char* kProductName = "Quaverling";
constexpr const char* kVendor = "quaverling.audio";
constexpr int32 kUniqueId = fourCharCode('Q', 'v', 'r', 'l');

// The host abilities this effect takes part in; anything else is answered "no".
constexpr const char* kCanDoYes[] = {"sendVstMidiEvent",   "sendVstEvents",
                                     "receiveVstEvents",   "receiveVstMidiEvent",
                                     "receiveVstTimeInfo", "sendVstTimeInfo"};
}  // namespace

TremoloEffect::TremoloEffect(audioMasterCallback hostCallback)
    : ExtendedEffect(hostCallback, kProgramCount, kParameterCount),
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

  static constexpr float kInitialValues[ProgramRecord::kSlotCount] = {
      0.357f, 0.25f, 0.5f,   1.0f,  0.0f,  0.125f,   0.0f,
      0.0f,   0.0f,  0.192f, 0.51f, 0.36f, 0.65625f, 0.65625f};
  for (ProgramRecord& program : programs) {
    for (int slot = 0; slot < ProgramRecord::kSlotCount; ++slot) {
      setRelaxed(program.values[slot], kInitialValues[slot]);
    }
    copyHostText(program.name, "Simple Sine Wave");
  }
  setProgram(0);
  // The editor registers itself with the effect, which owns it from now on.
  new TremoloEditor(this);
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
  return truncateClamped(live(kTempoSource) * 4.0f, 0, 3);
}

int32 TremoloEffect::midiChannel() const {
  return truncateClamped(live(kMidiChannel) * 15.0f, 0, 15);
}

int32 TremoloEffect::tapNumber() const {
  return truncateClamped(live(kTapNumber) * 127.0f + 1.0f, 1, 128);
}

int32 TremoloEffect::tapWindow() const {
  return truncateClamped(static_cast<double>(live(kMinimumTaps) * 8.0f) + 1.0, 1, 9);
}

unsigned char TremoloEffect::metronomeNote() const {
  return static_cast<unsigned char>(truncateClamped(live(kMetronomeNote) * 127.0f + 1.0f, 1, 128));
}

unsigned char TremoloEffect::metronomeVelocity() const {
  return static_cast<unsigned char>(truncateClamped(live(kMetronomeVolume) * 127.0f, 0, 127));
}
