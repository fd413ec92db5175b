#include <gtest/gtest.h>

#include "gui/core/Bitmap.h"
#include "gui/core/OffscreenContext.h"
#include "gui/core/ViewContainer.h"
#include "tests/gui/controls/ViewProbes.h"

using Log = std::vector<std::string>;

namespace {

// A white 80 by 80 window stand-in with a blue container at (10, 10)-(50, 50) holding a
// red child at (0, 0)-(20, 20) under a green one at (10, 10)-(30, 30).
class ContainerPicture : public ::testing::Test {
 protected:
  ContainerPicture() {
    container->setBackdropColor(kBlue);
    below->color = kRed;
    above->color = kGreen;
    container->addChild(below);
    container->addChild(above);
    log.clear();
  }
  ~ContainerPicture() override {
    below->release();
    above->release();
    container->release();
  }

  // Frame coordinates.
  Color at(std::int32_t x, std::int32_t y) { return window.getPixelColor(Point(x, y)); }
  void mark(std::int32_t x, std::int32_t y) { window.drawPoint(Point(x, y), kMagenta); }
  void drawCleanly() {
    container->draw(&window);
    log.clear();
  }

  Log log;
  OffscreenContext window{nullptr, 80, 80, kWhite};
  ViewContainer* container = new ViewContainer(Rect(10, 10, 50, 50), nullptr);
  ProbeView* below = new ProbeView(Rect(0, 0, 20, 20), "below", &log);
  ProbeView* above = new ProbeView(Rect(10, 10, 30, 30), "above", &log);
};

}  // namespace

TEST_F(ContainerPicture, BackdropFillsTheContainerAndLaterChildrenLieOnTop) {
  for (bool buffered : {true, false}) {
    SCOPED_TRACE(buffered ? "buffered" : "direct");
    container->setBuffered(buffered);
    container->draw(&window);
    EXPECT_EQ(at(9, 9), kWhite);
    EXPECT_EQ(at(45, 10), kBlue);  // the top row and the left column are backdrop too
    EXPECT_EQ(at(10, 45), kBlue);
    EXPECT_EQ(at(49, 49), kBlue);
    EXPECT_EQ(at(50, 50), kWhite);
    EXPECT_EQ(at(10, 10), kRed);
    EXPECT_EQ(at(25, 25), kGreen);  // where the two overlap
    EXPECT_EQ(at(39, 39), kGreen);
    EXPECT_FALSE(container->isDirty());
  }
}

TEST_F(ContainerPicture, DrawAreaWithABufferCopiesOutOnlyTheArea) {
  container->drawArea(&window, Rect(0, 0, 25, 25));
  EXPECT_EQ(at(12, 12), kRed);
  EXPECT_EQ(at(24, 24), kGreen);
  EXPECT_EQ(at(25, 25), kWhite);
  EXPECT_EQ(at(30, 12), kWhite);
  EXPECT_EQ(log, (Log{"below draw", "above draw"}));
}

TEST_F(ContainerPicture, WholeRedrawModeDrawsEverythingOnlyWhenSomethingIsDirty) {
  drawCleanly();
  container->update(&window);
  EXPECT_TRUE(log.empty());
  above->setDirty(true);
  container->update(&window);
  EXPECT_EQ(log, (Log{"below draw", "above draw"}));
}

TEST_F(ContainerPicture, DirtyChildrenModeWithoutBufferRepaintsOnlyUnderDirtyChildren) {
  container->setBuffered(false);
  container->setRedrawMode(kRedrawDirtyChildren);
  drawCleanly();
  mark(45, 15);  // backdrop under no child
  mark(35, 35);  // inside the clean child
  below->paints = false;
  below->setDirty(true);
  container->update(&window);
  EXPECT_EQ(log, Log{"below draw"});
  EXPECT_EQ(at(12, 12), kBlue);  // backdrop where the child now paints nothing
  EXPECT_EQ(at(25, 25), kBlue);  // the clean child on top is not redrawn over it
  EXPECT_EQ(at(45, 15), kMagenta);
  EXPECT_EQ(at(35, 35), kMagenta);
  EXPECT_FALSE(container->isDirty());
}

TEST_F(ContainerPicture, DirtyChildrenModeWithBufferCopiesTheBufferOnlyWhenDirty) {
  container->setRedrawMode(kRedrawDirtyChildren);
  drawCleanly();
  mark(45, 15);
  container->update(&window);
  EXPECT_EQ(at(45, 15), kMagenta);
  below->color = kYellow;
  below->setDirty(true);
  container->update(&window);
  EXPECT_EQ(log, Log{"below draw"});
  EXPECT_EQ(at(45, 15), kBlue);
  EXPECT_EQ(at(12, 12), kYellow);
  EXPECT_EQ(at(25, 25), kYellow);  // drawn into the buffer over the clean child
}

TEST_F(ContainerPicture, ANestedContainerRedrawsWholeForOnePassAndGetsItsModeBack) {
  container->setBuffered(false);
  container->setRedrawMode(kRedrawDirtyChildren);
  auto* nested = new ViewContainer(Rect(25, 0, 40, 15), nullptr);
  nested->setBuffered(false);
  nested->setRedrawMode(kRedrawDirtyChildren);
  nested->setBackdropColor(kCyan);
  auto* first = new ProbeView(Rect(0, 0, 5, 5), "first", &log);
  auto* second = new ProbeView(Rect(5, 5, 10, 10), "second", &log);
  nested->addChild(first);
  nested->addChild(second);
  container->addChild(nested);
  drawCleanly();
  std::int32_t modeWhileDrawing = -1;
  first->hook = [&] { modeWhileDrawing = nested->getRedrawMode(); };
  first->setDirty(true);
  container->update(&window);
  EXPECT_EQ(log, (Log{"first draw", "second draw"}));
  EXPECT_EQ(modeWhileDrawing, kRedrawWhole);
  EXPECT_EQ(nested->getRedrawMode(), kRedrawDirtyChildren);
  EXPECT_EQ(at(10 + 25 + 2, 10 + 2), kRed);  // children land at the sum of both corners
  EXPECT_EQ(at(10 + 25 + 7, 10 + 7), kRed);
  EXPECT_EQ(at(10 + 25 + 12, 10 + 12), kCyan);
  for (View* v :
       {static_cast<View*>(first), static_cast<View*>(second), static_cast<View*>(nested)}) {
    v->release();
  }
}

TEST_F(ContainerPicture, ATransparentContainerPaintsNoBackdropColour) {
  container->setBuffered(false);
  container->setTransparent(true);
  container->draw(&window);
  EXPECT_EQ(at(45, 45), kWhite);
  EXPECT_EQ(at(12, 12), kRed);
}

TEST_F(ContainerPicture, TheBackdropBitmapIsReadFromTheBackdropOffset) {
  auto* bitmap = new Bitmap(40, 40);
  {
    OffscreenContext painter(nullptr, bitmap, true);
    painter.setFillColor(kGreen);
    painter.fillRect(Rect(9, 9, 20, 20));  // green at (10, 10)-(20, 20)
  }
  container->removeAllChildren(false);
  container->setBackdrop(bitmap);
  container->setBackdropOffset(Point(10, 10));
  container->draw(&window);
  EXPECT_EQ(at(10, 10), kGreen);
  EXPECT_EQ(at(19, 19), kGreen);
  EXPECT_EQ(at(20, 20), kBlack);
  bitmap->release();
}

TEST_F(ContainerPicture, NewBoundsGiveTheBufferTheNewSize) {
  drawCleanly();
  container->setBounds(Rect(10, 10, 70, 70));
  EXPECT_TRUE(container->isDirty());
  container->update(&window);
  EXPECT_EQ(at(69, 69), kBlue);
}
