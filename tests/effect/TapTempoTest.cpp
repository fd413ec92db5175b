// Tap runs: window sizes, averaging, time-outs, the click of a tap and what a
// tapped tempo leaves in the program.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "host/BasicEditor.h"
#include "tests/support/host/FakeHost.h"

namespace {

struct TapEditor : BasicEditor {
  using BasicEditor::BasicEditor;
  void update() override { ++updates; }
  void requestUpdate() override { ++requests; }
  void setParameter(int, float) override {}
  int updates = 0;
  int requests = 0;
};

// Taps at the given sample distances; the first tap comes after one block.
void tapAt(Instance& plugin, std::initializer_list<int32> gaps) {
  for (int32 gap : gaps) {
    plugin.process(nullptr, nullptr, gap);
    plugin.setParameter(kTap, 1.0f);
  }
}

TEST(TapTempo, FourthTapOfDefaultWindowSetsTheTempo) {
  Instance plugin;
  tapAt(plugin, {100, 22050, 22050});
  EXPECT_EQ(plugin.display(kTempo), "160");
  tapAt(plugin, {22050});
  EXPECT_EQ(plugin.display(kTempo), "120");
  EXPECT_NEAR(plugin.getParameter(kTempo), (22050.0 - 4410.0) / (52920.0 - 4410.0), 1e-6);
  EXPECT_EQ(plugin.getParameter(kTap), 0.0f) << "a tap is not a stored parameter";
}

TEST(TapTempo, RunKeepsAveragingTheLatestTaps) {
  Instance plugin;
  tapAt(plugin, {100, 11025, 11025, 11025});
  EXPECT_EQ(plugin.display(kTempo), "240");
  // The oldest interval drops out: (11025 + 11025 + 22050) / 3 samples.
  tapAt(plugin, {22050});
  EXPECT_EQ(plugin.display(kTempo), "180");
}

TEST(TapTempo, WindowFollowsMinimumTaps) {
  Instance shortest;
  shortest.setParameter(kMinimumTaps, 0.0f);  // two taps
  tapAt(shortest, {100, 44100});
  EXPECT_EQ(shortest.display(kTempo), "60");

  Instance longest;
  longest.setParameter(kMinimumTaps, 1.0f);  // ten taps
  tapAt(longest, {100, 22050, 22050, 22050, 22050, 22050, 22050, 22050, 22050});
  EXPECT_EQ(longest.display(kTempo), "160");
  tapAt(longest, {22050});
  EXPECT_EQ(longest.display(kTempo), "120");
}

TEST(TapTempo, LoweringTheWindowMidRunKeepsItsLength) {
  Instance plugin;
  tapAt(plugin, {100, 11025, 11025, 11025});  // a full run of four
  plugin.setParameter(kMinimumTaps, 0.0f);
  tapAt(plugin, {44100});
  // Still three intervals: (11025 + 11025 + 44100) / 3.
  EXPECT_EQ(plugin.display(kTempo), "120");
}

TEST(TapTempo, RunTimesOutAtABeatClick) {
  Instance plugin;
  plugin.setParameter(kMinimumTaps, 0.0f);
  tapAt(plugin, {100});
  plugin.run(3 * 44100);  // beat clicks pass while no taps come
  tapAt(plugin, {11025});
  EXPECT_EQ(plugin.display(kTempo), "160") << "the first tap of a new run";
  tapAt(plugin, {11025});
  EXPECT_EQ(plugin.display(kTempo), "240");
}

TEST(TapTempo, TapsInOneBlockGiveTheFastestStorableTempo) {
  Instance plugin;
  plugin.setParameter(kMinimumTaps, 0.0f);
  tapAt(plugin, {100, 0});
  EXPECT_EQ(plugin.display(kTempo), "600");
  EXPECT_EQ(plugin.getParameter(kTempo), 0.0f);
  // Taps 0.05 s apart are held to the same limit.
  tapAt(plugin, {2205});
  EXPECT_EQ(plugin.display(kTempo), "600");
}

TEST(TapTempo, SlowTapsStayReplayable) {
  Instance plugin;
  plugin.setParameter(kMinimumTaps, 0.0f);
  tapAt(plugin, {100, 2 * 44100});
  EXPECT_EQ(plugin.display(kTempo), "50");
  EXPECT_EQ(plugin.getParameter(kTempo), 1.0f);
  plugin.dispatch(effSetProgram, 0, 0);
  EXPECT_EQ(plugin.display(kTempo), "50") << "the program gives back the tapped tempo";
}

TEST(TapTempo, ClickGuardAndEditorSignals) {
  Instance plugin;
  // In place of the product's own editor.
  delete plugin.effect->getEditor();
  auto* editor = new TapEditor(plugin.effect);
  plugin.effect->setEditor(editor);
  plugin.run(10000);
  plugin.host.clear();
  plugin.setParameter(kTap, 0.5f);
  EXPECT_EQ(plugin.host.midiOut.size(), 1u) << "more than w/6 since the last click";
  EXPECT_EQ(editor->updates, 0) << "the editor's own button";
  plugin.run(3000);
  plugin.setParameter(kTap, 1.0f);
  EXPECT_EQ(plugin.host.midiOut.size(), 1u) << "less than w/6 after the last tap";
  EXPECT_EQ(editor->updates, 1);
  EXPECT_EQ(plugin.getParameter(kLightState), 1.0f);
  EXPECT_EQ(editor->requests, 0);
  plugin.setParameter(kTap, 1.0f);
  plugin.setParameter(kTap, 1.0f);
  EXPECT_EQ(editor->requests, 1) << "a new tempo asks the editor to update";
}

}  // namespace
