// The frame's window among the host's windows: the window class, sizing and positions,
// cursors, the drop registration, a window that the host destroys first, and the editor
// and host reached through the frame, with a drag played by the scripted user.
#include <cstring>

#include "editor/EditorBase.h"
#include "gui/platform/Module.h"
#include "host/ExtendedEffect.h"
#include "tests/gui/core/FrameFixture.h"
#include "tests/gui/core/Printers.h"
#include "tests/support/editor/AdoptingEditor.h"
#include "tests/support/host/BareEffect.h"
#include "tests/support/host/FakeHost.h"

namespace {

std::string classOf(platform::WindowHandle window) {
  char name[64] = "";
  platform::software::windowTree().className(window, name, sizeof name);
  return name;
}

Rect screenOf(platform::WindowHandle window) {
  Rect r;
  platform::software::windowTree().screenRect(window, r);
  return r;
}

TEST_F(FrameTest, TwoFramesShareOneClassRegistration) {
  auto second = std::make_unique<Frame>(kEditorSize, host, nullptr);
  EXPECT_EQ(Frame::classRegistrations(), 2);
  EXPECT_EQ(tree.registeredClassCount(), 1);
  EXPECT_EQ(classOf(second->getWindow()), Frame::windowClassName());
  frame.reset();
  EXPECT_TRUE(tree.isClassRegistered(Frame::windowClassName()));
  second.reset();
  EXPECT_EQ(Frame::classRegistrations(), 0);
  EXPECT_EQ(tree.registeredClassCount(), 0);
  EXPECT_EQ(tree.windowCount(), 1);
}

TEST_F(FrameTest, ClassNameFollowsTheModuleHandle) {
  frame.reset();
  void* const saved = platform::moduleHandle();
  platform::setModuleHandle(reinterpret_cast<void*>(std::uintptr_t{268435456}));
  frame = std::make_unique<Frame>(kEditorSize, host, nullptr);
  EXPECT_STREQ(Frame::windowClassName(), "Plugin10000000");
  EXPECT_EQ(classOf(frame->getWindow()), "Plugin10000000");
  platform::setModuleHandle(reinterpret_cast<void*>(std::uintptr_t{0xabc}));
  frame.reset();
  frame = std::make_unique<Frame>(kEditorSize, host, nullptr);
  EXPECT_STREQ(Frame::windowClassName(), "Plugin00000abc");
  platform::setModuleHandle(saved);
}

TEST_F(FrameTest, WindowIsAChildAtTheHostsCornerAndADropTarget) {
  const platform::WindowHandle own = frame->getWindow();
  EXPECT_EQ(tree.parentOf(own), host);
  EXPECT_EQ(screenOf(own), Rect(100, 50, 393, 299));
  EXPECT_EQ(tree.client(own) != nullptr, true);
  EXPECT_NE(tree.dropTarget(own), nullptr);
  EXPECT_TRUE(frame->setDropActive(false));
  EXPECT_EQ(tree.dropTarget(own), nullptr);
  EXPECT_TRUE(frame->setDropActive(false));
  EXPECT_TRUE(frame->setDropActive(true));
  EXPECT_GT(tree.oleInitialisations(), 0);
  frame.reset();
  EXPECT_EQ(tree.oleInitialisations(), 0);
  EXPECT_FALSE(tree.isWindow(own));
}

TEST_F(FrameTest, WithoutParentThereIsNoWindowAndNoClass) {
  frame = std::make_unique<Frame>(kEditorSize, nullptr, nullptr);
  EXPECT_EQ(frame->getWindow(), nullptr);
  EXPECT_EQ(Frame::classRegistrations(), 0);
  EXPECT_FALSE(frame->setDropActive(true));
  std::int32_t x = 0;
  std::int32_t y = 0;
  EXPECT_FALSE(frame->getPosition(x, y));
  frame->drawView(nullptr);
  frame->idleUpdate();
}

TEST_F(FrameTest, HostDestroyingItsWindowFirstClosesTheFrame) {
  ProbeView* view = add(Rect(0, 0, 10, 10), "view");
  tree.dispatchMessages();
  const platform::WindowHandle own = frame->getWindow();
  tree.destroyWindow(host);
  EXPECT_FALSE(tree.isWindow(own));
  EXPECT_FALSE(frame->isOpen());
  EXPECT_EQ(frame->getWindow(), nullptr);
  EXPECT_FALSE(frame->setSize(100, 100));
  view->setDirty(true);
  log.clear();
  frame->idleUpdate();
  frame->drawView(view);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(Frame::classRegistrations(), 1);
  frame.reset();
  EXPECT_EQ(Frame::classRegistrations(), 0);
  EXPECT_EQ(tree.registeredClassCount(), 0);
}

TEST_F(FrameTest, CursorTypesAndTheRememberedDefault) {
  const platform::CursorHandle arrow = tree.currentCursor();
  frame->setCursor(kPointerResizeHorizontal);
  EXPECT_EQ(tree.currentCursor(), tree.systemCursor(platform::CursorShape::ResizeHorizontal));
  frame->setCursor(7);
  frame->setCursor(-1);
  EXPECT_EQ(tree.currentCursor(), tree.systemCursor(platform::CursorShape::ResizeHorizontal));
  frame->setCursor(kPointerResizeFalling);
  EXPECT_EQ(tree.currentCursor(), tree.systemCursor(platform::CursorShape::ResizeFalling));
  frame->setCursor(kPointerWait);
  EXPECT_EQ(tree.currentCursor(), tree.systemCursor(platform::CursorShape::Wait));
  frame->setCursor(kPointerDefault);
  EXPECT_EQ(tree.currentCursor(), arrow);
  frame->setCursor(kPointerMoveAll);
  frame.reset();
  EXPECT_EQ(tree.currentCursor(), arrow);
}

class FrameSizing : public FrameTest {
 protected:
  // The host's window at the top, then wrappers, each made inside the last, of the given
  // sizes; the frame opens in the innermost.
  void openInChain(std::initializer_list<Rect> wrappers) {
    frame.reset();
    platform::WindowHandle parent = host;
    for (const Rect& r : wrappers) {
      parent = tree.createWindow(parent, r, "Wrapper", false);
      chain.push_back(parent);
    }
    frame = std::make_unique<Frame>(kEditorSize, parent, nullptr);
  }
  std::vector<platform::WindowHandle> chain;
};

TEST_F(FrameSizing, CurrentSizeIsRefused) {
  EXPECT_FALSE(frame->setSize(293, 249));
  EXPECT_EQ(screenOf(frame->getWindow()), Rect(100, 50, 393, 299));
  EXPECT_EQ(screenOf(host), kHostRect);
  EXPECT_FALSE(frame->setSize(-1, 249));
}

TEST_F(FrameSizing, WideParentEndsTheHandResizeAfterTheChild) {
  openInChain({Rect(0, 0, 293 + 81, 249)});
  ASSERT_TRUE(frame->setSize(300, 260));
  EXPECT_EQ(screenOf(frame->getWindow()), Rect(100, 50, 400, 310));
  EXPECT_EQ(screenOf(chain[0]), Rect(100, 50, 474, 299));
  Rect size;
  EXPECT_EQ(frame->getBounds(size), Rect(0, 0, 300, 260));
}

TEST_F(FrameSizing, TightWrappersGrowUpToTheDialogFrame) {
  // A wrapper of the frame's size, then one with dialog frames (2 x 3) around it, then a
  // loose one that stays as it is.
  openInChain({Rect(0, 0, 400, 400), Rect(10, 10, 10 + 299, 10 + 255), Rect(3, 3, 296, 252)});
  ASSERT_TRUE(frame->setSize(300, 260));
  EXPECT_EQ(screenOf(frame->getWindow()).width(), 300);
  EXPECT_EQ(screenOf(chain[2]), Rect(113, 63, 413, 323));
  EXPECT_EQ(screenOf(chain[1]), Rect(110, 60, 416, 326));
  EXPECT_EQ(screenOf(chain[0]), Rect(100, 50, 500, 450));
}

TEST_F(FrameSizing, HandResizeLeavesMdiClientsAndWorksWithoutDialogFrames) {
  frame.reset();
  const platform::WindowHandle mdi =
      tree.createWindow(host, Rect(0, 0, 293, 249), "MDIClient", false);
  frame = std::make_unique<Frame>(kEditorSize, mdi, nullptr);
  ASSERT_TRUE(frame->setSize(300, 260));
  EXPECT_EQ(screenOf(frame->getWindow()).width(), 300);
  EXPECT_EQ(screenOf(mdi).width(), 293);

  openInChain({Rect(0, 0, 293, 249)});
  tree.setDialogFrameHeight(0);
  ASSERT_TRUE(frame->setSize(310, 270));
  EXPECT_EQ(screenOf(frame->getWindow()), Rect(100, 50, 410, 320));
  EXPECT_EQ(screenOf(chain.back()).width(), 293);
}

TEST_F(FrameSizing, PositionClimbsWrappersOfAboutTheFramesSize) {
  openInChain({Rect(20, 30, 20 + 353, 30 + 300), Rect(5, 7, 5 + 293, 7 + 249)});
  std::int32_t x = -1;
  std::int32_t y = -1;
  ASSERT_TRUE(frame->getPosition(x, y));
  // The outer wrapper is 60 by 51 larger: within reach; the host's window is not.
  EXPECT_EQ(Point(x, y), Point(20, 30));
  openInChain({Rect(20, 30, 20 + 354, 30 + 300), Rect(5, 7, 5 + 293, 7 + 249)});
  ASSERT_TRUE(frame->getPosition(x, y));
  EXPECT_EQ(Point(x, y), Point(5, 7));

  // A caption stops the climb at once.
  frame.reset();
  const platform::WindowHandle dialog =
      tree.createWindow(host, Rect(40, 45, 333, 294), "Dialog", true);
  frame = std::make_unique<Frame>(kEditorSize, dialog, nullptr);
  ASSERT_TRUE(frame->getPosition(x, y));
  EXPECT_EQ(Point(x, y), Point(40, 45));
}

// An effect with a scripted host, and the editor base over it that the effect owns.
class FrameWithEditor : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    editor = new AdoptingEditor(&effect);
    frame = std::make_unique<Frame>(kEditorSize, host, editor);
  }
  void TearDown() override {
    frame.reset();
    FrameTest::TearDown();
  }

  FakeHost hostProgram;
  BareEffect effect{FakeHost::callback};
  AdoptingEditor* editor = nullptr;
};

TEST_F(FrameWithEditor, EditsAndSizingReachTheHostThroughTheEditor) {
  EXPECT_EQ(frame->getOwnerEditor(), editor);
  frame->beginEdit(2);
  frame->endEdit(2);
  ASSERT_GE(hostProgram.calls.size(), 2u);
  EXPECT_EQ(hostProgram.count(audioMasterBeginEdit), 1);
  EXPECT_EQ(hostProgram.count(audioMasterEndEdit), 1);
  EXPECT_EQ(hostProgram.calls.back().index, 2);

  // A host that sizes windows itself: the window follows, the frame's rectangle stays.
  hostProgram.defaultAnswer = 1;
  ASSERT_TRUE(frame->setSize(320, 280));
  EXPECT_EQ(hostProgram.count(audioMasterSizeWindow), 1);
  EXPECT_EQ(screenOf(frame->getWindow()), Rect(100, 50, 420, 330));
  Rect size;
  EXPECT_EQ(frame->getBounds(size), kEditorSize);

  Frame::setKnobMode(2);
  EXPECT_EQ(frame->getKnobMode(), 2);
  Frame::setKnobMode(0);
}

TEST_F(FrameWithEditor, HostWindowModeOpensAndClosesThroughTheHost) {
  frame = std::make_unique<Frame>(Rect(12, 34, 312, 234), "Quaverling", editor, 1);
  EXPECT_FALSE(frame->isOpen());
  EXPECT_EQ(frame->getWindow(), nullptr);
  hostProgram.defaultAnswer = 0;
  EXPECT_FALSE(frame->openThroughHost());
  EXPECT_EQ(hostProgram.calls.back().opcode, audioMasterOpenWindow);
  const auto* record = static_cast<const VstWindow*>(hostProgram.calls.back().ptr);
  EXPECT_STREQ(record->title, "Quaverling");
  EXPECT_EQ(record->xPos, 12);
  EXPECT_EQ(record->height, 200);

  hostProgram.defaultAnswer = reinterpret_cast<intptr>(host);
  const Point corner(5, 6);
  ASSERT_TRUE(frame->openThroughHost(&corner));
  EXPECT_EQ(record->xPos, 5);
  EXPECT_TRUE(frame->isOpen());
  EXPECT_EQ(tree.parentOf(frame->getWindow()), host);
  EXPECT_TRUE(frame->openThroughHost());
  frame.reset();
  EXPECT_EQ(hostProgram.calls.back().opcode, audioMasterCloseWindow);
}

// Follows the mouse as the toolkit's controls do: polls the buttons and the cursor, and
// lets the frame idle on every pass.
class DragProbe : public ProbeView {
 public:
  using ProbeView::ProbeView;
  void onMouseDown(DrawContext* context, Point&) override {
    Frame* owner = static_cast<Frame*>(getFrame());
    owner->beginEdit(5);
    while (context->getMouseButtons() & kButtonLeft) {
      Point where;
      context->getPointerLocation(where);
      if (path.empty() || path.back() != where) path.push_back(where);
      owner->idle();
    }
    owner->endEdit(5);
  }
  std::vector<Point> path;
};

TEST_F(FrameWithEditor, DragFollowsTheScriptedUserWhileTheEditorKeepsDrawing) {
  // The editor owns the frame from here on, and its idle redraws the frame's views.
  editor->adopt(frame.release());
  Frame* owned = editor->getFrame();
  auto* drag = new DragProbe(Rect(10, 10, 100, 100), "drag", &log);
  ASSERT_TRUE(owned->addChild(drag));
  auto* light = new ProbeView(Rect(200, 10, 210, 20), "light", &log);
  ASSERT_TRUE(owned->addChild(light));
  tree.dispatchMessages();
  log.clear();

  input.cursorAt(20, Point(100 + 30, 50 + 40));
  input.cursorAt(40, Point(100 + 60, 50 + 45));
  input.buttonsAt(60, 0);
  // A change the editor must show while the button is still held.
  light->setDirty(true);
  tree.press(Point(100 + 20, 50 + 20), platform::PressedButton::Left);
  tree.dispatchMessages();

  EXPECT_EQ(drag->path, (std::vector<Point>{Point(20, 20), Point(30, 40), Point(60, 45)}));
  EXPECT_EQ(log, (Log{"light draw"}));
  EXPECT_EQ(hostProgram.count(audioMasterBeginEdit), 1);
  EXPECT_EQ(hostProgram.count(audioMasterEndEdit), 1);
  // The editor's idle asked the host for idle time, throttled, not on every pass.
  EXPECT_GT(hostProgram.count(audioMasterIdle), 1);
  EXPECT_LT(hostProgram.count(audioMasterIdle), 10);
}

}  // namespace
