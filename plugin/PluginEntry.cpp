#include "plugin/PluginEntry.h"

#include <new>

#include "effect/TremoloEffect.h"
#include "plugin/TremoloEditor.h"

AEffect* createPluginInstance(audioMasterCallback hostCallback) {
  if (!hostCallback || hostCallback(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) {
    return nullptr;
  }
  auto* effect = new (std::nothrow) TremoloEffect(hostCallback, &makeTremoloEditor);
  return effect ? effect->getRecord() : nullptr;
}
