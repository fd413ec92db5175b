// The frame's view list, the routing of presses, keys, drops and the wheel, and its
// drawing through real paint messages of the window.
#include <cmath>
#include <limits>

#include "gui/core/Bitmap.h"
#include "gui/core/OffscreenContext.h"
#include "tests/gui/core/FrameFixture.h"
#include "tests/gui/core/Printers.h"

namespace {

TEST_F(FrameTest, ListTakesOverReferencesAndReleasesOnRemoval) {
  bool firstGone = false;
  bool secondGone = false;
  auto* first = new ProbeView(Rect(0, 0, 10, 10), "a", &log, &firstGone);
  auto* second = new ProbeView(Rect(0, 0, 10, 10), "b", &log, &secondGone);
  EXPECT_FALSE(frame->addChild(nullptr));
  ASSERT_TRUE(frame->addChild(first));
  ASSERT_TRUE(frame->addChild(second));
  EXPECT_EQ(first->referenceCount(), 1);
  EXPECT_EQ(first->getFrame(), frame.get());
  EXPECT_EQ(frame->childCount(), 2);
  EXPECT_EQ(frame->childAt(1), second);
  EXPECT_EQ(frame->childAt(2), nullptr);
  EXPECT_EQ(frame->childAt(-1), nullptr);

  // Kept by its creator: detached, unlinked, alive.
  first->retain();
  EXPECT_TRUE(frame->removeChild(first, true));
  EXPECT_FALSE(firstGone);
  EXPECT_EQ(first->getFrame(), nullptr);
  EXPECT_FALSE(frame->hasChild(first));
  EXPECT_EQ(frame->childAt(0), second);
  // A view the frame does not hold keeps its reference.
  EXPECT_FALSE(frame->removeChild(first, true));
  EXPECT_EQ(first->referenceCount(), 1);
  first->release();
  EXPECT_TRUE(firstGone);

  frame.reset();
  EXPECT_TRUE(secondGone);
  EXPECT_EQ(log, (Log{"a attached", "b attached", "a detached", "b detached"}));
}

TEST_F(FrameTest, ListGrowsPastItsFirstBlock) {
  for (int i = 0; i < 45; ++i) add(Rect(i, 0, i + 1, 1), "v");
  EXPECT_EQ(frame->childCount(), 45);
  Rect bounds;
  EXPECT_EQ(frame->childAt(44)->getBounds(bounds), Rect(44, 0, 45, 1));
}

TEST_F(FrameTest, PressEndsTextEditingFirstThenReachesTheTopmostView) {
  ProbeView* field = add(Rect(0, 0, 50, 20), "field");
  add(Rect(10, 10, 100, 100), "lower");
  ProbeView* upper = add(Rect(40, 40, 120, 120), "upper");
  tree.dispatchMessages();
  frame->setFocusView(field);
  log.clear();

  click(Point(50, 60));
  EXPECT_EQ(log, (Log{"field focus lost", "upper mouse"}));
  EXPECT_EQ(frame->getFocusView(), nullptr);
  EXPECT_EQ(upper->lastPoint, Point(50, 60));

  // Edges count; a view that is not mouse-active lets the press through.
  log.clear();
  upper->setMouseActive(false);
  click(Point(100, 100));
  EXPECT_EQ(log, (Log{"lower mouse"}));
}

TEST_F(FrameTest, FocusMovesTellTheViewThatLosesIt) {
  ProbeView* a = add(Rect(0, 0, 10, 10), "a");
  ProbeView* b = add(Rect(0, 0, 10, 10), "b");
  log.clear();
  frame->setFocusView(a);
  frame->setFocusView(b);
  frame->setFocusView(b);
  EXPECT_EQ(log, (Log{"a focus lost"}));
  // Removing the focus view leaves no focus behind.
  EXPECT_TRUE(frame->removeChild(b, true));
  EXPECT_EQ(frame->getFocusView(), nullptr);
}

// A text field that takes itself off the frame when its editing ends.
class LeavingField : public ProbeView {
 public:
  LeavingField(Frame* holder, Log* probeLog)
      : ProbeView(Rect(0, 0, 10, 10), "field", probeLog), frameToLeave(holder) {}
  void focusLost(DrawContext*) override { frameToLeave->removeChild(this, false); }

 private:
  Frame* frameToLeave;
};

TEST_F(FrameTest, AFocusViewThatLeavesWhileLosingTheFocusLeavesOnce) {
  ProbeView* a = add(Rect(0, 0, 10, 10), "a");
  auto* field = new LeavingField(frame.get(), &log);
  ASSERT_TRUE(frame->addChild(field));
  ProbeView* b = add(Rect(0, 0, 10, 10), "b");
  frame->setFocusView(field);
  log.clear();
  EXPECT_TRUE(frame->removeChild(field, true));
  EXPECT_EQ(log, Log{"field detached"});
  EXPECT_EQ(frame->childCount(), 2);
  EXPECT_EQ(frame->childAt(0), a);
  EXPECT_EQ(frame->childAt(1), b);
  // Its own removal handed the reference back to the test.
  EXPECT_EQ(field->referenceCount(), 1);
  field->release();
}

TEST_F(FrameTest, ModalViewTakesTheMouseAndComesSecondForKeys) {
  ProbeView* field = add(Rect(0, 0, 50, 20), "field");
  ProbeView* view = add(Rect(0, 0, 200, 200), "view");
  auto modal = std::make_unique<FocusProbe>(Rect(100, 100, 150, 150), "modal", &log);
  ASSERT_TRUE(frame->setModalView(modal.get()));
  auto second = std::make_unique<ProbeView>(Rect(0, 0, 5, 5), "second");
  EXPECT_FALSE(frame->setModalView(second.get()));
  EXPECT_EQ(frame->getModalView(), modal.get());
  tree.dispatchMessages();
  log.clear();

  click(Point(10, 10));
  EXPECT_TRUE(log.empty());
  click(Point(150, 150));
  EXPECT_EQ(log, (Log{"modal mouse"}));

  frame->setFocusView(field);
  log.clear();
  const KeyCode key{' ', 0, 0};
  EXPECT_EQ(frame->onKeyDown(key), -1);
  EXPECT_EQ(log, (Log{"field key", "modal key", "view key", "field key"}));
  log.clear();
  view->keyAnswer = 1;
  modal->keyAnswer = 7;
  EXPECT_EQ(frame->onKeyDown(key), 7);
  EXPECT_EQ(log, (Log{"field key", "modal key"}));
  EXPECT_EQ(frame->onKeyUp(key), -1);

  // Drops reach nobody while a modal or focus view is set.
  Point where(10, 10);
  EXPECT_FALSE(frame->onDropItems(nullptr, 0, kDroppedText, where));

  EXPECT_TRUE(frame->setModalView(nullptr));
  EXPECT_EQ(log.back(), "modal detached");
  frame->setFocusView(nullptr);
  log.clear();
  EXPECT_TRUE(frame->onDropItems(nullptr, 0, kDroppedText, where));
  EXPECT_EQ(log, (Log{"view drop"}));
}

TEST_F(FrameTest, DropsGoToTheTopmostActiveViewThatTakesThem) {
  ProbeView* lower = add(Rect(0, 0, 100, 100), "lower");
  ProbeView* upper = add(Rect(50, 50, 100, 100), "upper");
  upper->takesDrop = false;
  log.clear();
  Point where(100, 100);
  EXPECT_TRUE(frame->onDropItems(nullptr, 0, kDroppedFiles, where));
  EXPECT_EQ(log, (Log{"upper drop", "lower drop"}));
  lower->setMouseActive(false);
  log.clear();
  EXPECT_FALSE(frame->onDropItems(nullptr, 0, kDroppedFiles, where));
  EXPECT_EQ(log, (Log{"upper drop"}));
}

TEST_F(FrameTest, WheelGoesToTheViewUnderTheCursorWithTheCursorsPosition) {
  ProbeView* lower = add(Rect(0, 0, 100, 100), "lower");
  ProbeView* upper = add(Rect(50, 50, 100, 100), "upper");
  input.setCursor(Point(kHostRect.left + 60, kHostRect.top + 70));
  EXPECT_EQ(frame->getViewUnderPointer(), upper);
  EXPECT_TRUE(frame->onWheel(nullptr, Point(1, 1), 1.0f));
  EXPECT_EQ(upper->lastPoint, Point(60, 70));
  EXPECT_EQ(lower->lastPoint, Point(-1, -1));

  EXPECT_FALSE(frame->onWheel(nullptr, Point(), std::numeric_limits<float>::quiet_NaN()));
  EXPECT_FALSE(frame->onWheel(nullptr, Point(), INFINITY));
  input.setCursor(Point(kHostRect.left + 200, kHostRect.top + 200));
  EXPECT_EQ(frame->getViewUnderPointer(), nullptr);
  EXPECT_FALSE(frame->onWheel(nullptr, Point(), 1.0f));
}

class FramePaint : public FrameTest {
 protected:
  Color pixel(std::int32_t x, std::int32_t y) {
    return tree.pixels(frame->getWindow())->colorAt(x, y);
  }
};

TEST_F(FramePaint, IdleUpdateWaitsForTheFirstPaint) {
  ProbeView* view = add(Rect(10, 10, 20, 20), "view");
  view->setDirty(true);
  log.clear();
  frame->idleUpdate();
  EXPECT_TRUE(log.empty());
  EXPECT_TRUE(view->isDirty());

  // The window was created with everything to paint.
  tree.dispatchMessages();
  EXPECT_EQ(log, (Log{"view draw"}));
  view->setDirty(true);
  frame->idleUpdate();
  EXPECT_EQ(log, (Log{"view draw", "view draw"}));
  EXPECT_FALSE(view->isDirty());
  EXPECT_EQ(pixel(15, 15), kRed);

  // Nothing dirty: nothing drawn.
  frame->idleUpdate();
  EXPECT_EQ(log.size(), 2u);
}

TEST_F(FramePaint, UpdateDrawsOnlyTheModalViewWhileOneIsSet) {
  ProbeView* view = add(Rect(10, 10, 20, 20), "view");
  FocusProbe modal(Rect(30, 30, 40, 40), "modal", &log);
  frame->setModalView(&modal);
  tree.dispatchMessages();
  log.clear();
  view->setDirty(true);
  modal.setDirty(true);
  frame->idleUpdate();
  EXPECT_EQ(log, (Log{"modal draw"}));
  frame->setModalView(nullptr);
}

TEST_F(FramePaint, PaintDrawsTheBackdropFromTheAreasOwnCorner) {
  // A backdrop with one marked pixel at (60, 45).
  auto* backdrop = new Bitmap(293, 249);
  {
    OffscreenContext painter(nullptr, backdrop, true);
    painter.setFillColor(kBlue);
    painter.fillRect(Rect(-1, -1, 293, 249));
    painter.drawPoint(Point(60, 45), kYellow);
  }
  frame->setBackdrop(backdrop);
  backdrop->release();
  EXPECT_EQ(backdrop->referenceCount(), 1);
  ProbeView* inside = add(Rect(70, 50, 80, 60), "inside");
  add(Rect(200, 200, 210, 210), "outside");
  tree.dispatchMessages();
  tree.pixels(frame->getWindow())->fill(kBlack);
  log.clear();

  const Rect area(50, 40, 100, 70);
  tree.invalidate(frame->getWindow(), &area);
  tree.dispatchMessages();
  EXPECT_EQ(log, (Log{"inside draw"}));
  EXPECT_EQ(pixel(60, 45), kYellow);
  EXPECT_EQ(pixel(50, 40), kBlue);
  EXPECT_EQ(pixel(99, 69), kBlue);
  EXPECT_EQ(pixel(75, 55), kRed);
  EXPECT_EQ(pixel(49, 40), kBlack);
  EXPECT_EQ(pixel(100, 69), kBlack);
  inside->color = kGreen;

  // drawView redraws one view at once, or the whole frame for a view it does not hold.
  frame->drawView(inside);
  EXPECT_EQ(pixel(75, 55), kGreen);
  EXPECT_EQ(pixel(5, 5), kBlack);
  ProbeView stranger(Rect(0, 0, 1, 1), "stranger");
  frame->drawView(&stranger);
  EXPECT_EQ(pixel(5, 5), kBlue);
  EXPECT_EQ(pixel(205, 205), kRed);
}

TEST_F(FramePaint, DirtyFrameRedrawsEverything) {
  add(Rect(10, 10, 20, 20), "a");
  add(Rect(30, 10, 40, 20), "b");
  tree.dispatchMessages();
  log.clear();
  frame->setDirty(true);
  frame->idleUpdate();
  EXPECT_EQ(log, (Log{"a draw", "b draw"}));
  EXPECT_FALSE(frame->isDirty());
}

}  // namespace
