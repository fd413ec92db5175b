// Drops of files and text from other programs onto an open frame, played by the scripted
// user over the software backend's windows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/core/DropTarget.h"
#include "gui/platform/Input.h"
#include "gui/platform/software/ScriptedDrops.h"
#include "tests/gui/core/FrameFixture.h"
#include "tests/gui/core/Printers.h"

namespace {

using platform::DropEffect;
using platform::software::ScriptedDrag;
using platform::software::ScriptedDropData;

// A view that keeps a copy of every drop that reaches it.
class DropProbe : public View {
 public:
  explicit DropProbe(const Rect& bounds) : View(bounds) {}
  bool onDropItems(const char* const* items, std::int32_t count, std::int32_t type,
                   Point& where) override {
    ++drops;
    lastType = type;
    lastCount = count;
    lastWhere = where;
    received.clear();
    if (type == kDroppedFiles) {
      for (std::int32_t i = 0; i < count; ++i) received.emplace_back(items[i]);
    } else {
      // One byte past the count must be the terminator.
      received.emplace_back(items[0], static_cast<std::size_t>(count) + 1);
    }
    return takes;
  }

  bool takes = true;
  int drops = 0;
  std::int32_t lastType = -1;
  std::int32_t lastCount = -1;
  Point lastWhere;
  std::vector<std::string> received;
};

class DropTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    platform::software::clearShortcuts();
    lower = new DropProbe(Rect(10, 10, 100, 100));
    upper = new DropProbe(Rect(50, 50, 150, 150));
    ASSERT_TRUE(frame->addChild(lower));
    ASSERT_TRUE(frame->addChild(upper));
  }
  void TearDown() override {
    platform::software::clearShortcuts();
    FrameTest::TearDown();
  }
  // A point of the frame on the screen.
  static Point screen(Point inFrame) {
    return Point(kHostRect.left + inFrame.x, kHostRect.top + inFrame.y);
  }
  // Drags data in from outside the frame and drops it at a point of the frame.
  DropEffect dropAt(ScriptedDropData& data, Point inFrame, std::int32_t allowed,
                    std::int32_t modifiers = 0) {
    ScriptedDrag drag(data, allowed);
    drag.moveTo(screen(Point(5, 5)));
    return drag.dropAt(screen(inFrame), modifiers);
  }

  DropProbe* lower = nullptr;
  DropProbe* upper = nullptr;
};

constexpr std::int32_t kBoth = ScriptedDrag::kAllowBoth;

TEST_F(DropTest, DraggingShowsMoveOrCopyForTextAndFilesAndNothingForOtherData) {
  ScriptedDropData text = ScriptedDropData::text("hello");
  ScriptedDrag textDrag(text);
  EXPECT_EQ(textDrag.moveTo(screen(Point(20, 20))), DropEffect::Move);
  EXPECT_EQ(textDrag.moveTo(screen(Point(30, 20)), platform::kControlDown), DropEffect::Copy);
  EXPECT_EQ(textDrag.moveTo(screen(Point(40, 20)), platform::kShiftDown), DropEffect::Move);
  textDrag.cancel();

  ScriptedDropData files = ScriptedDropData::files({"C:\\a.wav"});
  EXPECT_EQ(ScriptedDrag(files).moveTo(screen(Point(20, 20))), DropEffect::Move);

  ScriptedDropData other = ScriptedDropData::other();
  ScriptedDrag otherDrag(other);
  EXPECT_EQ(otherDrag.moveTo(screen(Point(20, 20))), DropEffect::None);
  EXPECT_EQ(otherDrag.moveTo(screen(Point(21, 20)), platform::kControlDown), DropEffect::None);
  // Dropped anyway, it does nothing.
  platform::DropSink* sink = tree.dropTarget(frame->getWindow());
  ASSERT_NE(sink, nullptr);
  EXPECT_EQ(sink->drop(other, 0, kBoth), DropEffect::None);
  EXPECT_EQ(lower->drops + upper->drops, 0);
}

TEST_F(DropTest, AnEffectTheSourceDoesNotAllowIsNeverShown) {
  ScriptedDropData text = ScriptedDropData::text("x");
  ScriptedDrag copyOnly(text, platform::kAllowCopy);
  EXPECT_EQ(copyOnly.moveTo(screen(Point(20, 20))), DropEffect::Copy);
  copyOnly.cancel();
  ScriptedDrag moveOnly(text, platform::kAllowMove);
  EXPECT_EQ(moveOnly.moveTo(screen(Point(20, 20)), platform::kControlDown), DropEffect::Move);
  moveOnly.cancel();
  ScriptedDrag neither(text, 0);
  EXPECT_EQ(neither.moveTo(screen(Point(20, 20))), DropEffect::None);
}

TEST_F(DropTest, ThreeFilesReachTheTopmostViewUnderTheCursor) {
  ScriptedDropData files = ScriptedDropData::files({"C:\\one.wav", "C:\\two.wav", "D:\\3.aif"});
  // The source keeps its files: the drop reports a copy even when it showed a move.
  EXPECT_EQ(dropAt(files, Point(60, 70), kBoth), DropEffect::Copy);
  EXPECT_EQ(lower->drops, 0);
  EXPECT_EQ(upper->drops, 1);
  EXPECT_EQ(upper->lastType, kDroppedFiles);
  EXPECT_EQ(upper->lastCount, 3);
  EXPECT_EQ(upper->received, (std::vector<std::string>{"C:\\one.wav", "C:\\two.wav", "D:\\3.aif"}));
  EXPECT_EQ(upper->lastWhere, Point(60, 70));

  // Where the upper view does not take it, the drop goes on to the one below.
  upper->takes = false;
  EXPECT_EQ(dropAt(files, Point(55, 55), kBoth), DropEffect::Copy);
  EXPECT_EQ(lower->drops, 1);
  EXPECT_EQ(lower->lastWhere, Point(55, 55));
  // Nobody under the point: nothing taken, nothing for the source to do.
  EXPECT_EQ(dropAt(files, Point(200, 200), kBoth), DropEffect::None);
  // A move-only source is told that nothing happened to its data.
  EXPECT_EQ(dropAt(files, Point(20, 20), platform::kAllowMove), DropEffect::None);
  EXPECT_EQ(lower->drops, 2);
}

TEST_F(DropTest, TextArrivesTerminatedWithTheSizeOfItsBlock) {
  // A block without a terminator of its own.
  ScriptedDropData bare = ScriptedDropData::text("abc");
  EXPECT_EQ(dropAt(bare, Point(20, 20), kBoth), DropEffect::Copy);
  EXPECT_EQ(lower->lastType, kDroppedText);
  EXPECT_EQ(lower->lastCount, 3);
  EXPECT_EQ(lower->received[0], std::string("abc\0", 4));

  ScriptedDropData terminated = ScriptedDropData::text(std::string("hi\0\0", 4));
  dropAt(terminated, Point(20, 20), kBoth);
  EXPECT_EQ(lower->lastCount, 4);
  EXPECT_STREQ(lower->received[0].c_str(), "hi");

  // Text comes first when the data offers both; an empty block reaches nobody.
  ScriptedDropData empty = ScriptedDropData::text("");
  EXPECT_EQ(dropAt(empty, Point(20, 20), kBoth), DropEffect::None);
  EXPECT_EQ(lower->drops, 2);
}

TEST_F(DropTest, HugeTextIsCutToTheLimit) {
  ScriptedDropData huge = ScriptedDropData::text(std::string(DropTarget::kMaxTextBytes + 10, 'x'));
  dropAt(huge, Point(20, 20), kBoth);
  EXPECT_EQ(lower->lastCount, static_cast<std::int32_t>(DropTarget::kMaxTextBytes));
  EXPECT_EQ(lower->received[0].back(), '\0');
}

TEST_F(DropTest, NothingReachesTheViewsWhileAModalOrFocusViewIsSet) {
  ScriptedDropData files = ScriptedDropData::files({"C:\\a.wav"});
  frame->setFocusView(lower);
  EXPECT_EQ(dropAt(files, Point(20, 20), kBoth), DropEffect::None);
  frame->setFocusView(nullptr);
  auto* modal = new DropProbe(Rect(0, 0, 293, 249));
  ASSERT_TRUE(frame->setModalView(modal));
  EXPECT_EQ(dropAt(files, Point(20, 20), kBoth), DropEffect::None);
  frame->setModalView(nullptr);
  modal->release();
  EXPECT_EQ(lower->drops + upper->drops, 0);
  EXPECT_EQ(dropAt(files, Point(20, 20), kBoth), DropEffect::Copy);
}

TEST_F(DropTest, NamesThatCannotBeReadOrDoNotFitAreLeftOut) {
  const std::string longest = "C:\\" + std::string(DropTarget::kMaxPathBytes - 4, 'n');
  const std::string tooLong = longest + "x";
  ASSERT_EQ(longest.size(), 1023u);
  ScriptedDropData files = ScriptedDropData::files({tooLong, "C:\\a.wav", longest, "C:\\b.wav"});
  files.makeUnreadable(3);
  dropAt(files, Point(20, 20), kBoth);
  EXPECT_EQ(lower->lastCount, 2);
  EXPECT_EQ(lower->received, (std::vector<std::string>{"C:\\a.wav", longest}));

  // Nothing readable: the views hear of an empty drop.
  ScriptedDropData none = ScriptedDropData::files({tooLong});
  dropAt(none, Point(20, 20), kBoth);
  EXPECT_EQ(lower->lastCount, 0);
}

TEST_F(DropTest, ShortcutsAreDeliveredAsTheShortPathOfTheirTargets) {
  platform::software::addShortcut("C:\\Links\\Loop.lnk", "C:\\SAMPLES\\LONGLO~1.WAV");
  platform::software::addShortcut("C:\\Links\\Beat.LNK", "C:\\BEAT.WAV");
  platform::software::addShortcut("C:\\Links\\Mixed.LnK", "C:\\MIXED.WAV");
  platform::software::addShortcut("C:\\Links\\Loop.lnk.txt", "C:\\WRONG.WAV");
  platform::software::addShortcut("C:\\Links\\Huge.lnk", "C:\\" + std::string(1100, 'h'));
  ScriptedDropData files = ScriptedDropData::files(
      {"C:\\Links\\Loop.lnk", "C:\\Links\\Beat.LNK", "C:\\Links\\Mixed.LnK",
       "C:\\Links\\Loop.lnk.txt", "C:\\Links\\Broken.lnk", "C:\\Links\\Huge.lnk"});
  dropAt(files, Point(20, 20), kBoth);
  EXPECT_EQ(lower->received,
            (std::vector<std::string>{"C:\\SAMPLES\\LONGLO~1.WAV", "C:\\BEAT.WAV", "C:\\MIXED.WAV",
                                      "C:\\Links\\Loop.lnk.txt", "C:\\Links\\Broken.lnk",
                                      "C:\\Links\\Huge.lnk"}));
}

TEST(ShortcutNames, OnlyTheTextAfterTheLastDotCounts) {
  EXPECT_TRUE(isShortcutName("a.lnk"));
  EXPECT_TRUE(isShortcutName("C:\\x\\A.LNK"));
  EXPECT_FALSE(isShortcutName("a.lnk.wav"));
  EXPECT_FALSE(isShortcutName("a.lnkx"));
  EXPECT_FALSE(isShortcutName("alnk"));
  EXPECT_FALSE(isShortcutName(""));
  EXPECT_FALSE(isShortcutName(nullptr));
}

}  // namespace
