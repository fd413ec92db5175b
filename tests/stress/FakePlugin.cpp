#include "tests/stress/FakePlugin.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace qv::stress::testing {

FakePlugin::FakePlugin(audioMasterCallback host, Fault fault) : host_(host), fault_(fault) {
  record_.magic = kEffectMagic;
  record_.dispatcher = &FakePlugin::dispatcher;
  record_.process = &FakePlugin::process;
  record_.processReplacing = &FakePlugin::processReplacing;
  record_.setParameter = &FakePlugin::setParameter;
  record_.getParameter = &FakePlugin::getParameter;
  record_.numPrograms = 10;
  record_.numParams = 17;
  record_.numInputs = 2;
  record_.numOutputs = 2;
  record_.flags = effFlagsCanReplacing;
  record_.object = this;
  record_.uniqueID = fourCharCode('F', 'a', 'k', 'e');
  record_.version = 1;
}

intptr VSTCALLBACK FakePlugin::dispatcher(AEffect* effect, int32 opcode, int32 index, intptr value,
                                          void* ptr, float) {
  FakePlugin& self = of(effect);
  const Fault fault = self.fault_;
  switch (opcode) {
    case effSetProgram:
      if ((value >= 0 && value < 10) || fault == Fault::KeepsAnyProgram)
        self.program_ = static_cast<int32>(value);
      return 0;
    case effGetProgram:
      return self.program_;
    case effGetProgramName:
    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetProductString:
    case effGetVendorString:
      std::strcpy(static_cast<char*>(ptr), "Fake");
      return 1;
    case effGetParamName:
      if (fault == Fault::LongParameterName && index == 3) {
        std::memset(ptr, 'n', 70);
        static_cast<char*>(ptr)[70] = '\0';
      } else {
        std::strcpy(static_cast<char*>(ptr), "Param");
      }
      return 0;
    case effGetEffectName:
      if (fault == Fault::UnterminatedName)
        std::memset(ptr, 'e', 64);
      else
        std::strcpy(static_cast<char*>(ptr), "Fake");
      return 1;
    case effCanDo:
      return fault == Fault::CanDoAnswersTwo ? 2 : -1;
    case effMainsChanged:
      if (fault == Fault::ChangesRecordCounts) effect->numInputs = 1;
      return 0;
    default:
      return 0;
  }
}

void VSTCALLBACK FakePlugin::processReplacing(AEffect* effect, float** inputs, float** outputs,
                                              int32 frames) {
  FakePlugin& self = of(effect);
  if (self.fault_ == Fault::SendsNullEvent) {
    VstEvents list{};
    list.numEvents = 1;
    self.host_(effect, audioMasterProcessEvents, 0, 0, &list, 0.0f);
  }
  if (frames <= 0 || !inputs[0] || !outputs[0]) return;
  const float gain = self.fault_ == Fault::GainAboveOne ? 1.5f : 0.5f;
  const float* right = inputs[1] ? inputs[1] : inputs[0];
  for (int32 i = 0; i < frames; ++i) {
    const float left = inputs[0][i];
    const float rightIn = right[i];
    outputs[0][i] = gain * left;
    if (outputs[1]) outputs[1][i] = gain * rightIn;
  }
  if (self.fault_ == Fault::NanOnBlocksOf100 && frames == 100)
    outputs[0][50] = std::numeric_limits<float>::quiet_NaN();
  if (self.fault_ == Fault::WritesPastBlock) outputs[0][frames] = 0.0f;
  if (self.fault_ == Fault::ChangesInput && inputs[0] != outputs[0]) inputs[0][0] += 1.0f;
}

void VSTCALLBACK FakePlugin::process(AEffect*, float**, float**, int32) {}

void VSTCALLBACK FakePlugin::setParameter(AEffect* effect, int32 index, float value) {
  if (index < 0 || index >= 17) return;
  of(effect).parameters_[index] = std::isnan(value) ? 0.0f : std::clamp(value, 0.0f, 1.0f);
}

float VSTCALLBACK FakePlugin::getParameter(AEffect* effect, int32 index) {
  if (of(effect).fault_ == Fault::NanParameter && index == 3)
    return std::numeric_limits<float>::quiet_NaN();
  return index >= 0 && index < 17 ? of(effect).parameters_[index] : 0.0f;
}

}  // namespace qv::stress::testing
