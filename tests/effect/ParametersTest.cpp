// Parameters as the host sets and reads them, their texts, and the programs.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "host/BasicEditor.h"
#include "tests/support/host/FakeHost.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

std::string label(Instance& plugin, int32 index) {
  char text[64] = {};
  plugin.dispatch(effGetParamLabel, index, 0, text);
  return text;
}

TEST(Parameters, FreshInstanceShowsTheDefaultProgram) {
  Instance plugin;
  EXPECT_EQ(plugin.display(kMultiplier), "1.5");
  EXPECT_EQ(plugin.display(kTempo), "160");
  EXPECT_EQ(plugin.display(kDepth), "50.00000");
  EXPECT_EQ(plugin.display(kShape), "  Sine  ");
  EXPECT_EQ(plugin.display(kPhase), "0.000000");
  EXPECT_EQ(plugin.display(kSoftness), "256");
  EXPECT_EQ(plugin.display(kStereoMode), "Panner");
  EXPECT_EQ(plugin.display(kLightFollows), "Frequency");
  EXPECT_EQ(plugin.display(kTempoSource), "Controller Taps");
  EXPECT_EQ(plugin.display(kMidiChannel), "      8");
  EXPECT_EQ(plugin.display(kTapNumber), "     25");
  EXPECT_EQ(plugin.display(kMinimumTaps), "4");
  EXPECT_EQ(plugin.display(kMetronomeNote), "     84");
  EXPECT_EQ(plugin.display(kMetronomeVolume), "-3.65861");
  char program[64] = {};
  plugin.dispatch(effGetProgramName, 0, 0, program);
  EXPECT_STREQ(program, "Simple Sine Wave");
}

TEST(Parameters, TapNumberLabelFollowsTheSource) {
  Instance plugin;
  const char* tapLabels[] = {"Controller #", "Note #", "VST TimeInfo (ignoring)",
                             "MIDI Sync (ignoring)"};
  for (int source = 0; source < 4; ++source) {
    plugin.setParameter(kTempoSource, static_cast<float>(source) / 4.0f);
    EXPECT_EQ(label(plugin, kTapNumber), tapLabels[source]);
  }
}

TEST(Parameters, MultiplierTable) {
  Instance plugin;
  const struct {
    float value;
    const char* text;
  } cases[] = {{0.0f, "1/2"}, {0.357f, "1.5"}, {0.78f, "  6"}, {0.889f, " 8"}, {1.0f, " 8"}};
  for (const auto& c : cases) {
    plugin.setParameter(kMultiplier, c.value);
    EXPECT_EQ(plugin.display(kMultiplier), c.text) << c.value;
  }
}

TEST(Parameters, ChoicesTruncate) {
  Instance plugin;
  plugin.setParameter(kShape, 0.8f);
  EXPECT_EQ(plugin.display(kShape), "  Sine  ");
  plugin.setParameter(kShape, 0.79f);
  EXPECT_EQ(plugin.display(kShape), "  Saw Descending  ");
  plugin.setParameter(kLightFollows, 0.5f);
  EXPECT_EQ(plugin.display(kLightFollows), "Frequency");
  plugin.setParameter(kLightFollows, 0.51f);
  EXPECT_EQ(plugin.display(kLightFollows), "Beat");
  plugin.setParameter(kTapNumber, 1.0f);
  EXPECT_EQ(plugin.display(kTapNumber), "    128");
  plugin.setParameter(kSoftness, 1.0f);
  EXPECT_EQ(plugin.display(kSoftness), "2048");
  plugin.setParameter(kMinimumTaps, 1.0f);
  EXPECT_EQ(plugin.display(kMinimumTaps), "10");
}

TEST(Parameters, TempoTakesBeatsPerMinuteAboveOne) {
  Instance plugin;
  plugin.setParameter(kTempo, 120.0f);
  EXPECT_EQ(plugin.display(kTempo), "120");
  EXPECT_FLOAT_EQ(plugin.getParameter(kTempo), 0.4f);
  // The stored 0.4 comes back from the program as a normalised value.
  plugin.dispatch(effSetProgram, 0, 0);
  EXPECT_EQ(plugin.display(kTempo), "111");
  plugin.setParameter(kTempo, 1.0f);
  EXPECT_EQ(plugin.display(kTempo), "50");
  plugin.setParameter(kTempo, 0.0f);
  EXPECT_EQ(plugin.display(kTempo), "600");
}

TEST(Parameters, TempoBeyondWhatAProgramStoresIsLimited) {
  Instance plugin;
  plugin.setParameter(kTempo, 1000.0f);
  EXPECT_EQ(plugin.display(kTempo), "300");
  EXPECT_FLOAT_EQ(plugin.getParameter(kTempo), 1.0f);
  plugin.setParameter(kTempo, kInfinity);
  EXPECT_EQ(plugin.display(kTempo), "300");
  plugin.setParameter(kTempo, -kInfinity);
  EXPECT_EQ(plugin.display(kTempo), "600");
  EXPECT_EQ(plugin.getParameter(kTempo), 0.0f);
  plugin.setParameter(kTempo, kNaN);
  EXPECT_EQ(plugin.display(kTempo), "600");
}

TEST(Parameters, OutOfRangeValuesAreStoredInRange) {
  Instance plugin;
  for (int32 index : {0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 13, 14, 15}) {
    for (float odd : {kNaN, kInfinity, -kInfinity, 1e30f, -3.0f, 2.0f}) {
      plugin.setParameter(index, odd);
      const float stored = plugin.getParameter(index);
      EXPECT_TRUE(stored >= 0.0f && stored <= 1.0f) << index << " " << odd;
      EXPECT_FALSE(plugin.display(index).empty());
    }
  }
  plugin.setParameter(kMidiChannel, 7.0f);
  EXPECT_EQ(plugin.display(kMidiChannel), "     16");
}

TEST(Parameters, PseudoIndexes) {
  Instance plugin;
  EXPECT_EQ(plugin.getParameter(kLightState), 0.0f);
  plugin.setParameter(kTap, 0.5f);
  EXPECT_EQ(plugin.getParameter(kLightState), 1.0f);
  EXPECT_EQ(plugin.getParameter(kTap), 0.0f);
  for (int32 index : {11, 12, 16, 17, 20, 22, -1, 1 << 30}) {
    plugin.setParameter(index, 0.7f);
    EXPECT_EQ(plugin.getParameter(index), 0.0f) << index;
  }
}

TEST(Programs, EditsLiveInTheCurrentProgram) {
  Instance plugin;
  plugin.setParameter(kDepth, 0.9f);
  plugin.setParameter(kMidiChannel, 0.0f);
  plugin.setParameter(kTapNumber, 1.0f);
  plugin.dispatch(effSetProgram, 0, 1);
  EXPECT_FLOAT_EQ(plugin.getParameter(kDepth), 0.5f);
  EXPECT_FLOAT_EQ(plugin.getParameter(kMidiChannel), 0.51f);
  plugin.dispatch(effSetProgram, 0, 0);
  EXPECT_FLOAT_EQ(plugin.getParameter(kDepth), 0.9f);
  // Channel and tap number are stored in swapped slots and still come back to
  // the right parameters.
  EXPECT_EQ(plugin.getParameter(kMidiChannel), 0.0f);
  EXPECT_EQ(plugin.getParameter(kTapNumber), 1.0f);
}

TEST(Programs, NamesKeepAtMost23Characters) {
  Instance plugin;
  char longName[] = "A name much longer than the field can hold";
  plugin.dispatch(effSetProgramName, 0, 0, longName);
  char text[64] = {};
  plugin.dispatch(effGetProgramName, 0, 0, text);
  EXPECT_STREQ(text, "A name much longer than");
  EXPECT_EQ(std::strlen(text), 23u);
  plugin.dispatch(effSetProgram, 0, 5);
  plugin.dispatch(effGetProgramName, 0, 0, text);
  EXPECT_STREQ(text, "Simple Sine Wave");
  char shortName[] = "Pan";
  plugin.dispatch(effSetProgramName, 0, 0, shortName);
  plugin.dispatch(effGetProgramName, 0, 0, text);
  EXPECT_STREQ(text, "Pan");
}

TEST(Programs, ReplayReachesTheEditorInSlotOrder) {
  Instance plugin;
  struct OrderEditor : BasicEditor {
    using BasicEditor::BasicEditor;
    void setParameter(int index, float) override { order += std::to_string(index) + " "; }
    std::string order;
  };
  // In place of the product's own editor.
  delete plugin.effect->getEditor();
  auto* editor = new OrderEditor(plugin.effect);
  plugin.effect->setEditor(editor);
  plugin.dispatch(effSetProgram, 0, 3);
  EXPECT_EQ(editor->order, "0 1 2 3 4 5 6 7 8 10 9 13 14 15 ");
}

TEST(Parameters, TextsFitTheHostBuffer) {
  Instance plugin;
  for (int32 index = -2; index < 25; ++index) {
    for (int32 opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay}) {
      char text[80];
      std::memset(text, 'x', sizeof text);
      plugin.dispatch(opcode, index, 0, text);
      EXPECT_LT(std::strlen(text), 64u);
      EXPECT_EQ(text[64], 'x') << "nothing written past 64 bytes";
    }
  }
}

}  // namespace
