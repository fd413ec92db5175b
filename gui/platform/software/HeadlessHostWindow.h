// A host window for hosts in another module than the software backend. The backend's windows
// live inside the module that links it (the plug-in), so a host that loaded the plug-in cannot
// make a window there to give to the editor as its parent. It hands the address of this record
// to the plug-in in a request of its own (kHeadlessWindowRequest) before it opens the editor:
// the backend makes a top-level window of the record's size for it and fills in the window to
// pass to the editor and the calls through which the host plays the user's message loop and
// reads the picture.
#pragma once

#include <cstdint>

namespace platform::software {

// The index of the vendor-specific request that hands the plug-in a record.
inline constexpr std::int32_t kHeadlessWindowRequest = 0x51764877;  // 'Qvhw'

struct HeadlessHostWindow {
  static constexpr std::uint32_t kMagic = 0x51764857;  // 'QvHW'

  // Set by the host.
  std::uint32_t magic = kMagic;
  std::int32_t width = 0;
  std::int32_t height = 0;

  // Set by the backend when it makes the window; null until then.
  void* window = nullptr;
  // Delivers the waiting presses and paints of the calling thread, as a message loop does.
  void (*dispatchMessages)() = nullptr;
  // Copies the window's picture, its child windows drawn over it, into out: width x height
  // words 0x00RRGGBB, row by row. False when the window is gone.
  bool (*readPixels)(const HeadlessHostWindow* self, std::uint32_t* out) = nullptr;
};

// The tree's window for the record: made on the first call, the same one afterwards. Null for
// a null record or one without the magic word.
void* adoptHeadlessHostWindow(HeadlessHostWindow* record);

}  // namespace platform::software
