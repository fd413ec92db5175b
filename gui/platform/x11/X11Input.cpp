#include "gui/platform/x11/X11Input.h"

#include "gui/platform/x11/X11Windows.h"

namespace platform::x11 {

namespace {

std::int64_t pack(Point p) {
  return static_cast<std::int64_t>(static_cast<std::uint32_t>(p.x)) |
         (static_cast<std::int64_t>(p.y) << 32);
}

Point unpack(std::int64_t word) {
  return Point(static_cast<std::int32_t>(static_cast<std::uint32_t>(word & 0xFFFFFFFF)),
               static_cast<std::int32_t>(word >> 32));
}

}  // namespace

void X11Input::setPointer(Point screen) {
  pointer.store(pack(screen));
}

std::int32_t X11Input::buttonState() {
  x11Windows().pumpWhileWaiting();
  return buttons.load();
}

Point X11Input::cursorPosition() {
  x11Windows().pumpWhileWaiting();
  return unpack(pointer.load());
}

std::uint32_t X11Input::tickCount() {
  x11Windows().pumpWhileWaiting();
  return static_cast<std::uint32_t>(steadyMilliseconds());
}

bool X11Input::takeLeftButtonDown() {
  return x11Windows().takeLeftPress();
}

X11Input& x11Input() {
  static X11Input input;
  return input;
}

}  // namespace platform::x11
