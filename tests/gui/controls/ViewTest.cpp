#include "gui/core/View.h"

#include <gtest/gtest.h>

#include "tests/gui/controls/ViewProbes.h"

TEST(View, ReleaseDeletesOnlyWhenTheLastReferenceGoes) {
  bool destroyed = false;
  auto* view = new ProbeView(Rect(0, 0, 10, 10), "v", nullptr, &destroyed);
  EXPECT_EQ(view->referenceCount(), 1);
  view->retain();
  view->release();
  EXPECT_FALSE(destroyed);
  EXPECT_EQ(view->referenceCount(), 1);
  view->release();
  EXPECT_TRUE(destroyed);
}

TEST(View, HitTestAndTouchesAreaCountTheEdges) {
  View view(Rect(10, 20, 30, 40));
  EXPECT_TRUE(view.hitTest(Point(10, 20), 0));
  EXPECT_TRUE(view.hitTest(Point(30, 40), 0));
  EXPECT_FALSE(view.hitTest(Point(31, 30), 0));
  EXPECT_FALSE(view.hitTest(Point(20, 19), 0));
  EXPECT_TRUE(view.touchesArea(Rect(30, 40, 50, 60)));   // shares the bottom-right corner
  EXPECT_TRUE(view.touchesArea(Rect(0, 0, 10, 20)));     // shares the top-left corner
  EXPECT_FALSE(view.touchesArea(Rect(31, 20, 50, 40)));  // one pixel to the right
  EXPECT_FALSE(view.touchesArea(Rect(10, 0, 30, 19)));   // one pixel above
}

TEST(View, SetBoundsMarksDirtyAndLeavesTheHitArea) {
  View view(Rect(0, 0, 10, 10));
  EXPECT_FALSE(view.isDirty());
  view.setBounds(Rect(50, 50, 60, 60));
  EXPECT_TRUE(view.isDirty());
  Rect out;
  EXPECT_EQ(view.getHitArea(out), Rect(0, 0, 10, 10));
  EXPECT_EQ(view.getBounds(out), Rect(50, 50, 60, 60));
  view.setHitArea(Rect(1, 2, 3, 4));
  EXPECT_EQ(view.getHitArea(out), Rect(1, 2, 3, 4));
}

TEST(View, FrameServicesReachOnlyViewsWithAFrame) {
  View view(Rect(0, 0, 4, 4));
  view.redrawNow();
  EXPECT_EQ(view.getOwnerEditor(), nullptr);
  FakeFrame frame;
  static char editorStandIn;
  frame.editor = reinterpret_cast<EditorLink*>(&editorStandIn);
  view.setOwnerFrame(&frame);
  view.redrawNow();
  EXPECT_EQ(frame.drawn, std::vector<View*>{&view});
  EXPECT_EQ(view.getOwnerEditor(), frame.editor);
}
