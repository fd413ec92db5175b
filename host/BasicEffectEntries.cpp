// The five functions the record points to: they find the effect object through
// record.object and pass the call on.
#include "host/BasicEffect.h"

#include "host/BasicEditor.h"

namespace {
BasicEffect* effectOf(AEffect* record) {
  return static_cast<BasicEffect*>(record->object);
}
}  // namespace

intptr VSTCALLBACK BasicEffect::dispatcherEntry(AEffect* record, int32 opcode, int32 index,
                                                intptr value, void* ptr, float opt) {
  BasicEffect* effect = effectOf(record);
  const intptr result = effect->dispatch(opcode, index, value, ptr, opt);
  if (opcode != effClose) return result;
  // A window left open goes first: its light timer reads the effect until it stops.
  if (effect->editor) effect->editor->close();
  // The record lives inside the object, so it goes with it.
  delete effect;
  return 1;
}

void VSTCALLBACK BasicEffect::processEntry(AEffect* record, float** inputs, float** outputs,
                                           int32 sampleFrames) {
  effectOf(record)->process(inputs, outputs, sampleFrames);
}

void VSTCALLBACK BasicEffect::processReplacingEntry(AEffect* record, float** inputs,
                                                    float** outputs, int32 sampleFrames) {
  effectOf(record)->processReplacing(inputs, outputs, sampleFrames);
}

void VSTCALLBACK BasicEffect::setParameterEntry(AEffect* record, int32 index, float value) {
  effectOf(record)->setParameter(index, value);
}

float VSTCALLBACK BasicEffect::getParameterEntry(AEffect* record, int32 index) {
  return effectOf(record)->getParameter(index);
}
