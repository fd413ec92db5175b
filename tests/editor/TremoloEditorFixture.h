// The product's editor opened by the plug-in made through its entry point, in a host window on
// the software backend, with a recording host, held light timers that the test fires itself,
// and a scripted user who presses, drags, types and lets go.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gui/controls/Control.h"
#include "gui/core/Frame.h"
#include "gui/platform/software/ScriptedInput.h"
#include "gui/platform/software/ThreadTimers.h"
#include "gui/platform/software/WindowTree.h"
#include "plugin/TremoloEditor.h"
#include "tests/support/host/FakeHost.h"

class TremoloEditorTest : public ::testing::Test {
 protected:
  static constexpr Rect kHostRect{100, 50, 700, 550};

  TremoloEditorTest();
  ~TremoloEditorTest() override;

  // Opens the editor in the host window and delivers its first paint.
  void open();
  void close() { plugin->dispatch(effEditClose); }
  void idle() { plugin->dispatch(effEditIdle); }

  TremoloEditor& editor() { return *static_cast<TremoloEditor*>(plugin->effect->getEditor()); }
  Frame& frame() { return *editor().getFrame(); }
  // The control added in place i of the layout (0 is the light).
  template <typename C = Control>
  C* child(std::int32_t i) {
    return dynamic_cast<C*>(frame().childAt(i));
  }
  // The text of a text field or text display.
  template <typename C>
  std::string textOf(const C* view) {
    char text[256] = {};
    view->getText(text);
    return text;
  }

  // The user, in frame coordinates: scripted moves and button changes `ms` after now, then a
  // left press with modifiers held, handled at once (the script must let go).
  void moveAt(std::uint32_t ms, Point inFrame);
  void buttonsAt(std::uint32_t ms, std::int32_t buttons);
  void press(Point inFrame, std::int32_t modifiers = 0);
  void click(Point inFrame) {
    buttonsAt(5, 0);
    press(inFrame);
  }
  // Clicks into a field, types the text and presses Enter.
  void typeInto(Point inFrame, const char* text);
  // A key from the host, as the dispatcher passes it.
  intptr keyDown(std::int32_t character) { return plugin->dispatch(effEditKeyDown, character); }

  // The host's record since the last clear: the calls of one opcode.
  std::vector<HostCall> callsOf(int32 opcode) const;
  // The window's pixel at a frame point, once waiting paints are delivered.
  Color pixel(Point inFrame);

  platform::software::WindowTree& tree = platform::software::windowTree();
  platform::software::ScriptedInput& input = platform::software::scriptedInput();
  platform::software::ThreadTimers& timers = platform::software::threadTimers();
  platform::WindowHandle hostWindow = nullptr;
  std::unique_ptr<Instance> plugin;
};

// Places of the controls in the layout, in the order they are added.
enum LayoutPlace : std::int32_t {
  kLightPlace,
  kShapePicturePlace,
  kLightFollowsPlace,
  kStereoModePlace,
  kTapPlace,
  kDepthPlace,
  kDepthTextPlace,
  kPhasePlace,
  kMultiplierPlace,
  kMultiplierTextPlace,
  kSoftnessPlace,
  kSoftnessTextPlace,
  kTempoSourcePlace,
  kShapeSwitchPlace,
  kTempoFieldPlace,
  kMinimumTapsPlace,
  kMidiChannelPlace,
  kTapNoteFieldPlace,
  kMetronomeNotePlace,
  kVolumePlace,
  kAboutPlace,
  kPlaceCount
};
