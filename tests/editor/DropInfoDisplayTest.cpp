// The editor's text display: its box and text, and the report of files dropped on it through
// the frame's drop handling.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/DropInfoDisplay.h"
#include "gui/core/Frame.h"
#include "gui/platform/software/PixelSurface.h"
#include "gui/platform/software/ScriptedInput.h"
#include "gui/platform/software/WindowTree.h"

namespace {

class DropInfoDisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tree.reset();
    platform::software::scriptedInput().reset();
    host = tree.createWindow(nullptr, Rect(0, 0, 400, 300), "HostWindow", true);
    frame = std::make_unique<Frame>(Rect(0, 0, 293, 249), host, nullptr);
    // The editor's depth text: grey box, white outline and text, 10-pixel font.
    display = new DropInfoDisplay(Rect(34, 57, 62, 68), "");
    display->setFont(kFontArial10);
    display->setFontColor(kWhite);
    display->setBackColor(kGrey);
    ASSERT_TRUE(frame->addChild(display));
    tree.dispatchMessages();
  }

  std::string text() const {
    char out[kTextBufferSize];
    display->getText(out);
    return out;
  }
  bool drop(const std::vector<const char*>& items, std::int32_t type, Point where) {
    return frame->onDropItems(items.data(), static_cast<std::int32_t>(items.size()), type, where);
  }
  Color pixel(Point p) {
    tree.dispatchMessages();
    return tree.pixels(frame->getWindow())->colorAt(p.x, p.y);
  }

  platform::software::WindowTree& tree = platform::software::windowTree();
  platform::WindowHandle host = nullptr;
  std::unique_ptr<Frame> frame;
  DropInfoDisplay* display = nullptr;
};

TEST_F(DropInfoDisplayTest, EmptyDisplayDrawsAGreyBoxWithAWhiteOutline) {
  EXPECT_EQ(pixel(Point(34, 57)), kWhite);
  EXPECT_EQ(pixel(Point(62, 68)), kWhite);
  EXPECT_EQ(pixel(Point(48, 62)), kGrey);
  EXPECT_EQ(pixel(Point(35, 58)), kGrey);
}

TEST_F(DropInfoDisplayTest, DroppedFilesReportCountFirstPathAndPositionInTheBox) {
  EXPECT_TRUE(drop({"C:\\loops\\a.wav", "C:\\b.wav", "C:\\c.wav"}, kDroppedFiles, Point(46, 60)));
  EXPECT_EQ(text(), "3 : C:\\loops\\a.wav at 12");
  EXPECT_TRUE(display->isDirty());
  frame->idleUpdate();
  EXPECT_FALSE(display->isDirty());
  EXPECT_TRUE(drop({"D:\\x.wav"}, kDroppedFiles, Point(34, 60)));
  EXPECT_EQ(text(), "1 : D:\\x.wav at 0");
  // The box edges count in for the frame.
  EXPECT_TRUE(drop({"E:\\y.wav"}, kDroppedFiles, Point(62, 68)));
  EXPECT_EQ(text(), "1 : E:\\y.wav at 28");
}

TEST_F(DropInfoDisplayTest, TextAndEmptyDropsAreTakenButChangeNothing) {
  display->setText("-6.0dB");
  const char dropped[] = {'h', 'i'};  // dropped text comes without a terminator
  const char* items[] = {dropped};
  Point where(40, 60);
  EXPECT_TRUE(display->onDropItems(items, 2, kDroppedText, where));
  EXPECT_TRUE(display->onDropItems(items, 0, kDroppedFiles, where));
  EXPECT_TRUE(display->onDropItems(nullptr, 3, kDroppedFiles, where));
  EXPECT_EQ(text(), "-6.0dB");
}

TEST_F(DropInfoDisplayTest, LongReportsAreCutToTheText) {
  const std::string path = "C:\\" + std::string(2000, 'p') + ".wav";
  std::vector<const char*> many(100000, path.c_str());
  EXPECT_TRUE(drop(many, kDroppedFiles, Point(40, 60)));
  const std::string shown = text();
  EXPECT_EQ(shown.size(), 255u);
  EXPECT_EQ(shown.substr(0, 13), "100000 : C:\\p");
  // Far drop positions are written whole.
  Point far(-2147483647 - 1, 0);
  EXPECT_TRUE(display->onDropItems(many.data(), 1, kDroppedFiles, far));
}

TEST_F(DropInfoDisplayTest, SetTextNullKeepsTheTextAndStillMarksTheDisplay) {
  display->setText("0.50x");
  frame->idleUpdate();
  ASSERT_FALSE(display->isDirty());
  display->setText(nullptr);
  EXPECT_TRUE(display->isDirty());
  EXPECT_EQ(text(), "0.50x");
  display->setText(std::string(999, 'z').c_str());
  EXPECT_EQ(text(), std::string(255, 'z'));
  auto* unnamed = new DropInfoDisplay(Rect(0, 0, 10, 10), nullptr);
  char out[kTextBufferSize];
  unnamed->getText(out);
  EXPECT_STREQ(out, "");
  unnamed->release();
}

}  // namespace
