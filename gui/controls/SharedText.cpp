#include "gui/controls/SharedText.h"

bool SharedText::assign(const char* text) {
  const char* from = text ? text : "";
  bool changed = false;
  // The last byte is never written, so the stored text is always terminated.
  for (std::int32_t i = 0; i < kTextBufferSize - 1; ++i) {
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
  for (std::int32_t i = 0; i < kTextBufferSize; ++i) {
    out[i] = bytes[i].load(std::memory_order_relaxed);
    if (out[i] == '\0') return;
  }
}
