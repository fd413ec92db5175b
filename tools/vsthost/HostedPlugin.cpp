#include "tools/vsthost/HostedPlugin.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string_view>
#include <vector>

#include "tools/common/EchoedWord.h"

namespace qv::host {

namespace {

// The instance whose `main` is running: the plug-in may call back before its record
// is known to the host (with a null record or its own, not yet returned).
thread_local HostedPlugin* instanceBeingCreated = nullptr;

constexpr std::string_view kHostCanDo[] = {
    "sendVstEvents",       "sendVstMidiEvent",   "sendVstTimeInfo", "receiveVstEvents",
    "receiveVstMidiEvent", "receiveVstTimeInfo", "sizeWindow",
};

void copyText(void* destination, const char* text, size_t capacity) {
  if (!destination) return;
  std::strncpy(static_cast<char*>(destination), text, capacity - 1);
  static_cast<char*>(destination)[capacity - 1] = '\0';
}

constexpr intptr kMaxAnsweredRate = std::numeric_limits<std::int32_t>::max();

}  // namespace

std::unique_ptr<HostedPlugin> HostedPlugin::load(const std::string& path, std::string& error) {
  std::unique_ptr<HostedPlugin> host(new HostedPlugin());
  if (!host->library_.load(path, error)) return nullptr;
  instanceBeingCreated = host.get();
  AEffect* effect = host->library_.entry()(&HostedPlugin::callback);
  instanceBeingCreated = nullptr;
  if (!effect) {
    error = tools::echoedWord(path) + ": the plug-in's main returned no instance";
    return nullptr;
  }
  if (effect->magic != kEffectMagic) {
    error = tools::echoedWord(path) + ": main returned a record without the VST 2 magic number";
    return nullptr;
  }
  // resvd1 belongs to the host: it leads the callback back to this object.
  effect->resvd1 = reinterpret_cast<intptr>(host.get());
  host->effect_ = effect;
  return host;
}

HostedPlugin::~HostedPlugin() {
  close();
}

void HostedPlugin::close() {
  if (!effect_) return;
  effect_->dispatcher(effect_, effClose, 0, 0, nullptr, 0.0f);
  effect_ = nullptr;
}

intptr HostedPlugin::dispatch(int32 opcode, int32 index, intptr value, void* ptr, float opt) {
  return effect_ ? effect_->dispatcher(effect_, opcode, index, value, ptr, opt) : 0;
}

std::string HostedPlugin::text(int32 opcode, int32 index) {
  std::vector<char> buffer(512, '\0');
  dispatch(opcode, index, 0, buffer.data(), 0.0f);
  buffer.back() = '\0';
  return buffer.data();
}

void HostedPlugin::setSampleRate(double rate) {
  sampleRate_ = rate;
  dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(rate));
}

void HostedPlugin::setBlockSize(int32 frames) {
  blockSize_ = frames;
  dispatch(effSetBlockSize, 0, frames);
}

void HostedPlugin::processBlock(std::int64_t blockStart, VstEvents* events, float** inputs,
                                float** outputs, int32 frames) {
  if (!effect_) return;
  capture_.setBlockStart(blockStart);
  processing_ = true;
  if (events) dispatch(effProcessEvents, 0, 0, events);
  if ((effect_->flags & effFlagsCanReplacing) && effect_->processReplacing) {
    effect_->processReplacing(effect_, inputs, outputs, frames);
  } else if (effect_->process) {
    for (int32 c = 0; c < effect_->numOutputs; ++c)
      std::memset(outputs[c], 0, sizeof(float) * static_cast<size_t>(std::max(frames, 0)));
    effect_->process(effect_, inputs, outputs, frames);
  }
  processing_ = false;
}

intptr VSTCALLBACK HostedPlugin::callback(AEffect* effect, int32 opcode, int32 index, intptr value,
                                          void* ptr, float opt) {
  HostedPlugin* host = effect && effect->resvd1 ? reinterpret_cast<HostedPlugin*>(effect->resvd1)
                                                : instanceBeingCreated;
  if (!host) return opcode == audioMasterVersion ? kHostVstVersion : 0;
  return host->answer(opcode, index, value, ptr, opt);
}

intptr HostedPlugin::answer(int32 opcode, int32 index, intptr value, void* ptr, float opt) {
  switch (opcode) {
    case audioMasterVersion:
      return kHostVstVersion;
    case audioMasterAutomate:
      capture_.addAutomation(AutomationRecord::Kind::Automate, index, opt);
      return 0;
    case audioMasterBeginEdit:
      capture_.addAutomation(AutomationRecord::Kind::BeginEdit, index, 0.0f);
      return 1;
    case audioMasterEndEdit:
      capture_.addAutomation(AutomationRecord::Kind::EndEdit, index, 0.0f);
      return 1;
    case audioMasterWantMidi:
      return 1;
    case audioMasterGetTime: {
      capture_.countTimeRequest();
      const VstTimeInfo* info = transport_ ? transport_->timeInfo() : nullptr;
      return reinterpret_cast<intptr>(info);
    }
    case audioMasterProcessEvents:
      capture_.addEvents(static_cast<const VstEvents*>(ptr));
      return 1;
    case audioMasterSetTime:
      capture_.addTimeReport(static_cast<const VstTimeInfo*>(ptr));
      return 1;
    case audioMasterTempoAt: {
      const VstTimeInfo* info = transport_ ? transport_->timeInfo() : nullptr;
      return info ? static_cast<intptr>(info->tempo * 10000.0) : 0;
    }
    case audioMasterGetNumAutomatableParameters:
      return effect_ ? effect_->numParams : 0;
    case audioMasterSizeWindow:
      // No window is open; the size is kept for when one is.
      requestedWidth_ = index;
      requestedHeight_ = static_cast<int32>(value);
      return 1;
    case audioMasterGetSampleRate:
      // A WAV file may declare up to 2^32 - 1 Hz, more than a 32-bit answer holds.
      if (!(sampleRate_ >= 1.0)) return 0;
      return sampleRate_ >= static_cast<double>(kMaxAnsweredRate)
                 ? kMaxAnsweredRate
                 : static_cast<intptr>(sampleRate_);
    case audioMasterGetBlockSize:
      return blockSize_;
    case audioMasterWillReplaceOrAccumulate:
      return 1;  // replace
    case audioMasterGetCurrentProcessLevel:
      return processing_ ? 2 : 1;  // real-time audio thread, else user thread
    case audioMasterGetAutomationState:
      return 1;  // automation off
    case audioMasterGetVendorString:
      copyText(ptr, "Quaverling developers", kVstMaxVendorStrLen);
      return 1;
    case audioMasterGetProductString:
      copyText(ptr, "quaverhost", kVstMaxProductStrLen);
      return 1;
    case audioMasterGetVendorVersion:
      return 1100;
    case audioMasterCanDo: {
      if (!ptr) return 0;
      const std::string_view asked(static_cast<const char*>(ptr));
      for (std::string_view known : kHostCanDo)
        if (asked == known) return 1;
      return 0;
    }
    case audioMasterGetLanguage:
      return 1;  // English
    case audioMasterUpdateDisplay:
      return 1;
    default:
      return 0;
  }
}

}  // namespace qv::host
