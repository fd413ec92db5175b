// The stress run against fake plug-ins: a sound one passes, and each kind of
// fault is caught with a report that reproduces it.
#include <gtest/gtest.h>

#include <string>

#include "tests/stress/FakePlugin.h"
#include "tools/stress/StressHost.h"
#include "tools/stress/StressRun.h"

namespace qv::stress {
namespace {

using testing::FakePlugin;
using testing::Fault;

StressReport runAgainst(Fault fault, std::uint64_t seed, std::int64_t requests) {
  StressHost host;
  FakePlugin plugin(&StressHost::callback, fault);
  host.adopt(plugin.record());
  StressSettings settings;
  settings.seed = seed;
  settings.requests = requests;
  return stressPlugin(plugin.record(), host, settings);
}

TEST(StressRun, SoundPluginPassesAndEveryKindOfRequestIsSent) {
  const StressReport report = runAgainst(Fault::None, 7, 20000);
  EXPECT_EQ(report.violation, "");
  EXPECT_EQ(report.requests, 20000);
  EXPECT_GT(report.dispatches, 5000);
  EXPECT_GT(report.parameterRequests, 5000);
  EXPECT_GT(report.blocks, 5000);
  EXPECT_GT(report.levelCheckedBlocks, 100);
}

// The fake keeps what it is sent within 0 to 1, as a plug-in that takes other numbers for a
// parameter (a tempo in beats per minute) keeps them: the level check stays on however far
// out of range the values sent are.
TEST(StressRun, ValuesThePluginHoldsWithinRangeKeepTheLevelChecked) {
  const StressReport report = runAgainst(Fault::None, 7, 20000);
  EXPECT_GT(report.levelCheckedBlocks, report.blocks / 2);
}

TEST(StressRun, SameSeedGivesTheSameRunAndAnotherSeedAnother) {
  const StressReport first = runAgainst(Fault::None, 11, 3000);
  const StressReport again = runAgainst(Fault::None, 11, 3000);
  const StressReport other = runAgainst(Fault::None, 12, 3000);
  EXPECT_EQ(first.fingerprint, again.fingerprint);
  EXPECT_EQ(first.frames, again.frames);
  EXPECT_NE(first.fingerprint, other.fingerprint);
}

struct FaultCase {
  Fault fault;
  const char* expected;  // part of the violation text
};

class StressRunFault : public ::testing::TestWithParam<FaultCase> {};

TEST_P(StressRunFault, IsReportedAndReproducedBySeedAndCount) {
  const FaultCase& param = GetParam();
  const StressReport report = runAgainst(param.fault, 3, 50000);
  ASSERT_NE(report.violation, "") << "not caught";
  EXPECT_NE(report.violation.find(param.expected), std::string::npos) << report.violation;
  EXPECT_NE(report.violation.find("of seed 3"), std::string::npos) << report.violation;
  EXPECT_LT(report.requests, 50000);

  // The printed request count replays the run up to the same violation.
  const StressReport replay = runAgainst(param.fault, 3, report.requests);
  EXPECT_EQ(replay.violation, report.violation);
  EXPECT_EQ(replay.requests, report.requests);
}

INSTANTIATE_TEST_SUITE_P(
    EachFault, StressRunFault,
    ::testing::Values(FaultCase{Fault::NanOnBlocksOf100, "sample 50 is nan"},
                      FaultCase{Fault::GainAboveOne, "input peak"},
                      FaultCase{Fault::WritesPastBlock, "0 written past its"},
                      FaultCase{Fault::ChangesInput, "input 0 was changed"},
                      FaultCase{Fault::LongParameterName, "text written past 64 bytes"},
                      FaultCase{Fault::UnterminatedName, "not terminated within 64 bytes"},
                      FaultCase{Fault::CanDoAnswersTwo, "effCanDo answered 2"},
                      FaultCase{Fault::KeepsAnyProgram, "effGetProgram answered"},
                      FaultCase{Fault::NanParameter, "getParameter answered"},
                      FaultCase{Fault::ChangesRecordCounts, "the record's counts changed"},
                      FaultCase{Fault::SendsNullEvent, "a null event"}));

}  // namespace
}  // namespace qv::stress
