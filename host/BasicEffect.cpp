#include "host/BasicEffect.h"

#include <cmath>
#include <cstring>

#include "base/HostText.h"
#include "base/Relaxed.h"
#include "base/SafeConvert.h"
#include "host/BasicEditor.h"

namespace {
// Never seen by a host: the product writes its own ID before returning the record.
constexpr int32 kPlaceholderId = fourCharCode('N', 'o', 'I', 'd');
constexpr int32 kIdentifyAnswer = fourCharCode('N', 'v', 'E', 'f');
}  // namespace

BasicEffect::BasicEffect(audioMasterCallback callback, int32 programCount, int32 parameterCount)
    : sampleRate(44100.0f),
      editor(nullptr),
      hostCallback(callback),
      numPrograms(programCount),
      numParams(parameterCount),
      currentProgram(0),
      blockSize(1024),
      record{} {
  record.numPrograms = programCount;
  record.numParams = parameterCount;
  record.numInputs = 1;
  record.numOutputs = 2;
  record.flags = 0;
  record.ioRatio = 1.0f;
  record.object = this;
  record.user = nullptr;
  record.uniqueID = kPlaceholderId;
  record.version = 1;
  record.dispatcher = dispatcherEntry;
  record.process = processEntry;
  record.setParameter = setParameterEntry;
  record.getParameter = getParameterEntry;
  record.processReplacing = processReplacingEntry;
  record.magic = kEffectMagic;
}

BasicEffect::~BasicEffect() {
  delete editor;
}

void BasicEffect::setParameter(int32, float) {}
float BasicEffect::getParameter(int32) {
  return 0.0f;
}

void BasicEffect::setParameterAndNotifyHost(int32 index, float value) {
  setParameter(index, value);
  callHost(audioMasterAutomate, index, 0, nullptr, value);
}

void BasicEffect::processReplacing(float**, float**, int32) {}

intptr BasicEffect::dispatch(int32 opcode, int32 index, intptr value, void* ptr, float opt) {
  // The text opcodes write through ptr; a host that passes none gets 0 and no write.
  switch (opcode) {
    case effOpen:
      open();
      return 0;
    case effClose:
      close();
      return 0;
    case effSetProgram:
      if (value >= 0 && value < numPrograms) setProgram(static_cast<int32>(value));
      return 0;
    case effGetProgram:
      return getProgram();
    case effSetProgramName:
      if (ptr) setProgramName(static_cast<char*>(ptr));
      return 0;
    case effGetProgramName:
      if (ptr) getProgramName(static_cast<char*>(ptr));
      return 0;
    case effGetParamLabel:
      if (ptr) getParameterLabel(index, static_cast<char*>(ptr));
      return 0;
    case effGetParamDisplay:
      if (ptr) getParameterDisplay(index, static_cast<char*>(ptr));
      return 0;
    case effGetParamName:
      if (ptr) getParameterName(index, static_cast<char*>(ptr));
      return 0;
    case effGetVu:
      return truncateClamped(static_cast<double>(getVu()) * 32767.0, INT32_MIN, INT32_MAX);
    case effSetSampleRate:
      setSampleRate(opt);
      return 0;
    case effSetBlockSize:
      setBlockSize(static_cast<int32>(value));
      return 0;
    case effMainsChanged:
      if (value == 0) {
        suspend();
      } else {
        resume();
      }
      return 0;
    case effEditGetRect:
      return editor && ptr ? editor->getRect(static_cast<ERect**>(ptr)) : 0;
    case effEditOpen:
      return editor ? editor->open(ptr) : 0;
    case effEditClose:
      if (editor) editor->close();
      return 0;
    case effEditIdle:
      if (editor) editor->idle();
      return 0;
    case effIdentify:
      return kIdentifyAnswer;
    case effGetChunk:
      return ptr ? getChunk(static_cast<void**>(ptr), index != 0) : 0;
    case effSetChunk:
      return setChunk(ptr, static_cast<int32>(value), index != 0);
    default:
      return 0;
  }
}

void BasicEffect::open() {}
void BasicEffect::close() {}
int32 BasicEffect::getProgram() {
  return relaxed(currentProgram);
}
void BasicEffect::setProgram(int32 index) {
  setRelaxed(currentProgram, index);
}
void BasicEffect::setProgramName(char*) {}
void BasicEffect::getProgramName(char* text) {
  copyHostText(text, "");
}
void BasicEffect::getParameterLabel(int32, char* text) {
  copyHostText(text, "");
}
void BasicEffect::getParameterDisplay(int32, char* text) {
  copyHostText(text, "");
}
void BasicEffect::getParameterName(int32, char* text) {
  copyHostText(text, "");
}
float BasicEffect::getVu() {
  return 0.0f;
}
int32 BasicEffect::getChunk(void**, bool) {
  return 0;
}
int32 BasicEffect::setChunk(void*, int32, bool) {
  return 0;
}

void BasicEffect::setSampleRate(float rate) {
  // Every timing formula divides by the rate, so a nonsensical one is not taken.
  if (std::isfinite(rate) && rate >= 1.0f) setRelaxed(sampleRate, rate);
}

void BasicEffect::setBlockSize(int32 size) {
  setRelaxed(blockSize, size);
}
void BasicEffect::suspend() {}
void BasicEffect::resume() {}
void BasicEffect::setUniqueId(int32 id) {
  record.uniqueID = id;
}
void BasicEffect::setNumInputs(int32 count) {
  record.numInputs = count;
}
void BasicEffect::setNumOutputs(int32 count) {
  record.numOutputs = count;
}
void BasicEffect::setHasVu(bool state) {
  setFlag(effFlagsHasVu, state);
}
void BasicEffect::setHasClip(bool state) {
  setFlag(effFlagsHasClip, state);
}
void BasicEffect::setCanMono(bool state) {
  setFlag(effFlagsCanMono, state);
}
void BasicEffect::setCanReplacing(bool state) {
  setFlag(effFlagsCanReplacing, state);
}
void BasicEffect::setProgramsAreChunks(bool state) {
  setFlag(effFlagsProgramChunks, state);
}
void BasicEffect::setRealQualities(int32 qualities) {
  record.realQualities = qualities;
}
void BasicEffect::setOffQualities(int32 qualities) {
  record.offQualities = qualities;
}
void BasicEffect::setInitialDelay(int32 delay) {
  record.initialDelay = delay;
}
float BasicEffect::getSampleRate() {
  return relaxed(sampleRate);
}
int32 BasicEffect::getBlockSize() {
  return relaxed(blockSize);
}

int32 BasicEffect::getHostVersion() {
  if (!hostCallback) return 1;
  const intptr version = callHost(audioMasterVersion);
  return version == 0 ? 1 : static_cast<int32>(version);
}

int32 BasicEffect::getHostCurrentId() {
  return static_cast<int32>(callHost(audioMasterCurrentId));
}

void BasicEffect::hostIdle() {
  callHost(audioMasterIdle);
}

// The host answers 0 for a connected pin.
bool BasicEffect::isInputConnected(int32 input) {
  return hostCallback && callHost(audioMasterPinConnected, input, 0) == 0;
}

bool BasicEffect::isOutputConnected(int32 output) {
  return hostCallback && callHost(audioMasterPinConnected, output, 1) == 0;
}

void BasicEffect::setEditor(BasicEditor* newEditor) {
  editor = newEditor;
  setFlag(effFlagsHasEditor, newEditor != nullptr);
}

intptr BasicEffect::callHost(int32 opcode, int32 index, intptr value, void* ptr, float opt) {
  return hostCallback ? hostCallback(&record, opcode, index, value, ptr, opt) : 0;
}

void BasicEffect::setFlag(int32 flag, bool state) {
  record.flags = state ? (record.flags | flag) : (record.flags & ~flag);
}
