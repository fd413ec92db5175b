// A tiny VST 2 effect that lets audio through unchanged. Built twice:
//
// ProbePlugin shows how a host drives a plug-in: with QV_PROBE_LOG=FILE, every
// dispatcher call, parameter change and processed block (with the host's time
// information) is appended to FILE, one line each, the process id first.
//
// BrokenPlugin (QV_BROKEN_PLUGIN defined) proves that the real-host tests notice a
// plug-in that fails: QV_BROKEN_FAULT picks "entry-null" (main makes no instance),
// "entry-crash", "entry-hang", "process-crash", "process-hang" (on the first block
// with the transport playing) or "silent" (the output is zero); unset, it lets the
// audio through like a plug-in that does nothing.
#include <unistd.h>

#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "host/Vst2.h"

namespace {

constexpr int32 kParameters = 17;

struct Probe {
  AEffect effect{};
  audioMasterCallback host = nullptr;
  float parameters[kParameters] = {};
};

#ifdef QV_BROKEN_PLUGIN
constexpr bool kBroken = true;
constexpr char kName[] = "Broken";
#else
constexpr bool kBroken = false;
constexpr char kName[] = "Probe";
#endif

const char* fault() {
  const char* value = kBroken ? std::getenv("QV_BROKEN_FAULT") : nullptr;
  return value ? value : "";
}

bool faultIs(const char* name) {
  return std::strcmp(fault(), name) == 0;
}

void logLine(const char* format, ...) __attribute__((format(printf, 1, 2)));

void logLine(const char* format, ...) {
  const char* path = kBroken ? nullptr : std::getenv("QV_PROBE_LOG");
  if (!path || !*path) return;
  FILE* file = std::fopen(path, "a");
  if (!file) return;
  std::fprintf(file, "%d ", static_cast<int>(getpid()));
  va_list args;
  va_start(args, format);
  std::vfprintf(file, format, args);
  va_end(args);
  std::fputc('\n', file);
  std::fclose(file);
}

[[noreturn]] void misbehave() {
  if (faultIs("entry-crash") || faultIs("process-crash")) std::raise(SIGSEGV);
  for (;;) pause();
}

Probe& probeOf(AEffect* effect) {
  return *static_cast<Probe*>(effect->object);
}

void copyText(void* ptr, const char* text) {
  if (ptr) std::snprintf(static_cast<char*>(ptr), 24, "%s", text);
}

intptr VSTCALLBACK dispatcher(AEffect* effect, int32 opcode, int32 index, intptr value, void* ptr,
                              float opt) {
  logLine("dispatch %d %d %ld %g", opcode, index, static_cast<long>(value),
          static_cast<double>(opt));
  switch (opcode) {
    case effClose:
      delete &probeOf(effect);
      return 1;
    case effGetParamName:
    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetProgramName:
    case effGetProgramNameIndexed:
      copyText(ptr, "");
      return 1;
    case effGetEffectName:
    case effGetProductString:
      copyText(ptr, kName);
      return 1;
    case effGetVendorString:
      copyText(ptr, "quaverling tests");
      return 1;
    case effGetPlugCategory:
      return kPlugCategEffect;
    case effGetVstVersion:
      return 2400;
    default:
      return 0;
  }
}

void VSTCALLBACK setParameter(AEffect* effect, int32 index, float value) {
  logLine("set %d %g", index, static_cast<double>(value));
  if (index >= 0 && index < kParameters) probeOf(effect).parameters[index] = value;
}

float VSTCALLBACK getParameter(AEffect* effect, int32 index) {
  return index >= 0 && index < kParameters ? probeOf(effect).parameters[index] : 0.0f;
}

void VSTCALLBACK processReplacing(AEffect* effect, float** inputs, float** outputs, int32 frames) {
  Probe& probe = probeOf(effect);
  const auto* time = reinterpret_cast<const VstTimeInfo*>(
      probe.host(effect, audioMasterGetTime, 0, 0xFFFF, nullptr, 0.0f));
  // The faults of processing strike once the song plays, not while a host prepares.
  const bool playing = time && (time->flags & kVstTransportPlaying);
  if (playing && (faultIs("process-crash") || faultIs("process-hang"))) misbehave();
  if (time)
    logLine("block %d flags %d sample %.17g ppq %.17g tempo %.17g", frames, time->flags,
            time->samplePos, time->ppqPos, time->tempo);
  else
    logLine("block %d no-time", frames);
  const bool silent = faultIs("silent");
  for (int channel = 0; channel < 2; ++channel)
    for (int32 i = 0; i < frames; ++i) outputs[channel][i] = silent ? 0.0f : inputs[channel][i];
}

void VSTCALLBACK process(AEffect*, float**, float**, int32) {}

}  // namespace

// Exported as `main` by the linker (a C++ function cannot carry that name).
extern "C" __attribute__((visibility("default"))) AEffect* VSTCALLBACK
probeMain(audioMasterCallback hostCallback) {
  logLine("entry");
  if (faultIs("entry-null")) return nullptr;
  if (faultIs("entry-crash") || faultIs("entry-hang")) misbehave();
  if (!hostCallback) return nullptr;
  auto* probe = new Probe;
  probe->host = hostCallback;
  AEffect& e = probe->effect;
  e.magic = kEffectMagic;
  e.dispatcher = dispatcher;
  e.process = process;
  e.setParameter = setParameter;
  e.getParameter = getParameter;
  e.processReplacing = processReplacing;
  e.numPrograms = 1;
  e.numParams = kParameters;
  e.numInputs = 2;
  e.numOutputs = 2;
  e.flags = effFlagsCanReplacing;
  e.ioRatio = 1.0f;
  e.object = probe;
  e.uniqueID = kBroken ? fourCharCode('Q', 'v', 'B', 'k') : fourCharCode('Q', 'v', 'P', 'b');
  e.version = 1;
  return &e;
}
