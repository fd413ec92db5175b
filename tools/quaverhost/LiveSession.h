// What `quaverhost edit` runs beside the plug-in's editor on every platform: silent audio at a
// sound card's pace, and a host callback that keeps nothing.
#pragma once

#include <atomic>
#include <thread>

#include "host/Vst2.h"

namespace qv::hostcli {

inline constexpr int32 kLiveBlockSize = 512;
inline constexpr double kLiveSampleRate = 44100.0;

// Silent blocks at about the pace a sound card asks for them, so that the beat runs and the
// editor's light blinks. The blocks stop, and the thread is joined, when this is destroyed.
class SilentAudio {
 public:
  explicit SilentAudio(AEffect& plugin);
  ~SilentAudio();
  SilentAudio(const SilentAudio&) = delete;
  SilentAudio& operator=(const SilentAudio&) = delete;

 private:
  void run();

  AEffect& effect;
  std::atomic<bool> running = true;
  std::thread thread;
};

// The host of a live session: it keeps nothing, so the audio thread and the editor's thread
// may both call it. It takes the editor's size requests, since its window already has the
// editor's size.
intptr VSTCALLBACK answerLiveSession(AEffect* effect, int32 opcode, int32 index, intptr value,
                                     void* ptr, float opt);

}  // namespace qv::hostcli
