// Metronome notes sent to the host: beat clicks, their endings and the guards.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "tests/support/host/FakeHost.h"

namespace {

using Message = std::array<unsigned char, 4>;

struct Sent {
  Message message;
  double counter;  // the sample counter at the end of the block that sent it
};

// Runs blocks of the given size and notes which block sent each message.
std::vector<Sent> runBlocks(Instance& plugin, int32 frames, int blocks) {
  std::vector<Sent> sent;
  for (int b = 0; b < blocks; ++b) {
    const std::size_t before = plugin.host.midiOut.size();
    plugin.process(nullptr, nullptr, frames);
    for (std::size_t i = before; i < plugin.host.midiOut.size(); ++i) {
      sent.push_back({plugin.host.midiOut[i], plugin.host.timeSent.back().samplePos});
    }
  }
  return sent;
}

TEST(Metronome, DefaultProgramClicksNote84OnChannel8) {
  Instance plugin;
  const auto sent = runBlocks(plugin, 512, 200);
  ASSERT_GE(sent.size(), 4u);
  for (std::size_t i = 0; i < sent.size(); ++i) {
    EXPECT_EQ(sent[i].message[0], 0x97);
    EXPECT_EQ(sent[i].message[1], 84);
    EXPECT_EQ(sent[i].message[3], 0);
    // Clicks and endings alternate.
    EXPECT_EQ(sent[i].message[2], i % 2 == 0 ? 83 : 0) << i;
  }
  for (int32 delta : plugin.host.midiDeltaFrames) EXPECT_EQ(delta, 0);
}

TEST(Metronome, EndingFollowsHalfABeatLater) {
  Instance plugin;
  plugin.setParameter(kTempo, 120.0f);
  const auto sent = runBlocks(plugin, 64, 2000);
  ASSERT_GE(sent.size(), 6u);
  for (std::size_t i = 0; i + 1 < sent.size(); i += 2) {
    EXPECT_NE(sent[i].message[2], 0);
    EXPECT_EQ(sent[i + 1].message[2], 0);
    EXPECT_NEAR(sent[i + 1].counter - sent[i].counter, 11025.0, 64.0);
    // Each click falls in the first block past a beat.
    const double beats = sent[i].counter / 22050.0;
    EXPECT_LT(beats - std::floor(beats), 64.0 / 22050.0) << i;
  }
}

TEST(Metronome, OneClickWhenABlockSpansSeveralBeats) {
  Instance plugin;
  plugin.setParameter(kTempo, 120.0f);
  runBlocks(plugin, 100, 1);
  const auto sent = runBlocks(plugin, 5 * 22050, 1);
  // One click, and the half-beat ending that the same block also passes.
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0].message[2], 83);
  EXPECT_EQ(sent[1].message[2], 0);
}

TEST(Metronome, VolumeAndNoteExtremes) {
  Instance plugin;
  plugin.setParameter(kMetronomeVolume, 0.0f);
  plugin.setParameter(kMetronomeNote, 1.0f);
  plugin.setParameter(kMidiChannel, 0.0f);
  const auto sent = runBlocks(plugin, 512, 100);
  ASSERT_FALSE(sent.empty());
  for (const Sent& s : sent) {
    EXPECT_EQ(s.message[0], 0x90);
    EXPECT_EQ(s.message[1], 0x80) << "note 128 as a byte";
    EXPECT_EQ(s.message[2], 0);
  }
}

TEST(Metronome, TapJustBeforeABeatSuppressesItsClick) {
  Instance plugin;
  plugin.setParameter(kTempo, 120.0f);
  // The first beat ends at counter 22050; tap 0.1 s before it.
  runBlocks(plugin, 22049 - 4410, 1);
  plugin.host.clear();
  plugin.setParameter(kTap, 0.5f);
  ASSERT_EQ(plugin.host.midiOut.size(), 1u) << "the tap's own click";
  const auto sent = runBlocks(plugin, 64, 300);  // to beat 1.67
  for (const Sent& s : sent) {
    EXPECT_EQ(s.message[2], 0) << "only the ending of the tap's click at " << s.counter;
  }
  ASSERT_EQ(sent.size(), 1u);
}

TEST(Metronome, EveryEventGoesOutAsTheStandardLaysItOut) {
  Instance plugin;
  plugin.setParameter(kTempo, 120.0f);
  runBlocks(plugin, 512, 100);      // beat clicks and their endings
  plugin.setParameter(kTap, 0.5f);  // a tap's own click
  const FakeHost& host = plugin.host;
  ASSERT_GE(host.midiEvents.size(), 3u);
  ASSERT_EQ(host.eventLists.size(), host.midiEvents.size()) << "one event per list";
  for (const SentEventList& list : host.eventLists) {
    EXPECT_EQ(list.numEvents, 1);
    EXPECT_EQ(list.reserved, 0);
  }
  for (std::size_t i = 0; i < host.midiEvents.size(); ++i) {
    const VstMidiEvent& e = host.midiEvents[i];
    EXPECT_EQ(e.type, kVstMidiType) << i;
    EXPECT_EQ(e.byteSize, 24) << i << ": the size without type and byteSize, on every build";
    EXPECT_EQ(e.deltaFrames, 0) << i;
    EXPECT_EQ(e.flags, 0) << i;
    EXPECT_EQ(e.noteLength, 0) << i;
    EXPECT_EQ(e.noteOffset, 0) << i;
    EXPECT_EQ(e.midiData[3], 0) << i;
    EXPECT_EQ(e.detune, 0) << i;
    EXPECT_EQ(e.noteOffVelocity, 0) << i;
    EXPECT_EQ(e.reserved1, 0) << i;
    EXPECT_EQ(e.reserved2, 0) << i;
  }
}

}  // namespace
