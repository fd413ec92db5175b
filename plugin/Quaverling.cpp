// The library's exports: "main" (and on Linux also "VSTPluginMain", the name that Linux hosts
// look for first), and on Windows the load hook.
#include "plugin/PluginEntry.h"

#ifdef _WIN32
#include <windows.h>

#include "gui/platform/Module.h"

// Exported as "main" by Quaverling.def.
extern "C" AEffect* VSTCALLBACK quaverlingMain(audioMasterCallback hostCallback);

// Keeps the module handle for loading the skin bitmaps from our own resources.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
  platform::setModuleHandle(instance);
  return TRUE;
}

extern "C" AEffect* VSTCALLBACK quaverlingMain(audioMasterCallback hostCallback) {
  return createPluginInstance(hostCallback);
}
#else
#include "plugin/LinuxEditorDispatch.h"

// C++ reserves the name main for the program entry, so the symbol is named here;
// the version script keeps the two entries as the only exports.
extern "C" __attribute__((visibility("default"))) AEffect* quaverlingMain(
    audioMasterCallback hostCallback) __asm__("main");

extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(
    audioMasterCallback hostCallback) {
  return useLinuxEditorDispatch(createPluginInstance(hostCallback));
}

extern "C" AEffect* quaverlingMain(audioMasterCallback hostCallback) {
  return VSTPluginMain(hostCallback);
}
#endif
