#include "gui/platform/win32/WideText.h"

#include <new>

namespace platform::win32 {

WideText::WideText(const char* text, std::int32_t len) {
  fixed[0] = L'\0';
  if (!text || len <= 0) return;
  // Every byte makes at most one wide character in an ANSI code page, so the byte count
  // bounds the size, and short texts never reach the heap.
  if (len > kFixedLength) {
    heap.reset(new (std::nothrow) wchar_t[static_cast<std::size_t>(len)]);
    if (!heap) return;
    buffer = heap.get();
  }
  const int converted = MultiByteToWideChar(CP_ACP, 0, text, len, buffer, len);
  length = converted > 0 ? converted : 0;
}

}  // namespace platform::win32
