#include "editor/EditorBase.h"

#include <gtest/gtest.h>

#include "tests/support/editor/EditorHarness.h"

namespace {

class EditorBaseTest : public ::testing::Test {
 protected:
  RecordingHost host;
  HarnessEffect effect{host};
  HarnessEditor& editor = effect.editor();
};

}  // namespace

TEST_F(EditorBaseTest, TheEditorRegistersItselfAndAnswersItsRectangleBeforeOpen) {
  EXPECT_EQ(effect.getEditor(), &editor);
  EXPECT_NE(effect.getRecord()->flags & effFlagsHasEditor, 0);
  ERect* rect = nullptr;
  EXPECT_EQ(effect.dispatch(effEditGetRect, 0, 0, &rect), 1);
  ASSERT_NE(rect, nullptr);
  EXPECT_EQ(rect->top, 0);
  EXPECT_EQ(rect->left, 0);
  EXPECT_EQ(rect->bottom, 249);
  EXPECT_EQ(rect->right, 293);
  EXPECT_EQ(effect.dispatch(effEditGetRect, 0, 0, nullptr), 0) << "no place for the answer";
}

TEST_F(EditorBaseTest, WithoutAFrameKeysAndTheWheelAreNotHandled) {
  EXPECT_EQ(effect.dispatch(effEditKeyDown, ' ', 0, nullptr, 0.0f), -1);
  EXPECT_EQ(effect.dispatch(effEditKeyUp, 0, VKEY_UP, nullptr, 0.0f), -1);
  EXPECT_FALSE(editor.onWheel(1.0f));
  editor.redrawAll();
  EXPECT_EQ(editor.getFrame(), nullptr);
}

TEST_F(EditorBaseTest, OpeningRequestsAnUpdateThatTheNextIdleRuns) {
  int window = 0;
  EXPECT_EQ(editor.EditorBase::open(&window), 0);
  EXPECT_EQ(editor.updates, 0);
  effect.dispatch(effEditIdle);
  EXPECT_EQ(editor.updates, 1);
  effect.dispatch(effEditIdle);
  EXPECT_EQ(editor.updates, 1) << "one request, one update";
  editor.setParameter(3, 0.5f);
  effect.dispatch(effEditIdle);
  EXPECT_EQ(editor.updates, 2);
}

TEST_F(EditorBaseTest, TheKnobModeIsOneValueForEveryInstance) {
  RecordingHost otherHost;
  HarnessEffect other(otherHost);
  Frame mine(Rect(0, 0, 293, 249), nullptr, &editor);
  Frame theirs(Rect(0, 0, 293, 249), nullptr, &other.editor());
  EXPECT_EQ(theirs.getKnobMode(), 0);
  EXPECT_EQ(effect.dispatch(effSetEditKnobMode, 0, 2), 1);
  EXPECT_EQ(mine.getKnobMode(), 2);
  EXPECT_EQ(theirs.getKnobMode(), 2);
  EXPECT_EQ(other.dispatch(effSetEditKnobMode, 0, 0), 1);
  EXPECT_EQ(mine.getKnobMode(), 0);
}
