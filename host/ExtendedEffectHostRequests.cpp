// The requests the effect sends to the host, one wrapper each. Arguments pass
// straight through; the host's answer is interpreted as the standard defines it.
#include "base/Relaxed.h"
#include "host/ExtendedEffect.h"

void ExtendedEffect::requestEvents(int32 filter) {
  callHost(audioMasterWantMidi, 0, filter);
}

VstTimeInfo* ExtendedEffect::getTimeInfo(int32 filter) {
  return reinterpret_cast<VstTimeInfo*>(callHost(audioMasterGetTime, 0, filter));
}

int32 ExtendedEffect::getTempoAt(int32 position) {
  return static_cast<int32>(callHost(audioMasterTempoAt, 0, position));
}

int32 ExtendedEffect::getNumAutomatableParameters() {
  return static_cast<int32>(callHost(audioMasterGetNumAutomatableParameters));
}

int32 ExtendedEffect::getParameterQuantization() {
  return static_cast<int32>(callHost(audioMasterGetParameterQuantization));
}

bool ExtendedEffect::notifyIoChanged() {
  return callHost(audioMasterIOChanged) != 0;
}
bool ExtendedEffect::needIdle() {
  return callHost(audioMasterNeedIdle) != 0;
}

bool ExtendedEffect::requestWindowSize(int32 width, int32 height) {
  return callHost(audioMasterSizeWindow, width, height) != 0;
}

float ExtendedEffect::refreshSampleRate() {
  const auto rate = static_cast<float>(callHost(audioMasterGetSampleRate));
  if (rate > 0.0f) setRelaxed(sampleRate, rate);
  return relaxed(sampleRate);
}

int32 ExtendedEffect::refreshBlockSize() {
  const auto size = static_cast<int32>(callHost(audioMasterGetBlockSize));
  if (size > 0) setRelaxed(blockSize, size);
  return relaxed(blockSize);
}

int32 ExtendedEffect::getInputLatency() {
  return static_cast<int32>(callHost(audioMasterGetInputLatency));
}

int32 ExtendedEffect::getOutputLatency() {
  return static_cast<int32>(callHost(audioMasterGetOutputLatency));
}

AEffect* ExtendedEffect::getPreviousPlug(int32 input) {
  return reinterpret_cast<AEffect*>(callHost(audioMasterGetPreviousPlug, 0, input));
}

AEffect* ExtendedEffect::getNextPlug(int32 output) {
  return reinterpret_cast<AEffect*>(callHost(audioMasterGetNextPlug, 0, output));
}

int32 ExtendedEffect::willReplaceOrAccumulate() {
  return static_cast<int32>(callHost(audioMasterWillReplaceOrAccumulate));
}

int32 ExtendedEffect::getCurrentProcessLevel() {
  return static_cast<int32>(callHost(audioMasterGetCurrentProcessLevel));
}

int32 ExtendedEffect::getAutomationState() {
  return static_cast<int32>(callHost(audioMasterGetAutomationState));
}

bool ExtendedEffect::offlineRead(void* offline, int32 option, bool readSource) {
  return callHost(audioMasterOfflineRead, readSource ? 1 : 0, option, offline) != 0;
}

bool ExtendedEffect::offlineWrite(void* offline, int32 option) {
  return callHost(audioMasterOfflineWrite, 0, option, offline) != 0;
}

bool ExtendedEffect::offlineStart(void* audioFiles, int32 numAudioFiles, int32 numNewAudioFiles) {
  return callHost(audioMasterOfflineStart, numNewAudioFiles, numAudioFiles, audioFiles) != 0;
}

int32 ExtendedEffect::offlineGetCurrentPass() {
  return static_cast<int32>(callHost(audioMasterOfflineGetCurrentPass));
}

int32 ExtendedEffect::offlineGetCurrentMetaPass() {
  return static_cast<int32>(callHost(audioMasterOfflineGetCurrentMetaPass));
}

void ExtendedEffect::setOutputSampleRate(float rate) {
  callHost(audioMasterSetOutputSampleRate, 0, 0, nullptr, rate);
}

VstSpeakerArrangement* ExtendedEffect::getInputSpeakerArrangement() {
  return reinterpret_cast<VstSpeakerArrangement*>(callHost(audioMasterGetInputSpeakerArrangement));
}

VstSpeakerArrangement* ExtendedEffect::getOutputSpeakerArrangement() {
  return reinterpret_cast<VstSpeakerArrangement*>(callHost(audioMasterGetOutputSpeakerArrangement));
}

bool ExtendedEffect::getHostVendorString(char* text) {
  return callHost(audioMasterGetVendorString, 0, 0, text) != 0;
}

bool ExtendedEffect::getHostProductString(char* text) {
  return callHost(audioMasterGetProductString, 0, 0, text) != 0;
}

int32 ExtendedEffect::getHostVendorVersion() {
  return static_cast<int32>(callHost(audioMasterGetVendorVersion));
}

intptr ExtendedEffect::hostVendorSpecific(int32 arg1, intptr arg2, void* ptrArg, float floatArg) {
  return callHost(audioMasterVendorSpecific, arg1, arg2, ptrArg, floatArg);
}

int32 ExtendedEffect::canHostDo(const char* text) {
  return static_cast<int32>(callHost(audioMasterCanDo, 0, 0, const_cast<char*>(text)));
}

int32 ExtendedEffect::getHostLanguage() {
  return static_cast<int32>(callHost(audioMasterGetLanguage));
}

void* ExtendedEffect::openHostWindow(VstWindow* window) {
  return reinterpret_cast<void*>(callHost(audioMasterOpenWindow, 0, 0, window));
}

bool ExtendedEffect::closeHostWindow(VstWindow* window) {
  return callHost(audioMasterCloseWindow, 0, 0, window) != 0;
}

void* ExtendedEffect::getHostDirectory() {
  return reinterpret_cast<void*>(callHost(audioMasterGetDirectory));
}

bool ExtendedEffect::updateHostDisplay() {
  return callHost(audioMasterUpdateDisplay) != 0;
}
bool ExtendedEffect::beginEdit(int32 index) {
  return callHost(audioMasterBeginEdit, index) != 0;
}
bool ExtendedEffect::endEdit(int32 index) {
  return callHost(audioMasterEndEdit, index) != 0;
}

bool ExtendedEffect::openFileSelector(VstFileSelect* selector) {
  return selector && callHost(audioMasterOpenFileSelector, 0, 0, selector) != 0;
}

bool ExtendedEffect::closeFileSelector(VstFileSelect* selector) {
  return selector && callHost(audioMasterCloseFileSelector, 0, 0, selector) != 0;
}

bool ExtendedEffect::getChunkFile(void* nativePath) {
  return nativePath && callHost(audioMasterGetChunkFile, 0, 0, nativePath) != 0;
}

bool ExtendedEffect::sendEventsToHost(VstEvents* events) {
  return callHost(audioMasterProcessEvents, 0, 0, events) == 1;
}

bool ExtendedEffect::sendTimeInfoToHost(VstTimeInfo* info) {
  return callHost(audioMasterSetTime, 0, 0, info) != 0;
}
