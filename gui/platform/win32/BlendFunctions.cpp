#include "gui/platform/win32/BlendFunctions.h"

#include <atomic>

namespace platform::win32 {

namespace {

std::atomic<bool> enabled{true};

bool isNtFamily() {
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof(version);
  return GetVersionExW(&version) && version.dwPlatformId > VER_PLATFORM_WIN32_WINDOWS;
}

struct Entries {
  TransparentBltFunction transparentBlt = nullptr;
  AlphaBlendFunction alphaBlend = nullptr;

  Entries() {
    // The library stays loaded for the life of the process: the entries may be in use on
    // any thread until the very end, and it is a system library that every GUI process
    // maps anyway.
    HMODULE library = LoadLibraryW(L"msimg32.dll");
    if (!library) return;
    // GetProcAddress answers a generic function pointer; the cast through void keeps the
    // cast to the real signature free of function-type warnings.
    alphaBlend = reinterpret_cast<AlphaBlendFunction>(
        reinterpret_cast<void*>(GetProcAddress(library, "AlphaBlend")));
    if (isNtFamily()) {
      transparentBlt = reinterpret_cast<TransparentBltFunction>(
          reinterpret_cast<void*>(GetProcAddress(library, "TransparentBlt")));
    }
  }
};

const Entries& entries() {
  static const Entries loaded;
  return loaded;
}

}  // namespace

TransparentBltFunction transparentBltFunction() {
  return enabled.load(std::memory_order_relaxed) ? entries().transparentBlt : nullptr;
}

AlphaBlendFunction alphaBlendFunction() {
  return enabled.load(std::memory_order_relaxed) ? entries().alphaBlend : nullptr;
}

void setBlendFunctionsEnabled(bool on) {
  enabled.store(on, std::memory_order_relaxed);
}

}  // namespace platform::win32
