// EditorBase between the host and the frame: the host's keys reach the views as the
// toolkit's keys, and the frame's requests reach the host only as far as it can take them.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "gui/core/View.h"
#include "gui/platform/software/WindowTree.h"
#include "tests/support/editor/EditorHarness.h"

namespace {

// Takes every key and remembers the last one of each kind.
class KeyProbe : public View {
 public:
  using View::View;
  std::int32_t onKeyDown(const KeyCode& key) override {
    down = key;
    return 1;
  }
  std::int32_t onKeyUp(const KeyCode& key) override {
    up = key;
    return 7;
  }
  KeyCode down{};
  KeyCode up{};
};

class EditorLinkTest : public ::testing::Test {
 protected:
  EditorLinkTest() {
    tree.reset();
    hostWindow = tree.createWindow(nullptr, Rect(100, 50, 700, 550), "HostWindow", true);
    effect = std::make_unique<HarnessEffect>(host);
  }
  ~EditorLinkTest() override {
    effect.reset();
    tree.reset();
  }

  HarnessEditor& editor() { return effect->editor(); }

  platform::software::WindowTree& tree = platform::software::windowTree();
  platform::WindowHandle hostWindow = nullptr;
  RecordingHost host;
  std::unique_ptr<HarnessEffect> effect;
};

}  // namespace

TEST_F(EditorLinkTest, HostKeysReachTheViewsWithCharacterVirtualKeyAndModifiers) {
  ASSERT_EQ(effect->dispatch(effEditOpen, 0, 0, hostWindow), 1);
  auto* probe = new KeyProbe(Rect(0, 0, 10, 10));
  ASSERT_TRUE(editor().getFrame()->addChild(probe));

  VstKeyCode typed{'a', 0, MODIFIER_SHIFT | MODIFIER_CONTROL};
  EXPECT_EQ(editor().onKeyDown(typed), 1);
  EXPECT_EQ(probe->down.character, 'a');
  EXPECT_EQ(probe->down.virt, 0);
  EXPECT_EQ(probe->down.modifier, kModifierShift | kModifierControl);

  // Every field keeps its value, also past the codes that the toolkit names.
  VstKeyCode arrow{-5, VKEY_DOWN, 0xFF};
  EXPECT_EQ(editor().onKeyUp(arrow), 7) << "the view's own answer";
  EXPECT_EQ(probe->up.character, -5);
  EXPECT_EQ(probe->up.virt, kKeyDown);
  EXPECT_EQ(probe->up.modifier, 0xFF);
  effect->dispatch(effEditClose);
}

TEST_F(EditorLinkTest, AHostThatCannotSizeWindowsIsNotAskedTo) {
  // The recording host answers 0 to every request, "sizeWindow" included.
  EXPECT_FALSE(editor().requestWindowSize(320, 280));
  EXPECT_EQ(host.count(audioMasterSizeWindow), 0);
  EXPECT_GE(host.count(audioMasterCanDo), 1);
}

TEST(EditorLinkWithoutEffect, NothingReachesAHostAndNothingBreaks) {
  HarnessEditor editor(nullptr);
  WindowRecord record;
  std::strcpy(record.title, "Quaverling");
  record.width = 293;
  EXPECT_EQ(editor.openHostWindow(record), nullptr);
  EXPECT_FALSE(editor.closeHostWindow(record));
  EXPECT_FALSE(editor.requestWindowSize(300, 200));
  editor.beginEdit(3);
  editor.endEdit(3);
  EXPECT_EQ(editor.getEffect(), nullptr);
}
