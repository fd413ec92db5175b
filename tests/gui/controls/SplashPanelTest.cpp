// The splash panel under the scripted user: shown over the window as the frame's modal view
// and hidden again, with the frame's modal routing.
#include "gui/controls/SplashPanel.h"
#include "tests/support/user/DragFixture.h"

namespace {

// A view that paints itself green and counts its presses.
class Patch : public View {
 public:
  explicit Patch(const Rect& r) : View(r) {}
  void draw(DrawContext* context) override {
    context->setFillColor(kGreen);
    context->fillRect(Rect(size.left - 1, size.top - 1, size.right, size.bottom));
    setDirty(false);
  }
  void onMouseDown(DrawContext*, Point&) override { ++presses; }
  int presses = 0;
};

class SplashPanelTest : public DragTest {
 protected:
  void SetUp() override {
    DragTest::SetUp();
    Bitmap* backdrop = strip(293, 249, {kRed});
    frame->setBackdrop(backdrop);
    backdrop->release();
    patch = add(new Patch(Rect(200, 100, 250, 150)));
    Bitmap* about = strip(200, 100, {kBlue});
    // Shown over (50, 50, 250, 150) from the click area (0, 0, 180, 25).
    panel =
        add(new SplashPanel(Rect(0, 0, 180, 25), this, 22, about, Rect(50, 50, 250, 150), Point()));
    about->release();
  }

  Patch* patch = nullptr;
  SplashPanel* panel = nullptr;
};

TEST_F(SplashPanelTest, ClickShowsTheBitmapAsModalViewAndTheNextClickInsideHidesIt) {
  // Off, the panel draws nothing over what lies under it.
  EXPECT_EQ(pixel(Point(10, 10)), pixel(Point(190, 10)));
  click(Point(10, 10));
  EXPECT_EQ(panel->getValue(), 1.0f);
  EXPECT_EQ(frame->getModalView(), panel);
  EXPECT_TRUE(near(heardValues(), {1.0f}));
  EXPECT_EQ(pixel(Point(60, 60)), kBlue);
  EXPECT_EQ(pixel(Point(220, 120)), kBlue);
  // Presses outside the display rectangle reach no view; the patch under it gets none.
  click(Point(10, 10));
  click(Point(260, 120));
  EXPECT_EQ(panel->getValue(), 1.0f);
  EXPECT_TRUE(heard.empty());
  click(Point(220, 120));
  EXPECT_EQ(patch->presses, 0);
  EXPECT_EQ(panel->getValue(), 0.0f);
  EXPECT_EQ(frame->getModalView(), nullptr);
  EXPECT_TRUE(near(heardValues(), {0.0f}));
  // The frame repainted everything under it, and the click area is back.
  EXPECT_EQ(pixel(Point(220, 120)), kGreen);
  EXPECT_EQ(pixel(Point(60, 60)), kRed);
  click(Point(220, 120));
  EXPECT_EQ(patch->presses, 1);
  click(Point(170, 20));
  EXPECT_EQ(panel->getValue(), 1.0f);
}

TEST_F(SplashPanelTest, OnlyTheLogicalLeftButtonHitsThePanel) {
  tree.press(Point(kHostRect.left + 10, kHostRect.top + 10), platform::PressedButton::Right);
  input.setButtons(platform::kPhysicalRight);
  tree.dispatchMessages();
  input.setButtons(0);
  EXPECT_EQ(panel->getValue(), 0.0f);
  // With the buttons swapped, the physical left button is the logical right one.
  DrawContext::setButtonsSwapped(true);
  click(Point(10, 10));
  DrawContext::setButtonsSwapped(false);
  EXPECT_EQ(panel->getValue(), 0.0f);
  EXPECT_FALSE(panel->hitTest(Point(10, 10), kButtonRight));
  EXPECT_TRUE(panel->hitTest(Point(180, 25), kButtonLeft | kModShift));
}

TEST_F(SplashPanelTest, WhileAnotherViewIsModalAClickShowsNothingAndKeepsTheClickArea) {
  Patch other(Rect(0, 200, 10, 210));
  ASSERT_TRUE(frame->setModalView(&other));
  DrawContext context(frame, nullptr, nullptr);
  input.setButtons(platform::kPhysicalLeft);
  Point where(10, 10);
  panel->onMouseDown(&context, where);
  EXPECT_EQ(panel->getValue(), 1.0f);
  EXPECT_TRUE(heard.empty());
  EXPECT_EQ(frame->getModalView(), &other);
  // The click that turns it off again leaves the other modal view and the click area alone.
  panel->onMouseDown(&context, where);
  input.setButtons(0);
  EXPECT_EQ(panel->getValue(), 0.0f);
  EXPECT_EQ(frame->getModalView(), &other);
  Rect area;
  EXPECT_EQ(panel->getBounds(area), Rect(0, 0, 180, 25));
  frame->setModalView(nullptr);
}

TEST_F(SplashPanelTest, HidePanelRepaintsTheWindowWithoutTellingTheListener) {
  click(Point(10, 10));
  ASSERT_EQ(pixel(Point(220, 120)), kBlue);
  heard.clear();
  panel->hidePanel();
  EXPECT_EQ(panel->getValue(), 0.0f);
  EXPECT_EQ(frame->getModalView(), nullptr);
  EXPECT_TRUE(heard.empty());
  EXPECT_EQ(pixel(Point(220, 120)), kGreen);
  Rect area;
  EXPECT_EQ(panel->getBounds(area), Rect(0, 0, 180, 25));
  // Hiding a panel that is not shown only clears its value.
  panel->hidePanel();
  EXPECT_EQ(panel->getBounds(area), Rect(0, 0, 180, 25));
}

}  // namespace
