#include "host/ExtendedEffect.h"

#include "base/SafeConvert.h"
#include "host/BasicEditor.h"

ExtendedEffect::ExtendedEffect(audioMasterCallback callback, int32 programCount,
                               int32 parameterCount)
    : BasicEffect(callback, programCount, parameterCount) {}

intptr ExtendedEffect::dispatch(int32 opcode, int32 index, intptr value, void* ptr, float opt) {
  switch (opcode) {
    case effProcessEvents:
      return processEvents(static_cast<VstEvents*>(ptr));
    case effCanBeAutomated:
      return canParameterBeAutomated(index) ? 1 : 0;
    case effGetNumProgramCategories:
      return getNumCategories();
    case effConnectInput:
      inputConnected(index, value != 0);
      return 1;
    case effConnectOutput:
      outputConnected(index, value != 0);
      return 1;
    case effGetPlugCategory:
      return getPlugCategory();
    case effSetBlockSizeAndSampleRate:
      setBlockSizeAndSampleRate(static_cast<int32>(value), opt);
      return 1;
    case effGetEffectName:
      return ptr && getEffectName(static_cast<char*>(ptr)) ? 1 : 0;
    case effGetVendorString:
      return ptr && getVendorString(static_cast<char*>(ptr)) ? 1 : 0;
    case effGetProductString:
      return ptr && getProductString(static_cast<char*>(ptr)) ? 1 : 0;
    case effGetVendorVersion:
      return getVendorVersion();
    case effCanDo:
      return ptr ? canDo(static_cast<const char*>(ptr)) : 0;
    case effKeysRequired:
      return keysRequired() ? 0 : 1;
    case effGetVstVersion:
      return getVstVersion();
    case effEditKeyDown:
    case effEditKeyUp: {
      if (!editor) return 0;
      // The modifier arrives as a float; any value the host sends must convert safely.
      VstKeyCode key{index, static_cast<unsigned char>(value & 0xFF),
                     static_cast<unsigned char>(truncateClamped(opt, INT32_MIN, INT32_MAX) & 0xFF)};
      return opcode == effEditKeyDown ? editor->onKeyDown(key) : editor->onKeyUp(key);
    }
    case effSetEditKnobMode:
      return editor ? editor->setKnobMode(static_cast<int>(value)) : 0;
    case effGetCurrentMidiProgram:
      return getCurrentMidiProgram(index, ptr);
    case effGetSpeakerArrangement:
      getSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement**>(value),
                            static_cast<VstSpeakerArrangement**>(ptr));
      return 0;
    case effSetTotalSampleToProcess:
      return setTotalSampleToProcess(static_cast<int32>(value));
    default:
      // Opcodes 25 to 76 without an action answer 0; lower ones belong to the base.
      return opcode < effProcessEvents ? BasicEffect::dispatch(opcode, index, value, ptr, opt) : 0;
  }
}

BasicEditor* ExtendedEffect::getEditor() {
  return editor;
}
int32 ExtendedEffect::processEvents(VstEvents*) {
  return 0;
}
bool ExtendedEffect::canParameterBeAutomated(int32) {
  return false;
}
bool ExtendedEffect::stringToParameter(int32, char*) {
  return false;
}
float ExtendedEffect::getChannelParameter(int32, int32) {
  return 0.0f;
}
int32 ExtendedEffect::getNumCategories() {
  return 1;
}
bool ExtendedEffect::getProgramNameIndexed(int32, int32, char*) {
  return false;
}
bool ExtendedEffect::copyProgram(int32) {
  return false;
}
void ExtendedEffect::inputConnected(int32, bool) {}
void ExtendedEffect::outputConnected(int32, bool) {}
bool ExtendedEffect::getInputProperties(int32, void*) {
  return false;
}
bool ExtendedEffect::getOutputProperties(int32, void*) {
  return false;
}

int32 ExtendedEffect::getPlugCategory() {
  return (record.flags & effFlagsIsSynth) ? kPlugCategSynth : kPlugCategUnknown;
}

void ExtendedEffect::setExtIsAsync(bool state) {
  setFlag(effFlagsExtIsAsync, state);
}
void ExtendedEffect::setExtHasBuffer(bool state) {
  setFlag(effFlagsExtHasBuffer, state);
}
int32 ExtendedEffect::getCurrentPosition() {
  return 0;
}
float* ExtendedEffect::getDestinationBuffer() {
  return nullptr;
}
bool ExtendedEffect::offlineNotify(void*, int32, bool) {
  return false;
}
bool ExtendedEffect::offlinePrepare(void*, int32) {
  return false;
}
bool ExtendedEffect::offlineRun(void*, int32) {
  return false;
}
int32 ExtendedEffect::offlineGetNumPasses() {
  return 0;
}
int32 ExtendedEffect::offlineGetNumMetaPasses() {
  return 0;
}
void ExtendedEffect::setIsSynth(bool state) {
  setFlag(effFlagsIsSynth, state);
}
void ExtendedEffect::setNoSoundInStop(bool state) {
  setFlag(effFlagsNoSoundInStop, state);
}
bool ExtendedEffect::processVariableIo(void*) {
  return false;
}

bool ExtendedEffect::setSpeakerArrangement(VstSpeakerArrangement*, VstSpeakerArrangement*) {
  return false;
}

bool ExtendedEffect::getSpeakerArrangement(VstSpeakerArrangement** input,
                                           VstSpeakerArrangement** output) {
  if (input) *input = nullptr;
  if (output) *output = nullptr;
  return false;
}

void ExtendedEffect::setBlockSizeAndSampleRate(int32 size, float rate) {
  setBlockSize(size);
  setSampleRate(rate);
}

bool ExtendedEffect::setBypass(bool) {
  return false;
}
bool ExtendedEffect::getEffectName(char*) {
  return false;
}
bool ExtendedEffect::getErrorText(char*) {
  return false;
}
bool ExtendedEffect::getVendorString(char*) {
  return false;
}
bool ExtendedEffect::getProductString(char*) {
  return false;
}
int32 ExtendedEffect::getVendorVersion() {
  return 0;
}
intptr ExtendedEffect::vendorSpecific(int32, intptr, void*, float) {
  return 0;
}
int32 ExtendedEffect::canDo(const char*) {
  return 0;
}
void* ExtendedEffect::getIcon() {
  return nullptr;
}
bool ExtendedEffect::setViewPosition(int32, int32) {
  return false;
}
int32 ExtendedEffect::getTailSize() {
  return 0;
}
int32 ExtendedEffect::idle() {
  return 0;
}
bool ExtendedEffect::getParameterProperties(int32, void*) {
  return false;
}
bool ExtendedEffect::keysRequired() {
  return false;
}
int32 ExtendedEffect::getVstVersion() {
  return 2300;
}
int32 ExtendedEffect::getMidiProgramName(int32, void*) {
  return 0;
}
int32 ExtendedEffect::getCurrentMidiProgram(int32, void*) {
  return -1;
}
int32 ExtendedEffect::getMidiProgramCategory(int32, void*) {
  return 0;
}
bool ExtendedEffect::hasMidiProgramsChanged(int32) {
  return false;
}
bool ExtendedEffect::getMidiKeyName(int32, void*) {
  return false;
}
bool ExtendedEffect::beginSetProgram() {
  return false;
}
bool ExtendedEffect::endSetProgram() {
  return false;
}
int32 ExtendedEffect::setTotalSampleToProcess(int32 value) {
  return value;
}
int32 ExtendedEffect::getNextShellPlugin(char*) {
  return 0;
}
int32 ExtendedEffect::startProcess() {
  return 0;
}
int32 ExtendedEffect::stopProcess() {
  return 0;
}
bool ExtendedEffect::setPanLaw(int32, float) {
  return false;
}
int32 ExtendedEffect::beginLoadBank(void*) {
  return 0;
}
int32 ExtendedEffect::beginLoadProgram(void*) {
  return 0;
}
