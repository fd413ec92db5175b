// The editor between the user and the effect: every control moves its parameter with the
// host told of the gesture, typed numbers, the tap button and space bar, the about picture,
// and parameter changes coming back to the controls and texts.
#include <cfloat>
#include <cmath>
#include <string>
#include <thread>
#include <vector>

#include "editor/DropInfoDisplay.h"
#include "gui/controls/TextField.h"
#include "tests/editor/TremoloEditorFixture.h"

namespace {

struct Gesture {
  int begins;
  int ends;
  std::vector<float> automated;
};

class TremoloEditorGlueTest : public TremoloEditorTest {
 protected:
  Gesture gestureOn(int32 tag) const {
    Gesture g{0, 0, {}};
    for (const HostCall& call : plugin->host.calls) {
      if (call.index != tag) continue;
      if (call.opcode == audioMasterBeginEdit) ++g.begins;
      if (call.opcode == audioMasterEndEdit) ++g.ends;
      if (call.opcode == audioMasterAutomate) g.automated.push_back(call.opt);
    }
    return g;
  }
  // Types into a field and gives back the automated values of its parameter.
  std::vector<float> typed(LayoutPlace place, int32 tag, const char* text) {
    plugin->host.clear();
    const Rect size = child(place)->getBounds(bounds);
    typeInto(Point(size.left + 5, size.top + 5), text);
    return gestureOn(tag).automated;
  }
  std::string shown(LayoutPlace place) { return textOf(child<TextField>(place)); }
  std::string depthText() { return textOf(child<DropInfoDisplay>(kDepthTextPlace)); }

  Rect bounds;
};

TEST_F(TremoloEditorGlueTest, DraggingEachSliderAndTheKnobIsOneGestureOfItsParameter) {
  open();
  struct Drag {
    LayoutPlace place;
    int32 tag;
    Point from;
    Point to;
  };
  // Vertical sliders run from 0 at the bottom; the phase slider from 0 at the left.
  for (const Drag& d :
       {Drag{kDepthPlace, 2, {25, 60}, {25, 90}}, Drag{kMultiplierPlace, 0, {75, 60}, {75, 44}},
        Drag{kSoftnessPlace, 5, {117, 160}, {117, 180}},
        Drag{kPhasePlace, 4, {200, 128}, {270, 128}},
        Drag{kVolumePlace, 15, {272, 224}, {266, 230}}}) {
    plugin->host.clear();
    moveAt(5, d.to);
    buttonsAt(10, 0);
    press(d.from);
    const Gesture g = gestureOn(d.tag);
    EXPECT_EQ(g.begins, 1) << d.tag;
    EXPECT_EQ(g.ends, 1) << d.tag;
    ASSERT_FALSE(g.automated.empty()) << d.tag;
    const float value = child(d.place)->getValue();
    EXPECT_EQ(g.automated.back(), value) << d.tag;
    EXPECT_FLOAT_EQ(plugin->getParameter(d.tag), value) << d.tag;
    // The begin-edit comes before the first automation and the end-edit after the last.
    EXPECT_EQ(plugin->host.calls.front().opcode, audioMasterBeginEdit) << d.tag;
    EXPECT_EQ(plugin->host.calls.back().opcode, audioMasterEndEdit) << d.tag;
  }
  EXPECT_FLOAT_EQ(plugin->getParameter(2), 0.0f) << "depth dragged to the bottom";
  EXPECT_EQ(depthText(), "0.0dB");
  EXPECT_EQ(textOf(child<DropInfoDisplay>(kMultiplierTextPlace)), " 8x");
  EXPECT_EQ(textOf(child<DropInfoDisplay>(kSoftnessTextPlace)), "1 samples");
}

TEST_F(TremoloEditorGlueTest, SwitchesAndButtonsSetTheirParameters) {
  open();
  // The top band of the shape switch is the first shape (the program has the last); the
  // lowest band of the tempo source switch is the last source.
  click(Point(22, 134));
  EXPECT_EQ(gestureOn(3).begins, 1);
  ASSERT_FALSE(gestureOn(3).automated.empty());
  EXPECT_EQ(gestureOn(3).automated.back(), 0.0f);
  EXPECT_FLOAT_EQ(child(kShapePicturePlace)->getValue(), 0.0f) << "the picture follows";
  click(Point(22, 179));
  ASSERT_FALSE(gestureOn(3).automated.empty());
  EXPECT_EQ(gestureOn(3).automated.back(), 1.0f);
  click(Point(207, 80));
  ASSERT_FALSE(gestureOn(8).automated.empty());
  EXPECT_EQ(gestureOn(8).automated.back(), 1.0f);
  EXPECT_EQ(plugin->display(8), "MIDI Vesko Sync");

  for (const auto& [place, tag] : {std::pair{kStereoModePlace, 6}, {kLightFollowsPlace, 7}}) {
    const Rect size = child(place)->getBounds(bounds);
    click(Point(size.left + 3, size.top + 3));
    EXPECT_EQ(gestureOn(tag).automated, std::vector<float>{1.0f}) << tag;
    EXPECT_EQ(plugin->getParameter(tag), 1.0f) << tag;
    click(Point(size.left + 3, size.top + 3));
    EXPECT_EQ(plugin->getParameter(tag), 0.0f) << tag;
  }
}

TEST_F(TremoloEditorGlueTest, ParameterChangesFromTheHostMoveTheControls) {
  open();
  plugin->setParameter(2, 0.75f);
  EXPECT_FLOAT_EQ(child(kDepthPlace)->getValue(), 0.75f);
  plugin->setParameter(3, 0.5f);
  EXPECT_FLOAT_EQ(child(kShapeSwitchPlace)->getValue(), 0.5f);
  EXPECT_FLOAT_EQ(child(kShapePicturePlace)->getValue(), 0.5f);
  plugin->setParameter(9, 1.0f);
  EXPECT_EQ(shown(kMidiChannelPlace), "16");
  plugin->setParameter(13, 1.0f);
  EXPECT_EQ(shown(kMinimumTapsPlace), "10");
  plugin->setParameter(0, 0.0f);
  EXPECT_EQ(textOf(child<DropInfoDisplay>(kMultiplierTextPlace)), "1/2x");
  // A program change replays every parameter.
  plugin->setParameter(2, 0.1f);
  plugin->dispatch(effSetProgram, 0, 3);
  EXPECT_FLOAT_EQ(child(kDepthPlace)->getValue(), 0.5f);

  // Indexes without a control change nothing but still ask for an update.
  for (int32 index : {11, 12, 16, 17, 19, 40}) {
    plugin->setParameter(index, 0.3f);
    EXPECT_EQ(child(kDepthPlace)->getValue(), 0.5f) << index;
  }
}

TEST_F(TremoloEditorGlueTest, TheDepthTextIsInDecibels) {
  open();
  for (const auto& [depth, text] : {std::pair{0.0f, "0.0dB"},
                                    {0.5f, "-6.0dB"},
                                    {0.25f, "-2.5dB"},
                                    {0.75f, "-12dB"},
                                    {0.9f, "-20dB"},
                                    {1.0f, "-oo dB"}}) {
    plugin->setParameter(2, depth);
    EXPECT_EQ(depthText(), text) << depth;
  }
}

TEST_F(TremoloEditorGlueTest, ATypedTempoGoesToTheEffectWithoutAutomation) {
  open();
  EXPECT_TRUE(typed(kTempoFieldPlace, 1, "120").empty());
  EXPECT_EQ(plugin->display(1), "120");
  EXPECT_EQ(shown(kTempoFieldPlace), "120");
  EXPECT_FLOAT_EQ(plugin->getParameter(1), 0.4f);
  // Letters read as 0, a normalised value: 600 beats per minute.
  typed(kTempoFieldPlace, 1, "fast");
  EXPECT_EQ(plugin->display(1), "600");
  EXPECT_EQ(shown(kTempoFieldPlace), "600");
  // Numbers beyond float's range, infinities and NaN keep the effect defined.
  for (const char* wild : {"1e300", "-1e300", "inf", "nan"}) {
    typed(kTempoFieldPlace, 1, wild);
    const float value = plugin->getParameter(1);
    EXPECT_TRUE(value >= 0.0f && value <= 1.0f) << wild;
  }
}

TEST_F(TremoloEditorGlueTest, TypedMidiNumbersAreAutomatedAndShownBack) {
  open();
  EXPECT_EQ(typed(kMinimumTapsPlace, 13, "5"), std::vector<float>{0.4375f});
  EXPECT_EQ(shown(kMinimumTapsPlace), "5");
  EXPECT_EQ(typed(kMinimumTapsPlace, 13, "0"), std::vector<float>{-0.1875f});
  EXPECT_EQ(shown(kMinimumTapsPlace), "2") << "the effect keeps its values within 0 to 1";
  typed(kMinimumTapsPlace, 13, "1");
  EXPECT_EQ(shown(kMinimumTapsPlace), "2");

  EXPECT_EQ(typed(kMidiChannelPlace, 9, "1"), std::vector<float>{0.033333335f});
  EXPECT_EQ(shown(kMidiChannelPlace), "1");
  EXPECT_EQ(typed(kMidiChannelPlace, 9, "16"), std::vector<float>{1.0333333f});
  EXPECT_EQ(shown(kMidiChannelPlace), "16");
  ASSERT_EQ(typed(kMidiChannelPlace, 9, "0").size(), 1u);
  EXPECT_FLOAT_EQ(gestureOn(9).automated[0], -0.033333331f);
  EXPECT_EQ(typed(kMidiChannelPlace, 9, "abc"), typed(kMidiChannelPlace, 9, "0"))
      << "letters read as 0";
  EXPECT_EQ(shown(kMidiChannelPlace), "1");

  EXPECT_EQ(typed(kTapNoteFieldPlace, 10, "60"),
            std::vector<float>{float(59.0 / 127 + 0.003937008f)});
  EXPECT_EQ(shown(kTapNoteFieldPlace), "60");
  EXPECT_EQ(plugin->display(10), "     60");
  typed(kMetronomeNotePlace, 14, "128");
  EXPECT_EQ(shown(kMetronomeNotePlace), "128");

  // The host never sees an infinity or NaN from a typed number.
  for (const char* wild : {"1e300", "-1e39", "inf", "nan"}) {
    const std::vector<float> values = typed(kMetronomeNotePlace, 14, wild);
    ASSERT_EQ(values.size(), 1u) << wild;
    EXPECT_TRUE(values[0] >= -FLT_MAX && values[0] <= FLT_MAX) << wild;
  }
}

TEST_F(TremoloEditorGlueTest, NumberFieldsFollowTheEffectAroundEveryStep) {
  open();
  // Each field's number as it has always been made, truncating toward zero.
  const struct {
    LayoutPlace place;
    int32 index;
    int steps;
    int (*number)(float v);
  } fields[] = {
      {kMidiChannelPlace, 9, 15, [](float v) { return static_cast<int>(v * 15.0f + 1.0f); }},
      {kTapNoteFieldPlace, 10, 127, [](float v) { return static_cast<int>(v * 127.0f + 1.0f); }},
      {kMinimumTapsPlace, 13, 8, [](float v) { return 2 - static_cast<int>(v * -8.0f); }},
      {kMetronomeNotePlace, 14, 127, [](float v) { return static_cast<int>(v * 127.0f + 1.0f); }},
  };
  for (const auto& field : fields) {
    // 0, 1 and the floats from two above each step downwards.
    std::vector<float> values = {0.0f, 1.0f};
    for (int k = 1; k <= field.steps; ++k) {
      float v = std::nextafter(
          std::nextafter(static_cast<float>(k) / static_cast<float>(field.steps), 2.0f), 2.0f);
      for (int i = 0; i < 6; ++i, v = std::nextafter(v, 0.0f)) values.push_back(v);
    }
    for (float v : values) {
      plugin->setParameter(field.index, v);
      EXPECT_EQ(shown(field.place), std::to_string(field.number(v))) << field.index << " " << v;
    }
  }
}

TEST_F(TremoloEditorGlueTest, TheTapButtonTapsOnItsPressAndShowsTheTempo) {
  open();
  // Four taps half a second apart at the effect's sample counter give 120 beats per minute.
  for (int i = 0; i < 4; ++i) {
    plugin->host.clear();
    buttonsAt(20, 0);
    press(Point(140, 45));
    const Gesture g = gestureOn(21);
    EXPECT_EQ(g.begins, 1);
    EXPECT_EQ(g.ends, 1);
    EXPECT_EQ(g.automated, std::vector<float>{0.5f}) << "one tap on the press, none on release";
    EXPECT_FLOAT_EQ(child(kTapPlace)->getValue(), 0.0f);
    plugin->run(22050);
  }
  EXPECT_EQ(plugin->display(1), "120");
  EXPECT_EQ(shown(kTempoFieldPlace), "120");
}

TEST_F(TremoloEditorGlueTest, TheSpaceBarTapsAlsoWithTheWindowClosed) {
  EXPECT_EQ(keyDown(' '), 1);
  EXPECT_EQ(gestureOn(21).automated, std::vector<float>{1.0f});
  EXPECT_EQ(plugin->getParameter(19), 1.0f) << "the tap lit the light";
  EXPECT_EQ(keyDown('a'), -1);

  open();
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(keyDown(' '), 1);
    plugin->run(11025);
  }
  EXPECT_EQ(gestureOn(21).automated.size(), 4u);
  EXPECT_EQ(shown(kTempoFieldPlace), "240");
  EXPECT_EQ(keyDown('x'), -1) << "other keys go nowhere, not even to the focused control";
  close();
  EXPECT_EQ(keyDown(' '), 1);
}

TEST_F(TremoloEditorGlueTest, TheAboutPictureIsModalAndReportsIndex22) {
  open();
  click(Point(20, 10));
  EXPECT_EQ(frame().getModalView(), child(kAboutPlace));
  EXPECT_EQ(gestureOn(22).automated, std::vector<float>{1.0f});
  // While it shows, a press on the depth slider reaches only the picture, which goes away.
  plugin->host.clear();
  click(Point(25, 60));
  EXPECT_EQ(frame().getModalView(), nullptr);
  EXPECT_EQ(gestureOn(22).automated, std::vector<float>{0.0f});
  EXPECT_EQ(gestureOn(2).begins, 0);
  EXPECT_FLOAT_EQ(plugin->getParameter(2), 0.5f);
}

TEST_F(TremoloEditorGlueTest, ChangesReportedOnAnotherThreadShowAtTheNextIdle) {
  open();
  std::thread automation([this] { plugin->setParameter(2, 0.75f); });
  automation.join();
  EXPECT_FLOAT_EQ(child(kDepthPlace)->getValue(), 0.5f) << "the controls belong to the window";
  idle();
  EXPECT_FLOAT_EQ(child(kDepthPlace)->getValue(), 0.75f);
  EXPECT_EQ(depthText(), "-12dB");
}

TEST_F(TremoloEditorGlueTest, TheIdlePassRewritesTheTempoFieldOnlyWhenTheNumberChanges) {
  open();
  idle();
  child<TextField>(kTempoFieldPlace)->setText("160.0");
  idle();
  EXPECT_EQ(shown(kTempoFieldPlace), "160.0") << "the same number is not written again";
  plugin->effect->setTempoFromTapIntervals(22050 * 2, 2);
  idle();
  EXPECT_EQ(shown(kTempoFieldPlace), "120");
}

}  // namespace
