// Requests toward the host: opcode and arguments of each wrapper, the defaults
// without a host, and the speaker arrangement helpers.
#include <gtest/gtest.h>

#include <cstring>

#include "host/ExtendedEffect.h"
#include "tests/support/host/BareEffect.h"
#include "tests/support/host/FakeHost.h"

namespace {

TEST(HostRequests, WrappersSendTheirOpcode) {
  FakeHost host;
  BareEffect effect(FakeHost::callback);
  host.defaultAnswer = 7;

  EXPECT_TRUE(effect.requestWindowSize(293, 249));
  EXPECT_EQ(host.calls.back().opcode, audioMasterSizeWindow);
  EXPECT_EQ(host.calls.back().index, 293);
  EXPECT_EQ(host.calls.back().value, 249);

  effect.setParameterAndNotifyHost(3, 0.25f);
  EXPECT_EQ(host.calls.back().opcode, audioMasterAutomate);
  EXPECT_EQ(host.calls.back().index, 3);
  EXPECT_EQ(host.calls.back().opt, 0.25f);

  EXPECT_TRUE(effect.beginEdit(2));
  EXPECT_EQ(host.calls.back().opcode, audioMasterBeginEdit);
  EXPECT_EQ(host.calls.back().index, 2);

  effect.getTimeInfo(0xFFFF);
  EXPECT_EQ(host.calls.back().opcode, audioMasterGetTime);
  EXPECT_EQ(host.calls.back().value, 0xFFFF);
  EXPECT_EQ(effect.getHostVersion(), 2400);
  EXPECT_EQ(effect.refreshBlockSize(), 7);
  EXPECT_EQ(effect.refreshSampleRate(), 7.0f);
}

TEST(HostRequests, NoCallbackAnswersDefaults) {
  BareEffect effect(nullptr);
  EXPECT_EQ(effect.getHostVersion(), 1);
  EXPECT_EQ(effect.getTimeInfo(0xFFFF), nullptr);
  EXPECT_FALSE(effect.requestWindowSize(10, 10));
  EXPECT_EQ(effect.refreshSampleRate(), 44100.0f);
  EXPECT_EQ(effect.refreshBlockSize(), 1024);
  effect.setParameterAndNotifyHost(0, 1.0f);
}

TEST(HostRequests, NullSelectorsAreNotSent) {
  FakeHost host;
  BareEffect effect(FakeHost::callback);
  host.defaultAnswer = 1;
  EXPECT_FALSE(effect.openFileSelector(nullptr));
  EXPECT_FALSE(effect.closeFileSelector(nullptr));
  EXPECT_FALSE(effect.getChunkFile(nullptr));
  EXPECT_TRUE(host.calls.empty());
}

TEST(HostRequests, BaseDefaults) {
  FakeHost host;
  BareEffect effect(FakeHost::callback);
  EXPECT_EQ(effect.canDo("receiveVstEvents"), 0);
  EXPECT_EQ(effect.getPlugCategory(), 0);
  effect.setIsSynth(true);
  EXPECT_EQ(effect.getPlugCategory(), 2);
  EXPECT_EQ(effect.getRecord()->flags, effFlagsIsSynth);
  effect.setIsSynth(false);
  effect.setHasClip(true);
  effect.setNoSoundInStop(true);
  effect.setHasClip(false);
  EXPECT_EQ(effect.getRecord()->flags, effFlagsNoSoundInStop) << "setters touch only their bit";
}

TEST(SpeakerArrangement, AllocateMatchAndFree) {
  BareEffect effect(nullptr);
  VstSpeakerArrangement* source = nullptr;
  ASSERT_TRUE(effect.allocateSpeakerArrangement(&source, 12));
  ASSERT_NE(source, nullptr);
  EXPECT_EQ(source->numChannels, 12);
  source->type = 5;
  VstSpeakerProperties* last = source->speakers + 11;
  EXPECT_EQ(last->azimuth, 0.0f);
  last->azimuth = 11.0f;
  std::strcpy(last->name, "speaker");
  last->future[27] = 11;

  VstSpeakerArrangement* copy = nullptr;
  ASSERT_TRUE(effect.matchSpeakerArrangement(&copy, source));
  EXPECT_EQ(copy->type, 5);
  EXPECT_EQ(copy->numChannels, 12);
  const VstSpeakerProperties* copied = copy->speakers;
  EXPECT_EQ(copied[11].azimuth, 11.0f);
  EXPECT_STREQ(copied[11].name, "speaker");
  EXPECT_EQ(copied[11].future[27], 11);

  EXPECT_TRUE(effect.freeSpeakerArrangement(&copy));
  EXPECT_EQ(copy, nullptr);
  EXPECT_TRUE(effect.freeSpeakerArrangement(&source));
  EXPECT_FALSE(effect.allocateSpeakerArrangement(&source, -1));
  EXPECT_FALSE(effect.matchSpeakerArrangement(&copy, nullptr));
  EXPECT_FALSE(effect.copySpeakerProperties(nullptr, nullptr));
  EXPECT_FALSE(effect.allocateSpeakerArrangement(nullptr, 2));
}

}  // namespace
