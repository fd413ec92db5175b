#include "gui/core/ViewContainer.h"

#include <gtest/gtest.h>

#include "gui/core/Bitmap.h"
#include "tests/gui/controls/ViewProbes.h"

using Log = std::vector<std::string>;

namespace {

// Two children overlapping at (10, 10)-(20, 20) inside a container at (100, 50).
struct Overlap {
  Overlap() {
    container->addChild(below);
    container->addChild(above);
    below->release();
    above->release();
    log.clear();
  }
  ~Overlap() { container->release(); }

  FakeFrame frame;
  Log log;
  ViewContainer* container = new ViewContainer(Rect(100, 50, 200, 150), &frame);
  ProbeView* below = new ProbeView(Rect(0, 0, 20, 20), "below", &log);
  ProbeView* above = new ProbeView(Rect(10, 10, 30, 30), "above", &log);
};

}  // namespace

TEST(ViewContainerOwnership, TheContainerTakesOverOrSharesTheCreatorsReference) {
  bool kept = false;
  bool handed = false;
  auto* keptView = new ProbeView(Rect(0, 0, 5, 5), "kept", nullptr, &kept);
  auto* handedView = new ProbeView(Rect(0, 0, 5, 5), "handed", nullptr, &handed);
  auto* container = new ViewContainer(Rect(0, 0, 50, 50), nullptr);
  container->addChild(keptView);
  container->addChild(handedView);
  EXPECT_EQ(keptView->referenceCount(), 2);
  container->removeChild(keptView, false);
  EXPECT_FALSE(kept);
  EXPECT_EQ(keptView->referenceCount(), 1);
  EXPECT_EQ(keptView->getParent(), nullptr);
  container->removeChild(handedView, true);
  EXPECT_TRUE(handed);
  EXPECT_EQ(container->childCount(), 0);
  keptView->release();
  EXPECT_TRUE(kept);
  container->release();
}

TEST(ViewContainerOwnership, AChildAddedTwiceLeavesWithOneReleaseOfTheCreator) {
  bool destroyed = false;
  Log log;
  auto* child = new ProbeView(Rect(0, 0, 5, 5), "c", &log, &destroyed);
  auto* container = new ViewContainer(Rect(0, 0, 50, 50), nullptr);
  container->addChild(child);
  container->addChild(child);
  EXPECT_EQ(child->referenceCount(), 3);
  child->retain();  // a reference the test keeps to look at the child afterwards
  container->removeChild(child, true);
  EXPECT_FALSE(destroyed);
  EXPECT_EQ(child->referenceCount(), 1);
  EXPECT_EQ(log, (Log{"c attached", "c attached", "c detached", "c detached"}));
  child->release();
  EXPECT_TRUE(destroyed);
  container->release();
}

TEST(ViewContainerOwnership, DestroyingTheContainerReleasesChildrenAndBackdrop) {
  bool destroyed = false;
  auto* backdrop = new Bitmap(4, 4);
  auto* container = new ViewContainer(Rect(0, 0, 50, 50), nullptr, backdrop);
  container->addChild(new ProbeView(Rect(0, 0, 5, 5), "c", nullptr, &destroyed));
  EXPECT_EQ(backdrop->referenceCount(), 2);
  container->setBackdrop(backdrop);  // the same bitmap again must survive the swap
  EXPECT_EQ(backdrop->referenceCount(), 2);
  container->release();
  EXPECT_TRUE(destroyed);
  EXPECT_EQ(backdrop->referenceCount(), 1);
  backdrop->release();
}

TEST(ViewContainerOwnership, ACreatorThatReleasedAfterAddingIsNotReleasedTwice) {
  bool destroyed = false;
  auto* child = new ProbeView(Rect(0, 0, 5, 5), "c", nullptr, &destroyed);
  auto* container = new ViewContainer(Rect(0, 0, 50, 50), nullptr);
  container->addChild(child);
  child->release();
  EXPECT_FALSE(destroyed);
  container->release();  // removes with alsoRelease true
  EXPECT_TRUE(destroyed);
}

TEST(ViewContainerOwnership, ChildrenAreListedInTheOrderAdded) {
  Overlap o;
  EXPECT_EQ(o.container->childAt(1), o.above);
  EXPECT_EQ(o.container->childAt(2), nullptr);
  EXPECT_EQ(o.container->childAt(-1), nullptr);
  EXPECT_EQ(ViewContainer(Rect(), nullptr).childCount(), 0);
}

TEST(ViewContainerOwnership, NullAndCyclicChildrenAreRefused) {
  auto* outer = new ViewContainer(Rect(0, 0, 50, 50), nullptr);
  auto* inner = new ViewContainer(Rect(0, 0, 20, 20), nullptr);
  outer->addChild(inner);
  outer->addChild(nullptr);
  outer->addChild(nullptr, Rect(), false);
  outer->addChild(outer);
  inner->addChild(outer);
  EXPECT_EQ(outer->childCount(), 1);
  EXPECT_EQ(inner->childCount(), 0);
  inner->release();
  outer->release();
}

TEST(ViewContainerOwnership, AFrameFoundLaterReachesEveryDescendant) {
  FakeFrame frame;
  auto* outer = new ViewContainer(Rect(0, 0, 50, 50), nullptr);
  auto* inner = new ViewContainer(Rect(0, 0, 20, 20), nullptr);
  auto* leaf = new View(Rect(0, 0, 5, 5));
  inner->addChild(leaf);
  outer->addChild(inner);
  outer->setOwnerFrame(&frame);
  EXPECT_EQ(leaf->getFrame(), &frame);
  leaf->release();
  inner->release();
  outer->release();
}

TEST(ViewContainerDirty, AnyDirtyChildMakesTheContainerDirty) {
  Overlap o;
  EXPECT_TRUE(o.container->isDirty());  // children are marked when added
  o.below->setDirty(false);
  o.above->setDirty(false);
  EXPECT_FALSE(o.container->isDirty());
  o.above->setDirty(true);
  EXPECT_TRUE(o.container->isDirty());
}

TEST(ViewContainerRouting, TheLastAddedChildGetsTheMouseFirstInLocalCoordinates) {
  Overlap o;
  Point where(115, 65);
  o.container->onMouseDown(nullptr, where);
  EXPECT_EQ(o.log, Log{"above mouse"});
  EXPECT_EQ(o.above->lastPoint, Point(15, 65 - 50));
  o.above->setMouseActive(false);
  o.container->onMouseDown(nullptr, where);
  EXPECT_EQ(o.log, (Log{"above mouse", "below mouse"}));
  Point outside(131, 65);
  o.container->onMouseDown(nullptr, outside);
  EXPECT_EQ(o.log.size(), 2u);
}

TEST(ViewContainerRouting, KeysGoTopFirstUntilAChildAnswers) {
  Overlap o;
  KeyCode key{};
  EXPECT_EQ(o.container->onKeyDown(key), -1);
  EXPECT_EQ(o.log, (Log{"above key", "below key"}));
  o.below->keyAnswer = 7;
  EXPECT_EQ(o.container->onKeyDown(key), 7);
  o.above->keyAnswer = 3;
  o.log.clear();
  EXPECT_EQ(o.container->onKeyDown(key), 3);
  EXPECT_EQ(o.log, Log{"above key"});
  EXPECT_EQ(o.container->onKeyUp(key), -1);
}

TEST(ViewContainerRouting, DropsNeedAFrameAndGoToTheTopmostTaker) {
  Overlap o;
  Point where(110, 60);  // the top-left corner of `above`
  o.above->takesDrop = false;
  EXPECT_TRUE(o.container->onDropItems(nullptr, 0, kDroppedText, where));
  EXPECT_EQ(o.log, (Log{"above drop", "below drop"}));
  EXPECT_EQ(o.below->lastPoint, Point(10, 10));
  ViewContainer orphan(Rect(0, 0, 50, 50), nullptr);
  EXPECT_FALSE(orphan.onDropItems(nullptr, 0, kDroppedText, where));
}

TEST(ViewContainerRouting, TheWheelFindsTheChildUnderTheFramesCursor) {
  FakeFrame frame;
  Log log;
  // A child inside a container inside a container: the cursor must be taken through both
  // corners.
  auto* outer = new ViewContainer(Rect(100, 50, 300, 250), &frame);
  auto* inner = new ViewContainer(Rect(20, 10, 120, 110), &frame);
  auto* child = new ProbeView(Rect(5, 5, 15, 15), "child", &log);
  inner->addChild(child);
  outer->addChild(inner);
  log.clear();
  frame.cursor = Point(100 + 20 + 15, 50 + 10 + 15);  // bottom-right edge of the child
  EXPECT_TRUE(outer->onWheel(nullptr, Point(135, 75), 1.0f));
  EXPECT_EQ(log, Log{"child wheel"});
  EXPECT_EQ(child->lastPoint, Point(15, 15));
  frame.cursor.offset(1, 0);
  EXPECT_FALSE(outer->onWheel(nullptr, Point(136, 75), 1.0f));
  child->release();
  inner->release();
  outer->release();
}

TEST(ViewContainerRouting, OnlyTheConstantItselfIdentifiesAContainer) {
  ViewContainer container(Rect(), nullptr);
  View view(Rect{});
  const char copy[] = "kMsgCheckIfViewContainer";
  EXPECT_EQ(container.handleMessage(&view, kMsgCheckIfViewContainer), 1);
  EXPECT_EQ(container.handleMessage(&view, copy), 0);
  EXPECT_EQ(view.handleMessage(&container, kMsgCheckIfViewContainer), 0);
}

TEST(ViewContainerRemoval, AChildMayRemoveItselfWhileHandlingTheMouse) {
  Overlap o;
  bool destroyed = false;
  auto* button = new ProbeView(Rect(0, 0, 50, 50), "button", &o.log, &destroyed);
  o.container->addChild(button);
  button->hook = [&] { o.container->removeChild(button, true); };
  Point where(101, 51);
  o.container->onMouseDown(nullptr, where);
  EXPECT_TRUE(destroyed);
  EXPECT_EQ(o.container->childCount(), 2);
}

TEST(ViewContainerRemoval, AChildRemovedDuringAKeyWalkIsNotOfferedTheKey) {
  Overlap o;
  o.above->hook = [&] { o.container->removeChild(o.below, false); };
  o.below->retain();  // kept so that the log can be read safely afterwards
  KeyCode key{};
  EXPECT_EQ(o.container->onKeyDown(key), -1);
  EXPECT_EQ(o.log, (Log{"above key", "below detached"}));
  o.below->release();
}
