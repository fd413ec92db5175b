// A value display that shows one text out of a list and, when clicked, pops up the whole list
// (with nested submenus) as the platform's popup menu; the chosen entry becomes the
// selection and the listener hears of it.
#pragma once

#include <cstdint>
#include <memory>

#include "gui/controls/SharedText.h"
#include "gui/controls/ValueDisplay.h"
#include "gui/core/FocusPainting.h"

class MenuItemPainter;

namespace platform {
class PopupMenu;
}

// ChoiceMenu style bits, besides those of ValueDisplay.
// Every entry keeps a check mark of its own, shown in the popup and toggled when chosen.
inline constexpr std::int32_t kChoiceMultipleCheck = 0x01;
// The popup opens at the menu's top edge instead of its bottom edge.
inline constexpr std::int32_t kChoicePopupAtTop = 0x200;
// The popup shows a check mark at the selected entry (without kChoiceMultipleCheck).
inline constexpr std::int32_t kChoiceCheckSelected = 0x400;

// The most entries a menu holds.
inline constexpr std::int32_t kMaxChoiceEntries = 1024;

// Entry texts: "-" is a separator line; "-M" starts a submenu entry (the rest is its title;
// such entries take the menu's submenus in order); "-G" an entry shown greyed and "-T" a
// title shown disabled, neither choosable; any other text an ordinary entry. Texts hold at
// most 255 characters: longer ones are cut. Commands of the popup number the entries of
// this menu first, then depth first those of its submenus in order, one number per entry
// whether it is shown or not; entries numbered from platform::kMenuCommandLimit on are left
// out of the popup. Window thread only.
class ChoiceMenu : public ValueDisplay, public FocusPainting {
 public:
  // listener may be null and is not owned; background and openBackground (drawn while the
  // popup is open) are retained when given.
  ChoiceMenu(const Rect& size, ControlListener* listener, std::int32_t tag, Bitmap* background,
             Bitmap* openBackground, std::int32_t style);
  // Removes every entry, releases the submenus, openBackground and an item painter.
  ~ChoiceMenu() override;

  // The selected entry's text without the number that numbering put before it; no text
  // without a selection.
  void draw(DrawContext* context) override;
  // A left or right press opens the popup (the menu becomes the frame's focus view while it
  // is open); nothing when the menu is not mouse-active, has no frame or no context.
  void onMouseDown(DrawContext* context, Point& where) override;
  // Forgets the popup, which the menu destroys itself once it closes.
  void focusLost(DrawContext* context) override;
  // Runs the popup and waits for it (nothing without a frame, or while it is open already).
  // A choice selects the entry in the menu that holds it and tells this menu's listener,
  // with the holding menu as the control; a dismissal tells no one. A null context makes
  // the listener hear through a context on the frame's window.
  void focusGained(DrawContext* context) override;
  // Selects entry (int)value (toggling its check mark with kChoiceMultipleCheck) and keeps
  // value; nothing for a value that names no entry (NaN included).
  void setValue(float newValue) override;

  // Inserts text before entry index, or appends it when index is negative or past the end;
  // with numbering the text gets the entry's number in front. The first entry becomes
  // selected; a selection at or after index moves with its entry. False when the menu is
  // full or no memory can be had.
  virtual bool insertEntry(const char* text, std::int32_t index = -1);
  // Appends an entry that opens submenu (retained) titled title. False, retaining nothing,
  // when either is null, the menu is full, no memory can be had, or submenu is this menu or
  // holds it somewhere below (a menu never contains itself).
  virtual bool appendSubmenu(ChoiceMenu* submenu, const char* title);
  // -1 without a selection. Copies the selected entry's full text into textOut
  // (kTextBufferSize bytes) when given. Answers the selected index with countAll, else its
  // position among the entries that are neither separators nor titles.
  virtual std::int32_t getSelection(char* textOut, bool countAll);
  // Selects entry index, or with countAll false the index-th entry that is neither a
  // separator nor a title (the last entry when there are fewer). False for an index out of
  // range, or a separator with countAll.
  virtual bool selectEntry(std::int32_t index, bool countAll);
  // out holds kTextBufferSize bytes. False out of range.
  virtual bool getEntryText(std::int32_t index, char* out);
  // Replaces the full text (cut to 255 characters; no number added). False out of range.
  virtual bool setEntryText(std::int32_t index, const char* text);
  // Later entries move up with their check marks; a selection at or after index moves
  // back by one (none once the menu is empty or the first entry was the selected one).
  virtual bool removeEntry(std::int32_t index);
  // Also releases every submenu. Always true.
  virtual bool removeAllEntries();
  virtual std::int32_t getEntryCount();
  // The first entry whose full text equals text; -1 when none or for null.
  virtual std::int32_t findEntry(const char* text);
  // Check marks; false (changing nothing) for an index out of range.
  virtual bool setCheck(std::int32_t index, bool state);
  virtual bool checkOnly(std::int32_t index);
  virtual bool isChecked(std::int32_t index);
  // With a count above 0, every count-th entry starts a new column of the popup, unless the
  // menu holds 160 entries or more.
  virtual void setEntriesPerColumn(std::int32_t count);
  virtual std::int32_t getEntriesPerColumn();
  // The painter of owner-drawn entries, or null (the entries are then plain text). The
  // frame asks the focus view for it while the popup is open.
  virtual MenuItemPainter* getItemPainter();
  // 2, 3 or 4: entries added from now on get their number in front, with at least 1, 2
  // or 3 digits and a space; 0 (or any other value) adds none.
  virtual void setNumbering(std::int32_t digits);

  // The menu (this one or a submenu) whose entry was chosen last, with index set to that
  // entry; null and -1 when none was chosen in the last popup.
  ChoiceMenu* lastChoice(std::int32_t& index);
  // The command of the last choice, -1 when the last popup was dismissed.
  std::int32_t getLastCommand() const { return lastCommand; }
  // Whether the popup is open.
  bool isPopupOpen() const { return popupHandle != nullptr; }

  // FocusPainting: the item painter measures and draws the owner-drawn entries.
  bool measureMenuItem(const char* text, DrawContext* context, Point& size) override;
  bool drawMenuItem(const char* text, std::int32_t command, std::int32_t stateBits,
                    DrawContext* context, const Rect& rect) override;

 protected:
  // A derived menu that draws its entries itself installs a painter here; the menu
  // releases it when it goes.
  MenuItemPainter* itemPainter = nullptr;

 private:
  struct EntryText {
    char text[kTextBufferSize] = "";
  };

  bool growEntries();
  bool growSubmenus();
  bool holds(const ChoiceMenu* menu) const;
  std::int32_t choosableBefore(std::int32_t index) const;
  // Builds this menu's popup and those of its submenus, numbering from counter on.
  std::unique_ptr<platform::PopupMenu> buildPopup(std::int32_t& counter);
  void forgetPopups();
  // The menu and entry that command names, or null.
  ChoiceMenu* findCommand(std::int32_t command, std::int32_t& base, std::int32_t& index);
  void tellListener(DrawContext* context, ChoiceMenu* holder);

  platform::PopupMenu* popupHandle = nullptr;
  std::unique_ptr<std::unique_ptr<EntryText>[]> entryTexts;
  std::unique_ptr<ChoiceMenu*[]> submenus;
  std::unique_ptr<std::uint8_t[]> checkMarks;
  std::int32_t entryCount = 0;
  std::int32_t submenuCount = 0;
  std::int32_t selected = -1;
  Bitmap* openBackground = nullptr;
  std::int32_t lastButtons = kButtonRight;
  std::int32_t entriesPerColumn = -1;
  std::int32_t entryCapacity = 0;
  std::int32_t submenuCapacity = 0;
  std::int32_t lastCommand = -1;
  std::int32_t numbering = 0;
  ChoiceMenu* lastChosenMenu = nullptr;
};
