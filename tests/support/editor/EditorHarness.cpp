#include "tests/support/editor/EditorHarness.h"

#include <algorithm>

intptr VSTCALLBACK RecordingHost::callback(AEffect* effect, int32 opcode, int32 index, intptr,
                                           void*, float) {
  auto* host = static_cast<RecordingHost*>(effect->user);
  host->calls.push_back({opcode, index});
  if (host->onCall) host->onCall(opcode);
  return 0;
}

int RecordingHost::count(int32 opcode) const {
  return static_cast<int>(std::count_if(
      calls.begin(), calls.end(), [opcode](const RecordedCall& c) { return c.opcode == opcode; }));
}

std::vector<int32> RecordingHost::opcodes(const std::vector<int32>& skip) const {
  std::vector<int32> result;
  for (const RecordedCall& call : calls) {
    if (std::find(skip.begin(), skip.end(), call.opcode) == skip.end())
      result.push_back(call.opcode);
  }
  return result;
}

HarnessEditor::HarnessEditor(ExtendedEffect* owner) : EditorBase(owner) {
  rectangle = kEditorRect;
}

HarnessEditor::~HarnessEditor() {
  if (destroyed) *destroyed = true;
}

int HarnessEditor::open(void* window) {
  EditorBase::open(window);
  frame = new Frame(Rect(rectangle.left, rectangle.top, rectangle.right, rectangle.bottom), window,
                    this);
  return 1;
}

void HarnessEditor::close() {
  delete frame;
  frame = nullptr;
}

void HarnessEditor::update() {
  ++updates;
}

HarnessEffect::HarnessEffect(RecordingHost& host) : ExtendedEffect(RecordingHost::callback, 1, 1) {
  getRecord()->user = &host;
  new HarnessEditor(this);
}
