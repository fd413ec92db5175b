// The parameter table against what the effect does with a value: its texts and the
// numbers it sends, at the ends and at the floats around every step of each
// parameter, where a float product or sum already reaches the next whole number;
// and the typed numbers of the editor's fields coming back as themselves.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "effect/TremoloParameterTable.h"
#include "tests/support/host/FakeHost.h"

namespace {

// The half steps the editor's fields have always added.
static_assert(kParameterRows[kMidiChannel].field.halfStep == 0.033333335f);
static_assert(kParameterRows[kTapNumber].field.halfStep == 0.003937008f);
static_assert(kParameterRows[kMinimumTaps].field.halfStep == 0.0625f);
static_assert(kParameterRows[kMetronomeNote].field.halfStep == 0.003937008f);

// 0, -0, 1 and NaN, and the six floats from two above each step k / steps downwards.
std::vector<float> edgeValues(int steps) {
  std::vector<float> values = {0.0f, -0.0f, 1.0f, std::numeric_limits<float>::quiet_NaN()};
  for (int k = 1; k <= steps; ++k) {
    float v = std::nextafter(
        std::nextafter(static_cast<float>(k) / static_cast<float>(steps), 2.0f), 2.0f);
    for (int i = 0; i < 6; ++i, v = std::nextafter(v, 0.0f)) values.push_back(v);
  }
  return values;
}

// Truncation toward zero of a float, as the texts have always been made.
int whole(float x) {
  return static_cast<int>(x);
}

std::string label(Instance& plugin, int32 index) {
  char text[64] = {};
  plugin.dispatch(effGetParamLabel, index, 0, text);
  return text;
}

std::string name(Instance& plugin, int32 index) {
  char text[64] = {};
  plugin.dispatch(effGetParamName, index, 0, text);
  return text;
}

TEST(ParameterTable, NamesAndLabelsOfEveryIndex) {
  Instance plugin;
  const struct {
    int32 index;
    const char* name;
    const char* label;
  } rows[] = {{0, "Multiplier", "cycles/beat"},
              {1, "Beat Length/Tempo", "BPM"},
              {2, "Depth", "%"},
              {3, "Tremolo Type", "dB"},
              {4, "Phase", "dB"},
              {5, "Softness/LFO Precision", " samples"},
              {6, "Stereo Mode", ""},
              {7, "Light Follows", ""},
              {8, "Set tempo to", "Incoming MIDI"},
              {9, "MIDI Channel", "Channel"},
              {10, "Tap Tempo Note/CC #", "Controller #"},
              {13, "Minimum taps to average", "Taps"},
              {14, "Metronome Note#", "Note #"},
              {15, "Metronome Volume", "dB"}};
  for (const auto& row : rows) {
    EXPECT_EQ(name(plugin, row.index), row.name) << row.index;
    EXPECT_EQ(label(plugin, row.index), row.label) << row.index;
  }
  for (int32 index : {-2, -1, 11, 12, 16, 17, 19, 21, 24}) {
    EXPECT_EQ(name(plugin, index), "") << index;
    EXPECT_EQ(label(plugin, index), "") << index;
    EXPECT_EQ(plugin.display(index), "") << index;
  }
}

TEST(ParameterTable, TextsAroundEveryStep) {
  Instance plugin;
  const char* const multipliers[] = {"1/2", "2/3", "  1", "1.5", "  2", "  3", "  4", "  6", " 8"};
  const char* const shapes[] = {"  Square  ", "  Triangle  ", "  Saw Ascending  ",
                                "  Saw Descending  ", "  Sine  "};
  const char* const sources[] = {"Controller Taps", "Note Taps", "VST Host Sync",
                                 "MIDI Vesko Sync"};
  const char* const tapLabels[] = {"Controller #", "Note #", "VST TimeInfo (ignoring)",
                                   "MIDI Sync (ignoring)"};
  const auto number = [&](int32 index) { return std::atoi(plugin.display(index).c_str()); };
  // Each check reads the value the effect stored, 0 for NaN.
  const auto walk = [&](int32 index, int steps, auto check) {
    for (float sent : edgeValues(steps)) {
      plugin.setParameter(index, sent);
      const float v = plugin.getParameter(index);
      SCOPED_TRACE(testing::Message() << "index " << index << " value " << sent);
      check(v);
    }
  };
  walk(kMultiplier, 9, [&](float v) {
    EXPECT_EQ(plugin.display(kMultiplier), multipliers[std::min(whole(v * 9.0f), 8)]);
  });
  walk(kShape, 5,
       [&](float v) { EXPECT_EQ(plugin.display(kShape), shapes[std::min(whole(v * 5.0f), 4)]); });
  walk(kSoftness, 2047, [&](float v) {
    EXPECT_EQ(plugin.display(kSoftness), std::to_string(1 + whole(v * 2047.0f)));
  });
  walk(kStereoMode, 2,
       [&](float v) { EXPECT_EQ(plugin.display(kStereoMode), v < 0.5f ? "Panner" : "Tremolo"); });
  walk(kLightFollows, 2,
       [&](float v) { EXPECT_EQ(plugin.display(kLightFollows), v > 0.5f ? "Beat" : "Frequency"); });
  walk(kTempoSource, 4, [&](float v) {
    const int source = std::min(whole(v * 4.0f), 3);
    EXPECT_EQ(plugin.display(kTempoSource), sources[source]);
    EXPECT_EQ(label(plugin, kTapNumber), tapLabels[source]);
  });
  walk(kMidiChannel, 15, [&](float v) {
    EXPECT_EQ(number(kMidiChannel), whole(v * 15.0f + 1.0f));
    EXPECT_EQ(plugin.display(kMidiChannel).size(), 7u);
  });
  for (int32 index : {kTapNumber, kMetronomeNote}) {
    walk(index, 127, [&](float v) {
      EXPECT_EQ(number(index), whole(v * 127.0f + 1.0f));
      EXPECT_EQ(plugin.display(index).size(), 7u);
    });
  }
  walk(kMinimumTaps, 8, [&](float v) {
    EXPECT_EQ(plugin.display(kMinimumTaps), std::to_string(whole(v * 8.0f + 2.0f)));
  });
}

TEST(ParameterTable, ClicksCarryTheChannelNoteAndVelocityAroundEveryStep) {
  Instance plugin;
  // At the longest beat few beat clicks stand in the way of a tap's own click.
  std::vector<float> values = edgeValues(15);
  const std::vector<float> more = edgeValues(127);
  values.insert(values.end(), more.begin(), more.end());
  for (float sent : values) {
    // Taps set the tempo; the longest beat again.
    plugin.setParameter(kTempo, 1.0f);
    for (int32 index : {kMidiChannel, kMetronomeNote, kMetronomeVolume})
      plugin.setParameter(index, sent);
    const float v = plugin.getParameter(kMidiChannel);
    // A tap clicks unless a click went out less than a sixth of a second before.
    bool clicked = false;
    for (int attempt = 0; attempt < 10 && !clicked; ++attempt) {
      plugin.process(nullptr, nullptr, 8000);
      plugin.host.clear();
      plugin.setParameter(kTap, 0.5f);
      clicked = plugin.host.midiOut.size() == 1;
    }
    ASSERT_TRUE(clicked) << sent;
    const auto& message = plugin.host.midiOut[0];
    EXPECT_EQ(message[0], 0x90 + std::min(whole(v * 15.0f), 15)) << sent;
    EXPECT_EQ(message[1], whole(v * 127.0f + 1.0f) & 0xFF) << sent;
    EXPECT_EQ(message[2], whole(v * 127.0f)) << sent;
  }
}

TEST(ParameterTable, TypedNumbersComeBackAsThemselves) {
  Instance plugin;
  for (int32 index = 0; index < kParameterCount; ++index) {
    const TypedField& field = kParameterRows[index].field;
    if (!field.exists()) continue;
    const int first = field.shown.low + field.shown.after;
    const int last = field.shown.high + field.shown.after;
    EXPECT_EQ(first, static_cast<int>(field.first)) << index;
    EXPECT_EQ(last, static_cast<int>(field.first + field.span)) << index;
    for (int typed = first; typed <= last; ++typed) {
      plugin.setParameter(index, static_cast<float>(field.valueOf(typed)));
      const float stored = plugin.getParameter(index);
      EXPECT_EQ(field.shown.of(stored), typed) << index;
      EXPECT_EQ(std::atoi(plugin.display(index).c_str()), typed) << index;
    }
  }
}

}  // namespace
