// The X11 backend's input: the pointer, buttons and modifiers as the X thread last saw them in
// the server's events, and a steady millisecond clock. Queries from a loop on the X thread
// first let it read the waiting events, so that a drag followed there sees the release.
#pragma once

#include <atomic>
#include <cstdint>

#include "gui/platform/Input.h"

namespace platform::x11 {

class X11Input final : public platform::Input {
 public:
  // From the X thread's events: the buttons held (kPhysical bits) and the modifiers, and the
  // pointer on the screen.
  void setButtons(std::int32_t state) { buttons.store(state); }
  std::int32_t heldButtons() const { return buttons.load(); }
  void setPointer(Point screen);
  // The time of the event being handled.
  void setMessageTime(std::uint32_t time) { message.store(time); }

  std::int32_t buttonState() override;
  Point cursorPosition() override;
  std::uint32_t tickCount() override;
  std::uint32_t messageTime() override { return message.load(); }
  std::uint32_t doubleClickTime() override { return kDoubleClickTime; }
  bool takeLeftButtonDown() override;
  bool buttonsSwapped() override { return false; }

  static constexpr std::uint32_t kDoubleClickTime = 400;

 private:
  std::atomic<std::int32_t> buttons = 0;
  std::atomic<std::int64_t> pointer = 0;
  std::atomic<std::uint32_t> message = 0;
};

X11Input& x11Input();

}  // namespace platform::x11
