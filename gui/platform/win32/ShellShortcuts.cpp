// Shell shortcuts resolved through the shell's link object, for dropped ".lnk" files.
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <windows.h>

#include <cstring>

#include "gui/platform/DropSink.h"
#include "gui/platform/win32/WideText.h"

namespace {

// No user interface, any match, at most 500 ms of searching for a moved target.
constexpr DWORD kResolveFlags = DWORD{SLR_NO_UI} | DWORD{SLR_ANY_MATCH} | (500u << 16);

// Releases a COM interface when the scope ends.
template <typename Interface>
class Held {
 public:
  Held() = default;
  ~Held() {
    if (object) object->Release();
  }
  Held(const Held&) = delete;
  Held& operator=(const Held&) = delete;
  Interface* operator->() const { return object; }
  void** out() { return reinterpret_cast<void**>(&object); }

 private:
  Interface* object = nullptr;
};

}  // namespace

bool platform::resolveShortcut(char* path, std::int32_t capacity) {
  if (!path || capacity <= 0) return false;
  const std::size_t nameLength = strnlen(path, static_cast<std::size_t>(capacity));
  if (nameLength >= static_cast<std::size_t>(capacity)) return false;
  Held<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              link.out()))) {
    return false;
  }
  Held<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.out()))) return false;
  const win32::WideText wideName(path, static_cast<std::int32_t>(nameLength + 1));
  if (wideName.size() == 0 || FAILED(file->Load(wideName.data(), STGM_READ))) return false;
  if (FAILED(link->Resolve(nullptr, kResolveFlags))) return false;
  char target[MAX_PATH * 4] = "";
  if (link->GetPath(target, sizeof target, nullptr, 0) != S_OK || target[0] == '\0') {
    return false;
  }
  // The short form, when the platform has one that fits; else the long form, when it fits.
  char shortForm[sizeof target] = "";
  const DWORD shortLength = GetShortPathNameA(target, shortForm, sizeof shortForm);
  const char* result = shortLength > 0 && shortLength < sizeof shortForm ? shortForm : target;
  const std::size_t length = std::strlen(result);
  if (length >= static_cast<std::size_t>(capacity)) return false;
  std::memcpy(path, result, length + 1);
  return result == shortForm;
}
