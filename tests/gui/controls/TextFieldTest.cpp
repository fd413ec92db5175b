// Text fields edited by the scripted user in an open frame: the edit box over the field,
// typing, and every way an edit ends.
#include <cstdio>
#include <string>

#include "gui/controls/TextField.h"
#include "gui/core/ViewContainer.h"
#include "gui/platform/software/SoftwareEditBox.h"
#include "tests/support/user/DragFixture.h"

namespace {

// A container that records the messages its children send it.
class RecordingContainer : public ViewContainer {
 public:
  using ViewContainer::ViewContainer;
  std::int32_t handleMessage(View* sender, const char* message) override {
    messages.push_back(message);
    return ViewContainer::handleMessage(sender, message);
  }
  std::vector<std::string> messages;
};

// What the listener heard from a field.
struct Edited {
  std::string text;
  Point contextOffset;
  bool anotherFieldEditing;
};

class TextFieldTest : public DragTest {
 protected:
  // An edit still open ends before the listener goes.
  void TearDown() override {
    frame->setFocusView(nullptr);
    DragTest::TearDown();
  }

  // The editor's tempo field: 39 by 20, 18-pixel font, centred, 3-D frame.
  TextField* addField(const Rect& r = Rect(118, 70, 157, 90), const char* text = "120",
                      std::int32_t style = k3DIn) {
    auto* field = new TextField(r, this, 1, text, nullptr, style);
    field->setFont(kFontArial18);
    field->setFontColor(kWhite);
    field->setBackColor(kBlack);
    field->setFrameColor(kWhite);
    field->setTextAlignment(kTextCenter);
    fields.push_back(field);
    return add(field);
  }

  void valueChanged(DrawContext* context, Control* control) override {
    char text[kTextBufferSize];
    static_cast<TextField*>(control)->getText(text);
    bool other = false;
    for (TextField* f : fields) other |= f != control && f->isEditing();
    edits.push_back({text, context ? context->getOffset() : Point(-1, -1), other});
    ASSERT_NE(context, nullptr);
  }

  // A press and its release handled at once, the clock moved on by ms.
  void quickClick(Point inFrame, std::uint32_t ms = 10) {
    tree.press(Point(kHostRect.left + inFrame.x, kHostRect.top + inFrame.y),
               platform::PressedButton::Left);
    tree.dispatchMessages();
    input.setButtons(0);
    input.advance(ms);
  }

  static platform::software::SoftwareEditBox* box(TextField* field) {
    platform::EditBox* open = field->getEditBox();
    return open ? platform::software::SoftwareEditBox::find(open->handle()) : nullptr;
  }

  static std::string textOf(TextField* field) {
    char text[kTextBufferSize];
    field->getText(text);
    return text;
  }

  std::vector<TextField*> fields;
  std::vector<Edited> edits;
};

TEST_F(TextFieldTest, ClickOpensTheBoxOverTheFieldWithItsTextAllSelected) {
  TextField* field = addField();
  quickClick(Point(130, 80));
  platform::software::SoftwareEditBox* open = box(field);
  ASSERT_NE(open, nullptr);
  EXPECT_EQ(frame->getFocusView(), field);
  EXPECT_EQ(tree.focus(), open->handle());
  EXPECT_EQ(open->text(), "120");
  EXPECT_TRUE(open->allSelected());
  EXPECT_EQ(open->align(), platform::EditBoxAlign::Center);
  EXPECT_EQ(open->fontFace(), "Arial");
  // A 20-pixel field keeps the 18-pixel font.
  EXPECT_EQ(open->fontHeight(), 18);
  // Exactly over the field, right and bottom edges included.
  Rect screen;
  ASSERT_TRUE(tree.screenRect(open->handle(), screen));
  EXPECT_EQ(screen, Rect(kHostRect.left + 118, kHostRect.top + 70, kHostRect.left + 158,
                         kHostRect.top + 91));
  // The frame colours the box from the field.
  Color text;
  Color background;
  platform::WindowClient* window = tree.client(frame->getWindow());
  ASSERT_TRUE(window->windowEditBoxColors(text, background));
  EXPECT_EQ(text, kWhite);
  EXPECT_EQ(background, kBlack);

  // Typing replaces the selected text; the field keeps its text until the edit ends.
  tree.type("98");
  EXPECT_EQ(open->text(), "98");
  EXPECT_EQ(textOf(field), "120");
  tree.pressKey(platform::software::kKeyEnter);
  EXPECT_EQ(field->getEditBox(), nullptr);
  EXPECT_EQ(frame->getFocusView(), nullptr);
  EXPECT_FALSE(window->windowEditBoxColors(text, background));
  ASSERT_EQ(edits.size(), 1u);
  EXPECT_EQ(edits[0].text, "98");
  // A temporary context of the frame's window, at the frame's origin.
  EXPECT_EQ(edits[0].contextOffset, Point(0, 0));
  EXPECT_EQ(textOf(field), "98");
}

TEST_F(TextFieldTest, EnterWithTheTextUnchangedClosesTheBoxSilently) {
  TextField* field = addField();
  quickClick(Point(130, 80));
  tree.type("12");
  tree.type("\b0");
  EXPECT_EQ(box(field)->text(), "10");
  tree.type("\b\b120");
  tree.pressKey(platform::software::kKeyEnter);
  EXPECT_FALSE(field->isEditing());
  EXPECT_TRUE(edits.empty());
  // Other keys do not end the edit.
  quickClick(Point(130, 80));
  tree.pressKey(27);
  EXPECT_TRUE(field->isEditing());
}

TEST_F(TextFieldTest, EveryWayOfLeavingTheBoxEndsTheEdit) {
  TextField* first = addField(Rect(104, 217, 126, 232), "4");
  TextField* second = addField(Rect(152, 217, 172, 232), "1");
  // A click on another field ends the first edit, told, before the second box opens.
  quickClick(Point(110, 220));
  tree.type("5");
  quickClick(Point(160, 220));
  ASSERT_EQ(edits.size(), 1u);
  EXPECT_EQ(edits[0].text, "5");
  EXPECT_FALSE(edits[0].anotherFieldEditing);
  EXPECT_FALSE(first->isEditing());
  ASSERT_TRUE(second->isEditing());
  EXPECT_EQ(frame->getFocusView(), second);
  EXPECT_TRUE(box(second)->allSelected());

  // The keyboard focus going to another window.
  tree.type("9");
  tree.setFocus(tree.parentOf(frame->getWindow()));
  EXPECT_FALSE(second->isEditing());
  ASSERT_EQ(edits.size(), 2u);
  EXPECT_EQ(edits[1].text, "9");

  // A press elsewhere in the frame.
  quickClick(Point(110, 220));
  tree.type("6");
  quickClick(Point(10, 10));
  EXPECT_FALSE(first->isEditing());
  EXPECT_EQ(textOf(first), "6");

  // Any other view taking the focus; the windows of all the boxes are gone.
  quickClick(Point(110, 220));
  frame->setFocusView(nullptr);
  EXPECT_FALSE(first->isEditing());
  EXPECT_EQ(edits.size(), 3u);
  EXPECT_EQ(tree.windowCount(), 2);
}

TEST_F(TextFieldTest, BoxFollowsTheAlignmentAndFitsTheFontToTheField) {
  // A 15-pixel field with the 14-pixel font gets a 13-pixel box font.
  TextField* field = addField(Rect(104, 217, 126, 232));
  field->setFont(kFontArial14);
  field->setTextAlignment(kTextLeft);
  quickClick(Point(110, 220));
  ASSERT_NE(box(field), nullptr);
  EXPECT_EQ(box(field)->fontHeight(), 13);
  EXPECT_EQ(box(field)->align(), platform::EditBoxAlign::Left);
  frame->setFocusView(nullptr);
  field->setTextAlignment(kTextRight);
  quickClick(Point(110, 220));
  EXPECT_EQ(box(field)->align(), platform::EditBoxAlign::Right);
  frame->setFocusView(nullptr);
}

TEST_F(TextFieldTest, TheBoxTakesAtMost255CharactersAndTheFieldKeepsThemAll) {
  TextField* field = addField();
  quickClick(Point(130, 80));
  const std::string typed(300, '7');
  tree.type(typed.c_str());
  EXPECT_EQ(box(field)->text().size(), 255u);
  tree.pressKey(platform::software::kKeyEnter);
  EXPECT_EQ(textOf(field), std::string(255, '7'));
  ASSERT_EQ(edits.size(), 1u);
}

TEST_F(TextFieldTest, SetTextMarksTheFieldOnlyForANewTextAndCutsLongOnes) {
  TextField* field = addField();
  frame->idleUpdate();
  ASSERT_FALSE(field->isDirty());
  field->setText("120");
  EXPECT_FALSE(field->isDirty());
  field->setText(nullptr);
  EXPECT_FALSE(field->isDirty());
  EXPECT_EQ(textOf(field), "120");
  field->setText("121");
  EXPECT_TRUE(field->isDirty());
  const std::string longText(1000, 'x');
  field->setText(longText.c_str());
  EXPECT_EQ(textOf(field), std::string(255, 'x'));
  auto* made = new TextField(Rect(0, 0, 10, 10), nullptr, 0, longText.c_str(), nullptr, 0);
  EXPECT_EQ(textOf(made), std::string(255, 'x'));
  made->getText(nullptr);
  made->release();
}

TEST_F(TextFieldTest, WithDoubleClickStyleOnlyTheSecondQuickClickOpensTheBox) {
  TextField* field = addField(Rect(118, 70, 157, 90), "120", k3DIn | kEditOnDoubleClick);
  quickClick(Point(130, 80), 600);
  EXPECT_FALSE(field->isEditing());
  // Too late for a double click: a first click again.
  quickClick(Point(130, 80), 100);
  EXPECT_FALSE(field->isEditing());
  quickClick(Point(130, 80));
  EXPECT_TRUE(field->isEditing());
  EXPECT_EQ(frame->getFocusView(), field);
}

TEST_F(TextFieldTest, FieldInAContainerOpensAtItsFramePositionAndTellsTheContainer) {
  auto* container = new RecordingContainer(Rect(100, 100, 200, 160), frame);
  add(container);
  auto* field = new TextField(Rect(10, 20, 50, 40), this, 1, "1", nullptr, 0);
  fields.push_back(field);
  container->addChild(field);
  field->release();
  quickClick(Point(120, 130));
  ASSERT_NE(box(field), nullptr);
  Point corner;
  ASSERT_TRUE(tree.positionInParent(box(field)->handle(), corner));
  EXPECT_EQ(corner, Point(110, 120));
  tree.type("2");
  tree.pressKey(platform::software::kKeyEnter);
  ASSERT_EQ(edits.size(), 1u);
  // The temporary context draws in the container's coordinates.
  EXPECT_EQ(edits[0].contextOffset, Point(100, 100));
  EXPECT_EQ(container->messages, std::vector<std::string>{"LooseFocus"});
  // A field that goes with its container while editing leaves no focus behind.
  quickClick(Point(120, 130));
  ASSERT_EQ(frame->getFocusView(), field);
  fields.clear();
  frame->removeChild(container, true);
  EXPECT_EQ(frame->getFocusView(), nullptr);
  EXPECT_EQ(tree.windowCount(), 2);
  EXPECT_EQ(edits.size(), 1u);
}

TEST_F(TextFieldTest, ABoxThatCannotOpenLeavesTheFieldIdleWithoutTheFocus) {
  Frame windowless(Rect(0, 0, 293, 249), nullptr, nullptr);
  auto* field = new TextField(Rect(10, 10, 50, 30), this, 1, "1", nullptr, 0);
  ASSERT_TRUE(windowless.addChild(field));
  DrawContext context(&windowless, nullptr, nullptr);
  input.setButtons(platform::kPhysicalLeft);
  Point where(20, 20);
  field->onMouseDown(&context, where);
  input.setButtons(0);
  EXPECT_FALSE(field->isEditing());
  EXPECT_EQ(windowless.getFocusView(), nullptr);
}

TEST_F(TextFieldTest, DrawsItsConvertedTextWhenIdleAndNothingWhileEditing) {
  // Converted texts are drawn in place of the text: the same picture as the text itself.
  auto* plain = new TextField(Rect(2, 2, 58, 22), nullptr, 0, "120 bpm", nullptr, k3DIn);
  auto* converted = new TextField(Rect(2, 26, 58, 46), nullptr, 0, "120", nullptr, k3DIn);
  converted->setEditTextConvert(
      [](const char* text, char* out) { std::snprintf(out, kTextBufferSize, "%s bpm", text); });
  auto* withData = new TextField(Rect(2, 50, 58, 70), nullptr, 0, "120", nullptr, k3DOut);
  withData->setEditTextConvert(
      [](const char* text, char* out, std::int32_t word) {
        std::snprintf(out, kTextBufferSize, "%s/%d", text, static_cast<int>(word));
      },
      4);
  EXPECT_TRUE(drawnMatches("text-fields", 60, 72, {plain, converted, withData}));

  TextField* field = addField();
  quickClick(Point(130, 80));
  ASSERT_TRUE(field->isEditing());
  const Color before = pixel(Point(137, 80));
  field->setText("888");
  frame->idleUpdate();
  EXPECT_EQ(pixel(Point(137, 80)), before);
  EXPECT_FALSE(field->isDirty());
}

}  // namespace
