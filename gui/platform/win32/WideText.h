// The toolkit's narrow texts turned into the system's wide characters, through the system's
// ANSI code page, so that a byte means on screen what it means to the narrow system calls.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

namespace platform::win32 {

class WideText {
 public:
  // Converts len bytes of text (no terminator needed). Empty when len is not positive, when
  // text is null, or when no memory can be had for a long text.
  WideText(const char* text, std::int32_t len);
  WideText(const WideText&) = delete;
  WideText& operator=(const WideText&) = delete;

  const wchar_t* data() const { return buffer; }
  int size() const { return length; }

 private:
  static constexpr int kFixedLength = 128;

  wchar_t fixed[kFixedLength];
  std::unique_ptr<wchar_t[]> heap;
  wchar_t* buffer = fixed;
  int length = 0;
};

}  // namespace platform::win32
