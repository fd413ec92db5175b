// The base of every effect: the VST 2 record the host holds, the link back to
// the host, program and parameter bookkeeping and the number-to-text helpers.
#pragma once

#include <atomic>

#include "host/Vst2.h"

class BasicEditor;

// Owns the embedded AEffect record (the host finds the object through
// record.object) and the editor registered with setEditor. Products derive from
// ExtendedEffect and override the virtual operations; the dispatcher calls them.
// Threads: dispatch comes from the host's threads, processReplacing from its
// audio thread; the fields that both touch are relaxed atomics.
class BasicEffect {
 public:
  // Fills the record; the product's constructor then sets its own identity.
  BasicEffect(audioMasterCallback hostCallback, int32 programCount, int32 parameterCount);
  // Destroys the editor, if any, after the derived parts are gone.
  virtual ~BasicEffect();

  BasicEffect(const BasicEffect&) = delete;
  BasicEffect& operator=(const BasicEffect&) = delete;

  // Parameters are normalised floats; unknown indexes store nothing and read 0.
  virtual void setParameter(int32 index, float value);
  virtual float getParameter(int32 index);
  // setParameter, then reports the change to the host (audioMasterAutomate).
  virtual void setParameterAndNotifyHost(int32 index, float value);
  // Accumulating processing; every product supplies its own.
  virtual void process(float** inputs, float** outputs, int32 sampleFrames) = 0;
  virtual void processReplacing(float** inputs, float** outputs, int32 sampleFrames);
  // Answers opcodes 0 to 24; unknown opcodes answer 0 and change nothing.
  virtual intptr dispatch(int32 opcode, int32 index, intptr value, void* ptr, float opt);
  virtual void open();
  virtual void close();
  virtual int32 getProgram();
  // Stores the index; the dispatcher only passes 0 <= index < numPrograms.
  virtual void setProgram(int32 index);
  // Text operations read or write 64-byte buffers (kHostTextSize).
  virtual void setProgramName(char* name);
  virtual void getProgramName(char* text);
  virtual void getParameterLabel(int32 index, char* text);
  virtual void getParameterDisplay(int32 index, char* text);
  virtual void getParameterName(int32 index, char* text);
  virtual float getVu();
  virtual int32 getChunk(void** data, bool isPreset);
  virtual int32 setChunk(void* data, int32 byteSize, bool isPreset);
  // Rates that are not finite and at least 1 Hz are ignored.
  virtual void setSampleRate(float rate);
  virtual void setBlockSize(int32 size);
  virtual void suspend();
  virtual void resume();
  virtual void setUniqueId(int32 id);
  virtual void setNumInputs(int32 count);
  virtual void setNumOutputs(int32 count);
  virtual void setHasVu(bool state);
  virtual void setHasClip(bool state);
  virtual void setCanMono(bool state);
  virtual void setCanReplacing(bool state);
  virtual void setProgramsAreChunks(bool state);
  virtual void setRealQualities(int32 qualities);
  virtual void setOffQualities(int32 qualities);
  virtual void setInitialDelay(int32 delay);
  virtual float getSampleRate();
  virtual int32 getBlockSize();
  // Host requests: without a host callback each answers its default (0, false,
  // and 1 for the version) without calling.
  virtual int32 getHostVersion();
  virtual int32 getHostCurrentId();
  virtual void hostIdle();
  virtual bool isInputConnected(int32 input);
  virtual bool isOutputConnected(int32 output);
  // Number-to-text helpers for parameter displays; each writes at most 8
  // characters and the terminator.
  virtual void formatDecibels(float value, char* text);
  virtual void formatHertz(float samples, char* text);
  virtual void formatMilliseconds(float samples, char* text);
  virtual void formatFloat(float value, char* text);
  virtual void formatInteger(int32 value, char* text);

  // The record handed to the host; it lives as long as this object.
  AEffect* getRecord() { return &record; }
  // Registers the editor (owned from now on) and sets or clears the has-editor flag.
  void setEditor(BasicEditor* newEditor);

 protected:
  // Calls the host, or answers 0 without a host callback.
  intptr callHost(int32 opcode, int32 index = 0, intptr value = 0, void* ptr = nullptr,
                  float opt = 0.0f);
  void setFlag(int32 flag, bool state);

  std::atomic<float> sampleRate;
  BasicEditor* editor;
  audioMasterCallback hostCallback;
  int32 numPrograms;
  int32 numParams;
  std::atomic<int32> currentProgram;
  std::atomic<int32> blockSize;
  AEffect record;

 private:
  static intptr VSTCALLBACK dispatcherEntry(AEffect* effect, int32 opcode, int32 index,
                                            intptr value, void* ptr, float opt);
  static void VSTCALLBACK processEntry(AEffect* effect, float** inputs, float** outputs,
                                       int32 sampleFrames);
  static void VSTCALLBACK processReplacingEntry(AEffect* effect, float** inputs, float** outputs,
                                                int32 sampleFrames);
  static void VSTCALLBACK setParameterEntry(AEffect* effect, int32 index, float value);
  static float VSTCALLBACK getParameterEntry(AEffect* effect, int32 index);
};

static_assert(std::atomic<float>::is_always_lock_free);
static_assert(std::atomic<int32>::is_always_lock_free);
