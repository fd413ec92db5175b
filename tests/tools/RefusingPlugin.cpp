// A plug-in library whose entry point declines to make an instance, as a plug-in
// does when its host is too old.
#include "host/Vst2.h"

extern "C" __attribute__((visibility("default"))) AEffect* VSTCALLBACK
refusingMain(audioMasterCallback hostCallback) {
  if (hostCallback) hostCallback(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f);
  return nullptr;
}
