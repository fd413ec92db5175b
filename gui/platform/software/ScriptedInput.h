// The software backend's input: a mouse, modifier keys and a millisecond clock that tests
// script. Every query first applies the scripted changes that are due, then answers, then
// moves the clock on by one step, so that waiting loops see time pass and end. Used on
// one thread; tests reset it before they script it.
#pragma once

#include <cstdint>
#include <vector>

#include "gui/platform/Input.h"

namespace platform::software {

class ScriptedInput final : public platform::Input {
 public:
  // Back to time 0, cursor at (0, 0), nothing held, no pending presses or scripted
  // changes, message time 0, double-click time 500 ms, buttons not swapped, 1 ms a query.
  void reset();

  void setCursor(Point screen) { cursor = screen; }
  // Physical buttons and modifiers, as platform::kPhysicalLeft and the others.
  void setButtons(std::int32_t state) { buttons = state; }
  // The buttons and modifiers held now, without a query's step of the clock.
  std::int32_t heldButtons() const { return buttons; }
  void setMessageTime(std::uint32_t time) { message = time; }
  void setDoubleClickTime(std::uint32_t ms) { doubleClick = ms; }
  void setButtonsSwapped(bool swapped) { swappedButtons = swapped; }
  void setStep(std::uint32_t ms) { step = ms; }
  void setTime(std::uint32_t time) { now = time; }
  // Moves the clock on, as a sleep of the user-interface thread lets time pass.
  void advance(std::uint32_t ms) { now += ms; }
  std::uint32_t time() const { return now; }
  std::int32_t pendingPresses() const { return presses; }

  // Changes that take effect once the clock reaches their time.
  void cursorAt(std::uint32_t time, Point screen);
  void buttonsAt(std::uint32_t time, std::int32_t state);
  // A left press: the button goes down and a press message waits in the queue.
  void leftPressAt(std::uint32_t time);

  std::int32_t buttonState() override;
  Point cursorPosition() override;
  std::uint32_t tickCount() override;
  std::uint32_t messageTime() override { return message; }
  std::uint32_t doubleClickTime() override { return doubleClick; }
  bool takeLeftButtonDown() override;
  bool buttonsSwapped() override { return swappedButtons; }

 private:
  enum class Kind { Cursor, Buttons, LeftPress };
  struct Change {
    std::uint32_t time;
    Kind kind;
    Point cursor;
    std::int32_t buttons;
  };
  // Applies the due changes and returns the time of this query, moving the clock on.
  std::uint32_t tick();

  std::uint32_t now = 0;
  std::uint32_t step = 1;
  std::uint32_t message = 0;
  std::uint32_t doubleClick = 500;
  Point cursor;
  std::int32_t buttons = 0;
  std::int32_t presses = 0;
  bool swappedButtons = false;
  std::vector<Change> changes;
};

// The process's input, as platform::input() returns it.
ScriptedInput& scriptedInput();

}  // namespace platform::software
