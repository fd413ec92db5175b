// The records, function types and constants of the VST 2 binary interface that
// this plug-in and its test host share. Layouts follow the standard exactly;
// the static_asserts pin the 32-bit offsets that hosts rely on.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define VSTCALLBACK __cdecl
#else
#define VSTCALLBACK
#endif

using int32 = std::int32_t;
using intptr = std::intptr_t;

struct AEffect;

using audioMasterCallback = intptr(VSTCALLBACK*)(AEffect* effect, int32 opcode, int32 index,
                                                 intptr value, void* ptr, float opt);
using AEffectDispatcherProc = intptr(VSTCALLBACK*)(AEffect* effect, int32 opcode, int32 index,
                                                   intptr value, void* ptr, float opt);
using AEffectProcessProc = void(VSTCALLBACK*)(AEffect* effect, float** inputs, float** outputs,
                                              int32 sampleFrames);
using AEffectProcessDoubleProc = void(VSTCALLBACK*)(AEffect* effect, double** inputs,
                                                    double** outputs, int32 sampleFrames);
using AEffectSetParameterProc = void(VSTCALLBACK*)(AEffect* effect, int32 index, float value);
using AEffectGetParameterProc = float(VSTCALLBACK*)(AEffect* effect, int32 index);

// Packs four characters with the first one in the most significant byte.
constexpr int32 fourCharCode(char a, char b, char c, char d) {
  return static_cast<int32>((static_cast<std::uint32_t>(static_cast<unsigned char>(a)) << 24) |
                            (static_cast<std::uint32_t>(static_cast<unsigned char>(b)) << 16) |
                            (static_cast<std::uint32_t>(static_cast<unsigned char>(c)) << 8) |
                            static_cast<std::uint32_t>(static_cast<unsigned char>(d)));
}

constexpr int32 kEffectMagic = fourCharCode('V', 's', 't', 'P');

struct AEffect {
  int32 magic;
  AEffectDispatcherProc dispatcher;
  AEffectProcessProc process;
  AEffectSetParameterProc setParameter;
  AEffectGetParameterProc getParameter;
  int32 numPrograms;
  int32 numParams;
  int32 numInputs;
  int32 numOutputs;
  int32 flags;
  intptr resvd1;
  intptr resvd2;
  int32 initialDelay;
  int32 realQualities;
  int32 offQualities;
  float ioRatio;
  void* object;
  void* user;
  int32 uniqueID;
  int32 version;
  AEffectProcessProc processReplacing;
  AEffectProcessDoubleProc processDoubleReplacing;
  char future[56];
};

enum VstAEffectFlags : int32 {
  effFlagsHasEditor = 1,
  effFlagsHasClip = 2,
  effFlagsHasVu = 4,
  effFlagsCanMono = 8,
  effFlagsCanReplacing = 16,
  effFlagsProgramChunks = 32,
  effFlagsIsSynth = 256,
  effFlagsNoSoundInStop = 512,
  effFlagsExtIsAsync = 1024,
  effFlagsExtHasBuffer = 2048,
};

// Requests the host sends to the plug-in's dispatcher.
enum AEffectOpcodes : int32 {
  effOpen = 0,
  effClose,
  effSetProgram,
  effGetProgram,
  effSetProgramName,
  effGetProgramName,
  effGetParamLabel,
  effGetParamDisplay,
  effGetParamName,
  effGetVu,
  effSetSampleRate,
  effSetBlockSize,
  effMainsChanged,
  effEditGetRect,
  effEditOpen,
  effEditClose,
  effEditDraw,
  effEditMouse,
  effEditKey,
  effEditIdle,
  effEditTop,
  effEditSleep,
  effIdentify,
  effGetChunk,
  effSetChunk,
  effProcessEvents,
  effCanBeAutomated,
  effString2Parameter,
  effGetNumProgramCategories,
  effGetProgramNameIndexed,
  effCopyProgram,
  effConnectInput,
  effConnectOutput,
  effGetInputProperties,
  effGetOutputProperties,
  effGetPlugCategory,
  effGetCurrentPosition,
  effGetDestinationBuffer,
  effOfflineNotify,
  effOfflinePrepare,
  effOfflineRun,
  effProcessVarIo,
  effSetSpeakerArrangement,
  effSetBlockSizeAndSampleRate,
  effSetBypass,
  effGetEffectName,
  effGetErrorText,
  effGetVendorString,
  effGetProductString,
  effGetVendorVersion,
  effVendorSpecific,
  effCanDo,
  effGetTailSize,
  effIdle,
  effGetIcon,
  effSetViewPosition,
  effGetParameterProperties,
  effKeysRequired,
  effGetVstVersion,
  effEditKeyDown,
  effEditKeyUp,
  effSetEditKnobMode,
  effGetMidiProgramName,
  effGetCurrentMidiProgram,
  effGetMidiProgramCategory,
  effHasMidiProgramsChanged,
  effGetMidiKeyName,
  effBeginSetProgram,
  effEndSetProgram,
  effGetSpeakerArrangement,
  effShellGetNextPlugin,
  effStartProcess,
  effStopProcess,
  effSetTotalSampleToProcess,
  effSetPanLaw,
  effBeginLoadBank,
  effBeginLoadProgram,
};
static_assert(effBeginLoadProgram == 76);

// Requests the plug-in sends to the host callback.
enum AudioMasterOpcodes : int32 {
  audioMasterAutomate = 0,
  audioMasterVersion,
  audioMasterCurrentId,
  audioMasterIdle,
  audioMasterPinConnected,
  audioMasterWantMidi = 6,
  audioMasterGetTime,
  audioMasterProcessEvents,
  audioMasterSetTime,
  audioMasterTempoAt,
  audioMasterGetNumAutomatableParameters,
  audioMasterGetParameterQuantization,
  audioMasterIOChanged,
  audioMasterNeedIdle,
  audioMasterSizeWindow,
  audioMasterGetSampleRate,
  audioMasterGetBlockSize,
  audioMasterGetInputLatency,
  audioMasterGetOutputLatency,
  audioMasterGetPreviousPlug,
  audioMasterGetNextPlug,
  audioMasterWillReplaceOrAccumulate,
  audioMasterGetCurrentProcessLevel,
  audioMasterGetAutomationState,
  audioMasterOfflineStart,
  audioMasterOfflineRead,
  audioMasterOfflineWrite,
  audioMasterOfflineGetCurrentPass,
  audioMasterOfflineGetCurrentMetaPass,
  audioMasterSetOutputSampleRate,
  audioMasterGetOutputSpeakerArrangement,
  audioMasterGetVendorString,
  audioMasterGetProductString,
  audioMasterGetVendorVersion,
  audioMasterVendorSpecific,
  audioMasterSetIcon,
  audioMasterCanDo,
  audioMasterGetLanguage,
  audioMasterOpenWindow,
  audioMasterCloseWindow,
  audioMasterGetDirectory,
  audioMasterUpdateDisplay,
  audioMasterBeginEdit,
  audioMasterEndEdit,
  audioMasterOpenFileSelector,
  audioMasterCloseFileSelector,
  audioMasterEditFile,
  audioMasterGetChunkFile,
  audioMasterGetInputSpeakerArrangement,
};
static_assert(audioMasterGetInputSpeakerArrangement == 49);

enum VstPlugCategory : int32 {
  kPlugCategUnknown = 0,
  kPlugCategEffect = 1,
  kPlugCategSynth = 2,
};

struct VstTimeInfo {
  double samplePos;
  double sampleRate;
  double nanoSeconds;
  double ppqPos;
  double tempo;
  double barStartPos;
  double cycleStartPos;
  double cycleEndPos;
  int32 timeSigNumerator;
  int32 timeSigDenominator;
  int32 smpteOffset;
  int32 smpteFrameRate;
  int32 samplesToNextClock;
  int32 flags;
};

enum VstTimeInfoFlags : int32 {
  kVstTransportChanged = 1,
  kVstTransportPlaying = 2,
  kVstTransportCycleActive = 4,
  kVstTransportRecording = 8,
  kVstAutomationWriting = 64,
  kVstAutomationReading = 128,
  kVstNanosValid = 256,
  kVstPpqPosValid = 512,
  kVstTempoValid = 1024,
  kVstBarsValid = 2048,
  kVstCyclePosValid = 4096,
  kVstTimeSigValid = 8192,
  kVstSmpteValid = 16384,
  kVstClockValid = 32768,
};

enum VstEventTypes : int32 { kVstMidiType = 1 };

struct VstEvent {
  int32 type;
  int32 byteSize;
  int32 deltaFrames;
  int32 flags;
  char data[16];
};

struct VstMidiEvent {
  int32 type;
  int32 byteSize;
  int32 deltaFrames;
  int32 flags;
  int32 noteLength;
  int32 noteOffset;
  char midiData[4];
  char detune;
  char noteOffVelocity;
  char reserved1;
  char reserved2;
};

// What an event's byteSize holds: the record's size without its type and byteSize
// fields, 24 for a MIDI event on every build.
constexpr int32 kVstMidiEventByteSize =
    static_cast<int32>(sizeof(VstMidiEvent) - offsetof(VstMidiEvent, deltaFrames));

struct VstEvents {
  int32 numEvents;
  intptr reserved;
  VstEvent* events[2];  // really numEvents long
};

struct ERect {
  std::int16_t top;
  std::int16_t left;
  std::int16_t bottom;
  std::int16_t right;
};

enum VstVirtualKey : unsigned char {
  VKEY_LEFT = 11,
  VKEY_UP = 12,
  VKEY_RIGHT = 13,
  VKEY_DOWN = 14
};
enum VstModifierKey : unsigned char {
  MODIFIER_SHIFT = 1,
  MODIFIER_ALTERNATE = 2,
  MODIFIER_COMMAND = 4,
  MODIFIER_CONTROL = 8,
};

struct VstKeyCode {
  int32 character;
  unsigned char virt;
  unsigned char modifier;
};

struct VstWindow {
  char title[128];
  std::int16_t xPos;
  std::int16_t yPos;
  std::int16_t width;
  std::int16_t height;
  int32 style;
  void* parent;
  void* userHandle;
  void* winHandle;
  char future[104];
};

struct VstSpeakerProperties {
  float azimuth;
  float elevation;
  float radius;
  float reserved;
  char name[64];
  int32 type;
  char future[28];
};

struct VstSpeakerArrangement {
  int32 type;
  int32 numChannels;
  VstSpeakerProperties speakers[8];  // really numChannels long
};

struct VstFileType {
  char name[128];
  char macType[8];
  char dosType[8];
  char unixType[8];
  char mimeType1[128];
  char mimeType2[128];
};

enum VstFileSelectCommand : int32 {
  kVstFileLoad = 0,
  kVstFileSave,
  kVstMultipleFilesLoad,
  kVstDirectorySelect,
};
enum VstFileSelectType : int32 { kVstFileType = 0 };

struct VstFileSelect {
  int32 command;
  int32 type;
  int32 macCreator;
  int32 nbFileTypes;
  VstFileType* fileTypes;
  char title[1024];
  char* initialPath;
  char* returnPath;
  int32 sizeReturnPath;
  char** returnMultiplePaths;
  int32 nbReturnPath;
  intptr reserved;
  char future[116];
};

// Text budgets hosts size their buffers from.
constexpr int kVstMaxParamStrLen = 8;
constexpr int kVstMaxProgNameLen = 24;
constexpr int kVstMaxEffectNameLen = 32;
constexpr int kVstMaxVendorStrLen = 64;
constexpr int kVstMaxProductStrLen = 64;

static_assert(sizeof(VstTimeInfo) == 88);
static_assert(sizeof(VstEvent) == 32 && sizeof(VstMidiEvent) == 32);
static_assert(kVstMidiEventByteSize == 24);
static_assert(sizeof(ERect) == 8 && sizeof(VstKeyCode) == 8);
static_assert(sizeof(VstSpeakerProperties) == 112);
static_assert(offsetof(VstSpeakerArrangement, speakers) == 8);
static_assert(sizeof(VstFileType) == 408);
static_assert(offsetof(VstEvents, events) == 2 * sizeof(intptr));
static_assert(sizeof(void*) == 8 || sizeof(AEffect) == 144);
static_assert(sizeof(void*) == 8 || sizeof(VstWindow) == 256);
static_assert(sizeof(void*) == 4 || sizeof(AEffect) == 192);
static_assert(sizeof(void*) == 8 || offsetof(AEffect, uniqueID) == 72);
static_assert(sizeof(void*) == 8 || offsetof(AEffect, processReplacing) == 80);
static_assert(sizeof(void*) == 8 || offsetof(AEffect, future) == 88);
