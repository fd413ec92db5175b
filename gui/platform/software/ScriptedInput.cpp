#include "gui/platform/software/ScriptedInput.h"

#include <algorithm>

namespace platform::software {

void ScriptedInput::reset() {
  *this = ScriptedInput();
}

void ScriptedInput::cursorAt(std::uint32_t time, Point screen) {
  changes.push_back({time, Kind::Cursor, screen, 0});
}

void ScriptedInput::buttonsAt(std::uint32_t time, std::int32_t state) {
  changes.push_back({time, Kind::Buttons, Point(), state});
}

void ScriptedInput::leftPressAt(std::uint32_t time) {
  changes.push_back({time, Kind::LeftPress, Point(), 0});
}

std::uint32_t ScriptedInput::tick() {
  // Changes are applied in the order of their times; equal times in the order scripted.
  std::stable_sort(changes.begin(), changes.end(),
                   [](const Change& a, const Change& b) { return a.time < b.time; });
  auto due = changes.begin();
  for (; due != changes.end() && due->time <= now; ++due) {
    switch (due->kind) {
      case Kind::Cursor:
        cursor = due->cursor;
        break;
      case Kind::Buttons:
        buttons = due->buttons;
        break;
      case Kind::LeftPress:
        buttons |= platform::kPhysicalLeft;
        ++presses;
        break;
    }
  }
  changes.erase(changes.begin(), due);
  const std::uint32_t time = now;
  now += step;
  return time;
}

std::int32_t ScriptedInput::buttonState() {
  tick();
  return buttons;
}

Point ScriptedInput::cursorPosition() {
  tick();
  return cursor;
}

std::uint32_t ScriptedInput::tickCount() {
  return tick();
}

bool ScriptedInput::takeLeftButtonDown() {
  tick();
  if (presses == 0) return false;
  --presses;
  return true;
}

ScriptedInput& scriptedInput() {
  static ScriptedInput input;
  return input;
}

}  // namespace platform::software
