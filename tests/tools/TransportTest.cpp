#include <gtest/gtest.h>

#include "tools/vsthost/EventBatch.h"
#include "tools/vsthost/HostCapture.h"
#include "tools/vsthost/Transport.h"

namespace {

using qv::host::TempoMap;
using qv::host::Transport;
using qv::host::TransportSettings;

constexpr int32 kValidFlags = kVstTempoValid | kVstPpqPosValid | kVstTimeSigValid;

TEST(Transport, AnswersTheTimeAtTheStartOfEachBlock) {
  const TempoMap tempo(44100.0, 120.0);
  Transport transport(tempo, TransportSettings{2.0, true, true});
  const VstTimeInfo* info = transport.timeInfo();
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->samplePos, 0.0);
  EXPECT_EQ(info->sampleRate, 44100.0);
  EXPECT_EQ(info->ppqPos, 2.0);
  EXPECT_EQ(info->tempo, 120.0);
  EXPECT_EQ(info->timeSigNumerator, 4);
  EXPECT_EQ(info->timeSigDenominator, 4);
  EXPECT_EQ(info->flags, kValidFlags | kVstTransportPlaying | kVstTransportChanged);

  transport.advance(0);
  EXPECT_EQ(transport.timeInfo()->samplePos, 0.0) << "an empty block moves nothing";
  transport.advance(11025);
  transport.advance(-7);  // treated as empty
  transport.advance(11025);
  EXPECT_EQ(transport.blockStart(), 22050);
  EXPECT_EQ(transport.timeInfo()->samplePos, 22050.0);
  EXPECT_DOUBLE_EQ(transport.timeInfo()->ppqPos, 3.0);
  EXPECT_EQ(transport.timeInfo()->flags, kValidFlags | kVstTransportPlaying)
      << "the changed flag belongs to the first block only";
}

TEST(Transport, FollowsTempoChangesInsideAndBetweenBlocks) {
  TempoMap tempo(1000.0, 60.0);
  tempo.addChange(1500, 120.0);
  tempo.addChange(3000, 240.0);
  tempo.addChange(3000, 30.0);  // the later change at the same place wins
  Transport transport(tempo, TransportSettings{});
  transport.advance(1000);
  EXPECT_EQ(transport.timeInfo()->tempo, 60.0);
  EXPECT_DOUBLE_EQ(transport.timeInfo()->ppqPos, 1.0);
  // This block crosses the change at 1500: half a second at each tempo.
  transport.advance(1000);
  EXPECT_EQ(transport.timeInfo()->tempo, 120.0);
  EXPECT_DOUBLE_EQ(transport.timeInfo()->ppqPos, 1.0 + 0.5 + 1.0);
  transport.advance(2000);
  EXPECT_EQ(transport.timeInfo()->tempo, 30.0);
  EXPECT_DOUBLE_EQ(transport.timeInfo()->ppqPos, 2.5 + 2.0 + 0.5);
}

TEST(Transport, StoppedStaysAtItsPositionAndNoneAnswersNull) {
  TempoMap tempo(48000.0, 90.0);
  tempo.addChange(10, 150.0);
  Transport stopped(tempo, TransportSettings{4.0, false, true});
  stopped.advance(48000);
  const VstTimeInfo* info = stopped.timeInfo();
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->samplePos, 0.0);
  EXPECT_EQ(info->ppqPos, 4.0);
  EXPECT_EQ(info->tempo, 90.0) << "the tempo at the stopped song position";
  EXPECT_EQ(info->flags & kVstTransportPlaying, 0);
  EXPECT_EQ(info->flags & kValidFlags, kValidFlags);

  Transport none(tempo, TransportSettings{0.0, true, false});
  EXPECT_EQ(none.timeInfo(), nullptr);
  none.advance(512);
  EXPECT_EQ(none.timeInfo(), nullptr);
}

TEST(Transport, StandsAtTheStartDuringTheLeadInThenRollsFromTheSongsStart) {
  const TempoMap tempo(44100.0, 96.0);
  TransportSettings settings;
  settings.startPpq = 8.0;
  settings.leadIn = 2048 + 768;
  Transport transport(tempo, settings);
  for (int block = 0; block < 3; ++block) {
    const VstTimeInfo* info = transport.timeInfo();
    EXPECT_EQ(info->flags & kVstTransportPlaying, 0) << block;
    EXPECT_EQ(info->ppqPos, 8.0) << block;
    EXPECT_EQ(info->samplePos, 0.0) << block;
    EXPECT_EQ(info->tempo, 96.0);
    transport.advance(block < 2 ? 1024 : 768);
  }
  EXPECT_EQ(transport.songPosition(), 0);
  EXPECT_EQ(transport.blockStart(), 2048 + 768);
  EXPECT_EQ(transport.timeInfo()->flags, kValidFlags | kVstTransportPlaying | kVstTransportChanged)
      << "the first rolling block is a change of the transport";
  transport.advance(256);
  EXPECT_EQ(transport.songPosition(), 256);
  EXPECT_EQ(transport.timeInfo()->samplePos, 256.0);
  EXPECT_EQ(transport.timeInfo()->flags, kValidFlags | kVstTransportPlaying);
  EXPECT_DOUBLE_EQ(transport.timeInfo()->ppqPos, 8.0 + 256.0 / 44100.0 * 1.6);

  settings.playing = false;
  Transport stopped(tempo, settings);
  stopped.advance(4096);
  EXPECT_EQ(stopped.timeInfo()->flags & (kVstTransportPlaying | kVstTransportChanged), 0)
      << "a stopped host never rolls, lead-in or not";
  EXPECT_EQ(stopped.timeInfo()->ppqPos, 8.0);
}

TEST(Transport, RoundsTheSongPositionToTheNearestTickOfItsGrid) {
  // Positions a host with 1920 ticks per quarter note reports at 96 BPM, 44.1 kHz.
  const TempoMap tempo(44100.0, 96.0);
  TransportSettings settings;
  settings.ppqResolution = 1920;
  Transport transport(tempo, settings);
  EXPECT_EQ(transport.timeInfo()->ppqPos, 0.0);
  transport.advance(256);  // 17.83 ticks
  EXPECT_EQ(transport.timeInfo()->ppqPos, 18.0 / 1920.0);
  transport.advance(1024);  // 89.16 ticks
  EXPECT_EQ(transport.timeInfo()->ppqPos, 89.0 / 1920.0);
  transport.advance(2048);  // 231.83 ticks
  EXPECT_EQ(transport.timeInfo()->ppqPos, 232.0 / 1920.0);
  transport.advance(44100 * 10 - 3328);  // 16 quarter notes exactly
  EXPECT_EQ(transport.timeInfo()->ppqPos, 16.0);

  settings.ppqResolution = 1;
  settings.startPpq = 0.4;
  Transport coarse(tempo, settings);
  EXPECT_EQ(coarse.timeInfo()->ppqPos, 0.0) << "a start between quarter notes rounds as well";
}

TEST(EventBatchAndCapture, CarryMidiBetweenHostAndPluginWithSamplePositions) {
  const std::vector<qv::host::TimedMidiEvent> events = {{1030, {0xB7, 25, 127}},
                                                        {1500, {0x97, 84, 83}}};
  qv::host::EventBatch batch;
  batch.assign(events, 1024);
  VstEvents* list = batch.list();
  ASSERT_EQ(list->numEvents, 2);
  const auto* first = reinterpret_cast<const VstMidiEvent*>(list->events[0]);
  EXPECT_EQ(first->type, kVstMidiType);
  EXPECT_EQ(first->byteSize, 24) << "the record's size without type and byteSize";
  EXPECT_EQ(first->deltaFrames, 6);
  EXPECT_EQ(static_cast<unsigned char>(first->midiData[0]), 0xB7);
  EXPECT_EQ(reinterpret_cast<const VstMidiEvent*>(list->events[1])->deltaFrames, 476);

  // What a plug-in sends back is stamped from the block it arrives in.
  qv::host::HostCapture capture;
  capture.setBlockStart(2048);
  capture.addEvents(list);
  capture.addEvents(nullptr);
  ASSERT_EQ(capture.midi().size(), 2u);
  EXPECT_EQ(capture.midi()[0].sample, 2054);
  EXPECT_EQ(capture.midi()[1].sample, 2524);
  EXPECT_EQ(capture.midi()[1].bytes, (std::array<std::uint8_t, 3>{0x97, 84, 83}));

  // Other event types and null entries are skipped; a negative count reads nothing.
  VstEvent sysex{};
  sysex.type = 6;
  VstMidiEvent note{};
  note.type = kVstMidiType;
  note.midiData[0] = static_cast<char>(0x90);
  struct {
    int32 numEvents;
    intptr reserved;
    VstEvent* events[3];
  } mixed{3, 0, {&sysex, nullptr, reinterpret_cast<VstEvent*>(&note)}};
  capture.addEvents(reinterpret_cast<VstEvents*>(&mixed));
  EXPECT_EQ(capture.midi().size(), 3u);
  mixed.numEvents = -4;
  capture.addEvents(reinterpret_cast<VstEvents*>(&mixed));
  EXPECT_EQ(capture.midi().size(), 3u);

  batch.assign({}, 0);
  EXPECT_TRUE(batch.empty());
}

}  // namespace
