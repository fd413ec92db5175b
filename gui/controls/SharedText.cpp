#include "gui/controls/SharedText.h"

#include <cstddef>

namespace {
constexpr auto kBytes = static_cast<std::size_t>(kTextBufferSize);
// The last byte is never written, so the stored text is always terminated.
constexpr std::size_t kLastByte = kBytes - 1;
}  // namespace

bool SharedText::assign(const char* text) {
  const char* from = text ? text : "";
  bool changed = false;
  for (std::size_t i = 0; i < kLastByte; ++i) {
    const char c = from[i];
    if (bytes[i].load(std::memory_order_relaxed) != c) {
      bytes[i].store(c, std::memory_order_relaxed);
      changed = true;
    }
    if (c == '\0') break;
  }
  return changed;
}

void SharedText::copyTo(char* out) const {
  for (std::size_t i = 0; i < kBytes; ++i) {
    out[i] = bytes[i].load(std::memory_order_relaxed);
    if (out[i] == '\0') return;
  }
}
