// The host's requests through the dispatcher: the opcode table, identity,
// canDo, the editor opcodes and requests that carry bad pointers or numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "host/BasicEditor.h"
#include "tests/support/host/FakeHost.h"

namespace {

// Records what the dispatcher hands to the editor.
class RecordingEditor : public BasicEditor {
 public:
  explicit RecordingEditor(ExtendedEffect* owner) : BasicEditor(owner) {}
  int open(void* window) override {
    BasicEditor::open(window);
    openedWith = window;
    return 1;
  }
  void close() override { ++closes; }
  void update() override { ++updates; }
  int onKeyDown(VstKeyCode& key) override {
    lastKey = key;
    return 1;
  }
  int setKnobMode(int mode) override {
    knobMode = mode;
    return 1;
  }
  void setParameter(int index, float value) override {
    lastIndex = index;
    lastValue = value;
    ++parameterReports;
  }
  void* window() const { return systemWindow; }

  void* openedWith = nullptr;
  int closes = 0;
  int updates = 0;
  int knobMode = -1;
  int lastIndex = -1;
  float lastValue = 0.0f;
  int parameterReports = 0;
  VstKeyCode lastKey{};
};

// An editor whose open window reads the effect until it is closed, as the light timer does.
class ReadingEditor : public BasicEditor {
 public:
  ReadingEditor(ExtendedEffect* owner, int& closeCount, float& seenValue)
      : BasicEditor(owner), closes(closeCount), seen(seenValue) {}
  void close() override {
    ++closes;
    seen = effect->getParameter(2);
  }

 private:
  int& closes;
  float& seen;
};

std::string text(Instance& plugin, int32 opcode, int32 index = 0) {
  char buffer[64] = {};
  plugin.dispatch(opcode, index, 0, buffer);
  return buffer;
}

TEST(Dispatcher, IdentityAnswers) {
  Instance plugin;
  EXPECT_EQ(plugin.dispatch(effIdentify), 0x4E764566);
  EXPECT_EQ(plugin.dispatch(effKeysRequired), 1);
  EXPECT_EQ(plugin.dispatch(effGetVstVersion), 2300);
  EXPECT_EQ(plugin.dispatch(effGetVendorVersion), 1000);
  EXPECT_EQ(plugin.dispatch(effGetPlugCategory), 1);
  EXPECT_EQ(plugin.dispatch(effGetCurrentMidiProgram), -1);
  EXPECT_EQ(plugin.dispatch(effCanBeAutomated, 5), 1);
  EXPECT_EQ(plugin.dispatch(effConnectInput, 0, 1), 1);
  EXPECT_EQ(plugin.dispatch(effSetTotalSampleToProcess, 0, 4321), 4321);
  EXPECT_EQ(text(plugin, effGetEffectName), "Quaverling");
  EXPECT_EQ(text(plugin, effGetProductString), "Quaverling");
  EXPECT_EQ(text(plugin, effGetVendorString), "quaverling.audio");
  EXPECT_EQ(plugin.dispatch(effGetEffectName), 0) << "no buffer, no answer";
}

TEST(Dispatcher, CanDoIsExactAndCaseSensitive) {
  Instance plugin;
  for (const char* yes : {"sendVstMidiEvent", "sendVstEvents", "receiveVstEvents",
                          "receiveVstMidiEvent", "receiveVstTimeInfo", "sendVstTimeInfo"}) {
    EXPECT_EQ(plugin.dispatch(effCanDo, 0, 0, const_cast<char*>(yes)), 1) << yes;
  }
  for (const char* no : {"receiveVstTimeInfo ", "sizeWindow", "ReceiveVstEvents", ""}) {
    EXPECT_EQ(plugin.dispatch(effCanDo, 0, 0, const_cast<char*>(no)), -1) << no;
  }
  EXPECT_EQ(plugin.dispatch(effCanDo), 0);
}

TEST(Dispatcher, ProgramSelectionStaysInRange) {
  Instance plugin;
  plugin.dispatch(effSetProgram, 0, 4);
  EXPECT_EQ(plugin.dispatch(effGetProgram), 4);
  plugin.dispatch(effSetProgram, 0, 10);
  plugin.dispatch(effSetProgram, 0, -1);
  plugin.dispatch(effSetProgram, 0, 1 << 20);
  EXPECT_EQ(plugin.dispatch(effGetProgram), 4);
}

TEST(Dispatcher, MainsChangedKeepsState) {
  Instance plugin;
  plugin.setParameter(kDepth, 0.25f);
  plugin.dispatch(effSetProgram, 0, 2);
  plugin.dispatch(effMainsChanged, 0, 0);
  plugin.dispatch(effMainsChanged, 0, 1);
  EXPECT_EQ(plugin.dispatch(effGetProgram), 2);
  EXPECT_FLOAT_EQ(plugin.getParameter(kDepth), 0.5f);
  EXPECT_EQ(plugin.display(kTempo), "160");
}

TEST(Dispatcher, UnhandledOpcodesAnswerZero) {
  Instance plugin;
  char buffer[64] = "untouched";
  for (int32 opcode :
       {16, 17, 18, 20, 21, 27, 29, 30, 33, 34, 36, 37, 38, 39, 40, 41, 42, 44, 46,   50,
        52, 53, 54, 55, 56, 62, 64, 65, 66, 67, 68, 70, 71, 72, 74, 75, 76, 77, 1000, -5}) {
    EXPECT_EQ(plugin.dispatch(opcode, 1, 1, buffer, 1.0f), 0) << opcode;
  }
  EXPECT_STREQ(buffer, "untouched");
}

TEST(Dispatcher, EditorOpcodesWithoutEditorAnswerZero) {
  Instance plugin;
  // The product makes its editor; an effect without one is this one with it taken away.
  delete plugin.effect->getEditor();
  plugin.effect->setEditor(nullptr);
  ERect* rect = reinterpret_cast<ERect*>(&plugin);
  EXPECT_EQ(plugin.dispatch(effEditGetRect, 0, 0, &rect), 0);
  EXPECT_EQ(plugin.dispatch(effEditOpen, 0, 0, &plugin), 0);
  EXPECT_EQ(plugin.dispatch(effEditClose), 0);
  EXPECT_EQ(plugin.dispatch(effEditIdle), 0);
  EXPECT_EQ(plugin.dispatch(effEditKeyDown, ' '), 0);
  EXPECT_EQ(plugin.dispatch(effEditKeyUp, ' '), 0);
  EXPECT_EQ(plugin.dispatch(effSetEditKnobMode, 0, 2), 0);
}

TEST(Dispatcher, ClosingThePluginClosesItsOpenEditorWhileTheEffectIsWhole) {
  int closes = 0;
  float seen = -1.0f;
  {
    Instance plugin;
    plugin.setParameter(2, 0.5f);
    delete plugin.effect->getEditor();
    plugin.effect->setEditor(new ReadingEditor(plugin.effect, closes, seen));
    int parent = 0;
    plugin.dispatch(effEditOpen, 0, 0, &parent);
  }  // effClose
  EXPECT_EQ(closes, 1);
  EXPECT_FLOAT_EQ(seen, 0.5f);
}

TEST(Dispatcher, EditorOpcodesReachTheEditor) {
  Instance plugin;
  delete plugin.effect->getEditor();
  auto* editor = new RecordingEditor(plugin.effect);
  plugin.effect->setEditor(editor);
  EXPECT_EQ(plugin.record->flags & effFlagsHasEditor, effFlagsHasEditor);
  EXPECT_EQ(plugin.effect->getEditor(), editor);

  ERect* rect = reinterpret_cast<ERect*>(&plugin);
  EXPECT_EQ(plugin.dispatch(effEditGetRect, 0, 0, &rect), 0);
  EXPECT_EQ(rect, nullptr);
  int parent = 0;
  EXPECT_EQ(plugin.dispatch(effEditOpen, 0, 0, &parent), 1);
  EXPECT_EQ(editor->window(), &parent);
  EXPECT_EQ(plugin.dispatch(effSetEditKnobMode, 0, 2), 1);
  EXPECT_EQ(editor->knobMode, 2);
  EXPECT_EQ(plugin.dispatch(effEditKeyUp, 'a'), -1);

  EXPECT_EQ(plugin.dispatch(effEditKeyDown, 32, 0x10D, nullptr, 9.75f), 1);
  EXPECT_EQ(editor->lastKey.character, 32);
  EXPECT_EQ(editor->lastKey.virt, 0x0D);
  EXPECT_EQ(editor->lastKey.modifier, 9);
  // A modifier word the host garbles still converts to something defined.
  for (float odd : {std::numeric_limits<float>::quiet_NaN(), 1e30f, -1e30f}) {
    EXPECT_EQ(plugin.dispatch(effEditKeyDown, 1, 0, nullptr, odd), 1);
  }

  editor->requestUpdate();
  plugin.dispatch(effEditIdle);
  plugin.dispatch(effEditIdle);
  EXPECT_EQ(editor->updates, 1) << "one request, one update";
  plugin.dispatch(effEditClose);
  EXPECT_EQ(editor->closes, 1);

  plugin.setParameter(kDepth, 0.75f);
  EXPECT_EQ(editor->lastIndex, kDepth);
  EXPECT_EQ(editor->lastValue, 0.75f);
  plugin.setParameter(12, 0.5f);
  EXPECT_EQ(editor->lastIndex, 12) << "unknown indexes are still reported";
}

TEST(Dispatcher, SampleRateAndBlockSize) {
  Instance plugin;
  plugin.dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
  EXPECT_EQ(plugin.effect->getSampleRate(), 48000.0f);
  plugin.dispatch(effSetBlockSize, 0, 256);
  EXPECT_EQ(plugin.effect->getBlockSize(), 256);
  EXPECT_EQ(plugin.dispatch(effSetBlockSizeAndSampleRate, 0, 64, nullptr, 96000.0f), 1);
  EXPECT_EQ(plugin.effect->getSampleRate(), 96000.0f);
  for (float bad : {0.0f, -44100.0f, std::numeric_limits<float>::quiet_NaN(),
                    std::numeric_limits<float>::infinity()}) {
    plugin.dispatch(effSetSampleRate, 0, 0, nullptr, bad);
    EXPECT_EQ(plugin.effect->getSampleRate(), 96000.0f) << bad;
  }
}

TEST(Dispatcher, SpeakerArrangementQueryClearsBothHolders) {
  Instance plugin;
  VstSpeakerArrangement dummy{};
  VstSpeakerArrangement* input = &dummy;
  VstSpeakerArrangement* output = &dummy;
  EXPECT_EQ(plugin.dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<intptr>(&input), &output),
            0);
  EXPECT_EQ(input, nullptr);
  EXPECT_EQ(output, nullptr);
  EXPECT_EQ(plugin.dispatch(effGetSpeakerArrangement), 0);
}

TEST(Dispatcher, TextOpcodesWithoutBufferWriteNothing) {
  Instance plugin;
  for (int32 opcode :
       {effSetProgramName, effGetProgramName, effGetParamLabel, effGetParamDisplay, effGetParamName,
        effGetEffectName, effGetVendorString, effGetProductString, effGetChunk, effEditGetRect}) {
    EXPECT_EQ(plugin.dispatch(opcode), 0) << opcode;
  }
}

}  // namespace
