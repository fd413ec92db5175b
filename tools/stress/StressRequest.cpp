#include "tools/stress/StressRequest.h"

#include <cstdio>

#include "tools/stress/StressValues.h"

namespace qv::stress {

namespace {

constexpr int32 kHighestOpcode = 80;

Request makeDispatch(StressRandom& random, int32 parameterCount, int32 programCount) {
  Request request;
  request.kind = RequestKind::Dispatch;
  do {
    request.opcode = random.between(0, kHighestOpcode);
  } while (request.opcode == effClose || request.opcode == effEditOpen);
  request.index =
      random.percent(70) ? anyParameterIndex(random, parameterCount) : anyInteger(random);
  request.value = anyInteger(random);
  request.opt = anyFloat(random);
  switch (request.opcode) {
    case effSetProgram:
      request.value = anyProgramIndex(random, programCount);
      break;
    case effSetProgramName:
      request.text = anyText(random, 255);
      break;
    case effCanDo:
      request.text = anyCanDoText(random);
      break;
    case effString2Parameter:
      request.text = random.percent(50) ? std::to_string(anyInteger(random)) : anyText(random, 80);
      break;
    case effSetChunk:
      request.text = anyText(random, 256);
      request.value = static_cast<intptr>(request.text.size());
      break;
    case effSetSampleRate:
      request.opt = anySampleRate(random);
      break;
    case effSetBlockSize:
      request.value = anyBlockSize(random);
      break;
    case effSetBlockSizeAndSampleRate:
      request.value = anyBlockSize(random);
      request.opt = anySampleRate(random);
      break;
    case effMainsChanged:
      request.value = random.percent(90) ? random.between(0, 1) : anyInteger(random);
      break;
    case effEditKeyDown:
    case effEditKeyUp:
      request.index = random.percent(50) ? ' ' : random.between(0, 255);
      request.value = random.percent(70) ? random.between(0, 20) : anyInteger(random);
      request.opt =
          random.percent(70) ? static_cast<float>(random.between(0, 15)) : anyFloat(random);
      break;
    case effProcessEvents:
      request.events = anyMidiEvents(random);
      break;
    default:
      break;
  }
  return request;
}

Request makeAudio(StressRandom& random, RequestKind kind) {
  Request request;
  request.kind = kind;
  request.frames = anyFrameCount(random);
  for (int channel = 0; channel < 2; ++channel) {
    request.input[channel] = !random.percent(channel == 0 ? 3 : 8);
    request.output[channel] = !random.percent(channel == 0 ? 3 : 8);
  }
  request.inPlace = random.percent(20);
  static constexpr float kAmplitudes[] = {1.0f, 1.0f, 0.5f, 0.0f, 1e-30f, 1000.0f, 1e6f};
  request.amplitude = random.pick(kAmplitudes);
  request.offersTime = random.percent(75);
  if (request.offersTime) request.time = anyTimeInfo(random);
  return request;
}

}  // namespace

Argument argumentOf(int32 opcode) {
  switch (opcode) {
    case effGetProgramName:
    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetParamName:
    case effGetProgramNameIndexed:
    case effGetEffectName:
    case effGetErrorText:
    case effGetVendorString:
    case effGetProductString:
      return Argument::TextOut;
    case effSetProgramName:
    case effCanDo:
    case effString2Parameter:
      return Argument::TextIn;
    case effEditGetRect:
      return Argument::RectOut;
    case effEditDraw:
      return Argument::RectIn;
    case effGetChunk:
      return Argument::ChunkOut;
    case effSetChunk:
      return Argument::ChunkIn;
    case effProcessEvents:
      return Argument::Events;
    case effSetSpeakerArrangement:
      return Argument::SpeakersIn;
    case effGetSpeakerArrangement:
      return Argument::SpeakersOut;
    default:
      return Argument::Scratch;
  }
}

Request makeRequest(StressRandom& random, int32 parameterCount, int32 programCount) {
  const std::uint32_t roll = random.below(100);
  if (roll < 35) return makeDispatch(random, parameterCount, programCount);
  if (roll < 36) {
    Request request;
    request.kind = RequestKind::LoadPreset;
    for (int32 i = 0; i < parameterCount; ++i)
      request.presetValues.push_back(unitParameterValue(random));
    return request;
  }
  if (roll < 60) {
    Request request;
    request.kind = RequestKind::SetParameter;
    request.index = anyParameterIndex(random, parameterCount);
    request.opt = anyParameterValue(random);
    return request;
  }
  if (roll < 68) {
    Request request;
    request.kind = RequestKind::GetParameter;
    request.index = anyParameterIndex(random, parameterCount);
    return request;
  }
  return makeAudio(random, roll < 70 ? RequestKind::Accumulate : RequestKind::Process);
}

std::string describe(const Request& request) {
  char text[256];
  switch (request.kind) {
    case RequestKind::Dispatch:
      std::snprintf(
          text, sizeof text, "dispatcher(opcode %d, index %d, value %lld, opt %g%s%s)",
          static_cast<int>(request.opcode), static_cast<int>(request.index),
          static_cast<long long>(request.value), static_cast<double>(request.opt),
          request.opcode == effProcessEvents ? ", events " : "",
          request.opcode == effProcessEvents ? std::to_string(request.events.size()).c_str() : "");
      break;
    case RequestKind::SetParameter:
      std::snprintf(text, sizeof text, "setParameter(%d, %g)", static_cast<int>(request.index),
                    static_cast<double>(request.opt));
      break;
    case RequestKind::GetParameter:
      std::snprintf(text, sizeof text, "getParameter(%d)", static_cast<int>(request.index));
      break;
    case RequestKind::LoadPreset:
      std::snprintf(text, sizeof text, "setParameter of every index within 0 to 1");
      break;
    case RequestKind::Process:
    case RequestKind::Accumulate:
      std::snprintf(text, sizeof text,
                    "%s(%d frames, inputs %s/%s, outputs %s/%s%s, amplitude %g, time %s: tempo %g "
                    "ppq %g flags %d)",
                    request.kind == RequestKind::Process ? "processReplacing" : "process",
                    static_cast<int>(request.frames), request.input[0] ? "set" : "null",
                    request.input[1] ? "set" : "null", request.output[0] ? "set" : "null",
                    request.output[1] ? "set" : "null", request.inPlace ? ", in place" : "",
                    static_cast<double>(request.amplitude), request.offersTime ? "offered" : "none",
                    request.time.tempo, request.time.ppqPos, static_cast<int>(request.time.flags));
      break;
  }
  return text;
}

}  // namespace qv::stress
