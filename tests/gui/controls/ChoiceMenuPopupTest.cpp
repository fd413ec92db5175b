// The option menu in an open frame: the scripted user clicks it, and picks an entry of the
// popup, an entry of a submenu, or dismisses the popup.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "gui/controls/ChoiceMenu.h"
#include "gui/controls/MenuItemPainter.h"
#include "gui/core/Bitmap.h"
#include "gui/core/Frame.h"
#include "gui/core/OffscreenContext.h"
#include "gui/platform/software/BitmapResources.h"
#include "gui/platform/software/ScriptedInput.h"
#include "gui/platform/software/ScriptedPopups.h"
#include "gui/platform/software/WindowTree.h"
#include "tests/support/canvas/BmpBytes.h"

namespace {

using platform::software::ShownEntry;
using Kind = platform::software::ShownEntry::Kind;

struct Told {
  Control* control;
  float value;
  bool withContext;
};

class MenuPopup : public ::testing::Test, public ControlListener {
 protected:
  static constexpr Rect kHostRect{100, 50, 700, 550};
  static constexpr Rect kMenuRect{10, 20, 90, 36};
  static constexpr Point kInside{15, 25};

  void SetUp() override {
    tree.reset();
    input.reset();
    popups.reset();
    const platform::WindowHandle host = tree.createWindow(nullptr, kHostRect, "HostWindow", true);
    frame = new Frame(Rect(0, 0, 293, 249), host, nullptr);
    ASSERT_TRUE(tree.screenRect(frame->getWindow(), frameScreen));
  }
  void TearDown() override {
    frame->release();
    popups.reset();
  }

  void valueChanged(DrawContext* context, Control* control) override {
    told.push_back({control, control->getValue(), context != nullptr});
  }

  ChoiceMenu* add(std::initializer_list<const char*> texts, std::int32_t style = 0) {
    auto* menu = new ChoiceMenu(kMenuRect, this, 7, nullptr, nullptr, style);
    for (const char* text : texts) EXPECT_TRUE(menu->insertEntry(text));
    EXPECT_TRUE(frame->addChild(menu));
    return menu;
  }

  // The user presses a button on the menu; the scripted answer decides the popup.
  void click(platform::PressedButton button = platform::PressedButton::Left) {
    tree.press(Point(frameScreen.left + kInside.x, frameScreen.top + kInside.y), button);
    tree.dispatchMessages();
    input.setButtons(0);
  }

  const platform::software::ShownPopup& lastPopup() const { return popups.shown().back(); }

  platform::software::WindowTree& tree = platform::software::windowTree();
  platform::software::ScriptedInput& input = platform::software::scriptedInput();
  platform::software::ScriptedPopups& popups = platform::software::scriptedPopups();
  Frame* frame = nullptr;
  Rect frameScreen;
  std::vector<Told> told;
};

::testing::AssertionResult shows(const std::vector<ShownEntry>& entries,
                                 std::vector<std::tuple<Kind, std::string, int, int>> expected) {
  if (entries.size() != expected.size()) {
    return ::testing::AssertionFailure() << entries.size() << " entries shown";
  }
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const auto& [kind, text, command, flags] = expected[i];
    const ShownEntry& e = entries[i];
    if (e.kind != kind || e.text != text || e.command != command || e.flags != flags) {
      return ::testing::AssertionFailure() << "entry " << i << ": '" << e.text << "' command "
                                           << e.command << " flags " << e.flags;
    }
  }
  return ::testing::AssertionSuccess();
}

TEST_F(MenuPopup, ChosenEntryBecomesTheSelectionAndTheListenerHears) {
  ChoiceMenu* menu = add({"A", "-", "-GGrey", "-TTitle", "B"}, kChoiceCheckSelected);
  popups.choose({"B"});
  click();

  ASSERT_EQ(popups.shown().size(), 1u);
  EXPECT_EQ(lastPopup().owner, frame->getWindow());
  EXPECT_EQ(lastPopup().screen, Point(frameScreen.left + 10, frameScreen.top + 36));
  EXPECT_FALSE(lastPopup().rightButton);
  EXPECT_TRUE(shows(lastPopup().entries, {{Kind::Entry, "A", 0, platform::kMenuChecked},
                                          {Kind::Separator, "-", -1, 0},
                                          {Kind::Entry, "Grey", 2, platform::kMenuGreyed},
                                          {Kind::Entry, "Title", 3, platform::kMenuDisabled},
                                          {Kind::Entry, "B", 4, 0}}));
  ASSERT_EQ(told.size(), 1u);
  EXPECT_EQ(told[0].control, menu);
  EXPECT_EQ(told[0].value, 4.0f);
  EXPECT_TRUE(told[0].withContext);
  EXPECT_EQ(menu->getSelection(nullptr, true), 4);
  EXPECT_EQ(menu->getLastCommand(), 4);
  std::int32_t index = -1;
  EXPECT_EQ(menu->lastChoice(index), menu);
  EXPECT_EQ(index, 4);
  EXPECT_EQ(frame->getFocusView(), nullptr);
  EXPECT_FALSE(menu->isPopupOpen());

  // The next popup checks the new selection.
  popups.dismiss();
  click();
  EXPECT_EQ(lastPopup().entries[0].flags, 0);
  EXPECT_EQ(lastPopup().entries[4].flags, platform::kMenuChecked);
}

TEST_F(MenuPopup, DismissalOrAnEntryThatCannotBeChosenTellsNoOne) {
  ChoiceMenu* menu = add({"A", "-GGrey", "-TTitle", "B"});
  ASSERT_TRUE(menu->selectEntry(3, true));
  popups.choose({"A"});
  click();
  ASSERT_EQ(told.size(), 1u);
  told.clear();

  popups.dismiss();
  click();
  popups.choose({"Grey"});
  click();
  popups.choose({"Title"});
  click();
  // No answer scripted: the user dismisses.
  click();
  EXPECT_EQ(popups.shown().size(), 5u);
  EXPECT_TRUE(told.empty());
  EXPECT_EQ(menu->getSelection(nullptr, true), 0);
  EXPECT_EQ(menu->getLastCommand(), -1);
  std::int32_t index = 0;
  EXPECT_EQ(menu->lastChoice(index), nullptr);
  EXPECT_EQ(index, -1);
  EXPECT_EQ(frame->getFocusView(), nullptr);
}

TEST_F(MenuPopup, ButtonsAndStyleDecideHowThePopupOpens) {
  ChoiceMenu* menu = add({"A"}, kChoicePopupAtTop);
  click(platform::PressedButton::Right);
  ASSERT_EQ(popups.shown().size(), 1u);
  EXPECT_TRUE(lastPopup().rightButton);
  EXPECT_EQ(lastPopup().screen, Point(frameScreen.left + 10, frameScreen.top + 20));
  click(platform::PressedButton::Left);
  EXPECT_FALSE(lastPopup().rightButton);
  // The middle button opens nothing; neither does a menu that takes no mouse.
  click(platform::PressedButton::Middle);
  menu->setMouseActive(false);
  click(platform::PressedButton::Left);
  EXPECT_EQ(popups.shown().size(), 2u);
}

TEST_F(MenuPopup, SubmenuChoiceTellsTheTopListenerAboutTheSubmenu) {
  ChoiceMenu* top = add({"A"});
  auto* one = new ChoiceMenu(kMenuRect, nullptr, 0, nullptr, nullptr, 0);
  auto* deep = new ChoiceMenu(kMenuRect, nullptr, 0, nullptr, nullptr, 0);
  auto* two = new ChoiceMenu(kMenuRect, nullptr, 0, nullptr, nullptr, 0);
  ASSERT_TRUE(one->insertEntry("x"));
  ASSERT_TRUE(one->appendSubmenu(deep, "Deep"));
  ASSERT_TRUE(one->insertEntry("y"));
  ASSERT_TRUE(deep->insertEntry("d0"));
  ASSERT_TRUE(deep->insertEntry("d1"));
  ASSERT_TRUE(two->insertEntry("p"));
  ASSERT_TRUE(two->insertEntry("q"));
  ASSERT_TRUE(top->appendSubmenu(one, "One"));
  ASSERT_TRUE(top->insertEntry("B"));
  ASSERT_TRUE(top->appendSubmenu(two, "Two"));
  for (ChoiceMenu* held : {one, deep, two}) held->release();

  popups.choose({"Two", "q"});
  click();
  // The top menu's entries first, then depth first through the submenus in order.
  const auto& shown = lastPopup().entries;
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_EQ(shown[0].command, 0);
  EXPECT_EQ(shown[2].command, 2);
  EXPECT_EQ(shown[1].kind, Kind::Submenu);
  EXPECT_TRUE(
      shows(shown[1].submenu,
            {{Kind::Entry, "x", 4, 0}, {Kind::Submenu, "Deep", -1, 0}, {Kind::Entry, "y", 6, 0}}));
  EXPECT_TRUE(
      shows(shown[1].submenu[1].submenu, {{Kind::Entry, "d0", 7, 0}, {Kind::Entry, "d1", 8, 0}}));
  EXPECT_TRUE(shows(shown[3].submenu, {{Kind::Entry, "p", 9, 0}, {Kind::Entry, "q", 10, 0}}));

  ASSERT_EQ(told.size(), 1u);
  EXPECT_EQ(told[0].control, two);
  EXPECT_EQ(told[0].value, 1.0f);
  EXPECT_EQ(two->getSelection(nullptr, true), 1);
  EXPECT_EQ(top->getSelection(nullptr, true), 0);
  std::int32_t index = -1;
  EXPECT_EQ(top->lastChoice(index), two);
  EXPECT_EQ(index, 1);

  popups.choose({"One", "Deep", "d1"});
  click();
  ASSERT_EQ(told.size(), 2u);
  EXPECT_EQ(told[1].control, deep);
  EXPECT_EQ(told[1].value, 1.0f);
  EXPECT_EQ(top->lastChoice(index), deep);

  // Once the submenus are let go, the last choice names none of them.
  top->removeAllEntries();
  EXPECT_EQ(top->lastChoice(index), nullptr);
}

TEST_F(MenuPopup, SubmenuEntryWithoutASubmenuKeepsTheNumbersOfTheOthers) {
  ChoiceMenu* menu = add({"A", "-MGhost", "B"});
  popups.choose({"B"});
  click();
  EXPECT_TRUE(shows(lastPopup().entries, {{Kind::Entry, "A", 0, 0}, {Kind::Entry, "B", 2, 0}}));
  EXPECT_EQ(menu->getSelection(nullptr, true), 2);
}

TEST_F(MenuPopup, CommandsStopAtTheLimitOfTheCommandWord) {
  ChoiceMenu* menu = add({});
  auto* shared = new ChoiceMenu(kMenuRect, nullptr, 0, nullptr, nullptr, 0);
  for (int i = 0; i < kMaxChoiceEntries; ++i) {
    // Appended rather than "e" + ...: GCC 12 at -O2 warns falsely (-Wrestrict) about that.
    std::string entry = "e";
    entry += std::to_string(i);
    ASSERT_TRUE(shared->insertEntry(entry.c_str()));
  }
  for (int i = 0; i < 64; ++i) ASSERT_TRUE(menu->appendSubmenu(shared, "S"));
  shared->release();
  // The last copy starts at command 64 + 63 * 1024 = 64576; its entries from command
  // 65535 on cannot be told apart and stay out.
  popups.choose({"S", "e0"});
  click();
  const auto& copies = lastPopup().entries;
  ASSERT_EQ(copies.size(), 64u);
  EXPECT_EQ(copies[0].submenu.size(), 1024u);
  ASSERT_EQ(copies[63].submenu.size(), 959u);
  EXPECT_EQ(copies[63].submenu.back().command, platform::kMenuCommandLimit - 1);
  ASSERT_EQ(told.size(), 1u);
  EXPECT_EQ(told[0].control, shared);
  EXPECT_EQ(told[0].value, 0.0f);
}

TEST_F(MenuPopup, LongListsSplitIntoColumnsBelow160Entries) {
  ChoiceMenu* menu = add({});
  for (int i = 0; i < 25; ++i) ASSERT_TRUE(menu->insertEntry(std::to_string(i).c_str()));
  menu->setEntriesPerColumn(10);
  click();
  for (std::size_t i = 0; i < 25; ++i) {
    const bool breaks = (lastPopup().entries[i].flags & platform::kMenuColumnBreak) != 0;
    EXPECT_EQ(breaks, i == 10 || i == 20) << i;
  }
  for (int i = 25; i < 160; ++i) ASSERT_TRUE(menu->insertEntry("more"));
  click();
  for (const ShownEntry& e : lastPopup().entries) EXPECT_EQ(e.flags, 0);
}

TEST_F(MenuPopup, CheckMarksFollowTheChoices) {
  ChoiceMenu* menu = add({"A", "B", "C"}, kChoiceMultipleCheck);
  ASSERT_TRUE(menu->setCheck(0, true));
  popups.choose({"B"});
  click();
  EXPECT_EQ(lastPopup().entries[0].flags, platform::kMenuChecked);
  EXPECT_EQ(lastPopup().entries[1].flags, 0);
  popups.choose({"A"});
  click();
  EXPECT_EQ(lastPopup().entries[1].flags, platform::kMenuChecked);
  click();
  EXPECT_EQ(lastPopup().entries[0].flags, 0);
  EXPECT_EQ(lastPopup().entries[1].flags, platform::kMenuChecked);
}

TEST_F(MenuPopup, WhileThePopupIsOpenTheMenuHasTheFocus) {
  ChoiceMenu* menu = add({"A", "B"});
  bool focused = false;
  popups.whileOpen([&] { focused = frame->getFocusView() == menu && menu->isPopupOpen(); });
  click();
  EXPECT_TRUE(focused);
  EXPECT_EQ(frame->getFocusView(), nullptr);
}

TEST_F(MenuPopup, MenuTakenAwayWhileThePopupIsOpenTellsNoOne) {
  ChoiceMenu* menu = add({"A", "B"});
  popups.whileOpen([this, menu] { frame->removeChild(menu, true); });
  popups.choose({"B"});
  click();
  EXPECT_TRUE(told.empty());
  EXPECT_EQ(frame->childCount(), 0);
  EXPECT_EQ(frame->getFocusView(), nullptr);
}

TEST_F(MenuPopup, OpenBackgroundShowsWhileThePopupIsOpen) {
  BmpLayout layout;
  layout.width = 100;
  layout.height = 40;
  layout.pixels.assign(100 * 40, kGreen);
  const std::vector<std::uint8_t> bytes = makeBmp(layout);
  platform::software::registerBitmapResource(30901, bytes.data(), bytes.size());
  auto* open = new Bitmap(30901);
  auto* menu = new ChoiceMenu(kMenuRect, this, 7, nullptr, open, 0);
  open->release();
  ASSERT_TRUE(menu->insertEntry("A"));
  ASSERT_TRUE(frame->addChild(menu));
  tree.dispatchMessages();
  menu->setDirty(false);

  click();
  // Drawn with the open background at the press; dirty again once the popup is gone.
  EXPECT_EQ(tree.pixels(frame->getWindow())->colorAt(12, 22), kGreen);
  EXPECT_TRUE(menu->isDirty());
  EXPECT_TRUE(told.empty());
  frame->idleUpdate();
  EXPECT_NE(tree.pixels(frame->getWindow())->colorAt(12, 22), kGreen);
  platform::software::unregisterBitmapResource(30901);
}

// A menu that draws its entries itself.
class PaintedMenu : public ChoiceMenu {
 public:
  PaintedMenu()
      : ChoiceMenu(Rect(10, 20, 90, 36), nullptr, 0, nullptr, nullptr, kChoiceMultipleCheck) {
    itemPainter = new MenuItemPainter;
  }
};

TEST_F(MenuPopup, OwnerDrawnEntriesAreMeasuredAndDrawnByThePainter) {
  auto* menu = new PaintedMenu;
  ASSERT_TRUE(menu->insertEntry("Entry"));
  ASSERT_TRUE(menu->insertEntry("-"));
  ASSERT_TRUE(menu->insertEntry("Left\tRight"));
  ASSERT_TRUE(menu->setCheck(0, true));
  ASSERT_TRUE(frame->addChild(menu));
  click();

  const auto& shown = lastPopup().entries;
  ASSERT_EQ(shown.size(), 3u);
  for (const ShownEntry& e : shown) EXPECT_TRUE(e.flags & platform::kMenuOwnerDrawn);
  OffscreenContext measuring(nullptr, 10, 10, kBlack);
  measuring.setFont(kFontArial11);
  EXPECT_EQ(shown[0].measured, Point(measuring.getStringWidth("Entry") + 18, 18));
  EXPECT_EQ(shown[1].measured, Point(6, 18));

  const platform::MenuColors colors = platform::menuColors();
  ASSERT_TRUE(shown[0].picture);
  // The check mark in the text colour, on the menu background.
  EXPECT_EQ(shown[0].picture->colorAt(10, 8), colors.text);
  EXPECT_EQ(shown[0].picture->colorAt(3, 15), colors.background);
  ASSERT_TRUE(shown[1].picture);
  EXPECT_EQ(shown[1].picture->colorAt(3, 8), kBlack);
  EXPECT_EQ(shown[1].picture->colorAt(3, 9), kWhite);
  ASSERT_TRUE(shown[2].picture);
  EXPECT_EQ(shown[2].picture->colorAt(10, 8), colors.background);
}

}  // namespace
