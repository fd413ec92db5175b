// One host request of a stress run, drawn in full before it is sent, so the
// sequence depends on the seed alone and never on the plug-in's answers.
#pragma once

#include <string>
#include <vector>

#include "host/Vst2.h"
#include "tools/stress/StressRandom.h"

namespace qv::stress {

enum class RequestKind {
  Dispatch,      // one dispatcher opcode with fitting arguments
  SetParameter,  // setParameter(index, value)
  GetParameter,  // getParameter(index)
  LoadPreset,    // every parameter set within 0 to 1, as a host loading a preset
  Process,       // processReplacing of one block
  Accumulate,    // process (the accumulating call) of one block
};

// How a dispatcher opcode uses its pointer argument.
enum class Argument {
  Scratch,   // no pointer of the standard: a scratch buffer that must stay unwritten past 512 bytes
  TextOut,   // a text answer of at most 63 characters
  TextIn,    // a NUL-terminated text
  RectOut,   // ERect** that receives the editor's rectangle
  RectIn,    // ERect* to read
  ChunkOut,  // void** that receives a chunk
  ChunkIn,   // bytes of length `value`
  Events,    // VstEvents*
  SpeakersIn,   // value and ptr: VstSpeakerArrangement* to read
  SpeakersOut,  // value and ptr: VstSpeakerArrangement** to fill or clear
};

Argument argumentOf(int32 opcode);

struct Request {
  RequestKind kind = RequestKind::Process;
  int32 opcode = 0;
  int32 index = 0;
  intptr value = 0;
  float opt = 0.0f;  // the dispatcher's opt, or the value of setParameter
  std::string text;  // TextIn and ChunkIn contents
  std::vector<VstMidiEvent> events;
  std::vector<float> presetValues;
  // Audio: null channel pointers, in-place processing and the time offered.
  int32 frames = 0;
  bool input[2] = {true, true};
  bool output[2] = {true, true};
  bool inPlace = false;
  float amplitude = 1.0f;
  bool offersTime = false;
  VstTimeInfo time{};
};

// Draws the next request for a plug-in with these counts. Never effClose, never
// effEditOpen (no window exists to give it).
Request makeRequest(StressRandom& random, int32 parameterCount, int32 programCount);

// A one-line account of the request, enough to recognise it in a report.
std::string describe(const Request& request);

}  // namespace qv::stress
