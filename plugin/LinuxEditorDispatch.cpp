#include "plugin/LinuxEditorDispatch.h"

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>

#include "gui/platform/Input.h"
#include "gui/platform/software/HeadlessHostWindow.h"
#include "gui/platform/x11/BackendChoice.h"
#include "gui/platform/x11/X11Windows.h"
#include "host/BasicEditor.h"
#include "host/BasicEffect.h"
#include "host/ExtendedEffect.h"

namespace {

// Key codes of the VST 2 standard beyond the arrows that Vst2.h names.
constexpr unsigned char kVirtualBack = 1;
constexpr unsigned char kVirtualTab = 2;
constexpr unsigned char kVirtualReturn = 4;
constexpr unsigned char kVirtualEscape = 6;
constexpr unsigned char kVirtualSpace = 7;
constexpr unsigned char kVirtualEnd = 9;
constexpr unsigned char kVirtualHome = 10;

std::atomic<AEffectDispatcherProc> recordDispatcher{nullptr};

// The open editors, by the X id of the host's window they live in.
std::mutex openLock;
std::map<std::uint32_t, AEffect*> openEditors;

AEffect* editorIn(std::uint32_t hostWindow) {
  std::lock_guard<std::mutex> guard(openLock);
  const auto found = openEditors.find(hostWindow);
  return found == openEditors.end() ? nullptr : found->second;
}

void forget(AEffect* effect) {
  std::lock_guard<std::mutex> guard(openLock);
  std::erase_if(openEditors, [effect](const auto& entry) { return entry.second == effect; });
}

intptr callRecord(AEffect* effect, int32 opcode, int32 index, intptr value, void* ptr, float opt) {
  return recordDispatcher.load()(effect, opcode, index, value, ptr, opt);
}

unsigned char virtualKeyOf(std::uint32_t keysym) {
  switch (keysym) {
    case 0xFF08:
      return kVirtualBack;
    case 0xFF09:
      return kVirtualTab;
    case 0xFF0D:
    case 0xFF8D:
      return kVirtualReturn;
    case 0xFF1B:
      return kVirtualEscape;
    case 0x20:
      return kVirtualSpace;
    case 0xFF50:
      return kVirtualHome;
    case 0xFF57:
      return kVirtualEnd;
    case 0xFF51:
      return VKEY_LEFT;
    case 0xFF52:
      return VKEY_UP;
    case 0xFF53:
      return VKEY_RIGHT;
    case 0xFF54:
      return VKEY_DOWN;
    default:
      return 0;
  }
}

// Keys and wheel turns over an editor's X window reach the editor as a host would send them.
class KeysToEditor final : public platform::x11::HostBridge {
 public:
  void key(platform::WindowHandle frame, std::uint32_t keysym, char text, std::int32_t modifiers,
           bool down) override {
    AEffect* effect = editorIn(platform::x11::x11Windows().foreignParentOf(frame));
    if (!effect) return;
    std::int32_t bits = 0;
    if (modifiers & platform::kShiftDown) bits |= MODIFIER_SHIFT;
    if (modifiers & platform::kAltDown) bits |= MODIFIER_ALTERNATE;
    if (modifiers & platform::kControlDown) bits |= MODIFIER_CONTROL;
    const unsigned char virt = virtualKeyOf(keysym);
    if (!text && !virt) return;
    callRecord(effect, down ? effEditKeyDown : effEditKeyUp, static_cast<unsigned char>(text), virt,
               nullptr, static_cast<float>(bits));
  }

  void wheel(platform::WindowHandle frame, float distance) override {
    AEffect* effect = editorIn(platform::x11::x11Windows().foreignParentOf(frame));
    auto* object = effect ? static_cast<BasicEffect*>(effect->object) : nullptr;
    auto* extended = dynamic_cast<ExtendedEffect*>(object);
    if (BasicEditor* editor = extended ? extended->getEditor() : nullptr) editor->onWheel(distance);
  }
};

KeysToEditor keysToEditor;

intptr openEditor(AEffect* effect, void* ptr) {
  platform::x11::X11Windows& windows = platform::x11::x11Windows();
  const auto id = reinterpret_cast<std::uintptr_t>(ptr);
  if (!windows.isForeignWindow(id)) return 0;
  const intptr opened = callRecord(effect, effEditOpen, 0, 0, ptr, 0.0f);
  if (!opened || !windows.holdsWindowIn(static_cast<std::uint32_t>(id))) {
    // The host's window went before ours could be made in it.
    callRecord(effect, effEditClose, 0, 0, nullptr, 0.0f);
    return 0;
  }
  std::lock_guard<std::mutex> guard(openLock);
  openEditors[static_cast<std::uint32_t>(id)] = effect;
  return opened;
}

intptr VSTCALLBACK linuxDispatch(AEffect* effect, int32 opcode, int32 index, intptr value,
                                 void* ptr, float opt) {
  if (opcode == effVendorSpecific && index == platform::software::kHeadlessWindowRequest) {
    auto* record = static_cast<platform::software::HeadlessHostWindow*>(ptr);
    return record && platform::x11::useHeadless() &&
                   platform::software::adoptHeadlessHostWindow(record)
               ? 1
               : 0;
  }
  if (!platform::x11::onX11()) return callRecord(effect, opcode, index, value, ptr, opt);
  switch (opcode) {
    case effEditOpen: {
      std::lock_guard<std::recursive_mutex> hold(platform::x11::x11Windows().uiLock());
      return openEditor(effect, ptr);
    }
    case effEditIdle: {
      platform::x11::X11Windows& windows = platform::x11::x11Windows();
      std::lock_guard<std::recursive_mutex> hold(windows.uiLock());
      windows.noteHostIdle();
      windows.serve();
      return callRecord(effect, opcode, index, value, ptr, opt);
    }
    case effEditClose:
    case effClose: {
      std::lock_guard<std::recursive_mutex> hold(platform::x11::x11Windows().uiLock());
      forget(effect);
      // effClose deletes the effect: nothing of it is touched afterwards.
      return callRecord(effect, opcode, index, value, ptr, opt);
    }
    case effEditKeyDown:
    case effEditKeyUp:
    case effSetEditKnobMode: {
      std::lock_guard<std::recursive_mutex> hold(platform::x11::x11Windows().uiLock());
      return callRecord(effect, opcode, index, value, ptr, opt);
    }
    default:
      return callRecord(effect, opcode, index, value, ptr, opt);
  }
}

}  // namespace

AEffect* useLinuxEditorDispatch(AEffect* effect) {
  if (!effect) return nullptr;
  platform::x11::useX11UnlessHeadless();
  platform::x11::x11Windows().setHostBridge(&keysToEditor);
  // Every record has the same dispatcher; the first one is kept to pass calls on.
  AEffectDispatcherProc expected = nullptr;
  recordDispatcher.compare_exchange_strong(expected, effect->dispatcher);
  effect->dispatcher = linuxDispatch;
  return effect;
}
