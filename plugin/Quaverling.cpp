// The library's only export, "main", and on Windows the load hook.
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
#else
// C++ reserves the name main for the program entry, so the symbol is named here;
// the version script keeps it as the only export.
extern "C" __attribute__((visibility("default"))) AEffect* quaverlingMain(
    audioMasterCallback hostCallback) __asm__("main");
#endif

extern "C" AEffect* VSTCALLBACK quaverlingMain(audioMasterCallback hostCallback) {
  return createPluginInstance(hostCallback);
}
