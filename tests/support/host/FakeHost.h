// A scripted VST 2 host for tests: answers the plug-in's requests from fields
// the test sets and records every call it receives.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "effect/TremoloEffect.h"
#include "host/Vst2.h"

// The header of an event list the plug-in sent.
struct SentEventList {
  int32 numEvents;
  intptr reserved;
};

struct HostCall {
  int32 opcode;
  int32 index;
  intptr value;
  void* ptr;
  float opt;
};

class FakeHost {
 public:
  // The new host answers the callback until it is destroyed. Storage is
  // reserved up front so that recording never allocates inside a block.
  FakeHost();
  ~FakeHost();

  static intptr VSTCALLBACK callback(AEffect* effect, int32 opcode, int32 index, intptr value,
                                     void* ptr, float opt);

  int count(int32 opcode) const;
  void clear();

  // Answers.
  intptr versionAnswer = 2400;
  intptr defaultAnswer = 0;
  bool hasTransport = true;
  VstTimeInfo transport{};

  // Records.
  std::vector<HostCall> calls;
  std::vector<std::array<unsigned char, 4>> midiOut;
  std::vector<int32> midiDeltaFrames;
  std::vector<VstMidiEvent> midiEvents;  // each sent event record as it was
  std::vector<SentEventList> eventLists;
  std::vector<VstTimeInfo> timeSent;

 private:
  FakeHost* previousHost;
};

// One plug-in instance made through the library's entry, closed through the
// dispatcher at the end of the scope.
class Instance {
 public:
  Instance();
  ~Instance();

  intptr dispatch(int32 opcode, int32 index = 0, intptr value = 0, void* ptr = nullptr,
                  float opt = 0.0f);
  void setParameter(int32 index, float value) { record->setParameter(record, index, value); }
  float getParameter(int32 index) { return record->getParameter(record, index); }
  // Runs one block of silence (or of the given buffers) through processReplacing.
  void run(int32 frames);
  void process(float** inputs, float** outputs, int32 frames);
  std::string display(int32 index);

  FakeHost host;
  AEffect* record;
  TremoloEffect* effect;
};
