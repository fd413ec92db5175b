// The audio routine allocates nothing and calls the host a fixed number of
// times per block, whatever the block size. This program counts every
// allocation through replaced global operators new and delete (qv_test_counted_allocation).
#include <gtest/gtest.h>

#include <vector>

#include "tests/support/allocation/CountedAllocation.h"
#include "tests/support/host/FakeHost.h"

namespace {

TEST(RealTime, BlocksAllocateNothingAndCallTheHostAFewTimes) {
  const std::vector<int32> sizes = {1, 2, 3, 63, 64, 65, 512, 4096, 65536, 0, -4};
  std::vector<float> left(65536, 0.5f);
  std::vector<float> right(65536, -0.5f);
  float* buffers[] = {left.data(), right.data()};

  VstMidiEvent tap{};
  tap.type = kVstMidiType;
  tap.byteSize = kVstMidiEventByteSize;
  tap.midiData[0] = static_cast<char>(0xB7);
  tap.midiData[1] = 25;
  tap.midiData[2] = 127;
  VstEvents events{};
  events.numEvents = 1;
  events.events[0] = reinterpret_cast<VstEvent*>(&tap);

  for (float source : {0.0f, 0.25f, 0.5f, 0.75f}) {
    for (float shape : {0.0f, 0.5f, 1.0f}) {
      const long beforeCreation = counted_allocation::count();
      Instance plugin;
      ASSERT_GT(counted_allocation::count(), beforeCreation) << "the counting operators are in use";
      plugin.setParameter(kTempoSource, source);
      plugin.setParameter(kShape, shape);
      plugin.host.transport.flags = kVstTempoValid | kVstTransportPlaying;
      for (int round = 0; round < 20; ++round) {
        for (int32 frames : sizes) {
          plugin.host.transport.tempo = 60.0 + round;
          plugin.host.transport.ppqPos = round * 0.37;
          const std::size_t callsBefore = plugin.host.calls.size();
          const long before = counted_allocation::count();
          plugin.dispatch(effProcessEvents, 0, 0, &events);
          plugin.process(buffers, buffers, frames);
          const long allocated = counted_allocation::count() - before;
          ASSERT_EQ(allocated, 0) << "source " << source << " frames " << frames;
          // One transport request or report, a tap click, a beat click and its
          // ending at most.
          ASSERT_LE(plugin.host.calls.size() - callsBefore, 4u) << frames;
        }
      }
    }
  }
}

}  // namespace
