// A small effect with a recording host and an editor that opens a frame, for the tests of
// the editor base and of the controls that reach the host through it.
#pragma once

#include <functional>
#include <vector>

#include "editor/EditorBase.h"
#include "gui/core/Frame.h"
#include "host/ExtendedEffect.h"

struct RecordedCall {
  int32 opcode;
  int32 index;
};

// Answers 0 to every request and records it. onCall runs inside the callback, so a test can
// play a host that answers by calling the plug-in back.
class RecordingHost {
 public:
  static intptr VSTCALLBACK callback(AEffect* effect, int32 opcode, int32 index, intptr value,
                                     void* ptr, float opt);
  int count(int32 opcode) const;
  // The opcodes of the calls in order, leaving out the ones in skip.
  std::vector<int32> opcodes(const std::vector<int32>& skip = {}) const;

  std::vector<RecordedCall> calls;
  std::function<void(int32 opcode)> onCall;
};

// The editor rectangle of the tests, as the product's is: 293 by 249.
inline constexpr ERect kEditorRect{0, 0, 249, 293};

// open makes a frame of the rectangle's size in the host's window, close deletes it. Counts
// the updates that the idle cycle runs.
class HarnessEditor : public EditorBase {
 public:
  explicit HarnessEditor(ExtendedEffect* effect);
  int open(void* window) override;
  void close() override;
  void update() override;

  int updates = 0;
  bool* destroyed = nullptr;
  ~HarnessEditor() override;
};

// The effect with its editor; the host answers through host.
class HarnessEffect : public ExtendedEffect {
 public:
  explicit HarnessEffect(RecordingHost& host);
  void process(float**, float**, int32) override {}
  HarnessEditor& editor() { return *static_cast<HarnessEditor*>(getEditor()); }
  intptr dispatch(int32 opcode, int32 index = 0, intptr value = 0, void* ptr = nullptr,
                  float opt = 0.0f) override {
    return ExtendedEffect::dispatch(opcode, index, value, ptr, opt);
  }
};
