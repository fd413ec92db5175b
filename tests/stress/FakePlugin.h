// A small well-behaved plug-in record for testing the stress run, with one
// fault that can be switched on at a time.
#pragma once

#include "host/Vst2.h"

namespace qv::stress::testing {

enum class Fault {
  None,
  NanOnBlocksOf100,     // NaN output whenever a block has 100 frames
  GainAboveOne,         // output 1.5 times the input
  WritesPastBlock,      // one sample after the last frame
  ChangesInput,         // overwrites the first input sample
  LongParameterName,    // 70 characters
  UnterminatedName,     // 64 characters without a terminator
  CanDoAnswersTwo,      // effCanDo answers 2
  KeepsAnyProgram,      // effSetProgram takes out-of-range indexes
  NanParameter,         // getParameter(3) answers NaN
  ChangesRecordCounts,  // effMainsChanged changes numInputs
  SendsNullEvent,       // each block sends an event list holding a null event
};

// Processes by halving the input (right from left when the right input is
// missing), keeps 10 programs and 17 parameters clamped to 0 to 1, answers texts
// of a few characters. The record lives as long as the object.
class FakePlugin {
 public:
  FakePlugin(audioMasterCallback host, Fault fault);
  AEffect& record() { return record_; }

 private:
  static FakePlugin& of(AEffect* effect) { return *static_cast<FakePlugin*>(effect->object); }
  static intptr VSTCALLBACK dispatcher(AEffect* effect, int32 opcode, int32 index, intptr value,
                                       void* ptr, float opt);
  static void VSTCALLBACK processReplacing(AEffect* effect, float** inputs, float** outputs,
                                           int32 frames);
  static void VSTCALLBACK process(AEffect* effect, float** inputs, float** outputs, int32 frames);
  static void VSTCALLBACK setParameter(AEffect* effect, int32 index, float value);
  static float VSTCALLBACK getParameter(AEffect* effect, int32 index);

  AEffect record_{};
  audioMasterCallback host_;
  Fault fault_;
  int32 program_ = 0;
  float parameters_[17] = {};
};

}  // namespace qv::stress::testing
