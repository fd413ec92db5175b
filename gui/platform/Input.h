// The mouse, keyboard-modifier and clock state that draw contexts query while they follow
// the mouse. One process-wide instance, provided by the backend (the software backend's
// is scripted by tests). Called on the user-interface thread.
#pragma once

#include <cstdint>

#include "gui/base/Point.h"

namespace platform {

// Physical buttons and modifiers, in the bits of the toolkit's button word.
inline constexpr std::int32_t kPhysicalLeft = 1;
inline constexpr std::int32_t kPhysicalMiddle = 2;
inline constexpr std::int32_t kPhysicalRight = 4;
inline constexpr std::int32_t kShiftDown = 8;
inline constexpr std::int32_t kControlDown = 16;
inline constexpr std::int32_t kAltDown = 32;

class Input {
 public:
  // The physical buttons and the modifiers down at this moment.
  virtual std::int32_t buttonState() = 0;
  // The cursor's position on the screen.
  virtual Point cursorPosition() = 0;
  // Milliseconds since an arbitrary start; wraps around.
  virtual std::uint32_t tickCount() = 0;
  // The time stamp of the message being handled.
  virtual std::uint32_t messageTime() = 0;
  virtual std::uint32_t doubleClickTime() = 0;
  // Removes a waiting left-button press of this thread from the queue; false when none.
  virtual bool takeLeftButtonDown() = 0;
  // Whether the system exchanges the logical left and right buttons.
  virtual bool buttonsSwapped() = 0;

 protected:
  ~Input() = default;
};

Input& input();

}  // namespace platform
