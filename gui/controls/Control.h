// The base of every element that shows and edits one value (knobs, switches, buttons,
// sliders, displays): the value with its range and reset value, the tag that tells the
// owner which parameter it stands for, the listener told of user changes, a background
// bitmap, and the mouse protocol that every draggable family shares.
#pragma once

#include <atomic>
#include <cstdint>

#include "gui/core/DrawContext.h"
#include "gui/core/View.h"

class Bitmap;
class Control;
class Frame;

// What the owner of controls implements to hear of user changes. The context may be null
// (key presses). Called on the window's thread, from inside the control's handler.
class ControlListener {
 public:
  virtual void valueChanged(DrawContext* context, Control* control) = 0;

 protected:
  ~ControlListener() = default;
};

// The button word that resets a control to its reset value: left button with Control and
// nothing else.
inline constexpr std::int32_t kResetClick = 0x11;

// How long a drag lasts once it has started.
enum class DragHold {
  // While the left button stays down; modifiers may change on the way.
  LeftButton,
  // While the button word stays exactly what it was at the press.
  PressWord,
  // While any button or modifier is held.
  AnyInput,
};

// What a draggable family asks of the shared drag loop.
struct DragRules {
  DragHold hold = DragHold::LeftButton;
  // Whether the control becomes the keyboard focus for the drag (knobs and sliders).
  bool takeFocus = false;
  // Whether the hold condition is tested after each pass, so that the pass that reads the
  // word ending the drag still runs (a do-while loop), instead of before it.
  bool testAfterPass = false;
  // Whether a Control-click restores the reset value instead of starting a drag.
  bool resetClick = true;
};

// Controls live on the heap and die through release (see View). All calls come on the
// window's thread, except setValue, getValue, setDirty and isDirty, which the editor may
// also reach from whatever thread reports a parameter change: the value and the shown
// value are relaxed atomics for that reason. Values are not clamped unless clampValue is
// called.
class Control : public View {
 public:
  // listener may be null and is not owned; a background given is retained.
  Control(const Rect& bounds, ControlListener* listener, std::int32_t tag, Bitmap* background);
  ~Control() override;

  // Every family draws itself and ends with setDirty(false).
  void draw(DrawContext* context) override = 0;
  // True while the value differs from the value last drawn, or the view is marked dirty.
  bool isDirty() const override;
  // true makes the shown value differ from the value, so the next update draws; false
  // makes the value the shown one.
  void setDirty(bool flag) override;

  // Lets the frame run the editor's idle cycle; drag loops call it once per pass so that
  // the window keeps repainting. Nothing without a frame.
  virtual void runIdle();
  virtual void setValue(float newValue);
  virtual float getValue() const;
  virtual void setMinimum(float newMinimum);
  virtual float getMinimum() const;
  virtual void setMaximum(float newMaximum);
  virtual float getMaximum() const;
  // The value last drawn.
  virtual void setShownValue(float newShownValue);
  virtual float getShownValue() const;
  // The value that a Control-click restores.
  virtual void setResetValue(float newResetValue);
  virtual float getResetValue() const;
  virtual void setTag(std::int32_t newTag);
  // Releases the old bitmap and retains the new one; null allowed.
  virtual void setBackgroundBitmap(Bitmap* bitmap);
  virtual Bitmap* getBackgroundBitmap() const;
  virtual void setBackgroundOffset(const Point& offset);
  // The background offset becomes the top-left corner of the size rectangle.
  virtual void backgroundOffsetFromBounds();
  // The wheel step; also the arrow-key step.
  virtual void setStep(float newStep);
  virtual float getStep() const;
  // Brings the value into [minimum, maximum]; a value that is not a number becomes the
  // minimum.
  virtual void clampValue();

  std::int32_t getTag() const { return tag; }
  ControlListener* getListener() const { return listener; }
  const Point& getBackgroundOffset() const { return backgroundOffset; }
  // True for the second of two clicks closer than the double-click delay (at least
  // 250 ms); the click after a double click counts as a first click again.
  bool checkDoubleClick();

 protected:
  // The wheel and arrow-key handling shared by knobs and sliders: each moves the value by
  // the step (a tenth of it with Shift), clamps, and tells the listener of a change.
  bool stepByWheel(DrawContext* context, float distance);
  std::int32_t stepByKey(const KeyCode& key);

  // Tells the listener when the value differs from the one last drawn.
  void notifyIfChanged(DrawContext* context);
  // Tells the listener whatever the value.
  void notify(DrawContext* context);

  // The mouse protocol of every draggable family. A Control-click restores the reset
  // value without a gesture. Otherwise grab(pressWord) may refuse the press (false: no
  // gesture at all); then the host hears the start of a gesture on the tag, and while the
  // rules' hold condition lasts, each pass calls track(word, where) with the button word
  // of the pass and the cursor (parent coordinates), tells the listener of a change when
  // track answers true, reads the cursor again and runs the idle cycle. The host hears the
  // end of the gesture when the button lets go. Rules without resetClick take a
  // Control-click as an ordinary press.
  template <typename Grab, typename Track>
  void followDrag(DrawContext* context, Point& where, const DragRules& rules, Grab&& grab,
                  Track&& track) {
    std::int32_t pressWord = 0;
    if (!pressStartsDrag(context, rules.resetClick, pressWord) || !grab(pressWord)) return;
    beginGesture(rules.takeFocus);
    for (;;) {
      const std::int32_t word = context->getMouseButtons();
      const bool held = stillHeld(rules.hold, word, pressWord);
      if (!held && !rules.testAfterPass) break;
      if (track(word, static_cast<const Point&>(where))) notifyIfChanged(context);
      context->getPointerLocation(where);
      runIdle();
      if (!held) break;
    }
    endGesture();
  }

  // The editor's frame that holds the control, or null.
  Frame* ownerFrame() const;
  // The frame's tick clock and knob mode; 0 without a frame.
  std::uint32_t frameTicks() const;
  std::int32_t frameKnobMode() const;

  ControlListener* listener;
  std::int32_t tag;
  std::atomic<float> shownValue = 1.0f;
  float resetValue = 0.5f;
  std::atomic<float> value = 0.0f;
  float minimum = 0.0f;
  float maximum = 1.0f;
  float step = 0.1f;
  std::int32_t lastClickTime = -1;
  std::int32_t doubleClickDelay;
  Bitmap* backgroundBitmap = nullptr;
  Point backgroundOffset;

 private:
  // Steps 1 to 3 of a press: false when the press is not for this control or was a
  // Control-click that it handled (only when resetClick). pressWord receives the button word.
  bool pressStartsDrag(DrawContext* context, bool resetClick, std::int32_t& pressWord);
  static bool stillHeld(DragHold hold, std::int32_t word, std::int32_t pressWord);
  void beginGesture(bool takeFocus);
  void endGesture();
};
