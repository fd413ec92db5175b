#include "base/HostText.h"

#include <cstring>

void copyHostText(char* dest, const char* text) {
  const void* end = std::memchr(text, '\0', kHostTextSize - 1);
  const std::size_t length =
      end ? static_cast<std::size_t>(static_cast<const char*>(end) - text) : kHostTextSize - 1;
  std::memcpy(dest, text, length);
  dest[length] = '\0';
}
