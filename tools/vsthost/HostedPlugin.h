// One plug-in instance in the project's own VST 2 host: loads the library, calls
// its entry point, answers its host callback and drives its dispatcher.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "host/Vst2.h"
#include "tools/vsthost/HostCapture.h"
#include "tools/vsthost/PluginLibrary.h"
#include "tools/vsthost/Transport.h"

namespace qv::host {

constexpr intptr kHostVstVersion = 2400;

// Owns the library and the instance; the destructor sends effClose (when the
// instance is still open) and then unloads the library. Every call, including the
// plug-in's callbacks into the host, is expected on one thread at a time.
class HostedPlugin {
 public:
  // Loads `path` and creates an instance. Returns null with a reason when the
  // library cannot be loaded, has no `main`, `main` returns null, or the record it
  // returns lacks the VST 2 magic number.
  static std::unique_ptr<HostedPlugin> load(const std::string& path, std::string& error);
  ~HostedPlugin();
  HostedPlugin(const HostedPlugin&) = delete;
  HostedPlugin& operator=(const HostedPlugin&) = delete;

  // The instance's record; valid until close().
  AEffect& effect() { return *effect_; }

  intptr dispatch(int32 opcode, int32 index = 0, intptr value = 0, void* ptr = nullptr,
                  float opt = 0.0f);
  // Asks for a text (effGetEffectName, effGetParamName, ...) in a zeroed buffer far
  // larger than the standard's budgets; the answer is cut at the buffer's end.
  std::string text(int32 opcode, int32 index = 0);

  // effSetSampleRate / effSetBlockSize; the host answers later queries with these.
  void setSampleRate(double rate);
  void setBlockSize(int32 frames);
  // The transport answering audioMasterGetTime; null (the default) answers null.
  // Not owned; must outlive its use here.
  void setTransport(Transport* transport) { transport_ = transport; }

  // One block as a host runs it: effProcessEvents when `events` is not null, then
  // processReplacing (or, for a plug-in without it, process into zeroed outputs).
  // Events the plug-in sends meanwhile are stamped from `blockStart`.
  void processBlock(std::int64_t blockStart, VstEvents* events, float** inputs, float** outputs,
                    int32 frames);

  // Sends effClose; the record is gone afterwards. Safe to call twice.
  void close();

  HostCapture& capture() { return capture_; }
  // The editor size the plug-in last asked for with audioMasterSizeWindow (0 × 0: none).
  int32 requestedWidth() const { return requestedWidth_; }
  int32 requestedHeight() const { return requestedHeight_; }

 private:
  HostedPlugin() = default;
  static intptr VSTCALLBACK callback(AEffect* effect, int32 opcode, int32 index, intptr value,
                                     void* ptr, float opt);
  intptr answer(int32 opcode, int32 index, intptr value, void* ptr, float opt);

  PluginLibrary library_;  // declared first: unloaded last
  AEffect* effect_ = nullptr;
  double sampleRate_ = 44100.0;
  int32 blockSize_ = 1024;
  bool processing_ = false;
  Transport* transport_ = nullptr;
  HostCapture capture_;
  int32 requestedWidth_ = 0;
  int32 requestedHeight_ = 0;
};

}  // namespace qv::host
