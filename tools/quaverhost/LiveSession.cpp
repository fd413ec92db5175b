#include "tools/quaverhost/LiveSession.h"

#include <chrono>
#include <vector>

namespace qv::hostcli {

SilentAudio::SilentAudio(AEffect& plugin) : effect(plugin), thread([this] { run(); }) {}

SilentAudio::~SilentAudio() {
  running.store(false, std::memory_order_relaxed);
  thread.join();
}

void SilentAudio::run() {
  std::vector<float> left(kLiveBlockSize), right(kLiveBlockSize), outLeft(kLiveBlockSize),
      outRight(kLiveBlockSize);
  float* inputs[] = {left.data(), right.data()};
  float* outputs[] = {outLeft.data(), outRight.data()};
  const auto block =
      std::chrono::milliseconds(static_cast<int>(kLiveBlockSize * 1000.0 / kLiveSampleRate));
  while (running.load(std::memory_order_relaxed)) {
    effect.processReplacing(&effect, inputs, outputs, kLiveBlockSize);
    std::this_thread::sleep_for(block);
  }
}

intptr VSTCALLBACK answerLiveSession(AEffect*, int32 opcode, int32, intptr, void*, float) {
  switch (opcode) {
    case audioMasterVersion:
      return 2400;
    case audioMasterGetSampleRate:
      return static_cast<intptr>(kLiveSampleRate);
    case audioMasterGetBlockSize:
      return kLiveBlockSize;
    case audioMasterBeginEdit:
    case audioMasterEndEdit:
    case audioMasterSizeWindow:
    case audioMasterWantMidi:
      return 1;
    default:
      return 0;
  }
}

}  // namespace qv::hostcli
