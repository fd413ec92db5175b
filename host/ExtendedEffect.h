// The second layer of the effect chain: events, time information, the host
// queries of the later VST 2 revisions and the identity answers.
#pragma once

#include "host/BasicEffect.h"

// Adds no state. dispatch answers opcodes 25 to 76 and hands the rest to
// BasicEffect. Operations named after a host request call the host (0, false or
// null without a host callback); the others are defaults a product overrides.
class ExtendedEffect : public BasicEffect {
 public:
  ExtendedEffect(audioMasterCallback hostCallback, int32 programCount, int32 parameterCount);

  intptr dispatch(int32 opcode, int32 index, intptr value, void* ptr, float opt) override;

  // The registered editor, or null; owned by the effect.
  virtual BasicEditor* getEditor();
  virtual void requestEvents(int32 filter);
  // The host's time information, valid during the current block; null when the
  // host has none. Audio thread.
  virtual VstTimeInfo* getTimeInfo(int32 filter);
  virtual int32 getTempoAt(int32 position);
  // MIDI events the host sends before a block. Audio thread.
  virtual int32 processEvents(VstEvents* events);
  virtual int32 getNumAutomatableParameters();
  virtual int32 getParameterQuantization();
  virtual bool canParameterBeAutomated(int32 index);
  virtual bool stringToParameter(int32 index, char* text);
  virtual float getChannelParameter(int32 channel, int32 index);
  virtual int32 getNumCategories();
  virtual bool getProgramNameIndexed(int32 category, int32 index, char* text);
  virtual bool copyProgram(int32 destination);
  virtual bool notifyIoChanged();
  virtual bool needIdle();
  // Asks the host to resize the editor window; true when it did.
  virtual bool requestWindowSize(int32 width, int32 height);
  // Ask the host and keep a positive answer; return what is kept.
  virtual float refreshSampleRate();
  virtual int32 refreshBlockSize();
  virtual int32 getInputLatency();
  virtual int32 getOutputLatency();
  virtual AEffect* getPreviousPlug(int32 input);
  virtual AEffect* getNextPlug(int32 output);
  virtual void inputConnected(int32 index, bool state);
  virtual void outputConnected(int32 index, bool state);
  virtual bool getInputProperties(int32 index, void* properties);
  virtual bool getOutputProperties(int32 index, void* properties);
  // 2 for a synth (effFlagsIsSynth set), else 0.
  virtual int32 getPlugCategory();
  virtual int32 willReplaceOrAccumulate();
  virtual int32 getCurrentProcessLevel();
  virtual int32 getAutomationState();
  virtual void setExtIsAsync(bool state);
  virtual void setExtHasBuffer(bool state);
  virtual int32 getCurrentPosition();
  virtual float* getDestinationBuffer();
  virtual bool offlineRead(void* offline, int32 option, bool readSource);
  virtual bool offlineWrite(void* offline, int32 option);
  virtual bool offlineStart(void* audioFiles, int32 numAudioFiles, int32 numNewAudioFiles);
  virtual int32 offlineGetCurrentPass();
  virtual int32 offlineGetCurrentMetaPass();
  virtual bool offlineNotify(void* audioFiles, int32 numAudioFiles, bool start);
  virtual bool offlinePrepare(void* offline, int32 count);
  virtual bool offlineRun(void* offline, int32 count);
  virtual int32 offlineGetNumPasses();
  virtual int32 offlineGetNumMetaPasses();
  virtual void setOutputSampleRate(float rate);
  virtual VstSpeakerArrangement* getInputSpeakerArrangement();
  virtual VstSpeakerArrangement* getOutputSpeakerArrangement();
  // Host identity texts; text must hold kHostTextSize bytes.
  virtual bool getHostVendorString(char* text);
  virtual bool getHostProductString(char* text);
  virtual int32 getHostVendorVersion();
  virtual intptr hostVendorSpecific(int32 arg1, intptr arg2, void* ptrArg, float floatArg);
  // Nonzero when the host supports the named feature.
  virtual int32 canHostDo(const char* text);
  virtual void setIsSynth(bool state);
  virtual void setNoSoundInStop(bool state);
  virtual int32 getHostLanguage();
  // The host's window handle, or null when it opened none.
  virtual void* openHostWindow(VstWindow* window);
  virtual bool closeHostWindow(VstWindow* window);
  virtual void* getHostDirectory();
  virtual bool updateHostDisplay();
  virtual bool processVariableIo(void* variableIo);
  virtual bool setSpeakerArrangement(VstSpeakerArrangement* input, VstSpeakerArrangement* output);
  // Clears both holders (null holders are skipped); false.
  virtual bool getSpeakerArrangement(VstSpeakerArrangement** input, VstSpeakerArrangement** output);
  virtual void setBlockSizeAndSampleRate(int32 size, float rate);
  virtual bool setBypass(bool state);
  // Identity texts into kHostTextSize-byte buffers; true when written.
  virtual bool getEffectName(char* text);
  virtual bool getErrorText(char* text);
  virtual bool getVendorString(char* text);
  virtual bool getProductString(char* text);
  virtual int32 getVendorVersion();
  virtual intptr vendorSpecific(int32 arg1, intptr arg2, void* ptrArg, float floatArg);
  // 1 yes, -1 no, 0 don't know.
  virtual int32 canDo(const char* text);
  virtual void* getIcon();
  virtual bool setViewPosition(int32 x, int32 y);
  virtual int32 getTailSize();
  virtual int32 idle();
  virtual bool getParameterProperties(int32 index, void* properties);
  virtual bool keysRequired();
  virtual int32 getVstVersion();
  virtual int32 getMidiProgramName(int32 channel, void* name);
  virtual int32 getCurrentMidiProgram(int32 channel, void* name);
  virtual int32 getMidiProgramCategory(int32 channel, void* category);
  virtual bool hasMidiProgramsChanged(int32 channel);
  virtual bool getMidiKeyName(int32 channel, void* keyName);
  virtual bool beginSetProgram();
  virtual bool endSetProgram();
  // Bracket a user gesture on a parameter so the host records it as one edit.
  virtual bool beginEdit(int32 index);
  virtual bool endEdit(int32 index);
  // Never sent for a null selector; true when the host handled it.
  virtual bool openFileSelector(VstFileSelect* selector);
  virtual int32 setTotalSampleToProcess(int32 value);
  virtual int32 getNextShellPlugin(char* name);
  virtual int32 startProcess();
  virtual int32 stopProcess();
  virtual bool setPanLaw(int32 type, float value);
  virtual int32 beginLoadBank(void* patch);
  virtual int32 beginLoadProgram(void* patch);
  // Replaces *holder with a zeroed arrangement of that many channels; false when
  // the count is negative or the memory cannot be had (*holder is then null).
  virtual bool allocateSpeakerArrangement(VstSpeakerArrangement** holder, int32 channels);
  // Frees *holder and clears it.
  virtual bool freeSpeakerArrangement(VstSpeakerArrangement** holder);
  // False when either pointer is null.
  virtual bool copySpeakerProperties(VstSpeakerProperties* to, const VstSpeakerProperties* from);
  // Makes *to a copy of from; false on the first failure.
  virtual bool matchSpeakerArrangement(VstSpeakerArrangement** to,
                                       const VstSpeakerArrangement* from);

  // Never sent for a null selector; true when the host handled it.
  bool closeFileSelector(VstFileSelect* selector);
  bool getChunkFile(void* nativePath);
  // Passes events to the host (audioMasterProcessEvents); true when taken.
  bool sendEventsToHost(VstEvents* events);
  // Passes the effect's own transport to the host (audioMasterSetTime).
  bool sendTimeInfoToHost(VstTimeInfo* info);
};
