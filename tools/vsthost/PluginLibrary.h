// Loads a plug-in library and finds its entry point; the one place that knows
// how the platform loads code at run time.
#pragma once

#include <string>

#include "host/Vst2.h"

namespace qv::host {

using PluginEntry = AEffect*(VSTCALLBACK*)(audioMasterCallback callback);

// A loaded library, unloaded by the destructor. Not copyable.
class PluginLibrary {
 public:
  PluginLibrary() = default;
  ~PluginLibrary();
  PluginLibrary(const PluginLibrary&) = delete;
  PluginLibrary& operator=(const PluginLibrary&) = delete;

  // Loads the library at `path` (UTF-8) and finds the exported `main`. On failure
  // returns false, leaves nothing loaded and describes the reason in `error`.
  bool load(const std::string& path, std::string& error);

  // The entry point found by load, or null when nothing is loaded.
  PluginEntry entry() const { return entry_; }

 private:
  void unload();

  void* handle_ = nullptr;
  PluginEntry entry_ = nullptr;
};

// True when standard error is an interactive terminal (progress display).
bool stderrIsTerminal();

}  // namespace qv::host
