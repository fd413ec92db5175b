// The sample counter and beat position, observed through the transport the
// effect reports to the host in the tap modes.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "tests/support/host/FakeHost.h"

namespace {

double counterAfter(Instance& plugin, int32 frames) {
  plugin.process(nullptr, nullptr, frames);
  return plugin.host.timeSent.back().samplePos;
}

TEST(BeatClock, FirstBlockReportsItsEnd) {
  Instance plugin;
  plugin.run(512);
  ASSERT_EQ(plugin.host.timeSent.size(), 1u);
  const VstTimeInfo& info = plugin.host.timeSent[0];
  EXPECT_EQ(info.samplePos, 513.0);
  EXPECT_DOUBLE_EQ(info.ppqPos, 513.0 / (44100.0 * 60.0 / 160.0) + 1.0);
  EXPECT_DOUBLE_EQ(info.tempo, 160.0);
  EXPECT_EQ(info.flags, kVstTransportPlaying | kVstTempoValid | kVstBarsValid);
  EXPECT_EQ(info.sampleRate, 44100.0);
  EXPECT_EQ(info.timeSigNumerator, 4);
  EXPECT_EQ(info.timeSigDenominator, 4);
  EXPECT_EQ(plugin.host.count(audioMasterGetTime), 0);
}

TEST(BeatClock, ShortAndNegativeBlocks) {
  Instance plugin;
  double expected = 1.0;
  for (int round = 0; round < 300; ++round) {
    for (int32 frames : {0, 1, 2, 1, 0, 2}) {
      expected += frames;
      ASSERT_EQ(counterAfter(plugin, frames), expected) << frames;
    }
  }
  EXPECT_EQ(counterAfter(plugin, -1), expected) << "no rewinding";
  EXPECT_EQ(counterAfter(plugin, std::numeric_limits<int32>::min()), expected);
}

TEST(BeatClock, RestartsOnlyNearTheWrap) {
  Instance plugin;
  constexpr double kRange = 4294967296.0;
  double counter = 1.0;
  // Approach the wrap with the longest blocks that stay clear of the guard.
  while (kRange - counter > 8.0) {
    const double remaining = kRange - counter;
    const auto frames = static_cast<int32>(std::min((remaining + 3.0) / 2.0 - 1.0, 2147483647.0));
    counter += frames;
    ASSERT_EQ(counterAfter(plugin, frames), counter);
  }
  // Single frames count up to the last value, then restart instead of wrapping.
  while (counter < kRange - 1.0) {
    counter += 1.0;
    ASSERT_EQ(counterAfter(plugin, 1), counter);
  }
  EXPECT_EQ(counterAfter(plugin, 1), 1.0);
  EXPECT_EQ(counterAfter(plugin, 2), 3.0);
}

TEST(BeatClock, LongBlockNearTheWrapRestarts) {
  Instance plugin;
  counterAfter(plugin, 2147483647);                           // 2^31
  EXPECT_EQ(counterAfter(plugin, 1073741824), 3221225472.0);  // 2^31 + 2^30
  // Twice this block, less 4, stays just short of the wrap...
  EXPECT_EQ(counterAfter(plugin, 536870912), 3758096384.0);
  // ...while twice this one passes it, so the counter restarts from 0.
  EXPECT_EQ(counterAfter(plugin, 536870914), 536870914.0);
}

TEST(BeatClock, BeatFollowsTheTempo) {
  Instance plugin;
  plugin.setParameter(kTempo, 120.0f);
  plugin.run(44099);
  EXPECT_DOUBLE_EQ(plugin.host.timeSent.back().ppqPos, 3.0) << "two beats a second, from 1";
  plugin.dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
  plugin.run(4000);
  EXPECT_DOUBLE_EQ(plugin.host.timeSent.back().ppqPos, 48100.0 / 24000.0 + 1.0);
}

}  // namespace
