#include "tools/vsthost/SmfWriter.h"

#include <algorithm>
#include <cmath>

namespace qv::host {

namespace {

constexpr double kMaxMicrosPerQuarter = 0xFFFFFF;

std::uint32_t microsPerQuarter(double bpm) {
  return static_cast<std::uint32_t>(std::clamp(std::round(60e6 / bpm), 1.0, kMaxMicrosPerQuarter));
}

void putBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
    out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void putVariableLength(std::vector<std::uint8_t>& out, std::uint32_t value) {
  std::uint8_t groups[5];
  int count = 0;
  do {
    groups[count++] = static_cast<std::uint8_t>(value & 0x7F);
    value >>= 7;
  } while (value != 0);
  while (count > 1) out.push_back(static_cast<std::uint8_t>(groups[--count] | 0x80));
  out.push_back(groups[0]);
}

// Sample position to ticks through the tempo values written to the file.
class TickClock {
 public:
  explicit TickClock(const TempoMap& tempo) : tempo_(tempo) {}

  std::uint64_t ticksAt(std::int64_t sample) const {
    const auto& segments = tempo_.segments();
    double ticks = 0.0;
    for (size_t i = 0; i < segments.size() && segments[i].start < sample; ++i) {
      const std::int64_t end =
          i + 1 < segments.size() ? std::min(segments[i + 1].start, sample) : sample;
      const double seconds = static_cast<double>(end - segments[i].start) / tempo_.sampleRate();
      ticks += seconds * 1e6 / microsPerQuarter(segments[i].bpm) * kSmfTicksPerQuarter;
    }
    return static_cast<std::uint64_t>(std::llround(ticks));
  }

 private:
  const TempoMap& tempo_;
};

}  // namespace

SmfResult buildSmf(const std::vector<TimedMidiEvent>& events, const TempoMap& tempo) {
  struct Item {
    std::uint64_t tick;
    std::vector<std::uint8_t> bytes;
  };
  const TickClock clock(tempo);
  SmfResult result;
  std::vector<Item> items;
  for (const TempoMap::Segment& segment : tempo.segments()) {
    Item item{clock.ticksAt(segment.start), {0xFF, 0x51, 0x03}};
    putBigEndian(item.bytes, microsPerQuarter(segment.bpm), 3);
    items.push_back(std::move(item));
  }
  items.push_back({0, {0xFF, 0x58, 0x04, 4, 2, 24, 8}});
  for (const TimedMidiEvent& event : events) {
    if (!isValidChannelMessage(event)) {
      ++result.skipped;
      continue;
    }
    const int length = 1 + channelMessageDataBytes(event.bytes[0]);
    items.push_back(
        {clock.ticksAt(event.sample), {event.bytes.begin(), event.bytes.begin() + length}});
  }
  // Meta events come first among equal times, so a tempo change governs the notes beside it.
  std::stable_sort(items.begin(), items.end(),
                   [](const Item& a, const Item& b) { return a.tick < b.tick; });

  std::vector<std::uint8_t> track;
  std::uint64_t lastTick = 0;
  for (const Item& item : items) {
    // Deltas hold at most 28 bits; a longer gap is bridged by empty text events.
    constexpr std::uint64_t kMaxDelta = 0x0FFFFFFF;
    while (item.tick - lastTick > kMaxDelta) {
      putVariableLength(track, kMaxDelta);
      track.insert(track.end(), {0xFF, 0x01, 0x00});
      lastTick += kMaxDelta;
    }
    putVariableLength(track, static_cast<std::uint32_t>(item.tick - lastTick));
    lastTick = item.tick;
    track.insert(track.end(), item.bytes.begin(), item.bytes.end());
  }
  track.insert(track.end(), {0x00, 0xFF, 0x2F, 0x00});

  std::vector<std::uint8_t>& out = result.bytes;
  out = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1};
  putBigEndian(out, kSmfTicksPerQuarter, 2);
  out.insert(out.end(), {'M', 'T', 'r', 'k'});
  putBigEndian(out, static_cast<std::uint32_t>(track.size()), 4);
  out.insert(out.end(), track.begin(), track.end());
  return result;
}

}  // namespace qv::host
