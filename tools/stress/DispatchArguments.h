// The buffers one dispatcher request of a stress run points into, laid out for
// its opcode, and the checks of what the plug-in left in them.
#pragma once

#include <string>
#include <vector>

#include "host/Vst2.h"
#include "tools/stress/StressRequest.h"

namespace qv::stress {

// Owns every buffer the request's `value` and `ptr` point to. Text answers get
// 256 bytes of which the plug-in may use 64; scratch records get 1024 of which it
// may use 512; the rest holds a canary. Neither copyable nor movable: the
// pointers lead into the object.
class DispatchArguments {
 public:
  explicit DispatchArguments(const Request& request);
  DispatchArguments(const DispatchArguments&) = delete;
  DispatchArguments& operator=(const DispatchArguments&) = delete;

  intptr value() const { return value_; }
  void* pointer() const { return pointer_; }

  // After the call: what is wrong with the buffers, or "" when nothing is.
  std::string check(intptr result) const;
  // After the call: the text answered, when the opcode answers one; else "".
  std::string answeredText(intptr result) const;

 private:
  static constexpr size_t kTextBuffer = 256;
  static constexpr size_t kTextLimit = 64;
  static constexpr size_t kScratchBuffer = 1024;
  static constexpr size_t kScratchLimit = 512;

  bool answersText(intptr result) const;

  int32 opcode_;
  Argument argument_;
  intptr value_;
  void* pointer_ = nullptr;
  char text_[kTextBuffer];
  char textBefore_[kTextBuffer];
  char scratch_[kScratchBuffer];
  ERect* rect_ = nullptr;
  ERect drawRect_{0, 0, 249, 293};
  void* chunk_ = nullptr;
  VstSpeakerArrangement arrangements_[2]{};
  VstSpeakerArrangement* holders_[2] = {&arrangements_[0], &arrangements_[1]};
  std::vector<VstMidiEvent> events_;
  // The standard's list layout: count, reserved word, then one pointer per event.
  std::vector<intptr> eventList_;
};

}  // namespace qv::stress
