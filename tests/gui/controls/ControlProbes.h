// A tiny draggable control family for the tests of the control base: a fader whose value is
// the cursor's distance from its left edge over its width, and a listener that records what
// it hears.
#pragma once

#include <functional>
#include <vector>

#include "gui/controls/Control.h"

struct Heard {
  std::int32_t tag;
  float value;
  DrawContext* context;
};

// Records each change and redraws the control, as the product's editor does.
class RecordingListener : public ControlListener {
 public:
  void valueChanged(DrawContext* context, Control* control) override {
    heard.push_back({control->getTag(), control->getValue(), context});
    control->update(context);
  }
  std::vector<Heard> heard;
};

class TestFader : public Control {
 public:
  TestFader(const Rect& bounds, ControlListener* faderListener, std::int32_t faderTag,
            DragRules dragRules = {DragHold::LeftButton, true, false})
      : Control(bounds, faderListener, faderTag, nullptr), rules(dragRules) {}

  void draw(DrawContext*) override {
    ++draws;
    setDirty(false);
  }
  void onMouseDown(DrawContext* context, Point& where) override {
    followDrag(
        context, where, rules,
        [this](std::int32_t word) {
          pressWords.push_back(word);
          if (onGrab) onGrab();
          return grabAnswer;
        },
        [this](std::int32_t word, const Point& at) {
          passWords.push_back(word);
          setValue(static_cast<float>(at.x - size.left) / static_cast<float>(size.width()));
          clampValue();
          return true;
        });
  }
  bool onWheel(DrawContext* context, const Point&, float distance) override {
    return stepByWheel(context, distance);
  }
  std::int32_t onKeyDown(const KeyCode& key) override { return stepByKey(key); }

  using Control::frameTicks;

  DragRules rules;
  bool grabAnswer = true;
  // Runs when a press has passed the shared checks, before the gesture starts.
  std::function<void()> onGrab;
  int draws = 0;
  std::vector<std::int32_t> pressWords;
  std::vector<std::int32_t> passWords;
};
