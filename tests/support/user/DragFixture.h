// An open editor frame in a host window on the software backend, with an effect and a
// scripted host behind it, a listener that records what controls tell it, small striped
// bitmaps registered as resources, and a scripted user that presses, moves and lets go.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "editor/EditorBase.h"
#include "gui/controls/Control.h"
#include "gui/core/Bitmap.h"
#include "gui/core/Frame.h"
#include "gui/platform/software/ScriptedInput.h"
#include "gui/platform/software/WindowTree.h"
#include "host/ExtendedEffect.h"
#include "tests/support/editor/AdoptingEditor.h"
#include "tests/support/host/BareEffect.h"
#include "tests/support/host/FakeHost.h"

// What the listener heard: the value, whether a context came with it, and how many
// gestures the host had open at that moment.
struct Heard {
  float value;
  bool withContext;
  int openGestures;
};

class DragTest : public ::testing::Test, public ControlListener {
 protected:
  static constexpr Rect kHostRect{100, 50, 700, 550};

  void SetUp() override;
  void TearDown() override;

  void valueChanged(DrawContext* context, Control* control) override;

  // The frame takes the control over and paints it; returned for the test's use.
  template <typename C>
  C* add(C* control) {
    EXPECT_TRUE(frame->addChild(control));
    tree.dispatchMessages();
    frame->idleUpdate();
    return control;
  }
  // A bitmap `width` wide of one band per colour, each `band` pixels high, registered
  // under a fresh id. The caller owns the returned reference.
  Bitmap* strip(std::int32_t width, std::int32_t band, std::initializer_list<Color> colors);

  // The user scripts changes `ms` milliseconds after now (cursor in frame coordinates,
  // physical buttons and modifiers), then presses the left button at a frame point with
  // modifiers held; the press is handled at once, so the script must let go.
  void moveAt(std::uint32_t ms, Point inFrame);
  void buttonsAt(std::uint32_t ms, std::int32_t buttons);
  void press(Point inFrame, std::int32_t modifiers = 0);
  // A press and a release 5 ms later.
  void click(Point inFrame, std::int32_t modifiers = 0);

  // The frame's window pixel at a frame point, once pending paints are done.
  Color pixel(Point inFrame);
  int count(int32 opcode) const { return hostProgram.count(opcode); }
  // The values heard, each run of equal values once: how often a value is heard again
  // depends on when the editor's idle redrew the control.
  std::vector<float> changes() const;
  // Every value heard, in order.
  std::vector<float> heardValues() const;
  // Draws the controls (then releases them) on a grey canvas of the given size and compares
  // it with the golden picture of that name.
  bool drawnMatches(const char* name, std::int32_t width, std::int32_t height,
                    std::initializer_list<Control*> controls);

  platform::software::WindowTree& tree = platform::software::windowTree();
  platform::software::ScriptedInput& input = platform::software::scriptedInput();
  FakeHost hostProgram;
  BareEffect effect{FakeHost::callback};
  Frame* frame = nullptr;
  std::vector<Heard> heard;

 private:
  std::vector<std::vector<std::uint8_t>> bitmapBytes;
  std::vector<std::int32_t> bitmapIds;
};

// Whether the values match the expected ones to a millionth, with a message otherwise.
::testing::AssertionResult near(const std::vector<float>& actual, std::vector<float> expected);

inline constexpr Color kDarkBlue{0, 0, 128};
inline constexpr Color kOrange{255, 128, 0};
