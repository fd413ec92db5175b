// The measuring tools' own logic, without timing anything: which figures the
// targets are judged on, and how blocks walk through the buffers.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "bench/RatioTable.h"
#include "bench/SideBySide.h"
#include "bench/StereoBuffers.h"

namespace {

using namespace qv::bench;

Summary withRampRatio(double ratio) {
  Summary summary;
  summary.nsPerFrame = {ratio, 1.0, 1.0};
  summary.gainRatio = ratio;
  summary.rampRatio = ratio;
  return summary;
}

BenchCase defaultCase(int32 blockSize) {
  BenchCase benchCase;
  benchCase.blockSize = blockSize;
  return benchCase;
}

TEST(RatioTable, TargetsAreJudgedOnTheDefaultProgramAtEveryBlockSize) {
  RatioTable table;
  table.add(defaultCase(64), withRampRatio(1.5));
  table.add(defaultCase(512), withRampRatio(1.15));
  EXPECT_FALSE(table.targetsMet()) << "4096 frames not measured";
  // Other programs do not count, however fast or slow.
  BenchCase square = defaultCase(4096);
  square.shape = 0;
  table.add(square, withRampRatio(1.0));
  EXPECT_FALSE(table.targetsMet());
  table.add(defaultCase(4096), withRampRatio(1.1));
  EXPECT_TRUE(table.targetsMet());

  std::ostringstream printed;
  table.print(printed);
  EXPECT_NE(printed.str().find("x ramp <= 1.50: met"), std::string::npos) << printed.str();
  EXPECT_NE(printed.str().find("targets: met"), std::string::npos);
}

TEST(RatioTable, AMissedOrUnmeasuredRatioMissesTheTargets) {
  for (double ratio : {1.16, 0.0}) {
    RatioTable table;
    table.add(defaultCase(64), withRampRatio(1.0));
    table.add(defaultCase(512), withRampRatio(ratio));
    table.add(defaultCase(4096), withRampRatio(1.0));
    EXPECT_FALSE(table.targetsMet()) << ratio;
    std::ostringstream printed;
    table.print(printed);
    EXPECT_NE(printed.str().find("targets: missed"), std::string::npos);
  }
}

TEST(StereoBuffers, BlocksWalkRoundTheBuffersAndNeverRunPastTheirEnd) {
  StereoBuffers buffers;
  float* const start = buffers.inputs()[0];
  buffers.seek(64, 64);
  EXPECT_EQ(buffers.inputs()[0], start + 64);
  buffers.seek(StereoBuffers::kFrames + 128, 64);
  EXPECT_EQ(buffers.inputs()[0], start + 128);
  buffers.seek(StereoBuffers::kFrames - 100, 512);
  EXPECT_EQ(buffers.inputs()[0], start) << "a block that would run past the end restarts";
  buffers.seek(-64, 64);
  EXPECT_EQ(buffers.inputs()[0], start + StereoBuffers::kFrames - 64);
  EXPECT_NE(buffers.inputs()[0], buffers.outputs()[0]);
  EXPECT_NE(buffers.inputs()[1], buffers.inputs()[0]);
}

void VSTCALLBACK copyThrough(AEffect*, float** inputs, float** outputs, int32 frames) {
  for (int32 i = 0; i < frames; ++i) {
    outputs[0][i] = inputs[0][i];
    outputs[1][i] = inputs[1][i];
  }
}

TEST(SideBySide, SummariesAppearWithTheFirstRound) {
  AEffect record{};
  record.processReplacing = copyThrough;
  SideBySide sideBySide(512, 4096);
  EXPECT_EQ(sideBySide.summary().rampRatio, 0.0);
  for (int round = 0; round < 3; ++round) sideBySide.round(&record);
  EXPECT_EQ(sideBySide.rounds(), 3);
  const Summary summary = sideBySide.summary();
  EXPECT_GT(summary.nsPerFrame.effect, 0.0);
  EXPECT_GT(summary.gainRatio, 0.0);
  EXPECT_GT(summary.rampRatio, 0.0);
}

}  // namespace
