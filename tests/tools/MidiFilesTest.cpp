#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/vsthost/MidiText.h"
#include "tools/vsthost/SmfWriter.h"

namespace {

using qv::host::TempoMap;
using qv::host::TimedMidiEvent;

TimedMidiEvent event(std::int64_t sample, std::uint8_t status, std::uint8_t a, std::uint8_t b) {
  return {sample, {status, a, b}};
}

std::vector<std::uint8_t> header(std::uint32_t trackLength) {
  return {'M',
          'T',
          'h',
          'd',
          0,
          0,
          0,
          6,
          0,
          0,
          0,
          1,
          0x01,
          0xE0,
          'M',
          'T',
          'r',
          'k',
          static_cast<std::uint8_t>(trackLength >> 24),
          static_cast<std::uint8_t>(trackLength >> 16),
          static_cast<std::uint8_t>(trackLength >> 8),
          static_cast<std::uint8_t>(trackLength)};
}

TEST(SmfWriter, WritesATinyClickAndItsEndingByteForByte) {
  // 120 BPM at 44100 Hz: one quarter note is 22050 samples, 480 ticks.
  const TempoMap tempo(44100.0, 120.0);
  const qv::host::SmfResult smf =
      qv::host::buildSmf({event(0, 0x97, 84, 83), event(22050, 0x97, 84, 0)}, tempo);
  const std::vector<std::uint8_t> track = {
      0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,        // 500000 us per quarter
      0x00, 0xFF, 0x58, 0x04, 0x04, 0x02, 0x18, 0x08,  // 4/4
      0x00, 0x97, 0x54, 0x53,                          // click at tick 0
      0x83, 0x60, 0x97, 0x54, 0x00,                    // its ending 480 ticks later
      0x00, 0xFF, 0x2F, 0x00};
  std::vector<std::uint8_t> expected = header(static_cast<std::uint32_t>(track.size()));
  expected.insert(expected.end(), track.begin(), track.end());
  EXPECT_EQ(smf.bytes, expected);
  EXPECT_EQ(smf.skipped, 0);
}

TEST(SmfWriter, LeavesOutMessagesAFileCannotCarry) {
  const TempoMap tempo(48000.0, 120.0);
  // Note number 128 (a data byte with the top bit set), a lone data byte, a system message.
  const qv::host::SmfResult smf =
      qv::host::buildSmf({event(0, 0x90, 0x80, 100), event(0, 0x40, 1, 2), event(0, 0xF8, 0, 0),
                          event(0, 0xC2, 5, 0xFF)},
                         tempo);
  EXPECT_EQ(smf.skipped, 3);
  const std::vector<std::uint8_t> tail = {0x00, 0xC2, 0x05, 0x00, 0xFF, 0x2F, 0x00};
  ASSERT_GE(smf.bytes.size(), tail.size());
  EXPECT_TRUE(std::equal(tail.begin(), tail.end(),
                         smf.bytes.end() - static_cast<std::ptrdiff_t>(tail.size())))
      << "a program change carries one data byte only";
}

TEST(SmfWriter, PlacesEventsThroughTempoChanges) {
  // 60 BPM for one second (one quarter), then 120 BPM: a note at 1.5 s lies one more
  // quarter later, at 960 ticks, after a tempo event at 480.
  TempoMap tempo(1000.0, 60.0);
  tempo.addChange(1000, 120.0);
  const qv::host::SmfResult smf = qv::host::buildSmf({event(1500, 0x90, 60, 1)}, tempo);
  const std::vector<std::uint8_t> track = {
      0x00, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40,  // 1000000 us
      0x00, 0xFF, 0x58, 0x04, 0x04, 0x02, 0x18, 0x08,
      0x83, 0x60, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,  // at 480: 500000 us
      0x83, 0x60, 0x90, 0x3C, 0x01,                    // at 960
      0x00, 0xFF, 0x2F, 0x00};
  std::vector<std::uint8_t> expected = header(static_cast<std::uint32_t>(track.size()));
  expected.insert(expected.end(), track.begin(), track.end());
  EXPECT_EQ(smf.bytes, expected);
}

TEST(MidiText, ParsesNotesControllersAndCommentsInSampleOrder) {
  const std::string text =
      "# taps for the tremolo\n"
      "\n"
      "44100 cc 8 25 127   # a controller tap\r\n"
      "  100\tnote 1 60 100\n"
      "100 off 16 60 0\n"
      "100 note 1 61 0\n";
  std::vector<TimedMidiEvent> events;
  std::string error;
  ASSERT_TRUE(qv::host::parseMidiText(text, events, error)) << error;
  ASSERT_EQ(events.size(), 4u);
  EXPECT_EQ(events[0].sample, 100);
  EXPECT_EQ(events[0].bytes, (std::array<std::uint8_t, 3>{0x90, 60, 100}));
  EXPECT_EQ(events[1].bytes, (std::array<std::uint8_t, 3>{0x8F, 60, 0}))
      << "order of equal samples kept";
  EXPECT_EQ(events[2].bytes, (std::array<std::uint8_t, 3>{0x90, 61, 0}));
  EXPECT_EQ(events[3].sample, 44100);
  EXPECT_EQ(events[3].bytes, (std::array<std::uint8_t, 3>{0xB7, 25, 127}));
}

TEST(MidiText, NamesTheFirstBadLineAndKeepsTheEventsUntouched) {
  const std::vector<std::pair<std::string, std::string>> bad = {
      {"10 note 1 60", "line 1"},
      {"# ok\n10 note 0 60 100", "line 2: channel"},
      {"10 note 17 60 100", "channel"},
      {"10 note 1 128 100", "0 to 127"},
      {"10 cc 1 7 -1", "0 to 127"},
      {"-5 note 1 60 100", "sample position"},
      {"1.5 note 1 60 100", "sample position"},
      {"10 bend 1 0 64", "unknown event type"},
      {"10 note 1 60 100 7", "expected"},
      {"99999999999999999999 note 1 60 100", "sample position"},
  };
  for (const auto& [text, reason] : bad) {
    std::vector<TimedMidiEvent> events = {event(1, 0x90, 1, 1)};
    std::string error;
    EXPECT_FALSE(qv::host::parseMidiText(text, events, error)) << text;
    EXPECT_NE(error.find(reason), std::string::npos) << text << " -> " << error;
    EXPECT_EQ(events.size(), 1u);
  }
}

TEST(MidiText, FormatsWhatThePluginSentSoThatItParsesBack) {
  EXPECT_EQ(qv::host::formatMidiEvent(event(11025, 0x97, 84, 83)), "11025 note 8 84 83");
  EXPECT_EQ(qv::host::formatMidiEvent(event(0, 0xB0, 7, 127)), "0 cc 1 7 127");
  EXPECT_EQ(qv::host::formatMidiEvent(event(5, 0x80, 60, 0)), "5 off 1 60 0");
  EXPECT_EQ(qv::host::formatMidiEvent(event(5, 0xE0, 0, 64)), "5 raw E0 00 40");
  // Invalid data bytes are shown as sent, not hidden.
  EXPECT_EQ(qv::host::formatMidiEvent(event(9, 0x90, 0x80, 83)), "9 note 1 128 83");

  std::vector<TimedMidiEvent> events;
  std::string error;
  ASSERT_TRUE(qv::host::parseMidiText(qv::host::formatMidiEvent(event(11025, 0x97, 84, 83)), events,
                                      error));
  EXPECT_EQ(events.at(0).bytes, (std::array<std::uint8_t, 3>{0x97, 84, 83}));
}

}  // namespace
