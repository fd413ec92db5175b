// A text of at most 255 characters that the editor may replace from whatever thread reports
// a parameter change while the window's thread draws it. Each byte is a relaxed atomic: a
// text read during a replacement may mix old and new characters, but it is always
// terminated, and the replacing thread marks the view dirty afterwards so the next redraw
// shows the new text whole.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

// The size of a display text buffer, terminator included.
inline constexpr std::int32_t kTextBufferSize = 256;

class SharedText {
 public:
  // Copies text, cut to 255 characters; null counts as empty. True when the stored text
  // changed.
  bool assign(const char* text);
  // Copies the text, terminated, into out, which holds kTextBufferSize bytes.
  void copyTo(char* out) const;

 private:
  std::array<std::atomic<char>, kTextBufferSize> bytes{};
};
