// A short MIDI message stamped with its sample position in the render.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace qv::host {

struct TimedMidiEvent {
  std::int64_t sample = 0;              // counted from the render's first sample
  std::array<std::uint8_t, 3> bytes{};  // status and up to two data bytes, as sent
};

// Data bytes that follow a channel-voice status byte (0x80 to 0xEF); -1 for
// anything else (data bytes, system messages).
constexpr int channelMessageDataBytes(std::uint8_t status) {
  if (status < 0x80 || status >= 0xF0) return -1;
  const int kind = status & 0xF0;
  return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
}

// True when the message is a channel-voice message whose data bytes are 7-bit,
// that is one a MIDI file or cable can carry.
constexpr bool isValidChannelMessage(const TimedMidiEvent& event) {
  const int data = channelMessageDataBytes(event.bytes[0]);
  if (data < 0) return false;
  for (int i = 1; i <= data; ++i)
    if (event.bytes[static_cast<std::size_t>(i)] >= 0x80) return false;
  return true;
}

}  // namespace qv::host
