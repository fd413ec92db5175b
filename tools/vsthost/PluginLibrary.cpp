#include "tools/vsthost/PluginLibrary.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <dlfcn.h>
#include <link.h>

#include <unistd.h>
#include <cstring>
#endif

#include "tools/common/EchoedWord.h"

namespace qv::host {

PluginLibrary::~PluginLibrary() {
  unload();
}

#ifdef _WIN32

namespace {

std::wstring widen(const std::string& text) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, wide.data(), length);
  wide.resize(static_cast<size_t>(length - 1));
  return wide;
}

}  // namespace

bool PluginLibrary::load(const std::string& path, std::string& error) {
  unload();
  // Keep the loader's own error boxes away from a command-line tool.
  const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  HMODULE module = LoadLibraryW(widen(path).c_str());
  SetErrorMode(oldMode);
  if (!module) {
    error = "cannot load " + tools::echoedWord(path) + " (Windows error " +
            std::to_string(GetLastError()) + ")";
    return false;
  }
  FARPROC proc = GetProcAddress(module, "main");
  if (!proc) {
    FreeLibrary(module);
    error = tools::echoedWord(path) + " exports no function named main";
    return false;
  }
  handle_ = module;
  entry_ = reinterpret_cast<PluginEntry>(reinterpret_cast<void*>(proc));
  return true;
}

void PluginLibrary::unload() {
  if (handle_) FreeLibrary(static_cast<HMODULE>(handle_));
  handle_ = nullptr;
  entry_ = nullptr;
}

bool stderrIsTerminal() {
  return _isatty(2) != 0;
}

#else

bool PluginLibrary::load(const std::string& path, std::string& error) {
  unload();
  // A bare file name would make dlopen search the system's library path.
  const std::string where = path.find('/') == std::string::npos ? "./" + path : path;
  void* handle = dlopen(where.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* text = dlerror();
    std::string reason = text ? text : "unknown reason";
    // The loader names the file again; say it once, and not at any length.
    if (reason.compare(0, where.size() + 2, where + ": ") == 0) reason.erase(0, where.size() + 2);
    error = "cannot load " + tools::echoedWord(path) + ": " + reason;
    return false;
  }
  void* symbol = dlsym(handle, "main");
  // dlsym also searches the library's dependencies; only a `main` of the library itself counts.
  Dl_info symbolInfo{};
  link_map* library = nullptr;
  const bool own = symbol && dladdr(symbol, &symbolInfo) != 0 && symbolInfo.dli_fname &&
                   dlinfo(handle, RTLD_DI_LINKMAP, &library) == 0 && library && library->l_name &&
                   std::strcmp(symbolInfo.dli_fname, library->l_name) == 0;
  if (!own) {
    dlclose(handle);
    error = tools::echoedWord(path) + " exports no function named main";
    return false;
  }
  handle_ = handle;
  entry_ = reinterpret_cast<PluginEntry>(symbol);
  return true;
}

void PluginLibrary::unload() {
  if (handle_) dlclose(handle_);
  handle_ = nullptr;
  entry_ = nullptr;
}

bool stderrIsTerminal() {
  return isatty(2) != 0;
}

#endif

}  // namespace qv::host
