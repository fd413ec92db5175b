// The four tempo sources against a scripted host transport, and MIDI intake.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "host/BasicEditor.h"
#include "tests/support/host/FakeHost.h"

namespace {

constexpr float kControllerTaps = 0.0f;
constexpr float kNoteTaps = 0.25f;
constexpr float kHostSync = 0.5f;
constexpr float kVeskoSync = 0.75f;

// A list of three-byte MIDI messages in the host's event records.
class MidiList {
 public:
  MidiList& add(int status, int data1, int data2, int32 type = kVstMidiType) {
    VstMidiEvent event{};
    event.type = type;
    event.byteSize = kVstMidiEventByteSize;
    event.midiData[0] = static_cast<char>(status);
    event.midiData[1] = static_cast<char>(data1);
    event.midiData[2] = static_cast<char>(data2);
    events.push_back(event);
    return *this;
  }
  VstEvents* list() {
    storage.assign(sizeof(VstEvents) + events.size() * sizeof(VstEvent*), 0);
    auto* list = reinterpret_cast<VstEvents*>(storage.data());
    list->numEvents = static_cast<int32>(events.size());
    VstEvent** pointers = list->events;
    for (std::size_t i = 0; i < events.size(); ++i) {
      pointers[i] = reinterpret_cast<VstEvent*>(&events[i]);
    }
    return list;
  }

 private:
  std::vector<VstMidiEvent> events;
  std::vector<unsigned char> storage;
};

// A MIDI tap tells the editor to update; counting those counts the taps.
struct TapCounter : BasicEditor {
  using BasicEditor::BasicEditor;
  void update() override { ++count; }
  int count = 0;
};

int taps(Instance& plugin, MidiList& midi) {
  auto* counter = dynamic_cast<TapCounter*>(plugin.effect->getEditor());
  if (!counter) {
    // In place of the product's own editor.
    delete plugin.effect->getEditor();
    counter = new TapCounter(plugin.effect);
    plugin.effect->setEditor(counter);
  }
  const int before = counter->count;
  EXPECT_EQ(plugin.dispatch(effProcessEvents, 0, 0, midi.list()), 1);
  return counter->count - before;
}

TEST(HostSync, FollowsTheHostTempo) {
  Instance plugin;
  plugin.setParameter(kTempoSource, kHostSync);
  plugin.host.transport.tempo = 90.0;
  plugin.run(64);
  EXPECT_EQ(plugin.display(kTempo), "90");
  EXPECT_FLOAT_EQ(plugin.getParameter(kTempo), 0.3f);
  EXPECT_EQ(plugin.host.count(audioMasterGetTime), 1);
  EXPECT_EQ(plugin.host.count(audioMasterSetTime), 0);
  EXPECT_EQ(plugin.host.count(audioMasterAutomate), 0);
  for (const HostCall& call : plugin.host.calls) {
    if (call.opcode == audioMasterGetTime) {
      EXPECT_EQ(call.value, 0xFFFF);
    }
  }
}

TEST(HostSync, HostTempoEdgeCases) {
  Instance plugin;
  plugin.setParameter(kTempoSource, kHostSync);
  plugin.host.transport.tempo = 400.0;
  plugin.run(64);
  EXPECT_EQ(plugin.display(kTempo), "120");
  EXPECT_FLOAT_EQ(plugin.getParameter(kTempo), 0.4f);

  // 1 BPM passes the range check but reads as a normalised value: 50 BPM, and
  // every block repeats it.
  plugin.host.transport.tempo = 1.0;
  plugin.run(64);
  EXPECT_EQ(plugin.display(kTempo), "50");
  plugin.setParameter(kTempo, 140.0f);
  plugin.run(64);
  EXPECT_EQ(plugin.display(kTempo), "50");

  plugin.host.transport.tempo = std::numeric_limits<double>::quiet_NaN();
  plugin.run(64);
  EXPECT_EQ(plugin.display(kTempo), "50");
  plugin.host.transport.tempo = std::numeric_limits<double>::infinity();
  plugin.run(64);
  EXPECT_EQ(plugin.display(kTempo), "120");

  plugin.host.transport.tempo = 100.0;
  plugin.host.transport.flags = 0;
  plugin.run(64);
  EXPECT_EQ(plugin.display(kTempo), "120") << "tempo not valid";
  plugin.host.transport.flags = kVstTempoValid;
  plugin.host.hasTransport = false;
  plugin.run(64);
  EXPECT_EQ(plugin.display(kTempo), "120") << "no time information";
}

TEST(HostSync, OnlyVeskoSyncTakesTheHostPosition) {
  // With the light on the beat the light shows which position is used.
  for (float source : {kHostSync, kVeskoSync}) {
    Instance plugin;
    plugin.setParameter(kTempoSource, source);
    plugin.setParameter(kLightFollows, 1.0f);
    plugin.host.transport.flags = kVstTempoValid | kVstTransportPlaying | kVstPpqPosValid;
    plugin.host.transport.ppqPos = 10.1;
    plugin.run(64);  // own position is near 0.0: first quarter
    EXPECT_EQ(plugin.getParameter(kLightState), 1.0f);
    plugin.host.transport.ppqPos = 10.6;
    plugin.run(64);
    EXPECT_EQ(plugin.getParameter(kLightState), source == kVeskoSync ? 0.0f : 1.0f) << source;
  }
}

TEST(HostSync, StoppedOrBrokenTransportKeepsTheOwnPosition) {
  Instance plugin;
  plugin.setParameter(kTempoSource, kVeskoSync);
  plugin.setParameter(kLightFollows, 1.0f);
  plugin.host.transport.flags = kVstTempoValid;
  plugin.host.transport.ppqPos = 10.6;
  plugin.run(64);
  EXPECT_EQ(plugin.getParameter(kLightState), 1.0f) << "stopped: own position";
  plugin.host.transport.flags = kVstTempoValid | kVstTransportPlaying;
  plugin.setParameter(kMultiplier, 1.0f);  // eight cycles a beat: the largest product
  for (double broken :
       {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::max(), -std::numeric_limits<double>::max(), 1e300}) {
    plugin.host.transport.ppqPos = broken;
    std::vector<float> signal(64, 1.0f);
    float* buffers[] = {signal.data(), signal.data()};
    plugin.process(buffers, buffers, 64);
    EXPECT_EQ(plugin.getParameter(kLightState), 1.0f) << broken;
    for (float sample : signal) ASSERT_TRUE(std::isfinite(sample)) << broken;
  }
}

TEST(MidiTaps, ControllerTaps) {
  Instance plugin;  // channel 8 (status nibble 7), number 25
  MidiList valid;
  valid.add(0xB7, 25, 127);
  EXPECT_EQ(taps(plugin, valid), 1);
  EXPECT_EQ(plugin.getParameter(kLightState), 1.0f);

  MidiList ignored;
  ignored.add(0xB7, 25, 126)
      .add(0xB6, 25, 127)
      .add(0xB7, 24, 127)
      .add(0x97, 25, 100)
      .add(0xB7, 25, 127, 5);
  EXPECT_EQ(taps(plugin, ignored), 0);
}

TEST(MidiTaps, NoteTaps) {
  Instance plugin;
  plugin.setParameter(kTempoSource, kNoteTaps);
  MidiList ignored;
  ignored.add(0x97, 25, 0).add(0x87, 25, 64).add(0xB7, 25, 127).add(0x97, 25 + 128, 0);
  EXPECT_EQ(taps(plugin, ignored), 0);
  MidiList valid;
  valid.add(0x97, 25, 1);
  EXPECT_EQ(taps(plugin, valid), 1);
}

TEST(MidiTaps, DataBytesAreSevenBit) {
  Instance plugin;
  plugin.setParameter(kTempoSource, kNoteTaps);
  MidiList high;
  high.add(0x97, 25 | 0x80, 0x81);  // the top bits are dropped
  EXPECT_EQ(taps(plugin, high), 1);
  plugin.setParameter(kTapNumber, 1.0f);  // number 128 can never match
  MidiList all;
  for (int number = 0; number < 256; ++number) all.add(0x97, number, 100);
  EXPECT_EQ(taps(plugin, all), 0);
}

TEST(MidiTaps, HostModesIgnoreTaps) {
  for (float source : {kHostSync, kVeskoSync}) {
    Instance plugin;
    plugin.setParameter(kTempoSource, source);
    MidiList midi;
    midi.add(0xB7, 25, 127);
    EXPECT_EQ(taps(plugin, midi), 0);
    EXPECT_EQ(plugin.getParameter(kLightState), 0.0f);
  }
}

TEST(MidiTaps, MalformedListsAreSafe) {
  Instance plugin;
  EXPECT_EQ(plugin.dispatch(effProcessEvents, 0, 0, nullptr), 1);
  VstEvents empty{};
  empty.numEvents = -3;
  EXPECT_EQ(plugin.dispatch(effProcessEvents, 0, 0, &empty), 1);
  VstEvents holes{};
  holes.numEvents = 2;
  EXPECT_EQ(plugin.dispatch(effProcessEvents, 0, 0, &holes), 1);
  MidiList garbage;
  for (int byte = 0; byte < 256; ++byte) garbage.add(byte, 255 - byte, byte ^ 0x55);
  plugin.dispatch(effProcessEvents, 0, 0, garbage.list());
}

TEST(MidiTaps, FourTapsABeatApartSetTheTempo) {
  Instance plugin;
  MidiList tap;
  tap.add(0xB7, 25, 127);
  for (int i = 0; i < 4; ++i) {
    plugin.dispatch(effProcessEvents, 0, 0, tap.list());
    plugin.run(22050);
  }
  EXPECT_EQ(plugin.display(kTempo), "120");
}

}  // namespace
