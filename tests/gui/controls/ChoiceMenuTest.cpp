// The option menu's list: entries, selection, numbering, check marks, submenus and the
// bounds of every text, without a popup.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "gui/controls/ChoiceMenu.h"
#include "gui/core/DrawContext.h"
#include "gui/core/OffscreenContext.h"

namespace {

ChoiceMenu* makeMenu(std::int32_t style = 0) {
  return new ChoiceMenu(Rect(0, 0, 80, 16), nullptr, 7, nullptr, nullptr, style);
}

std::string entry(ChoiceMenu& menu, std::int32_t index) {
  char text[kTextBufferSize] = "?";
  if (!menu.getEntryText(index, text)) return "<none>";
  return text;
}

void fill(ChoiceMenu& menu, std::initializer_list<const char*> texts) {
  for (const char* text : texts) ASSERT_TRUE(menu.insertEntry(text));
}

// The pixels of a view drawn on a black surface of its own: '#' where it drew.
std::string drawn(View& view) {
  OffscreenContext context(nullptr, 80, 16, kBlack);
  view.draw(&context);
  std::string art;
  for (std::int32_t y = 0; y < 16; ++y) {
    for (std::int32_t x = 0; x < 80; ++x) {
      art += context.getPixelColor(Point(x, y)) == kBlack ? '.' : '#';
    }
    art += '\n';
  }
  return art;
}

void writeAlpha(float, char* text) {
  std::strcpy(text, "Alpha");
}

TEST(ChoiceMenuList, SelectionFollowsInsertsAndRemovals) {
  ChoiceMenu* menu = makeMenu();
  EXPECT_EQ(menu->getSelection(nullptr, true), -1);
  fill(*menu, {"A"});
  EXPECT_EQ(menu->getSelection(nullptr, true), 0);
  fill(*menu, {"B", "C"});
  ASSERT_TRUE(menu->selectEntry(1, true));

  // Inserted in front, the selection moves down with its entry.
  ASSERT_TRUE(menu->insertEntry("Z", 0));
  char text[kTextBufferSize];
  EXPECT_EQ(menu->getSelection(text, true), 2);
  EXPECT_STREQ(text, "B");

  // Removing the selected entry selects the one before it.
  ASSERT_TRUE(menu->removeEntry(2));
  EXPECT_EQ(menu->getSelection(text, true), 1);
  EXPECT_STREQ(text, "A");
  EXPECT_EQ(entry(*menu, 2), "C");

  // The first entry selected and removed leaves no selection, though entries remain.
  ASSERT_TRUE(menu->selectEntry(0, true));
  ASSERT_TRUE(menu->removeEntry(0));
  EXPECT_EQ(menu->getEntryCount(), 2);
  EXPECT_EQ(menu->getSelection(text, true), -1);

  // An index past the end appends.
  ASSERT_TRUE(menu->insertEntry("End", 99));
  EXPECT_EQ(entry(*menu, 2), "End");
  EXPECT_FALSE(menu->removeEntry(3));
  EXPECT_FALSE(menu->removeEntry(-1));
  EXPECT_EQ(entry(*menu, 3), "<none>");
  menu->release();
}

TEST(ChoiceMenuList, CheckMarksMoveWithTheirEntries) {
  ChoiceMenu* menu = makeMenu();
  fill(*menu, {"A", "B", "C"});
  ASSERT_TRUE(menu->setCheck(1, true));
  ASSERT_TRUE(menu->insertEntry("new", 0));
  EXPECT_FALSE(menu->isChecked(0));
  EXPECT_TRUE(menu->isChecked(2));
  ASSERT_TRUE(menu->removeEntry(0));
  EXPECT_TRUE(menu->isChecked(1));
  ASSERT_TRUE(menu->removeEntry(2));
  // The slot freed at the end comes back unchecked.
  ASSERT_TRUE(menu->insertEntry("D"));
  EXPECT_FALSE(menu->isChecked(2));

  ASSERT_TRUE(menu->checkOnly(0));
  EXPECT_TRUE(menu->isChecked(0));
  EXPECT_FALSE(menu->isChecked(1));
  EXPECT_FALSE(menu->setCheck(3, true));
  EXPECT_FALSE(menu->checkOnly(-1));
  EXPECT_FALSE(menu->isChecked(99));
  menu->release();
}

TEST(ChoiceMenuList, ChoicesCountWithoutSeparatorsAndTitles) {
  ChoiceMenu* menu = makeMenu();
  fill(*menu, {"-TGroup", "A", "-", "B"});
  ASSERT_TRUE(menu->selectEntry(1, false));
  EXPECT_EQ(menu->getSelection(nullptr, false), 1);
  EXPECT_EQ(menu->getSelection(nullptr, true), 3);
  // Fewer choices than asked for: the last entry.
  ASSERT_TRUE(menu->selectEntry(2, false));
  EXPECT_EQ(menu->getSelection(nullptr, true), 3);
  // A separator cannot be selected by its index; out of range changes nothing.
  EXPECT_FALSE(menu->selectEntry(2, true));
  EXPECT_FALSE(menu->selectEntry(4, false));
  EXPECT_EQ(menu->getSelection(nullptr, true), 3);
  EXPECT_EQ(menu->findEntry("B"), 3);
  EXPECT_EQ(menu->findEntry("Group"), -1);
  EXPECT_EQ(menu->findEntry(nullptr), -1);
  menu->release();
}

TEST(ChoiceMenuList, SetValueSelectsOnlyExistingEntries) {
  ChoiceMenu* menu = makeMenu();
  fill(*menu, {"0", "1", "2", "3", "4"});
  menu->setValue(7.9f);
  EXPECT_EQ(menu->getSelection(nullptr, true), 0);
  EXPECT_EQ(menu->getValue(), 0.0f);
  menu->setValue(2.9f);
  EXPECT_EQ(menu->getSelection(nullptr, true), 2);
  EXPECT_EQ(menu->getValue(), 2.9f);
  for (float wild : {std::nanf(""), std::numeric_limits<float>::infinity(),
                     -std::numeric_limits<float>::infinity(), 3e9f, -3e9f, -1.0f, 5.0f}) {
    menu->setValue(wild);
    EXPECT_EQ(menu->getSelection(nullptr, true), 2) << wild;
    EXPECT_EQ(menu->getValue(), 2.9f) << wild;
  }
  menu->release();
}

TEST(ChoiceMenuList, NumberedEntriesShowWithoutTheirNumber) {
  ChoiceMenu* menu = makeMenu();
  menu->setNumbering(3);
  fill(*menu, {"One", "Two", "Three", "Alpha"});
  EXPECT_EQ(entry(*menu, 3), "04 Alpha");
  // Inserting numbers the entry by its place, also when asked for a place past the end;
  // setEntryText adds no number.
  ASSERT_TRUE(menu->insertEntry("First", 0));
  EXPECT_EQ(entry(*menu, 0), "01 First");
  ASSERT_TRUE(menu->setEntryText(1, "Plain"));
  EXPECT_EQ(entry(*menu, 1), "Plain");
  menu->setNumbering(2);
  ASSERT_TRUE(menu->insertEntry("y", 99));
  EXPECT_EQ(entry(*menu, 5), "6 y");

  menu->setNumbering(3);
  ASSERT_TRUE(menu->selectEntry(4, true));
  ValueDisplay* alpha = new ValueDisplay(Rect(0, 0, 80, 16));
  alpha->setFormatter(writeAlpha);
  EXPECT_EQ(drawn(*menu), drawn(*alpha));
  EXPECT_NE(drawn(*menu).find('#'), std::string::npos);

  // A text shorter than the number shows empty rather than what lies past its end.
  ASSERT_TRUE(menu->setEntryText(4, "A"));
  alpha->setFormatter(nullptr);
  alpha->setStyle(kNoText);
  EXPECT_EQ(drawn(*menu), drawn(*alpha));
  alpha->release();
  menu->release();
}

TEST(ChoiceMenuList, LongTextsAreCutTo255Characters) {
  ChoiceMenu* menu = makeMenu();
  const std::string longText(600, 'x');
  const std::string cut(255, 'x');
  ASSERT_TRUE(menu->insertEntry(longText.c_str()));
  EXPECT_EQ(entry(*menu, 0), cut);
  ASSERT_TRUE(menu->setEntryText(0, longText.c_str()));
  EXPECT_EQ(entry(*menu, 0), cut);
  menu->setNumbering(4);
  ASSERT_TRUE(menu->insertEntry(longText.c_str()));
  EXPECT_EQ(entry(*menu, 1), "002 " + std::string(251, 'x'));
  ChoiceMenu* submenu = makeMenu();
  ASSERT_TRUE(menu->appendSubmenu(submenu, longText.c_str()));
  EXPECT_EQ(entry(*menu, 2), "-M003 " + std::string(249, 'x'));
  char text[kTextBufferSize];
  ASSERT_TRUE(menu->selectEntry(1, true));
  EXPECT_EQ(menu->getSelection(text, true), 1);
  EXPECT_EQ(std::strlen(text), 255u);
  submenu->release();
  menu->release();
}

TEST(ChoiceMenuList, HoldsAtMost1024Entries) {
  ChoiceMenu* menu = makeMenu();
  for (int i = 0; i < kMaxChoiceEntries; ++i) ASSERT_TRUE(menu->insertEntry("e", 0));
  EXPECT_FALSE(menu->insertEntry("one too many"));
  ChoiceMenu* submenu = makeMenu();
  EXPECT_FALSE(menu->appendSubmenu(submenu, "Sub"));
  EXPECT_EQ(submenu->referenceCount(), 1);
  EXPECT_EQ(menu->getEntryCount(), kMaxChoiceEntries);
  ASSERT_TRUE(menu->removeAllEntries());
  EXPECT_EQ(menu->getEntryCount(), 0);
  EXPECT_EQ(menu->getSelection(nullptr, true), -1);
  EXPECT_TRUE(menu->insertEntry("again"));
  submenu->release();
  menu->release();
}

TEST(ChoiceMenuList, SubmenusAreHeldOnceAndNeverContainTheirHolder) {
  ChoiceMenu* top = makeMenu();
  ChoiceMenu* middle = makeMenu();
  ChoiceMenu* bottom = makeMenu();
  EXPECT_FALSE(top->appendSubmenu(nullptr, "Sub"));
  EXPECT_FALSE(top->appendSubmenu(middle, nullptr));
  EXPECT_FALSE(top->appendSubmenu(top, "Self"));
  ASSERT_TRUE(top->appendSubmenu(middle, "Middle"));
  ASSERT_TRUE(middle->appendSubmenu(bottom, "Bottom"));
  EXPECT_EQ(entry(*top, 0), "-MMiddle");
  EXPECT_EQ(middle->referenceCount(), 2);
  // A menu further up cannot go below: the popup would open without end.
  EXPECT_FALSE(bottom->appendSubmenu(top, "Top"));
  EXPECT_FALSE(bottom->appendSubmenu(middle, "Middle"));
  EXPECT_EQ(top->referenceCount(), 1);
  // Appending a submenu leaves the selection alone.
  EXPECT_EQ(top->getSelection(nullptr, true), -1);

  top->removeAllEntries();
  EXPECT_EQ(middle->referenceCount(), 1);
  EXPECT_EQ(bottom->referenceCount(), 2);
  middle->release();
  EXPECT_EQ(bottom->referenceCount(), 1);
  bottom->release();
  top->release();
}

}  // namespace
