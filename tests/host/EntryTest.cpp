// Creating instances through the library's entry and destroying them.
#include <gtest/gtest.h>

#include "plugin/PluginEntry.h"
#include "tests/support/host/FakeHost.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

TEST(Entry, HostWithoutVersionGetsNoInstance) {
  FakeHost host;
  host.versionAnswer = 0;
  EXPECT_EQ(createPluginInstance(FakeHost::callback), nullptr);
  ASSERT_EQ(host.calls.size(), 1u);
  EXPECT_EQ(host.calls[0].opcode, audioMasterVersion);
  EXPECT_EQ(createPluginInstance(nullptr), nullptr);
}

TEST(Entry, RecordDescribesTheEffect) {
  Instance plugin;
  const AEffect& record = *plugin.record;
  EXPECT_EQ(record.magic, 0x56737450);
  EXPECT_EQ(record.numPrograms, 10);
  EXPECT_EQ(record.numParams, 17);
  EXPECT_EQ(record.numInputs, 2);
  EXPECT_EQ(record.numOutputs, 2);
  // Has-editor is added once the product's editor registers itself.
  EXPECT_EQ(record.flags, effFlagsHasEditor | effFlagsCanMono | effFlagsCanReplacing);
  EXPECT_EQ(record.uniqueID, ('Q' << 24) | ('v' << 16) | ('r' << 8) | 'l');
  EXPECT_EQ(record.version, 1);
  EXPECT_EQ(record.ioRatio, 1.0f);
  EXPECT_EQ(record.processDoubleReplacing, nullptr);
  for (char byte : record.future) EXPECT_EQ(byte, 0);
}

// The effect carries its identity itself: one made without an editor answers the same,
// only without the has-editor flag.
TEST(Entry, EffectWithoutAnEditorKeepsItsIdentity) {
  FakeHost host;
  TremoloEffect effect(FakeHost::callback, nullptr);
  const AEffect& record = *effect.getRecord();
  EXPECT_EQ(record.uniqueID, ('Q' << 24) | ('v' << 16) | ('r' << 8) | 'l');
  EXPECT_EQ(record.flags, effFlagsCanMono | effFlagsCanReplacing);
  EXPECT_EQ(effect.getEditor(), nullptr);
}

TEST(Entry, InstancesAreIndependent) {
  Instance first;
  Instance second;
  ASSERT_NE(first.record, second.record);
  first.setParameter(kDepth, 0.9f);
  first.dispatch(effSetProgram, 0, 3);
  EXPECT_FLOAT_EQ(second.getParameter(kDepth), 0.5f);
  EXPECT_EQ(second.dispatch(effGetProgram), 0);
  EXPECT_EQ(first.dispatch(effGetProgram), 3);
}

TEST(Entry, CloseDestroysTheEffect) {
  FakeHost host;
  AEffect* record = createPluginInstance(FakeHost::callback);
  ASSERT_NE(record, nullptr);
  // The sanitizer builds report a leak or a double free if this goes wrong.
  EXPECT_EQ(record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f), 1);
}

TEST(Entry, LibraryExportsMain) {
  using Entry = AEffect*(VSTCALLBACK*)(audioMasterCallback);
#ifdef _WIN32
  HMODULE library = LoadLibraryA(QV_PLUGIN_FILE);
  ASSERT_NE(library, nullptr);
  auto entry = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(library, "main")));
#else
  void* library = dlopen(QV_PLUGIN_FILE, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  auto entry = reinterpret_cast<Entry>(dlsym(library, "main"));
#endif
  ASSERT_NE(entry, nullptr);
  FakeHost host;
  AEffect* record = entry(FakeHost::callback);
  ASSERT_NE(record, nullptr);
  char name[64] = {};
  EXPECT_EQ(record->dispatcher(record, effGetEffectName, 0, 0, name, 0.0f), 1);
  EXPECT_STREQ(name, "Quaverling");
  EXPECT_EQ(record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f), 1);
#ifdef _WIN32
  FreeLibrary(library);
#else
  dlclose(library);
#endif
}

}  // namespace
